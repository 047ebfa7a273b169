// Virtual time for the headless display: a pause moves the clock and the mouse to its next state.
#include "screen/backends/headless/display_headless.h"

void HeadlessDisplay::Sleep(int ms) {
  now_ += ms;
  if (seen_ && !mouse_.empty()) {
    current_ = mouse_.front();
    mouse_.pop_front();
    seen_ = false;
  }
}
