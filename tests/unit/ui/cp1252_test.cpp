#include "ui/common/cp1252.h"

#include <gtest/gtest.h>

namespace ordalis::ui {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(ToCp1252(FromCp1252(all)), all);
}

TEST(Cp1252, HighBytesAreTheirWindowsCharacters) {
  EXPECT_EQ(FromCp1252("\x80\x9C\xE9"), QString::fromUtf8("€œé"));
  EXPECT_EQ(ToCp1252(QString::fromUtf8("Ø€ → ok")), "\xD8\x80 ? ok");
}

}  // namespace
}  // namespace ordalis::ui
