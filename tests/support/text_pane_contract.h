#pragma once
// The text-pane contract as one typed suite: every pane (in memory, over a Qt widget) runs it.
// A test program includes this header once and instantiates the suite for its pane type:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Memory, TextPaneContract, ::testing::Types<MemoryTextPane>);

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/text_pane.h"
#include "support/test_support.h"

namespace ordalis::test {

template <typename Pane>
class TextPaneContract : public ::testing::Test {
 protected:
  static constexpr std::size_t kToEnd = std::string::npos;

  /// A pane holding `text`, caret at 0, every character in the default colour.
  std::unique_ptr<common::TextPane> make(std::string_view text = {}) {
    auto pane = std::make_unique<Pane>();
    if (!text.empty()) pane->setSelText(text);
    pane->setSelStart(0);
    return pane;
  }

  /// Colours of every character, to compare two panes.
  static std::vector<std::uint32_t> colours(const common::TextPane& pane) {
    std::vector<std::uint32_t> all;
    for (std::size_t i = 0; i < pane.length(); ++i) all.push_back(pane.colourAt(i));
    return all;
  }
};

TYPED_TEST_SUITE_P(TextPaneContract);

TYPED_TEST_P(TextPaneContract, OffsetsCountLineBreaksAsTwo) {
  auto pane = this->make("GOTO/1\nGOTO/2\rEND");
  EXPECT_EQ(pane->text(), "GOTO/1\r\nGOTO/2\r\nEND");
  EXPECT_EQ(pane->length(), 19u);
  pane->select(8, 6);
  EXPECT_EQ(pane->selText(), "GOTO/2");
  // The driver steps to the next line by start + length + 2.
  pane->setSelStart(pane->selStart() + pane->selLength() + 2);
  pane->setSelLength(100);
  EXPECT_EQ(pane->selText(), "END");
  // An offset inside a CR LF pair never splits it.
  pane->select(7, 0);
  EXPECT_EQ(pane->selStart(), 8u);
  pane->select(6, 1);
  EXPECT_EQ(pane->selText(), "\r\n");
  pane->select(4, 10);
  EXPECT_EQ(pane->selText(), "/1\r\nGOTO/2");
  pane->select(50, 3);
  EXPECT_EQ(pane->selStart(), 19u);
  EXPECT_EQ(pane->selLength(), 0u);
}

TYPED_TEST_P(TextPaneContract, LinesAndTheirStarts) {
  auto pane = this->make("GOTO/1\r\n\r\nEND\r\n");
  EXPECT_EQ(pane->lineCount(), 4u);
  const std::size_t starts[] = {0, 8, 10, 15};
  for (std::size_t line = 0; line < 4; ++line) EXPECT_EQ(pane->lineStart(line), starts[line]);
  EXPECT_EQ(pane->lineStart(4), pane->length());
  EXPECT_EQ(pane->lineOf(0), 0u);
  EXPECT_EQ(pane->lineOf(7), 0u);  // a line's break belongs to it
  EXPECT_EQ(pane->lineOf(8), 1u);
  EXPECT_EQ(pane->lineOf(14), 2u);
  EXPECT_EQ(pane->lineOf(15), 3u);
  EXPECT_EQ(this->make()->lineCount(), 1u);
}

TYPED_TEST_P(TextPaneContract, SelectCurrentLineAndSpan) {
  auto pane = this->make("GOTO/1\r\n\r\nGOTO/2,$\r\n3");
  const auto lineAt = [&](std::size_t caret) {
    pane->setSelStart(caret);
    common::SelectCurrentLine(*pane);
    return pane->selText();
  };
  EXPECT_EQ(lineAt(0), "GOTO/1");
  EXPECT_EQ(lineAt(3), "GOTO/1");
  EXPECT_EQ(lineAt(6), "GOTO/1");  // caret before the line break
  EXPECT_EQ(lineAt(8), "");
  EXPECT_EQ(pane->selStart(), 8u);
  EXPECT_EQ(lineAt(12), "GOTO/2,$");
  EXPECT_EQ(lineAt(22), "3");  // caret at the very end
  // Extending a statement over its continuation line, as the text road does.
  pane->setSelStart(10);
  common::SelectCurrentLine(*pane);
  pane->setSelLength(pane->selLength() + 2);
  pane->span("\r\n", true, true);
  EXPECT_EQ(pane->selText(), "GOTO/2,$\r\n3");
  // Without negate the span runs over the characters of the set.
  pane->select(0, 4);
  pane->span("/1", true, false);
  EXPECT_EQ(pane->selText(), "GOTO/1");
  pane->select(5, 0);
  pane->span("OT", false, false);
  EXPECT_EQ(pane->selText(), "");
  pane->select(3, 0);
  pane->span("GOT", false, false);
  EXPECT_EQ(pane->selText(), "GOT");

  auto empty = this->make();
  common::SelectCurrentLine(*empty);
  EXPECT_EQ(empty->selStart(), 0u);
  EXPECT_EQ(empty->selLength(), 0u);
}

TYPED_TEST_P(TextPaneContract, SetSelTextReplacesAndLeavesCaretAfter) {
  auto pane = this->make("GOTO/1,2,3\r\nEND");
  pane->select(0, 4);
  pane->setSelText("RAPID");
  EXPECT_EQ(pane->text(), "RAPID/1,2,3\r\nEND");
  EXPECT_EQ(pane->selStart(), 5u);
  EXPECT_EQ(pane->selLength(), 0u);
  // Inserting at the caret; a lone LF is stored as CR LF and counted so.
  pane->setSelStart(pane->length());
  pane->setSelText("\nFINI");
  EXPECT_EQ(pane->text(), "RAPID/1,2,3\r\nEND\r\nFINI");
  EXPECT_EQ(pane->selStart(), pane->length());
  // Replacing across lines.
  pane->select(3, 12);
  pane->setSelText("");
  EXPECT_EQ(pane->text(), "RAPD\r\nFINI");
  EXPECT_EQ(pane->lineCount(), 2u);
  EXPECT_EQ(pane->lineOf(6), 1u);
  // Windows-1252 bytes go in and come out as they are.
  pane->select(0, 4);
  pane->setSelText("\x80\xE9\xFF\x9C");
  EXPECT_EQ(pane->text(), "\x80\xE9\xFF\x9C\r\nFINI");
  pane->select(0, 2);
  EXPECT_EQ(pane->selText(), "\x80\xE9");
}

TYPED_TEST_P(TextPaneContract, ColoursFollowTheTextAndTheLastSetting) {
  auto iso = this->make();
  // The text road appends each block in its statement's colour.
  iso->setSelColor(255);
  iso->setSelText("N10 G0 X1\r\n");
  iso->setSelColor(0xFF0000);
  iso->setSelText("N20 G1 X2\r\n");
  EXPECT_EQ(iso->colourAt(0), 255u);
  EXPECT_EQ(iso->colourAt(8), 255u);
  EXPECT_EQ(iso->colourAt(11), 0xFF0000u);
  EXPECT_EQ(iso->colourAt(19), 0xFF0000u);
  EXPECT_EQ(iso->colourAt(500), 0u);

  auto apt = this->make("GOTO/1\r\nGOTO/2\r\nGOTO/3");
  apt->select(8, 6);
  apt->setSelColor(0x00FF00);
  EXPECT_EQ(apt->colourAt(5), 0u);
  EXPECT_EQ(apt->colourAt(8), 0x00FF00u);
  EXPECT_EQ(apt->colourAt(13), 0x00FF00u);
  EXPECT_EQ(apt->colourAt(16), 0u);
  // Text inserted before a coloured statement shifts its colour along.
  apt->select(0, 0);
  apt->setSelColor(0);
  apt->setSelText("$$ X\r\n");
  EXPECT_EQ(apt->colourAt(12), 0u);
  EXPECT_EQ(apt->colourAt(14), 0x00FF00u);
  EXPECT_EQ(apt->colourAt(19), 0x00FF00u);
  EXPECT_EQ(apt->colourAt(22), 0u);
  // Underline is kept apart from colour.
  apt->select(14, 4);
  apt->setSelUnderline(true);
  EXPECT_TRUE(apt->underlineAt(14));
  EXPECT_TRUE(apt->underlineAt(17));
  EXPECT_FALSE(apt->underlineAt(18));
  EXPECT_EQ(apt->colourAt(18), 0x00FF00u);
  // Clearing empties text and formatting.
  apt->clear();
  EXPECT_EQ(apt->text(), "");
  apt->setSelText("A");
  EXPECT_EQ(apt->colourAt(0), 0u);
  EXPECT_FALSE(apt->underlineAt(0));
}

TYPED_TEST_P(TextPaneContract, FindWholeWordAndCase) {
  constexpr std::size_t kToEnd = TestFixture::kToEnd;
  auto pane = this->make("XGOTO/1\r\nGOTOS\r\ngoto GOTO CAF\xC9");
  EXPECT_EQ(pane->find("GOTO", 0, kToEnd, false, true), 1);
  EXPECT_EQ(pane->find("GOTO", 0, kToEnd, true, true), 21);
  EXPECT_EQ(pane->find("GOTO", 0, kToEnd, true, false), 16);
  EXPECT_EQ(pane->find("goto", 0, kToEnd, false, true), 16);
  EXPECT_EQ(pane->find("caf\xE9", 0, kToEnd, true, false), 26);
  // An accented letter is part of the word.
  EXPECT_EQ(pane->find("CAF", 0, kToEnd, true, false), -1);
  // The occurrence must lie wholly within the range.
  EXPECT_EQ(pane->find("GOTO", 2, 8, false, true), -1);
  EXPECT_EQ(pane->find("GOTO", 2, 13, false, true), 9);
  EXPECT_EQ(pane->find("", 0, kToEnd, false, false), -1);
  EXPECT_EQ(pane->find("GOTO", 100, kToEnd, false, false), -1);
  // A search over a line break.
  EXPECT_EQ(pane->find("/1\r\nGOTOS", 0, kToEnd, false, true), 5);
  EXPECT_EQ(pane->find("/1\r\nGOTOS", 0, kToEnd, true, true), -1);
  EXPECT_EQ(pane->find("S\r\ng", 0, kToEnd, false, true), 13);
  EXPECT_EQ(pane->find("s\r\nGOTO", 10, kToEnd, false, false), 13);
}

TYPED_TEST_P(TextPaneContract, BulletMarksALine) {
  auto pane = this->make("GOTO/1\r\nGOTO/2\r\nGOTO/3");
  // The right-click mark selects the line with its two break characters.
  pane->select(8, 8);
  pane->setSelBullet(true);
  EXPECT_FALSE(pane->lineBullet(0));
  EXPECT_TRUE(pane->lineBullet(1));
  EXPECT_FALSE(pane->lineBullet(2));
  EXPECT_FALSE(pane->lineBullet(3));
  pane->setSelStart(10);
  EXPECT_TRUE(pane->selBullet());
  pane->setSelStart(16);
  EXPECT_FALSE(pane->selBullet());
  // A line inserted before the marked one, even at its very start, leaves the mark on it.
  pane->setSelStart(8);
  pane->setSelText("$$ X\r\n");
  EXPECT_FALSE(pane->lineBullet(1));
  EXPECT_TRUE(pane->lineBullet(2));
  EXPECT_EQ(pane->markedLines(), std::vector<std::size_t>{2});
  // A line break typed inside the marked line leaves the mark on the line's end.
  pane->setSelStart(18);
  pane->setSelText("\r\n");
  EXPECT_EQ(pane->markedLines(), std::vector<std::size_t>{3});
  pane->setSelStart(14);
  common::SelectCurrentLine(*pane);
  EXPECT_EQ(pane->selText(), "GOTO");
  EXPECT_FALSE(pane->selBullet());
  pane->setSelStart(20);
  common::SelectCurrentLine(*pane);
  EXPECT_EQ(pane->selText(), "/2");
  EXPECT_TRUE(pane->selBullet());
  pane->setSelBullet(false);
  EXPECT_TRUE(pane->markedLines().empty());
  pane->setSelBullet(true);
  pane->clear();
  pane->setSelText("A\r\nB");
  EXPECT_TRUE(pane->markedLines().empty());
}

TYPED_TEST_P(TextPaneContract, LineMarkIsRedWithTheBulletInOneOperation) {
  auto pane = this->make("GOTO/1\r\nGOTO/2\r\nGOTO/3");
  pane->select(1, 2);
  pane->setSelColor(0x00FF00);  // typing colour from here on
  pane->setLineMark(1, true);
  EXPECT_EQ(pane->markedLines(), std::vector<std::size_t>{1});
  for (std::size_t i = 8; i < 16; ++i) EXPECT_EQ(pane->colourAt(i), common::kLineMarkColour) << i;
  EXPECT_EQ(pane->colourAt(2), 0x00FF00u);
  EXPECT_EQ(pane->colourAt(7), 0u);
  EXPECT_EQ(pane->colourAt(16), 0u);
  EXPECT_EQ(pane->selStart(), 1u);
  EXPECT_EQ(pane->selLength(), 2u);
  // Toggling twice gives the line back, black and unmarked.
  EXPECT_TRUE(common::ToggleLineMark(*pane, 2));
  EXPECT_EQ(pane->markedLines(), (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(pane->colourAt(21), common::kLineMarkColour);
  EXPECT_FALSE(common::ToggleLineMark(*pane, 1));
  EXPECT_EQ(pane->markedLines(), std::vector<std::size_t>{2});
  EXPECT_EQ(pane->colourAt(10), 0u);
  EXPECT_FALSE(common::ToggleLineMark(*pane, 7));
  pane->setLineMark(9, true);
  EXPECT_EQ(pane->markedLines(), std::vector<std::size_t>{2});
  // Neither moved the selection nor changed what is typed next.
  EXPECT_EQ(pane->selStart(), 1u);
  pane->setSelText("Z");
  EXPECT_EQ(pane->colourAt(1), 0x00FF00u);
}

TYPED_TEST_P(TextPaneContract, AppendTextIsThePiecesOneByOne) {
  const common::ColouredText pieces[] = {{"N10 G0 X1\r\n", 0x112233},  {"", 0x445566},
                                         {"N20 G1\nX2\r\n", 0xFF0000}, {"N30", 0xFF0000},
                                         {"\r\nN40 M30", 0},           {"\r\n", 0x00FF00}};
  auto bulk = this->make("%\r\n");
  auto single = this->make("%\r\n");
  bulk->select(1, 1);
  single->select(1, 1);
  // A mark on the last line follows the end of the text.
  bulk->setLineMark(1, true);
  single->setLineMark(1, true);
  bulk->appendText(pieces);
  for (const common::ColouredText& piece : pieces) {
    single->setSelStart(single->length());
    single->setSelColor(piece.colour);
    single->setSelText(piece.text);
  }
  EXPECT_EQ(bulk->text(), single->text());
  EXPECT_EQ(bulk->text(), "%\r\nN10 G0 X1\r\nN20 G1\r\nX2\r\nN30\r\nN40 M30\r\n");
  EXPECT_EQ(this->colours(*bulk), this->colours(*single));
  EXPECT_EQ(bulk->colourAt(3), 0x112233u);
  EXPECT_EQ(bulk->selStart(), bulk->length());
  EXPECT_EQ(bulk->selLength(), 0u);
  EXPECT_EQ(bulk->lineCount(), single->lineCount());
  EXPECT_EQ(bulk->markedLines(), single->markedLines());
  EXPECT_EQ(bulk->markedLines(), std::vector<std::size_t>{6});
  bulk->setSelText("N50");
  EXPECT_EQ(bulk->colourAt(bulk->length() - 1), 0x00FF00u);
  bulk->appendText({});
  EXPECT_EQ(bulk->selStart(), bulk->length());
}

TYPED_TEST_P(TextPaneContract, ColourLinesTakesWholeLinesAndLeavesTheRest) {
  auto pane = this->make("GOTO/1,$\r\n2\r\nFEDRAT/100\r\nEND");
  pane->select(3, 0);
  pane->setSelColor(0x0000AA);  // typing colour
  pane->select(2, 3);
  const common::LineColour ranges[] = {
      {0, 2, 0x00FF00}, {3, 5, 0xFF0000}, {9, 1, 0x123456}, {2, 0, 0x654321}};
  pane->colourLines(ranges);
  // Lines 0 and 1 with their breaks, then line 3 up to the end of the text.
  for (std::size_t i = 0; i < 13; ++i) EXPECT_EQ(pane->colourAt(i), 0x00FF00u) << i;
  for (std::size_t i = 13; i < 25; ++i) EXPECT_EQ(pane->colourAt(i), 0u) << i;
  for (std::size_t i = 25; i < 28; ++i) EXPECT_EQ(pane->colourAt(i), 0xFF0000u) << i;
  EXPECT_EQ(pane->selStart(), 2u);
  EXPECT_EQ(pane->selLength(), 3u);
  pane->setSelStart(3);
  pane->setSelText("X");
  EXPECT_EQ(pane->colourAt(3), 0x0000AAu);
}

TYPED_TEST_P(TextPaneContract, LoadedFilesAreSavedByteForByte) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;  // as the pane shows it
  };
  std::string allBytes;
  for (int b = 1; b < 256; ++b) {
    if (b != '\r' && b != '\n') allBytes += static_cast<char>(b);
  }
  const Case cases[] = {
      {"crlf", "GOTO/1\r\nEND\r\n", "GOTO/1\r\nEND\r\n"},
      {"lf", "GOTO/1\nEND\n", "GOTO/1\r\nEND\r\n"},
      {"cr", "GOTO/1\rEND", "GOTO/1\r\nEND"},
      {"bom", "\xEF\xBB\xBFGOTO/1\nEND", "GOTO/1\r\nEND"},
      {"mixed", "A\r\nB\nC\rD\n\r\n", "A\r\nB\r\nC\r\nD\r\n\r\n"},
      {"empty", "", ""},
      {"breaks", "\n\n\n", "\r\n\r\n\r\n"},
      {"bytes", allBytes + "\r\n" + allBytes, allBytes + "\r\n" + allBytes},
  };
  auto pane = this->make("old");
  pane->setBackground(255);
  for (const Case& c : cases) {
    const std::string in = dir.file(std::string(c.name) + ".apt");
    const std::string out = dir.file(std::string(c.name) + ".nc");
    WriteFile(in, c.bytes);
    ASSERT_TRUE(pane->load(in)) << c.name;
    EXPECT_EQ(pane->text(), c.text) << c.name;
    EXPECT_EQ(pane->selStart(), 0u);
    EXPECT_EQ(pane->background(), 255u);
    ASSERT_TRUE(pane->save(out)) << c.name;
    EXPECT_EQ(ReadFile(out), c.bytes) << c.name;
  }
  // An edited file keeps its own line breaks; a mixed one takes its first kind.
  WriteFile(dir.file("e.apt"), "A\nB\n");
  ASSERT_TRUE(pane->load(dir.file("e.apt")));
  pane->setSelText("X\r\n");
  ASSERT_TRUE(pane->save(dir.file("e.nc")));
  EXPECT_EQ(ReadFile(dir.file("e.nc")), "X\nA\nB\n");
  ASSERT_TRUE(pane->load(dir.file("mixed.apt")));
  pane->setSelText("X");
  ASSERT_TRUE(pane->save(dir.file("m.nc")));
  EXPECT_EQ(ReadFile(dir.file("m.nc")), "XA\r\nB\r\nC\r\nD\r\n\r\n");
  // Output that was never loaded is written with CR LF.
  pane->clear();
  pane->setSelText("N10\nN20");
  ASSERT_TRUE(pane->save(dir.file("c.nc")));
  EXPECT_EQ(ReadFile(dir.file("c.nc")), "N10\r\nN20");

  EXPECT_FALSE(pane->load(dir.file("missing.apt")));
  EXPECT_EQ(pane->text(), "N10\r\nN20");
  EXPECT_FALSE(pane->save(dir.file("no/such/folder/x.nc")));
}

// Random edits against a plain per-character model: text, colours, underline and lines must agree.
TYPED_TEST_P(TextPaneContract, FormattingSurvivesRandomEdits) {
  std::mt19937 random(7);
  const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % (n + 1)); };
  const std::string pieces[] = {"", "A", "GOTO/1", "\r\n", "X\r\nY", "\r\n\r\n"};
  auto pane = this->make();
  std::string text;
  std::vector<std::uint32_t> colours;
  std::vector<bool> underlines;
  std::uint32_t colour = 0;
  bool underline = false;
  for (int step = 0; step < 3000; ++step) {
    pane->select(pick(pane->length()), pick(3));
    const std::size_t from = pane->selStart(), to = from + pane->selLength();
    switch (random() % 3) {
      case 0: {
        const std::string& piece = pieces[random() % 6];
        pane->setSelText(piece);
        text.replace(from, to - from, piece);
        colours.erase(colours.begin() + from, colours.begin() + to);
        colours.insert(colours.begin() + from, piece.size(), colour);
        underlines.erase(underlines.begin() + from, underlines.begin() + to);
        underlines.insert(underlines.begin() + from, piece.size(), underline);
        break;
      }
      case 1:
        colour = random() % 3;
        pane->setSelColor(colour);
        std::fill(colours.begin() + from, colours.begin() + to, colour);
        break;
      default:
        underline = random() % 2;
        pane->setSelUnderline(underline);
        std::fill(underlines.begin() + from, underlines.begin() + to, underline);
    }
    ASSERT_EQ(pane->text(), text);
  }
  std::size_t line = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    ASSERT_EQ(pane->colourAt(i), colours[i]) << i;
    ASSERT_EQ(pane->underlineAt(i), underlines[i]) << i;
    ASSERT_EQ(pane->lineOf(i), line) << i;
    if (text[i] == '\n') {
      ++line;
      ASSERT_EQ(pane->lineStart(line), i + 1);
    }
  }
  EXPECT_EQ(pane->lineCount(), line + 1);
  EXPECT_GT(text.size(), 50u);
}

REGISTER_TYPED_TEST_SUITE_P(TextPaneContract, OffsetsCountLineBreaksAsTwo, LinesAndTheirStarts,
                            SelectCurrentLineAndSpan, SetSelTextReplacesAndLeavesCaretAfter,
                            ColoursFollowTheTextAndTheLastSetting, FindWholeWordAndCase,
                            BulletMarksALine, LineMarkIsRedWithTheBulletInOneOperation,
                            AppendTextIsThePiecesOneByOne,
                            ColourLinesTakesWholeLinesAndLeavesTheRest,
                            LoadedFilesAreSavedByteForByte, FormattingSurvivesRandomEdits);

}  // namespace ordalis::test
