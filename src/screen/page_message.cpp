// Builds the page's message by hand: a few fields, and no JSON library in the game.
#include "screen/page_message.h"

#include <cstdio>

#include "screen/cp1251.h"
#include "screen/cp437.h"

namespace {

// A JSON string of Windows-1251 text.
std::string JsonText(const std::string& cp1251) {
  std::string out = "\"";
  for (const char c : Cp1251ToUtf8(cp1251)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The journal and the outcome are ASCII already; Windows-1251 leaves ASCII as it is.
const char* Bool(bool value) { return value ? "true" : "false"; }

}  // namespace

std::string PageMessage(const Wait& wait, const ScreenWords& words, const std::string& journal,
                        const std::string& resumed) {
  static constexpr const char* kKinds[] = {"nothing", "key", "enter", "typed", "list"};
  static constexpr const char* kPictures[] = {"none", "location", "action"};
  std::string json = std::string("{\"kind\":\"") + kKinds[static_cast<int>(wait.kind)] + "\"";
  json += ",\"limit\":" + std::to_string(wait.limit) + ",\"list\":" + std::to_string(wait.list);
  json += std::string(",\"open\":") + Bool(wait.open);
  json += ",\"promptRow\":" + std::to_string(wait.promptRow) + ",\"entries\":[";
  for (std::size_t i = 0; i < wait.entries.size(); ++i) {
    json += (i > 0 ? ",{\"text\":" : "{\"text\":") + JsonText(wait.entries[i]);
    json += ",\"row\":" + std::to_string(i < wait.rows.size() ? wait.rows[i] : 0);
    json += std::string(",\"active\":") + Bool(i >= wait.active.size() || wait.active[i]) + "}";
  }
  json += "],\"columns\":" + std::to_string(wait.columns) + ",\"rows\":[";
  bool first = true;
  for (int r = 1; r <= 34; ++r) {
    if (words.rows[r].find_first_not_of(' ') == std::string::npos) continue;
    json += (first ? "{\"row\":" : ",{\"row\":") + std::to_string(r) + ",\"text\":" + JsonText(words.rows[r]) + "}";
    first = false;
  }
  const ShownPicture& picture = words.picture;
  json += "],\"clock\":" + JsonText(words.clock);
  json += std::string(",\"picture\":{\"kind\":\"") + kPictures[static_cast<int>(picture.kind)] + "\"";
  json += ",\"file\":" + JsonText(picture.file) + ",\"place\":" + JsonText(picture.place);
  json += ",\"text\":" + JsonText(picture.text) + "},\"plain\":[";
  for (std::size_t i = 0; i < words.plain.size(); ++i) json += (i > 0 ? "," : "") + JsonText(words.plain[i]);
  json += "],\"journal\":" + JsonText(journal) + ",\"resumed\":" + JsonText(resumed) + "}";
  return json;
}

std::optional<Answer> AnswerFromPage(int kind, int index, const std::string& utf8) {
  Answer answer;
  switch (kind) {
    case 1:
      answer.kind = AnswerKind::kChoose;
      answer.index = index;
      return answer;
    case 2: {
      answer.kind = AnswerKind::kText;
      // As the keyboard types them: ASCII as itself, the rest in code page 437 ('?' where it has none).
      std::size_t i = 0;
      while (i < utf8.size()) answer.text += cp437::FromCodePoint(cp1251::NextCodePoint(utf8, i));
      return answer;
    }
    case 3:
      answer.kind = AnswerKind::kEnter;
      return answer;
    case 4: {
      answer.kind = AnswerKind::kKey;
      if (utf8 == "\b" || utf8 == "\x1b" || utf8 == "\r") {
        answer.text = utf8;
        return answer;
      }
      std::size_t i = 0;
      const char32_t cp = cp1251::NextCodePoint(utf8, i);
      if (utf8.empty() || i != utf8.size() || cp < 0x20) return std::nullopt;
      answer.text = std::string(1, cp437::FromCodePoint(cp));
      return answer;
    }
    default:
      return std::nullopt;
  }
}
