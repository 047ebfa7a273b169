// RandInt, RoomIndex and DataPath.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>

#include "scenario/data_reader.h"
#include "screen/cp1251.h"
#include "test_support.h"

using WorldTest = ScreenTest;

TEST_F(WorldTest, RandIntCoversItsRangeEvenlyAndIsReproducible) {
  SeedRandom(12345.5);
  std::array<int, 11> seen{};
  for (int i = 0; i < 20000; ++i) {
    const int v = RandInt(10);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 10);
    ++seen[v];
  }
  for (int v = 1; v <= 10; ++v) EXPECT_NEAR(seen[v], 2000, 200) << v;
  EXPECT_EQ(RandInt(0), 1);
  EXPECT_EQ(RandInt(1), 1);
  SeedRandom(7.25);
  const int first = RandInt(900);
  SeedRandom(7.25);
  EXPECT_EQ(RandInt(900), first);
}

TEST_F(WorldTest, RoomIndexIsExactAndTheFirstEqualEntryWins) {
  for (int i = 1; i <= kRooms; ++i) W.Room[i] = std::to_string(i);
  W.Room[4] = "ОТЕЛЬ"_w;
  W.Room[9] = "ОТЕЛЬ"_w;
  EXPECT_EQ(RoomIndex(std::string("ОТЕЛЬ"_w)), 4);
  EXPECT_EQ(RoomIndex("20"), 20);
}

// The game's directory comes as UTF-8 (a folder with Cyrillic letters and blanks), the names in
// the data files as Windows-1251: the file must be found under its UTF-8 name.
TEST_F(WorldTest, DataPathJoinsAUtf8DirectoryAndWindows1251Names) {
  namespace fs = std::filesystem;
  const std::string tag = std::to_string(std::random_device()());
  const fs::path dir = fs::temp_directory_path() / (u8"skellarine Мои игры " + std::u8string(tag.begin(), tag.end()));
  const fs::path folder = dir / u8"data" / u8"ПОРТ";
  fs::create_directories(folder);
  std::ofstream(folder / u8"ПОРТ 1.txt") << "found\r\n";
  const std::u8string base = dir.u8string() + u8"/";
  W.ExePath.assign(base.begin(), base.end());

  const fs::path path = DataPath(std::string("data\\ПОРТ\\ПОРТ 1.txt"_w));
  EXPECT_TRUE(path == folder / u8"ПОРТ 1.txt") << path;
  DataReader reader(path);
  EXPECT_EQ(reader.Line(), "found");
  fs::remove_all(dir);
  // Only the data files' backslashes are separators: a directory name may hold one on Linux; and a
  // name written as an absolute path stays inside the game's directory.
  const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
  W.ExePath = "a\\b" + sep;
  EXPECT_TRUE(DataPath("data\\map_ru.txt") == fs::path("a\\b" + sep + "data" + sep + "map_ru.txt"));
  EXPECT_TRUE(DataPath("\\etc\\passwd") == fs::path("a\\b" + sep + "etc" + sep + "passwd"));
}
