// The backgrounds and fly sprites of the win animation.
#pragma once

// Builds WinPic1, WinPic2 and FlyStrip from the files in data/!win.
void PrepareWinImages();
// Cuts the 15 frames of the sprite sheet in PicImage into FlyStrip, the grey masks becoming alpha.
void BuildFlyStrip();
