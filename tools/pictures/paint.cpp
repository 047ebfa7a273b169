// Shared scenery pieces; all colours go through Scene::Lit so the three variants of a place stay consistent.
#include "paint.h"

#include <algorithm>
#include <cmath>

#include "sign_font.h"

namespace pictures {

namespace {
constexpr double kPi = 3.14159265358979323846;

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
}  // namespace

Rgb Hex(std::uint32_t v) {
  return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

Rgb Mul(Rgb a, double k) { return {Clamp01(a.r * k), Clamp01(a.g * k), Clamp01(a.b * k)}; }

void Source(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void Stop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  Stop(p, 0, top);
  Stop(p, 1, bottom);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

Scene::Scene(cairo_t* context, Mood m, std::uint64_t placeSeed, int variantNo, const SignFont* signFont)
    : cr(context),
      mood(m),
      layout(placeSeed),
      extra(HashInts(placeSeed, static_cast<std::uint64_t>(variantNo), 77)),
      font(signFont),
      seed(placeSeed),
      variant(variantNo) {}

Rgb Scene::Haze() const {
  switch (mood.weather) {
    case Weather::kRain: return {0.6, 0.63, 0.68};
    case Weather::kFog: return {0.8, 0.81, 0.82};
    case Weather::kSnow: return {0.84, 0.86, 0.9};
    case Weather::kOvercast: return {0.72, 0.74, 0.78};
    case Weather::kClear: break;
  }
  return mood.time == Time::kAfternoon ? Rgb{0.86, 0.84, 0.78} : Rgb{0.76, 0.83, 0.92};
}

Rgb Scene::Lit(Rgb base, double depth) const {
  Rgb amb{1, 1, 1};
  double hazeK = 0.45;
  switch (mood.weather) {
    case Weather::kRain: amb = {0.76, 0.78, 0.82}; break;
    case Weather::kFog:
      amb = {0.86, 0.87, 0.88};
      hazeK = 0.85;
      break;
    case Weather::kSnow: amb = {0.88, 0.9, 0.95}; break;
    case Weather::kOvercast: amb = {0.84, 0.85, 0.88}; break;
    case Weather::kClear:
      if (mood.time == Time::kAfternoon) amb = {1.0, 0.94, 0.84};
      break;
  }
  const Rgb c{base.r * amb.r, base.g * amb.g, base.b * amb.b};
  return Mix(c, Haze(), Clamp01(depth * hazeK));
}

double Scene::ClockHour() const {
  if (IsGrey()) return 12.4;
  return mood.time == Time::kAfternoon ? 14.6 : 10.2;
}

// ---------------------------------------------------------------- sky and ground

namespace {

void Cloud(Scene& s, double cx, double cy, double w, Rgb light, Rgb shade, double alpha) {
  cairo_t* cr = s.cr;
  const int puffs = 5 + s.extra.Int(0, 4);
  for (int i = 0; i < puffs; ++i) {
    const double px = cx + s.extra.Range(-0.5, 0.5) * w;
    const double r = w * s.extra.Range(0.12, 0.24) * (1.0 - std::abs(px - cx) / w);
    const double py = cy - s.extra.Range(0, 0.6) * r;
    cairo_pattern_t* p = cairo_pattern_create_radial(px - r * 0.3, py - r * 0.4, r * 0.1, px, py, r);
    Stop(p, 0, light, alpha);
    Stop(p, 0.7, Mix(light, shade, 0.5), alpha * 0.9);
    Stop(p, 1, shade, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, px, py, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

bool InClockCorner(double x, double y) { return x > 530 && y < 36; }

}  // namespace

void Sky(Scene& s) {
  cairo_t* cr = s.cr;
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 380);
  if (s.IsDay()) {
    Stop(p, 0, {0.30, 0.51, 0.80});
    Stop(p, 0.6, {0.52, 0.69, 0.89});
    Stop(p, 1, {0.78, 0.86, 0.95});
  } else if (s.IsAfternoon()) {
    // A paler, warmer sky with the sun high in the south-west: still well before evening.
    Stop(p, 0, {0.36, 0.55, 0.80});
    Stop(p, 0.6, {0.6, 0.73, 0.87});
    Stop(p, 1, {0.9, 0.89, 0.84});
  } else {
    switch (s.mood.weather) {
      case Weather::kRain:
        Stop(p, 0, {0.46, 0.49, 0.55});
        Stop(p, 1, {0.68, 0.7, 0.73});
        break;
      case Weather::kFog:
        Stop(p, 0, {0.72, 0.73, 0.75});
        Stop(p, 1, {0.84, 0.85, 0.86});
        break;
      case Weather::kSnow:
        Stop(p, 0, {0.66, 0.7, 0.77});
        Stop(p, 1, {0.86, 0.88, 0.91});
        break;
      default:
        Stop(p, 0, {0.58, 0.62, 0.68});
        Stop(p, 1, {0.8, 0.81, 0.83});
        break;
    }
  }
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);

  if (s.IsDay()) {
    for (int i = 0; i < 4; ++i) {
      double x = s.extra.Range(40, 600), y = s.extra.Range(50, 190);
      if (InClockCorner(x, y - 40)) x -= 200;
      Cloud(s, x, y, s.extra.Range(90, 170), {1, 1, 1}, {0.78, 0.82, 0.9}, 0.85);
    }
  } else if (s.IsAfternoon()) {
    // Bright haze around the sun, kept on the left, away from the clock.
    cairo_pattern_t* sun = cairo_pattern_create_radial(60, 30, 6, 60, 30, 260);
    Stop(sun, 0, {1, 1, 0.92}, 0.7);
    Stop(sun, 0.2, {1, 0.97, 0.85}, 0.3);
    Stop(sun, 1, {1, 0.95, 0.8}, 0);
    cairo_set_source(cr, sun);
    cairo_paint(cr);
    cairo_pattern_destroy(sun);
    for (int i = 0; i < 3; ++i) {
      double x = s.extra.Range(160, 620), y = s.extra.Range(40, 170);
      if (InClockCorner(x, y - 40)) x -= 200;
      Cloud(s, x, y, s.extra.Range(120, 220), {1, 0.99, 0.95}, {0.8, 0.8, 0.84}, 0.8);
    }
  } else {
    // Low cloud in soft banks; rain clouds are heavier.
    const bool rain = s.mood.weather == Weather::kRain;
    const int banks = s.mood.weather == Weather::kFog ? 3 : 7;
    const Rgb light = rain ? Rgb{0.66, 0.68, 0.72} : Rgb{0.86, 0.87, 0.89};
    const Rgb shade = rain ? Rgb{0.44, 0.46, 0.52} : Rgb{0.62, 0.64, 0.68};
    for (int i = 0; i < banks; ++i) {
      Cloud(s, s.extra.Range(0, 640), s.extra.Range(20, 200), s.extra.Range(160, 300), light, shade, 0.55);
    }
  }
  if (s.skyExtras) s.skyExtras(s);
}

void DistantRoofs(Scene& s, double topY, double bottomY, double depth) {
  cairo_t* cr = s.cr;
  const Rgb base = s.Lit({0.5, 0.5, 0.56}, depth);
  double x = -s.layout.Range(0, 30);
  cairo_new_path(cr);
  cairo_move_to(cr, -10, bottomY);
  while (x < 650) {
    const double w = s.layout.Range(26, 70);
    const double top = topY + s.layout.Range(-22, 18);
    const int kind = s.layout.Int(0, 9);
    cairo_line_to(cr, x, top);
    if (kind <= 3) {  // pitched roof
      cairo_line_to(cr, x + w / 2, top - w * 0.3);
      cairo_line_to(cr, x + w, top);
    } else if (kind == 4) {  // spire
      cairo_line_to(cr, x + w / 2 - 5, top);
      cairo_line_to(cr, x + w / 2, top - 46);
      cairo_line_to(cr, x + w / 2 + 5, top);
      cairo_line_to(cr, x + w, top);
    } else if (kind == 5) {  // small dome
      cairo_arc(cr, x + w / 2, top, w / 2, kPi, 2 * kPi);
    } else {  // flat with chimneys
      const double cx = x + s.layout.Range(0.2, 0.7) * w;
      cairo_line_to(cr, cx, top);
      cairo_line_to(cr, cx, top - 10);
      cairo_line_to(cr, cx + 6, top - 10);
      cairo_line_to(cr, cx + 6, top);
      cairo_line_to(cr, x + w, top);
    }
    x += w;
  }
  cairo_line_to(cr, 650, bottomY);
  cairo_close_path(cr);
  Source(cr, base);
  cairo_fill(cr);
}

void Pavement(Scene& s, double topY, Rgb base, bool cobbles) {
  cairo_t* cr = s.cr;
  s.groundY = topY;
  const bool wet = s.mood.weather == Weather::kRain;
  const Rgb far = s.Lit(Mul(base, wet ? 0.6 : 0.88), 0.15);
  const Rgb near = s.Lit(Mul(base, wet ? 0.7 : 1.0));
  VerticalGradient(cr, topY, kHeight, far, near);
  cairo_rectangle(cr, 0, topY, kWidth, kHeight - topY);
  cairo_fill(cr);
  // Kerb line where the street meets the houses.
  Source(cr, s.Lit(Mul(base, 1.2)), 0.7);
  cairo_rectangle(cr, 0, topY, kWidth, 2);
  cairo_fill(cr);
  Source(cr, {0, 0, 0}, 0.18);
  cairo_rectangle(cr, 0, topY + 2, kWidth, 2);
  cairo_fill(cr);
  if (cobbles) {
    // Setts in perspective, fading out before the text bands begin.
    const double vx = 320, vy = topY - 260;
    cairo_set_line_width(cr, 1);
    for (double y = topY + 8, step = 5; y < kHeight; y += step, step *= 1.22) {
      const double fade = y < kCalmTop ? 0.12 : 0.04;
      Source(cr, {0, 0, 0}, fade);
      cairo_move_to(cr, 0, y);
      cairo_line_to(cr, kWidth, y);
      cairo_stroke(cr);
    }
    for (int i = -12; i <= 12; ++i) {
      const double bx = 320 + i * 70;
      cairo_pattern_t* fade = cairo_pattern_create_linear(0, topY, 0, kHeight);
      Stop(fade, 0, {0, 0, 0}, 0.1);
      Stop(fade, 1, {0, 0, 0}, 0.02);
      cairo_set_source(cr, fade);
      const double t = (topY + 4 - vy) / (kHeight - vy);
      cairo_move_to(cr, vx + (bx - vx) * t, topY + 4);
      cairo_line_to(cr, bx, kHeight);
      cairo_stroke(cr);
      cairo_pattern_destroy(fade);
    }
  }
  if (s.mood.weather == Weather::kSnow) {
    // Fresh snow settles thinly, whitest far off where the setts no longer show.
    cairo_pattern_t* dust = cairo_pattern_create_linear(0, topY, 0, kHeight);
    Stop(dust, 0, {0.93, 0.94, 0.97}, 0.6);
    Stop(dust, 1, {0.93, 0.94, 0.97}, 0.3);
    cairo_set_source(cr, dust);
    cairo_rectangle(cr, 0, topY + 4, kWidth, kHeight - topY);
    cairo_fill(cr);
    cairo_pattern_destroy(dust);
  }
  if (wet) {
    // A wet street mirrors the sky faintly.
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, topY, 0, kHeight);
    Stop(sheen, 0, s.Haze(), 0.35);
    Stop(sheen, 1, s.Haze(), 0.05);
    cairo_set_source(cr, sheen);
    cairo_rectangle(cr, 0, topY + 4, kWidth, kHeight - topY);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
  }
}

void Water(Scene& s, double topY, double bottomY) {
  cairo_t* cr = s.cr;
  Rgb top, bottom;
  if (s.IsDay()) {
    top = {0.55, 0.68, 0.8};
    bottom = {0.16, 0.3, 0.42};
  } else if (s.IsAfternoon()) {
    top = {0.72, 0.76, 0.78};
    bottom = {0.18, 0.3, 0.4};
  } else {
    top = Mix(s.Haze(), {0.3, 0.36, 0.4}, 0.3);
    bottom = {0.22, 0.28, 0.32};
    if (s.mood.weather == Weather::kFog) bottom = {0.45, 0.48, 0.5};
  }
  VerticalGradient(cr, topY, bottomY, top, bottom);
  cairo_rectangle(cr, 0, topY, kWidth, bottomY - topY);
  cairo_fill(cr);
  // Ripples: short strokes, denser and finer towards the horizon, sparse in the text area.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Rng r(s.seed ^ 0xABCDEFull);
  for (int i = 0; i < 260; ++i) {
    const double t = std::pow(r.Uniform(), 1.6);
    const double y = topY + 3 + t * (bottomY - topY - 3);
    const double len = 6 + t * 40;
    const double x = r.Range(-20, 660);
    const bool light = r.Chance(0.5);
    double a = light ? 0.16 : 0.12;
    if (y > kCalmTop) a *= 0.5;
    Source(cr, light ? Rgb{1, 1, 1} : Rgb{0, 0, 0}, a);
    cairo_set_line_width(cr, 0.8 + t * 1.6);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + len, y);
    cairo_stroke(cr);
  }
}

void GroundShadow(Scene& s, double x, double baseY, double width, double height) {
  cairo_t* cr = s.cr;
  if (s.mood.weather == Weather::kFog) return;
  cairo_save(cr);
  if (s.IsGrey()) {
    cairo_translate(cr, x, baseY);
    cairo_scale(cr, width * 0.9, 3);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    Stop(p, 0, {0, 0, 0}, 0.35);
    Stop(p, 1, {0, 0, 0}, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  } else {
    // The afternoon sun stands lower and further west: longer shadows, cast to the east.
    const double len = s.IsAfternoon() ? height * 0.7 : height * 0.45;
    const double drop = height * 0.1;
    cairo_pattern_t* p = cairo_pattern_create_linear(x, baseY, x + len, baseY + drop);
    Stop(p, 0, {0.05, 0.02, 0.1}, s.IsAfternoon() ? 0.34 : 0.3);
    Stop(p, 1, {0.05, 0.02, 0.1}, 0.0);
    cairo_set_source(cr, p);
    cairo_move_to(cr, x - width / 2, baseY);
    cairo_line_to(cr, x + width / 2, baseY);
    cairo_line_to(cr, x + width / 2 + len, baseY + drop);
    cairo_line_to(cr, x - width / 2 + len, baseY + drop + width * 0.2);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  cairo_restore(cr);
}

// ---------------------------------------------------------------- buildings

void Wall(Scene& s, double x, double y, double w, double h, Rgb base, double depth) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit(base, depth));
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  const double k = 1 - depth * 0.7;  // far walls show less modelling
  cairo_pattern_t* across = cairo_pattern_create_linear(x, 0, x + w, 0);
  cairo_pattern_t* down = cairo_pattern_create_linear(0, y, 0, y + h);
  if (s.IsDay()) {
    Stop(across, 0, {1, 1, 0.95}, 0.08 * k);
    Stop(across, 1, {0, 0, 0.1}, 0.08 * k);
    Stop(down, 0, {0, 0, 0}, 0);
    Stop(down, 1, {0, 0, 0}, 0.08 * k);
  } else if (s.IsAfternoon()) {
    Stop(across, 0, {1, 0.9, 0.7}, 0.14 * k);
    Stop(across, 1, {0.05, 0.05, 0.15}, 0.1 * k);
    Stop(down, 0, {1, 0.95, 0.85}, 0.05 * k);
    Stop(down, 1, {0, 0, 0}, 0.1 * k);
  } else {
    // Flat light from a grey sky: no side lit, a little darker towards the ground.
    Stop(across, 0, {0, 0, 0}, 0);
    Stop(across, 1, {0, 0, 0}, 0);
    Stop(down, 0, {1, 1, 1}, 0.04 * k);
    Stop(down, 1, {0, 0, 0.05}, 0.12 * k);
  }
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, across);
  cairo_fill_preserve(cr);
  cairo_set_source(cr, down);
  cairo_fill(cr);
  cairo_pattern_destroy(across);
  cairo_pattern_destroy(down);
}

void Bricks(Scene& s, double x, double y, double w, double h, Rgb mortar, double depth) {
  cairo_t* cr = s.cr;
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  Source(cr, s.Lit(mortar, depth), 0.35 * (1 - depth * 0.6));
  cairo_set_line_width(cr, 1);
  int row = 0;
  for (double by = y + 5; by < y + h; by += 5, ++row) {
    cairo_move_to(cr, x, by + 0.5);
    cairo_line_to(cr, x + w, by + 0.5);
    for (double bx = x + (row % 2 ? 6 : 0); bx < x + w; bx += 12) {
      cairo_move_to(cr, bx + 0.5, by - 5);
      cairo_line_to(cr, bx + 0.5, by);
    }
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Cornice(Scene& s, double x, double y, double w, double h, Rgb base, double depth) {
  cairo_t* cr = s.cr;
  cairo_pattern_t* shadow = cairo_pattern_create_linear(0, y + h, 0, y + h * 2.2);
  Stop(shadow, 0, {0, 0, 0.05}, s.IsGrey() ? 0.2 : 0.35);
  Stop(shadow, 1, {0, 0, 0.05}, 0);
  cairo_set_source(cr, shadow);
  cairo_rectangle(cr, x, y + h, w, h * 1.2);
  cairo_fill(cr);
  cairo_pattern_destroy(shadow);
  Source(cr, s.Lit(Mul(base, 1.12), depth));
  cairo_rectangle(cr, x - h * 0.3, y, w + h * 0.6, h);
  cairo_fill(cr);
  Source(cr, s.Lit(Mul(base, 0.75), depth));
  cairo_rectangle(cr, x - h * 0.3, y + h * 0.7, w + h * 0.6, h * 0.3);
  cairo_fill(cr);
}

void ArchPath(cairo_t* cr, double x, double y, double w, double h) {
  const double r = w / 2;
  cairo_move_to(cr, x, y + h);
  cairo_line_to(cr, x, y + r);
  cairo_arc(cr, x + r, y + r, r, kPi, 2 * kPi);
  cairo_line_to(cr, x + w, y + h);
  cairo_close_path(cr);
}

void Window(Scene& s, double x, double y, double w, double h, const WindowStyle& style, double depth) {
  cairo_t* cr = s.cr;
  const Rgb frame = s.Lit({0.88, 0.86, 0.8}, depth);
  auto shape = [&](double inset) {
    if (style.arched) {
      ArchPath(cr, x - inset, y - inset, w + 2 * inset, h + 2 * inset);
    } else {
      cairo_rectangle(cr, x - inset, y - inset, w + 2 * inset, h + 2 * inset);
    }
  };
  if (style.shutters) {
    Source(cr, s.Lit(style.shutterColour, depth));
    cairo_rectangle(cr, x - w * 0.5 - 1, y, w * 0.45, h);
    cairo_rectangle(cr, x + w + 1 + w * 0.05, y, w * 0.45, h);
    cairo_fill(cr);
    Source(cr, {0, 0, 0}, 0.25);
    cairo_set_line_width(cr, 0.8);
    for (double ly = y + 3; ly < y + h; ly += 3) {
      cairo_move_to(cr, x - w * 0.5 - 1, ly);
      cairo_line_to(cr, x - w * 0.05 - 1, ly);
      cairo_move_to(cr, x + w + 1 + w * 0.05, ly);
      cairo_line_to(cr, x + w * 1.5 + 1, ly);
    }
    cairo_stroke(cr);
  }
  shape(std::max(1.2, w * 0.08));
  Source(cr, frame);
  cairo_fill(cr);
  cairo_pattern_t* glass = cairo_pattern_create_linear(x, y, x + w * 0.4, y + h);
  // Glass mirrors the sky: blue by a clear day, grey under cloud.
  const Rgb sky = s.IsGrey() ? Rgb{0.68, 0.7, 0.74} : Rgb{0.6, 0.7, 0.8};
  Stop(glass, 0, s.Lit(sky, depth));
  Stop(glass, 0.45, s.Lit({0.3, 0.36, 0.45}, depth));
  Stop(glass, 1, s.Lit({0.16, 0.2, 0.27}, depth));
  shape(0);
  cairo_set_source(cr, glass);
  cairo_fill(cr);
  cairo_pattern_destroy(glass);
  // Recess shadow from the lintel.
  Source(cr, {0, 0, 0.05}, 0.3);
  cairo_rectangle(cr, x, y + (style.arched ? w * 0.5 : 0), w, h * 0.12);
  cairo_fill(cr);
  Source(cr, frame);
  const double bar = std::max(0.8, w * 0.07);
  for (int i = 1; i < style.mullionCols; ++i) {
    cairo_rectangle(cr, x + w * i / style.mullionCols - bar / 2, y + (style.arched ? w * 0.3 : 0), bar, h - (style.arched ? w * 0.3 : 0));
  }
  for (int j = 1; j < style.mullionRows; ++j) {
    cairo_rectangle(cr, x, y + h * j / style.mullionRows - bar / 2, w, bar);
  }
  cairo_fill(cr);
  if (style.sill) {
    Source(cr, Mul(frame, 1.05));
    cairo_rectangle(cr, x - w * 0.12, y + h + 0.5, w * 1.24, std::max(1.5, h * 0.06));
    cairo_fill(cr);
  }
}

void WindowGrid(Scene& s, double x, double y, double w, double h, int cols, int rows, double winW, double winH,
                const WindowStyle& style, double depth) {
  const double gapX = (w - cols * winW) / cols;
  const double gapY = (h - rows * winH) / rows;
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < cols; ++i) {
      Window(s, x + gapX / 2 + i * (winW + gapX), y + gapY / 2 + j * (winH + gapY), winW, winH, style, depth);
    }
  }
}

void Column(Scene& s, double cx, double top, double bottom, double width, Rgb base, double depth) {
  cairo_t* cr = s.cr;
  const Rgb c = s.Lit(base, depth);
  const double capH = width * 0.38, baseH = width * 0.32;
  cairo_pattern_t* p = cairo_pattern_create_linear(cx - width / 2, 0, cx + width / 2, 0);
  const bool afternoon = s.IsAfternoon();
  Stop(p, 0, Mul(c, afternoon ? 1.25 : 0.72));
  Stop(p, 0.3, Mul(c, afternoon ? 1.15 : 1.1));
  Stop(p, 0.65, Mul(c, 0.92));
  Stop(p, 1, Mul(c, 0.58));
  cairo_set_source(cr, p);
  cairo_move_to(cr, cx - width * 0.5, bottom - baseH);
  cairo_line_to(cr, cx - width * 0.44, top + capH);
  cairo_line_to(cr, cx + width * 0.44, top + capH);
  cairo_line_to(cr, cx + width * 0.5, bottom - baseH);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Source(cr, {0, 0, 0}, 0.1);
  cairo_set_line_width(cr, 1);
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, cx + i * width * 0.17, top + capH);
    cairo_line_to(cr, cx + i * width * 0.19, bottom - baseH);
  }
  cairo_stroke(cr);
  Source(cr, Mul(c, 1.1));
  cairo_rectangle(cr, cx - width * 0.7, top, width * 1.4, capH * 0.45);
  cairo_fill(cr);
  Source(cr, Mul(c, 0.95));
  cairo_move_to(cr, cx - width * 0.62, top + capH * 0.45);
  cairo_curve_to(cr, cx - width * 0.5, top + capH, cx + width * 0.5, top + capH, cx + width * 0.62, top + capH * 0.45);
  cairo_fill(cr);
  Source(cr, Mul(c, 1.05));
  cairo_rectangle(cr, cx - width * 0.66, bottom - baseH, width * 1.32, baseH);
  cairo_fill(cr);
  Source(cr, Mul(c, 0.7));
  cairo_rectangle(cr, cx - width * 0.66, bottom - baseH * 0.35, width * 1.32, baseH * 0.35);
  cairo_fill(cr);
}

void Pediment(Scene& s, double x, double baseY, double w, double h, Rgb base, double depth) {
  cairo_t* cr = s.cr;
  const Rgb c = s.Lit(base, depth);
  Source(cr, Mul(c, 1.08));
  cairo_move_to(cr, x - 4, baseY);
  cairo_line_to(cr, x + w / 2, baseY - h);
  cairo_line_to(cr, x + w + 4, baseY);
  cairo_close_path(cr);
  cairo_fill(cr);
  const double in = h * 0.18;
  Source(cr, Mul(c, 0.82));
  cairo_move_to(cr, x + in * 2.2, baseY - in * 0.6);
  cairo_line_to(cr, x + w / 2, baseY - h + in * 1.1);
  cairo_line_to(cr, x + w - in * 2.2, baseY - in * 0.6);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, {0, 0, 0.05}, 0.25);
  cairo_move_to(cr, x + in * 2.2, baseY - in * 0.6);
  cairo_line_to(cr, x + w / 2, baseY - h + in * 1.1);
  cairo_line_to(cr, x + w / 2, baseY - h + in * 1.1 + 4);
  cairo_line_to(cr, x + in * 2.2 + 6, baseY - in * 0.6);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Dome(Scene& s, double cx, double baseY, double rx, double ry, Rgb base, double depth) {
  cairo_t* cr = s.cr;
  const Rgb c = s.Lit(base, depth);
  cairo_save(cr);
  cairo_translate(cr, cx, baseY);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* p = cairo_pattern_create_radial(-0.35, -0.6, 0.05, 0, -0.2, 1.15);
  Stop(p, 0, Mul(c, s.IsAfternoon() ? 1.5 : 1.3));
  Stop(p, 0.6, c);
  Stop(p, 1, Mul(c, 0.55));
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, 1, kPi, 2 * kPi);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  // Ribs.
  Source(cr, Mul(c, 0.7), 0.8);
  cairo_set_line_width(cr, std::max(1.0, rx * 0.025));
  for (int i = -3; i <= 3; ++i) {
    if (i == 0) {
      cairo_move_to(cr, cx, baseY);
      cairo_line_to(cr, cx, baseY - ry);
      continue;
    }
    const double k = std::sin(i * kPi / 8);
    cairo_save(cr);
    cairo_translate(cr, cx, baseY);
    cairo_scale(cr, std::abs(k) * rx, ry);
    if (i < 0) {
      cairo_arc(cr, 0, 0, 1, kPi, 1.5 * kPi);
    } else {
      cairo_arc(cr, 0, 0, 1, 1.5 * kPi, 2 * kPi);
    }
    cairo_restore(cr);
    cairo_stroke(cr);
  }
  // Lantern and finial.
  const double lw = rx * 0.22, lh = ry * 0.3;
  Wall(s, cx - lw / 2, baseY - ry - lh, lw, lh, base, depth);
  Source(cr, s.Lit(Mul(base, 0.5), depth));
  for (int i = 0; i < 3; ++i) cairo_rectangle(cr, cx - lw / 2 + lw * (0.12 + i * 0.3), baseY - ry - lh * 0.8, lw * 0.16, lh * 0.55);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, baseY - ry - lh);
  cairo_scale(cr, lw * 0.62, lh * 0.7);
  Source(cr, Mul(c, 0.95));
  cairo_arc(cr, 0, 0, 1, kPi, 2 * kPi);
  cairo_fill(cr);
  cairo_restore(cr);
  Source(cr, s.Lit({0.85, 0.7, 0.3}, depth));
  cairo_rectangle(cr, cx - 1, baseY - ry - lh * 1.7 - 8, 2, lh * 0.7 + 8);
  cairo_fill(cr);
  cairo_arc(cr, cx, baseY - ry - lh * 1.7 - 8, 2.5, 0, 2 * kPi);
  cairo_fill(cr);
}

void Door(Scene& s, double x, double y, double w, double h, Rgb base, bool arched) {
  cairo_t* cr = s.cr;
  auto shape = [&](double inset) {
    if (arched) {
      ArchPath(cr, x + inset, y + inset, w - 2 * inset, h - inset);
    } else {
      cairo_rectangle(cr, x + inset, y + inset, w - 2 * inset, h - inset);
    }
  };
  shape(-3);
  Source(cr, s.Lit({0.8, 0.78, 0.72}));
  cairo_fill(cr);
  shape(0);
  cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + w, 0);
  Stop(p, 0, s.Lit(Mul(base, 1.1)));
  Stop(p, 1, s.Lit(Mul(base, 0.75)));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Source(cr, {0, 0, 0}, 0.35);
  cairo_set_line_width(cr, 1.2);
  cairo_move_to(cr, x + w / 2, y + (arched ? w * 0.1 : 0));
  cairo_line_to(cr, x + w / 2, y + h);
  cairo_stroke(cr);
  const double top = y + (arched ? w * 0.55 : h * 0.08);
  for (int side = 0; side < 2; ++side) {
    const double px = x + w * (side ? 0.58 : 0.1);
    cairo_rectangle(cr, px, top, w * 0.32, (y + h - top) * 0.4);
    cairo_rectangle(cr, px, top + (y + h - top) * 0.5, w * 0.32, (y + h - top) * 0.4);
  }
  cairo_stroke(cr);
  Source(cr, s.Lit({0.85, 0.7, 0.3}));
  cairo_arc(cr, x + w * 0.45, y + h * 0.6, 1.5, 0, 2 * kPi);
  cairo_arc(cr, x + w * 0.55, y + h * 0.6, 1.5, 0, 2 * kPi);
  cairo_fill(cr);
}

void Roof(Scene& s, double x, double y, double w, double h, Rgb base, double depth) {
  cairo_t* cr = s.cr;
  const Rgb c = s.Lit(base, depth);
  VerticalGradient(cr, y - h, y, Mul(c, 1.1), Mul(c, 0.8));
  cairo_move_to(cr, x - 5, y);
  cairo_line_to(cr, x + w * 0.15, y - h);
  cairo_line_to(cr, x + w * 0.85, y - h);
  cairo_line_to(cr, x + w + 5, y);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, {0, 0, 0}, 0.12);
  cairo_set_line_width(cr, 1);
  for (double ly = y - h + 4; ly < y; ly += 4) {
    const double t = (ly - (y - h)) / h;
    cairo_move_to(cr, x + w * 0.15 * (1 - t) - 5 * t, ly);
    cairo_line_to(cr, x + w - w * 0.15 * (1 - t) + 5 * t, ly);
  }
  cairo_stroke(cr);
}

void Steps(Scene& s, double x, double y, double w, double h, int count, Rgb base) {
  cairo_t* cr = s.cr;
  const double step = h / count;
  for (int i = 0; i < count; ++i) {
    const double grow = i * step * 0.8;
    const double sy = y + i * step;
    Source(cr, s.Lit(Mul(base, 0.82)));
    cairo_rectangle(cr, x - grow, sy, w + 2 * grow, step);
    cairo_fill(cr);
    Source(cr, s.Lit(Mul(base, 1.1)));
    cairo_rectangle(cr, x - grow, sy, w + 2 * grow, step * 0.35);
    cairo_fill(cr);
  }
}

// ---------------------------------------------------------------- furniture and people

void LampPost(Scene& s, double x, double baseY, double height) {
  cairo_t* cr = s.cr;
  const Rgb iron = s.Lit({0.16, 0.18, 0.2});
  GroundShadow(s, x, baseY, 8, height);
  Source(cr, iron);
  cairo_move_to(cr, x - 5, baseY);
  cairo_line_to(cr, x - 3, baseY - height * 0.12);
  cairo_line_to(cr, x - 1.5, baseY - height * 0.14);
  cairo_line_to(cr, x - 1.2, baseY - height * 0.86);
  cairo_line_to(cr, x + 1.2, baseY - height * 0.86);
  cairo_line_to(cr, x + 1.5, baseY - height * 0.14);
  cairo_line_to(cr, x + 3, baseY - height * 0.12);
  cairo_line_to(cr, x + 5, baseY);
  cairo_close_path(cr);
  cairo_fill(cr);
  const double ly = baseY - height * 0.86;
  const double lw = std::max(6.0, height * 0.07);
  // Lantern: cap, glass, base.
  cairo_move_to(cr, x - lw * 0.75, ly - lw * 1.5);
  cairo_line_to(cr, x, ly - lw * 2.1);
  cairo_line_to(cr, x + lw * 0.75, ly - lw * 1.5);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit({0.7, 0.75, 0.72}));
  cairo_move_to(cr, x - lw * 0.6, ly - lw * 1.5);
  cairo_line_to(cr, x + lw * 0.6, ly - lw * 1.5);
  cairo_line_to(cr, x + lw * 0.4, ly);
  cairo_line_to(cr, x - lw * 0.4, ly);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, iron);
  cairo_rectangle(cr, x - lw * 0.5, ly, lw, 2);
  cairo_rectangle(cr, x - 0.6, ly - lw * 1.5, 1.2, lw * 1.5);
  cairo_fill(cr);
}

void HangingLamp(Scene& s, double x, double y, double size) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit({0.15, 0.15, 0.17}));
  cairo_set_line_width(cr, 1.2);
  cairo_move_to(cr, x, y - size * 3);
  cairo_line_to(cr, x, y);
  cairo_stroke(cr);
  cairo_move_to(cr, x - size * 0.7, y + size * 0.3);
  cairo_line_to(cr, x, y - size * 0.2);
  cairo_line_to(cr, x + size * 0.7, y + size * 0.3);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit({0.78, 0.8, 0.74}));
  cairo_move_to(cr, x - size * 0.55, y + size * 0.3);
  cairo_line_to(cr, x + size * 0.55, y + size * 0.3);
  cairo_line_to(cr, x + size * 0.35, y + size * 1.3);
  cairo_line_to(cr, x - size * 0.35, y + size * 1.3);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit({0.15, 0.15, 0.17}));
  cairo_rectangle(cr, x - size * 0.4, y + size * 1.3, size * 0.8, size * 0.2);
  cairo_fill(cr);
}

void Person(Scene& s, double x, double baseY, double height, Rgb coat, bool hat, double lean) {
  cairo_t* cr = s.cr;
  if (s.otherPassersBy) {
    // Later in the day other people pass by: each stands elsewhere along the street, dressed otherwise.
    const std::uint64_t h = HashInts(s.seed, static_cast<std::uint64_t>(std::lround(x)), 2);
    x = std::clamp(x + (static_cast<double>(h % 5) - 2) * 45 + 20, 30.0, 610.0);
    const Rgb coats[] = {{0.45, 0.3, 0.22}, {0.22, 0.28, 0.4}, {0.5, 0.46, 0.4}, {0.3, 0.32, 0.26}, {0.55, 0.22, 0.2}};
    coat = coats[(h >> 8) % 5];
    hat = ((h >> 16) % 4) != 0;
  }
  const double h = height;
  GroundShadow(s, x, baseY, h * 0.28, h);
  cairo_save(cr);
  cairo_matrix_t skew;
  cairo_matrix_init(&skew, 1, 0, -lean, 1, x + lean * baseY, 0);
  cairo_transform(cr, &skew);
  const Rgb c = s.Lit(coat);
  const Rgb dark = s.Lit(Mul(coat, 0.45));
  // Legs and shoes.
  Source(cr, dark);
  cairo_rectangle(cr, -h * 0.075, baseY - h * 0.3, h * 0.06, h * 0.3);
  cairo_rectangle(cr, h * 0.018, baseY - h * 0.3, h * 0.06, h * 0.3);
  cairo_fill(cr);
  Source(cr, s.Lit({0.08, 0.07, 0.06}));
  cairo_rectangle(cr, -h * 0.085, baseY - h * 0.025, h * 0.08, h * 0.025);
  cairo_rectangle(cr, h * 0.012, baseY - h * 0.025, h * 0.08, h * 0.025);
  cairo_fill(cr);
  // Coat with a light edge on the sunny side.
  cairo_pattern_t* p = cairo_pattern_create_linear(-h * 0.15, 0, h * 0.15, 0);
  Stop(p, 0, Mul(c, s.IsAfternoon() ? 1.2 : 1.1));
  Stop(p, 0.5, c);
  Stop(p, 1, Mul(c, 0.7));
  cairo_set_source(cr, p);
  cairo_move_to(cr, -h * 0.1, baseY - h * 0.8);
  cairo_curve_to(cr, -h * 0.14, baseY - h * 0.78, -h * 0.145, baseY - h * 0.74, -h * 0.14, baseY - h * 0.68);
  cairo_line_to(cr, -h * 0.15, baseY - h * 0.27);
  cairo_line_to(cr, h * 0.15, baseY - h * 0.27);
  cairo_line_to(cr, h * 0.14, baseY - h * 0.68);
  cairo_curve_to(cr, h * 0.145, baseY - h * 0.74, h * 0.14, baseY - h * 0.78, h * 0.1, baseY - h * 0.8);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Source(cr, dark, 0.7);
  cairo_set_line_width(cr, std::max(0.8, h * 0.01));
  cairo_move_to(cr, 0, baseY - h * 0.78);
  cairo_line_to(cr, h * 0.01, baseY - h * 0.27);
  cairo_move_to(cr, -h * 0.14, baseY - h * 0.5);
  cairo_line_to(cr, h * 0.14, baseY - h * 0.5);
  cairo_stroke(cr);
  // Head, collar, hat.
  Source(cr, s.Lit({0.82, 0.64, 0.52}));
  cairo_arc(cr, 0, baseY - h * 0.87, h * 0.055, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, dark);
  cairo_move_to(cr, -h * 0.07, baseY - h * 0.8);
  cairo_line_to(cr, 0, baseY - h * 0.74);
  cairo_line_to(cr, h * 0.07, baseY - h * 0.8);
  cairo_line_to(cr, h * 0.04, baseY - h * 0.83);
  cairo_line_to(cr, -h * 0.04, baseY - h * 0.83);
  cairo_close_path(cr);
  cairo_fill(cr);
  if (hat) {
    Source(cr, s.Lit({0.12, 0.11, 0.12}));
    cairo_save(cr);
    cairo_translate(cr, 0, baseY - h * 0.905);
    cairo_scale(cr, h * 0.105, h * 0.018);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_fill(cr);
    cairo_move_to(cr, -h * 0.06, baseY - h * 0.905);
    cairo_line_to(cr, -h * 0.055, baseY - h * 0.965);
    cairo_curve_to(cr, -h * 0.02, baseY - h * 0.98, h * 0.02, baseY - h * 0.98, h * 0.055, baseY - h * 0.965);
    cairo_line_to(cr, h * 0.06, baseY - h * 0.905);
    cairo_close_path(cr);
    cairo_fill(cr);
    Source(cr, s.Lit({0.35, 0.12, 0.1}));
    cairo_rectangle(cr, -h * 0.058, baseY - h * 0.925, h * 0.116, h * 0.014);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void Tree(Scene& s, double x, double baseY, double height, double width) {
  cairo_t* cr = s.cr;
  GroundShadow(s, x, baseY, width * 0.6, height * 0.5);
  Source(cr, s.Lit({0.3, 0.22, 0.16}));
  cairo_move_to(cr, x - width * 0.07, baseY);
  cairo_line_to(cr, x - width * 0.035, baseY - height * 0.55);
  cairo_line_to(cr, x + width * 0.035, baseY - height * 0.55);
  cairo_line_to(cr, x + width * 0.07, baseY);
  cairo_close_path(cr);
  cairo_fill(cr);
  const double cy = baseY - height * 0.62;
  const Rgb leaf = s.Lit({0.26, 0.44, 0.2});
  const int n = 14;
  for (int i = 0; i < n; ++i) {
    const double a = s.layout.Range(0, 2 * kPi);
    const double d = std::sqrt(s.layout.Uniform());
    const double px = x + std::cos(a) * d * width * 0.36;
    const double py = cy + std::sin(a) * d * height * 0.3;
    const double r = width * s.layout.Range(0.16, 0.26);
    const double shade = 0.75 + 0.35 * (cy - py) / (height * 0.3) * 0.5 + 0.15 * (x - px) / width;
    cairo_pattern_t* p = cairo_pattern_create_radial(px - r * 0.35, py - r * 0.4, r * 0.1, px, py, r);
    Stop(p, 0, Mul(leaf, shade * (s.IsAfternoon() ? 1.4 : 1.3)));
    Stop(p, 1, Mul(leaf, shade * 0.7));
    cairo_set_source(cr, p);
    cairo_arc(cr, px, py, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

void Smoke(Scene& s, double x, double y, double size, int puffs) {
  cairo_t* cr = s.cr;
  const Rgb grey = s.Lit({0.5, 0.5, 0.52});
  for (int i = 0; i < puffs; ++i) {
    const double t = static_cast<double>(i) / puffs;
    const double r = size * (0.5 + t * 1.5);
    const double px = x + t * size * 9 + s.layout.Range(-0.3, 0.3) * size;
    const double py = y - t * size * 3 - std::sqrt(t) * size * 1.5 - s.layout.Range(0, 0.4) * size;
    cairo_pattern_t* p = cairo_pattern_create_radial(px - r * 0.3, py - r * 0.3, r * 0.1, px, py, r);
    Stop(p, 0, Mul(grey, 1.2), 0.75 * (1 - t * 0.7));
    Stop(p, 1, grey, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, px, py, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

void Bench(Scene& s, double x, double baseY, double w) {
  cairo_t* cr = s.cr;
  GroundShadow(s, x + w / 2, baseY, w, 14);
  const Rgb wood = s.Lit({0.5, 0.33, 0.2});
  const Rgb iron = s.Lit({0.15, 0.16, 0.17});
  Source(cr, iron);
  cairo_rectangle(cr, x + 3, baseY - 12, 2.5, 12);
  cairo_rectangle(cr, x + w - 5.5, baseY - 12, 2.5, 12);
  cairo_rectangle(cr, x + 3, baseY - 24, 2, 12);
  cairo_rectangle(cr, x + w - 5, baseY - 24, 2, 12);
  cairo_fill(cr);
  Source(cr, wood);
  cairo_rectangle(cr, x, baseY - 13, w, 3);
  for (int i = 0; i < 3; ++i) cairo_rectangle(cr, x + 1, baseY - 25 + i * 4, w - 2, 2.5);
  cairo_fill(cr);
}

// ---------------------------------------------------------------- details

void ClockFace(Scene& s, double cx, double cy, double r) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit(material::kGold));
  cairo_arc(cr, cx, cy, r + 3, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, s.Lit({0.95, 0.93, 0.86}));
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, {0.1, 0.1, 0.12});
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    const double l = i % 3 == 0 ? 0.22 : 0.12;
    cairo_set_line_width(cr, i % 3 == 0 ? 2 : 1);
    cairo_move_to(cr, cx + std::sin(a) * r * 0.92, cy - std::cos(a) * r * 0.92);
    cairo_line_to(cr, cx + std::sin(a) * r * (0.92 - l), cy - std::cos(a) * r * (0.92 - l));
    cairo_stroke(cr);
  }
  const double hour = s.ClockHour();
  const double ha = hour / 12 * 2 * kPi, ma = (hour - std::floor(hour)) * 2 * kPi;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 2.5);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx + std::sin(ha) * r * 0.5, cy - std::cos(ha) * r * 0.5);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx + std::sin(ma) * r * 0.78, cy - std::cos(ma) * r * 0.78);
  cairo_stroke(cr);
}

void Flag(Scene& s, double poleX, double topY, double poleLen, double w, double h, Rgb a, Rgb b) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit({0.25, 0.25, 0.27}));
  cairo_rectangle(cr, poleX - 1, topY - 3, 2, poleLen + 3);
  cairo_fill(cr);
  cairo_arc(cr, poleX, topY - 3, 2, 0, 2 * kPi);
  cairo_fill(cr);
  for (int band = 0; band < 2; ++band) {
    Source(cr, s.Lit(band == 0 ? a : b));
    const double y0 = topY + band * h / 2;
    cairo_move_to(cr, poleX, y0);
    cairo_curve_to(cr, poleX + w * 0.35, y0 - 4, poleX + w * 0.65, y0 + 4, poleX + w, y0 + 1);
    cairo_line_to(cr, poleX + w, y0 + h / 2 + 1);
    cairo_curve_to(cr, poleX + w * 0.65, y0 + h / 2 + 4, poleX + w * 0.35, y0 + h / 2 - 4, poleX, y0 + h / 2);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

// ---------------------------------------------------------------- signs

void SignText(Scene& s, std::string_view utf8, double cx, double cy, int scale, Rgb ink) {
  if (s.font == nullptr || !s.font->Loaded()) return;
  cairo_t* cr = s.cr;
  const double w = SignFont::TextWidth(utf8, scale);
  const double h = SignFont::kGlyphHeight * scale;
  const double x = std::round(cx - w / 2), y = std::round(cy - h / 2);
  Source(cr, {0, 0, 0}, 0.35);
  s.font->FillText(cr, utf8, x + 1, y + 1, scale);
  Source(cr, s.Lit(ink));
  s.font->FillText(cr, utf8, x, y, scale);
}

void SignBoard(Scene& s, std::string_view utf8, double cx, double cy, int scale, Rgb board, Rgb ink) {
  cairo_t* cr = s.cr;
  const double w = SignFont::TextWidth(utf8, scale) + scale * 8;
  const double h = SignFont::kGlyphHeight * scale + scale * 6;
  Source(cr, s.Lit(Mul(board, 0.6)));
  cairo_rectangle(cr, cx - w / 2 - 2, cy - h / 2 - 2, w + 4, h + 4);
  cairo_fill(cr);
  Source(cr, s.Lit(board));
  cairo_rectangle(cr, cx - w / 2, cy - h / 2, w, h);
  cairo_fill(cr);
  SignText(s, utf8, cx, cy, scale, ink);
}

// ---------------------------------------------------------------- finishing

void Finish(Scene& s) {
  cairo_t* cr = s.cr;
  const bool rain = s.mood.weather == Weather::kRain;
  const bool fog = s.mood.weather == Weather::kFog;
  if (fog) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, kHeight);
    const Rgb f = s.Haze();
    Stop(p, 0, f, 0.2);
    Stop(p, s.groundY / kHeight, f, 0.5);
    Stop(p, 1, f, 0.3);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    for (int i = 0; i < 9; ++i) {
      const double y = s.extra.Range(120, 400), x = s.extra.Range(0, 640), w = s.extra.Range(150, 400);
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_scale(cr, w, w * 0.08);
      cairo_pattern_t* wisp = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
      Stop(wisp, 0, Mul(f, 1.2), 0.22);
      Stop(wisp, 1, f, 0);
      cairo_set_source(cr, wisp);
      cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
      cairo_fill(cr);
      cairo_pattern_destroy(wisp);
      cairo_restore(cr);
    }
  }
  if (s.mood.weather == Weather::kSnow) {
    for (int i = 0; i < 420; ++i) {
      const double x = s.extra.Range(0, 640), y = s.extra.Range(0, 480), r = s.extra.Range(0.8, 2.2);
      if (InClockCorner(x, y)) continue;
      Source(cr, {1, 1, 1}, s.extra.Range(0.5, 0.9) * (y > kCalmTop ? 0.5 : 1));
      cairo_arc(cr, x, y, r, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
  if (rain) {
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 500; ++i) {
      const double x = s.extra.Range(-40, 660), y = s.extra.Range(-20, 480), len = s.extra.Range(9, 22);
      const double a = s.extra.Range(0.15, 0.35) * (y > kCalmTop ? 0.45 : 1);
      Source(cr, {0.92, 0.94, 0.98}, a);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x - len * 0.22, y + len);
      cairo_stroke(cr);
    }
  }
  cairo_pattern_t* v = cairo_pattern_create_radial(320, 230, 200, 320, 240, 460);
  Stop(v, 0, {0, 0, 0}, 0);
  Stop(v, 1, {0, 0, 0.03}, s.IsGrey() ? 0.18 : 0.25);
  cairo_set_source(cr, v);
  cairo_paint(cr);
  cairo_pattern_destroy(v);
}

}  // namespace pictures
