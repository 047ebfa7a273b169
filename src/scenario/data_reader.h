// The reading rules shared by the map, action and help files, and the number reading of typed answers.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Reads a whole data file into memory and hands out lines and fields; a missing file reads as empty.
class DataReader {
 public:
  explicit DataReader(const std::filesystem::path& path);
  // Reads from text already in memory.
  static DataReader FromText(std::string text);

  bool AtEnd() const { return pos_ >= text_.size(); }
  // Everything up to the next CR LF, LF or CR, which is consumed.
  std::string Line();
  // A text field: quoted, or up to a comma or line end; at most 4096 characters.
  std::string Field();
  // A number field: like a text field but a blank or tab also ends it; its value read as a number.
  int Number();

 private:
  DataReader() = default;
  void SkipBlanks();
  bool AtLineEnd() const;
  void ConsumeLineEnd();
  void ConsumeSeparator();

  std::string text_;
  std::size_t pos_ = 0;
};

// Reads the leading number of a text (signs, a point, E or D exponents, &H/&O/&B prefixes); 0 if none.
double NumberValue(std::string_view text);
// Rounds to the nearest whole number, halves to the even one, saturating at the 32-bit limits.
int RoundToInt(double value);
// NumberValue, rounded.
int ReadNumber(std::string_view text);
