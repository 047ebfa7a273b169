// Victory pictures: the station at night under fireworks (two alternating frames) and the sheet of fly frames.
#include <cmath>

#include "scenes.h"

namespace pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;

void Burst(cairo_t* cr, Rng& r, double x, double y, double radius, Rgb colour) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  cairo_pattern_t* core = cairo_pattern_create_radial(x, y, 0, x, y, radius * 1.2);
  Stop(core, 0, colour, 0.45);
  Stop(core, 0.3, colour, 0.12);
  Stop(core, 1, colour, 0);
  cairo_set_source(cr, core);
  cairo_arc(cr, x, y, radius * 1.2, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(core);
  const int rays = 46;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < rays; ++i) {
    const double a = i * 2 * kPi / rays + r.Range(-0.05, 0.05);
    const double len = radius * r.Range(0.75, 1.0);
    // Sparks fall a little as they fly out.
    const double ex = x + std::cos(a) * len, ey = y + std::sin(a) * len + len * 0.12;
    cairo_pattern_t* ray = cairo_pattern_create_linear(x, y, ex, ey);
    Stop(ray, 0, colour, 0);
    Stop(ray, 0.6, colour, 0.35);
    Stop(ray, 1, Mix(colour, {1, 1, 1}, 0.5), 0.95);
    cairo_set_source(cr, ray);
    cairo_set_line_width(cr, 1.8);
    cairo_move_to(cr, x + std::cos(a) * len * 0.25, y + std::sin(a) * len * 0.25);
    cairo_curve_to(cr, x + std::cos(a) * len * 0.6, y + std::sin(a) * len * 0.6, ex, ey - len * 0.08, ex, ey);
    cairo_stroke(cr);
    cairo_pattern_destroy(ray);
    Source(cr, Mix(colour, {1, 1, 1}, 0.6), 0.95);
    cairo_arc(cr, ex, ey, 2.2, 0, 2 * kPi);
    cairo_fill(cr);
    // A few glittering trails below.
    if (i % 3 == 0) {
      Source(cr, colour, 0.5);
      for (int k = 1; k < 4; ++k) {
        cairo_arc(cr, ex + r.Range(-2, 2), ey + k * 7, 1.2, 0, 2 * kPi);
        cairo_fill(cr);
      }
    }
  }
  cairo_restore(cr);
}

void Rocket(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb colour) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
  Stop(p, 0, colour, 0);
  Stop(p, 1, Mix(colour, {1, 1, 1}, 0.6), 0.9);
  cairo_set_source(cr, p);
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, x0, y0);
  cairo_curve_to(cr, x0, y0 - 40, x1, y1 + 30, x1, y1);
  cairo_stroke(cr);
  cairo_pattern_destroy(p);
}

// Strings of pennants across the top, identical in both frames.
void Bunting(cairo_t* cr) {
  const Rgb colours[] = {{0.85, 0.15, 0.15}, {0.95, 0.8, 0.2}, {0.15, 0.5, 0.85}, {0.2, 0.65, 0.3}, {0.95, 0.95, 0.92}};
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
      Source(cr, Mul(colours[(i + string * 2) % 5], 0.75));
      cairo_move_to(cr, t0 * 640, at(t0));
      cairo_line_to(cr, t1 * 640, at(t1));
      cairo_line_to(cr, xm, at((t0 + t1) / 2) + 20);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
  }
}

}  // namespace

void DrawWin(cairo_t* cr, int index, const SignFont* font) {
  Scene s(cr, {Time::kNight, Weather::kClear}, HashName("STATION"), 3, font);
  const Rgb first[] = {{1, 0.3, 0.25}, {1, 0.85, 0.3}, {0.3, 1, 0.45}};
  const Rgb second[] = {{0.4, 0.55, 1}, {1, 0.45, 0.9}, {0.9, 0.95, 1}};
  const Rgb* palette = index == 1 ? first : second;
  // Bursts sit at different spots in the two frames so alternating them flashes.
  static const double kSpots1[][3] = {{110, 110, 80}, {420, 90, 95}, {570, 150, 60}, {300, 170, 50}};
  static const double kSpots2[][3] = {{250, 80, 90}, {520, 100, 80}, {70, 170, 55}, {390, 180, 60}};
  const auto& spots = index == 1 ? kSpots1 : kSpots2;
  Rng r(HashName("!win", static_cast<std::uint64_t>(index)));
  s.skyExtras = [&](Scene& scene) {
    for (int i = 0; i < 4; ++i) Burst(scene.cr, r, spots[i][0], spots[i][1], spots[i][2], palette[i % 3]);
    cairo_save(scene.cr);
    cairo_set_operator(scene.cr, CAIRO_OPERATOR_ADD);
    Rocket(scene.cr, index == 1 ? 250 : 600, 300, index == 1 ? 262 : 590, 200, palette[1]);
    cairo_restore(scene.cr);
  };
  DrawStation(s);
  // The bursts light up the whole square a little.
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  for (int i = 0; i < 2; ++i) {
    cairo_pattern_t* wash = cairo_pattern_create_radial(spots[i][0], spots[i][1], 10, spots[i][0], spots[i][1], 420);
    Stop(wash, 0, palette[i % 3], 0.14);
    Stop(wash, 1, palette[i % 3], 0);
    cairo_set_source(cr, wash);
    cairo_paint(cr);
    cairo_pattern_destroy(wash);
  }
  cairo_restore(cr);
  Bunting(cr);
  // Confetti drifting down over the scene.
  const Rgb confetti[] = {{0.95, 0.2, 0.2}, {1, 0.85, 0.2}, {0.2, 0.6, 1}, {0.3, 0.85, 0.4}, {1, 0.5, 0.85}, {1, 1, 1}};
  for (int i = 0; i < 160; ++i) {
    const double x = r.Range(0, 640), y = r.Range(0, 470);
    if (x > 540 && y < 30) continue;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, r.Range(0, kPi));
    Source(cr, confetti[r.Int(0, 5)], y > kCalmTop ? 0.5 : 0.9);
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
