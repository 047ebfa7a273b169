// Games one after another: set-up, briefing, turns, and the question after an ending.
#include "game/game_loop.h"

#include "commands/commands.h"
#include "game/turn_cycle.h"
#include "game/world_state.h"
#include "pictures/location_pictures.h"
#include "scenario/briefing.h"
#include "scenario/scenario.h"
#include "screen/cp1251.h"
#include "screen/input.h"

namespace {

constexpr int kRestart = 12;
constexpr int kFinish = 13;

void StartGame() {
  Display& d = Screen();
  const double seed = d.NewGameSeed();
  SeedRandom(seed);
  d.GameJournal().Begin(seed, W.Debug);
  W.RowAlpha = 96;
  LoadScenario();
  ShowRoomPicture(RoomIndex(std::string("АРКАДА"_w)));
  ShowBriefing();
  WaitForEnter();
  // Debug is cleared only now, so a restarted game's briefing still shows the debug lines.
  W.Debug = 0;
  W.CurRoom = 1;
  W.GridRow = 0;
  W.GridCol = 1;
  W.SpyRoom = RoomIndex(std::string("ОТЕЛЬ"_w));
  W.MeetTime = 0;
  W.Moves = 0;
  W.VerbNo = 0;
  W.MeetRoom.clear();
  W.Msg.clear();
}

// Asks until the player restarts; "ФИНИШ" answered with Y ends the application.
void AskAfterEnding() {
  for (;;) {
    ShowTurnPicture();
    if (W.Lost == 2) DarkenForSpy();
    W.Status.clear();
    AskForCommand(std::string("ЧТО ДАЛЬШЕ: СТАРТ ИЛИ ФИНИШ?"_w));
    if (W.VerbNo == kRestart) return;
    if (W.VerbNo == kFinish) {
      FinishCommand();
    } else {
      FallbackCommand();
    }
  }
}

}  // namespace

void RunGames() {
  for (;;) {
    StartGame();
    if (RunTurns() == TurnsEnd::kGameOver) AskAfterEnding();
  }
}
