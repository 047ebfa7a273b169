// Fuzzes the number reading of typed answers and number fields against its own rules.
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scenario/data_reader.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = NumberValue(text);
  const int rounded = ReadNumber(text);
  Check(rounded == RoundToInt(value));
  if (std::isnan(value)) {
    Check(rounded == 0);
  } else if (value >= static_cast<double>(INT_MAX)) {
    Check(rounded == INT_MAX);
  } else if (value <= static_cast<double>(INT_MIN)) {
    Check(rounded == INT_MIN);
  } else {
    Check(std::fabs(value - rounded) <= 0.5);
  }
  // Leading blanks are skipped.
  Check(ReadNumber(" " + std::string(text)) == rounded);
  // A number field without separators in it reads the same as the typed answer.
  if (size < 4096 && text.find_first_of(" \t,\r\n") == std::string_view::npos) {
    Check(DataReader::FromText(std::string(text)).Number() == rounded);
  }
  // What follows a complete decimal number does not change it.
  if (!text.empty() && text[0] >= '0' && text[0] <= '9' && text.find_first_not_of("0123456789") == std::string_view::npos) {
    Check(NumberValue(std::string(text) + "x1") == value);
  }
  return 0;
}
