// Small helpers shared by the fuzz targets: a private executable directory and whole-file writes.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// A directory of this process's own in $TMPDIR (else /tmp) that stands for the executable's
// directory; made once with a data/ folder inside, removed at a normal exit, and ending in '/'.
inline const std::string& FuzzExeDir() {
  static const std::string dir = [] {
    static std::string made = (std::filesystem::temp_directory_path() / "skellarine-fuzz-XXXXXX").string();
    if (mkdtemp(made.data()) == nullptr) std::abort();
    std::filesystem::create_directories(made + "/data");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(made, ignored);
    });
    return made + "/";
  }();
  return dir;
}

// Replaces the file at path with the given bytes.
inline void WriteWholeFile(const std::string& path, const void* bytes, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  if (size != 0 && std::fwrite(bytes, 1, size, f) != size) std::abort();
  std::fclose(f);
}
