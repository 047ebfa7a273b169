// The one place that opens a data file: whole files byte for byte, and nothing for a missing one.
#include "scenario/data_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::filesystem::path TempFile(const std::string& name, const std::string& bytes) {
  const auto path = std::filesystem::temp_directory_path() / ("skellarine_data_file_" + name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

}  // namespace

TEST(DataFile, ReadsWholeFilesByteForByteAndTellsAnEmptyFileFromAMissingOne) {
  // Line ends, a NUL, bytes above 127 and a Ctrl+Z stay as they are: the readers decide about them.
  constexpr char kBytes[] = "one\r\ntwo\nthree\r\0\xC0\xFF\x1A end";
  const std::string bytes(kBytes, sizeof kBytes - 1);
  const auto full = TempFile("full", bytes);
  EXPECT_EQ(ReadDataFile(full), bytes);

  const auto empty = TempFile("empty", "");
  ASSERT_TRUE(ReadDataFile(empty).has_value());
  EXPECT_EQ(ReadDataFile(empty)->size(), 0u);

  std::filesystem::remove(full);
  EXPECT_FALSE(ReadDataFile(full).has_value());
  std::filesystem::remove(empty);
}
