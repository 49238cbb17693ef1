#include "core/texttools/search.h"

#include <gtest/gtest.h>

#include <string>

#include "core/common/memory_text_pane.h"

namespace ordalis::texttools {
namespace {

using common::MemoryTextPane;

TEST(TextSearch, NextWrapsToTheTopAfterTheLastMatch) {
  MemoryTextPane pane("N10 G0 X1\r\nN20 G1 X2 M30");
  TextSearch search;
  const SearchOptions any;
  EXPECT_TRUE(search.findNext(pane, "m30", any));
  EXPECT_EQ(pane.selStart(), 21u);
  EXPECT_EQ(pane.selText(), "M30");
  EXPECT_EQ(search.position(), 24u);
  // Not found: caret and position back to the top, silently.
  EXPECT_FALSE(search.findNext(pane, "M30", any));
  EXPECT_EQ(pane.selStart(), 0u);
  EXPECT_EQ(pane.selLength(), 0u);
  EXPECT_EQ(search.position(), 0u);
  EXPECT_TRUE(search.findNext(pane, "M30", any));
  EXPECT_EQ(pane.selStart(), 21u);
  // Case is matched only when asked.
  pane.setSelStart(0);
  EXPECT_FALSE(search.findNext(pane, "m30", {false, true}));
}

TEST(TextSearch, WholeWordSkipsPartsOfLongerWords) {
  MemoryTextPane pane("G01 G0X1 G0 G00");
  TextSearch search;
  EXPECT_TRUE(search.findNext(pane, "G0", {true, false}));
  EXPECT_EQ(pane.selStart(), 9u);
  EXPECT_FALSE(search.findNext(pane, "G0", {true, false}));
  EXPECT_TRUE(search.findNext(pane, "G0", {false, false}));
  EXPECT_EQ(pane.selStart(), 0u);
}

TEST(TextSearch, ReplaceSelectionOrInsertAtTheCaret) {
  MemoryTextPane pane("G0 X1");
  TextSearch search;
  pane.select(0, 2);
  search.replaceSelection(pane, "G01");
  EXPECT_EQ(pane.text(), "G01 X1");
  EXPECT_EQ(pane.selStart(), 0u);
  EXPECT_EQ(pane.selText(), "G01");
  EXPECT_EQ(pane.colourAt(0), 255u);  // palette 12, light red
  EXPECT_EQ(pane.colourAt(3), 0u);
  EXPECT_EQ(search.position(), 0u);
  pane.setSelStart(6);
  search.replaceSelection(pane, " M5");
  EXPECT_EQ(pane.text(), "G01 X1 M5");
  EXPECT_EQ(search.position(), 6u);
  EXPECT_EQ(BasicPaletteColour(9), 0xFF0000u);
  EXPECT_EQ(BasicPaletteColour(16), 0u);
}

TEST(TextSearch, ReplaceAllCountsTheReplacementsMade) {
  struct Case {
    std::string text;
    std::size_t caret;
    std::string find, replacement;
    SearchOptions options;
    std::string result;
    std::size_t count;
  };
  const Case cases[] = {
      {"G0 X1\r\nG0 X2\r\nG0 X3", 0, "G0", "G1", {}, "G1 X1\r\nG1 X2\r\nG1 X3", 3},
      // From the end of the selection on, as Next goes.
      {"G0 X1\r\nG0 X2\r\nG0 X3", 7, "G0", "G1", {}, "G0 X1\r\nG1 X2\r\nG1 X3", 2},
      {"G0 X1", 0, "Y", "Z", {}, "G0 X1", 0},
      {"AAA", 0, "A", "AA", {}, "AAAAAA", 3},
      {"A B A", 0, "A", "", {}, " B ", 2},
      {"G0 G00 G0", 0, "G0", "G1", {true, false}, "G1 G00 G1", 2},
      {"g0 G0", 0, "G0", "G1", {false, true}, "g0 G1", 1},
      {"X1\r\nX2", 0, "1\r\nX", "1 X", {}, "X1 X2", 1},
      {"", 0, "G0", "G1", {}, "", 0},
      {"G0", 0, "", "G1", {}, "G0", 0},
  };
  for (const Case& c : cases) {
    MemoryTextPane pane(c.text);
    pane.setSelStart(c.caret);
    TextSearch search;
    common::StopFlag stop;
    common::ProgressReporter progress;
    const ReplaceAllResult result =
        search.replaceAll(pane, c.find, c.replacement, c.options, stop, progress);
    EXPECT_EQ(pane.text(), c.result) << c.text;
    EXPECT_EQ(result.replacements, c.count) << c.text;
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(pane.selStart(), 0u) << c.text;
  }
}

TEST(TextSearch, ReplaceAllStopsWhenAskedAndKeepsWhatItDid) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "G0 X" + std::to_string(i) + "\r\n";
  MemoryTextPane pane(text);
  TextSearch search;
  common::StopFlag stop;
  stop.request();  // an old request does not stop the next command
  std::size_t reports = 0;
  common::ProgressReporter progress(
      [&](const common::Progress& p) {
        ++reports;
        EXPECT_LE(p.bytesDone, p.bytesTotal);
        stop.request();
      },
      std::chrono::milliseconds(0));
  const ReplaceAllResult result = search.replaceAll(pane, "G0", "G1", {}, stop, progress);
  EXPECT_TRUE(result.stopped);
  EXPECT_GT(result.replacements, 0u);
  EXPECT_LT(result.replacements, 5000u);
  const std::string after = pane.text();
  EXPECT_EQ(after.substr(0, 7), "G1 X0\r\n");
  std::size_t replaced = 0;
  for (std::size_t p = after.find("G1"); p != std::string::npos; p = after.find("G1", p + 1)) {
    ++replaced;
  }
  EXPECT_EQ(replaced, result.replacements);
  EXPECT_EQ(reports, 2u);  // the one that asked to stop, and the last figure
}

}  // namespace
}  // namespace ordalis::texttools
