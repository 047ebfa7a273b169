// One PNG overview of the whole picture set, for reviewing it at a glance.
#pragma once

#include <string>
#include <vector>

#include "catalogue.h"

namespace pictures {

// Reads every catalogued JPEG under dataDir and writes a labelled grid of thumbnails to pngPath.
// Returns the number of pictures that were missing or unreadable (drawn as red boxes), or -1 if the PNG could not be written.
int WriteContactSheet(const std::vector<Picture>& pictures, const std::string& dataDir, const std::string& pngPath);

}  // namespace pictures
