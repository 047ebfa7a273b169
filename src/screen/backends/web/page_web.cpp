// The game in a browser page: the page scales the canvas and builds its controls on what it is told.
#include "screen/backends/sdl/sdl_system.h"

#include <emscripten.h>

namespace {

// web/page/waits.js
EM_JS(void, TellPageJson, (const char* json), { if (Module.gameWaits) Module.gameWaits(UTF8ToString(json)); });

}  // namespace

namespace sdl_system {

bool InBrowser() { return true; }

void TellPage(const std::string& json) { TellPageJson(json.c_str()); }

}  // namespace sdl_system
