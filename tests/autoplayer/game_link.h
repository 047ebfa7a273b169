// The real game on the headless display in a thread of its own, handing control to its player whenever it waits.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "player_link.h"
#include "screen/backends/headless/headless_harness.h"

// The game application and the hand-over of control between it and its player; a game that
// stops ends the process through the harness's watchdog.
class GameLink : public PlayerLink {
 public:
  // An application that takes its data from exeDir; nothing runs before Start.
  explicit GameLink(std::string exeDir);
  // Closes the window of a game still running and waits for it to end.
  ~GameLink() override;
  GameLink(const GameLink&) = delete;
  GameLink& operator=(const GameLink&) = delete;

  // Starts the application; returns once it waits for input (or has ended).
  void Start();
  bool Running() const { return running_; }
  int ExitStatus() const { return exitStatus_; }

  void SetTimer(double seconds) override { harness_.Display().SetTimer(seconds); }
  void Click(int x, int y) override;
  void Keys(const std::string& keys) override;
  // The window's close button.
  void Close();

  const Image& Visible() const override { return harness_.Display().Page(harness_.Display().Visible()); }
  const Image& FontSheet() const { return harness_.Display().Page(3); }

 private:
  void OnPump();
  // Lets the game run with the input just given until it waits again.
  void Resume();

  HeadlessHarness harness_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool parked_ = false;
  bool running_ = false;
  int exitStatus_ = -1;
};
