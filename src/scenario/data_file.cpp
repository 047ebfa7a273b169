// Data files read from the disk. The game in a browser links its own counterpart instead
// (data_file_web.cpp); this file holds nothing else, so that the linker never needs both.
#include "scenario/data_file.h"

std::optional<std::string> ReadDataFile(const std::filesystem::path& path) { return ReadLocalFile(path); }
