// Builds the win animation's backgrounds and its strip of fly frames with alpha from grey masks.
#include "pictures/win_images.h"

#include "game/world_state.h"
#include "pictures/jpeg_decode.h"

namespace {

constexpr Pixel kMaskColour = 0xFFFF00FF;
constexpr int kCell = 64;

Pixel SheetPixel(int x, int y) {
  const Image& pic = W.PicImage;
  return (x < pic.w && y < pic.h) ? pic.At(x, y) : 0;
}

}  // namespace

void PrepareWinImages() {
  // Each step is long enough for a browser's page to want a turn between them.
  Display& d = Screen();
  DecodeJpeg(DataPath("data\\!win\\!win1.jpg"));
  d.LetPlatformRun();
  W.WinPic1 = Image(kScreenW, kScreenH, kMaskColour);
  PutImage(W.WinPic1, 0, 0, W.PicImage, PutMode::kCopy);
  DecodeJpeg(DataPath("data\\!win\\!win2.jpg"));
  d.LetPlatformRun();
  W.WinPic2 = Image(kScreenW, kScreenH, kMaskColour);
  PutImage(W.WinPic2, 0, 0, W.PicImage, PutMode::kCopy);
  DecodeJpeg(DataPath("data\\!win\\fly.jpg"));
  BuildFlyStrip();
}

void BuildFlyStrip() {
  W.FlyStrip = Image(15 * kCell, kCell, kMaskColour);
  int k = 0;
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 5; ++i) {
      for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
          const Pixel c = SheetPixel(2 * kCell * i + x, kCell * j + y);
          const Pixel m = SheetPixel(2 * kCell * i + kCell + x, kCell * j + y);
          W.FlyStrip.At(kCell * k + x, y) = ((m & 0xFF) << 24) | (c & 0xFFFFFF);
        }
      }
      ++k;
    }
  }
}
