// The late, capture and win endings, and the flies of the win animation.
#include "game/endings.h"

#include <cmath>
#include <string>

#include "game/world_state.h"
#include "scenario/briefing.h"
#include "screen/clock.h"
#include "screen/cp1251.h"
#include "screen/input.h"
#include "screen/text_rows.h"

namespace {

constexpr int kFlies = 12;
constexpr int kFlySize = 64;

}  // namespace

void LateEnding() {
  Screen().EndJournal();
  W.CurRoom = RoomIndex(std::string("СТАНЦИЯ"_w));
  W.Msg = "ИГРА ОКОНЧЕНА,ВЫ ОПОЗДАЛИ НА ПОСЛЕДНИЙ ПОЕЗД!"_w;
  W.Lost = 1;
}

void CaptureEnding() {
  Screen().EndJournal();
  W.CurRoom = RoomIndex(std::string("ОТЕЛЬ"_w));
  W.Msg = "ИГРА ОКОНЧЕНА,ВЫ ЗАХВАЧЕНЫ ВРАГОМ!"_w;
  W.Lost = 2;
}

void WinScreen() {
  Screen().EndJournal();
  const std::string time = TimeText(W.Clock - W.StartClock);
  ClearTextArea();
  W.ListRow = 3;
  WriteListLine("");
  WriteListLine(std::string("ПОЗДРАВЛЯЕМ !"_w));
  WriteListLine("=============");
  WriteListLine(std::string("ВЫ ВЫИГРАЛИ, ИСПОЛЬЗУЯ "_w) + std::to_string(W.Moves) + std::string(" ХОДОВ"_w));
  WriteListLine(std::string("ЭТО ЗАНЯЛО "_w) + time + std::string(" ВРЕМЕНИ ИГРЫ"_w));
  WriteListLine(std::string("ВЫ ОТКРЫЛИ "_w) + std::to_string(W.PicsOpened) + std::string(" КАРТИНОК"_w));
  WriteListLine("");
  WriteListLine(std::string("НАЖМИТЕ ENTER ДЛЯ ПРОДОЛЖЕНИЯ"_w));
  WriteListLine("");
  WaitForEnter();
  W.CurRoom = RoomIndex(std::string("СТАНЦИЯ"_w));
  W.Msg = "ПОЗДРАВЛЯЕМ, ВЫ ПОБЕДИЛИ В ИГРЕ!"_w;
  W.Won = 1;
}

void WinAnimation() {
  Display& d = Screen();
  d.SetPages(0, 0);
  ScreenChange festive{ScreenChange::kPicture};
  festive.picture.kind = PictureKind::kAction;
  festive.picture.file = "!win/!win1.jpg";
  if (const auto text = W.PictureText.find(festive.picture.file); text != W.PictureText.end()) {
    festive.picture.text = text->second;
  }
  d.Show(festive);
  // Any key ends it: a tap on a page is an ordinary key here.
  Wait anyKey;
  anyKey.kind = WaitKind::kKey;
  d.StartWait(anyKey);
  int flip = 0;
  int toggle = 0;
  int frame = 0;
  float baseAngle = 0;
  float radius = 160;
  int radiusStep = 1;
  for (;;) {
    if (flip == 0) toggle = ~toggle;
    PutImage(d.WorkPage(), 0, 0, toggle != 0 ? W.WinPic2 : W.WinPic1, PutMode::kCopy);
    baseAngle = static_cast<float>(static_cast<int>(std::nearbyint(baseAngle + 2)) % 360);
    for (int j = 0; j < kFlies; ++j) {
      const float a = (40.0f * static_cast<float>(j) + baseAngle) * 3.1416f / 180.0f;
      const int x = static_cast<int>(std::nearbyint(std::cos(a) * radius + 260.0f));
      const int y = static_cast<int>(std::nearbyint(std::sin(a) * radius * 0.6f + 240.0f));
      const int cell = kFlySize * ((3 * j + frame) % 14);
      GrabRect(W.FlyStrip, cell, 0, cell + kFlySize - 1, kFlySize - 1, W.FlyFrame);
      PutImage(d.WorkPage(), x, y, W.FlyFrame, PutMode::kBlend);
    }
    if (radius <= 160) radiusStep = 1;
    if (radius >= 440) radiusStep = -1;
    radius += 4.0f * static_cast<float>(radiusStep);
    flip = (flip + 1) % 5;
    frame = (frame + 1) % 15;
    d.Pause(100);
    if (!KeyPoll().empty()) break;
  }
  // Drain what was typed during the animation so that none reaches the question.
  while (!KeyPoll().empty()) d.Pause(50);
  d.StartWait(Wait());
}
