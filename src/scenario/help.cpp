// Shows the help file page by page on an opaque blue screen.
#include "scenario/help.h"

#include "game/world_state.h"
#include "scenario/data_reader.h"
#include "screen/input.h"
#include "screen/text_rows.h"

void ShowHelp() {
  DataReader file(DataPath("data\\help_ru.txt"));
  W.HelpDone = 0;
  for (;;) {
    DrawLine(Screen().WorkPage(), 0, 0, kScreenW - 1, kScreenH - 1, 0xFF0000FF, LineKind::kFilledBox);
    Screen().Show(ScreenChange{ScreenChange::kPicture});
    W.ListRow = 2;
    bool pageEnd = false;
    for (;;) {
      const std::string line = file.Line();
      if (line == "END") break;
      if (line == "*") {
        // The end of the file is deliberately not tested here: a final "*" shows one more page.
        WaitForEnter();
        pageEnd = true;
        break;
      }
      WriteListLine(line);
      if (file.AtEnd()) break;
    }
    if (!pageEnd) break;
  }
  W.HelpDone = 1;
}
