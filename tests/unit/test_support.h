// Shared set-up for unit tests: a headless display with the generated font loaded.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/world_state.h"
#include "screen/backends/headless/display_headless.h"
#include "screen/font.h"

// The directory that holds the generated data/ folder.
inline std::string TestExeDir() {
  const char* data = std::getenv("SKELLARINE_DATA_DIR");
  std::string dir = data ? data : "data";
  return dir + "/../";
}

// Installs a fresh headless display and world record for each test, with the font loaded.
class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    W = World{};
    InstallDisplay(&display);
    W.ExePath = TestExeDir();
    LoadFont();
    W.HelpDone = 1;
  }
  void TearDown() override { InstallDisplay(nullptr); }

  HeadlessDisplay display{TestExeDir()};
};
