// Writes the briefing, the reminder and their common information tail as list lines.
#include "scenario/briefing.h"

#include <string>

#include "game/world_state.h"
#include "screen/cp1251.h"
#include "screen/text_rows.h"

namespace {

std::string Line(std::string_view text) { return std::string(text); }

}  // namespace

std::string TimeText(int minutes) {
  const int h = minutes / 60;
  const int m = minutes - 60 * h;
  return std::to_string(h % 24 + 100).substr(1) + ":" + std::to_string(m + 100).substr(1);
}

void ShowBriefing() {
  W.ListRow = 4;
  WriteListLine("");
  WriteListLine("SKELLARINE");
  WriteListLine("==========");
  WriteListLine("");
  WriteListLine(Line("ПРОЧИТАЙТЕ ПИСЬМО НА"_w));
  WriteListLine(Line("ОБЪЕКТЕ "_w) + W.Room[W.LetterRoom]);
  WriteListLine(Line("ВАШЕ СООБЩЕНИЕ ЗАБЕРУТ НА"_w));
  WriteListLine(Line("ОБЪЕКТЕ "_w) + W.Room[W.NoteRoom]);
  WriteListLine(Line("В "_w) + std::to_string(W.PickupHour) + ":00");
  WriteListLine("");
  ShowInfoTail();
}

void ShowReminder() {
  W.Spent = 5;
  W.ListRow = 4;
  WriteListLine("");
  if (W.MeetTime != 0) {
    WriteListLine(Line("МЕСТО ВСТРЕЧИ -"_w));
    WriteListLine(W.MeetRoom + Line(" В "_w) + TimeText(W.MeetTime));
  }
  ShowInfoTail();
}

void ShowInfoTail() {
  WriteListLine(Line("ПОСЛЕДНИЙ ПОЕЗД УХОДИТ"_w));
  WriteListLine(Line("В "_w) + std::to_string(W.TrainHour) + ":00");
  if (W.Debug != 0) {
    std::string flags = "F()=";
    for (int i = 1; i <= 7; ++i) flags += std::to_string(W.F[i]);
    WriteListLine(flags);
    WriteListLine("KEY=" + W.Room[W.KeyRoom]);
  }
  WriteListLine(Line("ОТКРЫТО КАРТИНОК - "_w) + std::to_string(W.PicsOpened));
  WriteListLine(Line("НАЖМИТЕ ENTER ДЛЯ ПРОДОЛЖЕНИЯ"_w));
  WriteListLine("");
}
