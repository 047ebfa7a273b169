// Draws the game clock and clears the text area from the background page.
#include "screen/clock.h"

#include <string>

#include "game/world_state.h"
#include "screen/text_rows.h"

namespace {

constexpr int kClockX = 547;
constexpr int kClockY = 4;

std::string TwoDigits(int n) { return std::to_string(n + 100).substr(1); }

}  // namespace

void DrawClock(int minutes) {
  Display& d = Screen();
  const int h = (minutes / 60) % 24;
  const int m = minutes - 60 * (minutes / 60);
  const std::string text = TwoDigits(h) + ":" + TwoDigits(m);
  d.Show(ScreenChange{ScreenChange::kClock, 0, 0, text});
  d.Draw([&d, text] {
    for (int k = 0; k < 5; ++k) ComposeGlyph(static_cast<unsigned char>(text[k]), 4 + 16 * k, 4);
    for (int i = 1; i <= 4; ++i) DrawLine(d.Page(2), 4 - i, 4 - i, 83 + i, 17 + i, 0xFF0000FF, LineKind::kBox);
    GrabRect(d.Page(2), 0, 0, 87, 21, W.ClockImage);
    Recolour(W.ClockImage, 96);
    Image background;
    GrabRect(d.Page(1), kClockX, kClockY, kClockX + 87, kClockY + 21, background);
    PutImage(d.Page(0), kClockX, kClockY, background, PutMode::kCopy);
    PutImage(d.Page(0), kClockX, kClockY, W.ClockImage, PutMode::kBlend);
  });
  d.SetPages(0, 0);
}

void ClearTextArea() {
  Display& d = Screen();
  d.Show(ScreenChange{ScreenChange::kClear, 3, 34, ""});
  d.Draw([&d] {
    for (int r = 3; r <= 34; ++r) {
      const int top = kRowHeight * r - kRowHeight;
      GrabRect(d.Page(1), 0, top, kScreenW - 1, top + kRowHeight - 1, W.RowImage);
      PutImage(d.Page(0), 0, top, W.RowImage, PutMode::kCopy);
    }
  });
  d.SetPages(0, 0);
}
