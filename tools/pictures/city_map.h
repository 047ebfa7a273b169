// The README's map of the city, drawn from the map file and the generated pictures.
#pragma once

#include <string>

namespace pictures {

// Reads map_ru.txt, the font and each place's first picture from dataDir and writes the map to pngPath.
// Returns false when the map file has not twenty entries, the font is missing or the PNG cannot be written.
bool WriteCityMap(const std::string& dataDir, const std::string& pngPath);

}  // namespace pictures
