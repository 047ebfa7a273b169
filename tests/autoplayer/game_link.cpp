// The game thread, the settling rule and the hand-over of control to the player.
#include "game_link.h"

#include <chrono>

#include "game/startup.h"

namespace {

// The game is taken to wait for input once it has paused this long after taking the last input.
constexpr std::int64_t kSettleMs = 150;
// Input the game has not taken after this much virtual time is given up on.
constexpr std::int64_t kIgnoredInputMs = 10000;
// Real time the game may run before it must be waiting again.
constexpr auto kRealTimeLimit = std::chrono::seconds(20);

}  // namespace

GameLink::GameLink(std::string exeDir) : display_(std::move(exeDir)) {}

GameLink::~GameLink() {
  if (!thread_.joinable()) return;
  if (running_) {
    try {
      Close();
    } catch (const GameHung&) {
    }
  }
  if (running_) {
    // A game that will not end cannot be joined; the process is about to report and exit.
    thread_.detach();
  } else {
    thread_.join();
  }
  InstallDisplay(nullptr);
}

void GameLink::Start() {
  InstallDisplay(&display_);
  display_.onPump = [this] { OnPump(); };
  {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = true;
    parked_ = false;
  }
  thread_ = std::thread([this] {
    const int status = RunApplication();
    std::lock_guard<std::mutex> lock(mutex_);
    exitStatus_ = status;
    running_ = false;
    changed_.notify_all();
  });
  std::unique_lock<std::mutex> lock(mutex_);
  if (!changed_.wait_for(lock, kRealTimeLimit, [this] { return parked_ || !running_; })) {
    throw GameHung{"the game did not wait for input after start-up"};
  }
}

void GameLink::OnPump() {
  if (!consumed_) {
    if (display_.InputConsumed()) {
      consumed_ = true;
      consumedAt_ = display_.Now();
    } else if (display_.Now() - givenAt_ > kIgnoredInputMs) {
      consumed_ = true;
      consumedAt_ = display_.Now() - kSettleMs;
    } else {
      return;
    }
  }
  if (display_.Now() - consumedAt_ < kSettleMs) return;
  std::unique_lock<std::mutex> lock(mutex_);
  parked_ = true;
  changed_.notify_all();
  changed_.wait(lock, [this] { return !parked_; });
  consumed_ = false;
  givenAt_ = display_.Now();
}

void GameLink::Resume() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!running_) return;
  parked_ = false;
  changed_.notify_all();
  if (!changed_.wait_for(lock, kRealTimeLimit, [this] { return parked_ || !running_; })) {
    throw GameHung{"the game did not wait for input again"};
  }
}

void GameLink::Click(int x, int y) {
  display_.PushMouse({x, y, 1});
  display_.PushMouse({x, y, 0});
  Resume();
}

void GameLink::Keys(const std::string& keys) {
  for (char c : keys) display_.QueueKey(std::string(1, c));
  Resume();
}

void GameLink::Close() {
  display_.QueueKey(kCloseKey);
  Resume();
}
