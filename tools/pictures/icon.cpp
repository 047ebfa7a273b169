// The icon: the agents' meeting scene cut to a square, with rounded corners and a thin frame.
#include "icon.h"

#include <cairo.h>

#include <cmath>

#include "scenes.h"
#include "sign_font.h"

namespace pictures {

bool WriteIcon(const std::string& pngPath, const std::string& dataDir) {
  SignFont font;
  font.Load(dataDir);
  cairo_surface_t* scene = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480);
  cairo_t* sc = cairo_create(scene);
  DrawContact(sc, 2, &font);
  cairo_destroy(sc);

  constexpr int kSize = 256;
  constexpr double kRadius = 36;
  cairo_surface_t* icon = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
  cairo_t* cr = cairo_create(icon);
  cairo_new_sub_path(cr);
  cairo_arc(cr, kSize - kRadius, kRadius, kRadius, -M_PI / 2, 0);
  cairo_arc(cr, kSize - kRadius, kSize - kRadius, kRadius, 0, M_PI / 2);
  cairo_arc(cr, kRadius, kSize - kRadius, kRadius, M_PI / 2, M_PI);
  cairo_arc(cr, kRadius, kRadius, kRadius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  // The middle 400 x 400 of the scene, where the two figures meet under the lamp.
  const double scale = kSize / 400.0;
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, scene, -120, -60);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_set_line_width(cr, 6);
  cairo_set_source_rgb(cr, 0.12, 0.16, 0.32);
  cairo_stroke(cr);
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(icon, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(icon);
  cairo_surface_destroy(scene);
  return ok;
}

}  // namespace pictures
