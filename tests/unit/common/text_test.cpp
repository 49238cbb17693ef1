#include "core/common/text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string_view>

using namespace ordalis::common;

TEST(ReadNumber, ReadsTheLongestNumericPrefix) {
  EXPECT_DOUBLE_EQ(ReadNumber("1 000.5"), 1000.5);
  EXPECT_DOUBLE_EQ(ReadNumber("-.5"), -0.5);
  EXPECT_DOUBLE_EQ(ReadNumber(""), 0.0);
  EXPECT_DOUBLE_EQ(ReadNumber("250MMPM"), 250.0);
  EXPECT_DOUBLE_EQ(ReadNumber("MMPM"), 0.0);
  EXPECT_DOUBLE_EQ(ReadNumber("  12.3456"), 12.3456);
  EXPECT_DOUBLE_EQ(ReadNumber("1.5E2"), 150.0);
  EXPECT_DOUBLE_EQ(ReadNumber("1.5D-1"), 0.15);
  EXPECT_DOUBLE_EQ(ReadNumber("&HFF"), 255.0);
  EXPECT_DOUBLE_EQ(ReadNumber("&O17"), 15.0);
  EXPECT_DOUBLE_EQ(ReadNumber("10,20"), 10.0);
  EXPECT_DOUBLE_EQ(ReadNumber("0,02"), 0.0);
}

TEST(ReadNumber, NeverReturnsInfinityOrNaN) {
  EXPECT_DOUBLE_EQ(ReadNumber("1e308"), 1e308);
  EXPECT_DOUBLE_EQ(ReadNumber("1e400"), 0.0);
  EXPECT_DOUBLE_EQ(ReadNumber("-1e99999999999"), 0.0);
  EXPECT_DOUBLE_EQ(ReadNumber("NaN"), 0.0);
  EXPECT_DOUBLE_EQ(ReadNumber("INF"), 0.0);
  EXPECT_DOUBLE_EQ(ReadNumber(std::string(400, '9')), 0.0);
  EXPECT_DOUBLE_EQ(ReadNumber("-0"), 0.0);
  EXPECT_NEAR(ReadNumber("0." + std::string(30, '0') + "1"), 1e-31, 1e-40);
  EXPECT_NEAR(ReadNumber("12345678901234567890123"), 1.2345678901234568e22, 1e8);
}

TEST(TextHelpers, FirstAndLastOccurrenceAreAsymmetric) {
  EXPECT_EQ(TextBefore("GOTO/1,2", '/'), "GOTO");
  EXPECT_EQ(TextAfter("GOTO/1,2", '/'), "1,2");
  EXPECT_EQ(TextAfter("END", '/'), "END");
  EXPECT_EQ(TextBefore("END", '/'), "END");
  EXPECT_EQ(TextAfterLast("END", '/'), "");
  EXPECT_EQ(TextBeforeLast("END", '/'), "");
  EXPECT_EQ(TextAfterLast("A/B/C", '/'), "C");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("a&nb&n", "&n", "\r\n"), "a\r\nb\r\n");
}

TEST(TextHelpers, CleanLineKeepsLeadingBlanks) {
  EXPECT_EQ(CleanLine("  GOTO/1,2,3   "), "  GOTO/1,2,3");
  EXPECT_EQ(CleanLine("A\tB\r\n"), "A B");
}

TEST(PathPart, SplitsDriveFolderBaseAndExtension) {
  EXPECT_EQ(PathPart("C:\\dir\\part1.nc", 0), "C:");
  EXPECT_EQ(PathPart("C:\\dir\\part1.nc", 1), "\\dir\\");
  EXPECT_EQ(PathPart("C:\\dir\\part1.nc", 2), "part1");
  EXPECT_EQ(PathPart("C:\\dir\\part1.nc", 3), ".nc");
  EXPECT_EQ(PathPart("part1", 1), "");
  EXPECT_EQ(PathPart("part1", 2), "part1");
  EXPECT_EQ(PathPart("part1", 3), "");
  EXPECT_EQ(PathPart("/home/u/part.a.nc", 1), "/home/u/");
  // The extension is the text from the last ".": CAM systems put dots in their names.
  EXPECT_EQ(PathPart("/home/u/part.a.nc", 2), "part.a");
  EXPECT_EQ(PathPart("/home/u/part.a.nc", 3), ".nc");
  EXPECT_EQ(PathPart("C:\\cam\\Suporte-paredeTrava.Esquerda.apt", 2),
            "Suporte-paredeTrava.Esquerda");
  EXPECT_EQ(PathPart("C:\\cam\\Suporte-paredeTrava.Esquerda.apt", 3), ".apt");
  EXPECT_EQ(PathPart("dir.v2/part", 2), "part");
  EXPECT_EQ(PathPart("dir.v2/part", 3), "");
  EXPECT_EQ(PathPart("part.", 2), "part.");
  EXPECT_EQ(PathPart("x", 7), "");
}

TEST(TextHelpers, KeyNamesCompareWithoutCaseInWindows1252) {
  EXPECT_TRUE(EqualsNoCase("pp_nom", "PP_NOM"));
  EXPECT_TRUE(EqualsNoCase("Cin\xE9matique_machine", "CIN\xC9MATIQUE_MACHINE"));
  EXPECT_FALSE(EqualsNoCase("PP_NOM", "PP_NO"));
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(ReadNumber, PlainListsReadLikeEachItemAndRefuseOtherForms) {
  double v[6];
  ASSERT_EQ(ReadPlainNumberList("12.5,-3,0.25,-.5,7.,+2", v, 6), 6);
  const char* items[] = {"12.5", "-3", "0.25", "-.5", "7.", "+2"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(v[i], ReadNumber(items[i])) << items[i];
  // Anything a plain reading could get wrong goes back to the item-by-item road.
  EXPECT_EQ(ReadPlainNumberList("1, 2,3", v, 6), -1);
  EXPECT_EQ(ReadPlainNumberList("1,2E3,3", v, 6), -1);
  EXPECT_EQ(ReadPlainNumberList("1,,3", v, 6), -1);
  EXPECT_EQ(ReadPlainNumberList("1,2,3,4,5,6,7", v, 6), -1);
  EXPECT_EQ(ReadPlainNumberList("1234567890123456,2,3", v, 6), -1);
  EXPECT_EQ(ReadPlainNumberList("1,2,3)", v, 6), -1);
}

TEST(ReadNumber, PlainListsAtTheEdgesOfTheirWindows) {
  // Items are read by windows of eight bytes: digit runs of 7, 8 and 9 on either side of the
  // point, items that end the text right after a digit, texts shorter than a window. Every item
  // read must be the value ReadNumber gives it, bit for bit; -1 is a refusal.
  struct Case {
    std::string_view text;
    int count;
  };
  const Case cases[] = {
      {"1234567,-12345678,123456789", 3},
      {".1234567,.12345678,-.123456789", 3},
      {"1234567.1234567,12345678.1234567,1234567.12345678", 3},
      {"123456789012345,-.123456789012345", 2},
      {"1234567890123456", -1},
      {"12345678.12345678", -1},
      {"1234567.123456789", -1},
      {"+5,-5.,5.,.5,-.5,+.5", 6},
      {"0,-0,-0.000,+0.", 4},
      {"1.234567", 1},
      {"12345.6,7.891234", 2},
      {"12345.6,7.8912345", 2},
      {"1,2,3,4,5,123456789012.5", 6},
      {"7", 1},
      {"-7.5", 1},
      {"1,2,3", 3},
      {"1,2,", -1},
      {"", -1},
      {",", -1},
      {"-", -1},
      {".", -1},
      {"+.", -1},
      {"1.2.3", -1},
      {"1e5", -1},
      {"1,\xB2", -1},
      {std::string_view("0.317948,-0.415177,0.852372\0", 28), -1},
  };
  for (const Case& c : cases) {
    double v[8];
    ASSERT_EQ(ReadPlainNumberList(c.text, v, 8), c.count) << c.text;
    std::string_view rest = c.text;
    for (int i = 0; i < c.count; ++i) {
      const double expected = ReadNumber(TextBefore(rest, ','));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(v[i]), std::bit_cast<std::uint64_t>(expected))
          << c.text << " item " << i;
      rest = TextAfter(rest, ',');
    }
  }
}
