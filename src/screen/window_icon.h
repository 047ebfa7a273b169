// The window's own icon, drawn at build time from the desktop icon.
#pragma once

#include <cstdint>

inline constexpr int kWindowIconSize = 64;
// kWindowIconSize x kWindowIconSize pixels, 0xAARRGGBB, row by row from the top.
extern const std::uint32_t kWindowIcon[kWindowIconSize * kWindowIconSize];
