// The JPEG decoder's bounds, the picture routines' choices and counts, the fly strip and the data
// set's pictures. Plain decoding, sizes, broken files and the count past the table are played by
// the bad_data picture scripts.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pictures/jpeg_decode.h"
#include "pictures/location_pictures.h"
#include "pictures/win_images.h"
#include "scenario/scenario.h"
#include "test_support.h"
#include "../scripts/bad_data/empty_scans_jpeg.h"

namespace {

namespace fs = std::filesystem;

// Writes a w x h JPEG of one colour.
void WriteJpeg(const fs::path& path, int w, int h, Pixel colour, int quality = 100, bool progressive = false) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(w);
  info.image_height = static_cast<JDIMENSION>(h);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  for (int c = 0; c < info.num_components; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(w) * 3);
  for (int x = 0; x < w; ++x) {
    row[3 * x] = static_cast<JSAMPLE>(colour >> 16);
    row[3 * x + 1] = static_cast<JSAMPLE>(colour >> 8);
    row[3 * x + 2] = static_cast<JSAMPLE>(colour);
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

// Each channel within a small distance: JPEG's colour conversion may be off by one or two.
void ExpectNear(Pixel got, Pixel want) {
  EXPECT_EQ(got >> 24, 0xFFu);
  for (int shift = 0; shift <= 16; shift += 8) {
    EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF), 2)
        << std::hex << got << " vs " << want;
  }
}

class PictureTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    dir = fs::temp_directory_path() / ("skellarine_pictures_" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override {
    fs::remove_all(dir);
    ScreenTest::TearDown();
  }
  std::string File(const std::string& name) { return (dir / name).string(); }

  fs::path dir;
};

}  // namespace

TEST_F(PictureTest, AHeaderClaimingBillionsOfPixelsReadsAsBroken) {
  WriteJpeg(File("red.jpg"), 640, 480, 0xFF0000);
  DecodeJpeg(File("red.jpg"));
  const Image before = W.PicImage;
  WriteJpeg(File("huge.jpg"), 16, 16, 0x0000FF);
  std::string bytes;
  {
    std::ifstream in(File("huge.jpg"), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The frame header (FF C0): length, precision, then height and width, big-endian.
  const auto sof = bytes.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  for (int i : {5, 6, 7, 8}) bytes[sof + i] = static_cast<char>(0xFD);
  std::ofstream(File("huge.jpg"), std::ios::binary) << bytes;
  DecodeJpeg(File("huge.jpg"));
  EXPECT_EQ(W.PicImage.px, before.px);
}

// The bounds on a progressive file: the screen's size, 500 scans, and blocks walked up to 16 full
// scans of a screen-sized colour picture; each side of each limit, and progressive pictures of the
// usual ten scans, which decode at the screen's size and read as broken above it.
TEST_F(PictureTest, ProgressivePicturesDecodeUntilTheirWorkGoesFarBeyondAPictures) {
  WriteJpeg(File("red.jpg"), 640, 480, 0xFF0000);
  WriteJpeg(File("green.jpg"), 640, 480, 0x00FF00, 90, true);
  WriteJpeg(File("green_big.jpg"), 1280, 960, 0x00FF00, 90, true);
  const auto write = [&](const std::string& name, int w, int h, int scans) {
    std::ofstream(File(name), std::ios::binary) << EmptyScansJpeg(w, h, scans);
    return File(name);
  };
  // The file, and the colour it leaves at (20, 20) over the red picture.
  const std::pair<std::string, Pixel> cases[] = {
      {File("green.jpg"), 0xFF00FF00},
      {File("green_big.jpg"), 0xFFFF0000},
      {write("small_500.jpg", 8, 32, 500), 0xFF808080},
      {write("small_501.jpg", 8, 32, 501), 0xFFFF0000},
      {write("screen_16.jpg", 640, 480, 16), 0xFF808080},
      {write("screen_17.jpg", 640, 480, 17), 0xFFFF0000},
      {write("tall_1.jpg", 480, 641, 1), 0xFFFF0000},
      {write("huge_4000.jpg", 2048, 2048, 4000), 0xFFFF0000},
  };
  for (const auto& [path, colour] : cases) {
    DecodeJpeg(File("red.jpg"));
    DecodeJpeg(path);
    ExpectNear(W.PicImage.At(5, 20), colour);
  }
}

TEST_F(PictureTest, WaitingShowsVariantTwoOrThreeOnceAndEveryNameCountsOnce) {
  W.RoomStem[1] = PictureStem("PARK");
  W.RoomStem[2] = "nofile";
  ShowRoomPicture(1);
  ShowRoomPicture(1);
  EXPECT_EQ(W.PicsOpened, 1);
  EXPECT_EQ(W.OpenedPic[1], "data\\PARK\\PARK1.jpg");
  for (int i = 0; i < 40; ++i) {
    W.Waited = 1;
    ShowRoomPicture(1);
    EXPECT_EQ(W.Waited, 0);
  }
  EXPECT_EQ(W.OpenedPic[2].substr(14), W.OpenedPic[2][14] == '2' ? "2.jpg" : "3.jpg");
  EXPECT_EQ(W.OpenedPic[3].substr(14), W.OpenedPic[2][14] == '2' ? "3.jpg" : "2.jpg");
  EXPECT_EQ(W.PicsOpened, 3);
  W.Waited = 1;
  ShowRoomPicture(2);
  EXPECT_EQ(W.Waited, 0);
  EXPECT_NE(display.PlainLog().find("no picture 2\n"), std::string::npos);
}

TEST_F(PictureTest, TheLastRecordWithAKeyWinsAndUnknownKeysShowNoPicture) {
  W.ActionCount = 2;
  W.ActionKey[1] = W.ActionKey[2] = "READ";
  W.ActionStem[1] = PictureStem("FIRST");
  W.ActionStem[2] = PictureStem("SECOND");
  W.ActionPics[1] = W.ActionPics[2] = 1;
  W.ActionPic = "READ";
  ShowActionPicture();
  EXPECT_EQ(W.ActionPic, "");
  EXPECT_EQ(W.OpenedPic[1], "data\\SECOND\\SECOND1.jpg");
  W.ActionPic = "OPEN";
  ShowActionPicture();
  EXPECT_EQ(W.ActionPic, "");
  EXPECT_EQ(W.PicsOpened, 1);
  EXPECT_NE(display.PlainLog().find("no picture\n"), std::string::npos);
}

TEST_F(PictureTest, FlyFramesTakeTheirAlphaFromTheMasksBlue) {
  W.PicImage = Image(640, 480, 0xFF000000);
  // Frame 7 lies in sheet row 1, column 2: colour at (256, 64), mask at (320, 64).
  W.PicImage.At(256 + 5, 64 + 6) = 0xFF0A141E;
  W.PicImage.At(320 + 5, 64 + 6) = 0xFF808080;
  W.PicImage.At(320 + 63, 127) = 0xFFFFFFFF;
  W.PicImage.At(256 + 63, 127) = 0xFF123456;
  BuildFlyStrip();
  ASSERT_EQ(W.FlyStrip.w, 960);
  ASSERT_EQ(W.FlyStrip.h, 64);
  EXPECT_EQ(W.FlyStrip.At(448 + 5, 6), 0x800A141Eu);
  EXPECT_EQ(W.FlyStrip.At(448 + 63, 63), 0xFF123456u);
  EXPECT_EQ(W.FlyStrip.At(448, 0), 0x00000000u);
}

// Every picture the map and action files name exists. Any location picture may be shown at any
// moment of a game, and games run from 9:00 to 16:00 at the latest; a game is won before its last
// train. So the sky and the upper storeys of every location picture and of both victory
// backgrounds must read as daytime, at least as bright as a cloudy day.
TEST_F(PictureTest, EveryPictureNamedExistsAndLocationsAndVictoryAreInDaylight) {
  if (!std::getenv("SKELLARINE_DATA_DIR")) GTEST_SKIP() << "SKELLARINE_DATA_DIR is not set";
  LoadMap();
  LoadActions();
  ASSERT_EQ(W.ActionCount, 5);
  for (int i = 1; i <= W.ActionCount; ++i) {
    for (int v = 1; v <= W.ActionPics[i]; ++v) {
      EXPECT_TRUE(fs::exists(DataPath(W.ActionStem[i] + std::to_string(v) + ".jpg"))) << W.ActionStem[i] << v;
    }
  }
  EXPECT_TRUE(fs::exists(W.ExePath + "data/!win/fly.jpg"));
  std::vector<std::string> names = {"data\\!win\\!win1.jpg", "data\\!win\\!win2.jpg"};
  for (int n = 1; n <= kRooms; ++n) {
    if (W.RoomStem[n] == "nofile") continue;
    for (int v = 1; v <= 3; ++v) names.push_back(W.RoomStem[n] + std::to_string(v) + ".jpg");
  }
  int checked = 0;
  for (const std::string& name : names) {
    W.PicImage = Image{};
    DecodeJpeg(DataPath(name));
    ASSERT_EQ(W.PicImage.w, 640) << name;
    double sum = 0;
    const int rows = W.PicImage.h / 3;
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < W.PicImage.w; ++x) {
        const Pixel p = W.PicImage.At(x, y);
        sum += 0.299 * ((p >> 16) & 0xFF) + 0.587 * ((p >> 8) & 0xFF) + 0.114 * (p & 0xFF);
      }
    }
    const double grey = sum / (255.0 * rows * W.PicImage.w);
    EXPECT_GE(grey, 0.40) << name;
    std::printf("daylight %-24s %.3f\n", name.c_str() + 5, grey);
    ++checked;
  }
  EXPECT_EQ(checked, 62);
}
