// The player's reading of the screens, its plan of the mission and the clicks and keys that play it.
#include "player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kLocations = 20;
constexpr int kCommandWords = 13;
constexpr int kCodeWords = 8;
// The longest stay in the enemy spy's company that the plan allows before acting again.
constexpr int kSpyMarksLimit = 4;
constexpr int kMaxWaits = 40;
constexpr int kMaxHelpPages = 10;

std::string TwoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n % 100);
  return text;
}

}  // namespace

Shapes Player::Row(int r) const { return text_.TrimmedRow(link_.Visible(), r); }

bool Player::RowIs(int r, std::string_view utf8) const { return Row(r) == text_.Trim(text_.Of(utf8)); }

int Player::FindRow(std::string_view utf8, int from, int to) const { return text_.FindRow(link_.Visible(), utf8, from, to); }

std::optional<int> Player::NumberAfter(int r, std::string_view utf8) const {
  const Shapes prefix = text_.Of(utf8);
  const Shapes row = Row(r);
  return row.starts_with(prefix) ? text_.LeadingNumber(row.substr(prefix.size())) : std::nullopt;
}

int Player::Clock() const {
  const auto minutes = text_.ClockMinutes(link_.Visible());
  if (!minutes) Fail("the clock does not read as a time");
  return *minutes;
}

int Player::RoomOnScreen() const {
  const Shapes prefix = text_.Of("ЭТО ");
  const Shapes row = Row(30);
  if (!row.starts_with(prefix)) Fail("row 30 names no location");
  return RoomNamed(row.substr(prefix.size()));
}

int Player::SpyMarks() const {
  const Shapes notice = text_.Of("ЗДЕСЬ ВРАЖЕСКИЙ ШПИОН");
  const Shapes row = Row(31);
  if (!row.starts_with(notice)) return 0;
  const char16_t mark = text_.Of("!")[0];
  return static_cast<int>(std::count(row.begin() + static_cast<std::ptrdiff_t>(notice.size()), row.end(), mark));
}

void Player::Fail(const std::string& why) const { throw PlayFailure{why + "\n" + ScreenDump()}; }

void Player::Expect(int r, std::string_view utf8) const {
  if (!RowIs(r, utf8)) Fail("row " + std::to_string(r) + " should read '" + std::string(utf8) + "'");
}

void Player::ExpectCommandPrompt() const {
  Expect(33, "ВАШИ ДЕЙСТВИЯ");
  Expect(34, "}_");
}

void Player::ExpectClock(int minutes) const {
  if (Clock() != minutes) {
    Fail("the clock should show " + TwoDigits(minutes / 60) + ":" + TwoDigits(minutes % 60));
  }
}

void Player::OpenList(int r) {
  Expect(r, "}_");
  ClickRow(r);
}

void Player::ClickRow(int r) { link_.Click(320, 14 * r - 7); }

void Player::PickEntry(const Shapes& entry, int count) {
  for (int r = 4; r < 4 + count; ++r) {
    if (Row(r) == entry) {
      ClickRow(r);
      return;
    }
  }
  Fail("the open list has no entry '" + text_.Readable(entry) + "'");
}

void Player::Command(std::string_view word) {
  ExpectCommandPrompt();
  OpenList(34);
  PickEntry(text_.Of(word), kCommandWords);
}

void Player::SkipToBriefing() {
  for (int page = 0; page < kMaxHelpPages; ++page) {
    if (FindRow("SKELLARINE", 3, 30) != 0) return;
    link_.Keys("\r");
  }
  Fail("no briefing after the help pages");
}

void Player::ReadBriefing() {
  const Shapes place = text_.Of("ОБЪЕКТЕ ");
  auto nameAfter = [&](int r) {
    const Shapes row = Row(r);
    if (r == 0 || !row.starts_with(place)) Fail("the briefing names no location on row " + std::to_string(r));
    return row.substr(place.size());
  };
  auto hourAfter = [&](int r) {
    const auto hour = NumberAfter(r, "В ");
    if (!hour) Fail("the briefing gives no hour on row " + std::to_string(r));
    return *hour;
  };
  const int letterRow = FindRow("ПРОЧИТАЙТЕ ПИСЬМО НА", 3, 30);
  const int noteRow = FindRow("ВАШЕ СООБЩЕНИЕ ЗАБЕРУТ НА", 3, 30);
  const int trainRow = FindRow("ПОСЛЕДНИЙ ПОЕЗД УХОДИТ", 3, 30);
  if (letterRow == 0 || noteRow == 0 || trainRow == 0) Fail("not a briefing");
  letterName_ = nameAfter(letterRow + 1);
  noteName_ = nameAfter(noteRow + 1);
  pickupHour_ = hourAfter(noteRow + 2);
  trainHour_ = hourAfter(trainRow + 1);
  link_.Keys("\r");
  ExpectCommandPrompt();
  clock_ = Clock();
}

void Player::LearnKeyRoom() {
  Command("ХИТРИТЬ");
  ExpectCommandPrompt();
  Expect(32, "DEBUG IS ON");
  Command("ПОМОЩЬ");
  const int keyRow = FindRow("KEY=", 4, 30);
  if (keyRow == 0) Fail("the reminder shows no key location");
  keyName_ = Row(keyRow).substr(text_.Of("KEY=").size());
  link_.Keys("\r");
  ExpectCommandPrompt();
  clock_ += 5;
  ExpectClock(clock_);
}

int Player::RoomNamed(const Shapes& name) const {
  for (int i = 1; i <= kLocations; ++i) {
    if (rooms_[i] == name) return i;
  }
  Fail("no location is named '" + text_.Readable(name) + "'");
}

void Player::LearnRooms() {
  const Shapes prefix = text_.Of("ЭТО ");
  const Shapes hereName = Row(30).substr(prefix.size());
  Command("ДВИГАТЬСЯ");
  Expect(32, "ОБЪЕКТ:");
  OpenList(33);
  // Entry i of the list is location i, which fixes its cell on the city grid.
  for (int i = 1; i <= kLocations; ++i) rooms_[i] = Row(i + 3);
  here_ = RoomNamed(hereName);
  letterRoom_ = RoomNamed(letterName_);
  noteRoom_ = RoomNamed(noteName_);
  keyRoom_ = RoomNamed(keyName_);
  port_ = RoomNamed(text_.Of("ПОРТ"));
  station_ = RoomNamed(text_.Of("СТАНЦИЯ"));
  MakePlan();
  // The list is open: the first stop of the plan, even where the player already stands.
  Arrive(plan_.front().room);
}

void Player::Arrive(int room) {
  ClickRow(room + 3);
  ExpectCommandPrompt();
  clock_ += TravelMinutes(here_, room);
  here_ = room;
  ExpectClock(clock_);
  if (RoomOnScreen() != room) Fail("the move ended elsewhere");
}

void Player::Answer(std::string_view question, const std::string& keys) {
  Expect(32, question);
  Expect(33, ">_");
  link_.Keys(keys + "\r");
  ExpectCommandPrompt();
}

int Player::TravelMinutes(int from, int to) {
  const int fromRow = (from - 1) / 5;
  const int toRow = (to - 1) / 5;
  const int dx = std::abs((from - 5 * fromRow) - (to - 5 * toRow));
  const int dy = std::abs(fromRow - toRow);
  return 5 * static_cast<int>(std::lround(std::sqrt(static_cast<double>(dx * dx + dy * dy))));
}

int Player::TaskMinutes(TaskKind kind) {
  switch (kind) {
    case TaskKind::kLetter: return 0;
    case TaskKind::kNote: return 5;
    case TaskKind::kKey: return 15;  // searching, then reading the number off the key
    case TaskKind::kChest: return 5;
  }
  return 0;
}

void Player::MakePlan() {
  std::vector<Task> tasks = {{TaskKind::kLetter, letterRoom_},
                             {TaskKind::kNote, noteRoom_},
                             {TaskKind::kKey, keyRoom_},
                             {TaskKind::kChest, port_}};
  std::vector<int> order = {0, 1, 2, 3};
  int best = -1;
  do {
    // The chest needs the key.
    if (std::find(order.begin(), order.end(), 2) > std::find(order.begin(), order.end(), 3)) continue;
    int clock = clock_;
    int at = here_;
    bool inTime = true;
    for (int k : order) {
      clock += TravelMinutes(at, tasks[k].room);
      at = tasks[k].room;
      // The agent collects the note at the pick-up hour: it must be left before.
      if (tasks[k].kind == TaskKind::kNote && clock >= pickupHour_ * 60) inTime = false;
      clock += TaskMinutes(tasks[k].kind);
    }
    clock += TravelMinutes(at, station_);
    // The meeting is at the station once the case is in hand, and not before the note is collected.
    const int meet = std::max(clock, pickupHour_ * 60);
    if (!inTime || (best >= 0 && meet >= best)) continue;
    best = meet;
    plan_.clear();
    for (int k : order) plan_.push_back(tasks[k]);
  } while (std::next_permutation(order.begin(), order.end()));
  if (best < 0) Fail("no order of the errands leaves the note in time");
  meetTime_ = best;
  if (meetTime_ + 5 >= trainHour_ * 60) Fail("the plan ends after the last train");
}

void Player::GoTo(int room) {
  if (here_ == room) return;
  Command("ДВИГАТЬСЯ");
  Expect(32, "ОБЪЕКТ:");
  OpenList(33);
  if (Row(room + 3) != rooms_[room]) Fail("the list of locations changed");
  Arrive(room);
}

void Player::ExamineKey() {
  Command("ИССЛЕДОВАТЬ");
  ExpectCommandPrompt();
  const auto code = NumberAfter(32, "НОМЕР НА КЛЮЧЕ - ");
  if (!code) Fail("examining the key shows no number");
  keyCode_ = std::to_string(*code);
  clock_ += 5;
  ExpectClock(clock_);
}

void Player::DoTask(const Task& task) {
  if (SpyMarks() >= kSpyMarksLimit) Fail("the enemy spy has watched too long");
  switch (task.kind) {
    case TaskKind::kLetter: {
      Command("ЧИТАТЬ");
      ExpectCommandPrompt();
      const Shapes prefix = text_.Of("ПАРОЛЬ -'");
      const Shapes quote = text_.Of("'");
      const Shapes row = Row(32);
      if (!row.starts_with(prefix) || !row.ends_with(quote) || row.size() <= prefix.size() + 1) {
        Fail("the letter gives no password");
      }
      password_ = row.substr(prefix.size(), row.size() - prefix.size() - 1);
      break;
    }
    case TaskKind::kNote: {
      const std::string hhmm = TwoDigits(meetTime_ / 60) + "." + TwoDigits(meetTime_ % 60);
      Command("ЗАПИСКА");
      Expect(32, "ГДЕ ВЫ ХОТИТЕ НАЗНАЧИТЬ ВСТРЕЧУ");
      OpenList(33);
      PickEntry(rooms_[station_], kLocations);
      Answer("В КАКОЕ ВРЕМЯ [ЧЧ.ММ]", hhmm);
      const Shapes agreed = text_.Of("ВСТРЕЧА В ТОЧКЕ ") + rooms_[station_] + text_.Of(" В ") +
                            text_.Of(TwoDigits(meetTime_ / 60) + ":" + TwoDigits(meetTime_ % 60));
      if (Row(32) != agreed) Fail("the note was not taken as " + hhmm);
      clock_ += 5;
      break;
    }
    case TaskKind::kKey:
      Command("ИСКАТЬ");
      ExpectCommandPrompt();
      Expect(32, "ВЫ НАШЛИ КЛЮЧ");
      clock_ += 10;
      haveKey_ = true;
      break;
    case TaskKind::kChest:
      if (keyCode_.empty()) ExamineKey();
      Command("ОТКРЫТЬ");
      Answer("КАКОЙ КОД НА КЛЮЧЕ?", keyCode_);
      Expect(32, "ЗАМОК ОТКРЫТ, ВЫ ЗАБИРАЕТЕ КЕЙС!");
      clock_ += 5;
      break;
  }
  ExpectClock(clock_);
  // The number is read off the key at once, unless the enemy spy is watching here.
  if (haveKey_ && keyCode_.empty() && SpyMarks() == 0) ExamineKey();
}

void Player::MeetAndWin(GameRecord& record) {
  GoTo(station_);
  for (int wait = 0; !RowIs(31, "АГЕНТ ЖДЁТ ВАС"); ++wait) {
    const int now = Clock();
    if (wait >= kMaxWaits || now > meetTime_ + 15) Fail("the agent did not come to the meeting");
    const int minutes = std::clamp(meetTime_ - now, 5, 60);
    Command("ЖДАТЬ");
    Answer("СКОЛЬКО МИНУТ", std::to_string(minutes));
    clock_ = now + minutes;
    ExpectClock(clock_);
  }
  if (password_.empty()) Fail("no password to say");
  Command("ГОВОРИТЬ");
  Expect(32, "СКАЗАТЬ ЧТО");
  OpenList(33);
  PickEntry(password_, kCodeWords);
  // The station with the case handed over: the statistics.
  Expect(4, "ПОЗДРАВЛЯЕМ !");
  const auto turns = NumberAfter(6, "ВЫ ВЫИГРАЛИ, ИСПОЛЬЗУЯ ");
  const auto hours = NumberAfter(7, "ЭТО ЗАНЯЛО ");
  const auto minutes = hours ? NumberAfter(7, "ЭТО ЗАНЯЛО " + TwoDigits(*hours) + ":") : std::nullopt;
  if (!turns || !hours || !minutes) Fail("the win screen's figures do not read");
  record.turns = *turns;
  record.minutes = *hours * 60 + *minutes;
  link_.Keys("\r");
  // The animation runs until a key.
  link_.Keys(" ");
  Expect(33, "ЧТО ДАЛЬШЕ: СТАРТ ИЛИ ФИНИШ?");
  Expect(32, "ПОЗДРАВЛЯЕМ, ВЫ ПОБЕДИЛИ В ИГРЕ!");
  record.won = true;
}

GameRecord Player::PlayGame() {
  GameRecord record;
  // The rest is learnt afresh before it is used.
  password_.clear();
  keyCode_.clear();
  haveKey_ = false;
  try {
    ReadBriefing();
    LearnKeyRoom();
    LearnRooms();
    for (const Task& task : plan_) {
      GoTo(task.room);
      DoTask(task);
    }
    MeetAndWin(record);
  } catch (const PlayFailure& failure) {
    record.failure = failure.what;
  }
  return record;
}

void Player::Choose(std::string_view word) {
  Expect(33, "ЧТО ДАЛЬШЕ: СТАРТ ИЛИ ФИНИШ?");
  OpenList(34);
  PickEntry(text_.Of(word), kCommandWords);
}

void Player::Restart(double seconds) {
  link_.SetTimer(seconds);
  Choose("РЕСТАРТ");
  if (FindRow("SKELLARINE", 3, 30) == 0) Fail("no briefing after РЕСТАРТ");
}

void Player::Finish() {
  Choose("ФИНИШ");
  Expect(32, "ЗАКОНЧИТЬ ИГРУ (Y/N)?");
  link_.Keys("Y\r");
}
