// The entry point: the game on the real SDL window.
#include "game/startup.h"
#include "screen/backends/sdl/display_sdl.h"

int main() {
  SdlDisplay display;
  InstallDisplay(&display);
  return RunApplication();
}
