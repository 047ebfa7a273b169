// Data files read from the disk: the desktop builds and every test program. The game in a browser
// links web/data_file_web.cpp instead; the build chooses one.
#include "scenario/data_file.h"

#include <fstream>

// Read in one piece (a picture of thousands of scans is megabytes), through the path itself (wide
// on Windows): a C stdio name would be the ANSI code page there.
std::optional<std::string> ReadDataFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  const std::streamoff size = file.tellg();
  std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  file.seekg(0);
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}
