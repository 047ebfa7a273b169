// The message a page gets at each wait (JSON, UTF-8), and a page's answer in the game's terms.
#pragma once

#include <optional>
#include <string>

#include "screen/display.h"

// What the game waits for and what the screen says, with the journal to keep and, after a start
// that was handed a saved journal, whether it was resumed ("yes", "refused"; else "").
std::string PageMessage(const Wait& wait, const ScreenWords& words, const std::string& journal,
                        const std::string& resumed);

// A page's answer: kind 1 chooses entry index (0 beside the list), 2 types text (UTF-8) and
// Enter, 3 is Enter, 4 is one key (a character, "\b", "\x1b" or "\r"). Characters become the
// keys that a keyboard gives for them; nothing for an unknown kind or a key that is no one key.
std::optional<Answer> AnswerFromPage(int kind, int index, const std::string& utf8);
