// Decodes JPEG files into the picture image.
#pragma once

#include <string>

// Decodes the file at path into PicImage (created at the file's size when absent) as opaque pixels.
// A missing, truncated or broken file returns normally and leaves what could not be decoded as it was.
void DecodeJpeg(const std::string& path);
