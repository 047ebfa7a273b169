// The autoplayer's player and screen reading for the browser tests: the test performs the
// player's clicks and keys in the browser and hands back the canvas as a raw RGBA file.
//
//   web_player play EXE_DIR            plays one game to the end over standard input and output
//   web_player read EXE_DIR FILE TEXT… prints the rows of a canvas dump and where each TEXT starts
//
// play writes one request a line — "screen", "click X Y", "keys HEX" — and reads back the path of
// a 640 x 480 RGBA dump of the canvas taken once the game has settled; it ends with
// "won TURNS MINUTES" after ФИНИШ and Y, or "fail WHY".
#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "game/world_state.h"
#include "player.h"
#include "player_link.h"
#include "screen/backends/headless/display_headless.h"
#include "screen/backends/headless/screen_text.h"
#include "screen/font.h"

namespace {

// Thrown when the browser side stops answering.
struct LinkLost {};

bool ReadDump(const std::string& path, Image& out) {
  std::ifstream file(path, std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (raw.size() != static_cast<size_t>(kScreenW) * kScreenH * 4) return false;
  out = Image(kScreenW, kScreenH, 0);
  for (size_t i = 0; i < out.px.size(); ++i) {
    const auto byte = [&](size_t k) { return static_cast<Pixel>(static_cast<unsigned char>(raw[4 * i + k])); };
    out.px[i] = 0xFF000000u | byte(0) << 16 | byte(1) << 8 | byte(2);
  }
  return true;
}

// The game in the browser, one request and one canvas dump at a time.
class BrowserLink : public PlayerLink {
 public:
  void Click(int x, int y) override { Ask("click " + std::to_string(x) + " " + std::to_string(y)); }
  void Keys(const std::string& keys) override {
    std::string hex;
    for (unsigned char c : keys) hex += {"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 15]};
    Ask("keys " + hex);
  }
  // The browser's own clock seeds its games.
  void SetTimer(double) override {}
  const Image& Visible() const override { return screen_; }

  void Ask(const std::string& request) {
    std::cout << request << std::endl;
    std::string path;
    if (!std::getline(std::cin, path) || !ReadDump(path, screen_)) throw LinkLost{};
  }

 private:
  Image screen_;
};

// The font sheet as the game draws it from the data directory, learnt by the screen reader.
void LearnFont(const std::string& exeDir, ScreenText& text) {
  HeadlessDisplay display(exeDir);
  InstallDisplay(&display);
  W.ExePath = exeDir;
  LoadFont();
  text.Learn(display.Page(3), W.GlyphCode);
  InstallDisplay(nullptr);
}

std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', '|');
  return text;
}

int Play(const ScreenText& text) {
  BrowserLink link;
  Player player(link, text);
  try {
    link.Ask("screen");
    player.SkipToBriefing();
    const GameRecord record = player.PlayGame();
    if (!record.failure.empty()) {
      std::cout << "fail " << OneLine(record.failure) << std::endl;
      return 1;
    }
    if (!record.won) {
      std::cout << "fail the game was not won" << std::endl;
      return 1;
    }
    player.Finish();
    std::cout << "won " << record.turns << " " << record.minutes << std::endl;
    return 0;
  } catch (const PlayFailure& failure) {
    std::cout << "fail " << OneLine(failure.what) << std::endl;
    return 1;
  } catch (const LinkLost&) {
    std::cout << "fail the browser side gave no screen" << std::endl;
    return 2;
  }
}

int Read(const ScreenText& text, const std::string& path, const std::vector<std::string>& texts) {
  Image screen;
  if (!ReadDump(path, screen)) {
    std::cout << "cannot read " << path << std::endl;
    return 2;
  }
  for (int r = 1; r <= 34; ++r) std::cout << "row " << r << " " << text.Readable(text.Row(screen, r)) << "\n";
  const auto clock = text.ClockMinutes(screen);
  std::cout << "clock " << (clock ? *clock : -1) << "\n";
  for (const std::string& wanted : texts) std::cout << "find " << text.FindRow(screen, wanted, 1, 34) << " " << wanted << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 2 || (args[0] != "play" && args[0] != "read") || (args[0] == "read" && args.size() < 3)) {
    std::cerr << "usage: web_player play EXE_DIR | web_player read EXE_DIR FILE [TEXT...]\n";
    return 2;
  }
  std::string exeDir = args[1];
  if (exeDir.back() != '/') exeDir += '/';
  ScreenText text;
  LearnFont(exeDir, text);
  if (args[0] == "play") return Play(text);
  return Read(text, args[2], std::vector<std::string>(args.begin() + 3, args.end()));
}
