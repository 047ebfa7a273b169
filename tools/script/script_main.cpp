// skellarine-script SCRIPT: runs the game headless from a script.
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
  if (argc != 2) {
    std::cerr << "usage: skellarine-script SCRIPT\n";
    return 2;
  }
  std::error_code ec;
  const std::filesystem::path self = SelfPath(ec);
  // The game keeps its paths in UTF-8.
  const std::u8string exeDir = ec ? std::filesystem::current_path().u8string() : self.parent_path().u8string();
  return RunScript(argv[1], std::string(exeDir.begin(), exeDir.end()));
}
