// Text rows: 34 bands of 40 glyph cells drawn over the picture.
#pragma once

#include <string>

#include "screen/display.h"

constexpr int kRowHeight = 14;
constexpr int kRowCells = 40;

// Replaces text row r (1 to 34) on the visible page with text, fitted to 40 cells.
void WriteRow(int r, const std::string& text);
// Writes one blank and text on row ListRow, then advances ListRow.
void WriteListLine(const std::string& text);
// Copies glyph cell c (a Windows-1251 code) from the font sheet onto page 2 at (x, y).
void ComposeGlyph(unsigned char c, int x, int y);
// Makes green-carrying pixels opaque white ink and every other pixel blue with the given alpha.
void Recolour(Image& img, int alpha);
