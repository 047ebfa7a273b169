// The turn that BM_Turn and the web turn benchmark both time.
#include "turn_work.h"

#include <stdexcept>

#include "game/turn_cycle.h"
#include "game/world_state.h"
#include "pictures/location_pictures.h"
#include "scenario/scenario.h"
#include "screen/clock.h"
#include "screen/cp1251.h"
#include "screen/font.h"
#include "screen/input.h"
#include "screen/text_rows.h"

namespace {

// Row 34's prompt and the first entry of the list (row 4), as a player clicks them.
constexpr int kPromptY = 14 * 34 - 7;
constexpr int kFirstEntryY = 14 * 4 - 7;
constexpr long kMaxPumpsPerTurn = 10000;

}  // namespace

TurnWork::TurnWork(const std::string& exeDir) : display_(exeDir) {
  InstallDisplay(&display_);
  W = World();
  W.ExePath = display_.ExeDir();
  LoadFont();
  SeedRandom(1);
  LoadScenario();
  W.HelpDone = 1;
  display_.onPump = [this] {
    if (++pumps_ > kMaxPumpsPerTurn) throw std::runtime_error("the list did not close");
    if (feed_ && display_.InputConsumed()) {
      feed_ = false;
      display_.PushMouse({320, kPromptY, 1});
      display_.PushMouse({320, kPromptY, 0});
      display_.PushMouse({320, kFirstEntryY, 0});
      display_.PushMouse({320, kFirstEntryY, 1});
      display_.PushMouse({320, kFirstEntryY, 0});
    }
  };
  W.Status = "ЕСТЬ ПИСЬМО ДЛЯ ВАС"_w;
  W.Msg = "ВЫ НАБЛЮДАЕТЕ ЗА НИМ"_w;
}

TurnWork::~TurnWork() { InstallDisplay(nullptr); }

bool TurnWork::Turn() {
  feed_ = true;
  pumps_ = 0;
  W.Moves = W.Moves + 1;
  W.Spent = 0;
  ShowRoomPicture(W.CurRoom);
  DrawClock(W.Clock);
  WriteRow(30, std::string("ЭТО "_w) + W.Room[W.CurRoom]);
  WriteRow(31, W.Status);
  WriteRow(32, W.Msg);
  WriteRow(33, std::string("ВАШИ ДЕЙСТВИЯ"_w));
  W.Choice = ListChoice(34, kCommandWords);
  ClearTextArea();
  W.VerbNo = FindVerb();
  return W.VerbNo == 1;
}
