// Close-ups of the agent's actions: reading the letter, leaving a note, the contact, the chest and the torch search.
#include <algorithm>
#include <array>
#include <cmath>

#include "scenes.h"
#include "sign_font.h"

namespace pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;
using namespace material;

// Cursive-looking scribbles: loops along lines, never real words.
void Scribbles(cairo_t* cr, Rng& r, double x, double y, double w, double lineGap, int lines, Rgb ink, double size) {
  Source(cr, ink, 0.85);
  cairo_set_line_width(cr, std::max(0.8, size * 0.16));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int l = 0; l < lines; ++l) {
    const double ly = y + l * lineGap;
    double px = x + (l == 0 ? w * 0.12 : 0);
    const double end = x + w * (l == lines - 1 ? r.Range(0.3, 0.6) : r.Range(0.88, 1.0));
    while (px < end) {
      const double word = r.Range(3, 8) * size;
      cairo_move_to(cr, px, ly);
      for (double wx = px; wx < std::min(end, px + word); wx += size * 0.8) {
        const double up = r.Range(0.5, 1.0) * size * (r.Chance(0.15) ? 2.0 : 1.0);
        cairo_curve_to(cr, wx + size * 0.1, ly - up, wx + size * 0.5, ly - up, wx + size * 0.45, ly);
        cairo_curve_to(cr, wx + size * 0.45, ly + size * 0.2, wx + size * 0.7, ly + size * 0.15, wx + size * 0.8, ly);
      }
      cairo_stroke(cr);
      px += word + size * r.Range(1.2, 2.0);
    }
  }
}

// Letters of the game font drawn directly in a colour (for stamps and labels in close-ups).
void FontText(cairo_t* cr, const SignFont* font, std::string_view utf8, double cx, double cy, int scale, Rgb ink, double alpha) {
  if (font == nullptr || !font->Loaded()) return;
  const double w = SignFont::TextWidth(utf8, scale);
  Source(cr, ink, alpha);
  font->FillText(cr, utf8, std::round(cx - w / 2), std::round(cy - SignFont::kGlyphHeight * scale / 2.0), scale);
}

// A hand with a coat sleeve, reaching from (sx, sy) towards (hx, hy).
void Hand(cairo_t* cr, double sx, double sy, double hx, double hy, double size, Rgb skin, Rgb sleeve, double light) {
  const double a = std::atan2(hy - sy, hx - sx);
  const double len = std::hypot(hx - sx, hy - sy);
  cairo_save(cr);
  cairo_translate(cr, sx, sy);
  cairo_rotate(cr, a);
  // Sleeve and cuff.
  VerticalGradient(cr, -size, size, Mul(sleeve, 1.4 * light), Mul(sleeve, 0.5 * light));
  cairo_move_to(cr, 0, -size * 0.9);
  cairo_line_to(cr, len - size * 1.1, -size * 0.7);
  cairo_line_to(cr, len - size * 1.1, size * 0.7);
  cairo_line_to(cr, 0, size * 0.9);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, Mul({0.9, 0.88, 0.82}, light));
  cairo_rectangle(cr, len - size * 1.2, -size * 0.55, size * 0.22, size * 1.1);
  cairo_fill(cr);
  // Back of the hand, fingers together, thumb below.
  VerticalGradient(cr, -size * 0.5, size * 0.5, Mul(skin, 1.15 * light), Mul(skin, 0.7 * light));
  cairo_move_to(cr, len - size * 1.0, -size * 0.45);
  cairo_curve_to(cr, len - size * 0.4, -size * 0.6, len + size * 0.2, -size * 0.45, len + size * 0.45, -size * 0.15);
  cairo_curve_to(cr, len + size * 0.55, 0, len + size * 0.4, size * 0.2, len + size * 0.1, size * 0.25);
  cairo_curve_to(cr, len - size * 0.3, size * 0.5, len - size * 0.7, size * 0.5, len - size * 1.0, size * 0.45);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_move_to(cr, len - size * 0.8, size * 0.3);
  cairo_curve_to(cr, len - size * 0.4, size * 0.7, len - size * 0.1, size * 0.7, len + size * 0.05, size * 0.55);
  cairo_curve_to(cr, len - size * 0.2, size * 0.4, len - size * 0.5, size * 0.3, len - size * 0.8, size * 0.3);
  cairo_fill(cr);
  Source(cr, Mul(skin, 0.55 * light), 0.6);
  cairo_set_line_width(cr, 0.8);
  for (int f = 0; f < 3; ++f) {
    const double fy = -size * 0.28 + f * size * 0.17;
    cairo_move_to(cr, len - size * 0.15, fy);
    cairo_line_to(cr, len + size * 0.35, fy * 0.8);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

// Paper sheet with a slight curl, drawn in local coordinates after a rotation.
void Sheet(cairo_t* cr, double x, double y, double w, double h, double angle, Rgb paper, double light) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  Source(cr, {0, 0, 0}, 0.35);
  cairo_rectangle(cr, 6, 8, w, h);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, h);
  Stop(p, 0, Mul(paper, 1.05 * light));
  Stop(p, 1, Mul(paper, 0.75 * light));
  cairo_set_source(cr, p);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, w, 0);
  cairo_line_to(cr, w, h - 14);
  cairo_curve_to(cr, w - 4, h - 6, w - 10, h, w - 18, h);
  cairo_line_to(cr, 0, h);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

// A warm pool of light over the whole picture, dark towards the edges.
void LampLight(cairo_t* cr, double x, double y, double r, double darkness) {
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, r * 0.15, x, y, r);
  Stop(p, 0, {1, 0.85, 0.55}, 0.0);
  Stop(p, 0.5, {0.1, 0.05, 0.0}, darkness * 0.4);
  Stop(p, 1, {0, 0, 0}, darkness);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
}

void Glint(cairo_t* cr, double x, double y, double r) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
  Stop(p, 0, {1, 0.95, 0.7}, 0.9);
  Stop(p, 1, {1, 0.8, 0.4}, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Source(cr, {1, 0.97, 0.85}, 0.9);
  for (int i = 0; i < 4; ++i) {
    const double a = i * kPi / 2 + 0.3;
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + std::cos(a + 0.12) * r * 0.2, y + std::sin(a + 0.12) * r * 0.2);
    cairo_line_to(cr, x + std::cos(a) * r * 1.3, y + std::sin(a) * r * 1.3);
    cairo_line_to(cr, x + std::cos(a - 0.12) * r * 0.2, y + std::sin(a - 0.12) * r * 0.2);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// An old bit key lying at an angle.
void Key(cairo_t* cr, double x, double y, double size, double angle, Rgb metal) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  Source(cr, Mul(metal, 0.4), 0.5);
  cairo_set_line_width(cr, size * 0.22);
  cairo_arc(cr, 1.5, 1.5, size * 0.45, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_rectangle(cr, size * 0.45 + 1.5, -size * 0.1 + 1.5, size * 1.7, size * 0.2);
  cairo_fill(cr);
  VerticalGradient(cr, -size * 0.5, size * 0.5, Mul(metal, 1.3), Mul(metal, 0.6));
  cairo_arc(cr, 0, 0, size * 0.45, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_rectangle(cr, size * 0.45, -size * 0.1, size * 1.7, size * 0.2);
  cairo_rectangle(cr, size * 1.75, size * 0.1, size * 0.12, size * 0.35);
  cairo_rectangle(cr, size * 1.95, size * 0.1, size * 0.18, size * 0.28);
  cairo_fill(cr);
  cairo_restore(cr);
}

void WoodGrain(cairo_t* cr, Rng& r, double x, double y, double w, double h, Rgb wood, bool vertical) {
  Source(cr, wood);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < static_cast<int>((vertical ? w : h) / 3); ++i) {
    const double t = r.Uniform();
    Source(cr, r.Chance(0.5) ? Mul(wood, 0.75) : Mul(wood, 1.15), 0.35);
    if (vertical) {
      const double gx = x + t * w;
      cairo_move_to(cr, gx, y);
      cairo_curve_to(cr, gx + r.Range(-4, 4), y + h * 0.3, gx + r.Range(-4, 4), y + h * 0.7, gx, y + h);
    } else {
      const double gy = y + t * h;
      cairo_move_to(cr, x, gy);
      cairo_curve_to(cr, x + w * 0.3, gy + r.Range(-4, 4), x + w * 0.7, gy + r.Range(-4, 4), x + w, gy);
    }
    cairo_stroke(cr);
  }
}

// An envelope seen from the back; a sealed one keeps its flap down under an unbroken seal.
void Envelope(cairo_t* cr, double x, double y, double w, double h, double angle, double light, bool sealed = false) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  const Rgb paper = Mul({0.86, 0.8, 0.66}, light);
  Source(cr, {0, 0, 0}, 0.35);
  cairo_rectangle(cr, 5, 7, w, h);
  cairo_fill(cr);
  Source(cr, paper);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_fill(cr);
  Source(cr, Mul(paper, 0.85));
  cairo_move_to(cr, 0, h);
  cairo_line_to(cr, w / 2, h * 0.45);
  cairo_line_to(cr, w, h);
  cairo_close_path(cr);
  cairo_fill(cr);
  if (sealed) {
    Source(cr, Mul(paper, 0.92));
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, w / 2, h * 0.58);
    cairo_line_to(cr, w, 0);
    cairo_close_path(cr);
    cairo_fill(cr);
    Source(cr, Mul(paper, 0.6), 0.6);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, w / 2, h * 0.58);
    cairo_line_to(cr, w, 0);
    cairo_stroke(cr);
    Source(cr, Mul({0.6, 0.08, 0.06}, light));
    cairo_arc(cr, w / 2, h * 0.55, h * 0.11, 0, 2 * kPi);
    cairo_fill(cr);
    Source(cr, Mul({0.4, 0.05, 0.04}, light));
    cairo_set_line_width(cr, 1.2);
    cairo_arc(cr, w / 2, h * 0.55, h * 0.06, 0, 2 * kPi);
    cairo_stroke(cr);
    cairo_restore(cr);
    return;
  }
  // The opened flap, folded up, with a broken wax seal.
  Source(cr, Mul(paper, 0.92));
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, w / 2, -h * 0.55);
  cairo_line_to(cr, w, 0);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, Mul(paper, 0.6), 0.6);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, w, 0);
  cairo_stroke(cr);
  Source(cr, Mul({0.6, 0.08, 0.06}, light));
  cairo_arc(cr, w / 2, -h * 0.38, h * 0.1, 0, 2 * kPi);
  cairo_fill(cr);
  Source(cr, Mul({0.35, 0.04, 0.03}, light));
  cairo_set_line_width(cr, 1.2);
  cairo_move_to(cr, w / 2 - h * 0.08, -h * 0.42);
  cairo_line_to(cr, w / 2 + h * 0.06, -h * 0.33);
  cairo_stroke(cr);
  // Address and stamp.
  Source(cr, Mul({0.3, 0.45, 0.6}, light));
  cairo_rectangle(cr, w * 0.78, h * 0.1, w * 0.14, h * 0.25);
  cairo_fill(cr);
  cairo_restore(cr);
}

// Daylight from a window on the left: the far corner stays a little darker.
void WindowLight(cairo_t* cr, double darkness) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 640, 480);
  Stop(p, 0, {1, 0.98, 0.9}, 0.12);
  Stop(p, 0.5, {0, 0, 0}, 0);
  Stop(p, 1, {0, 0, 0.05}, darkness);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
}

// A pencil held by its end at (x, y), its point at angle a.
void Pencil(cairo_t* cr, double x, double y, double len, double a) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, a);
  Source(cr, {0.85, 0.65, 0.15});
  cairo_rectangle(cr, 0, -4, len - 18, 8);
  cairo_fill(cr);
  Source(cr, {0.6, 0.45, 0.1});
  cairo_rectangle(cr, 0, 1.5, len - 18, 2.5);
  cairo_fill(cr);
  Source(cr, {0.9, 0.78, 0.6});
  cairo_move_to(cr, len - 18, -4);
  cairo_line_to(cr, len, 0);
  cairo_line_to(cr, len - 18, 4);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, {0.15, 0.15, 0.17});
  cairo_move_to(cr, len - 6, -1.3);
  cairo_line_to(cr, len, 0);
  cairo_line_to(cr, len - 6, 1.3);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, {0.8, 0.45, 0.45});
  cairo_rectangle(cr, -10, -4, 10, 8);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

void DrawLetter(cairo_t* cr, int index, const SignFont*) {
  // Looking for the letter and opening it: never the text itself, since there may be nothing to read.
  Rng r(HashName("LETTER", static_cast<std::uint64_t>(index)));
  const Rgb skin = {0.85, 0.65, 0.5}, sleeve = {0.2, 0.2, 0.24};
  if (index == 1) {
    // A sealed envelope on the desk by day, and a paper knife at its flap.
    WoodGrain(cr, r, 0, 0, 640, 480, {0.45, 0.28, 0.15}, false);
    Sheet(cr, 60, 300, 170, 120, 0.2, {0.9, 0.88, 0.8}, 0.95);
    Envelope(cr, 200, 130, 280, 160, -0.08, 1.0, true);
    cairo_save(cr);
    cairo_translate(cr, 470, 150);
    cairo_rotate(cr, 2.6);
    Source(cr, {0.78, 0.78, 0.8});
    cairo_move_to(cr, 0, -5);
    cairo_line_to(cr, 120, -2);
    cairo_line_to(cr, 130, 0);
    cairo_line_to(cr, 120, 3);
    cairo_line_to(cr, 0, 5);
    cairo_close_path(cr);
    cairo_fill(cr);
    Source(cr, {0.3, 0.18, 0.1});
    cairo_rectangle(cr, -60, -7, 60, 14);
    cairo_fill(cr);
    cairo_restore(cr);
    Hand(cr, 700, 250, 512, 136, 34, skin, sleeve, 0.95);
    Hand(cr, -40, 300, 200, 250, 36, skin, sleeve, 0.9);
    WindowLight(cr, 0.35);
    return;
  }
  if (index == 2) {
    // An open desk drawer: a hand goes through papers, folders and pencils.
    WoodGrain(cr, r, 0, 0, 640, 480, {0.38, 0.24, 0.13}, false);
    Source(cr, {0.2, 0.12, 0.06});
    cairo_rectangle(cr, 90, 90, 460, 330);
    cairo_fill(cr);
    WoodGrain(cr, r, 104, 104, 432, 302, {0.55, 0.38, 0.22}, true);
    Source(cr, {0, 0, 0}, 0.3);
    cairo_rectangle(cr, 104, 104, 432, 24);
    cairo_fill(cr);
    Sheet(cr, 130, 140, 200, 150, -0.05, {0.92, 0.9, 0.84}, 0.95);
    Sheet(cr, 300, 150, 190, 140, 0.07, {0.75, 0.62, 0.42}, 1.0);
    Sheet(cr, 160, 250, 220, 130, 0.12, {0.88, 0.86, 0.8}, 0.9);
    for (int i = 0; i < 3; ++i) {
      cairo_save(cr);
      cairo_translate(cr, 420 + i * 18, 290);
      cairo_rotate(cr, 1.4 + i * 0.05);
      Source(cr, i == 1 ? Rgb{0.15, 0.3, 0.55} : Rgb{0.8, 0.6, 0.15});
      cairo_rectangle(cr, 0, -3, 100, 6);
      cairo_fill(cr);
      cairo_restore(cr);
    }
    // The drawer front, pulled towards the viewer.
    Source(cr, {0.42, 0.26, 0.13});
    cairo_rectangle(cr, 80, 410, 480, 70);
    cairo_fill(cr);
    // A dull handle: the text rows are written over this band.
    Source(cr, {0.36, 0.26, 0.14});
    cairo_rectangle(cr, 290, 436, 60, 10);
    cairo_fill(cr);
    Hand(cr, 680, 120, 330, 230, 40, skin, sleeve, 0.95);
    WindowLight(cr, 0.3);
    return;
  }
  // At a window by day: the envelope lies on the sill, the hand reaches for it.
  VerticalGradient(cr, 0, 300, {0.42, 0.6, 0.85}, {0.8, 0.87, 0.95});
  cairo_paint(cr);
  // Houses across the street: plastered fronts under tiled roofs.
  const Rgb fronts[] = {{0.9, 0.84, 0.72}, {0.88, 0.75, 0.7}, {0.8, 0.84, 0.86}, {0.92, 0.86, 0.62}};
  for (double x = -20; x < 640;) {
    const double w = r.Range(70, 120), top = r.Range(175, 225);
    Source(cr, Mul(fronts[static_cast<int>(r.Next() % 4)], 0.92));
    cairo_rectangle(cr, x, top, w, 300 - top);
    cairo_fill(cr);
    Source(cr, {0.62, 0.3, 0.22});
    cairo_move_to(cr, x - 4, top);
    cairo_line_to(cr, x + w / 2, top - w * 0.25);
    cairo_line_to(cr, x + w + 4, top);
    cairo_close_path(cr);
    cairo_fill(cr);
    Source(cr, {0.35, 0.42, 0.52});
    for (double wy = top + 14; wy < 290; wy += 34) {
      for (double wx = x + 12; wx < x + w - 18; wx += 26) cairo_rectangle(cr, wx, wy, 12, 18);
    }
    cairo_fill(cr);
    x += w;
  }
  // Window frame and sill.
  Source(cr, {0.9, 0.88, 0.82});
  cairo_rectangle(cr, 0, 0, 640, 30);
  cairo_rectangle(cr, 0, 0, 50, 300);
  cairo_rectangle(cr, 590, 0, 50, 300);
  cairo_rectangle(cr, 310, 0, 20, 300);
  cairo_rectangle(cr, 0, 150, 640, 14);
  cairo_fill(cr);
  WoodGrain(cr, r, 0, 290, 640, 190, {0.55, 0.38, 0.22}, false);
  Source(cr, {0, 0, 0}, 0.25);
  cairo_rectangle(cr, 0, 290, 640, 8);
  cairo_fill(cr);
  Envelope(cr, 250, 330, 170, 95, -0.06, 1.0, true);
  // A flower pot at the side.
  Source(cr, {0.7, 0.35, 0.22});
  cairo_move_to(cr, 500, 300);
  cairo_line_to(cr, 580, 300);
  cairo_line_to(cr, 568, 380);
  cairo_line_to(cr, 512, 380);
  cairo_close_path(cr);
  cairo_fill(cr);
  for (int i = 0; i < 9; ++i) {
    const double lx = 540 + r.Range(-30, 30), ly = 290 - r.Range(0, 60);
    Source(cr, {0.2, 0.4, 0.15});
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, 540, 300);
    cairo_line_to(cr, lx, ly);
    cairo_stroke(cr);
    Source(cr, i % 2 ? Rgb{0.25, 0.5, 0.2} : Rgb{0.35, 0.6, 0.25});
    EllipsePath(cr, lx, ly, 14, 8);
    cairo_fill(cr);
  }
  Hand(cr, -40, 470, 250, 380, 38, skin, sleeve, 0.95);
  WindowLight(cr, 0.25);
}

void DrawNote(cairo_t* cr, int index, const SignFont*) {
  // Writing the note: the same whether the agent can still take it or the time is refused.
  Rng r(HashName("NOTE", static_cast<std::uint64_t>(index)));
  const Rgb skin = {0.85, 0.65, 0.5};
  const Rgb ink = {0.25, 0.25, 0.3};
  if (index == 1) {
    // A notepad on the slats of a park bench, a pencil halfway along a line.
    VerticalGradient(cr, 0, 480, {0.42, 0.55, 0.28}, {0.3, 0.42, 0.2});
    cairo_paint(cr);
    for (int i = 0; i < 500; ++i) {
      const double x = r.Range(0, 640), y = r.Range(0, 480);
      Source(cr, r.Chance(0.5) ? Rgb{0.55, 0.65, 0.3} : Rgb{0.22, 0.32, 0.12}, 0.5);
      cairo_arc(cr, x, y, r.Range(1.5, 4), 0, 2 * kPi);
      cairo_fill(cr);
    }
    for (int i = 0; i < 5; ++i) {
      WoodGrain(cr, r, 0, 40 + i * 84, 640, 70, {0.62, 0.42, 0.24}, false);
      Source(cr, {0, 0, 0}, 0.35);
      cairo_rectangle(cr, 0, 110 + i * 84, 640, 6);
      cairo_fill(cr);
    }
    Sheet(cr, 170, 110, 260, 300, -0.06, {0.97, 0.96, 0.9}, 1.0);
    cairo_save(cr);
    cairo_translate(cr, 170, 110);
    cairo_rotate(cr, -0.06);
    Source(cr, {0.6, 0.7, 0.85}, 0.6);
    cairo_set_line_width(cr, 1);
    for (double ly = 50; ly < 290; ly += 22) {
      cairo_move_to(cr, 14, ly);
      cairo_line_to(cr, 246, ly);
    }
    cairo_stroke(cr);
    Source(cr, {0.35, 0.35, 0.4});
    for (double rx = 20; rx < 250; rx += 18) {
      cairo_arc(cr, rx, 8, 4, 0, 2 * kPi);
      cairo_fill(cr);
    }
    Scribbles(cr, r, 20, 48, 200, 22, 10, ink, 7);
    cairo_restore(cr);
    // The point rests where the last line breaks off.
    Pencil(cr, 466, 300, 148, 2.817);
    Hand(cr, 700, 420, 486, 302, 38, skin, {0.3, 0.28, 0.25}, 1.0);
    WindowLight(cr, 0.2);
    return;
  }
  // A page of a notebook held flat against a sunlit brick wall, the pencil writing on it.
  const Rgb brick = {0.62, 0.34, 0.24};
  Source(cr, {0.72, 0.68, 0.6});
  cairo_paint(cr);
  for (int row = 0; row < 480 / 26 + 1; ++row) {
    for (int col = -1; col < 640 / 60 + 1; ++col) {
      const double x = col * 60 + (row % 2 ? 30 : 0), y = row * 26;
      Source(cr, Mul(brick, r.Range(0.85, 1.15)));
      cairo_rectangle(cr, x + 2, y + 2, 56, 22);
      cairo_fill(cr);
    }
  }
  Sheet(cr, 200, 90, 230, 270, 0.05, {0.96, 0.95, 0.88}, 1.0);
  cairo_save(cr);
  cairo_translate(cr, 200, 90);
  cairo_rotate(cr, 0.05);
  Scribbles(cr, r, 22, 50, 180, 24, 4, ink, 7);
  cairo_restore(cr);
  Hand(cr, -60, 150, 215, 180, 40, skin, {0.2, 0.22, 0.28}, 0.95);
  Pencil(cr, 423, 299, 150, 3.72);
  Hand(cr, 700, 470, 440, 310, 40, skin, {0.2, 0.22, 0.28}, 1.0);
  // Sunlight falling from the upper left.
  cairo_pattern_t* sun = cairo_pattern_create_linear(0, 0, 640, 480);
  Stop(sun, 0, {1, 0.97, 0.85}, 0.15);
  Stop(sun, 1, {0, 0, 0}, 0.2);
  cairo_set_source(cr, sun);
  cairo_paint(cr);
  cairo_pattern_destroy(sun);
}

void DrawContact(cairo_t* cr, int index, const SignFont* font) {
  // Two men face to face, talking; nothing changes hands, since the password may still be wrong.
  Mood mood{index == 2 ? Time::kAfternoon : Time::kDay, index == 3 ? Weather::kFog : Weather::kClear};
  Scene s(cr, mood, HashName("CONTACT"), index, font);
  // A forearm raised in a speaking gesture, from the shoulder at (x, y) towards the other man.
  auto gesture = [&](double x, double y, double dir) {
    Source(cr, s.Lit({0.2, 0.2, 0.22}));
    cairo_set_line_width(cr, 8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + dir * 14, y + 30);
    cairo_line_to(cr, x + dir * 34, y + 14);
    cairo_stroke(cr);
    Source(cr, s.Lit({0.82, 0.64, 0.52}));
    cairo_arc(cr, x + dir * 38, y + 12, 5, 0, 2 * kPi);
    cairo_fill(cr);
  };
  if (index == 1) {
    // In a deep doorway off a lane in the morning.
    Sky(s);
    Wall(s, 0, 0, 640, 400, {0.78, 0.7, 0.58});
    Source(cr, s.Lit({0.6, 0.55, 0.45}));
    ArchPath(cr, 150, 40, 340, 380);
    cairo_fill(cr);
    Source(cr, s.Lit({0.12, 0.1, 0.09}));
    ArchPath(cr, 180, 70, 280, 350);
    cairo_fill(cr);
    Door(s, 260, 200, 120, 200, kWood, true);
    Source(cr, {0, 0, 0}, 0.35);
    ArchPath(cr, 180, 70, 280, 350);
    cairo_fill(cr);
    Pavement(s, 400, kPaving);
    HangingLamp(s, 320, 90, 10);
    Person(s, 250, 430, 250, {0.24, 0.24, 0.28});
    Person(s, 390, 432, 240, {0.38, 0.3, 0.24});
    gesture(280, 250, 1);
    Finish(s);
    return;
  }
  if (index == 2) {
    // By a street lamp in the afternoon.
    Sky(s);
    DistantRoofs(s, 170, 380);
    WindowGrid(s, 0, 200, 640, 160, 8, 2, 22, 40, {.mullionCols = 2, .mullionRows = 2});
    Pavement(s, 380, kPaving);
    LampPost(s, 320, 420, 380);
    Person(s, 250, 440, 230, {0.22, 0.22, 0.26});
    Person(s, 400, 440, 236, {0.3, 0.26, 0.22});
    gesture(372, 265, -1);
    Finish(s);
    return;
  }
  // On a stone bridge on a foggy day.
  Sky(s);
  DistantRoofs(s, 200, 300, 0.9);
  Water(s, 300, 480);
  Wall(s, 0, 300, 640, 90, {0.6, 0.58, 0.54}, 0.1);
  for (int i = 0; i < 3; ++i) {
    Source(cr, s.Lit({0.1, 0.12, 0.15}, 0.2));
    cairo_arc(cr, 110 + i * 210, 390, 80, kPi, 2 * kPi);
    cairo_fill(cr);
  }
  // Balustrade along the walkway.
  Source(cr, s.Lit({0.66, 0.64, 0.6}));
  cairo_rectangle(cr, 0, 250, 640, 10);
  cairo_rectangle(cr, 0, 296, 640, 8);
  cairo_fill(cr);
  for (double bx = 8; bx < 640; bx += 18) {
    Source(cr, s.Lit({0.6, 0.58, 0.54}));
    cairo_move_to(cr, bx, 260);
    cairo_curve_to(cr, bx - 5, 272, bx - 5, 284, bx, 296);
    cairo_line_to(cr, bx + 8, 296);
    cairo_curve_to(cr, bx + 13, 284, bx + 13, 272, bx + 8, 260);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  LampPost(s, 90, 304, 200);
  LampPost(s, 560, 304, 200);
  Person(s, 285, 330, 200, {0.2, 0.2, 0.23});
  Person(s, 365, 332, 204, {0.28, 0.28, 0.3});
  gesture(305, 188, 1);
  Finish(s);
}

void DrawChest(cairo_t* cr, int index, const SignFont* font) {
  Rng r(HashName("CHEST", static_cast<std::uint64_t>(index)));
  // Dusty floor and a dark store room.
  cairo_pattern_t* bg = cairo_pattern_create_linear(0, 0, 0, 480);
  Stop(bg, 0, {0.1, 0.08, 0.07});
  Stop(bg, 0.55, {0.2, 0.15, 0.1});
  Stop(bg, 1, {0.3, 0.22, 0.14});
  cairo_set_source(cr, bg);
  cairo_paint(cr);
  cairo_pattern_destroy(bg);
  const Rgb oak = {0.5, 0.32, 0.17};
  const Rgb iron = {0.28, 0.28, 0.3};
  if (index == 1) {
    WoodGrain(cr, r, 0, 330, 640, 150, {0.3, 0.22, 0.14}, false);
    const double x = 150, y = 210, w = 340, h = 170;
    // Lid standing open behind the box.
    VerticalGradient(cr, 60, y, Mul(oak, 0.6), Mul(oak, 0.35));
    cairo_move_to(cr, x + 6, y);
    cairo_line_to(cr, x + 20, 70);
    cairo_curve_to(cr, x + 100, 50, x + w - 100, 50, x + w - 20, 70);
    cairo_line_to(cr, x + w - 6, y);
    cairo_close_path(cr);
    cairo_fill(cr);
    Source(cr, iron);
    for (double bx : {x + 30, x + w - 50}) {
      cairo_move_to(cr, bx, y);
      cairo_line_to(cr, bx + 4, 66);
      cairo_line_to(cr, bx + 24, 64);
      cairo_line_to(cr, bx + 20, y);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
    // Inside of the box, with the leather case and papers.
    Source(cr, Mul(oak, 0.3));
    cairo_rectangle(cr, x + 10, y - 14, w - 20, 30);
    cairo_fill(cr);
    VerticalGradient(cr, y - 40, y + 20, {0.6, 0.35, 0.18}, {0.35, 0.18, 0.08});
    cairo_rectangle(cr, x + 60, y - 40, w - 120, 60);
    cairo_fill(cr);
    Sheet(cr, x + 90, y - 70, 120, 60, -0.1, {0.94, 0.9, 0.8}, 1.0);
    Sheet(cr, x + 150, y - 64, 110, 56, 0.12, {0.9, 0.88, 0.8}, 1.0);
    cairo_save(cr);
    cairo_translate(cr, x + 150, y - 64);
    cairo_rotate(cr, 0.12);
    Scribbles(cr, r, 10, 14, 90, 9, 4, {0.15, 0.15, 0.3}, 4);
    cairo_restore(cr);
    Source(cr, {0.7, 0.1, 0.08});
    cairo_arc(cr, x + 230, y - 30, 8, 0, 2 * kPi);
    cairo_fill(cr);
    Source(cr, {0.25, 0.12, 0.05});
    cairo_rectangle(cr, x + 60, y - 44, w - 120, 6);
    cairo_fill(cr);
    // Front of the box with iron bands, rivets and the lock with its key.
    cairo_pattern_t* body = cairo_pattern_create_linear(x, 0, x + w, 0);
    Stop(body, 0, Mul(oak, 1.2));
    Stop(body, 1, Mul(oak, 0.55));
    cairo_set_source(cr, body);
    cairo_rectangle(cr, x, y + 10, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    Source(cr, Mul(oak, 0.5), 0.7);
    cairo_set_line_width(cr, 1.2);
    for (double py = y + 40; py < y + h; py += 30) {
      cairo_move_to(cr, x, py);
      cairo_line_to(cr, x + w, py);
    }
    cairo_stroke(cr);
    Source(cr, iron);
    cairo_rectangle(cr, x - 4, y + 6, w + 8, 12);
    cairo_rectangle(cr, x - 4, y + h - 4, w + 8, 14);
    for (double bx : {x, x + 70, x + w - 90, x + w - 20}) cairo_rectangle(cr, bx, y + 10, 20, h);
    cairo_fill(cr);
    Source(cr, {0.55, 0.55, 0.58});
    for (double bx : {x + 10, x + 80, x + w - 80, x + w - 10}) {
      for (double by = y + 28; by < y + h; by += 22) {
        cairo_arc(cr, bx, by, 2.2, 0, 2 * kPi);
        cairo_fill(cr);
      }
    }
    const double lx = x + w / 2, ly = y + 60;
    Source(cr, {0.75, 0.6, 0.25});
    cairo_rectangle(cr, lx - 26, ly - 30, 52, 64);
    cairo_fill(cr);
    Source(cr, {0.05, 0.04, 0.03});
    cairo_arc(cr, lx, ly - 6, 5, 0, 2 * kPi);
    cairo_fill(cr);
    Key(cr, lx - 2, ly + 2, 22, 1.4, {0.8, 0.75, 0.6});
    Glint(cr, lx - 6, ly + 34, 14);
    LampLight(cr, lx, y, 520, 0.8);
    return;
  }
  // Close-up of the opened case: documents, a photograph, a map and the key beside it.
  WoodGrain(cr, r, 0, 0, 640, 480, {0.32, 0.22, 0.12}, true);
  cairo_pattern_t* leather = cairo_pattern_create_radial(320, 240, 40, 320, 240, 360);
  Stop(leather, 0, {0.62, 0.38, 0.2});
  Stop(leather, 1, {0.3, 0.15, 0.07});
  cairo_set_source(cr, leather);
  cairo_rectangle(cr, 60, 50, 520, 380);
  cairo_fill(cr);
  cairo_pattern_destroy(leather);
  Source(cr, {0.85, 0.75, 0.5}, 0.5);
  cairo_set_line_width(cr, 1.5);
  cairo_set_dash(cr, std::array<double, 1>{5}.data(), 1, 0);
  cairo_rectangle(cr, 72, 62, 496, 356);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  // A map with routes.
  Sheet(cr, 90, 80, 250, 190, -0.06, {0.9, 0.86, 0.7}, 1.0);
  cairo_save(cr);
  cairo_translate(cr, 90, 80);
  cairo_rotate(cr, -0.06);
  Source(cr, {0.4, 0.55, 0.7}, 0.6);
  cairo_move_to(cr, 0, 130);
  cairo_curve_to(cr, 60, 110, 120, 160, 250, 120);
  cairo_line_to(cr, 250, 190);
  cairo_line_to(cr, 0, 190);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, {0.4, 0.35, 0.3}, 0.7);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < 6; ++i) {
    cairo_move_to(cr, 10 + i * 40, 10);
    cairo_line_to(cr, 20 + i * 38, 120);
    cairo_move_to(cr, 10, 15 + i * 18);
    cairo_line_to(cr, 240, 10 + i * 20);
  }
  cairo_stroke(cr);
  Source(cr, {0.75, 0.1, 0.1});
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, 190, 122);
  cairo_line_to(cr, 206, 138);
  cairo_move_to(cr, 206, 122);
  cairo_line_to(cr, 190, 138);
  cairo_stroke(cr);
  cairo_restore(cr);
  // Typed documents with a stamp.
  Sheet(cr, 330, 90, 220, 290, 0.05, {0.95, 0.93, 0.86}, 1.0);
  cairo_save(cr);
  cairo_translate(cr, 330, 90);
  cairo_rotate(cr, 0.05);
  Source(cr, {0.2, 0.2, 0.22}, 0.7);
  for (int l = 0; l < 14; ++l) {
    double x = 18;
    while (x < 200) {
      const double wlen = r.Range(12, 40);
      cairo_rectangle(cr, x, 60 + l * 14, std::min(wlen, 200 - x), 3);
      x += wlen + 6;
    }
  }
  cairo_fill(cr);
  FontText(cr, font, "ПЛАН", 110, 32, 2, {0.15, 0.15, 0.2}, 0.9);
  cairo_save(cr);
  cairo_translate(cr, 150, 250);
  cairo_rotate(cr, -0.25);
  Source(cr, {0.7, 0.1, 0.1}, 0.7);
  cairo_set_line_width(cr, 2);
  cairo_rectangle(cr, -62, -15, 124, 30);
  cairo_stroke(cr);
  FontText(cr, font, "СЕКРЕТНО", 0, 0, 2, {0.7, 0.1, 0.1}, 0.7);
  cairo_restore(cr);
  cairo_restore(cr);
  // Photograph of a man in a hat.
  cairo_save(cr);
  cairo_translate(cr, 130, 270);
  cairo_rotate(cr, 0.1);
  Source(cr, {0, 0, 0}, 0.4);
  cairo_rectangle(cr, 5, 6, 110, 130);
  cairo_fill(cr);
  Source(cr, {0.92, 0.9, 0.85});
  cairo_rectangle(cr, 0, 0, 110, 130);
  cairo_fill(cr);
  Source(cr, {0.45, 0.42, 0.38});
  cairo_rectangle(cr, 8, 8, 94, 100);
  cairo_fill(cr);
  Source(cr, {0.15, 0.14, 0.13});
  cairo_arc(cr, 55, 60, 18, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_rectangle(cr, 25, 78, 60, 30);
  cairo_fill(cr);
  EllipsePath(cr, 55, 44, 30, 6);
  cairo_fill(cr);
  cairo_rectangle(cr, 40, 26, 30, 18);
  cairo_fill(cr);
  cairo_restore(cr);
  Key(cr, 430, 410, 26, -0.3, {0.8, 0.75, 0.6});
  Glint(cr, 436, 404, 16);
  LampLight(cr, 320, 200, 560, 0.7);
}

void DrawTorch(cairo_t* cr, int index, const SignFont*) {
  Rng r(HashName("TORCH", static_cast<std::uint64_t>(index)));
  // Where the beam falls, and where the torch is held.
  const double spots[][4] = {{330, 220, 190, 130}, {300, 250, 200, 120}, {340, 200, 200, 150}, {320, 300, 170, 110}};
  const double sx = spots[index - 1][0], sy = spots[index - 1][1], rx = spots[index - 1][2], ry = spots[index - 1][3];
  const double tx = index % 2 ? 520 : 120, ty = 470;
  // The scene itself, fully lit; darkness is laid over it afterwards.
  if (index == 1) {
    // Crates in a warehouse.
    Source(cr, {0.35, 0.3, 0.25});
    cairo_paint(cr);
    WoodGrain(cr, r, 0, 330, 640, 150, {0.4, 0.32, 0.22}, false);
    const double crates[][4] = {{120, 170, 150, 160}, {270, 200, 130, 130}, {400, 150, 160, 180}, {190, 60, 120, 110}, {410, 40, 130, 110}};
    for (const auto& c : crates) {
      WoodGrain(cr, r, c[0], c[1], c[2], c[3], {0.62, 0.46, 0.28}, false);
      Source(cr, {0.35, 0.25, 0.15});
      cairo_set_line_width(cr, 6);
      cairo_rectangle(cr, c[0] + 3, c[1] + 3, c[2] - 6, c[3] - 6);
      cairo_move_to(cr, c[0] + 4, c[1] + 4);
      cairo_line_to(cr, c[0] + c[2] - 4, c[1] + c[3] - 4);
      cairo_stroke(cr);
      Source(cr, {0.2, 0.15, 0.1}, 0.6);
      cairo_set_line_width(cr, 3);
      cairo_rectangle(cr, c[0] + c[2] * 0.3, c[1] + c[3] * 0.35, c[2] * 0.4, c[3] * 0.25);
      cairo_stroke(cr);
    }
  } else if (index == 2) {
    // Floorboards, one of them loose, and the dark gap beneath it.
    for (int i = 0; i < 9; ++i) {
      const double y = i * 56 - 10;
      WoodGrain(cr, r, 0, y, 640, 54, Mul({0.5, 0.36, 0.22}, r.Range(0.85, 1.1)), false);
      Source(cr, {0.08, 0.05, 0.03});
      cairo_rectangle(cr, 0, y + 53, 640, 3);
      cairo_fill(cr);
      for (double nx = r.Range(40, 200); nx < 640; nx += r.Range(180, 300)) {
        cairo_rectangle(cr, nx, y, 2, 54);
        cairo_fill(cr);
        Source(cr, {0.2, 0.2, 0.22});
        cairo_arc(cr, nx + 10, y + 10, 2, 0, 2 * kPi);
        cairo_arc(cr, nx + 10, y + 44, 2, 0, 2 * kPi);
        cairo_fill(cr);
        Source(cr, {0.08, 0.05, 0.03});
      }
    }
    Source(cr, {0.03, 0.02, 0.01});
    cairo_rectangle(cr, 230, 258, 150, 20);
    cairo_fill(cr);
    Source(cr, {0.25, 0.2, 0.15}, 0.8);
    for (int i = 0; i < 8; ++i) {
      cairo_arc(cr, 240 + i * 18, 270 + r.Range(-3, 3), r.Range(1, 2.5), 0, 2 * kPi);
      cairo_fill(cr);
    }
  } else if (index == 3) {
    // A vaulted cellar with barrels.
    Source(cr, {0.4, 0.38, 0.34});
    cairo_paint(cr);
    for (int row = 0; row < 20; ++row) {
      for (int col = 0; col < 12; ++col) {
        Source(cr, Mul({0.55, 0.52, 0.46}, r.Range(0.8, 1.15)));
        cairo_rectangle(cr, col * 56 + (row % 2) * 28 - 28 + 2, row * 24 + 2, 52, 20);
        cairo_fill(cr);
      }
    }
    Source(cr, {0.1, 0.09, 0.08});
    ArchPath(cr, 200, 60, 260, 330);
    cairo_fill(cr);
    Source(cr, {0.6, 0.56, 0.5});
    cairo_set_line_width(cr, 14);
    cairo_arc(cr, 330, 190, 137, kPi, 2 * kPi);
    cairo_stroke(cr);
    for (int b = 0; b < 3; ++b) {
      const double bx = 130 + b * 190, by = 380;
      cairo_pattern_t* p = cairo_pattern_create_linear(bx - 60, 0, bx + 60, 0);
      Stop(p, 0, {0.3, 0.18, 0.1});
      Stop(p, 0.4, {0.6, 0.4, 0.22});
      Stop(p, 1, {0.25, 0.15, 0.08});
      cairo_set_source(cr, p);
      EllipsePath(cr, bx, by - 50, 62, 56);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
      Source(cr, {0.5, 0.34, 0.2});
      EllipsePath(cr, bx, by - 50, 40, 46);
      cairo_fill(cr);
      Source(cr, {0.2, 0.2, 0.22});
      cairo_set_line_width(cr, 4);
      EllipsePath(cr, bx, by - 50, 44, 50);
      cairo_stroke(cr);
    }
    // Cobweb in the corner of the arch.
    Source(cr, {0.9, 0.9, 0.9}, 0.35);
    cairo_set_line_width(cr, 0.8);
    for (int i = 0; i < 6; ++i) {
      cairo_move_to(cr, 460, 120);
      cairo_line_to(cr, 460 + std::cos(1.6 + i * 0.28) * 90, 120 + std::sin(1.6 + i * 0.28) * 90);
    }
    for (int k = 1; k < 5; ++k) cairo_arc(cr, 460, 120, k * 18, 1.6, 3.0);
    cairo_stroke(cr);
  } else {
    // A covered passage between courtyards: brick walls and vault converging, a bin, a puddle, the drain.
    Source(cr, {0.25, 0.24, 0.24});
    cairo_paint(cr);
    Source(cr, {0.5, 0.48, 0.45});
    cairo_move_to(cr, 0, 480);
    cairo_line_to(cr, 290, 200);
    cairo_line_to(cr, 350, 200);
    cairo_line_to(cr, 640, 480);
    cairo_close_path(cr);
    cairo_fill(cr);
    for (int side = 0; side < 2; ++side) {
      cairo_save(cr);
      if (side == 0) {
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 290, 140);
        cairo_line_to(cr, 290, 200);
        cairo_line_to(cr, 0, 480);
      } else {
        cairo_move_to(cr, 640, 0);
        cairo_line_to(cr, 350, 140);
        cairo_line_to(cr, 350, 200);
        cairo_line_to(cr, 640, 480);
      }
      cairo_close_path(cr);
      cairo_clip(cr);
      Source(cr, {0.5, 0.26, 0.2});
      cairo_paint(cr);
      Source(cr, {0.3, 0.2, 0.18});
      cairo_set_line_width(cr, 1.5);
      for (int k = -20; k < 40; ++k) {
        const double y0 = k * 16.0;
        cairo_move_to(cr, side ? 640 : 0, y0);
        cairo_line_to(cr, side ? 350 : 290, 140 + (y0 - 0) * (60.0 / 480.0));
      }
      cairo_stroke(cr);
      cairo_restore(cr);
    }
    // Dustbin and the drain.
    Source(cr, {0.45, 0.47, 0.45});
    cairo_rectangle(cr, 440, 300, 70, 90);
    cairo_fill(cr);
    EllipsePath(cr, 475, 300, 40, 9);
    cairo_fill(cr);
    Source(cr, {0.3, 0.32, 0.3});
    for (int k = 0; k < 5; ++k) cairo_rectangle(cr, 446 + k * 13, 306, 3, 80);
    cairo_fill(cr);
    Source(cr, {0.15, 0.15, 0.15});
    cairo_rectangle(cr, 270, 320, 70, 26);
    cairo_fill(cr);
    Source(cr, {0.4, 0.4, 0.4});
    for (int k = 0; k < 6; ++k) cairo_rectangle(cr, 274 + k * 11, 322, 4, 22);
    cairo_fill(cr);
    Source(cr, {0.3, 0.35, 0.45}, 0.6);
    EllipsePath(cr, 200, 380, 80, 14);
    cairo_fill(cr);
    // The vault overhead.
    Source(cr, {0.36, 0.22, 0.18});
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 640, 0);
    cairo_line_to(cr, 350, 140);
    cairo_line_to(cr, 290, 140);
    cairo_close_path(cr);
    cairo_fill(cr);
    Source(cr, {0.22, 0.14, 0.12});
    cairo_set_line_width(cr, 1.5);
    for (int k = 1; k < 8; ++k) {
      const double t = k / 8.0;
      cairo_move_to(cr, 290 * t, 140 * t);
      cairo_line_to(cr, 640 - 290 * t, 140 * t);
    }
    cairo_stroke(cr);
  }
  // Darkness everywhere except the beam's spot.
  cairo_save(cr);
  cairo_matrix_t m;
  cairo_matrix_init_identity(&m);
  cairo_matrix_translate(&m, sx, sy);
  cairo_matrix_scale(&m, rx, ry);
  cairo_matrix_invert(&m);
  cairo_pattern_t* mask = cairo_pattern_create_radial(0, 0, 0.55, 0, 0, 1.25);
  cairo_pattern_set_matrix(mask, &m);
  cairo_pattern_add_color_stop_rgba(mask, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(mask, 1, 0, 0, 0, 0.94);
  cairo_set_source(cr, mask);
  cairo_paint(cr);
  cairo_pattern_destroy(mask);
  cairo_restore(cr);
  // The spot is slightly warm, and the beam shows faintly in the dusty air.
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  cairo_matrix_t spot;
  cairo_matrix_init_identity(&spot);
  cairo_matrix_translate(&spot, sx, sy);
  cairo_matrix_scale(&spot, rx, ry);
  cairo_matrix_invert(&spot);
  cairo_pattern_t* warm = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_set_matrix(warm, &spot);
  Stop(warm, 0, {1, 0.9, 0.65}, 0.22);
  Stop(warm, 1, {1, 0.9, 0.65}, 0);
  cairo_set_source(cr, warm);
  cairo_paint(cr);
  cairo_pattern_destroy(warm);
  cairo_pattern_t* beam = cairo_pattern_create_linear(tx, ty, sx, sy);
  Stop(beam, 0, {1, 0.95, 0.75}, 0.3);
  Stop(beam, 1, {1, 0.95, 0.75}, 0.02);
  cairo_set_source(cr, beam);
  const double ang = std::atan2(sy - ty, sx - tx) + kPi / 2;
  const double px = std::cos(ang), py = std::sin(ang);
  const double halfWidth = 0.85 * std::hypot(rx * px, ry * py);
  cairo_move_to(cr, tx + px * 8, ty + py * 8);
  cairo_line_to(cr, sx + px * halfWidth, sy + py * halfWidth);
  cairo_line_to(cr, sx - px * halfWidth, sy - py * halfWidth);
  cairo_line_to(cr, tx - px * 8, ty - py * 8);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(beam);
  cairo_restore(cr);
  // The torch in a gloved hand at the bottom edge.
  cairo_save(cr);
  cairo_translate(cr, tx, ty);
  cairo_rotate(cr, std::atan2(sy - ty, sx - tx));
  Source(cr, {0.15, 0.15, 0.17});
  cairo_rectangle(cr, -70, -11, 70, 22);
  cairo_fill(cr);
  Source(cr, {0.5, 0.5, 0.52});
  cairo_move_to(cr, 0, -11);
  cairo_line_to(cr, 22, -17);
  cairo_line_to(cr, 22, 17);
  cairo_line_to(cr, 0, 11);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, {1, 0.97, 0.85});
  cairo_rectangle(cr, 21, -15, 3, 30);
  cairo_fill(cr);
  Source(cr, {0.1, 0.09, 0.09});
  EllipsePath(cr, -40, 0, 26, 18);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace pictures
