// The one place that opens a data file of the game; its definition is the platform's
// (screen/backends/local or web), chosen by the build.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The whole file, or nothing when it cannot be opened (the callers read that as an empty file).
std::optional<std::string> ReadDataFile(const std::filesystem::path& path);
