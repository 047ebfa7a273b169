// skellarine-script SCRIPT: runs the game headless from a script.
#include <filesystem>
#include <iostream>

#include "script_runner.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: skellarine-script SCRIPT\n";
    return 2;
  }
  std::error_code ec;
  auto self = std::filesystem::canonical("/proc/self/exe", ec);
  const std::string exeDir = ec ? std::filesystem::current_path().string() : self.parent_path().string();
  return RunScript(argv[1], exeDir);
}
