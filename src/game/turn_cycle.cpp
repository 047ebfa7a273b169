// One turn after another: picture, status rows, the command, the clock and the rules no command owns.
#include "game/turn_cycle.h"

#include <cmath>

#include "commands/commands.h"
#include "game/endings.h"
#include "game/world_state.h"
#include "pictures/location_pictures.h"
#include "scenario/briefing.h"
#include "screen/clock.h"
#include "screen/cp1251.h"
#include "screen/input.h"
#include "screen/text_rows.h"

namespace {

constexpr int kShadow = 6;
constexpr int kRestart = 12;
constexpr int kNoWord = 14;

void ShowStatus() {
  W.Status.clear();
  if (W.LetterRoom == W.CurRoom && W.F[LetterRead] == 0) W.Status = "ЕСТЬ ПИСЬМО ДЛЯ ВАС"_w;
  W.F[AgentHere] = 0;
  if (W.F[AgentComing] == 1 && W.Room[W.CurRoom] == W.MeetRoom && W.MeetTime <= W.Clock &&
      W.Clock <= W.MeetTime + 15) {
    W.Status = "АГЕНТ ЖДЁТ ВАС"_w;
    W.F[AgentHere] = 1;
  }
  if (W.SpyRoom == W.CurRoom) {
    W.SpyCount = W.SpyCount + 1;
    // Right after shadowing him the count is held at 1.
    if (W.VerbNo == kShadow && W.SpyCount > 1) W.SpyCount = 1;
    W.Status = std::string("ЗДЕСЬ ВРАЖЕСКИЙ ШПИОН"_w) + std::string(W.SpyCount, '!');
    DarkenForSpy();
  } else {
    W.SpyCount = 0;
    // Both spy messages go unread once he is gone.
    if (W.Msg == "ВРАЖЕСКИЙ ШПИОН ВИДИТ ВАС!"_w) W.Msg.clear();
    if (W.Msg == "ВЫ НАБЛЮДАЕТЕ ЗА НИМ"_w) W.Msg.clear();
  }
}

void Dispatch(int verb) {
  switch (verb) {
    case 1: MoveCommand(); break;
    case 2: SpeakCommand(); break;
    case 3: ExamineCommand(); break;
    case 4: ReadCommand(); break;
    case 5: OpenCommand(); break;
    case 6: ShadowCommand(); break;
    case 7: WaitCommand(); break;
    case 8: NoteCommand(); break;
    case 9: SearchCommand(); break;
    case 10: DebugToggle(); break;
    case 11:
      ShowReminder();
      WaitForEnter();
      break;
    case 13: FinishCommand(); break;
    default: FallbackCommand(); break;
  }
}

// The rules after the command, in a fixed order; an ending does not skip the later ones.
void EndOfTurn() {
  W.Clock = W.Clock + W.Spent;
  W.Spent = 0;
  if (W.Clock >= W.TrainHour * 60) {
    LateEnding();
    W.Lost = 1;
  }
  if (W.SpyRoom != W.CurRoom) W.SpyCount = 0;
  if (W.SpyCount >= 3 && W.Msg.empty()) W.Msg = "ВРАЖЕСКИЙ ШПИОН ВИДИТ ВАС!"_w;
  if (W.SpyCount >= 5) {
    CaptureEnding();
    W.Lost = 2;
  }
  // The station is looked up in every turn, whatever the flags say.
  const int station = RoomIndex(std::string("СТАНЦИЯ"_w));
  if (W.F[HaveCase] == 1 && W.F[CaseGiven] == 1 && W.CurRoom == station) {
    WinScreen();
    WinAnimation();
    W.Won = 1;
  }
  if (W.F[NoteLeft] == 1 && W.Clock >= W.PickupHour * 60) W.F[AgentComing] = 1;
  if (RandInt(10) > 8) W.SpyRoom = RoomIndex(std::string("ОТЕЛЬ"_w));
}

}  // namespace

int FindVerb() {
  int verb = 0;
  for (int i = 1; i <= kVerbs; ++i) {
    if (W.Choice == W.Verb[i]) verb = i;
  }
  return verb == 0 ? kNoWord : verb;
}

void ShowTurnPicture() {
  if (!W.ActionPic.empty()) {
    ShowActionPicture();
  } else {
    ShowRoomPicture(W.CurRoom);
  }
}

void AskForCommand(const std::string& question) {
  DrawClock(W.Clock);
  WriteRow(30, std::string("ЭТО "_w) + W.Room[W.CurRoom]);
  WriteRow(31, W.Status);
  WriteRow(32, W.Msg);
  WriteRow(33, question);
  W.Msg.clear();
  W.Choice = ListChoice(34, kCommandWords);
  ClearTextArea();
  W.VerbNo = FindVerb();
}

TurnsEnd RunTurns() {
  do {
    W.Moves = W.Moves + 1;
    W.Spent = 0;
    ShowTurnPicture();
    ShowStatus();
    AskForCommand(std::string("ВАШИ ДЕЙСТВИЯ"_w));
    if (W.VerbNo == kRestart) return TurnsEnd::kRestart;
    Dispatch(W.VerbNo);
    EndOfTurn();
  } while (W.Won == 0 && W.Lost == 0);
  return TurnsEnd::kGameOver;
}

void DarkenForSpy() {
  Display& d = Screen();
  d.Show(ScreenChange{ScreenChange::kCover});
  // The picture image is darkened where it is drawn: a replay decodes it only at its end.
  d.Draw([&d] {
    Image& pic = W.PicImage;
    if (!pic.Exists()) pic = Image(kScreenW, kScreenH, 0);
    for (Pixel& p : pic.px) {
      const auto half = [](Pixel c) { return static_cast<Pixel>(std::nearbyint(c / 2.0)); };
      const Pixel r = half((p >> 16) & 0xFF);
      const Pixel g = half((p >> 8) & 0xFF);
      p = 0xFF000000 | (r << 16) | (g << 8) | (p & 0xFF);
    }
    PutImage(d.Page(1), 0, 0, pic, PutMode::kCopy);
    PutImage(d.Page(0), 0, 0, pic, PutMode::kCopy);
  });
  d.SetPages(0, 0);
}
