// ЧИТАТЬ the letter, ИСКАТЬ the key, ИССЛЕДОВАТЬ what is carried, ОТКРЫТЬ the chest.
#include "commands/commands.h"
#include "game/world_state.h"
#include "scenario/data_reader.h"
#include "screen/cp1251.h"
#include "screen/input.h"

void ReadCommand() {
  W.ActionPic = "READ";
  if (W.LetterRoom != W.CurRoom || W.F[LetterRead] == 1) {
    W.Msg = "НЕЧЕГО ЧИТАТЬ!"_w;
    return;
  }
  W.Msg = std::string("ПАРОЛЬ -'"_w) + W.Password + "'";
  W.F[LetterRead] = 1;
}

void SearchCommand() {
  W.ActionPic = "SEARCH";
  W.Msg = "НИЧЕГО НЕТ"_w;
  W.Spent = 10;
  if (W.F[HaveKey] == 1) return;
  if (W.CurRoom == W.KeyRoom) {
    W.Msg = "ВЫ НАШЛИ КЛЮЧ"_w;
    W.F[HaveKey] = 1;
  }
}

void ExamineCommand() {
  W.Spent = 5;
  if (W.F[CaseGiven] != 0) {
    W.Msg = "ВЫ УЖЕ ОТДАЛИ КЕЙС"_w;
  } else if (W.F[HaveCase] != 0) {
    W.Msg = "КЕЙС СОДЕРЖИТ СЕКРЕТНЫЕ ДОКУМЕНТЫ!"_w;
  } else if (W.F[HaveKey] != 0) {
    W.Msg = std::string("НОМЕР НА КЛЮЧЕ - "_w) + std::to_string(W.KeyCode);
  } else {
    W.Msg = "ВЫ ДОЛЖНЫ НАЙТИ КЛЮЧ"_w;
  }
}

void OpenCommand() {
  W.Spent = 5;
  if (W.F[HaveCase] == 1) {
    W.Msg = "ТЕПЕРЬ ВЫ ДОЛЖНЫ ВСТРЕТИТЬСЯ С ДРУГОМ!"_w;
    return;
  }
  if (RoomIndex(std::string("ПОРТ"_w)) != W.CurRoom) {
    W.Msg = "НАЙДИТЕ СУНДУК ЧТОБЫ ОТКРЫТЬ!"_w;
    return;
  }
  if (W.F[HaveKey] == 0) {
    W.Msg = "У ВАС НЕТ КЛЮЧА"_w;
    return;
  }
  AskOnRows(std::string("КАКОЙ КОД НА КЛЮЧЕ?"_w));
  if (ReadNumber(TypedInput(33)) != W.KeyCode) {
    W.Msg = "ВЫ НЕ МОЖЕТЕ ПОВЕРНУТЬ КЛЮЧ"_w;
    return;
  }
  W.ActionPic = "OPEN";
  W.Msg = "ЗАМОК ОТКРЫТ, ВЫ ЗАБИРАЕТЕ КЕЙС!"_w;
  W.F[HaveCase] = 1;
}
