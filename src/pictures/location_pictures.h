// The picture of a location or of an action, and the record of the pictures seen.
#pragma once

#include <string>

// Draws location n's picture on the visible and background pages.
void ShowRoomPicture(int n);
// Draws the picture of the pending action and clears ActionPic.
void ShowActionPicture();
// Records a picture as seen in this game.
void CountPicture(const std::string& name);
