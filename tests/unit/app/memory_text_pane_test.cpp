#include "core/app/memory_text_pane.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace ordalis::app {
namespace {

constexpr std::size_t kToEnd = std::string::npos;

TEST(MemoryTextPane, OffsetsCountLineBreaksAsTwo) {
  MemoryTextPane pane("GOTO/1\nGOTO/2\rEND");
  EXPECT_EQ(pane.text(), "GOTO/1\r\nGOTO/2\r\nEND");
  EXPECT_EQ(pane.length(), 19u);
  pane.select(8, 6);
  EXPECT_EQ(pane.selText(), "GOTO/2");
  // The driver steps to the next line by start + length + 2.
  pane.setSelStart(pane.selStart() + pane.selLength() + 2);
  pane.setSelLength(100);
  EXPECT_EQ(pane.selText(), "END");
  // An offset inside a CR LF pair never splits it.
  pane.select(7, 0);
  EXPECT_EQ(pane.selStart(), 8u);
  pane.select(6, 1);
  EXPECT_EQ(pane.selText(), "\r\n");
  pane.select(50, 3);
  EXPECT_EQ(pane.selStart(), 19u);
  EXPECT_EQ(pane.selLength(), 0u);
}

TEST(MemoryTextPane, SelectCurrentLineAndSpan) {
  MemoryTextPane pane("GOTO/1\r\n\r\nGOTO/2,$\r\n3");
  const auto lineAt = [&](std::size_t caret) {
    pane.setSelStart(caret);
    selectCurrentLine(pane);
    return pane.selText();
  };
  EXPECT_EQ(lineAt(0), "GOTO/1");
  EXPECT_EQ(lineAt(3), "GOTO/1");
  EXPECT_EQ(lineAt(6), "GOTO/1");  // caret before the line break
  EXPECT_EQ(lineAt(8), "");
  EXPECT_EQ(pane.selStart(), 8u);
  EXPECT_EQ(lineAt(12), "GOTO/2,$");
  EXPECT_EQ(lineAt(22), "3");  // caret at the very end
  // Extending a statement over its continuation line, as the text road does.
  pane.setSelStart(10);
  selectCurrentLine(pane);
  pane.setSelLength(pane.selLength() + 2);
  pane.span("\r\n", true, true);
  EXPECT_EQ(pane.selText(), "GOTO/2,$\r\n3");
  // Without negate the span runs over the characters of the set.
  pane.select(0, 4);
  pane.span("/1", true, false);
  EXPECT_EQ(pane.selText(), "GOTO/1");

  MemoryTextPane empty;
  selectCurrentLine(empty);
  EXPECT_EQ(empty.selStart(), 0u);
  EXPECT_EQ(empty.selLength(), 0u);
}

TEST(MemoryTextPane, SetSelTextReplacesAndLeavesCaretAfter) {
  MemoryTextPane pane("GOTO/1,2,3\r\nEND");
  pane.select(0, 4);
  pane.setSelText("RAPID");
  EXPECT_EQ(pane.text(), "RAPID/1,2,3\r\nEND");
  EXPECT_EQ(pane.selStart(), 5u);
  EXPECT_EQ(pane.selLength(), 0u);
  // Inserting at the caret; a lone LF is stored as CR LF and counted so.
  pane.setSelStart(pane.length());
  pane.setSelText("\nFINI");
  EXPECT_EQ(pane.text(), "RAPID/1,2,3\r\nEND\r\nFINI");
  EXPECT_EQ(pane.selStart(), pane.length());
  // Replacing across lines.
  pane.select(3, 12);
  pane.setSelText("");
  EXPECT_EQ(pane.text(), "RAPD\r\nFINI");
  EXPECT_EQ(pane.lineCount(), 2u);
  EXPECT_EQ(pane.lineOf(6), 1u);
}

TEST(MemoryTextPane, ColoursFollowTheTextAndTheLastSetting) {
  MemoryTextPane iso;
  // The text road appends each block in its statement's colour.
  iso.setSelColor(255);
  iso.setSelText("N10 G0 X1\r\n");
  iso.setSelColor(0xFF0000);
  iso.setSelText("N20 G1 X2\r\n");
  EXPECT_EQ(iso.colourAt(0), 255u);
  EXPECT_EQ(iso.colourAt(10), 255u);
  EXPECT_EQ(iso.colourAt(11), 0xFF0000u);
  EXPECT_EQ(iso.colourAt(21), 0xFF0000u);

  MemoryTextPane apt("GOTO/1\r\nGOTO/2\r\nGOTO/3");
  apt.select(8, 6);
  apt.setSelColor(0x00FF00);
  EXPECT_EQ(apt.colourAt(7), 0u);
  EXPECT_EQ(apt.colourAt(8), 0x00FF00u);
  EXPECT_EQ(apt.colourAt(13), 0x00FF00u);
  EXPECT_EQ(apt.colourAt(14), 0u);
  // Text inserted before a coloured statement shifts its colour along.
  apt.select(0, 0);
  apt.setSelColor(0);
  apt.setSelText("$$ X\r\n");
  EXPECT_EQ(apt.colourAt(13), 0u);
  EXPECT_EQ(apt.colourAt(14), 0x00FF00u);
  EXPECT_EQ(apt.colourAt(19), 0x00FF00u);
  EXPECT_EQ(apt.colourAt(20), 0u);
  // Underline is kept apart from colour.
  apt.select(14, 4);
  apt.setSelUnderline(true);
  EXPECT_TRUE(apt.underlineAt(14));
  EXPECT_FALSE(apt.underlineAt(18));
  EXPECT_EQ(apt.colourAt(18), 0x00FF00u);
  // Clearing empties text and formatting.
  apt.clear();
  EXPECT_EQ(apt.text(), "");
  apt.setSelText("A");
  EXPECT_EQ(apt.colourAt(0), 0u);
  EXPECT_FALSE(apt.underlineAt(0));
}

TEST(MemoryTextPane, FindWholeWordAndCase) {
  MemoryTextPane pane("XGOTO/1\r\nGOTOS\r\ngoto GOTO CAF\xC9");
  EXPECT_EQ(pane.find("GOTO", 0, kToEnd, false, true), 1);
  EXPECT_EQ(pane.find("GOTO", 0, kToEnd, true, true), 21);
  EXPECT_EQ(pane.find("GOTO", 0, kToEnd, true, false), 16);
  EXPECT_EQ(pane.find("goto", 0, kToEnd, false, true), 16);
  EXPECT_EQ(pane.find("caf\xE9", 0, kToEnd, true, false), 26);
  // An accented letter is part of the word.
  EXPECT_EQ(pane.find("CAF", 0, kToEnd, true, false), -1);
  // The occurrence must lie wholly within the range.
  EXPECT_EQ(pane.find("GOTO", 2, 8, false, true), -1);
  EXPECT_EQ(pane.find("GOTO", 2, 13, false, true), 9);
  EXPECT_EQ(pane.find("", 0, kToEnd, false, false), -1);
  EXPECT_EQ(pane.find("GOTO", 100, kToEnd, false, false), -1);
}

TEST(MemoryTextPane, BulletMarksALine) {
  MemoryTextPane pane("GOTO/1\r\nGOTO/2\r\nGOTO/3");
  // The right-click mark selects the line with its two break characters.
  pane.select(8, 8);
  pane.setSelBullet(true);
  EXPECT_FALSE(pane.lineBullet(0));
  EXPECT_TRUE(pane.lineBullet(1));
  EXPECT_FALSE(pane.lineBullet(2));
  pane.setSelStart(10);
  EXPECT_TRUE(pane.selBullet());
  pane.setSelStart(16);
  EXPECT_FALSE(pane.selBullet());
  // A line inserted before the marked one, even at its very start, leaves the mark on it.
  pane.setSelStart(8);
  pane.setSelText("$$ X\r\n");
  EXPECT_FALSE(pane.lineBullet(1));
  EXPECT_TRUE(pane.lineBullet(2));
  pane.setSelStart(15);
  selectCurrentLine(pane);
  EXPECT_EQ(pane.selText(), "GOTO/2");
  EXPECT_TRUE(pane.selBullet());
  pane.setSelBullet(false);
  EXPECT_FALSE(pane.lineBullet(2));
  pane.setSelBullet(true);
  pane.clear();
  pane.setSelText("A\r\nB");
  EXPECT_FALSE(pane.lineBullet(0));
  EXPECT_FALSE(pane.lineBullet(1));
}

TEST(MemoryTextPane, LoadAndSavePlainText) {
  test::TempDir dir;
  const std::string path = dir.file("part.apt");
  test::WriteFile(path, "\xEF\xBB\xBFGOTO/1\nGOTO/2\rEND\r\n");
  MemoryTextPane pane("old");
  pane.setBackground(255);
  ASSERT_TRUE(pane.load(path));
  EXPECT_EQ(pane.text(), "GOTO/1\r\nGOTO/2\r\nEND\r\n");
  EXPECT_EQ(pane.selStart(), 0u);
  EXPECT_EQ(pane.lineCount(), 4u);
  EXPECT_EQ(pane.background(), 255u);

  EXPECT_FALSE(pane.load(dir.file("missing.apt")));
  EXPECT_EQ(pane.text(), "GOTO/1\r\nGOTO/2\r\nEND\r\n");

  const std::string out = dir.file("part.nc");
  ASSERT_TRUE(pane.save(out));
  EXPECT_EQ(test::ReadFile(out), "GOTO/1\r\nGOTO/2\r\nEND\r\n");
  EXPECT_FALSE(pane.save(dir.file("no/such/folder/x.nc")));
}

// Random edits against a plain per-character model: the colour runs and line table must agree.
TEST(MemoryTextPane, FormattingSurvivesRandomEdits) {
  std::mt19937 random(7);
  const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % (n + 1)); };
  const std::string pieces[] = {"", "A", "GOTO/1", "\r\n", "X\r\nY", "\r\n\r\n"};
  MemoryTextPane pane;
  std::string text;
  std::vector<std::uint32_t> colours;
  std::vector<bool> underlines;
  std::uint32_t colour = 0;
  bool underline = false;
  for (int step = 0; step < 3000; ++step) {
    pane.select(pick(pane.length()), pick(3));
    const std::size_t from = pane.selStart(), to = from + pane.selLength();
    switch (random() % 3) {
      case 0: {
        const std::string& piece = pieces[random() % 6];
        pane.setSelText(piece);
        text.replace(from, to - from, piece);
        colours.erase(colours.begin() + from, colours.begin() + to);
        colours.insert(colours.begin() + from, piece.size(), colour);
        underlines.erase(underlines.begin() + from, underlines.begin() + to);
        underlines.insert(underlines.begin() + from, piece.size(), underline);
        break;
      }
      case 1:
        colour = random() % 3;
        pane.setSelColor(colour);
        std::fill(colours.begin() + from, colours.begin() + to, colour);
        break;
      default:
        underline = random() % 2;
        pane.setSelUnderline(underline);
        std::fill(underlines.begin() + from, underlines.begin() + to, underline);
    }
    ASSERT_EQ(pane.text(), text);
  }
  std::size_t line = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    ASSERT_EQ(pane.colourAt(i), colours[i]) << i;
    ASSERT_EQ(pane.underlineAt(i), underlines[i]) << i;
    ASSERT_EQ(pane.lineOf(i), line) << i;
    if (text[i] == '\n') ++line;
  }
  EXPECT_EQ(pane.lineCount(), line + 1);
  EXPECT_GT(text.size(), 50u);
}

}  // namespace
}  // namespace ordalis::app
