// The one place that opens a data file of the game; its definition is the platform's
// (screen/backends/local or web), chosen by the build.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

// The whole file, or nothing when it cannot be opened (the callers read that as an empty file).
std::optional<std::string> ReadDataFile(const std::filesystem::path& path);

// The whole file at a path of this machine's file system, read in one piece (a picture of
// thousands of scans is megabytes; in the browser every read is a call out of the wasm), or
// nothing when it cannot be opened. Through the path itself (wide on Windows): a C stdio name
// would be the ANSI code page there.
inline std::optional<std::string> ReadLocalFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  const std::streamoff size = file.tellg();
  std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  file.seekg(0);
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}
