// The settling rule and the watchdog shared by the scripted runner, the autoplayer and the soak test.
#include "screen/backends/headless/headless_harness.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "game/startup.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

using SteadyClock = std::chrono::steady_clock;

std::string ProgramDir() {
  std::error_code ec;
#ifdef _WIN32
  // /proc/self/exe under Wine would name Wine's loader, not the .exe.
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length == 0 || length >= buffer.size()) ec = std::make_error_code(std::errc::filename_too_long);
  buffer.resize(length);
  const std::filesystem::path self = buffer;
#else
  const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe", ec);
#endif
  // The game keeps its paths in UTF-8.
  const std::u8string dir = (ec ? std::filesystem::current_path() : self.parent_path()).u8string();
  std::string text(dir.begin(), dir.end());
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

HeadlessHarness::HeadlessHarness(std::string exeDir, Limits limits)
    : exeDir_(std::move(exeDir)), limits_(limits), display_(std::make_unique<HeadlessDisplay>(exeDir_)) {
#ifndef __EMSCRIPTEN__
  watchdog_ = std::thread([this] { Watch(); });
#endif
}

HeadlessHarness::~HeadlessHarness() {
  stop_ = true;
  if (watchdog_.joinable()) watchdog_.join();
  InstallDisplay(nullptr);
}

int HeadlessHarness::Run() {
  // Off again however the application is left, a driver's exception included.
  struct Watching {
    std::atomic<bool>& on;
    ~Watching() { on = false; }
  } watching{watching_};
  InstallDisplay(display_.get());
  display_->onPump = [this] { Pump(); };
  Feed();
  watching_ = true;
  return RunApplication();
}

void HeadlessHarness::Renew(std::string journal) {
  auto next = std::make_unique<HeadlessDisplay>(exeDir_);
  next->SetTimer(display_->Timer());
  next->SetSavedJournal(std::move(journal));
  InstallDisplay(next.get());
  display_ = std::move(next);
  consumed_ = true;
  consumedAt_ = 0;
}

void HeadlessHarness::Given() {
  consumed_ = false;
  givenAt_ = display_->Now();
}

bool HeadlessHarness::Settled() {
  const HeadlessDisplay& d = *display_;
  if (!consumed_) {
    if (d.InputConsumed()) {
      consumed_ = true;
      consumedAt_ = d.Now();
    } else if (d.Now() - givenAt_ > limits_.ignoredMs) {
      // The game does not want this input now; go on rather than wait for ever.
      consumed_ = true;
      consumedAt_ = d.Now() - limits_.settleMs;
    } else {
      return false;
    }
  }
  return d.Now() - consumedAt_ >= limits_.settleMs;
}

void HeadlessHarness::Hold(bool held) {
  if (!held) Feed();
  watching_ = !held;
}

void HeadlessHarness::Feed() {
  const auto now = SteadyClock::now();
  lastPump_ = now;
  lastMove_ = now;
  virtualNow_ = display_->Now();
}

void HeadlessHarness::Pump() {
  ++pumps_;
  const auto now = SteadyClock::now();
  lastPump_ = now;
  if (display_->Now() != virtualNow_) {
    virtualNow_ = display_->Now();
    lastMove_ = now;
  }
  if (onPump) onPump();
}

void HeadlessHarness::Watch() {
  while (!stop_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!watching_) continue;
    const auto now = SteadyClock::now();
    const char* why = now - lastPump_.load() > limits_.stall   ? "stopped polling input"
                      : now - lastMove_.load() > limits_.stall ? "kept its virtual clock still"
                                                               : nullptr;
    if (why != nullptr && watching_) {
      std::cout << "the game " << why << " for " << limits_.stall.count() << " s (" << pumps_.load()
                << " polls, virtual time " << virtualNow_.load() << " ms)" << std::endl;
      std::_Exit(2);
    }
  }
}
