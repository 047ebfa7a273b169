// The docks and industry: factory, lighthouse, embankment, fish market, warehouses and the port with the chest.
#include <algorithm>
#include <cmath>

#include "scenes.h"

namespace pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;
using namespace material;

void Gull(Scene& s, double x, double y, double span) {
  cairo_t* cr = s.cr;
  Source(cr, s.IsDay() ? Rgb{0.95, 0.95, 0.95} : s.Lit({0.9, 0.9, 0.9}));
  cairo_set_line_width(cr, std::max(1.2, span * 0.12));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x - span, y - span * 0.2);
  cairo_curve_to(cr, x - span * 0.6, y - span * 0.5, x - span * 0.2, y - span * 0.4, x, y);
  cairo_curve_to(cr, x + span * 0.2, y - span * 0.4, x + span * 0.6, y - span * 0.5, x + span, y - span * 0.2);
  cairo_stroke(cr);
}

void Barrel(Scene& s, double cx, double baseY, double w, double h) {
  cairo_t* cr = s.cr;
  cairo_pattern_t* p = cairo_pattern_create_linear(cx - w / 2, 0, cx + w / 2, 0);
  const Rgb wood = {0.55, 0.36, 0.2};
  Stop(p, 0, s.Lit(Mul(wood, 0.6)));
  Stop(p, 0.35, s.Lit(Mul(wood, s.IsAfternoon() ? 1.4 : 1.2)));
  Stop(p, 1, s.Lit(Mul(wood, 0.5)));
  cairo_set_source(cr, p);
  cairo_move_to(cr, cx - w * 0.42, baseY);
  cairo_curve_to(cr, cx - w * 0.55, baseY - h * 0.35, cx - w * 0.55, baseY - h * 0.65, cx - w * 0.42, baseY - h);
  cairo_line_to(cr, cx + w * 0.42, baseY - h);
  cairo_curve_to(cr, cx + w * 0.55, baseY - h * 0.65, cx + w * 0.55, baseY - h * 0.35, cx + w * 0.42, baseY);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Source(cr, s.Lit({0.2, 0.2, 0.22}));
  for (double t : {0.12, 0.3, 0.7, 0.88}) cairo_rectangle(cr, cx - w * 0.52, baseY - h * t - 1.5, w * 1.04, 3);
  cairo_fill(cr);
}

void Crate(Scene& s, double x, double y, double w, double h, Rgb wood) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit(wood));
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  Source(cr, s.Lit(Mul(wood, 0.6)));
  cairo_set_line_width(cr, 1);
  for (double py = y + h / 4; py < y + h; py += h / 4) {
    cairo_move_to(cr, x, py);
    cairo_line_to(cr, x + w, py);
  }
  cairo_stroke(cr);
  Source(cr, s.Lit(Mul(wood, 1.2)));
  cairo_set_line_width(cr, 3);
  cairo_rectangle(cr, x + 1.5, y + 1.5, w - 3, h - 3);
  cairo_move_to(cr, x + 2, y + 2);
  cairo_line_to(cr, x + w - 2, y + h - 2);
  cairo_stroke(cr);
}

void Bollard(Scene& s, double cx, double baseY, double size) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit({0.12, 0.12, 0.13}));
  cairo_rectangle(cr, cx - size * 0.35, baseY - size, size * 0.7, size);
  cairo_fill(cr);
  EllipsePath(cr, cx, baseY - size, size * 0.55, size * 0.2);
  cairo_fill(cr);
  Source(cr, s.Lit({0.4, 0.4, 0.42}));
  cairo_rectangle(cr, cx - size * 0.3, baseY - size * 0.9, size * 0.12, size * 0.8);
  cairo_fill(cr);
}

// A small hull with a cabin, floating at waterline y.
void Boat(Scene& s, double x, double y, double w, Rgb hull) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit(hull));
  cairo_move_to(cr, x, y - w * 0.12);
  cairo_line_to(cr, x + w, y - w * 0.14);
  cairo_curve_to(cr, x + w * 0.95, y, x + w * 0.85, y + w * 0.04, x + w * 0.75, y + w * 0.04);
  cairo_line_to(cr, x + w * 0.12, y + w * 0.04);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit({0.92, 0.9, 0.84}));
  cairo_rectangle(cr, x + w * 0.35, y - w * 0.26, w * 0.3, w * 0.13);
  cairo_fill(cr);
  Source(cr, s.Lit({0.3, 0.35, 0.4}));
  for (int i = 0; i < 3; ++i) cairo_rectangle(cr, x + w * (0.38 + i * 0.085), y - w * 0.22, w * 0.05, w * 0.05);
  cairo_fill(cr);
  Source(cr, s.Lit({0.7, 0.15, 0.1}));
  cairo_rectangle(cr, x, y - w * 0.02, w, w * 0.02);
  cairo_fill(cr);
  Source(cr, s.Lit({0.25, 0.2, 0.15}));
  cairo_rectangle(cr, x + w * 0.5 - 1, y - w * 0.6, 2, w * 0.35);
  cairo_fill(cr);
}

}  // namespace

void DrawFactory(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 250, 320, 0.85);
  // Gasholder far behind.
  Source(cr, s.Lit({0.45, 0.48, 0.5}, 0.6));
  cairo_rectangle(cr, 520, 190, 110, 120);
  cairo_fill(cr);
  Source(cr, s.Lit({0.35, 0.38, 0.4}, 0.6));
  for (double gx = 524; gx < 630; gx += 15) cairo_rectangle(cr, gx, 186, 2, 124);
  cairo_rectangle(cr, 516, 186, 118, 3);
  cairo_fill(cr);
  // Chimneys with smoke.
  const double chimneys[][3] = {{120, 40, 26}, {220, 20, 30}, {452, 60, 24}};
  for (const auto& c : chimneys) {
    const double cx = c[0], top = c[1], w = c[2];
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - w, 0, cx + w, 0);
    Stop(p, 0, s.Lit(Mul(kBrick, s.IsAfternoon() ? 1.3 : 1.0)));
    Stop(p, 1, s.Lit(Mul(kBrick, 0.6)));
    cairo_set_source(cr, p);
    cairo_move_to(cr, cx - w * 0.5, top);
    cairo_line_to(cr, cx + w * 0.5, top);
    cairo_line_to(cr, cx + w * 0.8, 250);
    cairo_line_to(cr, cx - w * 0.8, 250);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    Source(cr, s.Lit({0.2, 0.2, 0.2}));
    cairo_rectangle(cr, cx - w * 0.6, top, w * 1.2, 6);
    cairo_rectangle(cr, cx - w * 0.58, top + 30, w * 1.16, 3);
    cairo_fill(cr);
    Smoke(s, cx, top - 6, w * 0.7, 10);
  }
  // Saw-tooth halls: the steep glazed faces look north.
  const double hallTop = 200, hallBase = 320;
  Wall(s, 30, hallTop, 580, hallBase - hallTop, kBrick);
  Bricks(s, 30, hallTop, 580, hallBase - hallTop, {0.8, 0.75, 0.7});
  for (int i = 0; i < 10; ++i) {
    const double x = 30 + i * 58;
    Source(cr, s.Lit({0.35, 0.36, 0.4}));
    cairo_move_to(cr, x, hallTop);
    cairo_line_to(cr, x + 58, hallTop);
    cairo_line_to(cr, x + 58, hallTop - 34);
    cairo_close_path(cr);
    cairo_fill(cr);
    Source(cr, s.Lit({0.55, 0.62, 0.7}));
    cairo_rectangle(cr, x + 52, hallTop - 30, 5, 30);
    cairo_fill(cr);
  }
  for (int i = 0; i < 9; ++i) {
    const double x = 46 + i * 64;
    Source(cr, s.Lit({0.8, 0.74, 0.66}));
    ArchPath(cr, x - 2, 222, 36, 62);
    cairo_fill(cr);
    Source(cr, s.Lit({0.22, 0.26, 0.3}));
    ArchPath(cr, x, 224, 32, 58);
    cairo_fill(cr);
    Source(cr, s.Lit({0.3, 0.3, 0.3}));
    for (int k = 1; k < 4; ++k) cairo_rectangle(cr, x + k * 8 - 0.5, 230, 1, 52);
    for (int k = 1; k < 4; ++k) cairo_rectangle(cr, x, 224 + k * 14.5, 32, 1);
    cairo_fill(cr);
  }
  // Front wall with the iron gate and its arch sign.
  Wall(s, 0, 300, 640, 52, Mul(kBrick, 0.9));
  Bricks(s, 0, 300, 640, 52, {0.8, 0.75, 0.7});
  Cornice(s, 0, 296, 640, 5, kGranite);
  const double gx = 250, gw = 140;
  Source(cr, s.Lit({0.15, 0.13, 0.12}));
  cairo_rectangle(cr, gx, 290, gw, 62);
  cairo_fill(cr);
  Source(cr, s.Lit(kBrick));
  cairo_rectangle(cr, gx - 16, 256, 16, 96);
  cairo_rectangle(cr, gx + gw, 256, 16, 96);
  cairo_fill(cr);
  Source(cr, s.Lit(kIron));
  cairo_set_line_width(cr, 2.5);
  for (double bx = gx + 6; bx < gx + gw; bx += 9) {
    cairo_move_to(cr, bx, 352);
    cairo_line_to(cr, bx, 292);
  }
  cairo_move_to(cr, gx, 300);
  cairo_line_to(cr, gx + gw, 300);
  cairo_move_to(cr, gx, 336);
  cairo_line_to(cr, gx + gw, 336);
  cairo_move_to(cr, gx + gw / 2, 292);
  cairo_line_to(cr, gx + gw / 2, 352);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, gx - 8, 258);
  cairo_curve_to(cr, gx + 30, 230, gx + gw - 30, 230, gx + gw + 8, 258);
  cairo_stroke(cr);
  Source(cr, s.Lit({0.2, 0.2, 0.22}));
  cairo_rectangle(cr, gx + 22, 246, gw - 44, 30);
  cairo_fill(cr);
  SignText(s, "ЗАВОД", gx + gw / 2, 261, 2, {0.95, 0.85, 0.6});
  Pavement(s, 352, {0.5, 0.48, 0.46});
  // Workers walking to the gate.
  Person(s, 170, 380, 70, {0.25, 0.27, 0.32}, false);
  Source(cr, s.Lit({0.25, 0.25, 0.28}));
  cairo_rectangle(cr, 164, 312, 12, 5);
  cairo_fill(cr);
  Person(s, 480, 386, 74, {0.3, 0.28, 0.26});
  LampPost(s, 560, 384, 96);
  Finish(s);
}

void DrawLighthouse(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  const double horizon = 292;
  Water(s, horizon, 480);
  // Ship on the horizon; in the afternoon it has steamed across, and a launch is coming in.
  const double shipX = s.variant == 2 ? 250 : 70;
  Source(cr, s.Lit({0.3, 0.3, 0.34}, 0.7));
  cairo_rectangle(cr, shipX, horizon - 8, 44, 7);
  cairo_rectangle(cr, shipX + 16, horizon - 16, 12, 8);
  cairo_fill(cr);
  if (s.variant == 2) Boat(s, 90, 352, 80, {0.55, 0.2, 0.15});
  // Rocks.
  const Rgb rock = {0.42, 0.4, 0.38};
  cairo_pattern_t* rp = cairo_pattern_create_linear(300, 250, 520, 380);
  Stop(rp, 0, s.Lit(Mul(rock, s.IsAfternoon() ? 1.5 : 1.3)));
  Stop(rp, 1, s.Lit(Mul(rock, 0.55)));
  cairo_set_source(cr, rp);
  cairo_move_to(cr, 250, 372);
  cairo_line_to(cr, 290, 330);
  cairo_line_to(cr, 330, 318);
  cairo_line_to(cr, 360, 286);
  cairo_line_to(cr, 400, 270);
  cairo_line_to(cr, 470, 268);
  cairo_line_to(cr, 520, 282);
  cairo_line_to(cr, 560, 300);
  cairo_line_to(cr, 610, 318);
  cairo_line_to(cr, 650, 330);
  cairo_line_to(cr, 650, 380);
  cairo_curve_to(cr, 520, 392, 380, 388, 250, 372);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(rp);
  Source(cr, s.Lit(Mul(rock, 0.5)));
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, 330, 318);
  cairo_line_to(cr, 350, 350);
  cairo_move_to(cr, 470, 268);
  cairo_line_to(cr, 455, 320);
  cairo_line_to(cr, 470, 360);
  cairo_move_to(cr, 560, 300);
  cairo_line_to(cr, 540, 350);
  cairo_stroke(cr);
  // Surf at the foot of the rocks.
  Source(cr, {1, 1, 1}, 0.55);
  for (int i = 0; i < 14; ++i) {
    const double fx = 260 + i * 28 + s.layout.Range(-6, 6);
    EllipsePath(cr, fx, 376 + s.layout.Range(-3, 4), s.layout.Range(8, 18), 2.5);
    cairo_fill(cr);
  }
  // Keeper's cottage.
  Wall(s, 510, 250, 70, 40, {0.92, 0.9, 0.85});
  Roof(s, 510, 250, 70, 24, {0.65, 0.2, 0.15});
  Window(s, 522, 262, 14, 16, {.arched = false, .mullionCols = 2, .mullionRows = 2});
  Window(s, 552, 262, 14, 16, {.arched = false, .mullionCols = 2, .mullionRows = 2});
  Smoke(s, 566, 224, 6, 6);
  // Tower with red bands.
  const double cx = 440, base = 276, top = 96, rb = 34, rt = 22;
  cairo_save(cr);
  cairo_move_to(cr, cx - rb, base);
  cairo_line_to(cr, cx - rt, top);
  cairo_line_to(cr, cx + rt, top);
  cairo_line_to(cr, cx + rb, base);
  cairo_close_path(cr);
  cairo_clip(cr);
  for (int band = 0; band < 5; ++band) {
    const double y0 = top + band * (base - top) / 5;
    Source(cr, s.Lit(band % 2 ? Rgb{0.75, 0.15, 0.12} : Rgb{0.95, 0.94, 0.9}));
    cairo_rectangle(cr, cx - rb, y0, 2 * rb, (base - top) / 5 + 1);
    cairo_fill(cr);
  }
  cairo_pattern_t* shade = cairo_pattern_create_linear(cx - rb, 0, cx + rb, 0);
  Stop(shade, 0, {1, 0.8, 0.5}, s.IsAfternoon() ? 0.3 : 0.1);
  Stop(shade, 0.4, {1, 1, 1}, 0);
  Stop(shade, 1, {0, 0, 0.1}, 0.4);
  cairo_set_source(cr, shade);
  cairo_paint(cr);
  cairo_pattern_destroy(shade);
  cairo_restore(cr);
  Window(s, cx - 4, 150, 8, 14, {.arched = true, .mullionCols = 1, .mullionRows = 1, .sill = false});
  Window(s, cx - 4, 210, 8, 14, {.arched = true, .mullionCols = 1, .mullionRows = 1, .sill = false});
  Door(s, cx - 9, base - 24, 18, 24, {0.3, 0.2, 0.15}, true);
  // Gallery, lantern room and cap.
  Source(cr, s.Lit({0.15, 0.15, 0.17}));
  cairo_rectangle(cr, cx - 32, top - 4, 64, 6);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  for (double rx = cx - 30; rx <= cx + 30; rx += 5) {
    cairo_move_to(cr, rx, top - 4);
    cairo_line_to(cr, rx, top - 14);
  }
  cairo_move_to(cr, cx - 32, top - 14);
  cairo_line_to(cr, cx + 32, top - 14);
  cairo_stroke(cr);
  Source(cr, s.Lit({0.6, 0.7, 0.75}));
  cairo_rectangle(cr, cx - 16, top - 40, 32, 36);
  cairo_fill(cr);
  Source(cr, s.Lit({0.15, 0.15, 0.17}));
  for (double vx : {cx - 16, cx - 5, cx + 5, cx + 15}) cairo_rectangle(cr, vx, top - 40, 1.5, 36);
  cairo_fill(cr);
  Source(cr, s.Lit({0.65, 0.15, 0.12}));
  cairo_move_to(cr, cx - 20, top - 40);
  cairo_curve_to(cr, cx - 16, top - 58, cx + 16, top - 58, cx + 20, top - 40);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_rectangle(cr, cx - 1, top - 66, 2, 12);
  cairo_fill(cr);
  if (s.IsDay()) {
    Gull(s, 200, 140, 12);
    Gull(s, 236, 170, 9);
    Gull(s, 160, 196, 7);
  }
  Finish(s);
}

void DrawEmbankment(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  // Far bank with houses and an arched bridge.
  DistantRoofs(s, 180, 246, 0.75);
  Water(s, 246, 334);
  Source(cr, s.Lit({0.62, 0.6, 0.56}, 0.5));
  cairo_move_to(cr, -10, 206);
  cairo_line_to(cr, 260, 206);
  cairo_line_to(cr, 260, 250);
  for (int i = 0; i < 4; ++i) {
    const double ax = 250 - i * 66;
    cairo_line_to(cr, ax, 250);
    cairo_arc_negative(cr, ax - 28, 250, 24, 0, kPi);
  }
  cairo_line_to(cr, -10, 250);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit({0.4, 0.38, 0.36}, 0.5));
  cairo_rectangle(cr, -10, 200, 270, 6);
  cairo_fill(cr);
  // Moored launch with its rope to a bollard; later a second boat has come alongside.
  if (s.variant == 2) Boat(s, 90, 300, 110, {0.55, 0.2, 0.15});
  Boat(s, 380, 312, 150, {0.2, 0.25, 0.35});
  // Quay wall and promenade.
  Wall(s, 0, 330, 640, 22, {0.55, 0.55, 0.56});
  Pavement(s, 352, {0.62, 0.6, 0.56}, false);
  // Cast-iron railing with rings between posts.
  const Rgb iron = {0.14, 0.15, 0.17};
  Source(cr, s.Lit(iron));
  cairo_rectangle(cr, 0, 300, 640, 4);
  cairo_rectangle(cr, 0, 340, 640, 3);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.5);
  for (double px = 10; px < 640; px += 40) {
    cairo_rectangle(cr, px - 2, 296, 4, 56);
    cairo_fill(cr);
    cairo_arc(cr, px + 20, 322, 10, 0, 2 * kPi);
    cairo_stroke(cr);
    cairo_move_to(cr, px + 6, 304);
    cairo_line_to(cr, px + 13, 314);
    cairo_move_to(cr, px + 34, 304);
    cairo_line_to(cr, px + 27, 314);
    cairo_move_to(cr, px + 6, 340);
    cairo_line_to(cr, px + 13, 330);
    cairo_move_to(cr, px + 34, 340);
    cairo_line_to(cr, px + 27, 330);
    cairo_stroke(cr);
  }
  Source(cr, s.Lit({0.55, 0.45, 0.3}));
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, 520, 304);
  cairo_curve_to(cr, 540, 312, 560, 320, 566, 336);
  cairo_stroke(cr);
  Bollard(s, 566, 352, 14);
  LampPost(s, 130, 354, 120);
  LampPost(s, 450, 354, 120);
  Bench(s, 250, 368, 60);
  Person(s, 330, 390, 80, {0.3, 0.3, 0.33});
  Person(s, 356, 388, 74, {0.5, 0.28, 0.3}, false);
  if (s.IsDay()) Gull(s, 560, 120, 10);
  Finish(s);
}

void DrawFishMarket(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  // Harbour behind the stalls with masts of fishing boats.
  Water(s, 250, 300);
  for (int i = 0; i < 5; ++i) {
    const double bx = 40 + i * 130 + s.layout.Range(-20, 20);
    Boat(s, bx, 272, 70, i % 2 ? Rgb{0.55, 0.2, 0.15} : Rgb{0.2, 0.3, 0.4});
    Source(cr, s.Lit({0.3, 0.25, 0.2}));
    cairo_rectangle(cr, bx + 20, 170, 2, 90);
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.7);
    cairo_move_to(cr, bx + 21, 170);
    cairo_line_to(cr, bx + 66, 262);
    cairo_move_to(cr, bx + 21, 170);
    cairo_line_to(cr, bx - 2, 262);
    cairo_stroke(cr);
  }
  Wall(s, 0, 292, 640, 14, {0.5, 0.5, 0.5});
  Pavement(s, 352, {0.56, 0.55, 0.52});
  Source(cr, s.Lit({0.52, 0.5, 0.48}));
  cairo_rectangle(cr, 0, 300, 640, 52);
  cairo_fill(cr);
  // Sign arch over the market.
  Source(cr, s.Lit(kWood));
  cairo_rectangle(cr, 168, 110, 6, 200);
  cairo_rectangle(cr, 466, 110, 6, 200);
  cairo_fill(cr);
  SignBoard(s, "РЫБНЫЙ РЫНОК", 320, 126, 2, {0.15, 0.3, 0.45}, {1, 0.95, 0.85});
  // Three stalls with striped awnings, crates of fish and hanging scales.
  const Rgb stripes[] = {{0.2, 0.4, 0.7}, {0.2, 0.55, 0.35}, {0.75, 0.2, 0.15}};
  for (int st = 0; st < 3; ++st) {
    const double x = 24 + st * 204, w = 184;
    Source(cr, s.Lit(kWood));
    cairo_rectangle(cr, x + 4, 200, 4, 140);
    cairo_rectangle(cr, x + w - 8, 200, 4, 140);
    cairo_fill(cr);
    for (int i = 0; i < 12; ++i) {
      Source(cr, s.Lit(i % 2 ? Rgb{0.95, 0.94, 0.9} : stripes[st]));
      const double x0 = x + w * i / 12, x1 = x + w * (i + 1) / 12;
      cairo_move_to(cr, x0 + 8, 180);
      cairo_line_to(cr, x1 + 8, 180);
      cairo_line_to(cr, x1 - 4, 214);
      cairo_line_to(cr, x0 - 4, 214);
      cairo_close_path(cr);
      cairo_fill(cr);
      cairo_arc(cr, (x0 + x1) / 2 - 4, 214, (x1 - x0) / 2, 0, kPi);
      cairo_fill(cr);
    }
    // Counter.
    Wall(s, x, 300, w, 42, {0.5, 0.36, 0.22});
    Source(cr, s.Lit({0.35, 0.25, 0.15}));
    for (double px = x + 14; px < x + w; px += 14) cairo_rectangle(cr, px, 300, 1.5, 42);
    cairo_fill(cr);
    // Crates of fish on the counter.
    for (int c = 0; c < 3; ++c) {
      const double cx = x + 8 + c * 58, cy = 278;
      Source(cr, s.Lit({0.62, 0.48, 0.3}));
      cairo_rectangle(cr, cx, cy, 52, 22);
      cairo_fill(cr);
      Source(cr, s.Lit({0.85, 0.9, 0.95}));
      cairo_rectangle(cr, cx + 2, cy + 1, 48, 5);
      cairo_fill(cr);
      for (int f = 0; f < 5; ++f) {
        const double fx = cx + 8 + f * 9, fy = cy + 2 + (f % 2) * 2;
        VerticalGradient(cr, fy - 4, fy + 4, s.Lit({0.85, 0.88, 0.92}), s.Lit({0.35, 0.42, 0.5}));
        cairo_save(cr);
        cairo_translate(cr, fx, fy);
        cairo_rotate(cr, f % 2 ? 0.4 : -0.5);
        EllipsePath(cr, 0, 0, 3, 9);
        cairo_fill(cr);
        cairo_move_to(cr, 0, 8);
        cairo_line_to(cr, -3, 13);
        cairo_line_to(cr, 3, 13);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_restore(cr);
      }
      Source(cr, s.Lit({0.45, 0.33, 0.2}));
      cairo_rectangle(cr, cx, cy + 10, 52, 2);
      cairo_fill(cr);
    }
    // Hanging balance.
    const double sx = x + w / 2;
    Source(cr, s.Lit({0.25, 0.25, 0.25}));
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, sx, 222);
    cairo_line_to(cr, sx, 236);
    cairo_move_to(cr, sx - 20, 236);
    cairo_line_to(cr, sx + 20, 236);
    for (int side = -1; side <= 1; side += 2) {
      cairo_move_to(cr, sx + side * 20, 236);
      cairo_line_to(cr, sx + side * 26, 252);
      cairo_move_to(cr, sx + side * 20, 236);
      cairo_line_to(cr, sx + side * 14, 252);
    }
    cairo_stroke(cr);
    Source(cr, s.Lit(kGold));
    for (int side = -1; side <= 1; side += 2) {
      cairo_move_to(cr, sx + side * 20 - 8, 252);
      cairo_curve_to(cr, sx + side * 20 - 6, 258, sx + side * 20 + 6, 258, sx + side * 20 + 8, 252);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
  }
  // Fishmonger in an apron.
  Person(s, 250, 388, 80, {0.35, 0.35, 0.4}, false);
  Source(cr, s.Lit({0.92, 0.92, 0.88}));
  cairo_rectangle(cr, 240, 330, 20, 34);
  cairo_fill(cr);
  Source(cr, s.Lit({0.3, 0.3, 0.35}));
  cairo_rectangle(cr, 244, 311, 12, 4);
  cairo_fill(cr);
  Barrel(s, 560, 386, 40, 48);
  Barrel(s, 600, 380, 36, 44);
  Gull(s, 120, 70, 14);
  Gull(s, 420, 60, 11);
  Gull(s, 300, 90, 8);
  // A gull on a post.
  Source(cr, s.Lit({0.95, 0.95, 0.95}));
  EllipsePath(cr, 171, 104, 8, 5);
  cairo_fill(cr);
  cairo_arc(cr, 177, 98, 3.5, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, s.Lit({0.95, 0.7, 0.2}));
  cairo_rectangle(cr, 180, 98, 4, 1.5);
  cairo_fill(cr);
  Finish(s);
}

void DrawWarehouse(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 200, 300, 0.9);
  for (int b = 0; b < 2; ++b) {
    const double x = b == 0 ? 14 : 336, w = 290, top = b == 0 ? 110 : 130;
    const Rgb brick = b == 0 ? kBrick : Rgb{0.55, 0.34, 0.26};
    Wall(s, x, top, w, 352 - top, brick);
    Bricks(s, x, top, w, 352 - top, {0.8, 0.75, 0.7});
    Source(cr, s.Lit(Mul(brick, 0.85)));
    cairo_move_to(cr, x - 6, top);
    cairo_line_to(cr, x + w / 2, top - 56);
    cairo_line_to(cr, x + w + 6, top);
    cairo_close_path(cr);
    cairo_fill(cr);
    Source(cr, s.Lit(kGranite));
    cairo_set_line_width(cr, 5);
    cairo_move_to(cr, x - 6, top + 2);
    cairo_line_to(cr, x + w / 2, top - 54);
    cairo_line_to(cr, x + w + 6, top + 2);
    cairo_stroke(cr);
    // Loading doors stacked up the middle, with a hoist beam.
    const double dx = x + w / 2 - 22;
    for (int f = 0; f < 3; ++f) {
      const double dy = top + 10 + f * 64;
      Source(cr, s.Lit({0.38, 0.26, 0.16}));
      cairo_rectangle(cr, dx, dy, 44, 48);
      cairo_fill(cr);
      Source(cr, s.Lit({0.25, 0.17, 0.1}));
      for (int k = 1; k < 6; ++k) cairo_rectangle(cr, dx + k * 7.3, dy, 1, 48);
      cairo_fill(cr);
      cairo_set_line_width(cr, 2);
      cairo_move_to(cr, dx, dy);
      cairo_line_to(cr, dx + 44, dy + 48);
      cairo_stroke(cr);
    }
    Source(cr, s.Lit(kWood));
    cairo_rectangle(cr, x + w / 2 - 4, top - 34, 8, 30);
    cairo_rectangle(cr, x + w / 2 - 4, top - 34, 40, 6);
    cairo_fill(cr);
    Source(cr, s.Lit({0.25, 0.2, 0.15}));
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, x + w / 2 + 32, top - 28);
    cairo_line_to(cr, x + w / 2 + 32, top + 40);
    cairo_stroke(cr);
    cairo_arc(cr, x + w / 2 + 32, top + 44, 4, 0, kPi);
    cairo_stroke(cr);
    // Side windows.
    for (int f = 0; f < 3; ++f) {
      for (int side = 0; side < 2; ++side) {
        const double wx = side == 0 ? x + 28 : x + w - 58;
        for (int k = 0; k < 2; ++k) {
          Window(s, wx + k * 20 - (side == 0 ? 0 : 10), top + 18 + f * 64, 14, 30, {.arched = true, .mullionCols = 1, .mullionRows = 2});
        }
      }
    }
  }
  SignText(s, "СКЛАД", 159, 100, 2, {0.95, 0.93, 0.85});
  SignText(s, "СКЛАД", 481, 120, 2, {0.95, 0.93, 0.85});
  // Ground-floor cargo doors, one slid open.
  for (int b = 0; b < 2; ++b) {
    const double cx = b == 0 ? 159 : 481;
    Source(cr, s.Lit(kGranite));
    ArchPath(cr, cx - 48, 282, 96, 70);
    cairo_fill(cr);
    if (b == 0) {
      Source(cr, s.Lit({0.08, 0.07, 0.06}));
      ArchPath(cr, cx - 42, 288, 84, 64);
      cairo_fill(cr);
      Source(cr, s.Lit({0.4, 0.28, 0.17}));
      cairo_rectangle(cr, cx + 14, 300, 46, 52);
      cairo_fill(cr);
    } else {
      Source(cr, s.Lit({0.4, 0.28, 0.17}));
      ArchPath(cr, cx - 42, 288, 84, 64);
      cairo_fill(cr);
      Source(cr, s.Lit({0.25, 0.17, 0.1}));
      for (int k = 1; k < 8; ++k) cairo_rectangle(cr, cx - 42 + k * 10.5, 300, 1.2, 52);
      cairo_rectangle(cr, cx - 1, 296, 2, 56);
      cairo_fill(cr);
    }
  }
  Pavement(s, 352, {0.52, 0.5, 0.48});
  // Barrels stacked in a pyramid, crates and a handcart.
  Barrel(s, 40, 384, 34, 42);
  Barrel(s, 76, 384, 34, 42);
  Barrel(s, 112, 384, 34, 42);
  Barrel(s, 58, 342, 34, 42);
  Barrel(s, 94, 342, 34, 42);
  Crate(s, 410, 330, 56, 50, {0.6, 0.45, 0.28});
  Crate(s, 468, 340, 44, 40, {0.55, 0.42, 0.26});
  Crate(s, 420, 286, 44, 44, {0.58, 0.44, 0.27});
  const double hx = 560, hy = 384;
  Source(cr, s.Lit(kIron));
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, hx - 20, hy - 10);
  cairo_line_to(cr, hx + 24, hy - 70);
  cairo_move_to(cr, hx - 8, hy - 4);
  cairo_line_to(cr, hx + 34, hy - 64);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2.5);
  cairo_arc(cr, hx - 6, hy - 10, 10, 0, 2 * kPi);
  cairo_stroke(cr);
  Crate(s, hx - 8, hy - 40, 24, 24, {0.6, 0.45, 0.28});
  Person(s, 300, 392, 78, {0.3, 0.28, 0.25}, false);
  Source(cr, s.Lit({0.3, 0.28, 0.26}));
  cairo_rectangle(cr, 293, 314, 14, 5);
  cairo_fill(cr);
  LampPost(s, 360, 380, 96);
  Finish(s);
}

void DrawPort(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  const double waterTop = 250;
  // Breakwater with a harbour light far off.
  DistantRoofs(s, 226, 250, 0.9);
  Water(s, waterTop, 340);
  Source(cr, s.Lit({0.45, 0.45, 0.47}, 0.7));
  cairo_rectangle(cr, 420, 244, 220, 8);
  cairo_fill(cr);
  Source(cr, s.Lit({0.85, 0.85, 0.8}, 0.6));
  cairo_rectangle(cr, 600, 226, 8, 18);
  cairo_fill(cr);
  // Cargo ship alongside the quay.
  const double hullTop = 230, wl = 330;
  Source(cr, s.Lit({0.2, 0.2, 0.22}));
  cairo_move_to(cr, 10, hullTop);
  cairo_line_to(cr, 400, hullTop - 8);
  cairo_line_to(cr, 430, hullTop - 14);
  cairo_line_to(cr, 410, wl);
  cairo_line_to(cr, 30, wl);
  cairo_line_to(cr, 6, hullTop + 30);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit({0.6, 0.15, 0.12}));
  cairo_rectangle(cr, 24, wl - 14, 390, 14);
  cairo_fill(cr);
  Source(cr, s.Lit({0.95, 0.95, 0.9}));
  cairo_rectangle(cr, 10, hullTop + 4, 410, 2);
  cairo_fill(cr);
  for (int i = 0; i < 12; ++i) {
    const double px = 50 + i * 28;
    Source(cr, s.Lit({0.5, 0.55, 0.6}));
    cairo_arc(cr, px, hullTop + 22, 3, 0, 2 * kPi);
    cairo_fill(cr);
  }
  // Superstructure, funnel and masts.
  Wall(s, 220, 176, 120, 52, {0.92, 0.9, 0.84});
  Wall(s, 240, 148, 80, 30, {0.92, 0.9, 0.84});
  WindowGrid(s, 220, 182, 120, 40, 6, 1, 10, 10, {.arched = false, .mullionCols = 1, .mullionRows = 1, .sill = false});
  WindowGrid(s, 240, 152, 80, 22, 5, 1, 8, 8, {.arched = false, .mullionCols = 1, .mullionRows = 1, .sill = false});
  Source(cr, s.Lit({0.2, 0.2, 0.22}));
  cairo_rectangle(cr, 262, 98, 36, 50);
  cairo_fill(cr);
  Source(cr, s.Lit({0.75, 0.15, 0.12}));
  cairo_rectangle(cr, 262, 110, 36, 10);
  cairo_fill(cr);
  Smoke(s, 280, 92, 12, 8);
  Source(cr, s.Lit({0.3, 0.28, 0.25}));
  for (double mx : {90.0, 380.0}) {
    cairo_rectangle(cr, mx - 2, 96, 4, 130);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, mx, 110);
    cairo_line_to(cr, mx + (mx < 200 ? 60 : -60), 200);
    cairo_stroke(cr);
  }
  cairo_set_line_width(cr, 0.8);
  cairo_move_to(cr, 90, 96);
  cairo_line_to(cr, 262, 100);
  cairo_move_to(cr, 298, 100);
  cairo_line_to(cr, 380, 96);
  cairo_move_to(cr, 90, 96);
  cairo_line_to(cr, 10, hullTop);
  cairo_move_to(cr, 380, 96);
  cairo_line_to(cr, 430, hullTop - 14);
  cairo_stroke(cr);
  // Hatches with cargo.
  for (double hx : {120.0, 160.0, 360.0}) {
    Source(cr, s.Lit({0.4, 0.3, 0.2}));
    cairo_rectangle(cr, hx - 14, hullTop - 18, 28, 18);
    cairo_fill(cr);
  }
  // Gantry cranes on the quay.
  for (int c = 0; c < 2; ++c) {
    const double cx = 470 + c * 110;
    const Rgb paint = {0.8, 0.55, 0.15};
    Source(cr, s.Lit(paint));
    cairo_set_line_width(cr, 4);
    cairo_move_to(cr, cx - 24, 340);
    cairo_line_to(cr, cx - 10, 140);
    cairo_move_to(cr, cx + 24, 340);
    cairo_line_to(cr, cx + 10, 140);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.2);
    for (double y = 150; y < 340; y += 22) {
      const double a = (y - 140) / 200 * 14;
      cairo_move_to(cr, cx - 10 - a, y);
      cairo_line_to(cr, cx + 10 + a + 2, y + 22);
      cairo_move_to(cr, cx + 10 + a, y);
      cairo_line_to(cr, cx - 10 - a - 2, y + 22);
    }
    cairo_stroke(cr);
    Wall(s, cx - 16, 120, 32, 24, paint);
    Window(s, cx - 10, 124, 10, 10, {.arched = false, .mullionCols = 1, .mullionRows = 1, .sill = false});
    // Jib reaching over the ship.
    cairo_set_line_width(cr, 3);
    Source(cr, s.Lit(paint));
    cairo_move_to(cr, cx + 10, 126);
    cairo_line_to(cr, cx - 170 + c * 30, 92 + c * 10);
    cairo_move_to(cr, cx + 10, 140);
    cairo_line_to(cr, cx - 170 + c * 30, 96 + c * 10);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, cx, 120);
    cairo_line_to(cr, cx, 80);
    cairo_line_to(cr, cx - 170 + c * 30, 92 + c * 10);
    cairo_stroke(cr);
    Source(cr, s.Lit({0.15, 0.15, 0.15}));
    const double hx = cx - 140 + c * 30;
    cairo_move_to(cr, hx, 98 + c * 8);
    cairo_line_to(cr, hx, 180 + c * 20);
    cairo_stroke(cr);
    cairo_rectangle(cr, hx - 3, 180 + c * 20, 6, 6);
    cairo_fill(cr);
  }
  // Quay edge and paving.
  Wall(s, 0, 336, 640, 16, {0.5, 0.5, 0.5});
  Pavement(s, 352, {0.55, 0.53, 0.5}, false);
  Bollard(s, 110, 352, 16);
  Bollard(s, 540, 352, 16);
  Source(cr, s.Lit({0.6, 0.5, 0.35}));
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, 110, 340);
  cairo_curve_to(cr, 90, 320, 70, 300, 60, wl - 20);
  cairo_stroke(cr);
  // The iron-bound chest, front and centre on the quay.
  const double cx = 320, base = 380, w = 150, h = 62;
  GroundShadow(s, cx, base, w, 80);
  const Rgb oak = {0.5, 0.32, 0.17};
  cairo_pattern_t* body = cairo_pattern_create_linear(cx - w / 2, 0, cx + w / 2, 0);
  Stop(body, 0, s.Lit(Mul(oak, s.IsAfternoon() ? 1.45 : 1.15)));
  Stop(body, 1, s.Lit(Mul(oak, 0.6)));
  cairo_set_source(cr, body);
  cairo_rectangle(cr, cx - w / 2, base - h, w, h);
  cairo_fill(cr);
  cairo_move_to(cr, cx - w / 2, base - h);
  cairo_curve_to(cr, cx - w / 2, base - h - 34, cx + w / 2, base - h - 34, cx + w / 2, base - h);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(body);
  Source(cr, s.Lit(Mul(oak, 0.55)));
  cairo_set_line_width(cr, 1);
  for (double py = base - h + 12; py < base; py += 12) {
    cairo_move_to(cr, cx - w / 2, py);
    cairo_line_to(cr, cx + w / 2, py);
  }
  cairo_stroke(cr);
  const Rgb ironBand = {0.25, 0.25, 0.27};
  Source(cr, s.Lit(ironBand));
  for (double bx : {cx - w / 2, cx - w / 2 + 34, cx + w / 2 - 44, cx + w / 2 - 10}) {
    cairo_rectangle(cr, bx, base - h, 10, h);
    cairo_fill(cr);
    cairo_move_to(cr, bx, base - h);
    cairo_line_to(cr, bx, base - h - (bx == cx - w / 2 || bx == cx + w / 2 - 10 ? 2 : 26));
    cairo_line_to(cr, bx + 10, base - h - (bx == cx - w / 2 || bx == cx + w / 2 - 10 ? 2 : 26));
    cairo_line_to(cr, bx + 10, base - h);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  cairo_rectangle(cr, cx - w / 2, base - h - 2, w, 6);
  cairo_rectangle(cr, cx - w / 2, base - 6, w, 6);
  cairo_fill(cr);
  Source(cr, s.Lit({0.6, 0.6, 0.62}));
  for (double bx : {cx - w / 2 + 5, cx - w / 2 + 39, cx + w / 2 - 39, cx + w / 2 - 5}) {
    for (double by = base - h + 8; by < base - 4; by += 12) {
      cairo_arc(cr, bx, by, 1.4, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
  // Lock plate and keyhole.
  Source(cr, s.Lit(kGold));
  cairo_rectangle(cr, cx - 12, base - h - 6, 24, 30);
  cairo_fill(cr);
  Source(cr, s.Lit({0.05, 0.04, 0.03}));
  cairo_arc(cr, cx, base - h + 6, 3.5, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_move_to(cr, cx - 2, base - h + 7);
  cairo_line_to(cr, cx + 2, base - h + 7);
  cairo_line_to(cr, cx + 3, base - h + 16);
  cairo_line_to(cr, cx - 3, base - h + 16);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Handles.
  Source(cr, s.Lit(ironBand));
  cairo_set_line_width(cr, 3);
  cairo_arc(cr, cx - w / 2 - 2, base - h / 2, 8, 0.5 * kPi, 1.5 * kPi);
  cairo_stroke(cr);
  cairo_arc(cr, cx + w / 2 + 2, base - h / 2, 8, -0.5 * kPi, 0.5 * kPi);
  cairo_stroke(cr);
  LampPost(s, 214, 370, 120);
  Person(s, 470, 380, 74, {0.22, 0.24, 0.3});
  if (s.IsDay()) {
    Gull(s, 150, 60, 12);
    Gull(s, 420, 50, 9);
  }
  Finish(s);
}

}  // namespace pictures
