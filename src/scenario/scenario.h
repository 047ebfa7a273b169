// The scenario of a game: the map, the action table, the word tables and the random set-up.
#pragma once

#include <string>

// Reads the map file into Room and RoomStem, locations 1 to 20.
void LoadMap();
// Reads the action file into the action table.
void LoadActions();
// Copies the command words into Verb(1..13).
void FillVerbs();
// Copies the code words into Code(1..8) and draws the password.
void FillCodes();
// Reads the data files and makes the random choices of a new game.
void LoadScenario();
// The picture stem of a picture field: "nofile" or data\f\f.
std::string PictureStem(const std::string& field);
