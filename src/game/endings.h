// The three endings of a game and the win animation.
#pragma once

// The last train is gone: the player ends at the station.
void LateEnding();
// Captured: the player ends at the hotel.
void CaptureEnding();
// The statistics of a won game, then Enter.
void WinScreen();
// Flies circling over the festive backgrounds until a key is pressed.
void WinAnimation();
