// The widget side of QtTextPane, driven as a user would: gutter clicks, F9 and right clicks mark
// lines; the text tools give the same text and colours as on the memory pane.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <cstdio>

#include "core/common/memory_text_pane.h"
#include "core/texttools/placeholder_colouring.h"
#include "core/texttools/renumber.h"
#include "core/texttools/search.h"
#include "ui/app/qt_text_pane.h"

namespace ordalis::ui {
namespace {

constexpr const char* kProgram = "PARTNO/PLATE\r\nLOADTL/1\r\nGOTO/0,0,5\r\nGOTO/10,0,5\r\nEND";

class ShownPane : public ::testing::Test {
 protected:
  ShownPane() {
    pane.resize(500, 300);
    pane.setSelText(kProgram);
    pane.setSelStart(0);
    pane.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&pane));
  }
  /// The y of a line's middle, in the viewport's (and the gutter's) coordinates.
  int lineY(int line) {
    QTextCursor c(pane.document()->findBlockByNumber(line));
    return pane.cursorRect(c).center().y();
  }
  QtTextPane pane;
};

TEST_F(ShownPane, GutterClickF9AndRightClickToggleTheMark) {
  QSignalSpy toggled(&pane, &QtTextPane::lineMarkToggled);
  QWidget* gutter = pane.childAt(QPoint(pane.contentsRect().left() + 2, lineY(2)));
  ASSERT_NE(gutter, nullptr);
  ASSERT_NE(gutter, pane.viewport());
  QTest::mouseClick(gutter, Qt::LeftButton, {}, QPoint(4, lineY(2)));
  EXPECT_EQ(pane.markedLines(), std::vector<std::size_t>{2});
  EXPECT_EQ(pane.colourAt(pane.lineStart(2)), common::kLineMarkColour);
  ASSERT_EQ(toggled.count(), 1);
  EXPECT_EQ(toggled.at(0).at(0).toInt(), 2);
  EXPECT_TRUE(toggled.at(0).at(1).toBool());

  pane.setSelStart(pane.lineStart(3) + 2);
  QTest::keyClick(&pane, Qt::Key_F9);
  EXPECT_EQ(pane.markedLines(), (std::vector<std::size_t>{2, 3}));
  QTest::keyClick(&pane, Qt::Key_F9);
  EXPECT_EQ(pane.markedLines(), std::vector<std::size_t>{2});
  EXPECT_EQ(pane.colourAt(pane.lineStart(3)), 0u);

  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(30, lineY(2)));
  QApplication::sendEvent(pane.viewport(), &rightClick);
  EXPECT_TRUE(pane.markedLines().empty());
  EXPECT_EQ(pane.lineOf(pane.selStart()), 2u);
  EXPECT_EQ(toggled.count(), 4);

  // The ISO pane does without marks: F9 is left to the widget.
  pane.setLineMarking(false);
  QTest::keyClick(&pane, Qt::Key_F9);
  QTest::mouseClick(gutter, Qt::LeftButton, {}, QPoint(4, lineY(1)));
  EXPECT_TRUE(pane.markedLines().empty());
}

TEST_F(ShownPane, FixedPitchGutterWithLineNumbers) {
  EXPECT_TRUE(QFontInfo(pane.font()).fixedPitch());
  const int narrow = pane.gutterWidth();
  pane.setLineMark(1, true);
  std::string many = "\r\n";
  for (int i = 0; i < 12000; ++i) many += "GOTO/1,2,3\r\n";
  pane.setSelStart(pane.length());
  pane.setSelText(many);
  EXPECT_GT(pane.gutterWidth(), narrow);
  pane.setSelStart(0);
  QApplication::processEvents();
  const QString folder = QStringLiteral(ORDALIS_SCREENSHOT_DIR);
  QDir().mkpath(folder);
  EXPECT_TRUE(pane.grab().save(folder + QStringLiteral("/qt_text_pane.png")));
}

// The text begins where the gutter ends, whether the lines were typed or loaded, whatever the font.
TEST_F(ShownPane, TheTextIsNeverDrawnUnderTheGutter) {
  const std::string path = QDir::tempPath().toStdString() + "/ordalis_gutter_test.apt";
  std::string many;
  for (int i = 0; i < 150; ++i) many += "GOTO/1,2,3\r\n";
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(many.data(), 1, many.size(), file);
  std::fclose(file);
  for (const int points : {9, 14}) {
    QFont font = pane.font();
    font.setPointSize(points);
    pane.setFont(font);
    ASSERT_TRUE(pane.load(path));
    QApplication::processEvents();
    EXPECT_GE(pane.viewport()->geometry().left(), pane.gutterWidth()) << points;
  }
  std::remove(path.c_str());
}

// A load replaces the whole document: no mark, colour or undo step of the old text is left, the
// gutter fits the new count at once, and the load itself is no change of the user's.
TEST_F(ShownPane, LoadLeavesNothingOfTheOldTextAndReportsNoChange) {
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t lines;
  };
  std::string tall, lf;
  for (int i = 0; i < 1200; ++i) tall += "GOTO/1,2,3\r\n";
  for (int i = 0; i < 11; ++i) lf += "GOTO/4,5,6\n";
  const Case cases[] = {
      {"CR LF, taller than the pane", tall, 1201},
      {"LF", lf, 12},
      {"CR alone, no last break", "A\rB\rC", 3},
      {"one line", "END", 1},
      {"empty", "", 1},
  };
  const std::string path = QDir::tempPath().toStdString() + "/ordalis_load_test.apt";
  QSignalSpy changes(&pane, &QtTextPane::contentsChanged);
  for (const Case& c : cases) {
    pane.setLineMark(1, true);
    pane.setSelStart(pane.length());
    QTest::keyClicks(&pane, "X");
    ASSERT_TRUE(pane.document()->isUndoAvailable()) << c.name;
    changes.clear();
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(c.bytes.data(), 1, c.bytes.size(), file);
    std::fclose(file);

    ASSERT_TRUE(pane.load(path)) << c.name;
    QApplication::processEvents();
    EXPECT_EQ(changes.count(), 0) << c.name;
    EXPECT_EQ(pane.lineCount(), c.lines) << c.name;
    EXPECT_TRUE(pane.markedLines().empty()) << c.name;
    EXPECT_EQ(pane.colourAt(0), 0u) << c.name;
    EXPECT_FALSE(pane.document()->isUndoAvailable()) << c.name;
    EXPECT_FALSE(pane.document()->isModified()) << c.name;
    EXPECT_EQ(pane.selStart(), 0u) << c.name;
    EXPECT_EQ(pane.viewport()->geometry().left() - pane.contentsRect().left(), pane.gutterWidth())
        << c.name;
    EXPECT_EQ(pane.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded) << c.name;
    EXPECT_EQ(pane.document()->defaultFont(), pane.font()) << c.name;
    EXPECT_EQ(pane.document()->defaultTextOption().wrapMode(), QTextOption::NoWrap) << c.name;

    // The user's typing after the load is reported, and its undo gives back the loaded text.
    const std::string loaded = pane.text();
    QTest::keyClicks(&pane, "Y");
    EXPECT_EQ(changes.count(), 1) << c.name;
    pane.undo();
    EXPECT_EQ(pane.text(), loaded) << c.name;
  }
  std::remove(path.c_str());
}

// The text tools are written once on the contract: the widget pane must end as the memory one.
TEST(QtTextPaneTools, RenumberReplaceAndColouringMatchTheMemoryPane) {
  std::string iso = "%\r\nN10 G0 X1\r\nN20G1 X2\r\n\r\nG1 X3 (G1)\r\nN60 M30";
  for (int i = 0; i < 1500; ++i) iso += "\r\nN" + std::to_string(i) + " G1 X" + std::to_string(i);
  QtTextPane widget;
  common::MemoryTextPane memory;
  for (common::TextPane* pane :
       {static_cast<common::TextPane*>(&widget), static_cast<common::TextPane*>(&memory)}) {
    pane->setSelText(iso);
    pane->setSelStart(20);
    common::StopFlag stop;
    common::ProgressReporter progress;
    texttools::TextSearch search;
    EXPECT_EQ(search.replaceAll(*pane, "G1", "G01", {true, true}, stop, progress).replacements,
              1502u);
    EXPECT_TRUE(texttools::Renumber(*pane, {"N#0", " "}, stop, progress));
    pane->select(0, 0);
    pane->setSelText("&(PP_TOOL,0)&(NOPE,0)\r\n");
    texttools::ColourPlaceholders(*pane);
  }
  EXPECT_EQ(widget.text(), memory.text());
  for (std::size_t i = 0; i < memory.length(); ++i) {
    ASSERT_EQ(widget.colourAt(i), memory.colourAt(i)) << i;
  }
}

}  // namespace
}  // namespace ordalis::ui
