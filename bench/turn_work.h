// One turn as the turn cycle runs it up to the command, timed natively and on the web alike.
#pragma once

#include <string>

#include "screen/backends/headless/display_headless.h"

// A fresh world on a headless display, with the font and the scenario read, ready for turns.
class TurnWork {
 public:
  explicit TurnWork(const std::string& exeDir);
  ~TurnWork();
  TurnWork(const TurnWork&) = delete;
  TurnWork& operator=(const TurnWork&) = delete;

  // The picture, the clock, rows 30 to 33, the command list opened by a click on the prompt and
  // closed by a click on its first entry, the text area cleared; true when the first command was picked.
  bool Turn();

 private:
  HeadlessDisplay display_;
  bool feed_ = false;
  long pumps_ = 0;
};
