// The real game on the headless display in a thread of its own, handing control to its player whenever it waits.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "player_link.h"
#include "screen/backends/headless/display_headless.h"

// Thrown to the player when the game stops polling or does not settle within the real-time limit.
struct GameHung {
  std::string what;
};

// The game application and the hand-over of control between it and its player.
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
  // True until the application has ended.
  bool Running() const { return running_; }
  // The application's exit status once it has ended.
  int ExitStatus() const { return exitStatus_; }

  // What the seconds timer returns from now on; the next game is seeded with it.
  void SetTimer(double seconds) override { display_.SetTimer(seconds); }
  // A left click at (x, y); returns once the game waits again.
  void Click(int x, int y) override;
  // Key strings as the platform delivers them (at most 15 at once); returns once the game waits again.
  void Keys(const std::string& keys) override;
  // The window's close button.
  void Close();

  // The page the window shows, and the font sheet.
  const Image& Visible() const override { return display_.Page(display_.Visible()); }
  const Image& FontSheet() const { return display_.Page(3); }

 private:
  void OnPump();
  // Lets the game run with the input just given until it waits again.
  void Resume();

  HeadlessDisplay display_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool parked_ = false;
  bool running_ = false;
  int exitStatus_ = -1;
  // Game-thread bookkeeping of when the last input was taken.
  bool consumed_ = false;
  std::int64_t consumedAt_ = 0;
  std::int64_t givenAt_ = 0;
};
