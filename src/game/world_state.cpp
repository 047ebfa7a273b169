// The world record, the game's random source and the location lookup.
#include "game/world_state.h"

#include "screen/cp1251.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string_view>

World W;

namespace {

std::mt19937_64 gRandom;

}  // namespace

void SeedRandom(double seed) { gRandom.seed(std::bit_cast<std::uint64_t>(seed)); }

int RandInt(int n) {
  // 53 random bits give a uniform u in [0, 1).
  const double u = static_cast<double>(gRandom() >> 11) * 0x1.0p-53;
  return static_cast<int>(std::floor(u * n)) + 1;
}

int RoomIndex(const std::string& name) {
  for (int i = 1; i <= kRooms; ++i) {
    if (W.Room[i] == name) return i;
  }
  Screen().Print("Error: Room$ index not found -" + name, true);
  Screen().WaitKey();
  Screen().EndApplication(0);
}

namespace {

// A path from UTF-8 text: made from char8_t so that Windows gets it as UTF-16 rather than reading
// the bytes in its ANSI code page; elsewhere the bytes stay as they are.
std::filesystem::path Utf8Path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

std::filesystem::path DataPath(const std::string& relative) {
  // The data files name their paths with backslashes, in Windows-1251. Pieces are appended, never
  // joined with /=, so that a piece written as an absolute path cannot lead outside the game's
  // directory.
  std::filesystem::path path = Utf8Path(W.ExePath);
  const std::string name = Cp1251ToUtf8(relative);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] != '\\') continue;
    path += Utf8Path(std::string_view(name).substr(start, i - start));
    if (i < name.size()) path += std::filesystem::path::preferred_separator;
    start = i + 1;
  }
  return path;
}
