// Picture generator: draws every picture of the game into the data folder, or a contact sheet of them.
#include <cairo.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "catalogue.h"
#include "city_map.h"
#include "contact_sheet.h"
#include "icon.h"
#include "jpeg_io.h"
#include "screen/cp1251.h"
#include "sign_font.h"

namespace {

int Generate(const std::string& outDir) {
  using namespace pictures;
  const auto start = std::chrono::steady_clock::now();
  SignFont font;
  if (!font.Load(outDir)) {
    std::fprintf(stderr, "gen_pictures: %s/egarus.bmp or ansi2866.set missing; signs stay blank\n", outDir.c_str());
  }
  const std::vector<Picture> list = Catalogue();
  std::error_code ec;
  for (const Picture& p : list) {
    std::filesystem::create_directories(outDir + "/" + p.folder, ec);
    if (ec) {
      std::fprintf(stderr, "gen_pictures: cannot create %s/%s: %s\n", outDir.c_str(), p.folder.c_str(), ec.message().c_str());
      return 1;
    }
  }
  // Pictures are independent, so two workers share the list.
  std::atomic<std::size_t> next{0};
  std::atomic<int> failures{0};
  auto worker = [&] {
    for (std::size_t i = next++; i < list.size(); i = next++) {
      const Picture& p = list[i];
      cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, p.width, p.height);
      cairo_t* cr = cairo_create(surface);
      p.draw(cr, &font);
      cairo_destroy(cr);
      const std::string path = outDir + "/" + p.folder + "/" + p.file;
      if (!WriteJpeg(surface, path, p.quality, p.fullChroma)) {
        std::fprintf(stderr, "gen_pictures: cannot write %s\n", path.c_str());
        ++failures;
      }
      cairo_surface_destroy(surface);
    }
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < 2; ++t) threads.emplace_back(worker);
  for (std::thread& t : threads) t.join();
  // Each picture's description for the game, in Windows-1251 with CR LF as its other texts.
  std::string texts;
  for (const Picture& p : list) {
    if (!p.description.empty()) texts += Utf8ToCp1251(p.folder + "/" + p.file + "\t" + p.description) + "\r\n";
  }
  const std::string textPath = outDir + "/pictures.txt";
  std::FILE* textFile = std::fopen(textPath.c_str(), "wb");
  if (textFile == nullptr || std::fwrite(texts.data(), 1, texts.size(), textFile) != texts.size()) {
    std::fprintf(stderr, "gen_pictures: cannot write %s\n", textPath.c_str());
    ++failures;
  }
  if (textFile != nullptr) std::fclose(textFile);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("gen_pictures: %zu pictures in %.2f s\n", list.size(), seconds);
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] != "--contact-sheet") return Generate(args[0]);
  if (args.size() == 3 && args[0] == "--contact-sheet") {
    const int missing = pictures::WriteContactSheet(pictures::Catalogue(), args[2], args[1]);
    if (missing < 0) {
      std::fprintf(stderr, "gen_pictures: cannot write %s\n", args[1].c_str());
      return 1;
    }
    if (missing > 0) std::fprintf(stderr, "gen_pictures: %d pictures missing or unreadable\n", missing);
    return missing == 0 ? 0 : 1;
  }
  if (args.size() == 3 && args[0] == "--icon") return pictures::WriteIcon(args[1], args[2]) ? 0 : 1;
  if (args.size() == 3 && args[0] == "--city-map") {
    if (pictures::WriteCityMap(args[2], args[1])) return 0;
    std::fprintf(stderr, "gen_pictures: cannot draw the city map from %s into %s\n", args[2].c_str(), args[1].c_str());
    return 1;
  }
  std::fprintf(stderr,
               "usage: gen_pictures OUT_DATA_DIR\n       gen_pictures --contact-sheet OUT.png DATA_DIR\n"
               "       gen_pictures --icon OUT.png DATA_DIR\n       gen_pictures --city-map OUT.png DATA_DIR\n");
  return 2;
}
