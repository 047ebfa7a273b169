// Windows-1251 text: the game's literals are written in UTF-8 and converted at compile time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp1251 {

// The Unicode code point of each byte 0x80..0xFF of Windows-1251 (0 where the code page has none).
inline constexpr char32_t kHigh[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0,      0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// The Windows-1251 byte of a code point, or '?' when the code page lacks it.
constexpr char FromCodePoint(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  for (int i = 0; i < 128; ++i) {
    if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence starting at s[i]; advances i. Malformed bytes read as U+FFFD.
constexpr char32_t NextCodePoint(std::string_view s, std::size_t& i) {
  const auto b = static_cast<unsigned char>(s[i++]);
  if (b < 0x80) return b;
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  char32_t cp = b & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  return cp;
}

template <std::size_t N>
struct Utf8Literal {
  char text[N]{};
  constexpr Utf8Literal(const char (&in)[N]) {  // NOLINT: implicit by design, for the literal
    for (std::size_t i = 0; i < N; ++i) text[i] = in[i];
  }
};

template <std::size_t N>
struct Converted {
  char text[N]{};
  std::size_t size = 0;
};

template <Utf8Literal L>
constexpr auto Convert() {
  Converted<sizeof(L.text)> out;
  std::string_view in(L.text, sizeof(L.text) - 1);
  std::size_t i = 0;
  while (i < in.size()) out.text[out.size++] = FromCodePoint(NextCodePoint(in, i));
  return out;
}

template <Utf8Literal L>
inline constexpr auto kConverted = Convert<L>();

}  // namespace cp1251

// "ЭТО "_w is the Windows-1251 form of a UTF-8 literal, made at compile time. The operator itself
// is not constexpr: clang 14 crashes when it tries to evaluate one in a constant context.
template <cp1251::Utf8Literal L>
inline std::string_view operator""_w() {
  return {cp1251::kConverted<L>.text, cp1251::kConverted<L>.size};
}

// Converts UTF-8 text to Windows-1251 ('?' for characters the code page lacks).
std::string Utf8ToCp1251(std::string_view utf8);
// Converts Windows-1251 text to UTF-8.
std::string Cp1251ToUtf8(std::string_view text);
