// The real window: the visible page shown through SDL2, with its keyboard, mouse and clock.
#pragma once

#include <cstdint>
#include <string>

#include "screen/display.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

// A resizable window that shows the 640 x 480 visible page scaled with its aspect kept.
class SdlDisplay : public Display {
 public:
  SdlDisplay() = default;
  ~SdlDisplay() override;

  // Sets the window title (Windows-1251), opening the window on first use.
  void SetTitle(const std::string& title) override;
  // Seconds since local midnight, with fraction.
  double Timer() override;
  // The directory of the executable, ending in '/'.
  std::string ExeDir() override;
  // In a browser, the journal the page kept for this tab; elsewhere nothing is kept.
  std::string SavedJournal() override;
  void LetPlatformRun() override;

 protected:
  void Pump() override;
  MouseState Mouse() override;
  void Sleep(int ms) override;
  void Close() override;
  // In a browser, hands the page what the game waits for and what the screen says; elsewhere the
  // window needs nothing.
  void Waiting(const Wait& wait) override;

 private:
  // Opens SDL and the window once; ends the application when that fails.
  bool EnsureWindow();
  // Handles every pending event.
  void DrainEvents();
  void HandleEvent(const SDL_Event& event);
  void HandleKeyDown(const SDL_Event& event);
  void HandleText(const char* utf8);
  void ToggleFullscreen();
  // Picks nearest-neighbour scaling at whole multiples and linear scaling otherwise.
  void ChooseScaleMode();
  // Shows the visible page if it changed (or the window needs it) and the frame interval has passed.
  void PresentIfDue(bool pageMayHaveChanged);
  void Present();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool closed_ = false;
  bool pendingPresent_ = true;
  std::uint64_t lastPresentMs_ = 0;
  int shownPage_ = -1;            // the page last handed to the texture
  std::uint64_t shownChanges_ = 0;  // and its change count then
  bool closeQueuedInBatch_ = false;  // a close button brings two events for one request
  struct Press {
    std::uint64_t atMs = 0;  // when the button last went down
    bool unseen = false;     // no mouse poll has reported it yet
  };
  Press presses_[2];  // the left and the right button
};
