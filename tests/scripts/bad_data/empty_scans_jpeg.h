// A progressive JPEG whose scans hold no coded data, for the decoder's bound on its work.
#pragma once

#include <string>

// width x height, three full-size components, one quantisation table of ones and a one-code DC
// table, then `scans` copies of the first DC scan of all three components, each followed at once by
// the next. Every scan still makes a decoder walk all the picture's blocks; a decoded picture is
// grey 128 (every coefficient 0).
inline std::string EmptyScansJpeg(int width, int height, int scans) {
  auto word = [](int v) { return std::string{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}; };
  std::string jpeg = "\xFF\xD8";
  jpeg += "\xFF\xDB" + word(67) + '\0' + std::string(64, '\1');
  jpeg += "\xFF\xC2" + word(17) + '\x08' + word(height) + word(width) + '\x03';
  for (char id = 1; id <= 3; ++id) jpeg += std::string{id, '\x11', '\0'};
  jpeg += "\xFF\xC4" + word(20) + '\0' + '\1' + std::string(15, '\0') + '\0';
  std::string scan = "\xFF\xDA" + word(12) + '\x03';
  for (char id = 1; id <= 3; ++id) scan += std::string{id, '\0'};
  scan += std::string{'\0', '\0', '\0'};
  for (int i = 0; i < scans; ++i) jpeg += scan;
  return jpeg + "\xFF\xD9";
}
