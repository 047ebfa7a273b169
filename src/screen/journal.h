// A game's journal: its seed and what answered each of its waits, by meaning; a game is
// deterministic from these, so a platform can keep the journal and have the game replayed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An answer to a wait by its meaning: from a page, or from a journal being replayed.
enum class AnswerKind { kChoose, kText, kEnter, kKey };
struct Answer {
  AnswerKind kind = AnswerKind::kEnter;
  int index = 0;     // kChoose: the entry, counted from 1; 0 is a click beside the list
  std::string text;  // kText: the characters as the keys that type them; kKey: the key
};

class Journal {
 public:
  // Longest text that Parse accepts: far beyond any game, small enough to replay at once.
  static constexpr std::size_t kMaxText = 64 * 1024;

  // Starts the journal of a new game.
  void Begin(double seed, int debug);
  // The game is over: nothing is left to resume.
  void End() { open_ = false; }
  bool Open() const { return open_; }
  void Record(const Answer& answer);
  double Seed() const { return seed_; }
  // The debug switch when the game began (its briefing shows the hints).
  int Debug() const { return debug_; }
  const std::vector<Answer>& Answers() const { return answers_; }

  // The versioned text of an open journal; "" when no game is in progress.
  std::string Text() const;
  // The journal of a text made by Text(); nothing for any other text.
  static std::optional<Journal> Parse(std::string_view text);

 private:
  bool open_ = false;
  double seed_ = 0;
  int debug_ = 0;
  std::vector<Answer> answers_;
};
