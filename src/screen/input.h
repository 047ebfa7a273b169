// The five input operations: key poll, picture peek, wait for Enter, typed input, list choice.
#pragma once

#include <string>

// List kinds offered by ListChoice.
enum ListKind : int { kCommandWords = 1, kLocationNames = 2, kCodeWords = 3 };

// Takes one key from the queue; ends the application when it is the window-close key.
std::string KeyPoll();
// While the right button alone is held, shows the background page.
void PicturePeek();
// Returns after Enter, with the keys typed after it discarded.
void WaitForEnter();
// Edits a line on row r; returns it upper-cased and trimmed.
std::string TypedInput(int r);
// Offers list kind n below a prompt on row r; returns the picked entry trimmed, or "".
std::string ListChoice(int r, int n);
// Removes blanks at both ends.
std::string Trim(const std::string& s);
