// Decodes JPEG files into the picture image.
#pragma once

#include <filesystem>

// Decodes the file at path into PicImage (created at 640 x 480 when absent) as opaque pixels, cropped
// to it. A missing, truncated or broken file, or one over 2048 x 2048 pixels, returns normally and
// leaves what could not be decoded as it was.
void DecodeJpeg(const std::filesystem::path& path);
