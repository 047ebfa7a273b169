// Builds the game's glyph sheet, code page table and built-in font from the system console fonts.
#include <iconv.h>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kGlyphCount = 256;
constexpr int kSheetWidth = 128;
constexpr int kSheetHeight = 224;
constexpr int kSheetCellHeight = 14;
constexpr int kPlainCellHeight = 16;
constexpr int kBmpHeaderSize = 62;
constexpr std::uint8_t kQuestionMark = 0x3F;

// Error that ends the run with a message.
struct GenError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A bitmap console font: glyphs one byte per row, and the glyph of each code point it names.
struct PsfFont {
  int width = 0;
  int height = 0;
  std::vector<Bytes> glyphs;
  std::map<char32_t, int> glyphOf;
};

// Reads a whole file, inflating it if it is gzip-compressed.
Bytes ReadGz(const std::string& path) {
  gzFile file = gzopen(path.c_str(), "rb");
  if (file == nullptr) throw GenError("cannot open " + path);
  Bytes data;
  std::array<std::uint8_t, 16384> buffer{};
  int got = 0;
  while ((got = gzread(file, buffer.data(), buffer.size())) > 0) {
    data.insert(data.end(), buffer.begin(), buffer.begin() + got);
  }
  const bool failed = got < 0;
  gzclose(file);
  if (failed) throw GenError("cannot inflate " + path);
  return data;
}

std::uint32_t Le32(const Bytes& d, std::size_t at) {
  return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}

// Decodes one UTF-8 sequence of a PSF2 table; malformed input yields U+FFFD.
char32_t NextUtf8(const Bytes& d, std::size_t& i) {
  const std::uint8_t b = d[i++];
  if (b < 0x80) return b;
  const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  char32_t cp = b & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= d.size() || (d[i] & 0xC0) != 0x80) return 0xFFFD;
    cp = cp << 6 | (d[i++] & 0x3F);
  }
  return cp;
}

// Parses a PSF1 or PSF2 font; only single code points of the unicode table are kept, not sequences.
PsfFont ParsePsf(const Bytes& d, const std::string& name) {
  PsfFont font;
  std::size_t glyphStart = 0;
  std::size_t glyphCount = 0;
  std::size_t glyphSize = 0;
  bool hasTable = false;
  bool psf2 = false;
  if (d.size() >= 4 && d[0] == 0x36 && d[1] == 0x04) {
    const std::uint8_t mode = d[2];
    font.width = 8;
    font.height = d[3];
    glyphSize = d[3];
    glyphCount = (mode & 0x01) ? 512 : 256;
    hasTable = (mode & 0x06) != 0;
    glyphStart = 4;
  } else if (d.size() >= 32 && Le32(d, 0) == 0x864AB572u) {
    psf2 = true;
    glyphStart = Le32(d, 8);
    hasTable = (Le32(d, 12) & 1) != 0;
    glyphCount = Le32(d, 16);
    glyphSize = Le32(d, 20);
    font.height = static_cast<int>(Le32(d, 24));
    font.width = static_cast<int>(Le32(d, 28));
  } else {
    throw GenError(name + " is not a PSF font");
  }
  if (font.width != 8 || glyphSize != static_cast<std::size_t>(font.height) ||
      glyphStart + glyphCount * glyphSize > d.size()) {
    throw GenError(name + ": expected an 8 pixel wide font, got " + std::to_string(font.width) + "x" +
                   std::to_string(font.height));
  }
  for (std::size_t g = 0; g < glyphCount; ++g) {
    const auto* at = d.data() + glyphStart + g * glyphSize;
    font.glyphs.emplace_back(at, at + glyphSize);
  }
  if (!hasTable) throw GenError(name + " has no unicode table");
  std::size_t i = glyphStart + glyphCount * glyphSize;
  // Each glyph's entry: code points, then sequences after a start mark, then a terminator.
  for (std::size_t g = 0; g < glyphCount && i < d.size(); ++g) {
    bool inSequence = false;
    while (i < d.size()) {
      if (psf2) {
        if (d[i] == 0xFF) { ++i; break; }
        if (d[i] == 0xFE) { ++i; inSequence = true; continue; }
        const char32_t cp = NextUtf8(d, i);
        if (!inSequence) font.glyphOf.emplace(cp, static_cast<int>(g));
      } else {
        if (i + 1 >= d.size()) { i = d.size(); break; }
        const char32_t v = d[i] | d[i + 1] << 8;
        i += 2;
        if (v == 0xFFFF) break;
        if (v == 0xFFFE) { inSequence = true; continue; }
        if (!inSequence) font.glyphOf.emplace(v, static_cast<int>(g));
      }
    }
  }
  return font;
}

// A glibc iconv conversion of single characters.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw GenError(std::string("iconv lacks ") + from + " -> " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // The converted bytes, or nothing when the target lacks the character.
  std::optional<Bytes> Convert(const Bytes& in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    Bytes copy = in;
    std::array<char, 16> out{};
    char* inPtr = reinterpret_cast<char*>(copy.data());
    std::size_t inLeft = copy.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
      return std::nullopt;
    }
    return Bytes(out.data(), outPtr);
  }

 private:
  iconv_t cd_;
};

char32_t FromUtf32(const Bytes& b) {
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<char32_t>(b[3]) << 24;
}

// The pictures a DOS screen shows for the control codes 0x01..0x1F, where iconv yields control characters.
constexpr std::array<char32_t, 32> kDosPictures = {
    0,      0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};
constexpr char32_t kDosHouse = 0x2302;  // shown for 0x7F

// Close shapes for pictures the font may lack under their usual code point.
char32_t Alternative(char32_t cp) {
  switch (cp) {
    case 0x25BA: return 0x25B6;  // right-pointing pointer -> triangle
    case 0x25C4: return 0x25C0;  // left-pointing pointer -> triangle
    default: return 0;
  }
}

// The code point of each code page 866 byte (0 for byte 0).
std::array<char32_t, kGlyphCount> Cp866CodePoints() {
  Converter toUnicode("UTF-32LE", "CP866");
  std::array<char32_t, kGlyphCount> cps{};
  for (int c = 1; c < kGlyphCount; ++c) {
    if (c < 0x20) {
      cps[c] = kDosPictures[c];
    } else if (c == 0x7F) {
      cps[c] = kDosHouse;
    } else {
      const auto out = toUnicode.Convert({static_cast<std::uint8_t>(c)});
      if (!out || out->size() != 4) throw GenError("iconv cannot decode CP866 byte " + std::to_string(c));
      cps[c] = FromUtf32(*out);
    }
  }
  return cps;
}

// Codes whose absence would make the game's text unreadable: ASCII printables and all Cyrillic letters.
bool Essential(int c) {
  return (c >= 0x21 && c <= 0x7E) || (c >= 0x80 && c <= 0xAF) || (c >= 0xE0 && c <= 0xF1);
}

bool HasInk(const Bytes& glyph) {
  for (auto row : glyph) {
    if (row != 0) return true;
  }
  return false;
}

// The font's glyphs in code page 866 order; fails when a letter, digit or punctuation mark is missing or blank.
std::vector<Bytes> Reorder(const PsfFont& font, const std::array<char32_t, kGlyphCount>& cps,
                           const std::string& name) {
  std::vector<Bytes> out(kGlyphCount, Bytes(font.height, 0));
  std::ostringstream missing;
  std::ostringstream essentialMissing;
  int missingCount = 0;
  for (int c = 1; c < kGlyphCount; ++c) {
    auto it = font.glyphOf.find(cps[c]);
    if (it == font.glyphOf.end() && Alternative(cps[c]) != 0) it = font.glyphOf.find(Alternative(cps[c]));
    char hex[24];
    std::snprintf(hex, sizeof hex, " 0x%02X(U+%04X)", c, static_cast<unsigned>(cps[c]));
    if (it == font.glyphOf.end()) {
      ++missingCount;
      missing << hex;
      if (Essential(c)) essentialMissing << hex;
      continue;
    }
    out[c] = font.glyphs[it->second];
    if (Essential(c) && !HasInk(out[c])) essentialMissing << hex << " blank";
  }
  if (missingCount > 0) {
    std::cerr << "gen_font: note: " << name << " lacks " << missingCount << " CP866 codes, left blank:" << missing.str()
              << "\n";
  }
  if (!essentialMissing.str().empty()) {
    throw GenError(name + " lacks required characters:" + essentialMissing.str());
  }
  return out;
}

// The code page 866 glyph of each Windows-1251 byte; entry 0 is 0.
std::array<std::uint8_t, kGlyphCount> AnsiTo866() {
  Converter fromAnsi("UTF-32LE", "CP1251");
  Converter to866("CP866", "UTF-32LE");
  std::array<std::uint8_t, kGlyphCount> table{};
  for (int c = 1; c < kGlyphCount; ++c) {
    table[c] = kQuestionMark;
    const auto cp = fromAnsi.Convert({static_cast<std::uint8_t>(c)});
    if (!cp || cp->size() != 4) continue;  // 0x98 is unassigned in Windows-1251
    // NBSP needs no special case: code page 866 has it at 0xFF, which iconv finds on its own.
    const auto b = to866.Convert(*cp);
    if (b && b->size() == 1) table[c] = (*b)[0];
  }
  return table;
}

void Put16(Bytes& d, std::uint16_t v) {
  d.push_back(v & 0xFF);
  d.push_back(v >> 8);
}

void Put32(Bytes& d, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) d.push_back((v >> (8 * k)) & 0xFF);
}

// A 1 bit per pixel BMP of the 8 x 14 glyphs, 16 to a column, ink as colour 1 (white).
Bytes GlyphSheet(const std::vector<Bytes>& glyphs) {
  constexpr int kStride = kSheetWidth / 8;
  constexpr int kPixelBytes = kStride * kSheetHeight;
  std::vector<std::uint8_t> pixels(kPixelBytes, 0);  // top row first here; flipped on output
  for (int g = 0; g < kGlyphCount; ++g) {
    const int column = g / 16;
    const int top = kSheetCellHeight * (g % 16);
    for (int row = 0; row < kSheetCellHeight; ++row) pixels[(top + row) * kStride + column] = glyphs[g][row];
  }
  Bytes bmp;
  bmp.push_back('B');
  bmp.push_back('M');
  Put32(bmp, kBmpHeaderSize + kPixelBytes);
  Put32(bmp, 0);
  Put32(bmp, kBmpHeaderSize);
  Put32(bmp, 40);
  Put32(bmp, kSheetWidth);
  Put32(bmp, kSheetHeight);  // positive height: bottom row first
  Put16(bmp, 1);
  Put16(bmp, 1);
  Put32(bmp, 0);
  Put32(bmp, kPixelBytes);
  Put32(bmp, 2835);  // 72 dpi
  Put32(bmp, 2835);
  Put32(bmp, 2);
  Put32(bmp, 2);
  Put32(bmp, 0x00000000);  // index 0: black
  Put32(bmp, 0x00FFFFFF);  // index 1: white
  for (int y = kSheetHeight - 1; y >= 0; --y) {
    bmp.insert(bmp.end(), pixels.begin() + y * kStride, pixels.begin() + (y + 1) * kStride);
  }
  return bmp;
}

std::string Hex(std::uint8_t v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", v);
  return buf;
}

// C++ source defining the built-in 8 x 16 font and its Windows-1251 table.
std::string PlainFontSource(const std::vector<Bytes>& glyphs, const std::array<std::uint8_t, kGlyphCount>& table) {
  std::ostringstream s;
  s << "#include \"screen/plain_font.h\"\n\n"
    << "// Generated by tools/font/gen_font from an 8 x 16 console font (SIL OFL 1.1, see FONT-LICENSE.txt).\n\n"
    << "const std::uint8_t kPlainFont[256][16] = {\n";
  for (int g = 0; g < kGlyphCount; ++g) {
    s << "    {";
    for (int row = 0; row < kPlainCellHeight; ++row) s << (row ? ", " : "") << Hex(glyphs[g][row]);
    s << "},  // " << Hex(static_cast<std::uint8_t>(g)) << "\n";
  }
  s << "};\n\nconst std::uint8_t kPlainCodePage[256] = {\n";
  for (int c = 0; c < kGlyphCount; ++c) {
    s << (c % 16 == 0 ? "    " : " ") << Hex(table[c]) << "," << (c % 16 == 15 ? "\n" : "");
  }
  s << "};\n";
  return s.str();
}

void WriteFile(const std::filesystem::path& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) throw GenError("cannot write " + path.string());
}

void WriteFile(const std::filesystem::path& path, const Bytes& data) { WriteFile(path, data.data(), data.size()); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: gen_font FONT14.psf.gz FONT16.psf.gz LICENSE.txt DATA_DIR GENERATED_DIR\n";
    return 2;
  }
  try {
    const std::string font14Path = argv[1];
    const std::string font16Path = argv[2];
    const PsfFont font14 = ParsePsf(ReadGz(font14Path), font14Path);
    const PsfFont font16 = ParsePsf(ReadGz(font16Path), font16Path);
    if (font14.height != kSheetCellHeight) throw GenError(font14Path + ": expected 14 rows per glyph");
    if (font16.height != kPlainCellHeight) throw GenError(font16Path + ": expected 16 rows per glyph");
    const auto cps = Cp866CodePoints();
    const auto sheetGlyphs = Reorder(font14, cps, font14Path);
    const auto plainGlyphs = Reorder(font16, cps, font16Path);
    const auto table = AnsiTo866();
    std::ifstream licenceIn(argv[3], std::ios::binary);
    if (!licenceIn) throw GenError(std::string("cannot read ") + argv[3]);
    const Bytes licence((std::istreambuf_iterator<char>(licenceIn)), std::istreambuf_iterator<char>());

    const std::filesystem::path dataDir = argv[4];
    const std::filesystem::path generatedDir = argv[5];
    std::filesystem::create_directories(dataDir);
    std::filesystem::create_directories(generatedDir);
    WriteFile(dataDir / "egarus.bmp", GlyphSheet(sheetGlyphs));
    WriteFile(dataDir / "ansi2866.set", table.data() + 1, table.size() - 1);
    WriteFile(dataDir / "FONT-LICENSE.txt", licence);
    const std::string source = PlainFontSource(plainGlyphs, table);
    WriteFile(generatedDir / "plain_font.cpp", source.data(), source.size());
  } catch (const std::exception& e) {
    std::cerr << "gen_font: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
