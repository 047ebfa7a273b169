// Windows: its reentrant local time, backslashed paths and error boxes.
#include "screen/backends/sdl/sdl_system.h"

#include <algorithm>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sdl_system {

std::tm LocalTime(std::time_t t) {
  std::tm local{};
  // The reentrant call under another name, with its arguments swapped.
  localtime_s(&local, &t);
  return local;
}

std::string WithSlashes(std::string dir) {
  // Windows takes forward slashes as well; the game joins with '/'.
  std::replace(dir.begin(), dir.end(), '\\', '/');
  return dir;
}

void QuietSystemErrors() {
  // A file the game cannot open is read as empty; Windows must not stop it with a message box of
  // its own (an unreadable drive, a crash report) that the player would have to dismiss.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | SEM_NOGPFAULTERRORBOX);
}

}  // namespace sdl_system
