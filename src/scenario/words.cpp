// The built-in command words and code words.
#include <array>
#include <string_view>

#include "game/world_state.h"
#include "scenario/scenario.h"
#include "screen/cp1251.h"

namespace {

const std::array<std::string_view, kVerbs> kVerbWords = {
    "ДВИГАТЬСЯ"_w, "ГОВОРИТЬ"_w, "ИССЛЕДОВАТЬ"_w, "ЧИТАТЬ"_w,  "ОТКРЫТЬ"_w, "ШПИОНИТЬ"_w, "ЖДАТЬ"_w,
    "ЗАПИСКА"_w,   "ИСКАТЬ"_w,   "ХИТРИТЬ"_w,     "ПОМОЩЬ"_w, "РЕСТАРТ"_w, "ФИНИШ"_w,
};

const std::array<std::string_view, kCodes> kCodeWords = {
    "КУКУРУЗА"_w, "КОЛБАСКА"_w, "КОЛОБОК"_w,  "КЛЮКОВКА"_w,
    "КОРЮШКА"_w,  "КАБАРГА"_w,  "КНОПОЧКА"_w, "КАЛЕЙДОСКОП"_w,
};

}  // namespace

void FillVerbs() {
  for (int i = 1; i <= kVerbs; ++i) W.Verb[i] = kVerbWords[i - 1];
  W.Verb[kVerbs + 1].clear();
}

void FillCodes() {
  for (int i = 1; i <= kCodes; ++i) W.Code[i] = kCodeWords[i - 1];
  W.Password = W.Code[RandInt(kCodes)];
}
