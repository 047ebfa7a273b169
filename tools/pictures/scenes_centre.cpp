// The civic centre: arcade, town hall, cathedral, park, library, theatre and the grand hotel.
#include <cmath>

#include "scenes.h"

namespace pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;
using namespace material;

// Adds a Gothic pointed arch to the path.
void PointedArch(cairo_t* cr, double x, double y, double w, double h) {
  cairo_move_to(cr, x, y + h);
  cairo_line_to(cr, x, y + w * 0.8);
  cairo_curve_to(cr, x, y + w * 0.3, x + w * 0.3, y + w * 0.05, x + w / 2, y);
  cairo_curve_to(cr, x + w * 0.7, y + w * 0.05, x + w, y + w * 0.3, x + w, y + w * 0.8);
  cairo_line_to(cr, x + w, y + h);
  cairo_close_path(cr);
}

// A shop window with goods on shelves.
void ShopWindow(Scene& s, double x, double y, double w, double h, int goods) {
  cairo_t* cr = s.cr;
  Source(cr, s.Lit(kWood));
  cairo_rectangle(cr, x - 3, y - 3, w + 6, h + 6);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
  Stop(p, 0, s.Lit({0.5, 0.56, 0.6}));
  Stop(p, 1, s.Lit({0.22, 0.24, 0.27}));
  cairo_set_source(cr, p);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Goods: hats, bottles or bolts of cloth, as darker shapes on two shelves.
  const Rgb goodsColour = s.Lit({0.3, 0.22, 0.2});
  for (int shelf = 0; shelf < 2; ++shelf) {
    const double sy = y + h * (0.45 + shelf * 0.4);
    Source(cr, goodsColour, 0.8);
    cairo_rectangle(cr, x + 2, sy, w - 4, 2);
    cairo_fill(cr);
    for (double gx = x + 6; gx < x + w - 6; gx += 11) {
      if (goods == 0) {  // hats
        cairo_save(cr);
        cairo_translate(cr, gx + 3, sy - 1);
        cairo_scale(cr, 5, 1.6);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        cairo_rectangle(cr, gx, sy - 7, 6, 6);
      } else if (goods == 1) {  // bottles
        cairo_rectangle(cr, gx, sy - 10, 4, 10);
        cairo_rectangle(cr, gx + 1.2, sy - 14, 1.6, 4);
      } else {  // cloth
        cairo_rectangle(cr, gx - 1, sy - 9, 8, 9);
      }
    }
    cairo_fill(cr);
  }
  // Reflection streak on the glass.
  Source(cr, {1, 1, 1}, 0.18);
  cairo_move_to(cr, x + w * 0.15, y + h);
  cairo_line_to(cr, x + w * 0.45, y);
  cairo_line_to(cr, x + w * 0.6, y);
  cairo_line_to(cr, x + w * 0.3, y + h);
  cairo_close_path(cr);
  cairo_fill(cr);
}



}  // namespace

void DrawArcade(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 60, 120);
  // Upper storey of rose stone with round-headed windows, and the arcade's name board.
  Roof(s, 0, 62, 640, 26, kSlate);
  Wall(s, 0, 62, 640, 120, kPink);
  Cornice(s, 0, 56, 640, 8, kStone);
  WindowStyle upper{.arched = true, .mullionCols = 2, .mullionRows = 3, .shutters = false};
  // The name board sits at the right, clear of the briefing that is always written over this picture.
  WindowGrid(s, 0, 76, 480, 90, 6, 1, 26, 60, upper);
  SignBoard(s, "АРКАДА", 560, 121, 2, {0.12, 0.24, 0.4}, {0.95, 0.8, 0.4});
  Wall(s, 0, 182, 640, 170, kStone);
  Cornice(s, 0, 178, 640, 9, kStone);
  const int arches = 6;
  const double pitch = 640.0 / arches, pier = 20;
  for (int i = 0; i < arches; ++i) {
    const double x = i * pitch + pier / 2, w = pitch - pier, top = 204;
    // The vaulted passage: dark at the top, warmer lower down.
    VerticalGradient(cr, top, 352, s.Lit({0.18, 0.15, 0.13}), s.Lit({0.45, 0.38, 0.3}));
    ArchPath(cr, x, top, w, 352 - top);
    cairo_fill(cr);
    // Shop front at the back of the passage.
    const int goods = static_cast<int>(s.layout.Next() % 3);
    const Rgb boards[] = {{0.55, 0.15, 0.12}, {0.15, 0.3, 0.2}, {0.15, 0.2, 0.4}};
    Source(cr, s.Lit(boards[i % 3]));
    cairo_rectangle(cr, x + 8, 262, w - 16, 12);
    cairo_fill(cr);
    Source(cr, s.Lit(kGold), 0.8);
    cairo_rectangle(cr, x + 14, 266, w - 28, 3);
    cairo_fill(cr);
    ShopWindow(s, x + 10, 280, w * 0.5, 56, goods);
    Door(s, x + 14 + w * 0.5, 282, w * 0.3, 70, kWood, false);
    // Keystone and archivolt.
    cairo_set_line_width(cr, 5);
    Source(cr, s.Lit(Mul(kStone, 1.08)));
    cairo_arc(cr, x + w / 2, top + w / 2, w / 2 + 2.5, kPi, 2 * kPi);
    cairo_stroke(cr);
    Source(cr, s.Lit(Mul(kStone, 0.9)));
    cairo_move_to(cr, x + w / 2 - 7, top - 6);
    cairo_line_to(cr, x + w / 2 + 7, top - 6);
    cairo_line_to(cr, x + w / 2 + 5, top + 10);
    cairo_line_to(cr, x + w / 2 - 5, top + 10);
    cairo_close_path(cr);
    cairo_fill(cr);
    HangingLamp(s, x + w / 2, top + 34, 7);
  }
  // Pilasters between the arches.
  for (int i = 0; i <= arches; ++i) {
    const double cx = i * pitch;
    Source(cr, s.Lit(Mul(kStone, 1.05)));
    cairo_rectangle(cr, cx - 7, 190, 14, 162);
    cairo_fill(cr);
    Source(cr, s.Lit(Mul(kStone, 0.8)));
    cairo_rectangle(cr, cx + 4, 190, 3, 162);
    cairo_rectangle(cr, cx - 9, 236, 18, 4);
    cairo_fill(cr);
  }
  Pavement(s, 352, kPaving);
  Person(s, 210, 368, 88, {0.3, 0.3, 0.34});
  Person(s, 470, 362, 76, {0.45, 0.35, 0.28}, true, 0.03);
  Finish(s);
}

void DrawTownHall(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 210, 330);
  for (int side = 0; side < 2; ++side) {
    const double x = side == 0 ? 25 : 382;
    Roof(s, x, 176, 233, 52, kSlate);
    // Dormers on the roof.
    for (int d = 0; d < 3; ++d) {
      const double dx = x + 40 + d * 70;
      Wall(s, dx, 148, 22, 26, kSandstone);
      Window(s, dx + 5, 153, 12, 17, {.arched = true, .mullionCols = 1, .mullionRows = 1, .sill = false});
      Roof(s, dx - 2, 149, 26, 10, kSlate);
    }
    Wall(s, x, 176, 233, 176, kSandstone);
    Cornice(s, x, 172, 233, 8, kStone);
    Cornice(s, x, 262, 233, 5, kStone);
    WindowGrid(s, x, 186, 233, 70, 4, 1, 24, 50, {.arched = true, .mullionCols = 2, .mullionRows = 3});
    WindowGrid(s, x, 272, 233, 72, 4, 1, 24, 46, {.arched = false, .mullionCols = 2, .mullionRows = 2, .shutters = false});
  }
  // The tower: clock, belfry and spire.
  Wall(s, 262, 96, 116, 256, kStone);
  Cornice(s, 262, 92, 116, 7, kStone);
  Wall(s, 276, 44, 88, 50, kStone);
  Cornice(s, 276, 40, 88, 6, kStone);
  for (int i = 0; i < 3; ++i) {
    Source(cr, s.Lit({0.12, 0.1, 0.1}));
    ArchPath(cr, 284 + i * 26, 52, 18, 36);
    cairo_fill(cr);
  }
  Source(cr, s.Lit(kCopper));
  cairo_move_to(cr, 272, 40);
  cairo_line_to(cr, 320, 2);
  cairo_line_to(cr, 368, 40);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit(Mul(kCopper, 0.7)));
  cairo_move_to(cr, 320, 2);
  cairo_line_to(cr, 368, 40);
  cairo_line_to(cr, 330, 40);
  cairo_close_path(cr);
  cairo_fill(cr);
  ClockFace(s, 320, 134, 30);
  Window(s, 304, 188, 32, 56, {.arched = true, .mullionCols = 2, .mullionRows = 3});
  // Balcony over the door.
  Source(cr, s.Lit(Mul(kStone, 0.9)));
  cairo_rectangle(cr, 290, 248, 60, 6);
  cairo_fill(cr);
  Source(cr, s.Lit(kIron));
  cairo_set_line_width(cr, 1.2);
  for (double bx = 292; bx <= 348; bx += 4) {
    cairo_move_to(cr, bx, 238);
    cairo_line_to(cr, bx, 248);
  }
  cairo_move_to(cr, 290, 238);
  cairo_line_to(cr, 350, 238);
  cairo_stroke(cr);
  Door(s, 298, 272, 44, 80, kWood, true);
  Flag(s, 372, 24, 70, 40, 22, {0.8, 0.15, 0.15}, {0.95, 0.95, 0.9});
  Pavement(s, 352, kPaving);
  Steps(s, 288, 352, 64, 20, 4, kStone);
  LampPost(s, 236, 372, 86);
  LampPost(s, 404, 372, 86);
  Person(s, 140, 386, 70, {0.25, 0.27, 0.35});
  Finish(s);
}

void DrawCathedral(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 270, 340);
  const Rgb stone = {0.78, 0.74, 0.66};
  // Side aisles with lean-to roofs, lancet windows and flying buttresses.
  for (int side = 0; side < 2; ++side) {
    const double x = side == 0 ? 40 : 480, w = 120;
    const double inner = side == 0 ? x + w : x, outer = side == 0 ? x : x + w;
    Wall(s, x, 240, w, 112, stone, 0.1);
    Source(cr, s.Lit(kSlate, 0.1));
    cairo_move_to(cr, outer, 240);
    cairo_line_to(cr, inner, 200);
    cairo_line_to(cr, inner, 240);
    cairo_close_path(cr);
    cairo_fill(cr);
    for (int k = 0; k < 3; ++k) {
      const double wx = x + 16 + k * 36;
      Source(cr, s.Lit({0.2, 0.25, 0.4}, 0.1));
      PointedArch(cr, wx, 262, 16, 54);
      cairo_fill(cr);
      Source(cr, s.Lit(Mul(stone, 0.85), 0.1));
      cairo_rectangle(cr, wx - 10, 250, 6, 102);
      cairo_fill(cr);
    }
    Source(cr, s.Lit(Mul(stone, 0.9), 0.1));
    cairo_set_line_width(cr, 6);
    const double footX = side == 0 ? x + 6 : x + w - 6;
    const double headX = side == 0 ? 160 : 480;
    cairo_move_to(cr, footX, 236);
    cairo_curve_to(cr, footX + (headX - footX) * 0.4, 190, headX - (headX - footX) * 0.2, 180, headX, 176);
    cairo_stroke(cr);
    Source(cr, s.Lit(stone, 0.1));
    cairo_move_to(cr, footX - 6, 240);
    cairo_line_to(cr, footX, 210);
    cairo_line_to(cr, footX + 6, 240);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  // Nave with its gable and the rose window.
  Wall(s, 250, 150, 140, 200, stone);
  Source(cr, s.Lit(Mul(stone, 1.05)));
  cairo_move_to(cr, 246, 152);
  cairo_line_to(cr, 320, 86);
  cairo_line_to(cr, 394, 152);
  cairo_close_path(cr);
  cairo_fill(cr);
  for (int side = 0; side < 2; ++side) {
    const double x = side == 0 ? 160 : 390;
    Wall(s, x, 116, 90, 236, stone);
    // Buttresses.
    Source(cr, s.Lit(Mul(stone, 0.85)));
    cairo_rectangle(cr, x - 6, 150, 10, 202);
    cairo_rectangle(cr, x + 86, 150, 10, 202);
    cairo_fill(cr);
    // Spire with corner pinnacles.
    Source(cr, s.Lit(Mul(stone, 0.95)));
    cairo_move_to(cr, x + 6, 116);
    cairo_line_to(cr, x + 45, 8);
    cairo_line_to(cr, x + 84, 116);
    cairo_close_path(cr);
    cairo_fill(cr);
    Source(cr, s.Lit(Mul(stone, 0.7)));
    cairo_move_to(cr, x + 45, 8);
    cairo_line_to(cr, x + 84, 116);
    cairo_line_to(cr, x + 52, 116);
    cairo_close_path(cr);
    cairo_fill(cr);
    for (int p = 0; p < 2; ++p) {
      const double px = x + (p ? 84 : 6);
      Source(cr, s.Lit(stone));
      cairo_move_to(cr, px - 6, 118);
      cairo_line_to(cr, px, 84);
      cairo_line_to(cr, px + 6, 118);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
    Source(cr, s.Lit(kGold));
    cairo_rectangle(cr, x + 44, 0, 2, 10);
    cairo_rectangle(cr, x + 40, 3, 10, 2);
    cairo_fill(cr);
    Cornice(s, x, 116, 90, 6, stone);
    // Lancet windows and a belfry louvre.
    for (int w = 0; w < 2; ++w) {
      const double wx = x + 22 + w * 28;
      Source(cr, s.Lit({0.14, 0.12, 0.12}));
      PointedArch(cr, wx, 134, 18, 48);
      cairo_fill(cr);
      Source(cr, s.Lit(Mul(stone, 0.8)));
      for (double ly = 150; ly < 182; ly += 5) cairo_rectangle(cr, wx, ly, 18, 2);
      cairo_fill(cr);
      Source(cr, s.Lit({0.2, 0.25, 0.4}));
      PointedArch(cr, wx + 2, 210, 14, 50);
      cairo_fill(cr);
    }
    Source(cr, s.Lit({0.2, 0.16, 0.14}));
    PointedArch(cr, x + 30, 296, 30, 56);
    cairo_fill(cr);
  }
  // Rose window: ring, petals and spokes of stained glass.
  const double rx = 320, ry = 200, rr = 44;
  Source(cr, s.Lit(Mul(stone, 1.1)));
  cairo_arc(cr, rx, ry, rr + 6, 0, 2 * kPi);
  cairo_fill(cr);
  const Rgb glass[] = {{0.2, 0.3, 0.75}, {0.75, 0.15, 0.2}, {0.9, 0.7, 0.2}};
  for (int i = 0; i < 12; ++i) {
    const double a0 = i * kPi / 6, a1 = a0 + kPi / 6;
    Rgb g = glass[i % 3];
    Source(cr, s.Lit(Mul(g, 0.7)));
    cairo_move_to(cr, rx, ry);
    cairo_arc(cr, rx, ry, rr, a0, a1);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  Source(cr, s.Lit(Mul(stone, 0.95)));
  cairo_set_line_width(cr, 2.5);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    cairo_move_to(cr, rx + std::cos(a) * 12, ry + std::sin(a) * 12);
    cairo_line_to(cr, rx + std::cos(a) * rr, ry + std::sin(a) * rr);
  }
  cairo_stroke(cr);
  for (int i = 0; i < 12; ++i) {
    const double a = (i + 0.5) * kPi / 6;
    cairo_arc(cr, rx + std::cos(a) * rr * 0.62, ry + std::sin(a) * rr * 0.62, rr * 0.22, 0, 2 * kPi);
    cairo_stroke(cr);
  }
  cairo_arc(cr, rx, ry, 12, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, s.Lit(kGold));
  cairo_arc(cr, rx, ry, 7, 0, 2 * kPi);
  cairo_fill(cr);
  // Main portal with receding archivolts.
  for (int k = 0; k < 4; ++k) {
    Source(cr, s.Lit(Mul(stone, 1.0 - k * 0.12)));
    PointedArch(cr, 280 + k * 5, 262 + k * 5, 80 - k * 10, 90 - k * 5);
    cairo_fill(cr);
  }
  Door(s, 300, 290, 40, 62, kWood, true);
  Pavement(s, 352, {0.62, 0.6, 0.56});
  Steps(s, 282, 352, 76, 16, 3, stone);
  Person(s, 470, 392, 80, {0.2, 0.2, 0.22});
  Finish(s);
}

void DrawPark(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 230, 280, 0.9);
  // Far tree line.
  for (double x = -20; x < 680; x += s.layout.Range(30, 55)) {
    const double r = s.layout.Range(26, 44);
    Source(cr, s.Lit({0.2, 0.36, 0.2}, 0.55));
    cairo_arc(cr, x, 282 - r * 0.5, r, 0, 2 * kPi);
    cairo_fill(cr);
  }
  // Lawn.
  VerticalGradient(cr, 280, 480, s.Lit({0.34, 0.5, 0.25}, 0.2), s.Lit({0.28, 0.46, 0.22}));
  cairo_rectangle(cr, 0, 280, 640, 200);
  cairo_fill(cr);
  s.groundY = 300;
  // Gravel path winding to the bandstand.
  // The gravel fades towards the grass near the viewer so the text bands stay readable.
  VerticalGradient(cr, 318, 480, s.Lit({0.78, 0.72, 0.6}, 0.1), s.Lit(Mix({0.78, 0.72, 0.6}, {0.28, 0.46, 0.22}, 0.45)));
  cairo_move_to(cr, 300, 318);
  cairo_curve_to(cr, 280, 360, 380, 400, 330, 480);
  cairo_line_to(cr, 520, 480);
  cairo_curve_to(cr, 520, 400, 360, 360, 345, 318);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Pond with a swan.
  cairo_save(cr);
  cairo_translate(cr, 135, 350);
  cairo_scale(cr, 130, 26);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  Source(cr, s.Lit({0.45, 0.42, 0.35}));
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, 135, 351);
  cairo_scale(cr, 124, 22);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_clip(cr);
  Water(s, 320, 380);
  cairo_reset_clip(cr);
  Source(cr, s.Lit({0.95, 0.95, 0.92}));
  cairo_save(cr);
  cairo_translate(cr, 110, 352);
  cairo_scale(cr, 10, 4);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_fill(cr);
  cairo_set_line_width(cr, 2.2);
  cairo_move_to(cr, 104, 350);
  cairo_curve_to(cr, 100, 344, 98, 340, 102, 337);
  cairo_stroke(cr);
  Source(cr, s.Lit({0.9, 0.5, 0.2}));
  cairo_rectangle(cr, 102, 336, 4, 2);
  cairo_fill(cr);
  // Bandstand: platform, slender columns, railing and an ogee roof.
  const double cx = 322, base = 316;
  Source(cr, s.Lit({0.75, 0.72, 0.66}));
  cairo_rectangle(cr, cx - 76, base - 16, 152, 16);
  cairo_fill(cr);
  Source(cr, s.Lit({0.55, 0.52, 0.48}));
  cairo_rectangle(cr, cx - 76, base - 4, 152, 4);
  cairo_fill(cr);
  Source(cr, s.Lit({0.2, 0.18, 0.17}));
  cairo_rectangle(cr, cx - 66, base - 96, 132, 80);
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) {
    const double px = cx - 66 + i * 26.4;
    Source(cr, s.Lit({0.93, 0.92, 0.88}));
    cairo_rectangle(cr, px - 2.5, base - 100, 5, 84);
    cairo_fill(cr);
  }
  Source(cr, s.Lit({0.93, 0.92, 0.88}));
  cairo_rectangle(cr, cx - 70, base - 38, 140, 3);
  cairo_set_line_width(cr, 1);
  for (double bx = cx - 70; bx < cx + 70; bx += 5) cairo_rectangle(cr, bx, base - 35, 1.2, 19);
  cairo_fill(cr);
  Source(cr, s.Lit({0.93, 0.92, 0.88}));
  cairo_rectangle(cr, cx - 80, base - 106, 160, 8);
  cairo_fill(cr);
  cairo_pattern_t* roof = cairo_pattern_create_linear(cx - 80, 0, cx + 80, 0);
  Stop(roof, 0, s.Lit(Mul(kCopper, s.IsAfternoon() ? 1.4 : 1.15)));
  Stop(roof, 1, s.Lit(Mul(kCopper, 0.6)));
  cairo_set_source(cr, roof);
  cairo_move_to(cr, cx - 84, base - 106);
  cairo_curve_to(cr, cx - 50, base - 120, cx - 20, base - 130, cx - 8, base - 160);
  cairo_line_to(cr, cx + 8, base - 160);
  cairo_curve_to(cr, cx + 20, base - 130, cx + 50, base - 120, cx + 84, base - 106);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(roof);
  Source(cr, s.Lit(kGold));
  cairo_rectangle(cr, cx - 1, base - 176, 2, 16);
  cairo_arc(cr, cx, base - 176, 3, 0, 2 * kPi);
  cairo_fill(cr);
  Tree(s, 56, 318, 300, 170);
  Tree(s, 590, 330, 320, 190);
  Tree(s, 470, 298, 170, 100);
  Bench(s, 420, 346, 54);
  Bench(s, 206, 340, 48);
  LampPost(s, 262, 360, 90);
  LampPost(s, 450, 372, 96);
  Person(s, 410, 348, 56, {0.35, 0.2, 0.22}, true);
  Finish(s);
}

void DrawLibrary(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 150, 330);
  for (int side = 0; side < 2; ++side) {
    const double x = side == 0 ? 14 : 456;
    Wall(s, x, 160, 170, 192, kStone);
    Cornice(s, x, 154, 170, 9, kStone);
    Cornice(s, x, 250, 170, 5, kStone);
    WindowGrid(s, x, 170, 170, 76, 3, 1, 26, 62, {.arched = true, .mullionCols = 2, .mullionRows = 4});
    WindowGrid(s, x, 262, 170, 86, 3, 1, 26, 62, {.arched = false, .mullionCols = 2, .mullionRows = 3});
  }
  // Portico: the wall behind the columns sits in shadow.
  Wall(s, 184, 176, 272, 150, Mul(kStone, 0.72));
  WindowGrid(s, 184, 186, 272, 80, 5, 1, 22, 64, {.arched = true, .mullionCols = 2, .mullionRows = 4}, 0.1);
  Door(s, 300, 262, 40, 64, kWood, true);
  Wall(s, 176, 140, 288, 36, kStone);
  Cornice(s, 174, 134, 292, 8, kStone);
  Cornice(s, 176, 170, 288, 6, kStone);
  SignText(s, "БИБЛИОТЕКА", 320, 155, 2, {0.25, 0.22, 0.18});
  Pediment(s, 174, 134, 292, 58, kStone);
  // A book and lamp of knowledge in the tympanum.
  Source(cr, s.Lit(kGold));
  cairo_move_to(cr, 302, 118);
  cairo_line_to(cr, 320, 122);
  cairo_line_to(cr, 338, 118);
  cairo_line_to(cr, 338, 128);
  cairo_line_to(cr, 320, 131);
  cairo_line_to(cr, 302, 128);
  cairo_close_path(cr);
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) Column(s, 200 + i * 48, 176, 326, 24, kStone);
  Source(cr, s.Lit(Mul(kStone, 0.9)));
  cairo_rectangle(cr, 176, 326, 288, 26);
  cairo_fill(cr);
  Pavement(s, 352, kPaving);
  Steps(s, 184, 352, 272, 24, 4, kStone);
  LampPost(s, 150, 380, 92);
  LampPost(s, 490, 380, 92);
  Person(s, 110, 392, 76, {0.3, 0.25, 0.2});
  Finish(s);
}

void DrawTheatre(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 110, 300);
  const Rgb stucco = kPink;
  Wall(s, 50, 92, 540, 260, stucco);
  // Attic with a lyre.
  Wall(s, 230, 58, 180, 36, stucco);
  Cornice(s, 226, 54, 188, 7, kStone);
  Source(cr, s.Lit(kGold));
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, 308, 88);
  cairo_curve_to(cr, 296, 74, 304, 64, 310, 62);
  cairo_move_to(cr, 332, 88);
  cairo_curve_to(cr, 344, 74, 336, 64, 330, 62);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, 313 + i * 5, 68);
    cairo_line_to(cr, 313 + i * 5, 86);
  }
  cairo_stroke(cr);
  Cornice(s, 46, 88, 548, 9, kStone);
  // Loggia: paired columns in front of tall windows.
  Wall(s, 70, 110, 500, 134, Mul(stucco, 0.7));
  WindowGrid(s, 70, 118, 500, 120, 7, 1, 30, 100, {.arched = true, .mullionCols = 2, .mullionRows = 5});
  for (int i = 0; i < 8; ++i) {
    const double cx = 70 + i * (500.0 / 7);
    Column(s, cx - 8, 112, 244, 13, kStone);
    Column(s, cx + 8, 112, 244, 13, kStone);
  }
  Cornice(s, 56, 244, 528, 8, kStone);
  // Entrances with posters between them.
  const Rgb posterInk[] = {{0.75, 0.15, 0.15}, {0.15, 0.25, 0.55}, {0.85, 0.6, 0.15}, {0.2, 0.45, 0.3}};
  for (int i = 0; i < 5; ++i) {
    const double dx = 84 + i * 98;
    Door(s, dx, 282, 44, 70, {0.4, 0.12, 0.1}, true);
    if (i < 4) {
      const double px = dx + 56, py = 286;
      Source(cr, s.Lit({0.92, 0.88, 0.76}));
      cairo_rectangle(cr, px, py, 30, 44);
      cairo_fill(cr);
      Source(cr, s.Lit(posterInk[i]));
      cairo_rectangle(cr, px + 2, py + 2, 26, 8);
      cairo_fill(cr);
      // A dancer or a mask on each poster.
      if (i % 2 == 0) {
        cairo_arc(cr, px + 15, py + 18, 3, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, px + 15, py + 21);
        cairo_line_to(cr, px + 15, py + 32);
        cairo_line_to(cr, px + 10, py + 41);
        cairo_move_to(cr, px + 15, py + 32);
        cairo_line_to(cr, px + 21, py + 39);
        cairo_move_to(cr, px + 8, py + 22);
        cairo_line_to(cr, px + 22, py + 26);
        cairo_stroke(cr);
      } else {
        cairo_arc(cr, px + 15, py + 26, 9, 0, kPi);
        cairo_fill(cr);
        Source(cr, s.Lit({0.92, 0.88, 0.76}));
        cairo_arc(cr, px + 11, py + 28, 2, 0, 2 * kPi);
        cairo_arc(cr, px + 19, py + 28, 2, 0, 2 * kPi);
        cairo_fill(cr);
      }
      Source(cr, s.Lit({0.3, 0.3, 0.3}), 0.7);
      for (int l = 0; l < 2; ++l) cairo_rectangle(cr, px + 4, py + 36 + l * 3, 22, 1.2);
      cairo_fill(cr);
    }
  }
  // Marquee with a border of bulbs.
  const double mx = 220, my = 244, mw = 200, mh = 40;
  Source(cr, s.Lit({0.35, 0.08, 0.1}));
  cairo_rectangle(cr, mx, my, mw, mh);
  cairo_fill(cr);
  Source(cr, s.Lit({0.2, 0.05, 0.06}));
  cairo_move_to(cr, mx, my + mh);
  cairo_line_to(cr, mx + mw, my + mh);
  cairo_line_to(cr, mx + mw - 10, my + mh + 6);
  cairo_line_to(cr, mx + 10, my + mh + 6);
  cairo_close_path(cr);
  cairo_fill(cr);
  for (double bx = mx + 4; bx <= mx + mw - 3; bx += 8) {
    for (double by : {my + 3, my + mh - 3}) {
      Source(cr, s.Lit({0.85, 0.8, 0.6}));
      cairo_arc(cr, bx, by, 1.8, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
  SignText(s, "ТЕАТР", 320, 264, 2, {1, 0.85, 0.4});
  Pavement(s, 352, kPaving);
  LampPost(s, 36, 390, 100);
  LampPost(s, 604, 390, 100);
  Person(s, 256, 378, 74, {0.15, 0.15, 0.18});
  Person(s, 280, 380, 68, {0.55, 0.2, 0.25}, false);
  Person(s, 470, 372, 70, {0.32, 0.3, 0.28});
  Finish(s);
}

void DrawHotel(Scene& s) {
  cairo_t* cr = s.cr;
  Sky(s);
  DistantRoofs(s, 200, 330);
  const Rgb facade = {0.9, 0.84, 0.72};
  Wall(s, 96, 74, 448, 278, facade);
  // Side towers, set a little forward.
  for (int side = 0; side < 2; ++side) {
    const double x = side == 0 ? 80 : 488;
    Wall(s, x, 60, 72, 292, Mul(facade, 0.96));
    Cornice(s, x, 56, 72, 7, kStone);
    Dome(s, x + 36, 56, 30, 24, kCopper);
  }
  Cornice(s, 96, 70, 448, 8, kStone);
  const WindowStyle win{.arched = false, .mullionCols = 2, .mullionRows = 2};
  WindowGrid(s, 160, 86, 320, 190, 8, 6, 20, 24, win);
  WindowGrid(s, 80, 76, 72, 200, 2, 6, 18, 24, win);
  WindowGrid(s, 488, 76, 72, 200, 2, 6, 18, 24, win);
  // Balcony rails under every other row.
  Source(cr, s.Lit(kIron));
  cairo_set_line_width(cr, 1);
  for (int row = 1; row < 6; row += 2) {
    const double y = 86 + row * (190.0 / 6) + 26;
    cairo_rectangle(cr, 164, y - 6, 312, 1.5);
    for (double bx = 164; bx < 476; bx += 3) cairo_rectangle(cr, bx, y - 6, 0.8, 6);
  }
  cairo_fill(cr);
  Cornice(s, 80, 276, 480, 6, kStone);
  // Rooftop sign on an iron frame.
  Source(cr, s.Lit(kIron));
  cairo_rectangle(cr, 250, 24, 140, 2);
  cairo_rectangle(cr, 262, 26, 2, 44);
  cairo_rectangle(cr, 376, 26, 2, 44);
  cairo_fill(cr);
  SignText(s, "ОТЕЛЬ", 320, 45, 3, {1.0, 0.35, 0.45});
  // Ground floor: lobby windows, awning, revolving door and the doorman.
  for (int i = 0; i < 4; ++i) {
    const double x = 110 + i * 40 + (i >= 2 ? 246 : 0);
    Source(cr, s.Lit(kWood));
    cairo_rectangle(cr, x - 2, 288, 30, 58);
    cairo_fill(cr);
    Source(cr, s.Lit({0.35, 0.4, 0.45}));
    cairo_rectangle(cr, x, 290, 26, 54);
    cairo_fill(cr);
  }
  Source(cr, s.Lit({0.22, 0.2, 0.2}));
  cairo_rectangle(cr, 284, 290, 72, 62);
  cairo_fill(cr);
  cairo_pattern_t* drum = cairo_pattern_create_linear(290, 0, 350, 0);
  const Rgb inside = s.Lit({0.4, 0.45, 0.5});
  Stop(drum, 0, Mul(inside, 0.6));
  Stop(drum, 0.4, inside);
  Stop(drum, 1, Mul(inside, 0.5));
  cairo_set_source(cr, drum);
  cairo_rectangle(cr, 292, 298, 56, 54);
  cairo_fill(cr);
  cairo_pattern_destroy(drum);
  Source(cr, s.Lit(kGold));
  for (double vx : {300.0, 320.0, 338.0}) cairo_rectangle(cr, vx - 1, 298, 2, 54);
  cairo_rectangle(cr, 288, 292, 64, 6);
  cairo_fill(cr);
  // Awning.
  Source(cr, s.Lit({0.5, 0.08, 0.12}));
  cairo_move_to(cr, 262, 268);
  cairo_line_to(cr, 378, 268);
  cairo_line_to(cr, 392, 292);
  cairo_line_to(cr, 248, 292);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, s.Lit(kGold));
  for (double fx = 250; fx < 392; fx += 6) {
    cairo_move_to(cr, fx, 292);
    cairo_line_to(cr, fx + 3, 297);
    cairo_line_to(cr, fx + 6, 292);
  }
  cairo_fill(cr);
  Source(cr, s.Lit(kIron));
  cairo_rectangle(cr, 252, 292, 2, 60);
  cairo_rectangle(cr, 386, 292, 2, 60);
  cairo_fill(cr);
  Pavement(s, 352, kPaving);
  // Red carpet across the pavement.
  Source(cr, s.Lit({0.55, 0.1, 0.12}), 0.85);
  cairo_move_to(cr, 296, 352);
  cairo_line_to(cr, 344, 352);
  cairo_line_to(cr, 356, 384);
  cairo_line_to(cr, 284, 384);
  cairo_close_path(cr);
  cairo_fill(cr);
  // The doorman, in a cap instead of a hat.
  Person(s, 392, 368, 80, {0.45, 0.08, 0.12}, false);
  Source(cr, s.Lit({0.3, 0.05, 0.08}));
  cairo_rectangle(cr, 386, 290, 12, 5);
  cairo_fill(cr);
  Source(cr, s.Lit(kGold));
  cairo_rectangle(cr, 385, 294, 14, 2);
  cairo_fill(cr);
  LampPost(s, 220, 372, 96);
  LampPost(s, 420, 372, 96);
  Person(s, 150, 392, 76, {0.22, 0.22, 0.25});
  Finish(s);
}

}  // namespace pictures
