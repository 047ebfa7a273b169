// autoplayer [GAMES] [FIRST_SEED]: plays seeded games through the screen and fails unless it wins them all.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "game/world_state.h"
#include "game_link.h"
#include "player.h"
#include "screen/backends/headless/screen_text.h"

namespace {

constexpr int kDefaultGames = 200;
constexpr double kDefaultFirstSeed = 1000;

// An application with its player, started afresh after a game the player could not finish.
struct Session {
  std::unique_ptr<GameLink> link;
  std::unique_ptr<Player> player;
};

Session Launch(const std::string& exeDir, double seed, ScreenText& text) {
  Session session;
  session.link = std::make_unique<GameLink>(exeDir);
  session.link->SetTimer(seed);
  session.link->Start();
  text.Learn(session.link->FontSheet(), ReadGlyphTable(exeDir));
  session.player = std::make_unique<Player>(*session.link, text);
  session.player->SkipToBriefing();
  return session;
}

}  // namespace

int main(int argc, char** argv) {
  const int games = argc > 1 ? std::atoi(argv[1]) : kDefaultGames;
  const double firstSeed = argc > 2 ? std::atof(argv[2]) : kDefaultFirstSeed;
  if (games < 1) {
    std::cerr << "usage: autoplayer [GAMES] [FIRST_SEED]\n";
    return 2;
  }
  const std::string exeDir = ProgramDir();
  const auto started = std::chrono::steady_clock::now();
  ScreenText text;
  int wins = 0;
  long long turns = 0;
  long long minutes = 0;
  bool endedCleanly = true;
  try {
    Session session = Launch(exeDir, firstSeed, text);
    for (int game = 0; game < games; ++game) {
      const double seed = firstSeed + game;
      GameRecord record = session.player->PlayGame();
      // The record is read only to count the result, never to play.
      const bool recordWon = W.Won == 1;
      if (record.failure.empty() && record.won != recordWon) {
        record.failure = "the screen and the game disagree about the result\n" + session.player->ScreenDump();
      }
      if (record.failure.empty() && record.won) {
        ++wins;
        turns += record.turns;
        minutes += record.minutes;
      } else {
        std::cout << "game " << game + 1 << " (seed " << seed << ") not won: " << record.failure << std::endl;
      }
      const bool last = game + 1 == games;
      if (record.failure.empty()) {
        if (last) {
          session.player->Finish();
          if (session.link->Running() || session.link->ExitStatus() != 0) {
            std::cout << "ФИНИШ answered Y did not end the application with status 0" << std::endl;
            endedCleanly = false;
          }
        } else {
          session.player->Restart(seed + 1);
        }
      } else {
        session.link->Close();
        session.link.reset();
        if (!last) session = Launch(exeDir, seed + 1, text);
      }
    }
  } catch (const PlayFailure& failure) {
    std::cout << "autoplayer: " << failure.what << std::endl;
    std::_Exit(2);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const double meanTurns = wins > 0 ? static_cast<double>(turns) / wins : 0;
  const double meanMinutes = wins > 0 ? static_cast<double>(minutes) / wins : 0;
  std::printf("autoplayer: %d of %d games won, mean %.1f turns, mean game time %.1f minutes (%d:%02d), %.2f s\n",
              wins, games, meanTurns, meanMinutes, static_cast<int>(meanMinutes) / 60,
              static_cast<int>(meanMinutes) % 60, seconds);
  return wins == games && endedCleanly ? 0 : 1;
}
