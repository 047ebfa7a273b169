// ГОВОРИТЬ to the agent and ШПИОНИТЬ after the enemy spy.
#include <algorithm>

#include "commands/commands.h"
#include "game/world_state.h"
#include "screen/cp1251.h"
#include "screen/input.h"

void SpeakCommand() {
  W.Spent = 5;
  if (W.F[AgentHere] == 1 && W.F[HaveCase] == 1 && W.F[CaseGiven] == 1) {
    W.Msg = "ТЕПЕРЬ СПЕШИТЕ НА СТАНЦИЮ!"_w;
    return;
  }
  AskOnRows(std::string("СКАЗАТЬ ЧТО"_w));
  W.Said = ListChoice(33, kCodeWords);
  // The spy is checked first: the agent never hears the player in his presence.
  if (W.SpyRoom == W.CurRoom) {
    W.Msg = "ВЫ ПРИВЛЕКЛИ ВРАЖЕСКОГО ШПИОНА!"_w;
    W.SpyCount = std::max(W.SpyCount, 3);
    return;
  }
  if (W.F[AgentHere] == 0) {
    W.Msg = "НИКТО ВАС НЕ СЛЫШИТ"_w;
    return;
  }
  W.ActionPic = "SAY";
  if (W.Said != W.Password) {
    W.Msg = "АГЕНТ НЕ ОТВЕТИЛ ВАМ!"_w;
    return;
  }
  if (W.F[HaveCase] == 1) {
    W.Msg = "ВЫ УСТАНОВИЛИ КОНТАКТ - ОН ЗАБРАЛ КЕЙС!"_w;
    W.F[CaseGiven] = 1;
  } else {
    W.Msg = "ВАМ НЕ УДАЛОСЬ НАЙТИ КЕЙС"_w;
  }
}

void ShadowCommand() {
  W.Spent = 5;
  if (W.SpyRoom != W.CurRoom) {
    W.Msg = "ШПИОНИТЬ ЗА КЕМ?"_w;
    return;
  }
  W.DestRoom = RandInt(kRooms);
  TravelTime();
  W.CurRoom = W.DestRoom;
  // The diversion keeps the grid cell and travel time of the drawn destination.
  if (RandInt(10) > 7) W.CurRoom = W.KeyRoom;
  if (RandInt(10) > 5) {
    W.Msg = "ВЫ ПОТЕРЯЛИ ЕГО ИЗ ВИДУ!"_w;
  } else {
    W.SpyRoom = W.CurRoom;
    W.Msg = "ВЫ НАБЛЮДАЕТЕ ЗА НИМ"_w;
  }
}
