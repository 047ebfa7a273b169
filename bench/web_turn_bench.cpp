// The turn of BM_Turn built with Emscripten and run under Node: prints the median milliseconds
// per turn over repetitions, for bench/web.sh to set against the native figure.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "turn_work.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: node web_turn_bench.js EXE_DIR [REPETITIONS] [TURNS]\n");
    return 2;
  }
  std::string exeDir = argv[1];
  if (exeDir.back() != '/') exeDir += '/';
  const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
  const int turns = argc > 3 ? std::max(1, std::atoi(argv[3])) : 200;
  TurnWork work(exeDir);
  for (int i = 0; i < 20; ++i) {
    if (!work.Turn()) {
      std::fprintf(stderr, "the first command was not picked\n");
      return 1;
    }
  }
  std::vector<double> perTurnMs;
  for (int r = 0; r < repetitions; ++r) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < turns; ++i) work.Turn();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    perTurnMs.push_back(took.count() / turns);
  }
  std::sort(perTurnMs.begin(), perTurnMs.end());
  std::printf("web turn: median %.4f ms over %d repetitions of %d turns (min %.4f, max %.4f)\n",
              perTurnMs[perTurnMs.size() / 2], repetitions, turns, perTurnMs.front(), perTurnMs.back());
  return 0;
}
