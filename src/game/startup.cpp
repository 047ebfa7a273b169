// Start-up once per run, then games one after another until the application ends.
#include "game/startup.h"

#include "game/game_loop.h"
#include "game/world_state.h"
#include "pictures/location_pictures.h"
#include "pictures/win_images.h"
#include "scenario/help.h"
#include "screen/font.h"

#include <memory>
#include <utility>

int RunApplication() {
  Display& d = Screen();
  std::string saved = d.SavedJournal();
  for (;;) {
    try {
      d.SetTitle("Quintrel - Skellarine");
      d.SetPages(0, 0);
      d.MakePages();
      W.ExePath = d.ExeDir();
      if (W.ExePath.empty() || W.ExePath.back() != '/') W.ExePath += '/';
      LoadFont();
      LoadPictureTexts();
      PrepareWinImages();
      if (saved.empty()) {
        ShowHelp();
      } else {
        // A game in progress comes back at its last wait; the help was read before.
        const std::optional<Journal> journal = Journal::Parse(std::exchange(saved, std::string()));
        if (!journal) throw ReplayRefused{};
        W.HelpDone = 1;
        W.Debug = journal->Debug();
        d.StartReplay(*journal);
      }
      RunGames();
    } catch (const AppExit& exit) {
      return exit.status;
    } catch (const ReplayRefused&) {
      // Nothing of the refused journal stays: a new game, from the help on. The fresh record is
      // made on the heap: on the stack it would take a frame of several pages.
      W = std::move(*std::make_unique<World>());
      ResetRandom();
      d.Restart();
    }
  }
}
