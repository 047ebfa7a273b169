// The game in a browser page: the page scales the canvas, builds its controls on what it is told,
// answers by meaning, and keeps the journal of the game in progress for the tab.
#include "screen/backends/sdl/sdl_system.h"

#include <emscripten.h>

#include "screen/display.h"
#include "screen/page_message.h"

namespace {

// web/page/waits.js
EM_JS(void, TellPageJson, (const char* json), { if (Module.gameWaits) Module.gameWaits(UTF8ToString(json)); });

// The kept journal (read once, at start-up): its length in bytes, then the bytes.
EM_JS(int, SavedJournalSize, (), {
  return typeof Module.savedJournal === 'string' ? lengthBytesUTF8(Module.savedJournal) : 0;
});
EM_JS(void, SavedJournalInto, (char* buffer, int size), {
  stringToUTF8(typeof Module.savedJournal === 'string' ? Module.savedJournal : "", buffer, size);
});

// A task of its own, at once (web/page/load.js): a chain of zero timeouts, a sleep's usual way
// back, would wait 4 ms for each of them.
EM_ASYNC_JS(void, NextTask, (), { await Module.nextTask(); });

}  // namespace

namespace sdl_system {

bool InBrowser() { return true; }

void TellPage(const std::string& json) { TellPageJson(json.c_str()); }

std::string SavedJournal() {
  const int size = SavedJournalSize();
  if (size <= 0) return "";
  // Refused without being copied whole.
  if (static_cast<std::size_t>(size) > Journal::kMaxText) return "too large";
  std::string journal(static_cast<std::size_t>(size) + 1, '\0');
  SavedJournalInto(journal.data(), size + 1);
  journal.resize(static_cast<std::size_t>(size));
  return journal;
}

// The wait is a return to the browser (Asyncify), which runs its pending tasks meanwhile.
void LetBrowserRun() { NextTask(); }

}  // namespace sdl_system

// The page's answer by meaning (kind 1 an entry of the list, 2 a typed text, 3 Enter, 4 a key);
// one the wait now in force cannot take is dropped.
extern "C" EMSCRIPTEN_KEEPALIVE void skellarine_answer(int kind, int index, const char* text) {
  if (const auto answer = AnswerFromPage(kind, index, text != nullptr ? text : "")) Screen().GiveAnswer(*answer);
}
