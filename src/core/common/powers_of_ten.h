#pragma once
// Powers of ten, exact in a double up to 1e22 and in 64 bits up to 1e19: number reading scales
// its mantissa by them, number formatting its rounded value.

#include <array>
#include <cstdint>

namespace ordalis::common {

inline constexpr std::array<double, 23> kPowersOfTen = [] {
  std::array<double, 23> p{};
  double v = 1;
  for (double& e : p) {
    e = v;
    v *= 10;
  }
  return p;
}();

inline constexpr std::array<std::uint64_t, 20> kIntegerPowersOfTen = [] {
  std::array<std::uint64_t, 20> p{};
  std::uint64_t v = 1;
  for (std::uint64_t& e : p) {
    e = v;
    v *= 10;
  }
  return p;
}();

}  // namespace ordalis::common
