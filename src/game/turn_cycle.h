// One game's turns, and the darkening of the picture while the enemy spy is near.
#pragma once

#include <string>

// How a run of turns ended.
enum class TurnsEnd { kRestart, kGameOver };

// Runs turns until the game is won or lost, or the player picks РЕСТАРТ.
TurnsEnd RunTurns();
// Finds the number of Choice in Verb (the last equal entry), 14 when none is equal.
int FindVerb();
// Shows the pending action's picture, or else the picture of the player's location.
void ShowTurnPicture();
// Draws the clock and rows 30 to 33 (the question on 33), empties Msg, lets the player pick a
// command word on row 34, clears the text area and sets Choice and VerbNo.
void AskForCommand(const std::string& question);
// Halves red and green of the picture and puts it on the background and visible pages.
void DarkenForSpy();
