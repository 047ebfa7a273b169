// RandInt, RoomIndex, DataPath and the travel-time table.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>

#include "commands/commands.h"
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

TEST_F(WorldTest, RoomIndexFailureReportsWaitsForAKeyAndEndsWithZero) {
  for (int i = 1; i <= kRooms; ++i) W.Room[i] = "ОТЕЛЬ"_w;
  display.QueueKey("x");
  try {
    RoomIndex(std::string("ОТЕЛЬ "_w));
    FAIL() << "RoomIndex returned for a missing name";
  } catch (const AppExit& exit) {
    EXPECT_EQ(exit.status, 0);
  }
  EXPECT_EQ(display.PlainLog(), std::string("Error: Room$ index not found -ОТЕЛЬ \n"_w));
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
  // A name written as an absolute path still stays below the game's directory.
  EXPECT_TRUE(DataPath("\\data") == dir / u8"data") << DataPath("\\data");
  fs::remove_all(dir);
}

TEST_F(WorldTest, TravelTimesFollowTheGrid) {
  // Rows are the column distance 0..4, columns the row distance 0..3.
  const int expected[5][4] = {{0, 5, 10, 15}, {5, 5, 10, 15}, {10, 10, 15, 20}, {15, 15, 20, 20}, {20, 20, 20, 25}};
  for (int dx = 0; dx <= 4; ++dx) {
    for (int dy = 0; dy <= 3; ++dy) {
      W.GridRow = 0;
      W.GridCol = 1;
      W.DestRoom = 1 + dx + 5 * dy;
      TravelTime();
      EXPECT_EQ(W.Spent, expected[dx][dy]) << dx << "," << dy;
      EXPECT_EQ(W.GridRow, dy);
      EXPECT_EQ(W.GridCol, 1 + dx);
    }
  }
}

TEST_F(WorldTest, DataPathsAreUnicodeWithTheFileSystemsSeparator) {
  // ExePath is UTF-8; the relative name is Windows-1251 as the data files write it.
  const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
  auto utf8 = [](const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
  };
  W.ExePath = "игра" + sep;
  EXPECT_EQ(utf8(DataPath(std::string("data\\БЕЛЫЙ\\БЕЛЫЙ1.jpg"_w))),
            "игра" + sep + "data" + sep + "БЕЛЫЙ" + sep + "БЕЛЫЙ1.jpg");
  // Only the data files' backslashes are separators: a directory name may hold one on Linux.
  W.ExePath = "a\\b" + sep;
  EXPECT_EQ(utf8(DataPath("data\\map_ru.txt")), "a\\b" + sep + "data" + sep + "map_ru.txt");
  W.ExePath = "игра" + sep;
  // A piece written as an absolute path stays inside the game's directory.
  EXPECT_EQ(utf8(DataPath("\\etc\\passwd")), "игра" + sep + sep + "etc" + sep + "passwd");
}
