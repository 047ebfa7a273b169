// Loads the code-page table and draws the 8 x 14 font, doubled in width, onto page 3.
#include "screen/font.h"

#include <string>

#include "game/world_state.h"
#include "scenario/data_file.h"

namespace {

constexpr Pixel kInk = 0xFFFFFFFF;
constexpr Pixel kPaper = 0xFF0000FF;
constexpr std::size_t kBmpPixelOffset = 62;

}  // namespace

void LoadFont() {
  // Missing or short files are not errors: what is not read stays glyph 0 or blank.
  W.GlyphCode.fill(0);
  const std::string table = ReadDataFile(DataPath("data\\ansi2866.set")).value_or(std::string());
  for (std::size_t i = 1; i <= 255 && i <= table.size(); ++i) W.GlyphCode[i] = static_cast<std::uint8_t>(table[i - 1]);

  Display& d = Screen();
  d.SetPages(3, 0);
  const std::string bmp = ReadDataFile(DataPath("data\\egarus.bmp")).value_or(std::string());
  std::size_t at = kBmpPixelOffset;
  Image& sheet = d.WorkPage();
  // The sheet's 128 x 224 bits, each two pixels wide, straight into the page's rows.
  for (int y = 223; y >= 0; --y) {
    Pixel* row = &sheet.px[static_cast<size_t>(y) * sheet.w];
    for (int i = 0; i < 16; ++i) {
      const char byte = at < bmp.size() ? bmp[at] : 0;
      ++at;
      for (int j = 0; j < 8; ++j) {
        const bool ink = (static_cast<unsigned char>(byte) & (0x80 >> j)) != 0;
        row[16 * i + 2 * j] = row[16 * i + 2 * j + 1] = ink ? kInk : kPaper;
      }
    }
  }
  d.SetPages(0, 0);
}
