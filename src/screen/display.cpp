// The common half of the display services: in-memory pages, drawing, plain text and the key queue.
#include "screen/display.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "screen/cp1251.h"
#include "screen/plain_font.h"

namespace {

Display* gInstalled = nullptr;

constexpr Pixel kPlainInk = 0xFFAAAAAA;  // the platform's default text colour: light grey
constexpr int kPlainColumns = 80;
constexpr int kPlainLines = 30;

void SetPixel(Image& img, int x, int y, Pixel c) {
  if (x >= 0 && y >= 0 && x < img.w && y < img.h) img.At(x, y) = c;
}

}  // namespace

Image::Image(int width, int height, Pixel fill)
    : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}

void GrabRect(const Image& src, int x1, int y1, int x2, int y2, Image& out) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  out.w = x2 - x1 + 1;
  out.h = y2 - y1 + 1;
  out.px.assign(static_cast<size_t>(out.w) * out.h, 0);
  const int fromX = std::max(x1, 0);
  const int toX = std::min(x2, src.w - 1);
  if (fromX > toX) return;
  for (int y = std::max(y1, 0); y <= std::min(y2, src.h - 1); ++y) {
    const Pixel* row = &src.px[static_cast<size_t>(y) * src.w];
    std::copy(row + fromX, row + toX + 1, &out.px[static_cast<size_t>(y - y1) * out.w + (fromX - x1)]);
  }
}

Pixel Blend(Pixel dst, Pixel src) {
  const Pixel a = src >> 24;
  if (a == 255) return (dst & 0xFF000000) | (src & 0x00FFFFFF);
  if (a == 0) return dst;
  Pixel out = dst & 0xFF000000;
  for (int shift = 0; shift <= 16; shift += 8) {
    const Pixel s = (src >> shift) & 0xFF;
    const Pixel d = (dst >> shift) & 0xFF;
    out |= ((s * a + d * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

void PutImage(Image& dst, int x, int y, const Image& img, PutMode mode) {
  const int x0 = std::max(0, -x);
  const int y0 = std::max(0, -y);
  const int x1 = std::min(img.w, dst.w - x);
  const int y1 = std::min(img.h, dst.h - y);
  for (int sy = y0; sy < y1; ++sy) {
    const Pixel* from = &img.px[static_cast<size_t>(sy) * img.w];
    Pixel* to = &dst.px[static_cast<size_t>(sy + y) * dst.w + x];
    if (mode == PutMode::kCopy) {
      std::copy(from + x0, from + x1, to + x0);
    } else {
      for (int sx = x0; sx < x1; ++sx) to[sx] = Blend(to[sx], from[sx]);
    }
  }
}

void DrawLine(Image& dst, int x1, int y1, int x2, int y2, Pixel c, LineKind kind) {
  if (kind == LineKind::kLine) {
    // Bresenham; the game draws only short horizontal runs, but any line works.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
      SetPixel(dst, x1, y1, c);
      if (x1 == x2 && y1 == y2) break;
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x1 += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y1 += sy;
      }
    }
    return;
  }
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (kind == LineKind::kFilledBox) {
    // Row by row: the help fills the whole screen with it, once a page.
    const int left = std::max(x1, 0);
    const int right = std::min(x2, dst.w - 1);
    if (left > right) return;
    for (int y = std::max(y1, 0); y <= std::min(y2, dst.h - 1); ++y) {
      Pixel* row = &dst.px[static_cast<size_t>(y) * dst.w];
      std::fill(row + left, row + right + 1, c);
    }
    return;
  }
  for (int x = x1; x <= x2; ++x) {
    SetPixel(dst, x, y1, c);
    SetPixel(dst, x, y2, c);
  }
  for (int y = y1; y <= y2; ++y) {
    SetPixel(dst, x1, y, c);
    SetPixel(dst, x2, y, c);
  }
}

// Each page made in place: copies of one prototype would fill a fifth screen's worth of memory.
Display::Display() {
  pages_.reserve(kPageCount);
  for (int i = 0; i < kPageCount; ++i) pages_.emplace_back(kScreenW, kScreenH, 0xFF000000);
}

void Display::SetPages(int work, int visible) {
  work_ = std::clamp(work, 0, kPageCount - 1);
  visible_ = std::clamp(visible, 0, kPageCount - 1);
}

void Display::ClearWorkPage() { std::fill(WorkPage().px.begin(), WorkPage().px.end(), 0xFF000000); }

void Display::Locate(int line, int column) {
  cursorLine_ = line;
  cursorColumn_ = column;
}

void Display::Print(const std::string& text, bool lineEnd) {
  std::string shown = lineEnd ? text + "\n" : text;
  plainLog_ += shown;
  const std::string utf8 = Cp1251ToUtf8(shown);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  Image& page = WorkPage();
  for (char ch : text) {
    if (cursorColumn_ > kPlainColumns) {
      cursorColumn_ = 1;
      ++cursorLine_;
    }
    if (cursorLine_ <= kPlainLines) {
      const auto* rows = kPlainFont[kPlainCodePage[static_cast<unsigned char>(ch)]];
      const int left = 8 * (cursorColumn_ - 1);
      const int top = 16 * (cursorLine_ - 1);
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 8; ++x) {
          if (rows[y] & (0x80 >> x)) SetPixel(page, left + x, top + y, kPlainInk);
        }
      }
    }
    ++cursorColumn_;
  }
  if (lineEnd) {
    cursorColumn_ = 1;
    ++cursorLine_;
  }
}

std::string Display::ReadKey() {
  Pump();
  if (keys_.empty()) return "";
  std::string key = keys_.front();
  keys_.pop_front();
  return key;
}

void Display::WaitKey() {
  Wait any;
  any.kind = WaitKind::kKey;
  Waiting(any);
  Pump();
  while (keys_.empty()) {
    Sleep(50);
    Pump();
  }
}

MouseState Display::PollMouse() {
  Pump();
  return Mouse();
}

void Display::Pause(int ms) {
  Pump();
  if (ms == 100 && !keys_.empty()) return;
  Sleep(ms);
}

void Display::EndApplication(int status) {
  Close();
  throw AppExit{status};
}

void Display::QueueKey(const std::string& key) {
  if (keys_.size() >= kKeyQueueSize) keys_.pop_front();
  keys_.push_back(key);
}

Display& Screen() { return *gInstalled; }

void InstallDisplay(Display* display) { gInstalled = display; }
