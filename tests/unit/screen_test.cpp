// Blending and text rows, checked by their pixels (the clock block, the highlighted entry and the
// opaque help rows are played by clock_values, list_highlight and help_pages.script); the page's
// message and answers, and the journal's text.
#include <gtest/gtest.h>

#include "screen/cp1251.h"
#include "screen/cp437.h"
#include "screen/journal.h"
#include "screen/page_message.h"
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

TEST(PageMessage, TheWaitTheWordsAndTheJournalAsOneUtf8Object) {
  Wait wait;
  wait.kind = WaitKind::kList;
  wait.list = 1;
  wait.promptRow = 34;
  wait.entries = {std::string("ДВИГАТЬСЯ"_w), std::string("РЕСТАРТ"_w)};
  wait.rows = {4, 5};
  wait.active = {false, true};
  ScreenWords words;
  words.rows[30] = "ЭТО КАФЕ"_w;
  words.rows[31] = "   ";
  words.rows[34] = "}_";
  words.clock = "09:05";
  words.picture = {PictureKind::kLocation, "CAFE/CAFE2.jpg", std::string("КАФЕ"_w), "\"a\\b\"\t"};
  words.plain = {"no picture 3"};
  EXPECT_EQ(PageMessage(wait, words, "1;00;0;e", "yes"),
            "{\"kind\":\"list\",\"limit\":0,\"list\":1,\"open\":false,\"promptRow\":34,\"entries\":["
            "{\"text\":\"ДВИГАТЬСЯ\",\"row\":4,\"active\":false},{\"text\":\"РЕСТАРТ\",\"row\":5,\"active\":true}],"
            "\"columns\":0,\"rows\":[{\"row\":30,\"text\":\"ЭТО КАФЕ\"},{\"row\":34,\"text\":\"}_\"}],"
            "\"clock\":\"09:05\",\"picture\":{\"kind\":\"location\",\"file\":\"CAFE/CAFE2.jpg\",\"place\":\"КАФЕ\","
            "\"text\":\"\\\"a\\\\b\\\"\\u0009\"},\"plain\":[\"no picture 3\"],\"journal\":\"1;00;0;e\",\"resumed\":\"yes\"}");
}

TEST(PageMessage, APagesAnswerIsWhatTheKeyboardWouldType) {
  const auto text = AnswerFromPage(2, 0, "12.3ж€é");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->kind, AnswerKind::kText);
  EXPECT_EQ(text->text, "12.3??\x82");
  EXPECT_EQ(AnswerFromPage(4, 0, "\b")->text, "\b");
  EXPECT_EQ(AnswerFromPage(4, 0, "y")->text, "y");
  EXPECT_FALSE(AnswerFromPage(4, 0, "yy"));
  EXPECT_FALSE(AnswerFromPage(4, 0, ""));
  EXPECT_FALSE(AnswerFromPage(4, 0, "\t"));
  EXPECT_EQ(AnswerFromPage(1, 13, "")->index, 13);
  EXPECT_EQ(AnswerFromPage(3, 0, "")->kind, AnswerKind::kEnter);
  EXPECT_FALSE(AnswerFromPage(5, 0, "x"));
}

TEST(Journal, ItsTextComesBackWholeAndAnythingElseIsRefused) {
  Journal journal;
  journal.Begin(100.25, ~0);
  journal.Record({AnswerKind::kEnter, 0, ""});
  journal.Record({AnswerKind::kChoose, 13, ""});
  journal.Record({AnswerKind::kText, 0, "12.30; %\xFF"});
  journal.Record({AnswerKind::kChoose, 0, ""});
  journal.Record({AnswerKind::kKey, 0, "\xFFH"});
  const std::string text = journal.Text();
  EXPECT_EQ(text, "1;4059100000000000;1;e;13;t12.30%3B%20%25%FF;0;k%FFH");
  const auto back = Journal::Parse(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Seed(), 100.25);
  EXPECT_EQ(back->Debug(), ~0);
  EXPECT_EQ(back->Text(), text);
  // Every accepted text is one that Text() writes: an edited journal is refused, not repaired.
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (const char c : std::string("0a;%tek9F\xFF \x00", 12)) {
      std::string edited = text;
      edited[i] = c;
      if (const auto parsed = Journal::Parse(edited)) {
        EXPECT_EQ(parsed->Text(), edited) << edited;
      }
    }
  }
  for (const std::string& bad : std::vector<std::string>{"", "1", "2;4059100000000000;0", "1;4059100000000000", "1;405910000000000;0", "1;4059100000000000;2",
        "1;4059100000000000;0;", "1;4059100000000000;0;;e", "1;4059100000000000;0;07", "1;4059100000000000;0;100",
        "1;4059100000000000;0;t%4", "1;4059100000000000;0;t%41", "1;4059100000000000;0;kab", "1;4059100000000000;0;x",
        "1;4059100000000000;0;t" + std::string(65, 'A')}) {
    EXPECT_FALSE(Journal::Parse(bad)) << bad;
  }
  std::string huge = "1;4059100000000000;0";
  while (huge.size() <= Journal::kMaxText - 2) huge += ";e";
  EXPECT_TRUE(Journal::Parse(huge));
  EXPECT_FALSE(Journal::Parse(huge + ";e"));
  journal.End();
  EXPECT_EQ(journal.Text(), "");
}
