// What the SDL window needs of the system under it; the build links one file per system.
#pragma once

#include <ctime>
#include <string>

namespace sdl_system {

// True in a browser: the page scales the canvas (web/page/fit.js) and gathers the events while
// the game sleeps.
bool InBrowser();
// Hands the page a message (JSON, UTF-8); outside a browser there is no page.
void TellPage(const std::string& json);
// The journal the page kept for this tab (Module.savedJournal); outside a browser, "".
std::string SavedJournal();
// The local time of t.
std::tm LocalTime(std::time_t t);
// The directory SDL names for the executable, with '/' separators.
std::string WithSlashes(std::string dir);
// Keeps the system's own error dialogs away from the player.
void QuietSystemErrors();
// Lets a browser paint and take input before the next long step of the start-up; elsewhere nothing.
void LetBrowserRun();

}  // namespace sdl_system
