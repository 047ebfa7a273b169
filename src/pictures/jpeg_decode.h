// Decodes JPEG files into the picture image.
#pragma once

#include <filesystem>

// Decodes the file at path into PicImage (created at 640 x 480 when absent) as opaque pixels, cropped
// to it. A missing, truncated or broken file, one over 2048 x 2048 pixels, a progressive one larger
// than the screen or whose scans would take far longer than a picture's, returns normally and
// leaves what could not be decoded as it was. True when the whole image was decoded anew.
bool DecodeJpeg(const std::filesystem::path& path);
