// The reading rules of the data files and the number reading of typed answers.
#include "scenario/data_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

TEST(DataReader, LinesEndAtCrLfLfOrCrAndReadEmptyAtTheEnd) {
  auto r = DataReader::FromText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(r.Line(), "one");
  EXPECT_EQ(r.Line(), "two");
  EXPECT_EQ(r.Line(), "three");
  EXPECT_EQ(r.Line(), "four");
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.Line(), "");
  EXPECT_EQ(r.Field(), "");
  EXPECT_EQ(r.Number(), 0);
}

TEST(DataReader, PlainFieldsKeepInnerAndTrailingBlanksAndStopAtCommaOrLineEnd) {
  auto r = DataReader::FromText("  READ ,LET\"TER ,3\r\nnext");
  EXPECT_EQ(r.Field(), "READ ");
  EXPECT_EQ(r.Field(), "LET\"TER ");
  EXPECT_EQ(r.Number(), 3);
  EXPECT_EQ(r.Line(), "next");
}

TEST(DataReader, QuotedFieldsKeepCommasAndConsumeOneSeparator) {
  auto r = DataReader::FromText("\"A, B\"  ,\"C\"x,y\r\n");
  EXPECT_EQ(r.Field(), "A, B");
  EXPECT_EQ(r.Field(), "C");
  // After the closing quote any other character is left for the next read.
  EXPECT_EQ(r.Field(), "x");
  EXPECT_EQ(r.Field(), "y");
  EXPECT_TRUE(r.AtEnd());
}

TEST(DataReader, FieldsAreCutAt4096Characters) {
  auto r = DataReader::FromText(std::string(5000, 'x') + ",tail");
  EXPECT_EQ(r.Field().size(), 4096u);
  EXPECT_EQ(r.Field(), "tail");
}

TEST(DataReader, NumberFieldsEndAtBlanksAndRoundHalvesToEven) {
  auto r = DataReader::FromText(" 12 ,2.5\r\n3.5 x\r\n,\r\n");
  EXPECT_EQ(r.Number(), 12);
  EXPECT_EQ(r.Number(), 2);
  EXPECT_EQ(r.Number(), 4);
  // "x" after the blank is left for the next read.
  EXPECT_EQ(r.Field(), "x");
  EXPECT_EQ(r.Number(), 0);
}

TEST(NumberReading, SignsPointsExponentsAndGarbage) {
  EXPECT_EQ(ReadNumber("123"), 123);
  EXPECT_EQ(ReadNumber("  0123"), 123);
  EXPECT_EQ(ReadNumber("123.4"), 123);
  EXPECT_EQ(ReadNumber("123.5"), 124);
  EXPECT_EQ(ReadNumber("124.5"), 124);
  EXPECT_EQ(ReadNumber("123 ABC"), 123);
  EXPECT_EQ(ReadNumber("-7"), -7);
  EXPECT_EQ(ReadNumber("+6.5"), 6);
  EXPECT_EQ(ReadNumber("1E2"), 100);
  EXPECT_EQ(ReadNumber("15D-1"), 2);
  EXPECT_EQ(ReadNumber("2E"), 2);
  EXPECT_EQ(ReadNumber("1.2.3"), 1);
  EXPECT_EQ(ReadNumber(".5"), 0);
  EXPECT_EQ(ReadNumber("ABC"), 0);
  EXPECT_EQ(ReadNumber(""), 0);
  EXPECT_EQ(ReadNumber("-"), 0);
}

TEST(NumberReading, Prefixes) {
  EXPECT_EQ(ReadNumber("&HFF"), 255);
  EXPECT_EQ(ReadNumber("&O17"), 15);
  EXPECT_EQ(ReadNumber("&B101"), 5);
  EXPECT_EQ(ReadNumber("&17"), 15);
  EXPECT_EQ(ReadNumber("&H1G"), 1);
  EXPECT_EQ(ReadNumber("0X1F"), 0);
}

TEST(NumberReading, ValuesBeyond32BitsSaturate) {
  EXPECT_EQ(ReadNumber("99999999999"), INT_MAX);
  EXPECT_EQ(ReadNumber("-99999999999"), INT_MIN);
  EXPECT_EQ(ReadNumber("1E400"), INT_MAX);
  EXPECT_EQ(ReadNumber("&HFFFFFFFFFF"), INT_MAX);
}

// The shipped help text fits the window as the game shows it: 39 characters after the leading
// blank, 33 rows from row 2, every page ended by "*" so the last one waits for Enter, then END.
TEST(DataSet, TheHelpTextFitsItsPagesAndWaitsOnTheLastOne) {
  const char* data = std::getenv("SKELLARINE_DATA_DIR");
  if (!data) GTEST_SKIP() << "SKELLARINE_DATA_DIR is not set";
  DataReader file(std::string(data) + "/help_ru.txt");
  int pages = 0, lines = 0, total = 0;
  bool ended = false, lastWasPageEnd = false;
  while (!file.AtEnd()) {
    const std::string line = file.Line();
    ++total;
    if (line == "END") {
      ended = true;
      break;
    }
    lastWasPageEnd = line == "*";
    if (lastWasPageEnd) {
      ++pages;
      lines = 0;
      continue;
    }
    EXPECT_LE(line.size(), 39u) << "line " << total << ": " << line;
    EXPECT_EQ(line.find('\t'), std::string::npos) << "line " << total;
    EXPECT_LE(++lines, 33) << "line " << total << " is below the window";
  }
  EXPECT_TRUE(ended);
  EXPECT_TRUE(lastWasPageEnd);
  EXPECT_GE(pages, 2);
  EXPECT_LE(pages, 6);
}
