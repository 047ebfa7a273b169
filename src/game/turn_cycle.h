// One game's turns, and the darkening of the picture while the enemy spy is near.
#pragma once

// How a run of turns ended.
enum class TurnsEnd { kRestart, kGameOver };

// Runs turns until the game is won or lost, or the player picks РЕСТАРТ.
TurnsEnd RunTurns();
// Finds the number of Choice in Verb (the last equal entry), 14 when none is equal.
int FindVerb();
// Halves red and green of the picture and puts it on the background and visible pages.
void DarkenForSpy();
