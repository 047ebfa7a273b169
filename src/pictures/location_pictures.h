// The picture of a location or of an action, and the record of the pictures seen.
#pragma once

#include <string>

// Draws location n's picture on the visible and background pages.
void ShowRoomPicture(int n);
// Draws the picture of the pending action and clears ActionPic.
void ShowActionPicture();
// Records a picture as seen in this game.
void CountPicture(const std::string& name);
// The picture's file as a page names it: below data/, with '/' (CAFE/CAFE2.jpg).
std::string PictureFile(const std::string& name);
// Reads each picture's one-line description (data/pictures.txt: the file, a tab, the text); a
// picture without one is shown without words.
void LoadPictureTexts();
