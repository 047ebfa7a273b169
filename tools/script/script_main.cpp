// skellarine-script SCRIPT [EXE_DIR]: runs the game headless from a script.
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "script_runner.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

// The path of this program; /proc/self/exe under Wine would name Wine's loader, not the .exe.
std::filesystem::path SelfPath(std::error_code& ec) {
#ifdef _WIN32
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length == 0 || length >= buffer.size()) ec = std::make_error_code(std::errc::filename_too_long);
  buffer.resize(length);
  return buffer;
#else
  return std::filesystem::canonical("/proc/self/exe", ec);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: skellarine-script SCRIPT [EXE_DIR]\n";
    return 2;
  }
  std::error_code ec;
  const std::filesystem::path self = SelfPath(ec);
  // The game keeps its paths in UTF-8. EXE_DIR stands in for the runner's own directory where
  // that names something else (under Node, /proc/self/exe is Node itself).
  const std::u8string exeDir =
      argc == 3 ? std::filesystem::absolute(std::u8string(argv[2], argv[2] + std::strlen(argv[2])))
                      .lexically_normal()
                      .u8string()
      : ec      ? std::filesystem::current_path().u8string()
                : self.parent_path().u8string();
  return RunScript(argv[1], std::string(exeDir.begin(), exeDir.end()));
}
