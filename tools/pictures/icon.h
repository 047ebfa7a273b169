// The application icon for the desktop entry.
#pragma once

#include <string>

namespace pictures {

// Draws the 256 x 256 icon (the hand-over under a street lamp) as a PNG; returns false on failure.
bool WriteIcon(const std::string& pngPath, const std::string& dataDir);

}  // namespace pictures
