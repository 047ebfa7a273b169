// The headless display: pages in memory, input fed by a driver, pauses on a virtual clock.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>

#include "screen/display.h"

class HeadlessDisplay : public Display {
 public:
  explicit HeadlessDisplay(std::string exeDir) : exeDir_(std::move(exeDir)) {}

  double Timer() override { return timer_; }
  std::string ExeDir() override { return exeDir_; }

  // Sets what the seconds timer returns from now on.
  void SetTimer(double seconds) { timer_ = seconds; }
  // Appends a mouse state; states take turns, one per pause, each seen by at least one poll.
  void PushMouse(MouseState state) { mouse_.push_back(state); }
  // The state the last poll saw (or will see next).
  MouseState CurrentMouse() const { return current_; }
  // True when every queued key and answer has been taken and every pushed mouse state polled.
  bool InputConsumed() const { return !KeyWaiting() && !AnswerWaiting() && mouse_.empty() && seen_; }
  // Milliseconds of virtual time passed in pauses.
  std::int64_t Now() const { return now_; }
  // The message a page would have had at the last wait.
  const std::string& Message() const { return message_; }
  // What SavedJournal hands the game at start-up.
  void SetSavedJournal(std::string journal) { saved_ = std::move(journal); }
  std::string SavedJournal() override { return saved_; }
  // Called before every input read and pause; the driver of the game lives here.
  std::function<void()> onPump;

 protected:
  void Pump() override {
    if (onPump) onPump();
  }
  MouseState Mouse() override {
    seen_ = true;
    return current_;
  }
  void Sleep(int ms) override;
  void Waiting(const Wait& wait) override { message_ = PageJson(wait); }

 private:
  std::string exeDir_;
  double timer_ = 0;
  std::int64_t now_ = 0;
  std::deque<MouseState> mouse_;
  MouseState current_;
  bool seen_ = true;
  std::string message_;
  std::string saved_;
};
