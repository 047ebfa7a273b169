// The world record, the game's random source and the location lookup.
#include "game/world_state.h"

#include "screen/cp1251.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>

World W;

namespace {

std::mt19937_64 gRandom;

}  // namespace

void SeedRandom(double seed) {
  // The seed's bits, not its value, so that a fraction of a second gives another game (memcpy:
  // not every standard library in use has std::bit_cast).
  std::uint64_t bits = 0;
  std::memcpy(&bits, &seed, sizeof bits);
  gRandom.seed(bits);
}

int RandInt(int n) {
  // 53 random bits give a uniform u in [0, 1).
  const double u = static_cast<double>(gRandom() >> 11) * 0x1.0p-53;
  return static_cast<int>(std::floor(u * n)) + 1;
}

void ResetRandom() { gRandom = std::mt19937_64(); }

std::string RandomState() {
  std::ostringstream out;
  out << gRandom;
  return out.str();
}

int RoomIndex(const std::string& name) {
  for (int i = 1; i <= kRooms; ++i) {
    if (W.Room[i] == name) return i;
  }
  Screen().Print("Error: Room$ index not found -" + name, true);
  Screen().WaitKey();
  Screen().EndApplication(0);
}

std::filesystem::path DataPath(const std::string& relative) {
  // The data files name their paths in Windows-1251 with backslashes; the file system names files
  // in Unicode. The path is made from UTF-8 as char8_t, so that on Windows it becomes UTF-16 and
  // never passes through the ANSI code page. It is built as one text, never joined with /=, so
  // that a piece written as an absolute path cannot lead outside the game's directory.
  std::u8string text(W.ExePath.begin(), W.ExePath.end());
  for (char ch : Cp1251ToUtf8(relative)) {
    text += ch == '\\' ? static_cast<char8_t>(std::filesystem::path::preferred_separator) : static_cast<char8_t>(ch);
  }
  return std::filesystem::path(text);
}
