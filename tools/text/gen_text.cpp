// Converts a UTF-8 text asset into a Windows-1251 data file with CR LF line ends.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "screen/cp1251.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gen_text SOURCE.txt TARGET.txt\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "gen_text: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string out;
  for (char c : Utf8ToCp1251(utf8)) {
    if (c == '\r') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  std::ofstream file(argv[2], std::ios::binary);
  file << out;
  return file ? 0 : 1;
}
