#include "core/iso/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ordalis::iso {
namespace {

TEST(FormatAddress, AddressWords) {
  EXPECT_EQ(FormatAddress(12.5, "X#0.000"), "X12.500");
  EXPECT_EQ(FormatAddress(-3, "Z+#0.000"), "Z-3.000");
  EXPECT_EQ(FormatAddress(3, "Z+#0.000"), "Z+3.000");
  EXPECT_EQ(FormatAddress(0, "Z+#0.000"), "Z+0.000");
  EXPECT_EQ(FormatAddress(-0.0001, "Z+#0.000"), "Z+0.000");
  EXPECT_EQ(FormatAddress(-0.0001, "X#0.000"), "X0.000");
  EXPECT_EQ(FormatAddress(10, "N#0"), "N10");
  EXPECT_EQ(FormatAddress(2, "X"), "X2.00");
  EXPECT_EQ(FormatAddress(5, ""), "");
  EXPECT_EQ(FormatAddress(-12.25, "X#0.000"), "X-12.250");
  EXPECT_EQ(FormatAddress(7, "N#0000"), "N0007");
  EXPECT_EQ(FormatAddress(1200, "F#0"), "F1200");
  EXPECT_EQ(FormatAddress(3, "T#00 M6"), "T03 M6");  // text after the last "0" is a suffix
}

TEST(FormatAddress, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(FormatAddress(0.0005, "X#0.000"), "X0.001");
  EXPECT_EQ(FormatAddress(-0.0005, "X#0.000"), "X-0.001");
  EXPECT_EQ(FormatAddress(2.5, "S#0"), "S3");
  EXPECT_EQ(FormatAddress(-2.5, "S#0"), "S-3");
  EXPECT_EQ(FormatAddress(2.675, "X#0.00"), "X2.68");  // the decimal half, not its binary neighbour
  EXPECT_EQ(FormatAddress(1.005, "X#0.00"), "X1.01");
  EXPECT_EQ(FormatAddress(0.0049, "X#0.00"), "X0.00");
  EXPECT_EQ(FormatAddress(9.9996, "X#0.000"), "X10.000");
}

TEST(FormatAddress, HugeAndNonFiniteValues) {
  const std::string huge = FormatAddress(1e300, "X#0.000");
  ASSERT_EQ(huge.size(), 1 + 301 + 4);
  EXPECT_EQ(huge.substr(0, 3), "X10");
  EXPECT_EQ(huge.substr(huge.size() - 4), ".000");
  EXPECT_EQ(FormatAddress(-1e20, "X#0.0"), "X-100000000000000000000.0");
  EXPECT_EQ(FormatAddress(std::nan(""), "X#0.000"), "X0.000");
  EXPECT_EQ(FormatAddress(std::numeric_limits<double>::infinity(), "Z+#0.000"), "Z+0.000");
  EXPECT_EQ(FormatAddress(-std::numeric_limits<double>::infinity(), "#0"), "0");
}

TEST(AddressFormat, CompiledOnceGivesSameWords) {
  AddressFormat f("Y+#0.000");
  std::string out;
  f.append(1.5, out);
  out += ' ';
  f.append(-1.5, out);
  EXPECT_EQ(out, "Y+1.500 Y-1.500");
  CachedAddressFormat cache;
  EXPECT_EQ(&cache.get("X#0.0"), &cache.get("X#0.0"));
  std::string a, b;
  cache.get("X#0.0").append(1, a);
  cache.get("X#0.000").append(1, b);  // a changed definition rebuilds the format
  EXPECT_EQ(a, "X1.0");
  EXPECT_EQ(b, "X1.000");
  std::string c;
  cache.get("I", "X#0.0").append(2, c);
  EXPECT_EQ(c, "IX2.0");
}

TEST(FormatNumber, DisplayPatterns) {
  EXPECT_EQ(FormatNumber(12.5, ""), "12.5");
  EXPECT_EQ(FormatNumber(3, ""), "3");
  EXPECT_EQ(FormatNumber(-0.25, ""), "-0.25");
  EXPECT_EQ(FormatNumber(1e20, ""), "100000000000000000000");
  EXPECT_EQ(FormatNumber(0.1 + 0.2, ""), "0.3");
  EXPECT_EQ(FormatNumber(1e-7, ""), "0.0000001");
  EXPECT_EQ(FormatNumber(5, "0"), "5");
  EXPECT_EQ(FormatNumber(5, "000"), "005");
  EXPECT_EQ(FormatNumber(1234, "0"), "1234");
  EXPECT_EQ(FormatNumber(0, "#"), "");
  EXPECT_EQ(FormatNumber(12.5, "0.###"), "12.5");
  EXPECT_EQ(FormatNumber(12, "0.0#"), "12.0");
  EXPECT_EQ(FormatNumber(10, "N0"), "N10");
  EXPECT_EQ(FormatNumber(-3, "X0.0"), "X-3.0");  // the sign goes with the digits, after the letter
  EXPECT_EQ(FormatNumber(-3, "+#0.000;-#0.000"), "-3.000");
  EXPECT_EQ(FormatNumber(3, "+#0.000;-#0.000"), "+3.000");
  EXPECT_EQ(FormatNumber(0, "0;(0);\"zero\""), "zero");
  EXPECT_EQ(FormatNumber(-4, "0;(0)"), "(4)");
  EXPECT_EQ(FormatNumber(7, "\\#0"), "#7");
  EXPECT_EQ(FormatNumber(2.5, "T"), "T2.5");
}

}  // namespace
}  // namespace ordalis::iso

namespace ordalis::iso {
namespace {

// The one-pass road for the usual address patterns must write exactly what the general
// display-pattern road writes.
TEST(AddressFormat, UsualPatternsMatchTheGeneralFormatter) {
  struct Case {
    const char* address;
    const char* prefix;
    const char* numeric;
    const char* suffix;
  };
  const Case cases[] = {{"X#0.000", "X", "#0.000", ""},
                        {"Z+#0.000", "Z", "+#0.000;-#0.000", ""},
                        {"N#0", "N", "#0", ""},
                        {"X#.###", "X", "#.###", ""},
                        {"A#0.0##", "A", "#0.0", "##"},
                        {"X#0000.00", "X", "#0000.00", ""},
                        {"R+#0", "R", "+#0;-#0", ""},
                        {"F#0.0 M", "F", "#0.0", " M"},
                        // Prefixes, suffixes and digit runs on both sides of 16 characters.
                        {"PROGRAM-STEP-NUMBER#0", "PROGRAM-STEP-NUMBER", "#0", ""},
                        {"#0.000 (SEVENTEEN CHARS!)", "", "#0.000", " (SEVENTEEN CHARS!)"},
                        {"X#00000000000000000.0", "X", "#00000000000000000.0", ""},
                        {"Q#0.000000000000000", "Q", "#0.000000000000000", ""}};
  const double values[] = {0,      12.5,    -3,      3,        0.0005,      -0.0004,
                           2.5,    -2.5,    0.12345, -0.12355, 123456.7895, 1e15,
                           -1e15,  99.9995, 1e-9,    -1e-9,    0.5,         -0.5,
                           7.0625, 1234.0,  -0.0,    1.25e17,  -9.8e16,     4.5e18};
  for (const auto& c : cases) {
    for (double v : values) {
      const std::string reference = std::string(c.prefix) + FormatNumber(v, c.numeric) + c.suffix;
      EXPECT_EQ(FormatAddress(v, c.address), reference) << c.address << " " << v;
      // Written into a block's buffer, the word is the same where the one-pass road takes it.
      char buf[AddressFormat::kMaxWord];
      if (const char* end = AddressFormat(c.address).write(v, buf)) {
        EXPECT_EQ(std::string(static_cast<const char*>(buf), end), reference)
            << c.address << " " << v;
      }
    }
  }
  std::string numbers;
  for (const std::int64_t n : {0LL, 7LL, -12LL, 123456789012345LL, 999999999999999LL}) {
    AddressFormat("N#0").appendInteger(n, numbers);
    numbers += ' ';
  }
  EXPECT_EQ(numbers, "N0 N7 N-12 N123456789012345 N999999999999999 ");
  char buf[AddressFormat::kMaxWord];
  EXPECT_EQ(AddressFormat("").write(5, buf), buf);
}

}  // namespace
}  // namespace ordalis::iso
