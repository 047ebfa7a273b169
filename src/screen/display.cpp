// The common half of the display services: in-memory pages, drawing, plain text and the key queue.
#include "screen/display.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "screen/cp1251.h"
#include "screen/page_message.h"
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

Image& Display::Made(int p) const {
  Image& page = pages_[p];
  if (!page.Exists()) page = Image(kScreenW, kScreenH, 0xFF000000);
  return page;
}

void Display::MakePages() {
  for (int p = 0; p < kPageCount; ++p) {
    Made(p);
    LetPlatformRun();
  }
}

void Display::SetPages(int work, int visible) {
  work_ = std::clamp(work, 0, kPageCount - 1);
  visible_ = std::clamp(visible, 0, kPageCount - 1);
}

void Display::ClearWorkPage() {
  const int page = work_;
  Draw([this, page] { std::fill(Page(page).px.begin(), Page(page).px.end(), 0xFF000000); });
}

void Display::Locate(int line, int column) {
  cursorLine_ = line;
  cursorColumn_ = column;
}

void Display::Print(const std::string& text, bool lineEnd) {
  std::string shown = lineEnd ? text + "\n" : text;
  plainLog_ += shown;
  const std::string utf8 = Cp1251ToUtf8(shown);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  if (work_ == visible_) {
    Show(ScreenChange::Plain(text, lineEnd));
  }
  const int page = work_;
  const int line = cursorLine_;
  const int column = cursorColumn_;
  Draw([this, page, line, column, text] {
    Image& img = Page(page);
    int cursorLine = line;
    int cursorColumn = column;
    for (char ch : text) {
      if (cursorColumn > kPlainColumns) {
        cursorColumn = 1;
        ++cursorLine;
      }
      if (cursorLine <= kPlainLines) {
        const auto* rows = kPlainFont[kPlainCodePage[static_cast<unsigned char>(ch)]];
        const int left = 8 * (cursorColumn - 1);
        const int top = 16 * (cursorLine - 1);
        for (int y = 0; y < 16; ++y) {
          for (int x = 0; x < 8; ++x) {
            if (rows[y] & (0x80 >> x)) SetPixel(img, left + x, top + y, kPlainInk);
          }
        }
      }
      ++cursorColumn;
    }
  });
  // The cursor moves as the drawing does, whether it runs now or later.
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (cursorColumn_ > kPlainColumns) {
      cursorColumn_ = 1;
      ++cursorLine_;
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
  StartWait(any);
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
  // A replayed journal never ends the application: it was not the journal of a game in progress.
  if (replaying_) throw ReplayRefused{};
  Close();
  throw AppExit{status};
}

void Display::QueueKey(const std::string& key) {
  if (keys_.size() >= kKeyQueueSize) keys_.pop_front();
  keys_.push_back(key);
}

void Display::StartWait(const Wait& wait) {
  if (replaying_) {
    wait_ = wait;
    if (wait.kind == WaitKind::kNothing) return;
    if (replayNext_ < replay_.Answers().size()) {
      // The answer that comes next must be one this wait takes, or the journal is not this game's.
      const Answer& next = replay_.Answers()[replayNext_];
      static constexpr AnswerKind kTaken[] = {AnswerKind::kEnter, AnswerKind::kKey, AnswerKind::kEnter,
                                              AnswerKind::kText, AnswerKind::kChoose};
      const bool fits = next.kind == kTaken[static_cast<int>(wait.kind)] &&
                        (next.kind != AnswerKind::kChoose || next.index <= static_cast<int>(wait.entries.size()));
      if (!fits) throw ReplayRefused{};
      return;
    }
    FinishReplay();
  }
  wait_ = wait;
  if (pending_) {
    const Answer kept = *pending_;
    pending_.reset();
    GiveAnswer(kept);
  }
  Waiting(wait);
}

void Display::GiveAnswer(const Answer& answer) {
  if (replaying_) return;
  const WaitKind kind = wait_.kind;
  const bool takesKeys = kind == WaitKind::kKey || kind == WaitKind::kEnter || kind == WaitKind::kTyped;
  switch (answer.kind) {
    case AnswerKind::kChoose:
      if (kind == WaitKind::kList && answer.index >= 0 && answer.index <= static_cast<int>(wait_.entries.size()) &&
          !pending_) {
        pending_ = answer;
      }
      break;
    case AnswerKind::kText:
      if (kind == WaitKind::kTyped && !pending_) pending_ = answer;
      break;
    case AnswerKind::kEnter:
      if (takesKeys) QueueKey("\r");
      break;
    case AnswerKind::kKey:
      if (takesKeys && !answer.text.empty()) QueueKey(answer.text);
      break;
  }
}

std::optional<Answer> Display::TakeAnswer(AnswerKind kind) {
  if (replaying_ && replayNext_ < replay_.Answers().size()) {
    const Answer& next = replay_.Answers()[replayNext_];
    if (next.kind != kind) throw ReplayRefused{};
    ++replayNext_;
    return next;
  }
  if (!pending_ || pending_->kind != kind) return std::nullopt;
  std::optional<Answer> answer = std::move(pending_);
  pending_.reset();
  return answer;
}

void Display::Show(const ScreenChange& change) {
  // The words are already those of the end of the replay when its drawings run.
  if (flushing_) return;
  auto clearRows = [this](int from, int to) {
    for (int r = std::max(from, 1); r <= std::min(to, 34); ++r) words_.rows[r].clear();
  };
  switch (change.kind) {
    case ScreenChange::kRow:
      if (change.row >= 1 && change.row <= 34) {
        std::string text = change.text;
        const auto last = text.find_last_not_of(' ');
        text.resize(last == std::string::npos ? 0 : last + 1);
        words_.rows[change.row] = text;
      }
      break;
    case ScreenChange::kClear:
      clearRows(change.row, change.lastRow);
      break;
    case ScreenChange::kClock:
      words_.clock = change.text;
      break;
    case ScreenChange::kPicture:
    case ScreenChange::kCover:
      clearRows(1, 34);
      words_.clock.clear();
      words_.plain.clear();
      plainLineOpen_ = false;
      if (change.kind == ScreenChange::kPicture) words_.picture = change.picture;
      break;
    case ScreenChange::kPlain:
      if (!plainLineOpen_) words_.plain.emplace_back();
      words_.plain.back() += change.text;
      plainLineOpen_ = !change.lineEnd;
      break;
  }
}

void Display::EndJournal() {
  journal_.End();
  if (replaying_) throw ReplayRefused{};
}

void Display::StartReplay(const Journal& journal) {
  replay_ = journal;
  replayNext_ = 0;
  replaying_ = true;
  seedTaken_ = false;
  deferred_.clear();
}

double Display::NewGameSeed() {
  if (!replaying_) return Timer();
  // A journal is one game's: a second start in it was never recorded.
  if (seedTaken_) throw ReplayRefused{};
  seedTaken_ = true;
  return replay_.Seed();
}

void Display::Draw(std::function<void()> draw, std::function<bool()> base) {
  if (!replaying_ || flushing_) {
    if (base) base();
    draw();
    return;
  }
  deferred_.push_back({std::move(base), std::move(draw)});
}

void Display::FinishReplay() {
  const int work = work_;
  const int visible = visible_;
  flushing_ = true;
  // A picture usually covers everything drawn before it; one that decodes only in part (a
  // damaged file) does not, and then the one before it is tried.
  std::size_t from = 0;
  bool baseDone = false;
  for (std::size_t i = deferred_.size(); i-- > 0;) {
    if (deferred_[i].base && deferred_[i].base()) {
      from = i;
      baseDone = true;
      break;
    }
  }
  for (std::size_t i = from; i < deferred_.size(); ++i) {
    if (deferred_[i].base && !(baseDone && i == from)) deferred_[i].base();
    deferred_[i].draw();
  }
  flushing_ = false;
  deferred_.clear();
  replaying_ = false;
  replay_ = Journal();
  SetPages(work, visible);
  resumed_ = "yes";
}

void Display::Restart() {
  for (int p = 0; p < kPageCount - 1; ++p) std::fill(Page(p).px.begin(), Page(p).px.end(), 0xFF000000);
  work_ = 0;
  visible_ = 0;
  keys_.clear();
  cursorLine_ = 1;
  cursorColumn_ = 1;
  wait_ = Wait();
  pending_.reset();
  words_ = ScreenWords();
  plainLineOpen_ = false;
  journal_ = Journal();
  replaying_ = false;
  flushing_ = false;
  replay_ = Journal();
  deferred_.clear();
  resumed_ = "refused";
}

std::string Display::TakeResumed() { return std::exchange(resumed_, std::string()); }

std::string Display::PageJson(const Wait& wait) { return PageMessage(wait, words_, journal_.Text(), TakeResumed()); }

Display& Screen() { return *gInstalled; }

void InstallDisplay(Display* display) { gInstalled = display; }
