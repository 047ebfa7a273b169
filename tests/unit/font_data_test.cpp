// Checks the generated glyph sheet, code page table and built-in font against each other and known glyphs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "screen/plain_font.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kStride = 16;
constexpr int kSheetHeight = 224;
constexpr int kPixelOffset = 62;

// Reads a file from the data directory; false when SKELLARINE_DATA_DIR is not set.
bool ReadData(const std::string& name, Bytes& out) {
  const char* dir = std::getenv("SKELLARINE_DATA_DIR");
  if (dir == nullptr) return false;
  std::ifstream in(std::string(dir) + "/" + name, std::ios::binary);
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::uint32_t Le32(const Bytes& d, std::size_t at) {
  return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}

// Row `row` (0 = top) of glyph `g` in the 8 x 14 sheet.
std::uint8_t SheetRow(const Bytes& bmp, int g, int row) {
  const int y = 14 * (g % 16) + row;
  return bmp[kPixelOffset + (kSheetHeight - 1 - y) * kStride + g / 16];
}

bool SheetInk(const Bytes& bmp, int g, int fromRow, int toRow) {
  for (int row = fromRow; row < toRow; ++row) {
    if (SheetRow(bmp, g, row) != 0) return true;
  }
  return false;
}

bool PlainInk(int g) {
  for (auto row : kPlainFont[g]) {
    if (row != 0) return true;
  }
  return false;
}

TEST(FontData, GlyphSheetLayoutAndGlyphs) {
  Bytes bmp;
  if (!ReadData("egarus.bmp", bmp)) GTEST_SKIP() << "SKELLARINE_DATA_DIR is not set";
  ASSERT_EQ(bmp.size(), 62u + 3584u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Le32(bmp, 10), 62u);
  EXPECT_EQ(Le32(bmp, 18), 128u);
  EXPECT_EQ(Le32(bmp, 22), 224u);
  EXPECT_EQ(bmp[28], 1);  // bits per pixel
  EXPECT_EQ(Le32(bmp, 54), 0x000000u);
  EXPECT_EQ(Le32(bmp, 58) & 0xFFFFFFu, 0xFFFFFFu);

  for (int g : {0x80, 0xF0, 0xF1, 0xEF, int{'A'}, int{'z'}, int{'0'}, int{'?'}, int{'.'}}) {
    EXPECT_TRUE(SheetInk(bmp, g, 0, 14)) << "glyph " << g;
  }
  EXPECT_FALSE(SheetInk(bmp, 0x20, 0, 14));
  EXPECT_FALSE(SheetInk(bmp, 0x00, 0, 14));
  // Upright and in its own cell: '_' inks only the bottom, ' only the top, and A differs from B.
  EXPECT_TRUE(SheetInk(bmp, '_', 10, 14));
  EXPECT_FALSE(SheetInk(bmp, '_', 0, 9));
  EXPECT_TRUE(SheetInk(bmp, '\'', 0, 6));
  EXPECT_FALSE(SheetInk(bmp, '\'', 8, 14));
  bool differ = false;
  for (int row = 0; row < 14; ++row) differ |= SheetRow(bmp, 'A', row) != SheetRow(bmp, 'B', row);
  EXPECT_TRUE(differ);
  // Ё carries its diaeresis above the cap height of Е, so it is not a copy of Е.
  EXPECT_TRUE(SheetInk(bmp, 0xF0, 0, 2));
  EXPECT_FALSE(SheetInk(bmp, 0x85, 0, 2));
}

TEST(FontData, AnsiTableMatchesBuiltInTable) {
  Bytes set;
  if (!ReadData("ansi2866.set", set)) GTEST_SKIP() << "SKELLARINE_DATA_DIR is not set";
  ASSERT_EQ(set.size(), 255u);
  const auto at = [&](int ansi) { return set[ansi - 1]; };
  EXPECT_EQ(at(0xC0), 0x80);  // А
  EXPECT_EQ(at(0xDF), 0x9F);  // Я
  EXPECT_EQ(at(0xE0), 0xA0);  // а
  EXPECT_EQ(at(0xF0), 0xE0);  // р
  EXPECT_EQ(at(0xFF), 0xEF);  // я
  EXPECT_EQ(at(0xA8), 0xF0);  // Ё
  EXPECT_EQ(at(0xB8), 0xF1);  // ё
  EXPECT_EQ(at(0xB9), 0xFC);  // №
  EXPECT_EQ(at(0xAB), '?');   // « has no code page 866 glyph
  for (int c = 1; c < 0x80; ++c) EXPECT_EQ(at(c), c) << c;

  EXPECT_EQ(kPlainCodePage[0], 0);
  for (int c = 1; c < 256; ++c) EXPECT_EQ(kPlainCodePage[c], at(c)) << c;
}

TEST(FontData, BuiltInFont) {
  for (int g : {0x80, 0xF0, 0xF1, int{'A'}, int{'z'}, int{'0'}, int{'?'}}) EXPECT_TRUE(PlainInk(g)) << "glyph " << g;
  EXPECT_FALSE(PlainInk(0x20));
  EXPECT_FALSE(PlainInk(0x00));
  EXPECT_NE(kPlainFont[int{'_'}][15] | kPlainFont[int{'_'}][14] | kPlainFont[int{'_'}][13], 0);
  EXPECT_EQ(kPlainFont[int{'_'}][2], 0);
}

}  // namespace
