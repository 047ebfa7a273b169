// Display and input services: four in-memory 640 x 480 pages, images, puts, keys, mouse and time.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "screen/journal.h"

using Pixel = std::uint32_t;

// A w x h block of 0xAARRGGBB pixels, stored row by row from the top.
struct Image {
  int w = 0;
  int h = 0;
  std::vector<Pixel> px;

  Image() = default;
  Image(int width, int height, Pixel fill);
  // True once the image has been created with a size.
  bool Exists() const { return w > 0 && h > 0; }
  Pixel& At(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
  Pixel At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

enum class PutMode { kCopy, kBlend };
enum class LineKind { kLine, kBox, kFilledBox };

// The mouse as one poll sees it; all three are -1 while the pointer is outside the window.
struct MouseState {
  int x = -1;
  int y = -1;
  int buttons = -1;
};

// What an input operation waits for, told to the display when it starts waiting: a page can offer
// touch controls that fit (a tap as Enter, a keypad, the entries of a list as buttons).
enum class WaitKind { kNothing, kKey, kEnter, kTyped, kList };
struct Wait {
  WaitKind kind = WaitKind::kNothing;
  int limit = 0;       // a typed answer's longest length
  int list = 0;        // the list's kind (1 command words, 2 places, 3 code words)
  bool open = false;   // the list is shown; before that only its prompt is
  int promptRow = 0;   // the row of the typed answer or of the list's prompt
  std::vector<std::string> entries;  // the list's entries, Windows-1251, trimmed
  std::vector<int> rows;             // the text row of each entry
  std::vector<bool> active;          // false where the game knows the entry does nothing
  int columns = 0;                   // the places' list: the city grid's width (map order)
};

// What the screen says, kept beside its pixels: a page can give it as text.
enum class PictureKind { kNone, kLocation, kAction };
struct ShownPicture {
  PictureKind kind = PictureKind::kNone;
  std::string file;   // below data/, with '/' (CAFE/CAFE2.jpg)
  std::string place;  // the location's name; "" for an action
  std::string text;   // its one-line description
};
struct ScreenWords {
  std::array<std::string, 35> rows;  // rows 1 to 34, trailing blanks trimmed
  std::string clock;                 // "" when no clock is shown
  ShownPicture picture;
  std::vector<std::string> plain;    // plain-text lines
};
// One change of what the screen says, told by the routine that draws it. Texts are Windows-1251.
struct ScreenChange {
  enum Kind {
    kRow,      // row `row` now reads `text`
    kClear,    // rows `row` to `lastRow` are empty
    kClock,    // the clock reads `text`
    kPicture,  // `picture` covers the whole screen
    kCover,    // the same picture covers the whole screen again (darkened)
    kPlain,    // plain text printed; `lineEnd` ends its line
  };
  Kind kind = kRow;
  int row = 0;
  int lastRow = 0;
  std::string text;
  bool lineEnd = false;
  ShownPicture picture;

  static ScreenChange Row(int r, std::string text) { return {kRow, r, r, std::move(text), false, {}}; }
  static ScreenChange Clear(int from, int to) { return {kClear, from, to, {}, false, {}}; }
  static ScreenChange Clock(std::string text) { return {kClock, 0, 0, std::move(text), false, {}}; }
  static ScreenChange Picture(ShownPicture shown = {}) { return {kPicture, 0, 0, {}, false, std::move(shown)}; }
  static ScreenChange Cover() { return {kCover, 0, 0, {}, false, {}}; }
  static ScreenChange Plain(std::string text, bool lineEnd) { return {kPlain, 0, 0, std::move(text), lineEnd, {}}; }
};

// Thrown when a journal handed for replay does not fit the game it replays; start-up catches it
// and starts afresh.
struct ReplayRefused {};

// Thrown by EndApplication so that the entry point (or a test) can unwind and return the status.
struct AppExit {
  int status;
};

constexpr int kScreenW = 640;
constexpr int kScreenH = 480;
constexpr int kPageCount = 4;
constexpr std::size_t kKeyQueueSize = 15;
// The extended key that closing the window queues.
inline const std::string kCloseKey = std::string("\xFF") + "k";

// Copies the inclusive rectangle (x1, y1)-(x2, y2) of src into out, clipped to src.
void GrabRect(const Image& src, int x1, int y1, int x2, int y2, Image& out);
// Puts img with its top-left corner at (x, y) onto dst, clipped.
void PutImage(Image& dst, int x, int y, const Image& img, PutMode mode);
// Draws a line, a box outline or a filled box in exactly colour c, clipped.
void DrawLine(Image& dst, int x1, int y1, int x2, int y2, Pixel c, LineKind kind);
// Lays colour src over dst with opacity alpha(src)/255; dst keeps its alpha byte.
Pixel Blend(Pixel dst, Pixel src);

// The platform as the game sees it. Pages, drawing and the key queue are common to both
// backends; a backend supplies events, time, the executable's directory and presentation.
class Display {
 public:
  Display() = default;
  virtual ~Display() = default;
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Sets the window title.
  virtual void SetTitle(const std::string& title) { title_ = title; }
  const std::string& Title() const { return title_; }
  // Chooses the page that drawing goes to and the page shown in the window.
  void SetPages(int work, int visible);
  int Work() const { return work_; }
  int Visible() const { return visible_; }
  // Handing out a page for writing counts as a change of it (the window shows the visible page
  // again only after one), so no caller keeps such a reference across an input or a pause.
  Image& Page(int p) {
    ++changes_[p];
    return Made(p);
  }
  const Image& Page(int p) const { return Made(p); }
  // Makes every page now, one at a time with a turn for the platform after each.
  void MakePages();
  Image& WorkPage() { return Page(work_); }
  // Grows whenever page p may have changed.
  std::uint64_t Changes(int p) const { return changes_[p]; }

  // Fills the work page with black.
  void ClearWorkPage();
  // Moves the plain-text cursor (1-based line and column of the 80 x 30 grid).
  void Locate(int line, int column);
  // Prints Windows-1251 text with the built-in 8 x 16 font at the cursor on the work page,
  // and echoes it to standard error.
  void Print(const std::string& text, bool lineEnd);
  // Everything printed as plain text so far, in Windows-1251.
  const std::string& PlainLog() const { return plainLog_; }

  // Takes one key string from the queue: "" when none, one byte, or 255 and a scan code.
  std::string ReadKey();
  // Returns once a key is waiting, without taking it.
  void WaitKey();
  // The pointer in logical pixels and the button set.
  MouseState PollMouse();
  // Sleeps; a pause of 100 ms returns at once while a key is waiting.
  void Pause(int ms);
  // Seconds since some fixed moment, with fraction.
  virtual double Timer() = 0;
  // The directory that holds the executable, ending in the platform's separator.
  virtual std::string ExeDir() = 0;
  // A turn for the platform in the middle of long work: a browser paints and takes input meanwhile.
  virtual void LetPlatformRun() {}
  // Ends the application with the status (unwinds to the entry point).
  [[noreturn]] void EndApplication(int status);

  // The input operation that starts now waits for this: it is recorded, a replay that has run
  // out ends here, and the platform is told (Waiting).
  void StartWait(const Wait& wait);
  const Wait& CurrentWait() const { return wait_; }
  // Takes an answer by meaning for the wait now in force (a list choice or a text is kept for
  // the input routine, Enter and keys join the key queue); drops one that the wait cannot take.
  void GiveAnswer(const Answer& answer);
  // The kept answer of this kind, or the replay's next one (which must be of this kind).
  std::optional<Answer> TakeAnswer(AnswerKind kind);
  bool AnswerWaiting() const { return pending_.has_value(); }

  // What the screen says now; the drawing routines keep it through Show.
  void Show(const ScreenChange& change);
  const ScreenWords& Words() const { return words_; }

  // The journal of the game in progress, kept by the input routines.
  Journal& GameJournal() { return journal_; }
  // The game is over: its journal closes (a replay that gets here is refused).
  void EndJournal();
  // A saved journal that the platform hands to the game at start-up; "" when it has none.
  virtual std::string SavedJournal() { return ""; }
  // Replays journal from the next game's start on, drawing only what its last screen needs.
  void StartReplay(const Journal& journal);
  bool Replaying() const { return replaying_; }
  // The seed of a new game: the replayed journal's, else the timer.
  double NewGameSeed();
  // Runs a drawing now, or, while a replay runs, keeps it for the end. A drawing with a base
  // (decoding a picture) covers everything before it when its base returns true.
  void Draw(std::function<void()> draw, std::function<bool()> base = {});
  // Forgets everything of a refused replay: pages, words, keys, journal.
  void Restart();
  // The outcome of a saved journal for the next message ("yes", "refused"), then "".
  std::string TakeResumed();
  // The message for a page at this wait (page_message.h).
  std::string PageJson(const Wait& wait);

  // Appends a key to the queue, dropping the oldest when it is full.
  void QueueKey(const std::string& key);
  bool KeyWaiting() const { return !keys_.empty(); }

 protected:
  // Gathers pending events (and shows the visible page) before an input or a pause.
  virtual void Pump() {}
  // The current mouse state after Pump.
  virtual MouseState Mouse() = 0;
  // Lets time pass.
  virtual void Sleep(int ms) = 0;
  // Called when the application ends, before the unwinding starts.
  virtual void Close() {}
  // Tells the platform what the input operation that starts now waits for.
  virtual void Waiting(const Wait& wait) = 0;

 private:
  // Each page is made at its first use: four screens of memory filled in one go would hold a
  // browser's page for a long moment.
  Image& Made(int p) const;
  mutable std::array<Image, kPageCount> pages_;
  std::array<std::uint64_t, kPageCount> changes_{};
  int work_ = 0;
  int visible_ = 0;
  std::string title_;
  std::deque<std::string> keys_;
  int cursorLine_ = 1;
  int cursorColumn_ = 1;
  std::string plainLog_;
  Wait wait_;
  std::optional<Answer> pending_;
  ScreenWords words_;
  bool plainLineOpen_ = false;
  Journal journal_;
  bool replaying_ = false;
  bool seedTaken_ = false;
  bool flushing_ = false;
  Journal replay_;
  std::size_t replayNext_ = 0;
  struct Deferred {
    std::function<bool()> base;
    std::function<void()> draw;
  };
  std::vector<Deferred> deferred_;
  std::string resumed_;
  // Draws what the replay kept, from the last drawing that covers all before it.
  void FinishReplay();
};

// The installed display; set once by the entry point.
Display& Screen();
void InstallDisplay(Display* display);
