// Lays out thumbnails of all generated JPEGs in a labelled grid and saves it as PNG.
#include "contact_sheet.h"

#include <cairo.h>

#include <algorithm>

#include "jpeg_io.h"

namespace pictures {

namespace {

constexpr int kThumbW = 160;
constexpr int kThumbH = 120;
constexpr int kGap = 8;
constexpr int kLabelH = 16;
constexpr int kColumns = 6;
constexpr int kCellW = kThumbW + kGap;
constexpr int kCellH = kThumbH + kLabelH + kGap;
constexpr int kHeadingH = 28;

void Label(cairo_t* cr, const std::string& text, double x, double y, double size) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

// Draws one picture scaled into the box, or a red cross when it cannot be read; returns false in that case.
bool Thumb(cairo_t* cr, const std::string& path, double x, double y, double w, double h) {
  cairo_surface_t* img = ReadJpeg(path);
  if (img == nullptr) {
    cairo_set_source_rgb(cr, 0.6, 0.1, 0.1);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    return false;
  }
  const double sx = w / cairo_image_surface_get_width(img);
  const double sy = h / cairo_image_surface_get_height(img);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, sx, sy);
  cairo_set_source_surface(cr, img, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(img);
  return true;
}

}  // namespace

int WriteContactSheet(const std::vector<Picture>& pictures, const std::string& dataDir, const std::string& pngPath) {
  // Plan the layout: groups start on a new row under a heading; the fly sheet is shown at full size.
  struct Slot {
    const Picture* picture;
    double x, y, w, h;
  };
  std::vector<Slot> slots;
  std::vector<std::pair<std::string, double>> headings;
  double y = 0;
  int column = kColumns;
  std::string group;
  for (const Picture& p : pictures) {
    if (p.group != group) {
      group = p.group;
      if (column != 0 && !slots.empty()) y += kCellH;
      headings.emplace_back(group, y + 20);
      y += kHeadingH;
      column = 0;
    }
    if (p.height != 480 || p.width != 640 || p.file == "fly.jpg") {
      if (column != 0) y += kCellH;
      slots.push_back({&p, kGap, y, static_cast<double>(p.width), static_cast<double>(p.height) * 0.4});
      y += p.height * 0.4 + kLabelH + kGap;
      column = 0;
      continue;
    }
    if (column == kColumns) {
      y += kCellH;
      column = 0;
    }
    slots.push_back({&p, static_cast<double>(kGap + column * kCellW), y, kThumbW, kThumbH});
    ++column;
  }
  if (column != 0) y += kCellH;
  const int width = kGap + kColumns * kCellW;
  const int height = static_cast<int>(y) + kGap;

  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.12, 0.12, 0.14);
  cairo_paint(cr);
  for (const auto& [title, hy] : headings) Label(cr, title, kGap, hy, 16);
  int missing = 0;
  for (const Slot& s : slots) {
    const std::string path = dataDir + "/" + s.picture->folder + "/" + s.picture->file;
    if (s.picture->file == "fly.jpg") {
      // Only the frame strip matters; show it 1:1.
      cairo_surface_t* img = ReadJpeg(path);
      if (img == nullptr) {
        ++missing;
      } else {
        cairo_save(cr);
        cairo_rectangle(cr, s.x, s.y, 640, 192);
        cairo_clip(cr);
        cairo_set_source_surface(cr, img, s.x, s.y);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(img);
      }
      Label(cr, s.picture->folder + "/" + s.picture->file, s.x, s.y + 192 + 12, 11);
      continue;
    }
    if (!Thumb(cr, path, s.x, s.y, s.w, s.h)) ++missing;
    Label(cr, s.picture->file, s.x, s.y + s.h + 12, 11);
  }
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(sheet, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  return ok ? missing : -1;
}

}  // namespace pictures
