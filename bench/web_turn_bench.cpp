// The turn of BM_Turn built with Emscripten and run under Node: prints the median milliseconds
// per turn over repetitions, wall and CPU (Node's own count), for bench/web.sh to set against the
// native figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <emscripten.h>

#include "turn_work.h"

namespace {

// Milliseconds of CPU time that the Node process has used.
double CpuMs() {
  return EM_ASM_DOUBLE({
    const used = process.cpuUsage();
    return (used.user + used.system) / 1000;
  });
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

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
  std::vector<double> wallMs;
  std::vector<double> cpuMs;
  for (int r = 0; r < repetitions; ++r) {
    const double cpuStart = CpuMs();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < turns; ++i) work.Turn();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    wallMs.push_back(took.count() / turns);
    cpuMs.push_back((CpuMs() - cpuStart) / turns);
  }
  std::printf("web turn: median %.4f (%.4f) ms wall (cpu) over %d repetitions of %d turns\n", Median(wallMs),
              Median(cpuMs), repetitions, turns);
  return 0;
}
