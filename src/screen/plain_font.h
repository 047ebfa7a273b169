// The built-in 8 x 16 font of the plain-text output, compiled into the program.
#pragma once

#include <cstdint>

// 256 glyphs in code page 866 order; 16 row bytes each, the most significant bit leftmost.
extern const std::uint8_t kPlainFont[256][16];
// The code page 866 glyph of each Windows-1251 byte.
extern const std::uint8_t kPlainCodePage[256];
