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
  Screen().StartWait(wait);
}

// The list as the player sees it: entry i stands on row i + 3. Once a game is over only РЕСТАРТ
// and ФИНИШ of the command words do something; the places come in the city's rows of five.
void TellList(int r, int n, bool open) {
  constexpr int kRestart = 12;
  constexpr int kFinish = 13;
  const bool over = W.Won != 0 || W.Lost != 0;
  Wait wait;
  wait.kind = WaitKind::kList;
  wait.list = n;
  wait.open = open;
  wait.promptRow = r;
  wait.columns = n == kLocationNames ? 5 : 0;
  for (int i = 1; i <= W.MenuCount; ++i) {
    wait.entries.push_back(Trim(W.MenuItem[i]));
    wait.rows.push_back(i + 3);
    wait.active.push_back(!over || n != kCommandWords || i == kRestart || i == kFinish);
  }
  Screen().StartWait(wait);
}

// A typed character as TypedInput takes it.
void Type(std::string& s, char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (c == 8 && !s.empty()) {
    s.pop_back();
  } else if (c >= 32 && s.size() < kMaxTyped) {
    s += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
  }
}

void Record(const Answer& answer) { Screen().GameJournal().Record(answer); }

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
  // A replayed Enter needs no polling; the page's Enter comes as a key.
  if (!Screen().TakeAnswer(AnswerKind::kEnter)) {
    do {
      key = KeyPoll();
      PicturePeek();
      Screen().Pause(kPollMs);
    } while (key != "\r");
  }
  Record(Answer{AnswerKind::kEnter, 0, ""});
  Tell(WaitKind::kNothing);
  if (Screen().Replaying()) return;
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
  // The prompt is on the screen when the page hears of the wait, so its words hold it too.
  WriteRow(r, ">_");
  Screen().StartWait(wait);
  std::string s;
  for (;;) {
    WriteRow(r, ">" + s + "_");
    std::string k;
    std::optional<Answer> typed;
    do {
      // A text by meaning is its characters typed and Enter.
      if ((typed = Screen().TakeAnswer(AnswerKind::kText))) break;
      k = KeyPoll();
      PicturePeek();
      Screen().Pause(kPollMs);
    } while (k.empty());
    if (typed) {
      for (const char c : typed->text) Type(s, c);
      WriteRow(r, ">" + s + "_");
      break;
    }
    if (k.size() == 1) Type(s, k[0]);
    if (static_cast<unsigned char>(k[0]) == 13) break;
  }
  Record(Answer{AnswerKind::kText, 0, s});
  Tell(WaitKind::kNothing);
  return Trim(s);
}

std::string ListChoice(int r, int n) {
  FillMenu(n);
  WriteRow(r, "}_");
  TellList(r, n, false);
  Display& d = Screen();
  // A choice by meaning stands for the click that opens the list and the click on its entry.
  std::optional<Answer> chosen = d.TakeAnswer(AnswerKind::kChoose);
  while (!chosen && ListPass() != 1) chosen = d.TakeAnswer(AnswerKind::kChoose);
  while (!chosen && ListPass() != 0) chosen = d.TakeAnswer(AnswerKind::kChoose);
  if (!chosen) TellList(r, n, true);
  WriteRow(3, "");
  WriteRow(W.MenuCount + 4, "");
  int buttons = 0;
  do {
    MouseState m;
    if (!chosen) {
      d.Pause(kPollMs);
      PicturePeek();
      KeyPoll();
      m = d.PollMouse();
      chosen = d.TakeAnswer(AnswerKind::kChoose);
    }
    if (chosen) {
      // Pressed over the entry's row, or over the blank row below the list for "beside".
      const int row = chosen->index >= 1 && chosen->index <= W.MenuCount ? chosen->index + 3 : W.MenuCount + 4;
      m = MouseState{kScreenW / 2, 14 * row - 7, 1};
    }
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
  Record(Answer{AnswerKind::kChoose, W.MenuChoice, ""});
  Tell(WaitKind::kNothing);
  // A choice by meaning pressed no button, and the pointer may be anywhere, even outside.
  if (!chosen) {
    while (ListPass() != 0) {
    }
  }
  return W.MenuChoice != 0 ? Trim(W.MenuItem[W.MenuChoice]) : "";
}
