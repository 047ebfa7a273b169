// Writes text rows: glyphs composed on the scratch page, recoloured and laid over the picture.
#include "screen/text_rows.h"

#include "game/world_state.h"

void ComposeGlyph(unsigned char c, int x, int y) {
  Display& d = Screen();
  const int g = W.GlyphCode[c];
  GrabRect(d.Page(3), 16 * (g / 16), 14 * (g % 16), 16 * (g / 16) + 15, 14 * (g % 16) + 13, W.RowImage);
  PutImage(d.Page(2), x, y, W.RowImage, PutMode::kCopy);
}

void Recolour(Image& img, int alpha) {
  const Pixel paper = (static_cast<Pixel>(alpha & 0xFF) << 24) | 0x0000FF;
  for (Pixel& p : img.px) p = (p & 0x0000FF00) ? 0xFFFFFFFF : paper;
}

void WriteRow(int r, const std::string& text) {
  Display& d = Screen();
  const int top = kRowHeight * r - kRowHeight;
  // A row wholly below the window (a long help page) shows nothing and is not composed: it costs
  // as much as a visible row, and a help file of millions of lines would stop the polling for minutes.
  if (top >= kScreenH) {
    W.RowAlpha = 96;
    d.SetPages(0, 0);
    return;
  }
  std::string fitted = text.substr(0, kRowCells);
  fitted.resize(kRowCells, ' ');
  d.Show(ScreenChange{ScreenChange::kRow, r, r, fitted});
  const int alpha = W.RowAlpha;
  const PutMode mode = W.HelpDone ? PutMode::kBlend : PutMode::kCopy;
  d.Draw([&d, fitted, top, alpha, mode] {
    for (int k = 0; k < kRowCells; ++k) ComposeGlyph(static_cast<unsigned char>(fitted[k]), 16 * k, top);
    // Restoring the band first keeps translucent backgrounds from adding up.
    GrabRect(d.Page(1), 0, top, kScreenW - 1, top + kRowHeight - 1, W.RowImage);
    PutImage(d.Page(0), 0, top, W.RowImage, PutMode::kCopy);
    GrabRect(d.Page(2), 0, top, kScreenW - 1, top + kRowHeight - 1, W.RowImage);
    Recolour(W.RowImage, alpha);
    PutImage(d.Page(0), 0, top, W.RowImage, mode);
  });
  W.RowAlpha = 96;
  d.SetPages(0, 0);
}

void WriteListLine(const std::string& text) {
  WriteRow(W.ListRow, " " + text);
  W.ListRow = W.ListRow + 1;
}
