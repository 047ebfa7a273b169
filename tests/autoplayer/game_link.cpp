// The game thread and the hand-over of control to the player at each wait.
#include "game_link.h"

GameLink::GameLink(std::string exeDir) : harness_(std::move(exeDir), {}) {
  harness_.onPump = [this] { OnPump(); };
}

GameLink::~GameLink() {
  if (!thread_.joinable()) return;
  if (running_) Close();
  // A game that will not end cannot be joined; the process is about to report and exit.
  running_ ? thread_.detach() : thread_.join();
}

void GameLink::Start() {
  running_ = true;
  thread_ = std::thread([this] {
    const int status = harness_.Run();
    std::lock_guard<std::mutex> lock(mutex_);
    exitStatus_ = status;
    running_ = false;
    changed_.notify_all();
  });
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return parked_ || !running_; });
}

void GameLink::OnPump() {
  if (!harness_.Settled()) return;
  harness_.Hold(true);
  std::unique_lock<std::mutex> lock(mutex_);
  parked_ = true;
  changed_.notify_all();
  changed_.wait(lock, [this] { return !parked_; });
  harness_.Hold(false);
  harness_.Given();
}

void GameLink::Resume() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!running_) return;
  parked_ = false;
  changed_.notify_all();
  changed_.wait(lock, [this] { return parked_ || !running_; });
}

void GameLink::Click(int x, int y) {
  harness_.Display().PushMouse({x, y, 1});
  harness_.Display().PushMouse({x, y, 0});
  Resume();
}

void GameLink::Keys(const std::string& keys) {
  for (char c : keys) harness_.Display().QueueKey(std::string(1, c));
  Resume();
}

void GameLink::Close() {
  harness_.Display().QueueKey(kCloseKey);
  Resume();
}
