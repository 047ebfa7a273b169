// gen_bad_data DATA OUT: makes the bad-data sets that cannot be committed as fixtures (too large,
// or text files that must hold exact bytes), each a copy of DATA with one file replaced.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <span>
#include <string>
#include <utility>

#include "empty_scans_jpeg.h"

namespace fs = std::filesystem;

namespace {

// Random bytes from a fixed seed; mt19937's output is the same everywhere.
std::string RandomBytes(std::uint32_t seed, std::size_t count, bool noStar = false) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) {
    c = static_cast<char>(random() >> 24);
    // A "*" could make a page end that waits for Enter.
    if (noStar && c == '*') c = '#';
  }
  return bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh copy of the generated data under out/name/data with one file replaced.
bool MakeSet(const fs::path& data, const fs::path& out, const std::string& name, const std::string& file,
             const std::string& content) {
  const fs::path dir = out / name / "data";
  std::error_code ec;
  fs::remove_all(out / name, ec);
  fs::create_directories(dir);
  fs::copy(data, dir, fs::copy_options::recursive, ec);
  if (ec) {
    std::cerr << "gen_bad_data: cannot copy " << data << ": " << ec.message() << "\n";
    return false;
  }
  std::ofstream target(dir / file, std::ios::binary | std::ios::trunc);
  target << content;
  return static_cast<bool>(target);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gen_bad_data DATA OUT\n";
    return 2;
  }
  const fs::path data = argv[1];
  const fs::path out = argv[2];
  const std::string map = ReadFile(data / "map_ru.txt");
  const std::string action = ReadFile(data / "action.txt");
  if (map.empty() || action.empty()) {
    std::cerr << "gen_bad_data: no generated map or action file in " << data << "\n";
    return 1;
  }
  bool ok = true;

  ok &= MakeSet(data, out, "bad_gen_map_garbage", "map_ru.txt", RandomBytes(1, 4096));
  ok &= MakeSet(data, out, "bad_gen_action_garbage", "action.txt", RandomBytes(2, 4096));
  ok &= MakeSet(data, out, "bad_gen_help_garbage", "help_ru.txt", RandomBytes(3, 4096, true));

  // The whole map, then 50,000 more lines of commas, quotes and names that are never read.
  std::string longMap = map;
  for (int i = 0; i < 50000; ++i) longMap += "\"LINE " + std::to_string(i) + "\",ПОРТ,nofile\r\n";
  ok &= MakeSet(data, out, "bad_gen_map_long", "map_ru.txt", longMap);

  // A first line of 10 MB, and a picture field of 1 MB for location 4 (its path is far too long to open).
  std::string wideMap = std::string(10 * 1024 * 1024, 'x') + map.substr(map.find("\r\n"));
  const std::string park = "\r\nPARK\r\n";
  const auto parkAt = wideMap.find(park);
  if (parkAt == std::string::npos) {
    std::cerr << "gen_bad_data: the map has no PARK picture field\n";
    return 1;
  }
  wideMap.replace(parkAt, park.size(), "\r\n" + std::string(1024 * 1024, 'P') + "\r\n");
  ok &= MakeSet(data, out, "bad_gen_map_wide", "map_ru.txt", wideMap);

  // The five action records, fifteen that are never used, then 100,000 that would give reading
  // no picture if they were read.
  std::string longAction = action;
  if (longAction.size() < 2 || longAction.substr(longAction.size() - 2) != "\r\n") longAction += "\r\n";
  for (int i = 0; i < 15; ++i) longAction += "FILLER,LETTER,1\r\n";
  for (int i = 0; i < 100000; ++i) longAction += "READ,nofile,1\r\n";
  ok &= MakeSet(data, out, "bad_gen_action_long", "action.txt", longAction);

  // 20 MB of help lines on one page (33 numbered, then ten million empty ones), the page end and
  // the end of the text.
  std::string hugeHelp;
  for (int i = 1; i <= 33; ++i) hugeHelp += "HELP LINE " + std::to_string(i) + "\r\n";
  while (hugeHelp.size() < 20u * 1024 * 1024) hugeHelp += "\r\n";
  hugeHelp += "*\r\nEND\r\n";
  ok &= MakeSet(data, out, "bad_gen_help_huge", "help_ru.txt", hugeHelp);

  // The font sheet changed three ways, each with a help page of "UI В" (I lies in the bottom half of
  // the sheet, U and В in the top half): its two palette entries swapped, 12,738 bytes more after
  // it, and cut after half its pixel rows.
  const std::string font = ReadFile(data / "egarus.bmp");
  constexpr std::size_t kPalette = 14 + 40;
  if (font.size() <= kPalette + 8) {
    std::cerr << "gen_bad_data: no generated font sheet in " << data << "\n";
    return 1;
  }
  std::string reversed = font;
  std::swap_ranges(reversed.begin() + kPalette, reversed.begin() + kPalette + 4, reversed.begin() + kPalette + 4);
  const std::pair<const char*, std::string> fontSets[] = {
      {"bad_gen_font_reversed", reversed},
      {"bad_gen_font_oversized", font + RandomBytes(4, 16384 - font.size())},
      {"bad_gen_font_truncated", font.substr(0, kPalette + 8 + (font.size() - kPalette - 8) / 2)},
  };
  for (const auto& [name, sheet] : fontSets) {
    ok &= MakeSet(data, out, name, "egarus.bmp", sheet);
    std::ofstream help(out / name / "data" / "help_ru.txt", std::ios::binary | std::ios::trunc);
    help << "UI \xC2\r\n*\r\nEND\r\n";
    ok &= static_cast<bool>(help);
  }

  // Progressive pictures of empty scans, laid over the committed set of plain-colour pictures (red
  // arcade): 4,000 and 16,000 scans of 2048 x 2048 (56 and 224 kB), 100,000 of 16 x 16 and of
  // 640 x 480 (1.4 MB each), and 16 of 640 x 480, which is just within the bounds and decodes.
  const fs::path pictures = out / "bad_pictures" / "data";
  const std::pair<const char*, std::string> scanSets[] = {
      {"PROG", EmptyScansJpeg(2048, 2048, 4000)},
      {"GREY", EmptyScansJpeg(2048, 2048, 16000)},
      {"SMALL", EmptyScansJpeg(16, 16, 100000)},
      {"BIG", EmptyScansJpeg(640, 480, 100000)},
      {"CMYK", EmptyScansJpeg(640, 480, 16)},
  };
  for (const auto& [set, jpeg] : scanSets) {
    if (!fs::exists(pictures / set / (std::string(set) + "1.jpg"))) {
      std::cerr << "gen_bad_data: no picture set " << set << " in " << pictures << "\n";
      return 1;
    }
  }
  ok &= MakeSet(pictures, out, "bad_gen_picture_scans", "PROG/PROG1.jpg", scanSets[0].second);
  for (const auto& [set, jpeg] : std::span(scanSets).subspan(1)) {
    std::ofstream target(out / "bad_gen_picture_scans" / "data" / set / (std::string(set) + "1.jpg"),
                         std::ios::binary | std::ios::trunc);
    target << jpeg;
    ok &= static_cast<bool>(target);
  }

  return ok ? 0 : 1;
}
