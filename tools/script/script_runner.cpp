// Drives the game from a script: input when the game has settled, checks of rows, pixels and state.
#include "script_runner.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <utility>

#include "game/startup.h"
#include "game/world_state.h"
#include "screen/cp1251.h"
#include "screen/cp437.h"
#include "screen/backends/headless/headless_harness.h"
#include "screen/backends/headless/screen_text.h"
#include "screen/page_message.h"
#include "screen/text_rows.h"

namespace {

constexpr std::int64_t kExitWaitMs = 60000;

const std::set<std::string> kCommands = {
    "exedir", "timer", "click", "rclick-hold", "release", "move", "leave", "key", "type", "burst",
    "close", "pick", "pick-none", "expect-row", "expect-clock", "expect-plain", "expect-pixel",
    "expect-wait", "expect-state", "set", "screen", "screenshot", "expect-exit", "choose", "answer",
    "answer-enter", "answer-key", "expect-text", "expect-picture", "expect-message", "remember",
    "expect-same", "resume", "resume-from", "resume-journal", "include"};

const std::map<std::string, std::string> kKeyNames = {
    {"enter", "\r"}, {"backspace", "\b"}, {"escape", "\x1b"}, {"tab", "\t"}, {"space", " "},
    {"up", "\xFFH"}, {"down", "\xFFP"},   {"left", "\xFFK"},   {"right", "\xFFM"},
    {"home", "\xFFG"}, {"end", "\xFFO"},  {"f1", "\xFF;"},     {"f2", "\xFF<"},  {"f3", "\xFF="},
    {"f4", "\xFF>"}, {"f5", "\xFF?"},     {"f6", "\xFF@"},     {"f7", "\xFF" "A"}, {"f8", "\xFF" "B"},
    {"f9", "\xFF" "C"}, {"f10", "\xFF" "D"}, {"f11", "\xFF\x85"}, {"f12", "\xFF\x86"}};

// Thrown from inside the game's polling to stop the run with a status.
struct ScriptStop {
  int status;
};

// Thrown from inside the game's polling to start a new application handed a saved journal.
struct NewApplication {};

// A field of the world record, found by its name as the script writes it.
struct FieldRef {
  int* number = nullptr;
  std::string* text = nullptr;
};

// The fields of the world record that scripts name, by kind; the tables count from 1.
struct FieldTables {
  std::map<std::string, int*> numbers;
  std::map<std::string, std::string*> texts;
  std::map<std::string, std::pair<int*, int>> numberTables;
  std::map<std::string, std::pair<std::string*, int>> textTables;
};

const FieldTables& Fields() {
  static const FieldTables kFields = {
      {{"CurRoom", &W.CurRoom}, {"DestRoom", &W.DestRoom}, {"GridRow", &W.GridRow},
       {"GridCol", &W.GridCol}, {"StartHour", &W.StartHour}, {"StartMin", &W.StartMin},
       {"Clock", &W.Clock}, {"StartClock", &W.StartClock}, {"Spent", &W.Spent},
       {"TrainHour", &W.TrainHour}, {"PickupHour", &W.PickupHour}, {"LetterRoom", &W.LetterRoom},
       {"KeyRoom", &W.KeyRoom}, {"NoteRoom", &W.NoteRoom}, {"KeyCode", &W.KeyCode},
       {"MeetTime", &W.MeetTime}, {"SpyRoom", &W.SpyRoom}, {"SpyCount", &W.SpyCount},
       {"Moves", &W.Moves}, {"Waited", &W.Waited}, {"PicsOpened", &W.PicsOpened},
       {"Debug", &W.Debug}, {"Won", &W.Won}, {"Lost", &W.Lost}, {"ActionCount", &W.ActionCount},
       {"VerbNo", &W.VerbNo}, {"RowAlpha", &W.RowAlpha}, {"HelpDone", &W.HelpDone},
       {"ListRow", &W.ListRow}, {"MenuCount", &W.MenuCount}, {"MenuChoice", &W.MenuChoice}},
      {{"Password", &W.Password}, {"MeetRoom", &W.MeetRoom}, {"Said", &W.Said}, {"Msg", &W.Msg},
       {"ActionPic", &W.ActionPic}, {"Choice", &W.Choice}, {"Status", &W.Status},
       {"ExePath", &W.ExePath}},
      {{"F", {W.F.data(), 7}}, {"ActionPics", {W.ActionPics.data(), kMaxActions}}},
      {{"Room", {W.Room.data(), kRooms}},          {"RoomStem", {W.RoomStem.data(), kRooms}},
       {"Verb", {W.Verb.data(), kVerbs + 1}},      {"Code", {W.Code.data(), kCodes}},
       {"ActionKey", {W.ActionKey.data(), kMaxActions}},
       {"ActionStem", {W.ActionStem.data(), kMaxActions}},
       {"OpenedPic", {W.OpenedPic.data(), kMaxOpened}}, {"MenuItem", {W.MenuItem.data(), kMaxMenu}}}};
  return kFields;
}

std::optional<FieldRef> FindField(const std::string& written) {
  std::string name = written;
  int index = -1;
  const auto open = written.find('(');
  if (open != std::string::npos) {
    if (written.back() != ')') return std::nullopt;
    name = written.substr(0, open);
    try {
      index = std::stoi(written.substr(open + 1, written.size() - open - 2));
    } catch (...) {
      return std::nullopt;
    }
  }
  const FieldTables& fields = Fields();
  FieldRef ref;
  if (index < 0) {
    if (auto it = fields.numbers.find(name); it != fields.numbers.end()) ref.number = it->second;
    if (auto it = fields.texts.find(name); it != fields.texts.end()) ref.text = it->second;
  } else {
    if (auto it = fields.numberTables.find(name); it != fields.numberTables.end() && index >= 1 && index <= it->second.second) {
      ref.number = it->second.first + index;
    }
    if (auto it = fields.textTables.find(name); it != fields.textTables.end() && index >= 1 && index <= it->second.second) {
      ref.text = it->second.first + index;
    }
  }
  if (!ref.number && !ref.text) return std::nullopt;
  return ref;
}

// Every field above, the list's drawn state, the picture image and the random source, one a line.
std::vector<std::string> WorldLines() {
  const FieldTables& fields = Fields();
  std::vector<std::string> lines;
  for (const auto& [name, value] : fields.numbers) lines.push_back(name + " " + std::to_string(*value));
  for (const auto& [name, value] : fields.texts) lines.push_back(name + " " + Cp1251ToUtf8(*value));
  for (const auto& [name, table] : fields.numberTables) {
    for (int i = 1; i <= table.second; ++i) lines.push_back(name + "(" + std::to_string(i) + ") " + std::to_string(table.first[i]));
  }
  for (const auto& [name, table] : fields.textTables) {
    for (int i = 1; i <= table.second; ++i) lines.push_back(name + "(" + std::to_string(i) + ") " + Cp1251ToUtf8(table.first[i]));
  }
  for (int i = 1; i <= kMaxMenu; ++i) {
    lines.push_back("MenuShown(" + std::to_string(i) + ") " + std::to_string(W.MenuShown[i]) + " MenuHover " +
                    std::to_string(W.MenuHover[i]));
  }
  lines.push_back("PicImage " + std::to_string(W.PicImage.w) + "x" + std::to_string(W.PicImage.h) + " crc " +
                  std::to_string(crc32(0, reinterpret_cast<const Bytef*>(W.PicImage.px.data()),
                                       static_cast<uInt>(W.PicImage.px.size() * sizeof(Pixel)))));
  const std::string random = RandomState();
  lines.push_back("random " + std::to_string(crc32(0, reinterpret_cast<const Bytef*>(random.data()),
                                                   static_cast<uInt>(random.size()))));
  return lines;
}

// What the screen says, one item a line.
std::vector<std::string> WordLines(const ScreenWords& words) {
  std::vector<std::string> lines;
  for (int r = 1; r <= 34; ++r) lines.push_back("row " + std::to_string(r) + " |" + Cp1251ToUtf8(words.rows[r]) + "|");
  lines.push_back("clock " + words.clock);
  lines.push_back("picture " + std::to_string(static_cast<int>(words.picture.kind)) + " " +
                  Cp1251ToUtf8(words.picture.file) + " " + Cp1251ToUtf8(words.picture.place) + " " +
                  Cp1251ToUtf8(words.picture.text));
  for (const auto& line : words.plain) lines.push_back("plain " + Cp1251ToUtf8(line));
  return lines;
}

std::optional<long long> ParseWhole(const std::string& text) {
  try {
    std::size_t used = 0;
    const long long value = std::stoll(text, &used);
    if (used == text.size()) return value;
  } catch (...) {
  }
  return std::nullopt;
}

// Keys as the platform delivers typed characters: ASCII as itself, the rest in code page 437 ("?"
// for what it lacks).
std::vector<std::string> TypedKeys(const std::string& utf8) {
  std::vector<std::string> keys;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = cp1251::NextCodePoint(utf8, i);
    keys.emplace_back(1, cp < 0x80 ? static_cast<char>(cp) : cp437::FromCodePoint(cp));
  }
  return keys;
}

// What the game waits for, written as an expect-wait line writes it.
std::string WaitText(const Wait& wait) {
  switch (wait.kind) {
    case WaitKind::kNothing: return "nothing";
    case WaitKind::kKey: return "key";
    case WaitKind::kEnter: return "enter";
    case WaitKind::kTyped: return "typed " + std::to_string(wait.limit) + " row " + std::to_string(wait.promptRow);
    case WaitKind::kList: break;
  }
  std::string text = "list " + std::to_string(wait.list) + (wait.open ? " open" : "") + " row " +
                     std::to_string(wait.promptRow) + " rows ";
  bool consecutive = !wait.rows.empty();
  for (std::size_t i = 1; i < wait.rows.size(); ++i) consecutive = consecutive && wait.rows[i] == wait.rows[0] + static_cast<int>(i);
  if (consecutive) {
    text += std::to_string(wait.rows.front()) + "-" + std::to_string(wait.rows.back());
  } else {
    for (std::size_t i = 0; i < wait.rows.size(); ++i) text += (i > 0 ? "," : "") + std::to_string(wait.rows[i]);
  }
  std::string active;
  for (std::size_t i = 0; i < wait.active.size(); ++i) {
    if (wait.active[i]) active += (active.empty() ? "" : ",") + std::to_string(i + 1);
  }
  if (std::find(wait.active.begin(), wait.active.end(), false) != wait.active.end()) text += " active " + active;
  text += ":";
  for (std::size_t i = 0; i < wait.entries.size(); ++i) text += (i > 0 ? ", " : " ") + Cp1251ToUtf8(wait.entries[i]);
  return text;
}

class Runner {
 public:
  Runner(std::vector<ScriptLine> lines, std::string exeDir)
      : lines_(std::move(lines)), harness_(std::move(exeDir), {}) {
    harness_.onPump = [this] { OnPump(); };
  }

  int Run() {
    for (;;) {
      try {
        exitCode_ = harness_.Run();
        running_ = false;
        return FinishAfterExit();
      } catch (const ScriptStop& stop) {
        return stop.status;
      } catch (const NewApplication&) {
        StartNewApplication();
      }
    }
  }

 private:
  enum class Step { kNext, kInput, kWait };

  // The screen, the wait, the words, the world and the journal at one moment.
  struct Snapshot {
    std::vector<Pixel> page0;
    std::vector<Pixel> page1;
    std::string wait;
    std::vector<std::string> words;
    std::vector<std::string> world;
    std::string journal;
  };

  Snapshot Take() {
    const HeadlessDisplay& d = std::as_const(harness_).Display();
    return {d.Page(0).px, d.Page(1).px, WaitText(d.CurrentWait()), WordLines(d.Words()), WorldLines(),
            Display().GameJournal().Text()};
  }

  // Fails at the first difference between now and a snapshot.
  void ExpectSame(const ScriptLine& line, const Snapshot& then) {
    const Snapshot now = Take();
    const auto firstDifference = [](const std::vector<std::string>& a, const std::vector<std::string>& b) {
      for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string x = i < a.size() ? a[i] : "(none)";
        const std::string y = i < b.size() ? b[i] : "(none)";
        if (x != y) return std::make_pair(x, y);
      }
      return std::make_pair(std::string(), std::string());
    };
    for (int p = 0; p <= 1; ++p) {
      const auto& a = p == 0 ? then.page0 : then.page1;
      const auto& b = p == 0 ? now.page0 : now.page1;
      const auto at = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
      if (at.first != a.end()) {
        const auto index = static_cast<int>(at.first - a.begin());
        Fail(line, "page " + std::to_string(p) + " as then",
             "pixel (" + std::to_string(index % kScreenW) + ", " + std::to_string(index / kScreenW) + ") differs");
      }
    }
    if (then.wait != now.wait) Fail(line, then.wait, now.wait);
    if (then.journal != now.journal) Fail(line, "journal " + then.journal, "journal " + now.journal);
    for (const auto* pair : {&then.words, &then.world}) {
      const auto& other = pair == &then.words ? now.words : now.world;
      const auto [was, is] = firstDifference(*pair, other);
      if (was != is) Fail(line, was, is);
    }
  }

  // A new headless application, handed the journal kept for it; the script goes on in it.
  void StartNewApplication() {
    harness_.Renew(newJournal_);
    W = World();
    ++next_;
    typing_.clear();
    pickOpened_ = false;
    seenPage_ = -1;
    seenPixels_.clear();
    text_.reset();
    Given();
  }

  // Runs the line that ends this application; the next one is handed journal.
  [[noreturn]] void Restart(std::string journal) {
    newJournal_ = std::move(journal);
    throw NewApplication{};
  }

  void OnPump() {
    CheckChangeCount();
    if (!typing_.empty()) {
      if (!Display().KeyWaiting()) {
        Display().QueueKey(typing_.front());
        typing_.erase(typing_.begin());
        harness_.Given();
      }
      return;
    }
    if (!harness_.Settled()) return;
    if (resumeCheck_) {
      // The resumed application has settled at its wait: it must be where the first one was.
      const Snapshot then = std::move(*resumeCheck_);
      resumeCheck_.reset();
      ExpectSame(lines_[next_ - 1], then);
    }
    while (next_ < lines_.size()) {
      const Step step = Execute(lines_[next_]);
      if (step == Step::kWait) return;
      ++next_;
      if (step == Step::kInput) return;
    }
    if (!closing_) {
      // The script is over while the game runs: close the window.
      closing_ = true;
      Display().PushMouse({-1, -1, -1});
      Display().QueueKey(kCloseKey);
      Given();
    }
  }

  // The window shows the visible page again only when its change count has grown since the last
  // frame: a page that changes without it would stay unseen there, so every script checks it.
  void CheckChangeCount() {
    const int visible = Display().Visible();
    const Image& page = std::as_const(harness_).Display().Page(visible);
    const std::uint64_t count = Display().Changes(visible);
    if (visible == seenPage_ && count == seenCount_ && page.px != seenPixels_) {
      std::cout << "page " << visible << " changed without its change count growing (line "
                << (next_ < lines_.size() ? lines_[next_].number : 0) << ")" << std::endl;
      throw ScriptStop{1};
    }
    if (visible != seenPage_ || count != seenCount_) seenPixels_ = page.px;
    seenPage_ = visible;
    seenCount_ = count;
  }

  void Given() { harness_.Given(); }
  HeadlessDisplay& Display() { return harness_.Display(); }

  void Click(int x, int y, int buttons) {
    Display().PushMouse({x, y, buttons});
    Display().PushMouse({x, y, 0});
    Given();
  }

  int FinishAfterExit() {
    while (next_ < lines_.size()) {
      const ScriptLine& line = lines_[next_];
      if (line.command == "expect-exit") {
        const auto code = ParseWhole(line.argument);
        if (!code || *code != exitCode_) {
          Fail(line, line.argument, std::to_string(exitCode_));
        }
      } else if (IsInput(line.command)) {
        std::cout << "line " << line.number << ": " << line.text << "\n  the game has already ended (status "
                  << exitCode_ << ")" << std::endl;
        return 2;
      } else {
        Execute(line);
      }
      ++next_;
    }
    return 0;
  }

  static bool IsInput(const std::string& command) {
    static const std::set<std::string> kInputs = {
        "click",  "rclick-hold",  "release",    "move",   "leave",       "key",         "type",
        "burst",  "close",        "pick",       "pick-none", "timer",    "choose",      "answer",
        "answer-enter", "answer-key", "resume", "resume-from", "resume-journal"};
    return kInputs.count(command) != 0;
  }

  [[noreturn]] void Fail(const ScriptLine& line, const std::string& expected, const std::string& found) {
    std::cout << "line " << line.number << ": " << line.text << "\n  expected: " << expected
              << "\n  found:    " << found << "\n";
    PrintScreen();
    std::cout.flush();
    throw ScriptStop{1};
  }

  [[noreturn]] void Malformed(const ScriptLine& line, const std::string& why) {
    std::cout << "line " << line.number << ": " << line.text << "\n  " << why << std::endl;
    throw ScriptStop{2};
  }

  std::vector<int> Numbers(const ScriptLine& line, std::size_t count) {
    std::istringstream in(line.argument);
    std::vector<int> values;
    std::string word;
    while (in >> word) {
      const auto v = ParseWhole(word);
      if (!v) Malformed(line, "expected " + std::to_string(count) + " whole numbers");
      values.push_back(static_cast<int>(*v));
    }
    if (values.size() != count) Malformed(line, "expected " + std::to_string(count) + " whole numbers");
    return values;
  }

  // The reader of the font this application drew at start-up, learnt at its first use.
  const ScreenText& Text() {
    if (!text_) text_.emplace().Learn(Display().Page(3), W.GlyphCode);
    return *text_;
  }
  const Image& Shown() { return Display().Page(Display().Visible()); }

  std::string DecodeRow(int r) { return Text().Readable(Text().Row(Shown(), r)); }

  void PrintScreen() { std::cout << Text().Dump(Shown()); }

  // True when row r shows the glyphs of text (Windows-1251), fitted to the row's cells.
  bool RowShows(int r, const std::string& text) {
    std::string fitted = text.substr(0, kRowCells);
    fitted.resize(kRowCells, ' ');
    return Text().Row(Shown(), r) == Text().OfCp1251(fitted);
  }

  int FindRow(const std::string& text, int from, int to) {
    for (int r = from; r <= to; ++r) {
      if (RowShows(r, text)) return r;
    }
    return 0;
  }

  void Screenshot(const ScriptLine& line) {
    std::filesystem::path file = line.argument;
    if (file.is_relative()) file = std::filesystem::current_path() / file;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    if (!WritePng(file.string(), Display().Page(Display().Visible()))) Malformed(line, "cannot write " + file.string());
  }

  static bool WritePng(const std::string& path, const Image& img) {
    std::string raw;
    raw.reserve(static_cast<size_t>(img.h) * (img.w * 3 + 1));
    for (int y = 0; y < img.h; ++y) {
      raw += '\0';
      for (int x = 0; x < img.w; ++x) {
        const Pixel p = img.At(x, y);
        raw += static_cast<char>(p >> 16);
        raw += static_cast<char>(p >> 8);
        raw += static_cast<char>(p);
      }
    }
    uLongf size = compressBound(raw.size());
    std::string packed(size, '\0');
    if (compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                 raw.size()) != Z_OK) {
      return false;
    }
    packed.resize(size);
    std::ofstream out(path, std::ios::binary);
    auto be32 = [](std::uint32_t v) {
      return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                         static_cast<char>(v)};
    };
    auto chunk = [&](const std::string& type, const std::string& data) {
      const std::string body = type + data;
      out << be32(static_cast<std::uint32_t>(data.size())) << body
          << be32(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
    };
    out << "\x89PNG\r\n\x1a\n";
    chunk("IHDR", be32(img.w) + be32(img.h) + std::string{8, 2, 0, 0, 0});
    chunk("IDAT", packed);
    chunk("IEND", "");
    return static_cast<bool>(out);
  }

  Step ExpectExit(const ScriptLine& line) {
    if (!waitingExit_) {
      waitingExit_ = true;
      exitWaitFrom_ = Display().Now();
    }
    if (Display().Now() - exitWaitFrom_ > kExitWaitMs) Fail(line, "the game to end", "it still runs");
    return Step::kWait;
  }

  Step Pick(const ScriptLine& line, bool none) {
    if (!pickOpened_) {
      // The list's prompt "}_" stands on row 33 or 34.
      const std::string prompt = "}_";
      int r = FindRow(prompt, 33, 34);
      if (r == 0) Fail(line, "a list prompt on row 33 or 34", "none");
      Click(320, kRowHeight * r - 7, 1);
      pickOpened_ = true;
      return Step::kWait;
    }
    pickOpened_ = false;
    int r = W.MenuCount + 4;
    if (!none) {
      r = FindRow(" " + Utf8ToCp1251(line.argument), 4, W.MenuCount + 3);
      if (r == 0) Fail(line, "an entry reading " + line.argument, "none");
    }
    Click(320, kRowHeight * r - 7, 1);
    return Step::kInput;
  }

  Step Execute(const ScriptLine& line) {
    const std::string& c = line.command;
    const std::string& arg = line.argument;
    if (c == "exedir") return Step::kNext;
    if (running_ && pickOpened_ && c != "pick" && c != "pick-none") pickOpened_ = false;
    if (!running_ && IsInput(c)) Malformed(line, "the game has already ended");
    if (c == "timer") {
      try {
        Display().SetTimer(std::stod(arg));
      } catch (...) {
        Malformed(line, "expected a number of seconds");
      }
      return Step::kNext;
    }
    if (c == "click") {
      const auto v = Numbers(line, 2);
      Click(v[0], v[1], 1);
      return Step::kInput;
    }
    if (c == "rclick-hold" || c == "move") {
      const auto v = Numbers(line, 2);
      Display().PushMouse({v[0], v[1], c == "move" ? 0 : 2});
      Given();
      return Step::kInput;
    }
    if (c == "release") {
      const MouseState now = Display().CurrentMouse();
      Display().PushMouse({now.x, now.y, 0});
      Given();
      return Step::kInput;
    }
    if (c == "leave") {
      Display().PushMouse({-1, -1, -1});
      Given();
      return Step::kInput;
    }
    if (c == "key") {
      // Several names are queued at once, so that the game finds them all waiting behind each other.
      std::istringstream names(arg);
      std::vector<std::string> keys;
      std::string name;
      while (names >> name) {
        const auto it = kKeyNames.find(name);
        if (it == kKeyNames.end()) Malformed(line, "unknown key name");
        keys.push_back(it->second);
      }
      if (keys.empty()) Malformed(line, "unknown key name");
      for (const auto& key : keys) Display().QueueKey(key);
      Given();
      return Step::kInput;
    }
    if (c == "type") {
      typing_ = TypedKeys(arg);
      Given();
      return Step::kInput;
    }
    if (c == "burst") {
      for (const auto& key : TypedKeys(arg)) Display().QueueKey(key);
      Given();
      return Step::kInput;
    }
    if (c == "close") {
      Display().QueueKey(kCloseKey);
      Given();
      return Step::kInput;
    }
    if (c == "pick" || c == "pick-none") return Pick(line, c == "pick-none");
    if (c == "choose" || c == "answer" || c == "answer-enter" || c == "answer-key") {
      // Through the conversion that the web page's answers take.
      std::optional<Answer> answer;
      if (c == "choose") {
        const auto index = ParseWhole(arg);
        if (!index || *index < 0 || *index > 99) Malformed(line, "expected an entry's number (0 beside the list)");
        answer = AnswerFromPage(1, static_cast<int>(*index), "");
      } else if (c == "answer") {
        answer = AnswerFromPage(2, 0, arg);
      } else if (c == "answer-enter") {
        answer = AnswerFromPage(3, 0, "");
      } else {
        const auto named = kKeyNames.find(arg);
        answer = AnswerFromPage(4, 0, named != kKeyNames.end() ? named->second : arg);
        if (!answer) Malformed(line, "expected one character, backspace, escape or enter");
      }
      Display().GiveAnswer(*answer);
      Given();
      return Step::kInput;
    }
    if (c == "remember") {
      if (arg.empty()) Malformed(line, "expected a name");
      remembered_[arg] = Take();
      return Step::kNext;
    }
    if (c == "expect-same") {
      const auto it = remembered_.find(arg);
      if (it == remembered_.end()) Malformed(line, "nothing remembered as " + arg);
      ExpectSame(line, it->second);
      return Step::kNext;
    }
    if (c == "resume") {
      std::string journal = Display().GameJournal().Text();
      if (journal.empty()) Fail(line, "a game in progress", "no journal");
      resumeCheck_ = Take();
      Restart(std::move(journal));
    }
    if (c == "resume-from") {
      const auto it = remembered_.find(arg);
      if (it == remembered_.end()) Malformed(line, "nothing remembered as " + arg);
      Restart(it->second.journal);
    }
    if (c == "resume-journal") Restart(arg);
    if (c == "expect-text") {
      const auto space = arg.find(' ');
      const auto r = ParseWhole(arg.substr(0, space));
      if (!r || *r < 1 || *r > 34) Malformed(line, "expected a row from 1 to 34");
      const std::string text = space == std::string::npos ? "" : Utf8ToCp1251(arg.substr(space + 1));
      const std::string& found = Display().Words().rows[static_cast<std::size_t>(*r)];
      if (found != text) Fail(line, "|" + Cp1251ToUtf8(text) + "|", "|" + Cp1251ToUtf8(found) + "|");
      // The words are what the pixels show.
      if (Display().Visible() == 0 && !found.empty() && !RowShows(static_cast<int>(*r), found)) {
        Fail(line, "row " + std::to_string(*r) + " drawn as |" + Cp1251ToUtf8(found) + "|",
             "|" + DecodeRow(static_cast<int>(*r)) + "|");
      }
      return Step::kNext;
    }
    if (c == "expect-picture") {
      const ShownPicture& picture = Display().Words().picture;
      static constexpr const char* kKinds[] = {"none", "location", "action"};
      std::string found = kKinds[static_cast<int>(picture.kind)];
      if (!picture.file.empty()) found += " " + Cp1251ToUtf8(picture.file);
      if (!picture.place.empty()) found += " " + Cp1251ToUtf8(picture.place);
      if (found != arg) Fail(line, arg, found);
      return Step::kNext;
    }
    if (c == "expect-message") {
      if (Display().Message().find(arg) == std::string::npos) Fail(line, "a message holding " + arg, Display().Message());
      return Step::kNext;
    }
    if (c == "expect-row") {
      const auto space = arg.find(' ');
      const auto r = ParseWhole(arg.substr(0, space));
      if (!r || *r < 1 || *r > 34) Malformed(line, "expected a row from 1 to 34");
      const std::string text = space == std::string::npos ? "" : Utf8ToCp1251(arg.substr(space + 1));
      if (!RowShows(static_cast<int>(*r), text)) {
        Fail(line, "|" + Cp1251ToUtf8(text) + "|", "|" + DecodeRow(static_cast<int>(*r)) + "|");
      }
      return Step::kNext;
    }
    if (c == "expect-clock") {
      const Shapes want = Text().Of(arg);
      const Shapes clock = Text().Cells(Shown(), ScreenText::kClockX, ScreenText::kClockY, static_cast<int>(want.size()));
      if (clock != want) Fail(line, arg, Text().Readable(clock));
      return Step::kNext;
    }
    if (c == "expect-plain") {
      if (Display().PlainLog().find(Utf8ToCp1251(arg)) == std::string::npos) {
        Fail(line, arg, Cp1251ToUtf8(Display().PlainLog()));
      }
      return Step::kNext;
    }
    if (c == "expect-pixel") {
      std::istringstream in(arg);
      int x = -1;
      int y = -1;
      std::string hex;
      in >> x >> y >> hex;
      if (x < 0 || y < 0 || x >= kScreenW || y >= kScreenH || hex.size() != 8) {
        Malformed(line, "expected X Y AARRGGBB");
      }
      const Pixel want = static_cast<Pixel>(std::stoul(hex, nullptr, 16));
      const Pixel got = Display().Page(Display().Visible()).At(x, y);
      if (want != got) {
        char found[16];
        std::snprintf(found, sizeof found, "%08X", got);
        Fail(line, hex, found);
      }
      return Step::kNext;
    }
    if (c == "expect-wait") {
      const std::string found = WaitText(Display().CurrentWait());
      if (found != arg) Fail(line, arg, found);
      return Step::kNext;
    }
    if (c == "expect-state" || c == "set") {
      const auto space = arg.find(' ');
      const auto field = FindField(arg.substr(0, space));
      if (!field) Malformed(line, "unknown field");
      const std::string value = space == std::string::npos ? "" : arg.substr(space + 1);
      if (field->number) {
        const auto v = ParseWhole(value);
        if (!v) Malformed(line, "expected a whole number");
        if (c == "set") {
          *field->number = static_cast<int>(*v);
        } else if (*field->number != *v) {
          Fail(line, value, std::to_string(*field->number));
        }
      } else if (c == "set") {
        *field->text = Utf8ToCp1251(value);
      } else if (*field->text != Utf8ToCp1251(value)) {
        Fail(line, "|" + value + "|", "|" + Cp1251ToUtf8(*field->text) + "|");
      }
      return Step::kNext;
    }
    if (c == "screen") {
      std::cout << "line " << line.number << ":\n";
      PrintScreen();
      return Step::kNext;
    }
    if (c == "screenshot") {
      Screenshot(line);
      return Step::kNext;
    }
    if (c == "expect-exit") return ExpectExit(line);
    Malformed(line, "unknown command");
  }

  std::vector<ScriptLine> lines_;
  HeadlessHarness harness_;
  std::map<std::string, Snapshot> remembered_;
  std::optional<Snapshot> resumeCheck_;
  std::string newJournal_;
  std::size_t next_ = 0;
  bool running_ = true;
  int exitCode_ = 0;
  std::vector<std::string> typing_;
  bool pickOpened_ = false;
  bool waitingExit_ = false;
  std::int64_t exitWaitFrom_ = 0;
  bool closing_ = false;
  int seenPage_ = -1;
  std::uint64_t seenCount_ = 0;
  std::vector<Pixel> seenPixels_;
  std::optional<ScreenText> text_;
};

}  // namespace

bool ParseScript(const std::string& source, std::vector<ScriptLine>& lines, std::string& error) {
  std::istringstream in(source);
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos || text[first] == '#') continue;
    ScriptLine line;
    line.number = number;
    line.text = text;
    const auto space = text.find(' ');
    line.command = text.substr(0, space);
    line.argument = space == std::string::npos ? "" : text.substr(space + 1);
    // The usual opening, expanded here: the timer, then one Enter at a time through the help's
    // five pages and the briefing (queued at once, the help would drop the later ones).
    if (line.command == "start") {
      std::istringstream words(line.argument);
      std::string seconds = "100", word;
      int enters = 6;
      while (words >> word) {
        if (word == "briefing") {
          enters = 5;
        } else if (word.find_first_not_of("0123456789") == std::string::npos) {
          seconds = word;
        } else {
          error = "line " + std::to_string(number) + ": start takes SECONDS and briefing";
          return false;
        }
      }
      lines.push_back({number, text, "timer", seconds});
      for (int i = 0; i < enters; ++i) lines.push_back({number, text, "key", "enter"});
      continue;
    }
    if (!kCommands.count(line.command)) {
      error = "line " + std::to_string(number) + ": unknown command '" + line.command + "'";
      return false;
    }
    if (line.command == "exedir" && !lines.empty()) {
      error = "line " + std::to_string(number) + ": exedir must be the first line";
      return false;
    }
    lines.push_back(line);
  }
  return true;
}

namespace {

constexpr int kMaxIncludeDepth = 8;

// The lines of the script at path, each "include FILE" replaced by the lines of FILE (beside the
// script that names it); prints why and returns false when one cannot be read or parsed.
bool ReadScript(const std::filesystem::path& path, std::vector<ScriptLine>& lines, int depth) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::cout << "cannot read " << path.string() << std::endl;
    return false;
  }
  const std::string source((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<ScriptLine> own;
  std::string error;
  if (!ParseScript(source, own, error)) {
    std::cout << path.string() << ": " << error << std::endl;
    return false;
  }
  for (ScriptLine& line : own) {
    if (line.command != "include") {
      lines.push_back(std::move(line));
      continue;
    }
    if (depth >= kMaxIncludeDepth) {
      std::cout << path.string() << ": line " << line.number << ": includes nested too deep" << std::endl;
      return false;
    }
    std::vector<ScriptLine> included;
    const std::u8string name(line.argument.begin(), line.argument.end());
    if (!ReadScript(path.parent_path() / name, included, depth + 1)) return false;
    for (ScriptLine& inner : included) {
      if (inner.command == "exedir") {
        std::cout << path.string() << ": line " << line.number << ": an included script has an exedir" << std::endl;
        return false;
      }
      // Reported at the include, naming the line of the included script.
      inner.text += "   (" + line.argument + " line " + std::to_string(inner.number) + ")";
      inner.number = line.number;
      lines.push_back(std::move(inner));
    }
  }
  return true;
}

}  // namespace

int RunScript(const std::string& path, const std::string& defaultExeDir) {
  std::vector<ScriptLine> lines;
  if (!ReadScript(std::filesystem::path(path), lines, 0)) return 2;
  std::string exeDir = defaultExeDir;
  if (!lines.empty() && lines.front().command == "exedir") {
    // Scripts and the game's paths are UTF-8; char8_t keeps Windows from reading its ANSI code page.
    const std::string& argument = lines.front().argument;
    std::filesystem::path dir = std::u8string(argument.begin(), argument.end());
    if (dir.is_relative()) dir = std::filesystem::absolute(dir);
    const std::u8string normal = dir.lexically_normal().u8string();
    exeDir.assign(normal.begin(), normal.end());
  }
  if (exeDir.empty() || exeDir.back() != '/') exeDir += '/';
  Runner runner(std::move(lines), exeDir);
  return runner.Run();
}
