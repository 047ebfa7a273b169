// The briefing at the start of a game and the reminder screen of ПОМОЩЬ.
#pragma once

#include <string>

// The mission's orders, then the information tail, from row 4.
void ShowBriefing();
// The agreed meeting, if any, then the information tail; costs five minutes.
void ShowReminder();
// The last train, the debug lines, the pictures seen and the request for Enter.
void ShowInfoTail();
// Hours and minutes of a time as HH:MM, the hours taken modulo 24.
std::string TimeText(int minutes);
