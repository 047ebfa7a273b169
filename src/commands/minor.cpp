// ХИТРИТЬ, the fallback for a choice that is no command word, and ФИНИШ.
#include "commands/commands.h"
#include "game/world_state.h"
#include "screen/cp1251.h"
#include "screen/input.h"
#include "screen/text_rows.h"

void AskOnRows(const std::string& question) {
  WriteRow(31, "");
  WriteRow(32, question);
  WriteRow(34, "");
}

void DebugToggle() {
  W.Spent = 0;
  W.Debug = ~W.Debug;
  W.Msg = W.Debug != 0 ? "DEBUG IS ON" : "DEBUG IS OFF";
}

void FallbackCommand() {
  W.Spent = 0;
  W.Msg = "НЕ ПОНЯЛ?"_w;
}

void FinishCommand() {
  AskOnRows(std::string("ЗАКОНЧИТЬ ИГРУ (Y/N)?"_w));
  const std::string answer = TypedInput(33);
  if (!answer.empty() && answer[0] == 'Y') {
    // The platform learns that there is no game left to keep before the application ends.
    Screen().EndJournal();
    Screen().StartWait(Wait());
    Screen().EndApplication(0);
  }
}
