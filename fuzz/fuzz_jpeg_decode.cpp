// Fuzzes DecodeJpeg on a file, with the picture image absent or present at various sizes beforehand.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "game/world_state.h"
#include "pictures/jpeg_decode.h"
#include "screen/backends/headless/display_headless.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

// The first byte's low two bits: no image, the screen's size, a small one, a wide and short one.
// Copies of kept images reuse the picture's buffer, so a run does not pay for fresh pages.
void PrepareImage(std::uint8_t choice) {
  static const Image screen(kScreenW, kScreenH, 0);
  const int param = choice >> 2;
  switch (choice & 3) {
    case 0: W.PicImage = Image(); break;
    case 1: W.PicImage = screen; break;
    case 2: W.PicImage = Image(1 + param, 1 + param / 2, 0); break;
    default: W.PicImage = Image(1024 + param, 1 + param % 8, 0); break;
  }
}

// Reads every pixel so that a short buffer shows; not traced, as it says nothing about the input.
__attribute__((no_sanitize("coverage"))) std::uint32_t Touch(const Image& pic) {
  std::uint32_t sum = 0;
  for (Pixel p : pic.px) sum += p;
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The decoder gives the display a turn between its steps.
  static HeadlessDisplay display(FuzzExeDir());
  InstallDisplay(&display);
  PrepareImage(data[0]);
  const bool existed = W.PicImage.Exists();
  const int w = W.PicImage.w;
  const int h = W.PicImage.h;
  const std::string path = FuzzExeDir() + "data/picture.jpg";
  WriteWholeFile(path, data + 1, size - 1);
  DecodeJpeg(path);
  const Image& pic = W.PicImage;
  Check(pic.px.size() == static_cast<std::size_t>(pic.w) * static_cast<std::size_t>(pic.h));
  // A picture image is kept at its size, and one made here has the screen's.
  if (existed) Check(pic.w == w && pic.h == h);
  if (!existed && pic.Exists()) Check(pic.w == kScreenW && pic.h == kScreenH);
  volatile std::uint32_t sum = Touch(pic);
  static_cast<void>(sum);
  return 0;
}
