// Loads the code-page table and draws the 8 x 14 font, doubled in width, onto page 3.
#include "screen/font.h"

#include <fstream>

#include "game/world_state.h"

namespace {

constexpr Pixel kInk = 0xFFFFFFFF;
constexpr Pixel kPaper = 0xFF0000FF;
constexpr int kBmpPixelOffset = 62;

}  // namespace

void LoadFont() {
  // Missing or short files are not errors: what is not read stays glyph 0 or blank.
  W.GlyphCode.fill(0);
  std::ifstream table(DataPath("data\\ansi2866.set"), std::ios::binary);
  for (int i = 1; i <= 255 && table; ++i) {
    char byte = 0;
    if (table.get(byte)) W.GlyphCode[i] = static_cast<std::uint8_t>(byte);
  }

  Display& d = Screen();
  d.SetPages(3, 0);
  std::ifstream bmp(DataPath("data\\egarus.bmp"), std::ios::binary);
  bmp.seekg(kBmpPixelOffset);
  Image& sheet = d.WorkPage();
  // The sheet's 128 x 224 bits, each two pixels wide, straight into the page's rows.
  for (int y = 223; y >= 0; --y) {
    Pixel* row = &sheet.px[static_cast<size_t>(y) * sheet.w];
    for (int i = 0; i < 16; ++i) {
      char byte = 0;
      if (!bmp.get(byte)) byte = 0;
      for (int j = 0; j < 8; ++j) {
        const bool ink = (static_cast<unsigned char>(byte) & (0x80 >> j)) != 0;
        row[16 * i + 2 * j] = row[16 * i + 2 * j + 1] = ink ? kInk : kPaper;
      }
    }
  }
  d.SetPages(0, 0);
}
