// The scripted runner: plays the real game on the headless display from a readable script.
#pragma once

#include <string>
#include <vector>

// One line of a script, split into its command word and the rest.
struct ScriptLine {
  int number = 0;
  std::string text;
  std::string command;
  std::string argument;
};

// Splits a script into lines; returns false with a message for a malformed script.
bool ParseScript(const std::string& source, std::vector<ScriptLine>& lines, std::string& error);

// Runs a script file; returns 0 when every line held, 1 at a failed check, 2 for a malformed
// script or a game that stops polling.
int RunScript(const std::string& path, const std::string& defaultExeDir);
