// The game's 8x14 bitmap font, read from the data folder, for lettering on signs.
#pragma once

#include <cairo.h>

#include <array>
#include <string>
#include <string_view>

namespace pictures {

// Glyph bitmaps in code page 866 order plus the Windows-1251 to 866 table.
class SignFont {
 public:
  static constexpr int kGlyphWidth = 8;
  static constexpr int kGlyphHeight = 14;

  // Reads egarus.bmp and ansi2866.set from dataDir; returns false (and stays empty) if either is missing or short.
  bool Load(const std::string& dataDir);
  // True once both files were read.
  bool Loaded() const { return loaded_; }
  // Fills the ink pixels of UTF-8 text at (x, y) top-left, each font pixel a scale x scale square, in the current source.
  void FillText(cairo_t* cr, std::string_view utf8, double x, double y, int scale) const;
  // Width in pixels of UTF-8 text at the given scale.
  static double TextWidth(std::string_view utf8, int scale);

 private:
  bool Ink(int glyph, int col, int row) const;

  std::array<unsigned char, 16 * 224> bits_{};
  std::array<unsigned char, 256> toGlyph_{};
  bool loaded_ = false;
};

}  // namespace pictures
