#include "core/texttools/renumber.h"

#include <gtest/gtest.h>

#include <string>

#include "core/common/memory_text_pane.h"

namespace ordalis::texttools {
namespace {

const RenumberFormat kFormat{"N#0", " "};

TEST(StripBlockNumber, RemovesTheNumberAndTheGapAfterIt) {
  struct Case {
    std::string_view line, stripped;
  };
  const Case cases[] = {
      {"N10 G1 X5\r\n", "G1 X5\r\n"},
      {"N10G1 X5", "G1 X5"},
      {"  N0020   G0\r\n", "G0\r\n"},
      {"G1 X5 N3\r\n", "G1 X5 N3\r\n"},
      {"   (COMMENT)\r\n", "(COMMENT)\r\n"},
      {"\r\n", "\r\n"},
      {"N\r\n", "\r\n"},
      {"N10", ""},
      {"", ""},
      {"%", "%"},
  };
  for (const Case& c : cases) EXPECT_EQ(StripBlockNumber(c.line), c.stripped) << c.line;
}

TEST(Renumber, EveryLineFromTheTopInTheDefinitionFormat) {
  struct Case {
    std::string text;
    RenumberFormat format;
    std::string result;
  };
  const Case cases[] = {
      {"N10 G0 X1\r\nN20G1 X2\r\nG1 X3\r\n\r\nN50 M30\r\n", kFormat,
       "N1 G0 X1\r\nN2 G1 X2\r\nN3 G1 X3\r\nN4 \r\nN5 M30\r\n"},
      // The last line without a break is numbered too.
      {"%\r\nN7 M30", kFormat, "N1 %\r\nN2 M30"},
      {"N10 G0", {"N0000", ""}, "N0001G0"},
      {"", kFormat, ""},
      {"N10\r\nN20", kFormat, "N1 \r\n"},
  };
  for (const Case& c : cases) {
    common::MemoryTextPane pane(c.text);
    common::StopFlag stop;
    common::ProgressReporter progress;
    EXPECT_TRUE(Renumber(pane, c.format, stop, progress));
    EXPECT_EQ(pane.text(), c.result) << c.text;
    for (std::size_t i = 0; i < pane.length(); ++i) {
      ASSERT_EQ(pane.colourAt(i), kRenumberedColour) << c.text << " at " << i;
    }
    // Renumbering again changes nothing.
    EXPECT_TRUE(Renumber(pane, c.format, stop, progress));
    EXPECT_EQ(pane.text(), c.result) << c.text;
  }
}

TEST(Renumber, AStopKeepsTheLinesDoneAndLeavesTheRest) {
  std::string text, expected;
  for (int i = 1; i <= 3000; ++i) text += "N" + std::to_string(i * 10) + " G1 X1\r\n";
  common::MemoryTextPane pane(text);
  common::StopFlag stop;
  std::uint64_t linesAtStop = 0;
  common::ProgressReporter progress(
      [&](const common::Progress& p) {
        EXPECT_EQ(p.itemsTotal, 3001u);
        if (linesAtStop == 0) linesAtStop = p.itemsDone;
        stop.request();
      },
      std::chrono::milliseconds(0));
  EXPECT_FALSE(Renumber(pane, kFormat, stop, progress));
  ASSERT_GT(linesAtStop, 0u);
  ASSERT_LT(linesAtStop, 3000u);
  const std::size_t line = linesAtStop;
  const std::size_t start = pane.lineStart(line);
  EXPECT_EQ(pane.text().substr(0, 10), "N1 G1 X1\r\n");
  const std::size_t last = pane.lineStart(line - 1);
  EXPECT_EQ(pane.text().substr(last, start - last), "N" + std::to_string(line) + " G1 X1\r\n");
  EXPECT_EQ(pane.text().substr(start),
            text.substr(text.find("N" + std::to_string(line * 10 + 10) + " ")));
  EXPECT_EQ(pane.colourAt(start - 1), kRenumberedColour);
  EXPECT_EQ(pane.colourAt(start), 0u);
}

}  // namespace
}  // namespace ordalis::texttools
