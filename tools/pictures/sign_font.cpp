// Loads the game's bitmap font and paints scaled-up glyphs for shop and station signs.
#include "sign_font.h"

#include "screen/cp1251.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace pictures {

namespace {
constexpr std::size_t kPixelOffset = 62;
constexpr int kRowBytes = 16;
constexpr int kRows = 224;
}  // namespace

bool SignFont::Load(const std::string& dataDir) {
  loaded_ = false;
  std::ifstream bmp(dataDir + "/egarus.bmp", std::ios::binary);
  std::ifstream table(dataDir + "/ansi2866.set", std::ios::binary);
  if (!bmp || !table) return false;
  std::vector<char> file((std::istreambuf_iterator<char>(bmp)), std::istreambuf_iterator<char>());
  std::vector<char> map((std::istreambuf_iterator<char>(table)), std::istreambuf_iterator<char>());
  if (file.size() < kPixelOffset + bits_.size() || map.size() < 255) return false;
  for (std::size_t i = 0; i < bits_.size(); ++i) bits_[i] = static_cast<unsigned char>(file[kPixelOffset + i]);
  toGlyph_[0] = 0;
  for (int i = 0; i < 255; ++i) toGlyph_[i + 1] = static_cast<unsigned char>(map[i]);
  loaded_ = true;
  return true;
}

bool SignFont::Ink(int glyph, int col, int row) const {
  const int srcX = kGlyphWidth * (glyph / 16) + col;
  const int srcTop = kGlyphHeight * (glyph % 16) + row;
  const int fileRow = kRows - 1 - srcTop;  // the file stores the bottom row first
  const unsigned char byte = bits_[static_cast<std::size_t>(fileRow * kRowBytes + srcX / 8)];
  return (byte & (0x80 >> (srcX % 8))) != 0;
}

void SignFont::FillText(cairo_t* cr, std::string_view utf8, double x, double y, int scale) const {
  if (!loaded_) return;
  const std::string text = Utf8ToCp1251(utf8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int glyph = toGlyph_[static_cast<unsigned char>(text[i])];
    const double gx = x + static_cast<double>(i) * kGlyphWidth * scale;
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int col = 0; col < kGlyphWidth; ++col) {
        if (Ink(glyph, col, row)) cairo_rectangle(cr, gx + col * scale, y + row * scale, scale, scale);
      }
    }
  }
  cairo_fill(cr);
}

double SignFont::TextWidth(std::string_view utf8, int scale) {
  return static_cast<double>(Utf8ToCp1251(utf8).size()) * kGlyphWidth * scale;
}

}  // namespace pictures
