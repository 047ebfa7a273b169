// Line, field and number reading for the data files and the typed answers.
#include "scenario/data_reader.h"

#include "scenario/data_file.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

constexpr std::size_t kMaxField = 4096;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

double PrefixedValue(std::string_view digits, int base) {
  double value = 0;
  for (char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (d < 0 || d >= base) break;
    value = value * base + d;
  }
  return value;
}

}  // namespace

DataReader::DataReader(const std::filesystem::path& path) {
  text_ = ReadDataFile(path).value_or(std::string());
}

DataReader DataReader::FromText(std::string text) {
  DataReader reader;
  reader.text_ = std::move(text);
  return reader;
}

void DataReader::SkipBlanks() {
  while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
}

bool DataReader::AtLineEnd() const { return !AtEnd() && IsLineEnd(text_[pos_]); }

void DataReader::ConsumeLineEnd() {
  if (AtEnd()) return;
  if (text_[pos_] == '\r') {
    ++pos_;
    if (!AtEnd() && text_[pos_] == '\n') ++pos_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
  }
}

void DataReader::ConsumeSeparator() {
  if (AtEnd()) return;
  if (text_[pos_] == ',') {
    ++pos_;
  } else {
    ConsumeLineEnd();
  }
}

std::string DataReader::Line() {
  const std::size_t start = pos_;
  while (!AtEnd() && !IsLineEnd(text_[pos_])) ++pos_;
  std::string line = text_.substr(start, pos_ - start);
  ConsumeLineEnd();
  return line;
}

std::string DataReader::Field() {
  SkipBlanks();
  std::string field;
  if (!AtEnd() && text_[pos_] == '"') {
    ++pos_;
    while (!AtEnd() && text_[pos_] != '"') {
      if (field.size() < kMaxField) field += text_[pos_];
      ++pos_;
    }
    if (!AtEnd()) ++pos_;
    SkipBlanks();
    if (!AtEnd() && (text_[pos_] == ',' || AtLineEnd())) ConsumeSeparator();
    return field;
  }
  while (!AtEnd() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) {
    if (field.size() < kMaxField) field += text_[pos_];
    ++pos_;
  }
  ConsumeSeparator();
  return field;
}

int DataReader::Number() {
  SkipBlanks();
  std::string field;
  while (!AtEnd() && text_[pos_] != ',' && !IsLineEnd(text_[pos_]) && !IsBlank(text_[pos_])) {
    if (field.size() < kMaxField) field += text_[pos_];
    ++pos_;
  }
  SkipBlanks();
  ConsumeSeparator();
  return ReadNumber(field);
}

double NumberValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  text.remove_prefix(i);
  if (!text.empty() && text[0] == '&') {
    const char kind = text.size() > 1 ? static_cast<char>(text[1] & ~0x20) : 0;
    if (kind == 'H') return PrefixedValue(text.substr(2), 16);
    if (kind == 'O') return PrefixedValue(text.substr(2), 8);
    if (kind == 'B') return PrefixedValue(text.substr(2), 2);
    return PrefixedValue(text.substr(1), 8);
  }
  // Copy the longest prefix that is a number, with D exponents written as E for strtod.
  std::string number;
  i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  bool point = false;
  while (i < text.size()) {
    if (text[i] >= '0' && text[i] <= '9') {
      digits = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
    number += text[i++];
  }
  if (!digits) return 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "E";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    const std::size_t firstDigit = j;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') exponent += text[j++];
    if (j > firstDigit) number += exponent;
  }
  return std::strtod(number.c_str(), nullptr);
}

int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
  if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(rounded);
}

int ReadNumber(std::string_view text) { return RoundToInt(NumberValue(text)); }
