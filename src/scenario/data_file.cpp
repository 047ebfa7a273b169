// Data files read from the disk. The game in a browser links its own counterpart instead
// (data_file_web.cpp); this file holds nothing else, so that the linker never needs both.
#include "scenario/data_file.h"

#include <fstream>
#include <iterator>

std::optional<std::string> ReadDataFile(const std::filesystem::path& path) {
  // Read through the path itself (wide on Windows): a C stdio name would be the ANSI code page there.
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
