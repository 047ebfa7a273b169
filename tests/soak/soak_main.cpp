// soak [INPUTS [SEED]]: plays the real game headless on random input for a long time, then closes
// the window; fails on a non-zero exit status, a hang or memory that keeps growing after warm-up.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "game/world_state.h"
#include "screen/backends/headless/headless_harness.h"

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_ASAN 1
#endif
#endif

#ifdef SOAK_ASAN
// From the sanitizer's allocator interface (GCC installs no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

// A small quarantine of freed blocks (the default is 256 MB), so that resident memory levels off
// within the warm-up and growth after it means live memory; ASAN_OPTIONS still overrides it.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
#endif

namespace {

constexpr long kDefaultInputs = 20000;
// Input the game has not taken after 2 s of virtual time is followed by more anyway, as a player
// would go on clicking; a game that stops for 10 s of real time is a hang.
const HeadlessHarness::Limits kLimits{0, 2000, std::chrono::seconds(10)};
// RSS is sampled every this many inputs; the first kWarmUpShare of the run is warm-up.
constexpr long kSampleEvery = 500;
constexpr double kWarmUpShare = 0.2;
// Growth allowed after warm-up, in kB: of RSS (under the sanitizer its quarantine and caches
// swing by several MB), and of the heap in use where the sanitizer's allocator counts it exactly.
#ifdef SOAK_ASAN
constexpr long kGrowthLimitKb = 24 * 1024;
#else
constexpr long kGrowthLimitKb = 8 * 1024;
#endif
constexpr long kHeapGrowthLimitKb = 2 * 1024;

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return 0;
}

// Bytes the program has allocated and not freed, in kB, where the sanitizer's allocator tells; else -1.
long HeapKb() {
#ifdef SOAK_ASAN
  return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  return -1;
#endif
}

double Mb(long kb) { return static_cast<double>(kb) / 1024.0; }

// Random input for the game, pushed from its pump; counts what the game does with it.
class Soak {
 public:
  Soak(long inputs, std::uint64_t seed) : harness_(ProgramDir(), kLimits), target_(inputs), seed_(seed), random_(seed) {
    harness_.onPump = [this] { OnPump(); };
  }

  int Run() {
    const auto started = std::chrono::steady_clock::now();
    startRss_ = ResidentKb();
    int status = 0;
    // Finishing with Y ends the application; the player starts it again until the inputs are spent.
    while (status == 0) {
      ++runs_;
      status = harness_.Run();
      if (closing_) break;
    }
    return Report(status, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  }

 private:
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(random_() % n); }
  bool Chance(int percent) { return Below(100) < static_cast<std::uint32_t>(percent); }

  void OnPump() {
    // Every game seeds from the timer: virtual seconds give each game fresh, reproducible choices.
    display_.SetTimer(static_cast<double>(seed_ % 100000) + static_cast<double>(display_.Now()) / 1000.0);
    Count();
    if (closing_) return;
    if (inputs_ >= target_) {
      // Let go of the mouse first: the picture peek reads no keys while the right button is held.
      display_.PushMouse({320, 240, 0});
      display_.QueueKey(kCloseKey);
      closing_ = true;
      return;
    }
    if (!harness_.Settled() || !Chance(40)) return;
    PushRandomInput();
    harness_.Given();
    ++inputs_;
    if (inputs_ % kSampleEvery == 0) SampleMemory();
  }

  // A game has started when the turn counter first counts or falls back; turns are what it counts.
  void Count() {
    if (W.Moves > 0 && W.Moves != lastMoves_) {
      const bool newGame = lastMoves_ == 0 || W.Moves < lastMoves_;
      if (newGame) ++games_;
      turns_ += newGame ? W.Moves : W.Moves - lastMoves_;
      lastMoves_ = W.Moves;
    }
    if (W.Won != 0 && lastWon_ == 0) ++wins_;
    if (W.Lost != 0 && lastLost_ == 0) ++losses_;
    lastWon_ = W.Won;
    lastLost_ = W.Lost;
  }

  void PushRandomInput() {
    const int x = static_cast<int>(Below(640));
    const int y = static_cast<int>(Below(480));
    const std::uint32_t kind = Below(100);
    if (kind < 30) {
      // A click; mostly the left button, which is the only one that picks.
      const int buttons = Chance(80) ? 1 : (Chance(50) ? 2 : 3);
      display_.PushMouse({x, y, buttons});
      display_.PushMouse({x, y, 0});
    } else if (kind < 38) {
      display_.PushMouse({x, y, 2});  // hold the right button: the picture peek
    } else if (kind < 44) {
      const MouseState now = display_.CurrentMouse();
      display_.PushMouse({now.x < 0 ? x : now.x, now.y < 0 ? y : now.y, 0});  // release
    } else if (kind < 56) {
      display_.PushMouse({x, y, 0});
    } else if (kind < 60) {
      display_.PushMouse({-1, -1, -1});  // outside the window
    } else if (kind < 68) {
      // A burst of random bytes; the queue keeps the newest 15.
      const std::uint32_t count = 1 + Below(20);
      for (std::uint32_t i = 0; i < count; ++i) display_.QueueKey(std::string(1, static_cast<char>(Below(256))));
    } else if (kind < 74) {
      // Extended keys, any scan code but the close key's.
      const std::uint32_t count = 1 + Below(4);
      for (std::uint32_t i = 0; i < count; ++i) {
        char scan = static_cast<char>(Below(256));
        if (std::string("\xFF") + scan == kCloseKey) scan = 'H';
        display_.QueueKey(std::string("\xFF") + scan);
      }
    } else if (kind < 86) {
      // Typed text the prompts understand: minutes, a time, a key number, Y or N, or anything.
      static const char* const kTexts[] = {"5", "10", "60", "15", "11.30", "12.00", "9:30", "123", "Y", "y",
                                           "N", "ABC", "", "-7", "99999999999", "1e9", "&HFF", " 12 "};
      std::string text = kTexts[Below(sizeof kTexts / sizeof kTexts[0])];
      if (Chance(20)) text = std::to_string(Below(1000));
      for (char c : text) display_.QueueKey(std::string(1, c));
      if (Chance(70)) display_.QueueKey("\r");
    } else if (kind < 97) {
      display_.QueueKey("\r");
    } else {
      display_.QueueKey("\b");
    }
  }

  void SampleMemory() {
    const long rss = ResidentKb();
    if (inputs_ <= static_cast<long>(static_cast<double>(target_) * kWarmUpShare)) {
      warmRss_ = rss;
      warmHeap_ = HeapKb();
      return;
    }
    if (rss > peakRss_) peakRss_ = rss;
  }

  int Report(int status, double wall) {
    const long endRss = ResidentKb();
    if (endRss > peakRss_) peakRss_ = endRss;
    const long base = warmRss_ > 0 ? warmRss_ : startRss_;
    const long growth = peakRss_ - base;
    std::printf("soak: %ld inputs (seed %llu), %ld pumps, %ld application runs, %ld games started, %ld turns, "
                "%ld won, %ld lost\n",
                inputs_, static_cast<unsigned long long>(seed_), harness_.Pumps(), runs_, games_, turns_, wins_,
                losses_);
    std::printf("soak: virtual time %.1f s, wall time %.1f s\n", static_cast<double>(display_.Now()) / 1000.0, wall);
    std::printf("soak: RSS start %.1f MB, after warm-up %.1f MB, peak after warm-up %.1f MB, end %.1f MB; "
                "growth %.1f MB (limit %.1f MB)\n",
                Mb(startRss_), Mb(base), Mb(peakRss_), Mb(endRss), Mb(growth), Mb(kGrowthLimitKb));
    if (HeapKb() >= 0) {
      std::printf("soak: heap in use after warm-up %.1f MB, end %.1f MB (growth limit %.1f MB)\n", Mb(warmHeap_),
                  Mb(HeapKb()), Mb(kHeapGrowthLimitKb));
    }
    bool ok = true;
    const auto check = [&ok](bool good, const std::string& what) {
      if (!good) std::printf("soak: FAIL: %s\n", what.c_str());
      ok = ok && good;
    };
    check(status == 0, "the game ended with status " + std::to_string(status));
    check(inputs_ >= target_ && closing_, "the game ended before the inputs were spent");
    check(turns_ > 0, "no turn was played");
    check(growth <= kGrowthLimitKb, "memory grew by " + std::to_string(Mb(growth)) + " MB after warm-up");
    check(HeapKb() < 0 || HeapKb() - warmHeap_ <= kHeapGrowthLimitKb,
          "the heap in use grew by " + std::to_string(Mb(HeapKb() - warmHeap_)) + " MB after warm-up");
    std::printf("soak: %s\n", ok ? "passed" : "failed");
    return ok ? 0 : 1;
  }

  HeadlessHarness harness_;
  HeadlessDisplay& display_ = harness_.Display();
  const long target_;
  const std::uint64_t seed_;
  std::mt19937_64 random_;
  long inputs_ = 0;
  bool closing_ = false;
  long runs_ = 0;
  long games_ = 0;
  long turns_ = 0;
  long wins_ = 0;
  long losses_ = 0;
  int lastMoves_ = 0;
  int lastWon_ = 0;
  int lastLost_ = 0;
  long startRss_ = 0;
  long warmRss_ = 0;
  long warmHeap_ = 0;
  long peakRss_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const long inputs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : kDefaultInputs;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  if (argc > 3 || inputs <= 0) {
    std::cerr << "usage: soak [INPUTS [SEED]] (INPUTS above 0)\n";
    return 2;
  }
  return Soak(inputs, seed).Run();
}
