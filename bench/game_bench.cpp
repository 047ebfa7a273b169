// Timed runs of a location picture, a whole turn, the start-up and a resumed game, with each
// figure's ratio or target.
#include <benchmark/benchmark.h>

#include <csetjmp>
#include <filesystem>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "game/startup.h"
#include "game/turn_cycle.h"
#include "game/world_state.h"
#include "pictures/jpeg_decode.h"
#include "pictures/location_pictures.h"
#include "scenario/scenario.h"
#include "screen/clock.h"
#include "screen/cp1251.h"
#include "screen/backends/headless/display_headless.h"
#include "screen/font.h"
#include "screen/input.h"
#include "screen/text_rows.h"
#include "turn_work.h"

namespace {

constexpr int kRepetitions = 15;
constexpr int kLocation = 1;

// The directory holding data/: $SKELLARINE_EXE_DIR, else the build directory this was built in.
std::string ExeDir() {
  const char* env = std::getenv("SKELLARINE_EXE_DIR");
  std::string dir = env != nullptr ? env : SKELLARINE_BUILD_DIR;
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

// A fresh world on a fresh headless display, with the font and the scenario read.
void StartWorld(HeadlessDisplay& display) {
  InstallDisplay(&display);
  W = World();
  W.ExePath = display.ExeDir();
  LoadFont();
  SeedRandom(1);
  LoadScenario();
  W.HelpDone = 1;
}

std::string LocationPicturePath() { return DataPath(W.RoomStem[kLocation] + "1.jpg").string(); }

struct BareError {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

// libjpeg-turbo alone: the file decoded to BGRA rows straight into a screen-sized buffer.
bool BareDecode(const std::string& path, std::vector<Pixel>& out) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  jpeg_decompress_struct info{};
  BareError errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<BareError*>(c->err)->jump, 1); };
  jpeg_create_decompress(&info);
  bool ok = false;
  if (setjmp(errors.jump) == 0) {
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height && info.output_scanline < static_cast<unsigned>(kScreenH) &&
           info.output_width <= static_cast<unsigned>(kScreenW)) {
      JSAMPROW row = reinterpret_cast<JSAMPROW>(&out[static_cast<size_t>(info.output_scanline) * kScreenW]);
      jpeg_read_scanlines(&info, &row, 1);
    }
    ok = info.output_width == static_cast<unsigned>(kScreenW) && info.output_height == static_cast<unsigned>(kScreenH);
    if (ok) jpeg_finish_decompress(&info);
  }
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return ok;
}

void BM_BareDecode(benchmark::State& state) {
  HeadlessDisplay display(ExeDir());
  StartWorld(display);
  const std::string path = LocationPicturePath();
  std::vector<Pixel> out(static_cast<size_t>(kScreenW) * kScreenH);
  if (!BareDecode(path, out)) {
    state.SkipWithError(("cannot decode " + path).c_str());
    return;
  }
  for (auto _ : state) {
    BareDecode(path, out);
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_ShowRoomPicture(benchmark::State& state) {
  HeadlessDisplay display(ExeDir());
  StartWorld(display);
  for (auto _ : state) {
    W.Waited = 0;
    ShowRoomPicture(kLocation);
    benchmark::DoNotOptimize(display.Page(0).px.data());
  }
  if (display.Page(1).px[0] == 0xFF000000 && display.Page(1).px.back() == 0xFF000000) {
    state.SkipWithError("the picture was not drawn");
  }
}

// The game's decoder on a normal picture (location 1's) and on the generated pictures of thousands
// of empty scans, which it must give up on in about the same time.
void DecodeBench(benchmark::State& state, const std::filesystem::path& path) {
  if (!std::filesystem::exists(path)) {
    state.SkipWithError(("no " + path.string() + " (build the bad_data_sets target)").c_str());
    return;
  }
  W.PicImage = Image(kScreenW, kScreenH, 0);
  for (auto _ : state) {
    DecodeJpeg(path);
    benchmark::DoNotOptimize(W.PicImage.px.data());
  }
}

void BM_DecodePicture(benchmark::State& state) {
  HeadlessDisplay display(ExeDir());
  StartWorld(display);
  DecodeBench(state, LocationPicturePath());
}

// The sets of bad_gen_picture_scans: 2048 x 2048 with 4,000 and 16,000 empty scans, 16 x 16 and
// 640 x 480 with 100,000, 640 x 480 with 16 (decoded, the most work within the bounds).
const char* const kManyScans[] = {"PROG", "GREY", "SMALL", "BIG", "CMYK"};

void BM_DecodeManyScans(benchmark::State& state) {
  const std::string set = kManyScans[state.range(0)];
  DecodeBench(state, ExeDir() + "fixtures/bad_gen_picture_scans/data/" + set + "/" + set + "1.jpg");
}

// One turn as the turn cycle runs it, up to the command (turn_work.cpp, shared with the web
// benchmark): picture, status, clock, the four rows, the list opened by a click on the prompt
// and closed by a click on its first entry.
void BM_Turn(benchmark::State& state) {
  TurnWork work(ExeDir());
  int picked = 0;
  for (auto _ : state) picked += work.Turn() ? 1 : 0;
  if (picked != static_cast<int>(state.iterations())) state.SkipWithError("the first command was not picked");
}

// Title, font, win images and the first help page, up to the first wait for a key.
void BM_StartupToHelp(benchmark::State& state) {
  int reached = 0;
  for (auto _ : state) {
    HeadlessDisplay display(ExeDir());
    InstallDisplay(&display);
    W = World();
    display.onPump = [&display] { display.EndApplication(0); };
    const int status = RunApplication();
    reached += status == 0 && W.ListRow > 2 && W.FlyStrip.Exists() ? 1 : 0;
  }
  if (reached != static_cast<int>(state.iterations())) state.SkipWithError("the first help page was not reached");
}

// A game of seed 100 (the timer 100 of the scripts), 40 turns after the briefing's Enter: eight
// kinds of turn five times over (to РАТУША, ЧИТАТЬ, to АРКАДА, ЖДАТЬ 5, ПОМОЩЬ and Enter, ИСКАТЬ,
// a click beside the list, ИССЛЕДОВАТЬ), 175 minutes of game time, the spy never met.
std::string FortyTurns() {
  std::string journal = "1;4059000000000000;0;e";
  for (int i = 0; i < 5; ++i) journal += ";1;2;4;1;1;7;t5;11;e;9;0;3";
  return journal;
}

// The same start-up handed that journal, up to the wait after its last turn.
void BM_ResumeFortyTurns(benchmark::State& state) {
  const std::string journal = FortyTurns();
  int resumed = 0;
  for (auto _ : state) {
    HeadlessDisplay display(ExeDir());
    InstallDisplay(&display);
    W = World();
    display.SetSavedJournal(journal);
    display.onPump = [&display] { display.EndApplication(0); };
    const int status = RunApplication();
    resumed += status == 0 && W.Moves == 41 && display.GameJournal().Text() == journal &&
                       display.Message().find("\"resumed\":\"yes\"") != std::string::npos
                   ? 1
                   : 0;
  }
  if (resumed != static_cast<int>(state.iterations())) state.SkipWithError("the journal was not resumed");
}

// Repetitions come from --benchmark_repetitions (15 unless given), so that a run can ask for more.
BENCHMARK(BM_BareDecode)->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
BENCHMARK(BM_ShowRoomPicture)->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
BENCHMARK(BM_Turn)->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
BENCHMARK(BM_StartupToHelp)->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
BENCHMARK(BM_ResumeFortyTurns)->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
BENCHMARK(BM_DecodePicture)->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
BENCHMARK(BM_DecodeManyScans)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);

// A benchmark's medians in milliseconds: wall time, and the CPU time that other load on the
// machine disturbs less.
struct Median {
  double real = -1;
  double cpu = -1;
};

// The console report, keeping each median for the summary.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& run : reports) {
      if (run.aggregate_name == "median" && !run.error_occurred) {
        const double toMs = 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        medians[run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args)] = {run.GetAdjustedRealTime() * toMs, run.GetAdjustedCPUTime() * toMs};
        repetitions = run.repetitions;
      }
    }
    ConsoleReporter::ReportRuns(reports);
  }
  std::map<std::string, Median> medians;
  std::int64_t repetitions = 0;
};

void Summary(const std::map<std::string, Median>& medians, std::int64_t repetitions) {
  const auto find = [&](const char* name) {
    const auto found = medians.find(name);
    return found == medians.end() ? Median{} : found->second;
  };
  const auto verdict = [](double value, double target) { return value <= target ? "met" : "MISSED"; };
  std::printf("\nsummary: medians of %lld repetitions, wall (cpu)\n", static_cast<long long>(repetitions));
  const Median bare = find("BM_BareDecode");
  const Median shown = find("BM_ShowRoomPicture");
  if (bare.real > 0 && shown.real > 0) {
    const double ratio = shown.real / bare.real;
    const double cpuRatio = shown.cpu / bare.cpu;
    std::printf("  location picture %.3f (%.3f) ms / bare decode %.3f (%.3f) ms = ratio %.3f (%.3f), target <= 1.25: %s\n",
                shown.real, shown.cpu, bare.real, bare.cpu, ratio, cpuRatio, verdict(ratio, 1.25));
  }
  const Median turn = find("BM_Turn");
  if (turn.real > 0) {
    std::printf("  turn %.3f (%.3f) ms, target <= 3 ms: %s; ratio to the bare decode %.2f (%.2f)\n", turn.real,
                turn.cpu, verdict(turn.real, 3.0), bare.real > 0 ? turn.real / bare.real : 0.0,
                bare.cpu > 0 ? turn.cpu / bare.cpu : 0.0);
  }
  const Median startup = find("BM_StartupToHelp");
  if (startup.real > 0) {
    std::printf("  start-up to the first help page %.3f (%.3f) ms, target <= 60 ms: %s; ratio to the bare decode %.2f (%.2f)\n",
                startup.real, startup.cpu, verdict(startup.real, 60.0), bare.real > 0 ? startup.real / bare.real : 0.0,
                bare.cpu > 0 ? startup.cpu / bare.cpu : 0.0);
  }
  const Median resume = find("BM_ResumeFortyTurns");
  if (startup.real > 0 && resume.real > 0) {
    std::printf("  resuming a 40-turn journal %.3f (%.3f) ms / start-up to the first help page = ratio %.2f (%.2f), "
                "%.3f (%.3f) ms beyond it\n",
                resume.real, resume.cpu, resume.real / startup.real, resume.cpu / startup.cpu,
                resume.real - startup.real, resume.cpu - startup.cpu);
  }
  const Median picture = find("BM_DecodePicture");
  Median worst;
  for (const auto& [name, median] : medians) {
    if (name.rfind("BM_DecodeManyScans/", 0) == 0 && median.cpu > worst.cpu) worst = median;
  }
  if (picture.real > 0 && worst.real > 0) {
    const double ratio = worst.cpu / picture.cpu;
    std::printf("  worst picture of empty scans %.3f (%.3f) ms / a normal picture %.3f (%.3f) ms = ratio %.2f cpu (%.2f wall), target <= 3: %s\n",
                worst.real, worst.cpu, picture.real, picture.cpu, ratio, worst.real / picture.real, verdict(ratio, 3.0));
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The defaults go first so that the same flags given on the command line win.
  std::string repetitionsFlag = "--benchmark_repetitions=" + std::to_string(kRepetitions);
  std::vector<char*> args = {argv[0], repetitionsFlag.data()};
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  Summary(reporter.medians, reporter.repetitions);
  return 0;
}
