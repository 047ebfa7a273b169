// Victory pictures: the station decked out on the afternoon of the win (two alternating frames) and the
// sheet of fly frames. A game is won by the hour of the last train at the latest, so the station clock
// shows the afternoon.
#include <cmath>

#include "scenes.h"

namespace pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;

const Rgb kFestive[] = {{0.88, 0.16, 0.16}, {0.98, 0.8, 0.18}, {0.16, 0.48, 0.86}, {0.2, 0.66, 0.32},
                        {0.96, 0.96, 0.93}};

// Strings of pennants across the top, identical in both frames.
void Bunting(cairo_t* cr) {
  for (int string = 0; string < 2; ++string) {
    const double y0 = 48 + string * 40, sag = 36;
    auto at = [&](double t) { return y0 + sag * 4 * t * (1 - t); };
    Source(cr, {0.15, 0.15, 0.15});
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 0, y0);
    for (double t = 0; t <= 1.0; t += 0.02) cairo_line_to(cr, t * 640, at(t));
    cairo_stroke(cr);
    const int flags = 18;
    for (int i = 0; i < flags; ++i) {
      const double t0 = (i + 0.15 + string * 0.4) / flags, t1 = t0 + 0.6 / flags;
      const double xm = (t0 + t1) / 2 * 640;
      Source(cr, kFestive[(i + string * 2) % 5]);
      cairo_move_to(cr, t0 * 640, at(t0));
      cairo_line_to(cr, t1 * 640, at(t1));
      cairo_line_to(cr, xm, at((t0 + t1) / 2) + 20);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
  }
}

// A toy balloon on its string; the string ends at (x, y + len).
void Balloon(Scene& s, double x, double y, double r, Rgb colour, double len, double sway) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit({0.3, 0.3, 0.3}), 0.8);
  cairo_set_line_width(cr, 0.8);
  cairo_move_to(cr, x, y + r * 1.15);
  cairo_curve_to(cr, x + sway, y + r + len * 0.4, x - sway, y + r + len * 0.7, x + sway * 0.5, y + r + len);
  cairo_stroke(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.4, r * 0.1, x, y, r * 1.2);
  Stop(p, 0, Mix(s.Lit(colour), {1, 1, 1}, 0.55));
  Stop(p, 0.5, s.Lit(colour));
  Stop(p, 1, s.Lit(Mul(colour, 0.6)));
  cairo_set_source(cr, p);
  EllipsePath(cr, x, y, r, r * 1.18);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Source(cr, s.Lit(Mul(colour, 0.7)));
  cairo_move_to(cr, x - r * 0.18, y + r * 1.28);
  cairo_line_to(cr, x + r * 0.18, y + r * 1.28);
  cairo_line_to(cr, x, y + r * 1.12);
  cairo_close_path(cr);
  cairo_fill(cr);
}

// A waving arm raised from a person's shoulder, with a little flag in the hand.
void WavingFlag(Scene& s, double x, double baseY, double h, double side, double tilt, Rgb a, Rgb b) {
  cairo_t* cr = s.cr;
  const double sx = x + side * h * 0.12, sy = baseY - h * 0.76;
  const double hx = sx + side * h * 0.16 + tilt * h * 0.05, hy = sy - h * 0.26;
  Source(cr, s.Lit({0.25, 0.22, 0.2}));
  cairo_set_line_width(cr, h * 0.05);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, sx, sy);
  cairo_line_to(cr, hx, hy);
  cairo_stroke(cr);
  Flag(s, hx, hy - h * 0.18, h * 0.2, h * 0.16, h * 0.1, a, b);
}

}  // namespace

void DrawWin(cairo_t* cr, int index, const SignFont* font) {
  Scene s(cr, {Time::kAfternoon, Weather::kClear}, HashName("STATION"), 2, font);
  // Balloons let go by the crowd rise into the sky: they sit higher in the second frame, so the two
  // alternating frames make them climb.
  const double rise = index == 1 ? 0 : 26;
  s.skyExtras = [&](Scene& scene) {
    static const double kLoose[][3] = {{250, 150, 13}, {300, 118, 11}, {395, 160, 12},
                                       {455, 112, 10}, {520, 140, 11}, {600, 96, 9}};
    for (int i = 0; i < 6; ++i) {
      const double drift = index == 1 ? 0 : (i % 2 == 0 ? 6 : -6);
      const double sway = (index == 1 ? 4 : -4) * (i % 2 == 0 ? 1 : -1);
      Balloon(scene, kLoose[i][0] + drift, kLoose[i][1] - rise - i * 3, kLoose[i][2], kFestive[i % 4], kLoose[i][2] * 2.2,
              sway);
    }
  };
  DrawStation(s);
  // Flags on the station's roof, waving to the other side in each frame.
  const double wave = index == 1 ? 1 : -1;
  for (double px : {24.0, 326.0}) {
    Flag(s, px, 70, 52, 30 * wave, 20, {0.88, 0.16, 0.16}, {0.96, 0.96, 0.93});
  }
  Flag(s, 175, 4, 22, 26 * wave, 16, {0.16, 0.48, 0.86}, {0.96, 0.96, 0.93});
  // Garlands along the station's cornice.
  for (int i = 0; i < 8; ++i) {
    const double x0 = 14 + i * 40.25;
    Source(cr, kFestive[i % 4]);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, x0, 124);
    cairo_curve_to(cr, x0 + 10, 138, x0 + 30, 138, x0 + 40, 124);
    cairo_stroke(cr);
  }
  Bunting(cr);
  // The crowd on the square in front of the platform; a few wave flags or hold balloons.
  const Rgb coats[] = {{0.45, 0.3, 0.22}, {0.22, 0.28, 0.4}, {0.5, 0.46, 0.4}, {0.3, 0.32, 0.26},
                       {0.55, 0.22, 0.2}, {0.25, 0.35, 0.3}, {0.6, 0.55, 0.45}, {0.35, 0.25, 0.4}};
  Rng crowd(HashName("!win crowd"));
  for (int row = 0; row < 2; ++row) {
    const double baseY = row == 0 ? 416 : 470, h = row == 0 ? 78 : 96;
    const int count = row == 0 ? 11 : 8;
    for (int i = 0; i < count; ++i) {
      const double x = 18 + (i + (row == 0 ? 0.2 : 0.65)) * (620.0 / count) + crowd.Range(-10, 10);
      const Rgb coat = coats[crowd.Int(0, 7)];
      const bool hat = crowd.Int(0, 3) != 0;
      const int kind = crowd.Int(0, 3);
      Person(s, x, baseY, h, coat, hat, crowd.Range(-0.04, 0.04));
      const double side = i % 2 == 0 ? 1 : -1;
      if (kind == 0) {
        WavingFlag(s, x, baseY, h, side, index == 1 ? 1 : -1, kFestive[i % 3], kFestive[4]);
      } else if (kind == 1) {
        const double bx = x + side * h * 0.2, by = baseY - h * 1.25 - (index == 1 ? 0 : 3);
        Balloon(s, bx, by, h * 0.1, kFestive[(i + row) % 4], h * 0.32, index == 1 ? 3 : -3);
      }
    }
  }
  // Confetti drifting down over the scene; it falls a little between the two frames.
  const Rgb confetti[] = {{0.95, 0.2, 0.2}, {1, 0.85, 0.2}, {0.2, 0.6, 1}, {0.3, 0.85, 0.4}, {1, 0.5, 0.85}, {1, 1, 1}};
  Rng bits(HashName("!win confetti"));
  for (int i = 0; i < 120; ++i) {
    const double x = bits.Range(0, 640), y = bits.Range(0, 380) + (index == 1 ? 0 : 9);
    const double turn = bits.Range(0, kPi) + (index == 1 ? 0 : 0.9);
    const int colour = bits.Int(0, 5);
    if (x > 530 && y < 36) continue;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, turn);
    Source(cr, confetti[colour], 0.9);
    cairo_rectangle(cr, -3, -1.5, 6, 3);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

namespace {

// One fly frame; asMask draws the same shapes as a grey opacity map instead of colour.
void Fly(cairo_t* cr, double cx, double cy, int frame, bool asMask) {
  const double phase = 2 * kPi * frame / 7.5;  // two wing beats every fifteen frames, so the loop is seamless
  const double sweep = 0.95 + 0.45 * std::cos(phase);   // angle of the wing from the tail
  const double reach = 0.7 + 0.3 * std::abs(std::cos(phase));  // raised wings look shorter from above
  const Rgb white = {1, 1, 1};
  auto paint = [&](Rgb colour, double maskLevel) {
    if (asMask) {
      Source(cr, Mul(white, maskLevel));
    } else {
      Source(cr, colour);
    }
  };
  // Legs: three pairs, bending slightly from frame to frame.
  const double legs[3][4] = {{-0.5, -2.3, 9, 8}, {0.1, 0.3, 10, 9}, {0.5, 2.3, 11, 10}};
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 1.3);
  for (int pair = 0; pair < 3; ++pair) {
    for (int side = -1; side <= 1; side += 2) {
      const double wiggle = 0.12 * std::sin(frame * 1.3 + pair * 2.1 + side);
      const double a1 = legs[pair][0] + wiggle;  // first segment, measured from sideways
      const double a2 = legs[pair][1] * 0.5 + wiggle * 1.5;
      const double bx = cx + side * 3, by = cy - 6 + pair * 4;
      const double kx = bx + side * std::cos(a1) * legs[pair][2], ky = by + std::sin(a1) * legs[pair][2];
      const double ex = kx + side * std::cos(a2) * legs[pair][3] * 0.6, ey = ky + std::sin(a2) * legs[pair][3];
      paint({0.08, 0.08, 0.08}, 1);
      cairo_move_to(cr, bx, by);
      cairo_line_to(cr, kx, ky);
      cairo_line_to(cr, ex, ey);
      cairo_stroke(cr);
    }
  }
  auto wingPath = [&](int side) {
    cairo_save(cr);
    cairo_translate(cr, cx + side * 2.5, cy - 5);
    cairo_rotate(cr, -side * sweep);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, side * 6 * reach, 4 * reach, side * 7 * reach, 16 * reach, side * 2 * reach, 22 * reach);
    cairo_curve_to(cr, -side * 1.5 * reach, 20 * reach, -side * 2 * reach, 8 * reach, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
  };
  auto wingVeins = [&](int side) {
    cairo_save(cr);
    cairo_translate(cr, cx + side * 2.5, cy - 5);
    cairo_rotate(cr, -side * sweep);
    cairo_move_to(cr, 0, 1);
    cairo_curve_to(cr, side * 3 * reach, 8 * reach, side * 4 * reach, 14 * reach, side * 2.5 * reach, 20 * reach);
    cairo_move_to(cr, 0, 1);
    cairo_curve_to(cr, side * 1 * reach, 8 * reach, side * 0.5 * reach, 14 * reach, side * 0.3 * reach, 19 * reach);
    cairo_restore(cr);
  };
  // Wings first at full wing colour, so the see-through parts keep their own colour.
  for (int side = -1; side <= 1; side += 2) {
    wingPath(side);
    paint({0.72, 0.78, 0.84}, 0.5);
    cairo_fill(cr);
  }
  // Body: abdomen, thorax, head with big eyes.
  auto bodyPaths = [&](double grow) {
    EllipsePath(cr, cx, cy + 9, 6.5 + grow, 11 + grow);
    EllipsePath(cr, cx, cy - 5, 6 + grow, 6.5 + grow);
    EllipsePath(cr, cx, cy - 14.5, 5.5 + grow, 4 + grow);
  };
  if (asMask) {
    bodyPaths(0);
    paint(white, 1);
    cairo_fill(cr);
  } else {
    cairo_pattern_t* sheen = cairo_pattern_create_radial(cx - 2.5, cy + 5, 1, cx, cy + 8, 12);
    Stop(sheen, 0, {0.35, 0.6, 0.5});
    Stop(sheen, 0.45, {0.12, 0.28, 0.3});
    Stop(sheen, 1, {0.04, 0.06, 0.08});
    cairo_set_source(cr, sheen);
    EllipsePath(cr, cx, cy + 9, 6.5, 11);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    Source(cr, {0.02, 0.03, 0.04}, 0.6);
    cairo_set_line_width(cr, 0.8);
    for (int seg = 0; seg < 3; ++seg) {
      const double sy = cy + 4 + seg * 5;
      cairo_move_to(cr, cx - 5.5, sy);
      cairo_curve_to(cr, cx - 2, sy + 1.5, cx + 2, sy + 1.5, cx + 5.5, sy);
    }
    cairo_stroke(cr);
    cairo_pattern_t* thorax = cairo_pattern_create_radial(cx - 2, cy - 7, 0.5, cx, cy - 5, 7);
    Stop(thorax, 0, {0.4, 0.45, 0.42});
    Stop(thorax, 1, {0.08, 0.1, 0.1});
    cairo_set_source(cr, thorax);
    EllipsePath(cr, cx, cy - 5, 6, 6.5);
    cairo_fill(cr);
    cairo_pattern_destroy(thorax);
    Source(cr, {0.02, 0.02, 0.02}, 0.7);
    for (int st = -1; st <= 1; ++st) cairo_rectangle(cr, cx + st * 2.2 - 0.5, cy - 10, 1, 9);
    cairo_fill(cr);
    Source(cr, {0.1, 0.1, 0.1});
    EllipsePath(cr, cx, cy - 14.5, 5.5, 4);
    cairo_fill(cr);
    for (int side = -1; side <= 1; side += 2) {
      cairo_pattern_t* eye = cairo_pattern_create_radial(cx + side * 3.3 - 0.8, cy - 16, 0.3, cx + side * 3.3, cy - 15, 3.4);
      Stop(eye, 0, {0.95, 0.45, 0.3});
      Stop(eye, 1, {0.45, 0.08, 0.05});
      cairo_set_source(cr, eye);
      EllipsePath(cr, cx + side * 3.3, cy - 15, 3, 3.4);
      cairo_fill(cr);
      cairo_pattern_destroy(eye);
    }
  }
  // Wings again over the body: the body shows through them.
  for (int side = -1; side <= 1; side += 2) {
    if (asMask) {
      // Over the body the mask stays white; elsewhere it is already the wing grey.
      continue;
    }
    wingPath(side);
    Source(cr, {0.72, 0.78, 0.84}, 0.4);
    cairo_fill(cr);
    wingVeins(side);
    Source(cr, {0.25, 0.28, 0.3}, 0.7);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
  }
}

}  // namespace

void DrawFlySheet(cairo_t* cr) {
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  for (int k = 0; k < 15; ++k) {
    const int row = k / 5, col = k % 5;
    for (int mask = 0; mask < 2; ++mask) {
      const double ox = col * 128 + mask * 64, oy = row * 64;
      cairo_save(cr);
      cairo_rectangle(cr, ox, oy, 64, 64);
      cairo_clip(cr);
      Fly(cr, ox + 32, oy + 33, k, mask == 1);
      cairo_restore(cr);
    }
  }
}

}  // namespace pictures
