// Reads the action table and sets up a new game's random choices.
#include <algorithm>

#include "game/world_state.h"
#include "scenario/data_reader.h"
#include "scenario/scenario.h"

void LoadActions() {
  DataReader file(DataPath("data\\action.txt"));
  int i = 0;
  // Records past the table's twenty are ignored rather than written outside it.
  while (!file.AtEnd() && i < kMaxActions) {
    ++i;
    W.ActionKey[i] = file.Field();
    const std::string field = file.Field();
    // A count outside 1 to 9 would not give a one-digit variant.
    W.ActionPics[i] = std::clamp(file.Number(), 1, 9);
    W.ActionStem[i] = PictureStem(field);
  }
  W.ActionCount = i;
}

void LoadScenario() {
  LoadMap();
  LoadActions();
  FillVerbs();
  W.StartHour = RandInt(2) + 8;
  W.StartMin = 0;
  W.Clock = W.StartHour * 60 + W.StartMin;
  W.StartClock = W.Clock;
  W.TrainHour = RandInt(2) + 14;
  W.PickupHour = W.StartHour + RandInt(2);
  W.SpyCount = 0;
  W.LetterRoom = RandInt(kRooms);
  W.KeyRoom = RandInt(kRooms);
  W.NoteRoom = RandInt(kRooms);
  W.F.fill(0);
  W.PicsOpened = 0;
  for (auto& name : W.OpenedPic) name.clear();
  FillCodes();
  W.KeyCode = RandInt(900) + 99;
  W.Won = 0;
  W.Lost = 0;
}
