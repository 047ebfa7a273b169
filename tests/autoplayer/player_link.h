// What a player needs of a running game: a click, keys, and the screen as the window shows it.
#pragma once

#include <string>

#include "screen/display.h"

// A game the player drives; each input returns once the game waits again with its screen drawn.
class PlayerLink {
 public:
  virtual ~PlayerLink() = default;
  // A left click at (x, y) in screen pixels.
  virtual void Click(int x, int y) = 0;
  // Key strings as the platform delivers them (at most 15 at once).
  virtual void Keys(const std::string& keys) = 0;
  // What the seconds timer returns from now on, where the link controls it.
  virtual void SetTimer(double seconds) = 0;
  // The page the window shows.
  virtual const Image& Visible() const = 0;
};
