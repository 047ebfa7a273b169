// A desktop window: no page around it.
#include "screen/backends/sdl/sdl_system.h"

namespace sdl_system {

bool InBrowser() { return false; }

void TellPage(const std::string&) {}

std::string SavedJournal() { return ""; }

void LetBrowserRun() {}

}  // namespace sdl_system
