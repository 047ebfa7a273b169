// ЗАПИСКА, which fixes the meeting, and ЖДАТЬ.
#include <algorithm>

#include "commands/commands.h"
#include "game/world_state.h"
#include "scenario/briefing.h"
#include "scenario/data_reader.h"
#include "screen/clock.h"
#include "screen/cp1251.h"
#include "screen/input.h"

namespace {

bool IsRoomName(const std::string& name) {
  for (int i = 1; i <= kRooms; ++i) {
    if (W.Room[i] == name) return true;
  }
  return false;
}

// Asks until the answer is a time of day written with a point; returns it in minutes.
int AskMeetingTime() {
  for (;;) {
    ClearTextArea();
    AskOnRows(std::string("В КАКОЕ ВРЕМЯ [ЧЧ.ММ]"_w));
    const std::string answer = TypedInput(33);
    const auto point = answer.find('.');
    if (point == std::string::npos) continue;
    const int h = ReadNumber(std::string_view(answer).substr(0, point));
    const int m = ReadNumber(std::string_view(answer).substr(point + 1));
    if (h < 0 || h > 23 || m < 0 || m > 59) continue;
    return h * 60 + m;
  }
}

}  // namespace

void NoteCommand() {
  if (W.F[NoteLeft] == 1) {
    W.Msg = "ВЫ УЖЕ ОСТАВИЛИ СООБЩЕНИЕ"_w;
    return;
  }
  if (W.CurRoom != W.NoteRoom) {
    W.Msg = std::string("ДВИГАЙТЕСЬ НА ОБЪЕКТ "_w) + W.Room[W.NoteRoom];
    return;
  }
  if (W.Clock >= W.PickupHour * 60) {
    W.Msg = "ВЫ ОПОЗДАЛИ: ВАШ ДРУГ УЖЕ УШЁЛ"_w;
    return;
  }
  W.ActionPic = "LEAVE";
  do {
    AskOnRows(std::string("ГДЕ ВЫ ХОТИТЕ НАЗНАЧИТЬ ВСТРЕЧУ"_w));
    W.MeetRoom = ListChoice(33, kLocationNames);
  } while (!IsRoomName(W.MeetRoom));
  W.MeetTime = AskMeetingTime();
  W.Spent = 5;
  if (W.MeetTime < W.Clock) {
    W.MeetTime = 0;
    W.Msg = "ПОСМОТРИТЕ НА ЧАСЫ ИГРЫ!"_w;
    return;
  }
  W.Msg = std::string("ВСТРЕЧА В ТОЧКЕ "_w) + W.MeetRoom + std::string(" В "_w) + TimeText(W.MeetTime);
  W.F[NoteLeft] = 1;
}

void WaitCommand() {
  AskOnRows(std::string("СКОЛЬКО МИНУТ"_w));
  W.Spent = std::clamp(ReadNumber(TypedInput(33)), 5, 60);
  W.Waited = 1;
}
