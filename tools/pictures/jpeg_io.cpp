// Moves pixels between cairo surfaces and JPEG files through libjpeg's classic API.
#include "jpeg_io.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace pictures {

namespace {

struct ErrorTrap {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
  std::longjmp(trap->jump, 1);
}

}  // namespace

bool WriteJpeg(cairo_surface_t* surface, const std::string& path, int quality, bool fullChroma) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);

  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;

  jpeg_compress_struct info{};
  ErrorTrap trap{};
  info.err = jpeg_std_error(&trap.base);
  trap.base.error_exit = OnJpegError;
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  if (setjmp(trap.jump) != 0) {
    jpeg_destroy_compress(&info);
    std::fclose(file);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (fullChroma) {
    info.comp_info[0].h_samp_factor = 1;
    info.comp_info[0].v_samp_factor = 1;
  }
  info.optimize_coding = TRUE;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const auto* src = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(info.next_scanline) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = src[x];
      row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<unsigned char>(p >> 16);
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(p >> 8);
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(p);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

cairo_surface_t* ReadJpeg(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  jpeg_decompress_struct info{};
  ErrorTrap trap{};
  info.err = jpeg_std_error(&trap.base);
  trap.base.error_exit = OnJpegError;
  cairo_surface_t* volatile surface = nullptr;
  if (setjmp(trap.jump) != 0) {
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    if (surface != nullptr) cairo_surface_destroy(surface);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    auto* dst = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(x) * 3;
      dst[x] = 0xFF000000u | (std::uint32_t{row[i]} << 16) | (std::uint32_t{row[i + 1]} << 8) | row[i + 2];
    }
  }
  cairo_surface_mark_dirty(surface);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return surface;
}

}  // namespace pictures
