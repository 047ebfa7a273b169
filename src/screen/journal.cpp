// The journal's text: "1;SEED;DEBUG" and one ";ENTRY" per answer, in printable ASCII so that a
// page can keep it anywhere: a list entry's number, "e" Enter, "k" and a key, "t" and a text.
#include "screen/journal.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::string_view kVersion = "1";
constexpr int kMaxEntry = 99;
constexpr std::size_t kMaxTyped = 64;

// Bytes that could be taken for the format's own, or that a page might not keep, as %XX.
std::string Escaped(const std::string& bytes) {
  std::string out;
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c > 0x20 && c < 0x7F && c != ';' && c != '%') {
      out += ch;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Only the form Escaped writes: anything else is a journal that was edited or damaged.
std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c != '%') {
      if (c <= 0x20 || c >= 0x7F || c == ';') return std::nullopt;
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    const int byte = high * 16 + low;
    if (high < 0 || low < 0 || (byte > 0x20 && byte < 0x7F && byte != ';' && byte != '%')) return std::nullopt;
    out += static_cast<char>(byte);
    i += 2;
  }
  return out;
}

std::optional<Answer> ParseEntry(std::string_view entry) {
  if (entry.empty()) return std::nullopt;
  Answer answer;
  if (entry == "e") return answer;
  if (entry[0] == 'k' || entry[0] == 't') {
    auto text = Unescaped(entry.substr(1));
    if (!text) return std::nullopt;
    answer.kind = entry[0] == 'k' ? AnswerKind::kKey : AnswerKind::kText;
    const bool key = answer.kind == AnswerKind::kKey;
    if (key && !(text->size() == 1 || (text->size() == 2 && (*text)[0] == '\xFF'))) return std::nullopt;
    if (!key && text->size() > kMaxTyped) return std::nullopt;
    answer.text = std::move(*text);
    return answer;
  }
  // A list entry: a plain number, no sign and no leading zero.
  if (entry.size() > 2 || (entry.size() == 2 && entry[0] == '0')) return std::nullopt;
  int index = 0;
  for (const char c : entry) {
    if (c < '0' || c > '9') return std::nullopt;
    index = index * 10 + (c - '0');
  }
  if (index > kMaxEntry) return std::nullopt;
  answer.kind = AnswerKind::kChoose;
  answer.index = index;
  return answer;
}

}  // namespace

void Journal::Begin(double seed, int debug) {
  open_ = true;
  seed_ = seed;
  debug_ = debug;
  answers_.clear();
}

void Journal::Record(const Answer& answer) {
  if (open_) answers_.push_back(answer);
}

std::string Journal::Text() const {
  if (!open_) return "";
  std::uint64_t bits = 0;
  std::memcpy(&bits, &seed_, sizeof bits);
  char seed[17];
  std::snprintf(seed, sizeof seed, "%016llx", static_cast<unsigned long long>(bits));
  std::string text = std::string(kVersion) + ";" + seed + ";" + (debug_ != 0 ? "1" : "0");
  for (const Answer& a : answers_) {
    text += ';';
    switch (a.kind) {
      case AnswerKind::kChoose: text += std::to_string(a.index); break;
      case AnswerKind::kText: text += "t" + Escaped(a.text); break;
      case AnswerKind::kEnter: text += "e"; break;
      case AnswerKind::kKey: text += "k" + Escaped(a.text); break;
    }
  }
  return text;
}

std::optional<Journal> Journal::Parse(std::string_view text) {
  if (text.size() > kMaxText) return std::nullopt;
  std::vector<std::string_view> fields;
  std::size_t from = 0;
  for (;;) {
    const std::size_t end = text.find(';', from);
    fields.push_back(text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
    if (end == std::string_view::npos) break;
    from = end + 1;
  }
  if (fields.size() < 3 || fields[0] != kVersion || fields[1].size() != 16) return std::nullopt;
  std::uint64_t bits = 0;
  for (const char c : fields[1]) {
    const int digit = c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= '0' && c <= '9' ? c - '0' : -1;
    if (digit < 0) return std::nullopt;
    bits = bits << 4 | static_cast<std::uint64_t>(digit);
  }
  if (fields[2] != "0" && fields[2] != "1") return std::nullopt;
  Journal journal;
  double seed = 0;
  std::memcpy(&seed, &bits, sizeof seed);
  // The debug switch is all bits or none, as the game toggles it.
  journal.Begin(seed, fields[2] == "1" ? ~0 : 0);
  for (std::size_t i = 3; i < fields.size(); ++i) {
    const auto answer = ParseEntry(fields[i]);
    if (!answer) return std::nullopt;
    journal.answers_.push_back(*answer);
  }
  return journal;
}
