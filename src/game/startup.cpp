// Start-up once per run, then games one after another until the application ends.
#include "game/startup.h"

#include "game/game_loop.h"
#include "game/world_state.h"
#include "pictures/win_images.h"
#include "scenario/help.h"
#include "screen/font.h"

int RunApplication() {
  try {
    Display& d = Screen();
    d.SetTitle("Quintrel - Skellarine");
    d.SetPages(0, 0);
    W.ExePath = d.ExeDir();
    if (W.ExePath.empty() || W.ExePath.back() != '/') W.ExePath += '/';
    LoadFont();
    PrepareWinImages();
    ShowHelp();
    RunGames();
  } catch (const AppExit& exit) {
    return exit.status;
  }
  return 0;
}
