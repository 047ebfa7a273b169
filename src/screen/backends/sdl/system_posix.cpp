// Linux, the BSDs and the browser: POSIX time, '/' paths, no error dialogs.
#include "screen/backends/sdl/sdl_system.h"

namespace sdl_system {

std::tm LocalTime(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  return local;
}

std::string WithSlashes(std::string dir) { return dir; }

void QuietSystemErrors() {}

}  // namespace sdl_system
