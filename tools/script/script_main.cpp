// skellarine-script SCRIPT [EXE_DIR]: runs the game headless from a script.
#include <filesystem>
#include <iostream>

#include "script_runner.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: skellarine-script SCRIPT [EXE_DIR]\n";
    return 2;
  }
  // EXE_DIR stands in for the runner's own directory where that cannot be found (under Node).
  std::string exeDir;
  if (argc == 3) {
    exeDir = std::filesystem::absolute(argv[2]).lexically_normal().string();
  } else {
    std::error_code ec;
    auto self = std::filesystem::canonical("/proc/self/exe", ec);
    exeDir = ec ? std::filesystem::current_path().string() : self.parent_path().string();
  }
  return RunScript(argv[1], exeDir);
}
