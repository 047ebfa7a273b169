// JPEG decoding with libjpeg-turbo, with errors turned into a normal return.
#include "pictures/jpeg_decode.h"

#include <csetjmp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "game/world_state.h"
#include "scenario/data_file.h"

namespace {

// Far above any picture of the game (the screen is 640 x 480). A broken header can claim billions
// of pixels, which would take seconds to decode into nothing, so such a file reads as broken.
constexpr std::uint64_t kMaxPixels = 2048 * 2048;

// A multi-scan (progressive) file is read whole into a buffer of all its coefficients before its
// first row comes out, and every scan, even an empty one, walks all the blocks of its components:
// a small file of thousands of empty scans over a large picture took seconds. Such a file reads as
// broken when it is larger than the screen, once its scans have walked as many blocks as 16 full
// scans of a screen-sized colour picture (a progressive picture of the game needs about 5), or
// after 500 scans whatever their size.
constexpr std::uint64_t kMaxMultiScanPixels = 640 * 480;
constexpr std::uint64_t kMaxScanBlocks = 16ull * 3 * (640 / 8) * (480 / 8);
constexpr int kMaxScans = 500;

// Decoding goes this many rows at a time, with a turn for the platform between.
constexpr int kRowsAtOnce = 96;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  bool ranOut = false;
};

struct ScanLimit {
  jpeg_progress_mgr base;
  int lastScan = 0;
  std::uint64_t blocks = 0;
};

[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Notes when the file ends early: libjpeg would go on and fill the missing rows with grey.
void OnMessage(j_common_ptr info, int level) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  if (level < 0 && errors->base.msg_code == JWRN_JPEG_EOF) errors->ranOut = true;
}

// Called before each step of reading the scans; counts every scan once, when it starts.
void OnProgress(j_common_ptr common) {
  auto* info = reinterpret_cast<j_decompress_ptr>(common);
  auto* limit = reinterpret_cast<ScanLimit*>(info->progress);
  if (info->input_scan_number == limit->lastScan) return;
  limit->lastScan = info->input_scan_number;
  for (int i = 0; i < info->comps_in_scan; ++i) {
    const jpeg_component_info* c = info->cur_comp_info[i];
    limit->blocks += static_cast<std::uint64_t>(c->width_in_blocks) * c->height_in_blocks;
  }
  if (limit->lastScan > kMaxScans || limit->blocks > kMaxScanBlocks) info->err->error_exit(common);
}

enum class Rows { kMore, kDone, kBroken };

// The steps of decoding are kept apart from DecodeJpeg so that no object with a destructor lives
// across a setjmp, and none of them is on the stack while the platform has its turn.

// Reads the header and starts decoding into the picture image; false when the file is broken.
bool StartRows(jpeg_decompress_struct& info, ErrorManager& errors, Image& pic) {
  if (setjmp(errors.jump) != 0) return false;
  jpeg_read_header(&info, TRUE);
  const std::uint64_t pixels = static_cast<std::uint64_t>(info.image_width) * info.image_height;
  if (pixels > kMaxPixels || (jpeg_has_multiple_scans(&info) && pixels > kMaxMultiScanPixels)) return false;
  // The buffer is the screen's size whatever the first file is, so that an odd first picture
  // does not shrink every later one.
  if (!pic.Exists()) pic = Image(kScreenW, kScreenH, 0);
  info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  return true;
}

// Decodes up to count more rows into the picture image.
Rows NextRows(jpeg_decompress_struct& info, ErrorManager& errors, Image& pic, std::vector<Pixel>& row, int count) {
  if (setjmp(errors.jump) != 0) return Rows::kBroken;
  row.resize(info.output_width);
  // Rows are written with the picture's own width; what does not fit the image is dropped.
  const int copyWidth = std::min(static_cast<int>(info.image_width), pic.w);
  for (int i = 0; i < count && info.output_scanline < info.output_height; ++i) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW target = reinterpret_cast<JSAMPROW>(row.data());
    jpeg_read_scanlines(&info, &target, 1);
    // Rows past the end of a truncated file were not decoded: leave the buffer as it was there.
    if (errors.ranOut) return Rows::kBroken;
    if (y >= pic.h) continue;
    Pixel* out = &pic.px[static_cast<size_t>(y) * pic.w];
    for (int x = 0; x < copyWidth; ++x) out[x] = row[x] | 0xFF000000;
  }
  if (info.output_scanline < info.output_height) return Rows::kMore;
  jpeg_finish_decompress(&info);
  return Rows::kDone;
}

}  // namespace

bool DecodeJpeg(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = ReadDataFile(path);
  // libjpeg reports an empty buffer before any error handler could catch it.
  if (!bytes || bytes->empty()) return false;
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes->data()), static_cast<unsigned long>(bytes->size()));
  ScanLimit limit{};
  limit.base.progress_monitor = OnProgress;
  info.progress = &limit.base;
  Image& pic = W.PicImage;
  std::vector<Pixel> row;
  Rows rows = StartRows(info, errors, pic) ? Rows::kMore : Rows::kBroken;
  while (rows == Rows::kMore) {
    rows = NextRows(info, errors, pic, row, kRowsAtOnce);
    // A browser's page would wait for a whole picture.
    if (rows == Rows::kMore) Screen().LetPlatformRun();
  }
  const bool whole = rows == Rows::kDone && static_cast<int>(info.image_width) >= pic.w &&
                     static_cast<int>(info.output_height) >= pic.h;
  jpeg_destroy_decompress(&info);
  return whole;
}
