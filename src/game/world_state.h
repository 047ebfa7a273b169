// The one global record of the game's state, and the two small routines many parts share.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "screen/display.h"

// Indices of the progress flags F(1) to F(7).
enum Flag : int {
  LetterRead = 1,
  NoteLeft = 2,
  AgentHere = 3,
  AgentComing = 4,
  HaveKey = 5,
  HaveCase = 6,
  CaseGiven = 7,
};

constexpr int kRooms = 20;
constexpr int kVerbs = 13;
constexpr int kCodes = 8;
constexpr int kMaxActions = 20;
constexpr int kMaxOpened = 100;
constexpr int kMaxMenu = 40;

// Tables numbered from 1 keep an unused slot 0.
template <class T, int N>
using Table = std::array<T, N + 1>;

struct World {
  // Position and movement.
  int CurRoom = 1;
  int DestRoom = 0;
  int GridRow = 0;
  int GridCol = 1;

  // Time, in minutes since midnight.
  int StartHour = 9;
  int StartMin = 0;
  int Clock = 540;
  int StartClock = 540;
  int Spent = 0;
  int TrainHour = 15;
  int PickupHour = 10;

  // Placements drawn for each game.
  int LetterRoom = 1;
  int KeyRoom = 1;
  int NoteRoom = 1;
  int KeyCode = 100;
  std::string Password;

  Table<int, 7> F{};

  // The meeting.
  std::string MeetRoom;
  int MeetTime = 0;
  std::string Said;

  // The enemy spy.
  int SpyRoom = 1;
  int SpyCount = 0;

  // Turn, messages and pictures.
  int Moves = 0;
  std::string Msg;
  std::string ActionPic;
  int Waited = 0;
  int PicsOpened = 0;
  Table<std::string, kMaxOpened> OpenedPic;
  int Debug = 0;

  // End of game.
  int Won = 0;
  int Lost = 0;

  // Scenario tables.
  Table<std::string, kRooms> Room;
  Table<std::string, kRooms> RoomStem;
  Table<std::string, kVerbs + 1> Verb;
  Table<std::string, kCodes> Code;
  Table<std::string, kMaxActions> ActionKey;
  Table<std::string, kMaxActions> ActionStem;
  Table<int, kMaxActions> ActionPics{};
  int ActionCount = 0;

  // Kept by the game loop for the turn cycle.
  int VerbNo = 0;
  std::string Choice;
  std::string Status;

  // Values that live for the whole run.
  std::string ExePath;
  int RowAlpha = 96;
  int HelpDone = 0;
  int ListRow = 2;
  std::array<std::uint8_t, 256> GlyphCode{};
  Image PicImage;
  Image WinPic1;
  Image WinPic2;
  Image FlyStrip;
  Image FlyFrame;
  Image RowImage;
  Image ClockImage;
  // Each picture's one-line description, by its file below data/ (CAFE/CAFE2.jpg).
  std::map<std::string, std::string> PictureText;

  // List-choice state.
  Table<std::string, kMaxMenu> MenuItem;
  int MenuCount = 0;
  int MenuChoice = 0;
  Table<std::int8_t, kMaxMenu> MenuShown{};
  Table<std::int8_t, kMaxMenu> MenuHover{};
};

// The record; the game's only state.
extern World W;

// Seeds the game's random source.
void SeedRandom(double seed);
// A uniform whole number from 1 to n (1 for n = 0).
int RandInt(int n);
// The random source's state as text: a replayed game must reach the same.
std::string RandomState();
// Puts the random source back as it was when the program started.
void ResetRandom();
// The number of the first location named exactly name; ends the application when there is none.
int RoomIndex(const std::string& name);
// The path of a data file: ExePath (UTF-8) and a relative Windows-1251 name written with backslashes.
std::filesystem::path DataPath(const std::string& relative);
