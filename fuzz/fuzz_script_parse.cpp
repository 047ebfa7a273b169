// Fuzzes the scenario script parser and the shape of what it accepts, and the journal's parser:
// a journal it accepts is written back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "screen/journal.h"
#include "script_runner.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  if (const auto journal = Journal::Parse(source)) Check(journal->Text() == source);
  std::vector<ScriptLine> lines;
  std::string error;
  if (!ParseScript(source, lines, error)) {
    Check(!error.empty());
    return 0;
  }
  int previous = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ScriptLine& line = lines[i];
    // A start line stands for several lines of its own number and text.
    const bool opening = line.text == "start" || line.text.starts_with("start ");
    Check(opening ? line.number >= previous : line.number > previous);
    previous = line.number;
    Check(!line.command.empty() && line.command.find(' ') == std::string::npos);
    Check(line.text.find('\n') == std::string::npos);
    // One CR before the LF belongs to the line end; any more are text.
    Check(source.find(line.text + "\r\n") != std::string::npos || source.find(line.text + "\n") != std::string::npos ||
          source.ends_with(line.text) || source.ends_with(line.text + "\r"));
    // The command and its argument put back together give the line.
    const std::string joined = line.argument.empty() && line.text == line.command
                                   ? line.command
                                   : line.command + " " + line.argument;
    Check(opening || joined == line.text);
    Check(line.command != "exedir" || i == 0);
  }
  Check(previous <= static_cast<int>(size) + 1);
  return 0;
}
