// Draws the city map for the README: the twenty places in their 5 x 4 cells, each with its picture and name.
#include "city_map.h"

#include <cairo.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "jpeg_io.h"
#include "paint.h"
#include "rng.h"
#include "screen/cp1251.h"
#include "sign_font.h"

namespace pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kCols = 5;
constexpr int kRows = 4;
constexpr double kThumbW = 168;
constexpr double kThumbH = 126;
constexpr double kPitchX = 200;
constexpr double kPitchY = 190;
constexpr double kLeft = 36;
constexpr double kTop = 92;
constexpr int kWidthPx = static_cast<int>(kLeft * 2 + kPitchX * kCols - (kPitchX - kThumbW));
constexpr double kSeaTop = kTop + kPitchY * kRows - 6;
constexpr int kHeightPx = static_cast<int>(kSeaTop + 70);

struct Entry {
  std::string name;  // UTF-8
  std::string set;
};

// The map file as the game reads it: three lines an entry (remark, name, picture set), CR LF, Windows-1251.
std::vector<Entry> ReadMap(const std::string& dataDir) {
  std::ifstream in(dataDir + "/map_ru.txt", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  std::vector<Entry> entries;
  for (std::size_t i = 0; i + 2 < lines.size() && entries.size() < kCols * kRows; i += 3) {
    entries.push_back({Cp1251ToUtf8(lines[i + 1]), lines[i + 2]});
  }
  return entries;
}

void Lettering(cairo_t* cr, const SignFont& font, std::string_view utf8, double cx, double cy, int scale, Rgb ink) {
  const double w = SignFont::TextWidth(utf8, scale);
  const double x = std::round(cx - w / 2), y = std::round(cy - SignFont::kGlyphHeight * scale / 2.0);
  Source(cr, {0, 0, 0}, 0.3);
  font.FillText(cr, utf8, x + 1, y + 1, scale);
  Source(cr, ink);
  font.FillText(cr, utf8, x, y, scale);
}

}  // namespace

bool WriteCityMap(const std::string& dataDir, const std::string& pngPath) {
  SignFont font;
  const std::vector<Entry> entries = ReadMap(dataDir);
  if (!font.Load(dataDir) || entries.size() != kCols * kRows) return false;
  cairo_surface_t* map = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidthPx, kHeightPx);
  cairo_t* cr = cairo_create(map);
  // The land: warm paper, with the streets between the blocks in paving grey.
  VerticalGradient(cr, 0, kHeightPx, {0.93, 0.89, 0.78}, {0.88, 0.83, 0.7});
  cairo_paint(cr);
  Source(cr, material::kPaving, 0.45);
  for (int c = 0; c <= kCols; ++c) {
    cairo_rectangle(cr, kLeft - 20 + c * kPitchX, kTop - 16, 8, kPitchY * kRows);
  }
  for (int r = 0; r <= kRows; ++r) {
    cairo_rectangle(cr, kLeft - 20, kTop - 16 + r * kPitchY, kPitchX * kCols + 8, 8);
  }
  cairo_fill(cr);
  // The sea along the southern shore.
  VerticalGradient(cr, kSeaTop, kHeightPx, {0.55, 0.68, 0.8}, {0.2, 0.34, 0.48});
  cairo_rectangle(cr, 0, kSeaTop, kWidthPx, kHeightPx - kSeaTop);
  cairo_fill(cr);
  Rng ripples(HashName("CITYMAP"));
  cairo_set_line_width(cr, 1.2);
  for (int i = 0; i < 120; ++i) {
    const double x = ripples.Range(0, kWidthPx), y = ripples.Range(kSeaTop + 6, kHeightPx - 4);
    Source(cr, {1, 1, 1}, 0.25);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + ripples.Range(8, 22), y);
    cairo_stroke(cr);
  }
  Lettering(cr, font, "МОРЕ", kWidthPx / 2.0, kSeaTop + 38, 2, {0.95, 0.97, 1});
  // Title, the scale of travel and the north arrow.
  Lettering(cr, font, "КАРТА ГОРОДА", kWidthPx / 2.0, 34, 3, {0.18, 0.2, 0.3});
  Lettering(cr, font, "КЛЕТКА - 5 МИНУТ ПУТИ", 170, 36, 1, {0.3, 0.28, 0.24});
  const double nx = kWidthPx - 70, ny = 40;
  Source(cr, {0.18, 0.2, 0.3});
  cairo_move_to(cr, nx, ny - 22);
  cairo_line_to(cr, nx + 9, ny + 8);
  cairo_line_to(cr, nx, ny + 2);
  cairo_line_to(cr, nx - 9, ny + 8);
  cairo_close_path(cr);
  cairo_fill(cr);
  Lettering(cr, font, "С", nx + 24, ny - 6, 2, {0.18, 0.2, 0.3});
  // Each place: its morning picture as a framed card, the name on a plate beneath.
  for (int i = 0; i < kCols * kRows; ++i) {
    const double x = kLeft + (i % kCols) * kPitchX, y = kTop + (i / kCols) * kPitchY;
    Source(cr, {0, 0, 0}, 0.25);
    cairo_rectangle(cr, x - 1, y + 3, kThumbW + 8, kThumbH + 8);
    cairo_fill(cr);
    Source(cr, {0.98, 0.97, 0.94});
    cairo_rectangle(cr, x - 4, y - 4, kThumbW + 8, kThumbH + 8);
    cairo_fill(cr);
    const Entry& e = entries[static_cast<std::size_t>(i)];
    cairo_surface_t* img = e.set == "nofile" ? nullptr : ReadJpeg(dataDir + "/" + e.set + "/" + e.set + "1.jpg");
    if (img != nullptr) {
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_scale(cr, kThumbW / cairo_image_surface_get_width(img), kThumbH / cairo_image_surface_get_height(img));
      cairo_set_source_surface(cr, img, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
      cairo_paint(cr);
      cairo_restore(cr);
      cairo_surface_destroy(img);
    } else {
      Source(cr, {0.5, 0.5, 0.52});
      cairo_rectangle(cr, x, y, kThumbW, kThumbH);
      cairo_fill(cr);
    }
    const double cx = x + kThumbW / 2, cy = y + kThumbH + 26;
    const double w = std::min(SignFont::TextWidth(e.name, 2) + 12, kPitchX - 6);
    Source(cr, {0.07, 0.12, 0.26});
    cairo_rectangle(cr, cx - w / 2 - 1, cy - 18, w + 2, 36);
    cairo_fill(cr);
    Source(cr, {0.12, 0.24, 0.4});
    cairo_rectangle(cr, cx - w / 2, cy - 17, w, 34);
    cairo_fill(cr);
    Lettering(cr, font, e.name, cx, cy, 2, {0.95, 0.8, 0.4});
    // The cell's number, as the game counts places, on the card's corner.
    const std::string number = std::to_string(i + 1);
    Source(cr, {0.98, 0.97, 0.94});
    cairo_arc(cr, x + 2, y + 2, 13, 0, 2 * kPi);
    cairo_fill(cr);
    Lettering(cr, font, number, x + 2, y + 2, 1, {0.18, 0.2, 0.3});
  }
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(map, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(map);
  return ok;
}

}  // namespace pictures
