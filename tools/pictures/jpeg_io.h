// Baseline JPEG writing from cairo surfaces and reading back for the contact sheet.
#pragma once

#include <cairo.h>

#include <string>

namespace pictures {

// Writes an ARGB32/RGB24 surface as a baseline JPEG; fullChroma keeps 4:4:4 sampling. Returns false on I/O failure.
bool WriteJpeg(cairo_surface_t* surface, const std::string& path, int quality, bool fullChroma);

// Decodes a JPEG into a new RGB24 cairo surface, or returns nullptr when the file is missing or broken.
cairo_surface_t* ReadJpeg(const std::string& path);

}  // namespace pictures
