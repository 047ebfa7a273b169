// Seeded random source (splitmix64) so every build draws byte-identical pictures.
#pragma once

#include <cstdint>
#include <string_view>

namespace pictures {

// A small deterministic generator; the same seed always yields the same sequence.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  // The next 64 random bits.
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A value in [0, 1).
  double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  // A value in [lo, hi).
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  // An integer in [lo, hi].
  int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1)); }
  // True with probability p.
  bool Chance(double p) { return Uniform() < p; }

 private:
  std::uint64_t state_;
};

// A stable 64-bit hash of a name, used to seed each picture.
constexpr std::uint64_t HashName(std::string_view name, std::uint64_t salt = 0) {
  std::uint64_t h = 0xCBF29CE484222325ull ^ salt;
  for (char c : name) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001B3ull;
  }
  return h;
}

// Mixes a few integers into one well-spread value (for per-window decisions).
constexpr std::uint64_t HashInts(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
  std::uint64_t z = a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full ^ c;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace pictures
