// Fuzzes the data-file reading: raw line/field/number walks, and the real map, action and help loaders.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "game/world_state.h"
#include "scenario/data_reader.h"
#include "scenario/help.h"
#include "scenario/scenario.h"
#include "screen/backends/headless/display_headless.h"

namespace {

constexpr std::int64_t kEnterEveryMs = 200;
constexpr long kMaxPumps = 1000000;

void Check(bool holds) {
  if (!holds) std::abort();
}

bool HasLineEnd(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

// Every read that starts before the end must consume at least one byte, so a walk ends within size calls.
template <class Read>
void Walk(const std::string& text, Read read) {
  DataReader reader = DataReader::FromText(text);
  std::size_t calls = 0;
  while (!reader.AtEnd()) {
    read(reader);
    Check(++calls <= text.size());
  }
}

void RawWalks(const std::string& text) {
  std::size_t total = 0;
  Walk(text, [&](DataReader& r) {
    const std::string line = r.Line();
    Check(!HasLineEnd(line));
    total += line.size();
  });
  Check(total <= text.size());
  Walk(text, [](DataReader& r) { Check(r.Field().size() <= 4096); });
  Walk(text, [](DataReader& r) { r.Number(); });
  // The action file's record shape and the map file's.
  int step = 0;
  Walk(text, [&](DataReader& r) {
    if (step++ % 3 == 2) {
      r.Number();
    } else {
      Check(r.Field().size() <= 4096);
    }
  });
  step = 0;
  Walk(text, [&](DataReader& r) {
    if (step++ % 3 == 2) {
      Check(r.Field().size() <= 4096);
    } else {
      Check(!HasLineEnd(r.Line()));
    }
  });
}

long gPumps = 0;
std::int64_t gLastEnter = 0;

// The headless display for the help pages; Enter is pressed a while after each page waits, and a
// run that keeps polling without end is a fault.
HeadlessDisplay& HelpDisplay() {
  static HeadlessDisplay* display = [] {
    auto* made = new HeadlessDisplay(FuzzExeDir());
    made->onPump = [made] {
      Check(++gPumps < kMaxPumps);
      if (!made->KeyWaiting() && made->Now() - gLastEnter >= kEnterEveryMs) {
        made->QueueKey("\r");
        gLastEnter = made->Now();
      }
    };
    return made;
  }();
  return *display;
}

void Write(const std::string& name, const std::string& text) {
  WriteWholeFile(FuzzExeDir() + "data/" + name, text.data(), text.size());
}

void RunMap(const std::string& text) {
  Write("map_ru.txt", text);
  LoadMap();
  // The file on disk reads as the same text in memory does: the first name is the second line.
  DataReader same = DataReader::FromText(text);
  same.Line();
  Check(W.Room[1] == same.Line());
  for (int n = 1; n <= kRooms; ++n) {
    Check(!HasLineEnd(W.Room[n]));
    Check(W.RoomStem[n] == "nofile" || W.RoomStem[n].rfind("data\\", 0) == 0);
  }
}

void RunActions(const std::string& text) {
  Write("action.txt", text);
  LoadActions();
  Check(W.ActionCount >= 0 && W.ActionCount <= kMaxActions);
  for (int i = 1; i <= W.ActionCount; ++i) Check(W.ActionPics[i] >= 1 && W.ActionPics[i] <= 9);
}

void RunHelp(const std::string& text) {
  Write("help_ru.txt", text);
  HeadlessDisplay& display = HelpDisplay();
  InstallDisplay(&display);
  while (display.KeyWaiting()) display.ReadKey();
  gPumps = 0;
  gLastEnter = display.Now();
  ShowHelp();
  Check(W.HelpDone == 1);
}

}  // namespace

// The first byte picks the file: 'm' map, 'a' action table, 'h' help; anything else walks the raw reader.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  W.ExePath = FuzzExeDir();
  if (size == 0) {
    RawWalks("");
    return 0;
  }
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0]) {
    case 'm': RunMap(rest); break;
    case 'a': RunActions(rest); break;
    case 'h': RunHelp(rest); break;
    default: RawWalks(std::string(reinterpret_cast<const char*>(data), size)); break;
  }
  return 0;
}
