// A careful player that reads the screen, plans the mission and plays it with the mouse and keyboard only.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "player_link.h"
#include "screen/backends/headless/screen_text.h"

// How one game went, as the player saw it on the screen.
struct GameRecord {
  // The post-game question showed the win message.
  bool won = false;
  // The turns and the minutes of game time that the win screen reported.
  int turns = 0;
  int minutes = 0;
  // Why the player gave up, with the screen at that moment; empty when the game was played out.
  std::string failure;
};

// Thrown inside the player when the screen is not what the plan expects.
struct PlayFailure {
  std::string what;
};

// One player bound to one running application.
class Player {
 public:
  Player(PlayerLink& link, const ScreenText& text) : link_(link), text_(text) {}

  // Presses Enter through the help pages until a briefing is on the screen.
  void SkipToBriefing();
  // Plays the game whose briefing is on the screen up to the post-game question.
  GameRecord PlayGame();
  // At the post-game question: starts the next game, seeded with seconds.
  void Restart(double seconds);
  // At the post-game question: ends the application with ФИНИШ and Y.
  void Finish();
  // The text rows and clock as they read now, for reports.
  std::string ScreenDump() const { return text_.Dump(link_.Visible()); }

 private:
  enum class TaskKind { kLetter, kNote, kKey, kChest };
  struct Task {
    TaskKind kind;
    int room;
  };

  // Screen reading.
  Shapes Row(int r) const;
  bool RowIs(int r, std::string_view utf8) const;
  int FindRow(std::string_view utf8, int from, int to) const;
  // The number written on row r right after the text.
  std::optional<int> NumberAfter(int r, std::string_view utf8) const;
  int Clock() const;
  int RoomOnScreen() const;
  int SpyMarks() const;
  [[noreturn]] void Fail(const std::string& why) const;
  void Expect(int r, std::string_view utf8) const;
  void ExpectCommandPrompt() const;
  void ExpectClock(int minutes) const;

  // Input.
  void OpenList(int r);
  void ClickRow(int r);
  void PickEntry(const Shapes& entry, int count);
  void Command(std::string_view word);
  // Picks word at the question after a game.
  void Choose(std::string_view word);
  // Types keys and Enter as the answer to the question on row 32.
  void Answer(std::string_view question, const std::string& keys);

  // The mission.
  void ReadBriefing();
  void LearnKeyRoom();
  void LearnRooms();
  int RoomNamed(const Shapes& name) const;
  void MakePlan();
  void GoTo(int room);
  // Picks room in the open list of locations and checks the walk.
  void Arrive(int room);
  void DoTask(const Task& task);
  void ExamineKey();
  void MeetAndWin(GameRecord& record);

  static int TravelMinutes(int from, int to);
  static int TaskMinutes(TaskKind kind);

  PlayerLink& link_;
  const ScreenText& text_;

  // What the briefing and the screens have told in this game.
  Shapes letterName_;
  Shapes noteName_;
  Shapes keyName_;
  int pickupHour_ = 0;
  int trainHour_ = 0;
  std::array<Shapes, 21> rooms_;
  int letterRoom_ = 0;
  int noteRoom_ = 0;
  int keyRoom_ = 0;
  int port_ = 0;
  int station_ = 0;
  int here_ = 1;
  int clock_ = 0;
  Shapes password_;
  std::string keyCode_;
  bool haveKey_ = false;
  std::vector<Task> plan_;
  int meetTime_ = 0;
};
