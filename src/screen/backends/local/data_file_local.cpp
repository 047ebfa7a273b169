// Data files read from the disk: the desktop builds and every test program. The game in a browser
// links web/data_file_web.cpp instead; the build chooses one.
#include "scenario/data_file.h"

std::optional<std::string> ReadDataFile(const std::filesystem::path& path) { return ReadLocalFile(path); }
