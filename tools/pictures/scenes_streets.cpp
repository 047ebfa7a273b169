// Streets and offices: station, post office, bank, museum, café, square and telegraph.
#include <cmath>

#include "scenes.h"

namespace pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;
using namespace material;


void Wheel(Scene& s, double cx, double cy, double r, Rgb spokes) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit({0.1, 0.1, 0.1}));
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, s.Lit(spokes));
  cairo_arc(cr, cx, cy, r * 0.8, 0, 2 * kPi);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + std::cos(a) * r * 0.8, cy + std::sin(a) * r * 0.8);
  }
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, r * 0.18, 0, 2 * kPi);
  cairo_fill(cr);
}

// A railway carriage body with a row of windows; wheels are hidden by the platform.
void Carriage(Scene& s, double x, double y, double w, double h, Rgb paint) {
  cairo_t* cr = s.cr;
  VerticalGradient(cr, y, y + h, s.Lit(Mul(paint, 1.15)), s.Lit(Mul(paint, 0.75)));
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  Source(cr, s.Lit({0.25, 0.25, 0.27}));
  cairo_move_to(cr, x - 2, y);
  cairo_curve_to(cr, x + w * 0.3, y - 10, x + w * 0.7, y - 10, x + w + 2, y);
  cairo_close_path(cr);
  cairo_fill(cr);
  for (double wx = x + 8; wx + 14 < x + w - 4; wx += 22) {
    Source(cr, s.Lit({0.3, 0.36, 0.42}));
    cairo_rectangle(cr, wx, y + 8, 14, 16);
    cairo_fill(cr);
  }
  Source(cr, s.Lit(kGold), 0.8);
  cairo_rectangle(cr, x, y + h * 0.72, w, 2);
  cairo_fill(cr);
}

void Locomotive(Scene& s, double x, double baseY) {
  cairo_t* cr = s.cr;
  const Rgb black = {0.16, 0.17, 0.18};
  // Boiler.
  cairo_pattern_t* p = cairo_pattern_create_linear(0, baseY - 62, 0, baseY - 22);
  Stop(p, 0, s.Lit({0.42, 0.44, 0.46}));
  Stop(p, 0.4, s.Lit(black));
  Stop(p, 1, s.Lit(Mul(black, 0.6)));
  cairo_set_source(cr, p);
  cairo_rectangle(cr, x + 10, baseY - 62, 92, 40);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Source(cr, s.Lit(kGold));
  for (double bx : {x + 30, x + 58, x + 86}) cairo_rectangle(cr, bx, baseY - 62, 3, 40);
  cairo_fill(cr);
  // Smokebox front, funnel, dome.
  Source(cr, s.Lit(Mul(black, 0.8)));
  cairo_rectangle(cr, x, baseY - 64, 14, 44);
  cairo_rectangle(cr, x + 16, baseY - 92, 14, 30);
  cairo_rectangle(cr, x + 12, baseY - 96, 22, 6);
  cairo_fill(cr);
  Source(cr, s.Lit(kGold));
  cairo_arc(cr, x + 62, baseY - 62, 9, kPi, 2 * kPi);
  cairo_fill(cr);
  // Cab with its window.
  Source(cr, s.Lit({0.5, 0.12, 0.1}));
  cairo_rectangle(cr, x + 100, baseY - 84, 40, 64);
  cairo_fill(cr);
  Source(cr, s.Lit(black));
  cairo_rectangle(cr, x + 96, baseY - 90, 48, 7);
  cairo_fill(cr);
  Source(cr, s.Lit({0.3, 0.35, 0.4}));
  cairo_rectangle(cr, x + 108, baseY - 76, 22, 18);
  cairo_fill(cr);
  // Cow-catcher, buffers and the red driving wheels above the platform edge.
  Source(cr, s.Lit({0.55, 0.1, 0.08}));
  cairo_rectangle(cr, x - 6, baseY - 24, 150, 6);
  cairo_fill(cr);
  Wheel(s, x + 40, baseY - 10, 16, {0.7, 0.15, 0.1});
  Wheel(s, x + 78, baseY - 10, 16, {0.7, 0.15, 0.1});
  Source(cr, s.Lit({0.7, 0.7, 0.7}));
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, x + 40, baseY - 6);
  cairo_line_to(cr, x + 78, baseY - 6);
  cairo_stroke(cr);
  // Headlamp.
  Source(cr, s.Lit({0.8, 0.8, 0.75}));
  cairo_arc(cr, x + 6, baseY - 70, 4, 0, 2 * kPi);
  cairo_fill(cr);
}

// A man carrying a suitcase.
void Traveller(Scene& s, double x, double baseY, double h, Rgb coat) {
  Person(s, x, baseY, h, coat);
  Source(s.cr, s.Lit({0.45, 0.28, 0.15}));
  cairo_rectangle(s.cr, x + h * 0.13, baseY - h * 0.38, h * 0.2, h * 0.15);
  cairo_fill(s.cr);
}

}  // namespace

void DrawStation(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 230, 300);
  // Platform canopy on iron columns over the waiting train.
  const Rgb iron = {0.22, 0.3, 0.28};
  Carriage(s, 494, 262, 150, 64, {0.2, 0.38, 0.28});
  Locomotive(s, 350, 340);
  Smoke(s, 373, 236, 16, 9);
  Source(cr, s.Lit(Mul(iron, 0.8)));
  cairo_move_to(cr, 440, 190);
  cairo_line_to(cr, 650, 176);
  cairo_line_to(cr, 650, 196);
  cairo_line_to(cr, 440, 206);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit(Mul(iron, 1.3)));
  for (double vx = 444; vx < 650; vx += 8) {
    cairo_move_to(cr, vx, 206 - (vx - 440) * 0.05);
    cairo_line_to(cr, vx + 4, 212 - (vx - 440) * 0.05);
    cairo_line_to(cr, vx + 8, 206 - (vx - 440) * 0.05);
  }
  cairo_fill(cr);
  for (double cx : {470.0, 560.0, 630.0}) {
    Source(cr, s.Lit(iron));
    cairo_rectangle(cr, cx - 3, 205, 6, 135);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, cx - 24, 204);
    cairo_curve_to(cr, cx - 10, 206, cx - 3, 214, cx - 3, 228);
    cairo_move_to(cr, cx + 24, 202);
    cairo_curve_to(cr, cx + 10, 204, cx + 3, 214, cx + 3, 228);
    cairo_stroke(cr);
    HangingLamp(s, cx - 40, 224, 6);
  }
  // Station building with the big fan window and the clock turret.
  const Rgb stone = kOchre;
  Wall(s, 14, 122, 322, 230, stone);
  Cornice(s, 10, 116, 330, 8, kStone);
  Wall(s, 140, 56, 70, 68, stone);
  Cornice(s, 136, 52, 78, 6, kStone);
  Source(cr, s.Lit(kSlate));
  cairo_move_to(cr, 134, 52);
  cairo_line_to(cr, 175, 26);
  cairo_line_to(cr, 216, 52);
  cairo_close_path(cr);
  cairo_fill(cr);
  ClockFace(s, 175, 90, 24);
  const double fx = 94, fy = 134, fw = 162, fh = 126;
  Source(cr, s.Lit(kStone));
  ArchPath(cr, fx - 6, fy - 6, fw + 12, fh + 6);
  cairo_fill(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, fy, 0, fy + fh);
  Stop(g, 0, s.Lit({0.6, 0.7, 0.8}));
  Stop(g, 1, s.Lit({0.2, 0.25, 0.3}));
  cairo_set_source(cr, g);
  ArchPath(cr, fx, fy, fw, fh);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  Source(cr, s.Lit(Mul(iron, 0.9)));
  cairo_set_line_width(cr, 2.5);
  for (int i = 0; i <= 8; ++i) {
    const double a = kPi + i * kPi / 8;
    cairo_move_to(cr, fx + fw / 2, fy + fw / 2);
    cairo_line_to(cr, fx + fw / 2 + std::cos(a) * fw / 2, fy + fw / 2 + std::sin(a) * fw / 2);
  }
  cairo_stroke(cr);
  cairo_arc(cr, fx + fw / 2, fy + fw / 2, fw * 0.22, kPi, 2 * kPi);
  cairo_stroke(cr);
  cairo_rectangle(cr, fx, fy + fw / 2, fw, 3);
  for (int i = 1; i < 6; ++i) cairo_rectangle(cr, fx + fw * i / 6 - 1, fy + fw / 2, 2, fh - fw / 2);
  cairo_fill(cr);
  SignBoard(s, "ВОКЗАЛ", 175, 276, 2, {0.18, 0.22, 0.35}, {1.0, 0.9, 0.6});
  for (int i = 0; i < 3; ++i) Door(s, 60 + i * 95, 296, 40, 56, kWood, true);
  WindowGrid(s, 14, 140, 78, 110, 1, 2, 26, 38, {.arched = true, .mullionCols = 2, .mullionRows = 2});
  WindowGrid(s, 258, 140, 78, 110, 1, 2, 26, 38, {.arched = true, .mullionCols = 2, .mullionRows = 2});
  // Platform edge in front of the train.
  Source(cr, s.Lit({0.7, 0.66, 0.58}));
  cairo_rectangle(cr, 336, 338, 304, 14);
  cairo_fill(cr);
  Source(cr, s.Lit({0.85, 0.75, 0.3}));
  cairo_rectangle(cr, 336, 338, 304, 3);
  cairo_fill(cr);
  Pavement(s, 352, {0.62, 0.6, 0.56}, false);
  Traveller(s, 420, 378, 76, {0.35, 0.32, 0.3});
  Person(s, 560, 370, 70, {0.2, 0.22, 0.3});
  LampPost(s, 70, 392, 100);
  Finish(s);
}

void DrawPostOffice(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 170, 330);
  const Rgb stucco = {0.74, 0.8, 0.72};
  Roof(s, 50, 118, 540, 34, kSlate);
  Wall(s, 50, 118, 540, 234, stucco);
  // Central bay with a gable holding the post horn.
  Wall(s, 240, 94, 160, 258, Mul(stucco, 1.04));
  Pediment(s, 240, 96, 160, 40, kStone);
  Source(cr, s.Lit(kGold));
  cairo_set_line_width(cr, 3);
  cairo_arc(cr, 314, 78, 9, 0.2 * kPi, 2.0 * kPi);
  cairo_stroke(cr);
  cairo_move_to(cr, 322, 80);
  cairo_line_to(cr, 340, 76);
  cairo_line_to(cr, 342, 86);
  cairo_close_path(cr);
  cairo_fill(cr);
  Cornice(s, 46, 114, 548, 7, kStone);
  Cornice(s, 46, 226, 548, 5, kStone);
  const WindowStyle upper{.arched = false, .mullionCols = 2, .mullionRows = 3, .shutters = false};
  WindowGrid(s, 50, 126, 190, 96, 3, 1, 26, 56, upper);
  WindowGrid(s, 400, 126, 190, 96, 3, 1, 26, 56, upper);
  WindowGrid(s, 240, 110, 160, 110, 3, 1, 24, 60, {.arched = true, .mullionCols = 2, .mullionRows = 3});
  WindowGrid(s, 50, 236, 190, 110, 3, 1, 30, 72, {.arched = true, .mullionCols = 3, .mullionRows = 3});
  WindowGrid(s, 400, 236, 190, 110, 3, 1, 30, 72, {.arched = true, .mullionCols = 3, .mullionRows = 3});
  SignBoard(s, "ПОЧТАМТ", 320, 246, 2, {0.12, 0.25, 0.55}, {1, 1, 0.95});
  Door(s, 292, 272, 56, 80, kWood, true);
  Pavement(s, 352, kPaving);
  Steps(s, 286, 352, 68, 12, 2, kStone);
  // The post box on its pedestal.
  const double bx = 478, by = 376;
  GroundShadow(s, bx, by, 26, 70);
  Source(cr, s.Lit({0.2, 0.2, 0.22}));
  cairo_rectangle(cr, bx - 15, by - 10, 30, 10);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(bx - 13, 0, bx + 13, 0);
  const Rgb red = {0.75, 0.12, 0.1};
  Stop(p, 0, s.Lit(Mul(red, s.IsAfternoon() ? 1.3 : 0.8)));
  Stop(p, 0.35, s.Lit(Mul(red, 1.25)));
  Stop(p, 1, s.Lit(Mul(red, 0.55)));
  cairo_set_source(cr, p);
  cairo_rectangle(cr, bx - 13, by - 62, 26, 52);
  cairo_fill(cr);
  cairo_arc(cr, bx, by - 62, 14, kPi, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Source(cr, s.Lit({0.08, 0.05, 0.05}));
  cairo_rectangle(cr, bx - 8, by - 52, 16, 3);
  cairo_fill(cr);
  Source(cr, s.Lit(kGold));
  cairo_rectangle(cr, bx - 14, by - 63, 28, 2);
  cairo_rectangle(cr, bx - 6, by - 42, 12, 8);
  cairo_fill(cr);
  // A postman's bicycle against the wall.
  Source(cr, s.Lit({0.1, 0.1, 0.1}));
  cairo_set_line_width(cr, 2);
  cairo_arc(cr, 140, 338, 13, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_arc(cr, 188, 338, 13, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_move_to(cr, 140, 338);
  cairo_line_to(cr, 160, 316);
  cairo_line_to(cr, 182, 316);
  cairo_line_to(cr, 188, 338);
  cairo_move_to(cr, 160, 316);
  cairo_line_to(cr, 166, 338);
  cairo_line_to(cr, 182, 316);
  cairo_move_to(cr, 156, 310);
  cairo_line_to(cr, 166, 310);
  cairo_move_to(cr, 182, 316);
  cairo_line_to(cr, 184, 306);
  cairo_stroke(cr);
  Source(cr, s.Lit({0.45, 0.3, 0.15}));
  cairo_rectangle(cr, 180, 318, 16, 10);
  cairo_fill(cr);
  Person(s, 400, 386, 78, {0.22, 0.28, 0.4});
  Source(cr, s.Lit({0.45, 0.3, 0.15}));
  cairo_rectangle(cr, 386, 330, 14, 16);
  cairo_fill(cr);
  LampPost(s, 560, 392, 100);
  Finish(s);
}

void DrawBank(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 150, 330);
  const Rgb granite = {0.66, 0.64, 0.62};
  Wall(s, 30, 100, 580, 252, granite);
  // Rusticated base: deep horizontal joints.
  Source(cr, {0, 0, 0.05}, 0.25);
  for (double y = 262; y < 350; y += 11) cairo_rectangle(cr, 30, y, 580, 2);
  cairo_fill(cr);
  // Barred windows on the wings.
  for (int side = 0; side < 2; ++side) {
    const double x = side == 0 ? 30 : 470;
    WindowGrid(s, x, 150, 140, 90, 2, 1, 30, 64, {.arched = false, .mullionCols = 2, .mullionRows = 3});
    for (int i = 0; i < 2; ++i) {
      const double wx = x + 20 + i * 70;
      Window(s, wx, 274, 30, 50, {.arched = true, .mullionCols = 1, .mullionRows = 1});
      Source(cr, s.Lit(kIron));
      for (int b = 1; b < 5; ++b) cairo_rectangle(cr, wx + b * 6 - 1, 276, 2, 48);
      cairo_fill(cr);
    }
  }
  // Attic and frieze with the name.
  Wall(s, 150, 72, 340, 30, granite);
  Cornice(s, 146, 68, 348, 6, granite);
  Source(cr, s.Lit(kGold));
  cairo_arc(cr, 320, 86, 11, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, s.Lit(Mul(kGold, 0.6)));
  cairo_arc(cr, 320, 86, 7, 0, 2 * kPi);
  cairo_fill(cr);
  Cornice(s, 26, 98, 588, 8, granite);
  Wall(s, 150, 106, 340, 46, Mul(granite, 1.05));
  SignText(s, "БАНК", 320, 129, 3, {0.2, 0.18, 0.14});
  Cornice(s, 146, 150, 348, 6, granite);
  // Shadowed recess behind the columns with the open doors and the vault.
  Wall(s, 160, 156, 320, 174, Mul(granite, 0.55));
  const double dx = 286, dy = 214, dw = 68, dh = 116;
  cairo_pattern_t* hall = cairo_pattern_create_radial(320, 280, 5, 320, 280, 70);
  Stop(hall, 0, s.Lit({0.75, 0.7, 0.6}));
  Stop(hall, 1, s.Lit({0.3, 0.28, 0.25}));
  cairo_set_source(cr, hall);
  ArchPath(cr, dx, dy, dw, dh);
  cairo_fill(cr);
  cairo_pattern_destroy(hall);
  // Round vault door with bolts and a handle wheel.
  const double vx = 320, vy = 286, vr = 26;
  Source(cr, s.Lit({0.55, 0.56, 0.58}));
  cairo_arc(cr, vx, vy, vr, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, s.Lit({0.35, 0.36, 0.38}));
  cairo_set_line_width(cr, 2);
  cairo_arc(cr, vx, vy, vr * 0.78, 0, 2 * kPi);
  cairo_stroke(cr);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    cairo_arc(cr, vx + std::cos(a) * vr * 0.9, vy + std::sin(a) * vr * 0.9, 1.5, 0, 2 * kPi);
    cairo_fill(cr);
  }
  Source(cr, s.Lit({0.8, 0.78, 0.7}));
  cairo_set_line_width(cr, 2.2);
  for (int i = 0; i < 3; ++i) {
    const double a = i * kPi / 3 + 0.3;
    cairo_move_to(cr, vx - std::cos(a) * 11, vy - std::sin(a) * 11);
    cairo_line_to(cr, vx + std::cos(a) * 11, vy + std::sin(a) * 11);
  }
  cairo_stroke(cr);
  cairo_arc(cr, vx, vy, 4, 0, 2 * kPi);
  cairo_fill(cr);
  // Bronze leaves folded back.
  Source(cr, s.Lit({0.5, 0.36, 0.18}));
  cairo_rectangle(cr, dx - 12, dy + 34, 12, dh - 34);
  cairo_rectangle(cr, dx + dw, dy + 34, 12, dh - 34);
  cairo_fill(cr);
  for (int i = 0; i < 4; ++i) Column(s, 188 + i * 88, 156, 330, 38, granite);
  Source(cr, s.Lit(Mul(granite, 0.9)));
  cairo_rectangle(cr, 150, 330, 340, 22);
  cairo_fill(cr);
  Pavement(s, 352, kPaving);
  Steps(s, 160, 352, 320, 18, 3, granite);
  LampPost(s, 118, 388, 100);
  LampPost(s, 522, 388, 100);
  // A guard by the door.
  Person(s, 250, 372, 66, {0.18, 0.2, 0.28}, false);
  Source(cr, s.Lit({0.12, 0.14, 0.2}));
  cairo_rectangle(cr, 244, 309, 12, 5);
  cairo_fill(cr);
  Finish(s);
}

void DrawMuseum(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 230, 330);
  const Rgb stone = {0.84, 0.8, 0.72};
  // Drum and dome.
  Wall(s, 228, 126, 184, 64, stone);
  for (int i = 0; i < 8; ++i) {
    const double px = 236 + i * 24;
    Source(cr, s.Lit(Mul(stone, 1.08)));
    cairo_rectangle(cr, px, 128, 6, 60);
    cairo_fill(cr);
    if (i < 7) Window(s, px + 9, 140, 10, 34, {.arched = true, .mullionCols = 1, .mullionRows = 2, .sill = false});
  }
  Cornice(s, 222, 120, 196, 7, stone);
  Dome(s, 320, 122, 100, 72, kCopper);
  Wall(s, 40, 186, 560, 166, stone);
  Cornice(s, 36, 182, 568, 8, stone);
  WindowGrid(s, 40, 196, 180, 150, 3, 2, 24, 50, {.arched = true, .mullionCols = 2, .mullionRows = 3});
  WindowGrid(s, 420, 196, 180, 150, 3, 2, 24, 50, {.arched = true, .mullionCols = 2, .mullionRows = 3});
  // Portico.
  Wall(s, 232, 230, 176, 100, Mul(stone, 0.65));
  Door(s, 298, 268, 44, 62, kWood, true);
  Wall(s, 222, 196, 196, 30, stone);
  SignText(s, "МУЗЕЙ", 320, 211, 2, {0.3, 0.25, 0.18});
  Cornice(s, 218, 192, 204, 5, stone);
  Pediment(s, 218, 192, 204, 40, stone);
  for (int i = 0; i < 4; ++i) {
    const double cx = 244 + i * 50.7;
    Column(s, cx, 226, 330, 18, stone);
  }
  // Exhibition banners between the outer columns.
  for (double bx : {258.0, 368.0}) {
    Source(cr, s.Lit({0.65, 0.12, 0.14}));
    cairo_move_to(cr, bx, 234);
    cairo_line_to(cr, bx + 14, 234);
    cairo_line_to(cr, bx + 14, 290);
    cairo_line_to(cr, bx + 7, 284);
    cairo_line_to(cr, bx, 290);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  Source(cr, s.Lit(Mul(stone, 0.9)));
  cairo_rectangle(cr, 222, 330, 196, 22);
  cairo_fill(cr);
  Pavement(s, 352, kPaving);
  Steps(s, 232, 352, 176, 16, 3, stone);
  // Statue on a plinth: a figure in a long coat with one arm raised.
  const double sx = 520, sy = 388, top = sy - 84;
  GroundShadow(s, sx, sy, 80, 200);
  Steps(s, sx - 40, sy - 12, 80, 12, 2, {0.55, 0.55, 0.57});
  Wall(s, sx - 34, top, 68, 72, {0.5, 0.5, 0.52});
  Cornice(s, sx - 34, top - 6, 68, 7, {0.56, 0.56, 0.58});
  Source(cr, s.Lit(kGold), 0.8);
  cairo_rectangle(cr, sx - 18, top + 26, 36, 3);
  cairo_rectangle(cr, sx - 14, top + 34, 28, 2);
  cairo_fill(cr);
  const Rgb bronze = {0.3, 0.44, 0.38};
  cairo_pattern_t* b = cairo_pattern_create_linear(sx - 24, 0, sx + 24, 0);
  Stop(b, 0, s.Lit(Mul(bronze, s.IsAfternoon() ? 2.0 : 1.5)));
  Stop(b, 0.45, s.Lit(bronze));
  Stop(b, 1, s.Lit(Mul(bronze, 0.5)));
  cairo_set_source(cr, b);
  cairo_pattern_destroy(b);
  const double f = top - 6;
  cairo_move_to(cr, sx - 22, f);
  cairo_curve_to(cr, sx - 18, f - 40, sx - 16, f - 80, sx - 14, f - 104);
  cairo_curve_to(cr, sx - 12, f - 110, sx - 6, f - 112, sx, f - 112);
  cairo_line_to(cr, sx + 10, f - 110);
  cairo_line_to(cr, sx + 24, f - 138);
  cairo_line_to(cr, sx + 30, f - 158);
  cairo_line_to(cr, sx + 36, f - 156);
  cairo_line_to(cr, sx + 32, f - 134);
  cairo_line_to(cr, sx + 16, f - 100);
  cairo_curve_to(cr, sx + 16, f - 70, sx + 18, f - 40, sx + 22, f);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_arc(cr, sx + 1, f - 121, 8, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_arc(cr, sx + 33, f - 162, 6, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, s.Lit(Mul(bronze, 0.45)));
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, sx - 2, f - 100);
  cairo_line_to(cr, sx - 4, f);
  cairo_move_to(cr, sx - 14, f - 100);
  cairo_curve_to(cr, sx - 20, f - 80, sx - 20, f - 60, sx - 14, f - 48);
  cairo_stroke(cr);
  Person(s, 150, 392, 74, {0.4, 0.3, 0.25});
  LampPost(s, 440, 384, 96);
  Finish(s);
}

void DrawCafe(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  // Pale blue plaster and white shutters: nothing like the rose arcade up the hill.
  const Rgb upper = {0.74, 0.82, 0.86};
  Wall(s, 0, 50, 640, 302, upper);
  Cornice(s, 0, 46, 640, 8, kStone);
  Roof(s, 0, 46, 640, 30, {0.55, 0.3, 0.22});
  for (int row = 0; row < 2; ++row) {
    const double y = 70 + row * 86;
    WindowGrid(s, 0, y, 640, 74, 6, 1, 30, 56,
               {.arched = false, .mullionCols = 2, .mullionRows = 3, .shutters = true, .shutterColour = {0.93, 0.92, 0.88}});
    // Little balconies.
    Source(cr, s.Lit(kIron));
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 6; ++i) {
      const double bx = i * 640.0 / 6 + 640.0 / 12;
      cairo_rectangle(cr, bx - 24, y + 52, 48, 2);
      for (double px = bx - 24; px <= bx + 24; px += 4) cairo_rectangle(cr, px, y + 54, 1, 12);
    }
    cairo_fill(cr);
  }
  Cornice(s, 0, 236, 640, 6, kStone);
  // Shop front: wooden frame and big glazing.
  const Rgb green = {0.16, 0.32, 0.24};
  Wall(s, 40, 242, 560, 110, green);
  for (int i = 0; i < 4; ++i) {
    const double x = 56 + i * 140 + (i >= 2 ? 20 : 0);
    if (i == 2) continue;
    VerticalGradient(cr, 282, 346, s.Lit({0.55, 0.6, 0.62}), s.Lit({0.2, 0.22, 0.24}));
    cairo_rectangle(cr, x, 282, 110, 64);
    cairo_fill(cr);
    Source(cr, s.Lit(green));
    cairo_rectangle(cr, x + 54, 282, 3, 64);
    cairo_fill(cr);
  }
  Door(s, 352, 284, 46, 68, green, false);
  // Striped awning with a scalloped edge.
  const double ax = 30, aw = 580, ay = 252, ad = 40;
  const int stripes = 24;
  for (int i = 0; i < stripes; ++i) {
    const double x0 = ax + aw * i / stripes, x1 = ax + aw * (i + 1) / stripes;
    Source(cr, s.Lit(i % 2 ? Rgb{0.95, 0.92, 0.85} : Rgb{0.75, 0.15, 0.15}));
    cairo_move_to(cr, x0 + 6, ay);
    cairo_line_to(cr, x1 + 6, ay);
    cairo_line_to(cr, x1 - 4, ay + ad);
    cairo_arc_negative(cr, (x0 + x1) / 2 - 4, ay + ad, (x1 - x0) / 2, 0, kPi);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  Source(cr, {0, 0, 0}, 0.25);
  cairo_rectangle(cr, ax + 6, ay, aw, 4);
  cairo_fill(cr);
  SignBoard(s, "КАФЕ", 320, 226, 2, {0.14, 0.12, 0.1}, {1, 0.75, 0.35});
  Pavement(s, 352, kPaving);
  // Round tables with cloths and bentwood chairs.
  for (int t = 0; t < 3; ++t) {
    const double tx = 130 + t * 190, ty = 374;
    GroundShadow(s, tx, ty, 40, 30);
    for (int side = -1; side <= 1; side += 2) {
      const double cx = tx + side * 30;
      Source(cr, s.Lit({0.3, 0.18, 0.1}));
      cairo_set_line_width(cr, 2);
      cairo_move_to(cr, cx - 7, ty);
      cairo_line_to(cr, cx - 6, ty - 16);
      cairo_move_to(cr, cx + 7, ty);
      cairo_line_to(cr, cx + 6, ty - 16);
      cairo_stroke(cr);
      cairo_rectangle(cr, cx - 9, ty - 18, 18, 3);
      cairo_fill(cr);
      cairo_arc(cr, cx - side * 2, ty - 30, 9, kPi, 2 * kPi);
      cairo_stroke(cr);
      cairo_move_to(cr, cx - side * 2 - 9, ty - 30);
      cairo_line_to(cr, cx - side * 2 - 8, ty - 17);
      cairo_move_to(cr, cx - side * 2 + 9, ty - 30);
      cairo_line_to(cr, cx - side * 2 + 8, ty - 17);
      cairo_stroke(cr);
    }
    Source(cr, s.Lit({0.2, 0.2, 0.2}));
    cairo_rectangle(cr, tx - 1.5, ty - 26, 3, 26);
    cairo_rectangle(cr, tx - 9, ty - 2, 18, 2);
    cairo_fill(cr);
    Source(cr, s.Lit({0.96, 0.95, 0.92}));
    cairo_move_to(cr, tx - 22, ty - 28);
    cairo_line_to(cr, tx + 22, ty - 28);
    cairo_line_to(cr, tx + 20, ty - 18);
    cairo_line_to(cr, tx - 20, ty - 18);
    cairo_close_path(cr);
    cairo_fill(cr);
    EllipsePath(cr, tx, ty - 28, 22, 4);
    cairo_fill(cr);
    Source(cr, s.Lit({0.95, 0.95, 0.95}));
    cairo_rectangle(cr, tx - 8, ty - 36, 7, 6);
    cairo_fill(cr);
    Source(cr, s.Lit({0.25, 0.15, 0.1}));
    EllipsePath(cr, tx - 4.5, ty - 36, 3.5, 1);
    cairo_fill(cr);
  }
  Person(s, 300, 388, 80, {0.3, 0.3, 0.35});
  Finish(s);
}

void DrawSquare(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 150, 230, 0.85);
  // Houses around the square.
  const Rgb fronts[] = {{0.88, 0.72, 0.66}, {0.86, 0.78, 0.55}, {0.8, 0.8, 0.75}, {0.7, 0.76, 0.8}, {0.9, 0.82, 0.68}};
  double x = -10;
  int k = 0;
  while (x < 650) {
    const double w = s.layout.Range(80, 130);
    const double top = s.layout.Range(150, 190);
    const Rgb c = fronts[k++ % 5];
    Roof(s, x, top, w, 22, {0.55, 0.3, 0.22}, 0.35);
    Wall(s, x, top, w, 330 - top, c, 0.35);
    Cornice(s, x, top - 3, w, 5, kStone, 0.35);
    const int cols = static_cast<int>(w / 28);
    WindowGrid(s, x, top + 8, w, 330 - top - 14, cols, 3, 12, 20, {.arched = false, .mullionCols = 2, .mullionRows = 2}, 0.35);
    x += w;
  }
  Pavement(s, 330, {0.6, 0.58, 0.55});
  // Tram lines sweeping across the square, fading before the text area.
  cairo_set_line_width(cr, 2);
  for (int rail = 0; rail < 4; ++rail) {
    const double off = rail * 8 + (rail >= 2 ? 20 : 0);
    cairo_pattern_t* f = cairo_pattern_create_linear(0, 330, 0, 420);
    Stop(f, 0, s.Lit({0.25, 0.25, 0.27}), 0.8);
    Stop(f, 1, s.Lit({0.25, 0.25, 0.27}), 0.1);
    cairo_set_source(cr, f);
    cairo_move_to(cr, -10, 420 + off);
    cairo_curve_to(cr, 200, 360 + off * 0.4, 420, 340 + off * 0.2, 650, 338 + off * 0.2);
    cairo_stroke(cr);
    cairo_pattern_destroy(f);
  }
  // A tram waiting on the far side, with its trolley pole on the overhead wire; later another one
  // has come in on the right.
  const double tx = s.variant == 2 ? 450 : 40, ty = 262;
  Source(cr, s.Lit({0.15, 0.15, 0.16}));
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 0, 214);
  cairo_line_to(cr, 640, 206);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, tx + 90, ty);
  cairo_line_to(cr, tx + 130, 212);
  cairo_stroke(cr);
  Source(cr, s.Lit({0.75, 0.18, 0.12}));
  cairo_rectangle(cr, tx, ty, 150, 32);
  cairo_fill(cr);
  Source(cr, s.Lit({0.92, 0.86, 0.68}));
  cairo_rectangle(cr, tx, ty + 32, 150, 22);
  cairo_fill(cr);
  Source(cr, s.Lit({0.3, 0.3, 0.3}));
  cairo_rectangle(cr, tx - 2, ty - 4, 154, 5);
  cairo_rectangle(cr, tx, ty + 54, 150, 8);
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) {
    Source(cr, s.Lit({0.45, 0.52, 0.58}));
    cairo_rectangle(cr, tx + 6 + i * 24, ty + 6, 18, 20);
    cairo_fill(cr);
  }
  // Fountain: basin, two bowls on a column and water falling from tier to tier.
  const double fx = 330, fy = 352;
  const Rgb basinStone = {0.74, 0.72, 0.66};
  const double waterLevel = fy - 24;
  GroundShadow(s, fx, fy, 280, 40);
  Source(cr, s.Lit(Mul(basinStone, 0.8)));
  EllipsePath(cr, fx, fy - 8, 140, 20);
  cairo_fill(cr);
  cairo_rectangle(cr, fx - 140, waterLevel, 280, 16);
  cairo_fill(cr);
  Source(cr, s.Lit(Mul(basinStone, 1.1)));
  EllipsePath(cr, fx, waterLevel, 140, 16);
  cairo_fill(cr);
  Source(cr, s.IsDay() ? Rgb{0.42, 0.58, 0.68} : s.Lit({0.45, 0.55, 0.65}));
  EllipsePath(cr, fx, waterLevel, 131, 12);
  cairo_fill(cr);
  cairo_pattern_t* col = cairo_pattern_create_linear(fx - 8, 0, fx + 8, 0);
  Stop(col, 0, s.Lit(Mul(basinStone, 1.15)));
  Stop(col, 1, s.Lit(Mul(basinStone, 0.6)));
  cairo_set_source(cr, col);
  cairo_rectangle(cr, fx - 8, fy - 118, 16, 94);
  cairo_fill(cr);
  cairo_pattern_destroy(col);
  const double tiers[2][2] = {{fy - 66, 58}, {fy - 108, 30}};
  for (int tier = 0; tier < 2; ++tier) {
    const double by = tiers[tier][0], br = tiers[tier][1];
    cairo_pattern_t* bowl = cairo_pattern_create_linear(fx - br, 0, fx + br, 0);
    Stop(bowl, 0, s.Lit(Mul(basinStone, s.IsAfternoon() ? 1.35 : 1.15)));
    Stop(bowl, 1, s.Lit(Mul(basinStone, 0.6)));
    cairo_set_source(cr, bowl);
    cairo_move_to(cr, fx - br, by);
    cairo_curve_to(cr, fx - br * 0.7, by + 20, fx + br * 0.7, by + 20, fx + br, by);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(bowl);
    Source(cr, s.Lit(Mul(basinStone, 1.2)));
    EllipsePath(cr, fx, by, br, 4);
    cairo_fill(cr);
    Source(cr, s.Lit({0.55, 0.7, 0.8}));
    EllipsePath(cr, fx, by, br - 3, 2.5);
    cairo_fill(cr);
    // Sheets of water spilling over the rim.
    const double landY = tier == 0 ? waterLevel : tiers[0][0];
    const double landR = tier == 0 ? br + 30 : br + 16;
    cairo_set_line_width(cr, 1.4);
    for (int side = -1; side <= 1; side += 2) {
      for (int k = 0; k < 5; ++k) {
        const double x0 = fx + side * (br - 2 - k * 3), spread = landR - br + k * 2;
        Source(cr, {0.88, 0.94, 1.0}, 0.55 - k * 0.06);
        cairo_move_to(cr, x0, by + 1);
        cairo_curve_to(cr, x0 + side * spread * 0.6, by - 4, x0 + side * spread, by + (landY - by) * 0.4, x0 + side * spread, landY);
        cairo_stroke(cr);
      }
    }
  }
  // Central jet with spray.
  Source(cr, {0.9, 0.95, 1.0}, 0.8);
  cairo_set_line_width(cr, 2.5);
  cairo_move_to(cr, fx, fy - 110);
  cairo_line_to(cr, fx, fy - 142);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.2);
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, fx, fy - 142);
    cairo_curve_to(cr, fx + side * 8, fy - 150, fx + side * 16, fy - 130, fx + side * 20, fy - 110);
  }
  cairo_stroke(cr);
  Source(cr, {0.9, 0.95, 1.0}, 0.5);
  for (int i = 0; i < 30; ++i) {
    cairo_arc(cr, fx + s.layout.Range(-120, 120), waterLevel + s.layout.Range(-6, 4), 0.9, 0, 2 * kPi);
    cairo_fill(cr);
  }
  // Newspaper kiosk with a domed roof.
  const double kx = 556, ky = 356;
  GroundShadow(s, kx, ky, 60, 80);
  Wall(s, kx - 30, ky - 70, 60, 70, {0.35, 0.5, 0.4});
  Source(cr, s.Lit({0.5, 0.55, 0.55}));
  cairo_rectangle(cr, kx - 22, ky - 58, 44, 26);
  cairo_fill(cr);
  for (int i = 0; i < 4; ++i) {
    Source(cr, s.Lit(i % 2 ? Rgb{0.9, 0.9, 0.85} : Rgb{0.85, 0.8, 0.7}));
    cairo_rectangle(cr, kx - 26 + i * 13, ky - 28, 11, 15);
    cairo_fill(cr);
  }
  Source(cr, s.Lit({0.25, 0.4, 0.32}));
  cairo_move_to(cr, kx - 38, ky - 70);
  cairo_curve_to(cr, kx - 30, ky - 92, kx + 30, ky - 92, kx + 38, ky - 70);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit(kGold));
  cairo_rectangle(cr, kx - 1, ky - 100, 2, 14);
  cairo_fill(cr);
  // Pigeons.
  for (int i = 0; i < 6; ++i) {
    const double px = 180 + s.layout.Range(0, 260), py = 364 + s.layout.Range(0, 12);
    Source(cr, s.Lit({0.45, 0.45, 0.5}));
    EllipsePath(cr, px, py, 4, 2.2);
    cairo_fill(cr);
    cairo_arc(cr, px + 3.5, py - 2, 1.6, 0, 2 * kPi);
    cairo_fill(cr);
  }
  LampPost(s, 470, 376, 100);
  Person(s, 226, 380, 72, {0.35, 0.28, 0.24});
  Finish(s);
}

void DrawTelegraph(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 210, 330);
  const Rgb concrete = {0.82, 0.8, 0.74};
  // Radio mast: a lattice tower on the roof with stay wires and aerials.
  const double mx = 320, mTop = 18, mBase = 150;
  Source(cr, s.Lit({0.3, 0.3, 0.32}));
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, mx, mTop);
  cairo_line_to(cr, 160, mBase);
  cairo_move_to(cr, mx, mTop);
  cairo_line_to(cr, 480, mBase);
  cairo_move_to(cr, mx, 70);
  cairo_line_to(cr, 120, mBase + 10);
  cairo_move_to(cr, mx, 70);
  cairo_line_to(cr, 520, mBase + 10);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2);
  Source(cr, s.Lit({0.45, 0.2, 0.15}));
  cairo_move_to(cr, mx - 1, mTop);
  cairo_line_to(cr, mx - 12, mBase);
  cairo_move_to(cr, mx + 1, mTop);
  cairo_line_to(cr, mx + 12, mBase);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1);
  for (double y = mTop + 8; y < mBase; y += 9) {
    const double half = 1 + (y - mTop) / (mBase - mTop) * 11;
    const double half2 = 1 + (y + 9 - mTop) / (mBase - mTop) * 11;
    cairo_move_to(cr, mx - half, y);
    cairo_line_to(cr, mx + half2, y + 9);
    cairo_move_to(cr, mx + half, y);
    cairo_line_to(cr, mx - half2, y + 9);
  }
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2);
  for (double y : {40.0, 64.0, 88.0}) {
    const double span = 30 + (y - 40) * 0.5;
    cairo_move_to(cr, mx - span, y);
    cairo_line_to(cr, mx + span, y);
    cairo_stroke(cr);
    for (double ex : {mx - span, mx + span}) {
      cairo_move_to(cr, ex, y - 5);
      cairo_line_to(cr, ex, y + 5);
    }
    cairo_stroke(cr);
  }
  Source(cr, s.Lit({0.7, 0.15, 0.12}));
  cairo_arc(cr, mx, mTop - 2, 3, 0, 2 * kPi);
  cairo_fill(cr);
  // Constructivist block with ribbon windows and a glazed stair tower.
  Wall(s, 90, 150, 460, 202, concrete);
  Cornice(s, 86, 146, 468, 6, concrete);
  Wall(s, 90, 150, 460, 36, Mul(concrete, 0.95));
  SignText(s, "ТЕЛЕГРАФ", 320, 168, 2, {0.7, 0.12, 0.1});
  for (int row = 0; row < 3; ++row) {
    const double y = 196 + row * 46;
    for (int i = 0; i < 4; ++i) {
      Window(s, 100 + i * 36, y, 30, 28, {.arched = false, .mullionCols = 3, .mullionRows = 1, .sill = false});
      Window(s, 412 + i * 34, y, 28, 28, {.arched = false, .mullionCols = 3, .mullionRows = 1, .sill = false});
    }
  }
  // Glazed central stair tower.
  Wall(s, 262, 186, 116, 166, Mul(concrete, 1.05));
  for (int i = 0; i < 6; ++i) Window(s, 276, 192 + i * 17, 88, 13, {.arched = false, .mullionCols = 6, .mullionRows = 1, .sill = false});
  Door(s, 296, 296, 48, 56, {0.3, 0.3, 0.32}, false);
  Source(cr, s.Lit({0.25, 0.25, 0.27}));
  cairo_rectangle(cr, 280, 288, 80, 6);
  cairo_fill(cr);
  Pavement(s, 352, kPaving);
  // Telegraph poles with insulators and sagging wires.
  const double poles[] = {40, 600};
  for (double px : poles) {
    Source(cr, s.Lit(kWood));
    cairo_rectangle(cr, px - 3, 120, 6, 270);
    cairo_fill(cr);
    GroundShadow(s, px, 390, 8, 270);
    for (int arm = 0; arm < 2; ++arm) {
      const double ay = 130 + arm * 16;
      Source(cr, s.Lit(kWood));
      cairo_rectangle(cr, px - 26, ay, 52, 4);
      cairo_fill(cr);
      Source(cr, s.Lit({0.85, 0.88, 0.9}));
      for (int i = 0; i < 4; ++i) {
        cairo_rectangle(cr, px - 22 + i * 14, ay - 5, 3, 5);
      }
      cairo_fill(cr);
    }
  }
  Source(cr, s.Lit({0.1, 0.1, 0.1}), 0.85);
  cairo_set_line_width(cr, 0.9);
  for (int arm = 0; arm < 2; ++arm) {
    for (int i = 0; i < 4; ++i) {
      const double ay = 125 + arm * 16;
      const double x0 = 40 - 22 + i * 14 + 1.5, x1 = 600 - 22 + i * 14 + 1.5;
      cairo_move_to(cr, x0, ay);
      cairo_curve_to(cr, x0 + 180, ay + 40, x1 - 180, ay + 40, x1, ay);
      cairo_move_to(cr, x0, ay);
      cairo_curve_to(cr, x0 - 20, ay + 5, -10, ay + 8, -20, ay + 10);
      cairo_move_to(cr, x1, ay);
      cairo_curve_to(cr, x1 + 20, ay + 5, 650, ay + 8, 660, ay + 10);
    }
  }
  cairo_stroke(cr);
  Person(s, 200, 386, 76, {0.26, 0.24, 0.22});
  Person(s, 460, 372, 64, {0.4, 0.36, 0.3});
  Finish(s);
}

}  // namespace pictures
