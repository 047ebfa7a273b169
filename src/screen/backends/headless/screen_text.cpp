// Glyph-shape matching of the text rows and the clock against the font sheet.
#include "screen/backends/headless/screen_text.h"

#include <cstdio>
#include <fstream>

#include "screen/cp1251.h"
#include "screen/text_rows.h"

namespace {

constexpr int kCellW = 16;
constexpr int kCellH = kRowHeight;

}  // namespace

std::array<std::uint8_t, 256> ReadGlyphTable(const std::string& exeDir) {
  std::array<std::uint8_t, 256> table{};
  std::ifstream file(exeDir + "data/ansi2866.set", std::ios::binary);
  for (int c = 1; c <= 255 && file; ++c) {
    char byte = 0;
    if (file.get(byte)) table[c] = static_cast<std::uint8_t>(byte);
  }
  return table;
}

ScreenText::CellMask ScreenText::MaskAt(const Image& img, int x0, int y0, bool sheet) {
  CellMask mask{};
  for (int y = 0; y < kCellH; ++y) {
    for (int x = 0; x < kCellW; ++x) {
      const Pixel p = img.At(x0 + x, y0 + y);
      // The sheet carries ink in green; a drawn row shows it as opaque white.
      const bool ink = sheet ? (p & 0x0000FF00) != 0 : (p & 0x00FFFFFF) == 0x00FFFFFF;
      if (ink) mask[y] |= static_cast<std::uint16_t>(1u << x);
    }
  }
  return mask;
}

void ScreenText::Learn(const Image& sheet, const std::array<std::uint8_t, 256>& glyphOfChar) {
  shapeOfMask_.clear();
  charOfShape_.clear();
  for (int c = 0; c < 256; ++c) {
    const int g = glyphOfChar[c];
    const CellMask mask = MaskAt(sheet, kCellW * (g / 16), kCellH * (g % 16), true);
    const auto found = shapeOfMask_.find(mask);
    char16_t shape = 0;
    if (found == shapeOfMask_.end()) {
      shape = static_cast<char16_t>(shapeOfMask_.size());
      shapeOfMask_.emplace(mask, shape);
    } else {
      shape = found->second;
    }
    shapeOfChar_[c] = shape;
  }
  blank_ = shapeOfChar_[' '];
  for (int d = 0; d < 10; ++d) digitShape_[d] = shapeOfChar_['0' + d];
  // Reports show digits as digits, then Cyrillic letters, then anything else.
  auto name = [](int c) { return Cp1251ToUtf8(std::string(1, static_cast<char>(c))); };
  for (int c = '0'; c <= '9'; ++c) charOfShape_.emplace(shapeOfChar_[c], name(c));
  for (int c = 0xC0; c <= 0xFF; ++c) charOfShape_.emplace(shapeOfChar_[c], name(c));
  for (int c = 32; c < 256; ++c) charOfShape_.emplace(shapeOfChar_[c], name(c));
}

Shapes ScreenText::Of(std::string_view utf8) const { return OfCp1251(Utf8ToCp1251(utf8)); }

Shapes ScreenText::OfCp1251(std::string_view text) const {
  Shapes shapes;
  for (char c : text) shapes += shapeOfChar_[static_cast<unsigned char>(c)];
  return shapes;
}

Shapes ScreenText::Cells(const Image& page, int x0, int y0, int count) const {
  Shapes shapes;
  for (int k = 0; k < count; ++k) {
    // A cell that runs off the page shows nothing the font has.
    if (x0 < 0 || y0 < 0 || x0 + kCellW * (k + 1) > page.w || y0 + kCellH > page.h) {
      shapes += kUnknown;
      continue;
    }
    const auto found = shapeOfMask_.find(MaskAt(page, x0 + kCellW * k, y0, false));
    shapes += found != shapeOfMask_.end() ? found->second : kUnknown;
  }
  return shapes;
}

Shapes ScreenText::Row(const Image& page, int r) const { return Cells(page, 0, kCellH * (r - 1), kRowCells); }

Shapes ScreenText::Trim(const Shapes& text) const {
  const auto first = text.find_first_not_of(blank_);
  if (first == Shapes::npos) return {};
  return text.substr(first, text.find_last_not_of(blank_) - first + 1);
}

int ScreenText::FindRow(const Image& page, std::string_view utf8, int from, int to) const {
  const Shapes wanted = Trim(Of(utf8));
  for (int r = from; r <= to; ++r) {
    if (TrimmedRow(page, r).starts_with(wanted)) return r;
  }
  return 0;
}

std::optional<int> ScreenText::LeadingNumber(const Shapes& text) const {
  std::size_t i = 0;
  while (i < text.size() && text[i] == blank_) ++i;
  int value = 0;
  int digits = 0;
  for (; i < text.size() && digits < 9; ++i) {
    int d = 0;
    while (d < 10 && digitShape_[d] != text[i]) ++d;
    if (d == 10) break;
    value = value * 10 + d;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

std::optional<int> ScreenText::ClockMinutes(const Image& page) const {
  const Shapes clock = Cells(page, kClockX, kClockY, 5);
  const auto hours = LeadingNumber(clock.substr(0, 2));
  const auto minutes = LeadingNumber(clock.substr(3, 2));
  if (!hours || !minutes || clock[2] != shapeOfChar_[':']) return std::nullopt;
  return *hours * 60 + *minutes;
}

std::string ScreenText::Readable(const Shapes& text) const {
  std::string out;
  for (char16_t shape : text) {
    const auto found = charOfShape_.find(shape);
    out += found != charOfShape_.end() ? found->second : "~";
  }
  return out;
}

std::string ScreenText::Dump(const Image& page) const {
  std::string dump = "  screen (clock " + Readable(Cells(page, kClockX, kClockY, 5)) + "):\n";
  for (int r = 1; r <= 34; ++r) {
    if (TrimmedRow(page, r).empty()) continue;
    char label[8];
    std::snprintf(label, sizeof label, "  %2d|", r);
    dump += label + Readable(Row(page, r)) + "|\n";
  }
  return dump;
}
