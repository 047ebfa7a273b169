// skellarine-script SCRIPT [EXE_DIR]: runs the game headless from a script.
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "screen/backends/headless/headless_harness.h"
#include "script_runner.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: skellarine-script SCRIPT [EXE_DIR]\n";
    return 2;
  }
  // EXE_DIR stands in for the runner's own directory where that names something else (under
  // Node, the running program is Node itself); the game keeps its paths in UTF-8.
  if (argc == 2) return RunScript(argv[1], ProgramDir());
  const std::u8string exeDir =
      std::filesystem::absolute(std::u8string(argv[2], argv[2] + std::strlen(argv[2]))).lexically_normal().u8string();
  return RunScript(argv[1], std::string(exeDir.begin(), exeDir.end()));
}
