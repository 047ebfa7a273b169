// ДВИГАТЬСЯ and the travel time on the 5 x 4 city grid.
#include <cmath>
#include <cstdlib>

#include "commands/commands.h"
#include "game/world_state.h"
#include "screen/clock.h"
#include "screen/cp1251.h"
#include "screen/input.h"
#include "screen/text_rows.h"

void TravelTime() {
  const int r = (W.DestRoom - 1) / 5;
  const int c = W.DestRoom - 5 * r;
  const int dx = std::abs(W.GridCol - c);
  const int dy = std::abs(W.GridRow - r);
  W.GridCol = c;
  W.GridRow = r;
  const double d = std::round(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
  W.Spent = 5 * static_cast<int>(d);
}

void MoveCommand() {
  for (;;) {
    AskOnRows(std::string("ОБЪЕКТ:"_w));
    const std::string choice = ListChoice(33, kLocationNames);
    W.DestRoom = 0;
    // No early exit: with two equal names the higher number wins.
    for (int i = 1; i <= kRooms; ++i) {
      if (choice == W.Room[i]) W.DestRoom = i;
    }
    if (W.DestRoom != 0) break;
    ClearTextArea();
    W.ListRow = 3;
    for (int i = 1; i <= kRooms; ++i) WriteListLine(W.Room[i]);
  }
  TravelTime();
  W.CurRoom = W.DestRoom;
}
