// Blending and text rows, checked by their pixels; the clock block is played by clock_values.script.
#include <gtest/gtest.h>

#include "screen/cp437.h"
#include "screen/text_rows.h"
#include "test_support.h"

namespace {

constexpr Pixel kPicture = 0xFF808080;

// A uniform grey picture on the visible and background pages.
void GreyPicture(Display& d) {
  for (int p = 0; p <= 1; ++p) std::fill(d.Page(p).px.begin(), d.Page(p).px.end(), kPicture);
}

}  // namespace

TEST(Blend, OpaqueReplacesTransparentKeepsAndTranslucentMixes) {
  EXPECT_EQ(Blend(0xFF102030, 0xFFAABBCC), 0xFFAABBCCu);
  EXPECT_EQ(Blend(0xFF102030, 0x00AABBCC), 0xFF102030u);
  // Blue at alpha 96 over grey 128: red and green 128*159/255, blue (255*96 + 128*159)/255.
  EXPECT_EQ(Blend(kPicture, 0x600000FF), 0xFF5050B0u);
}

TEST(Put, CopyReplacesAlphaAndEverythingIsClipped) {
  Image dst(4, 4, 0xFF000000);
  Image src(3, 3, 0x00123456);
  PutImage(dst, 2, 2, src, PutMode::kCopy);
  EXPECT_EQ(dst.At(3, 3), 0x00123456u);
  EXPECT_EQ(dst.At(1, 1), 0xFF000000u);
  PutImage(dst, -2, -2, src, PutMode::kCopy);
  EXPECT_EQ(dst.At(0, 0), 0x00123456u);
  Image out;
  GrabRect(dst, 2, 2, 5, 5, out);
  EXPECT_EQ(out.w, 4);
  EXPECT_EQ(out.At(3, 3), 0u);
}

using RowTest = ScreenTest;

TEST_F(RowTest, RowsAreTranslucentBandsWithWhiteInkThatNeverAddUp) {
  GreyPicture(display);
  WriteRow(30, "A");
  WriteRow(30, "A");
  const int top = 14 * 29;
  // Row 30 spans y 406..419; the band is blue at alpha 96 over the picture.
  EXPECT_EQ(display.Page(0).At(639, top), 0xFF5050B0u);
  EXPECT_EQ(display.Page(0).At(639, top + 13), 0xFF5050B0u);
  EXPECT_EQ(display.Page(0).At(639, top - 1), kPicture);
  EXPECT_EQ(display.Page(0).At(639, top + 14), kPicture);
  int ink = 0;
  for (int y = top; y < top + 14; ++y) {
    for (int x = 0; x < 16; ++x) ink += display.Page(0).At(x, y) == 0xFFFFFFFF;
  }
  EXPECT_GT(ink, 10);
  EXPECT_EQ(W.RowAlpha, 96);
  EXPECT_EQ(display.Visible(), 0);
  EXPECT_EQ(display.Work(), 0);
}

TEST_F(RowTest, HighlightAppliesToOneRowAndHelpRowsAreOpaque) {
  GreyPicture(display);
  W.RowAlpha = 160;
  WriteRow(4, "");
  WriteRow(5, "");
  EXPECT_EQ(display.Page(0).At(100, 14 * 3), Blend(kPicture, 0xA00000FF));
  EXPECT_EQ(display.Page(0).At(100, 14 * 4), Blend(kPicture, 0x600000FF));
  W.HelpDone = 0;
  W.RowAlpha = 160;
  WriteRow(6, "");
  EXPECT_EQ(display.Page(0).At(100, 14 * 5) & 0x00FFFFFF, 0x0000FFu);
}

TEST_F(RowTest, TextIsCutAt40CellsAndListLinesAdvance) {
  GreyPicture(display);
  WriteRow(10, std::string(40, ' ') + "XXXXXXXX");
  for (int x = 0; x < 640; ++x) ASSERT_NE(display.Page(0).At(x, 14 * 9 + 7), 0xFFFFFFFFu) << x;
  W.ListRow = 34;
  WriteListLine("A");
  EXPECT_EQ(W.ListRow, 35);
  // Row 35 would start at y 476: only its first lines fit, nothing is written outside.
  WriteListLine("A");
  EXPECT_EQ(display.Page(0).At(0, 476), Blend(kPicture, 0x600000FF));
}

TEST(TypedCharacter, CodePage437CodesAndQuestionMarksForTheRest) {
  EXPECT_EQ(cp437::FromCodePoint(U'A'), 'A');
  EXPECT_EQ(cp437::FromCodePoint(U'~'), '~');
  EXPECT_EQ(static_cast<unsigned char>(cp437::FromCodePoint(U'ñ')), 0xA4);
  EXPECT_EQ(static_cast<unsigned char>(cp437::FromCodePoint(U'ä')), 0x84);
  EXPECT_EQ(static_cast<unsigned char>(cp437::FromCodePoint(U'Ç')), 0x80);
  EXPECT_EQ(static_cast<unsigned char>(cp437::FromCodePoint(U'£')), 0x9C);
  EXPECT_EQ(static_cast<unsigned char>(cp437::FromCodePoint(U'\u00A0')), 0xFF);
  // Lacking: Cyrillic, the euro sign, and the code page's pictures at control codes and DEL.
  for (char32_t cp : {U'Ж', U'€', U'☺', U'♪', U'⌂', char32_t{0x7F}, char32_t{0x0D}}) {
    EXPECT_EQ(cp437::FromCodePoint(cp), '?') << static_cast<unsigned>(cp);
  }
}
