// The one place that opens a data file of the game.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

// The whole file, or nothing when it cannot be opened (the callers read that as an empty file).
std::optional<std::string> ReadDataFile(const std::filesystem::path& path);

// The whole file at a path of this machine's file system, read in large pieces (a picture of
// thousands of scans is megabytes), or nothing when it cannot be opened. Through the path itself
// (wide on Windows): a C stdio name would be the ANSI code page there.
inline std::optional<std::string> ReadLocalFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return std::move(bytes).str();
}
