// Polling input: keys, the picture peek, typed answers and choices from a list with the mouse.
#include "screen/input.h"

#include "game/world_state.h"
#include "screen/text_rows.h"

namespace {

constexpr int kPollMs = 50;
constexpr int kMaxTyped = 38;

// One pass of the list choice's waiting loops; returns the button set seen.
int ListPass() {
  PicturePeek();
  KeyPoll();
  const int buttons = Screen().PollMouse().buttons;
  Screen().Pause(kPollMs);
  return buttons;
}

void FillMenu(int n) {
  W.MenuCount = 0;
  W.MenuChoice = 0;
  auto add = [](const std::string& item) { W.MenuItem[++W.MenuCount] = item; };
  if (n == kCommandWords) {
    for (int i = 1; i <= kVerbs; ++i) add(W.Verb[i]);
  } else if (n == kLocationNames) {
    for (int i = 1; i <= kRooms; ++i) add(W.Room[i]);
  } else if (n == kCodeWords) {
    for (int i = 1; i <= kCodes; ++i) add(W.Code[i]);
  }
  for (int i = 1; i <= W.MenuCount; ++i) W.MenuShown[i] = 2;
}

void Tell(WaitKind kind) {
  Wait wait;
  wait.kind = kind;
  Screen().Waiting(wait);
}

// The list as the player sees it: entry i stands on row i + 3.
void TellList(int r, int n, bool open) {
  Wait wait;
  wait.kind = WaitKind::kList;
  wait.list = n;
  wait.open = open;
  wait.promptRow = r;
  for (int i = 1; i <= W.MenuCount; ++i) {
    wait.entries.push_back(Trim(W.MenuItem[i]));
    wait.rows.push_back(i + 3);
  }
  Screen().Waiting(wait);
}

}  // namespace

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string KeyPoll() {
  std::string key = Screen().ReadKey();
  if (key == kCloseKey) Screen().EndApplication(0);
  return key;
}

void PicturePeek() {
  Display& d = Screen();
  if (d.PollMouse().buttons != 2) return;
  d.SetPages(1, 1);
  do {
    d.Pause(kPollMs);
  } while (d.PollMouse().buttons == 2);
  d.SetPages(0, 0);
}

void WaitForEnter() {
  Tell(WaitKind::kEnter);
  std::string key;
  do {
    key = KeyPoll();
    PicturePeek();
    Screen().Pause(kPollMs);
  } while (key != "\r");
  Tell(WaitKind::kNothing);
  do {
    key = KeyPoll();
    Screen().Pause(kPollMs);
  } while (!key.empty());
}

std::string TypedInput(int r) {
  Wait wait;
  wait.kind = WaitKind::kTyped;
  wait.limit = kMaxTyped;
  wait.promptRow = r;
  Screen().Waiting(wait);
  std::string s;
  for (;;) {
    WriteRow(r, ">" + s + "_");
    std::string k;
    do {
      k = KeyPoll();
      PicturePeek();
      Screen().Pause(kPollMs);
    } while (k.empty());
    if (k.size() == 1) {
      const auto c = static_cast<unsigned char>(k[0]);
      if (c == 8 && !s.empty()) {
        s.pop_back();
      } else if (c >= 32 && s.size() < kMaxTyped) {
        s += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
      }
    }
    if (static_cast<unsigned char>(k[0]) == 13) break;
  }
  Tell(WaitKind::kNothing);
  return Trim(s);
}

std::string ListChoice(int r, int n) {
  FillMenu(n);
  WriteRow(r, "}_");
  TellList(r, n, false);
  while (ListPass() != 1) {
  }
  while (ListPass() != 0) {
  }
  TellList(r, n, true);
  WriteRow(3, "");
  WriteRow(W.MenuCount + 4, "");
  Display& d = Screen();
  int buttons = 0;
  do {
    d.Pause(kPollMs);
    PicturePeek();
    KeyPoll();
    const MouseState m = d.PollMouse();
    buttons = m.buttons;
    W.ListRow = 4;
    W.MenuChoice = 0;
    for (int i = 1; i <= W.MenuCount; ++i) {
      const int top = 14 * W.ListRow - 14;
      const bool over = top < m.y && m.y < top + 14;
      W.MenuHover[i] = over ? 1 : 0;
      if (over) W.MenuChoice = i;
      W.ListRow = W.ListRow + 1;
    }
    W.ListRow = 4;
    for (int i = 1; i <= W.MenuCount; ++i) {
      if (W.MenuShown[i] != W.MenuHover[i]) {
        W.RowAlpha = W.MenuHover[i] == 1 ? 160 : 96;
        WriteListLine(W.MenuItem[i]);
        W.MenuShown[i] = W.MenuHover[i];
      } else {
        W.ListRow = W.ListRow + 1;
      }
    }
  } while (buttons != 1);
  Tell(WaitKind::kNothing);
  while (ListPass() != 0) {
  }
  return W.MenuChoice != 0 ? Trim(W.MenuItem[W.MenuChoice]) : "";
}
