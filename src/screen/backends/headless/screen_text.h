// Reads the game's text rows and clock off a page by matching glyph shapes against the font sheet.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "screen/display.h"

// Text as the screen shows it: one shape class per cell. Letters that look alike (Latin A and
// Cyrillic А, 3 and З) share a class, so texts are compared shape by shape.
using Shapes = std::u16string;

// The glyph number of each character, from the code-page table data/ansi2866.set below exeDir.
std::array<std::uint8_t, 256> ReadGlyphTable(const std::string& exeDir);

class ScreenText {
 public:
  // The first of the clock's five cells (HH:MM).
  static constexpr int kClockX = 551;
  static constexpr int kClockY = 8;
  // The shape of a cell that matches no glyph of the font.
  static constexpr char16_t kUnknown = 0xFFFF;

  // Learns the shapes from the font sheet (page 3) and the table of glyph numbers per character.
  void Learn(const Image& sheet, const std::array<std::uint8_t, 256>& glyphOfChar);
  // The shapes of a text as the font would draw it, UTF-8 or Windows-1251.
  Shapes Of(std::string_view utf8) const;
  Shapes OfCp1251(std::string_view text) const;
  // count cells from (x0, y0) on page; a cell of no known shape reads as kUnknown.
  Shapes Cells(const Image& page, int x0, int y0, int count) const;
  // The 40 cells of text row r (1 to 34) on page.
  Shapes Row(const Image& page, int r) const;
  Shapes TrimmedRow(const Image& page, int r) const { return Trim(Row(page, r)); }
  // The first row from `from` to `to` whose text, blanks trimmed, starts with utf8's; 0 for none.
  int FindRow(const Image& page, std::string_view utf8, int from, int to) const;
  // The clock as minutes since midnight, when it reads as HH:MM.
  std::optional<int> ClockMinutes(const Image& page) const;
  // The whole number written with the digits at the start of text (blanks skipped first).
  std::optional<int> LeadingNumber(const Shapes& text) const;
  // The text with blanks removed at both ends.
  Shapes Trim(const Shapes& text) const;
  // A readable UTF-8 rendering for reports: each shape as one of the characters that have it.
  std::string Readable(const Shapes& text) const;
  // The clock and every row that is not blank, readable, one a line, for reports.
  std::string Dump(const Image& page) const;

 private:
  using CellMask = std::array<std::uint16_t, 14>;

  static CellMask MaskAt(const Image& img, int x0, int y0, bool sheet);

  std::map<CellMask, char16_t> shapeOfMask_;
  std::array<char16_t, 256> shapeOfChar_{};
  std::map<char16_t, std::string> charOfShape_;
  std::array<int, 10> digitShape_{};
  char16_t blank_ = 0;
};
