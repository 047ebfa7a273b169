// What every driver of the game on the headless display shares: the display and its application,
// the rule that tells when the game waits for input, and a watchdog for a game that stops.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "screen/backends/headless/display_headless.h"

// The folder of the running program, ending in '/' (the current folder where that cannot be
// told): the game's data lies beside it.
std::string ProgramDir();

class HeadlessHarness {
 public:
  struct Limits {
    // The game waits for input once it has paused this long after taking the last input...
    std::int64_t settleMs = 150;
    // ...or after leaving input untaken for this much virtual time.
    std::int64_t ignoredMs = 10000;
    // Real time the game may go without a poll, or with its virtual clock standing, before the
    // process ends with status 2 (not under Emscripten, which has no threads: ctest's timeout).
    std::chrono::seconds stall{20};
  };

  HeadlessHarness(std::string exeDir, Limits limits);
  ~HeadlessHarness();
  HeadlessHarness(const HeadlessHarness&) = delete;
  HeadlessHarness& operator=(const HeadlessHarness&) = delete;

  HeadlessDisplay& Display() { return *display_; }
  const HeadlessDisplay& Display() const { return *display_; }
  // Called on the game's thread at every poll and pause: the driver acts here.
  std::function<void()> onPump;

  // Runs the application on the display until it ends (or the driver throws); returns its status.
  int Run();
  // A fresh display for the next application, handed journal as the saved one; the timer stays.
  void Renew(std::string journal);
  // Marks input just given: the game has not settled until it takes it.
  void Given();
  // True once the game has taken the input given and paused since: it waits for more.
  bool Settled();
  // While held, the game may stand still: its driver has parked it.
  void Hold(bool held);
  long Pumps() const { return pumps_; }

 private:
  void Pump();
  void Watch();
  void Feed();

  std::string exeDir_;
  Limits limits_;
  std::unique_ptr<HeadlessDisplay> display_;
  bool consumed_ = true;
  std::int64_t consumedAt_ = 0;
  std::int64_t givenAt_ = 0;
  std::atomic<long> pumps_{0};
  std::atomic<std::int64_t> virtualNow_{0};
  std::atomic<std::chrono::steady_clock::time_point> lastPump_{};
  std::atomic<std::chrono::steady_clock::time_point> lastMove_{};
  std::atomic<bool> watching_{false};
  std::atomic<bool> stop_{false};
  std::thread watchdog_;
};
