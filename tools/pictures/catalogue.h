// The list of every picture file the game needs and how each one is drawn.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

namespace pictures {

class SignFont;

// One output file: where it goes, its size and JPEG settings, and its drawing routine.
struct Picture {
  std::string group;   // heading on the contact sheet
  std::string folder;  // folder under the data directory
  std::string file;    // file name inside the folder
  int width = 640;
  int height = 480;
  int quality = 90;
  bool fullChroma = false;
  std::function<void(cairo_t*, const SignFont*)> draw;
  // What the picture shows, in one Russian line (UTF-8); the game gives it to screen readers.
  std::string description;
};

// All pictures in a fixed order: places, actions, then the victory set.
std::vector<Picture> Catalogue();

}  // namespace pictures
