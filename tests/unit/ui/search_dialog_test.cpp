// The search dialog driven as a user would, on a real text pane.
#include "ui/texttools/search_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "core/common/stop_flag.h"
#include "core/l10n/strings.h"
#include "core/texttools/search.h"
#include "ui/app/main_actions.h"
#include "ui/app/qt_text_pane.h"
#include "unit/ui/scripted_dialogs.h"

namespace ordalis::ui {
namespace {

class SearchDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strings.setLanguage(l10n::kEnglish);
    pane = new QtTextPane(&window);
    window.setCentralWidget(pane);
    actions = new MainActions(&window, strings);
    dialog = new SearchDialog(strings, search, stop, dialogs, &window);
    dialog->setPane(pane);
    QObject::connect(dialog, &SearchDialog::searchAvailable, actions,
                     &MainActions::setSearchEnabled);
    window.resize(500, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  void setText(const std::string& text) {
    pane->clear();
    pane->setSelText(text);
    pane->setSelStart(0);
  }
  void click(const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
  }
  void type(const char* box, const QString& text) {
    QLineEdit* edit = dialog->findChild<QComboBox*>(box)->lineEdit();
    edit->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(edit, Qt::Key_Delete);
    } else {
      QTest::keyClicks(edit, text);
    }
  }
  bool statusShown() const { return dialog->findChild<QLabel*>("status")->isVisibleTo(dialog); }

  l10n::Strings strings;
  texttools::TextSearch search;
  common::StopFlag stop;
  test::ScriptedDesktopDialogs dialogs;
  QMainWindow window;
  QtTextPane* pane = nullptr;
  MainActions* actions = nullptr;
  SearchDialog* dialog = nullptr;
};

TEST_F(SearchDialogTest, OpensModelessAboveTheWindowWithTheSelectionAndNeverEndsTheProgram) {
  setText("N10 G01 X10\r\nN20 G01 X20\r\n");
  pane->select(4, 3);
  QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
  dialog->showSearch();
  dialog->showSearch();  // a second Search shows the same dialog again
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->parentWidget(), &window);  // kept above the window it belongs to
  EXPECT_EQ(window.findChildren<SearchDialog*>().size(), 1);
  EXPECT_EQ(dialog->searchText(), "G01");
  EXPECT_EQ(quitting.count(), 0);
  // A selection over two lines cannot be a search text: the box keeps what it had.
  pane->select(0, 16);
  dialog->showSearch();
  EXPECT_EQ(dialog->searchText(), "G01");
}

TEST_F(SearchDialogTest, NextFindsThenWrapsSilentlyToTheTop) {
  setText("N10 G00 Z5\r\nN20 M30\r\n");
  dialog->showSearch();
  QApplication::setActiveWindow(dialog);  // the offscreen platform leaves the window active
  type("MotChercher", "M30");
  click("CommandCherche");
  EXPECT_EQ(pane->selStart(), 16u);
  EXPECT_EQ(pane->selText(), "M30");
  EXPECT_FALSE(statusShown());
  click("CommandCherche");  // none after it: the caret goes back to the top
  EXPECT_EQ(pane->selStart(), 0u);
  EXPECT_EQ(pane->selLength(), 0u);
  EXPECT_TRUE(statusShown());
  EXPECT_TRUE(dialogs.messages.empty());
  click("CommandCherche");
  EXPECT_EQ(pane->selText(), "M30");
  QTest::keyClick(dialog, Qt::Key_F3);  // F3 in the dialog is Next too
  EXPECT_EQ(pane->selLength(), 0u);
}

TEST_F(SearchDialogTest, WholeWordSkipsAWordInsideALongerOne) {
  setText("G10 X1\r\nG1 X2\r\n");
  dialog->showSearch();
  type("MotChercher", "G1");
  QCheckBox* wholeWord = dialog->findChild<QCheckBox*>("mot_entier");
  const QPoint box(6, wholeWord->height() / 2);  // on the check box's square
  QTest::mouseClick(wholeWord, Qt::LeftButton, {}, box);
  ASSERT_TRUE(wholeWord->isChecked());
  click("CommandCherche");
  EXPECT_EQ(pane->selStart(), 8u);
  QTest::mouseClick(wholeWord, Qt::LeftButton, {}, box);
  pane->setSelStart(0);
  click("CommandCherche");
  EXPECT_EQ(pane->selStart(), 0u);
  EXPECT_EQ(pane->selLength(), 2u);
}

TEST_F(SearchDialogTest, ReplaceWithoutASelectionInsertsAtTheCaretInLightRed) {
  setText("N10 X1\r\n");
  pane->setSelStart(4);
  dialog->showSearch();
  type("MotRemplacer", "G01 ");
  click("CommandReplace");
  EXPECT_EQ(pane->text(), "N10 G01 X1\r\n");
  EXPECT_EQ(pane->selText(), "G01 ");
  EXPECT_EQ(pane->colourAt(5), texttools::BasicPaletteColour(texttools::kReplacedPaletteIndex));
}

TEST_F(SearchDialogTest, ReplaceAllTellsTheNumberOfReplacementsInTheCurrentLanguage) {
  setText("T1 M06\r\nT2 M06\r\nT3 M06\r\nM30\r\n");
  dialog->showSearch();
  type("MotChercher", "M06");
  type("MotRemplacer", "M6");
  click("CommandReplaceAll");
  EXPECT_EQ(pane->text(), "T1 M6\r\nT2 M6\r\nT3 M6\r\nM30\r\n");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "Replace : 3");  // replacements, not passes
  EXPECT_TRUE(dialog->isEnabled());
  EXPECT_TRUE(pane->isEnabled());

  strings.setLanguage(l10n::kFrench);
  dialog->applyTexts();
  pane->setSelStart(0);
  actions->action(Command::kReplaceAll);  // the window's command calls the same operation
  dialog->setSearchText("M6");
  dialog->setReplacementText("M06");
  EXPECT_EQ(dialog->replaceAll(), 3u);
  EXPECT_EQ(dialogs.messages.back(), "Remplacement : 3");
  dialog->setSearchText("");
  EXPECT_EQ(dialog->replaceAll(), 0u);  // nothing to search for: nothing done, nothing said
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(SearchDialogTest, EscapeDuringReplaceAllStopsItAndKeepsWhatWasReplaced) {
  std::string text;
  for (int i = 0; i < 40000; ++i) text += "X1 Y1\r\n";
  setText(text);
  dialog->setSearchText("X1");
  dialog->setReplacementText("X2");
  // Escape reaches the window while the work yields to it.
  QTimer::singleShot(0, &window, [this] { stop.request(); });
  const std::size_t replaced = dialog->replaceAll();
  EXPECT_GT(replaced, 0u);
  EXPECT_LT(replaced, 40000u);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], QString("Replace : %1\nProcessed interrupted").arg(replaced));
  EXPECT_TRUE(pane->isEnabled());
}

TEST_F(SearchDialogTest, ClosingWithAnEmptyBoxDisablesNextAndReplaceAll) {
  QAction* next = actions->action(Command::kNext);
  QAction* replaceAll = actions->action(Command::kReplaceAll);
  dialog->showSearch();
  type("MotChercher", "X");
  EXPECT_TRUE(next->isEnabled());
  EXPECT_TRUE(replaceAll->isEnabled());
  click("OKButton");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(next->isEnabled());
  EXPECT_EQ(search.position(), 0u);
  dialog->showSearch();
  EXPECT_EQ(dialog->searchText(), "X");  // hidden, not destroyed: the boxes keep their texts
  type("MotChercher", "");
  click("OKButton");
  EXPECT_FALSE(next->isEnabled());
  EXPECT_FALSE(replaceAll->isEnabled());
}

TEST_F(SearchDialogTest, Screenshots) {
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  for (int language : {l10n::kEnglish, l10n::kFrench}) {
    strings.setLanguage(language);
    dialog->applyTexts();
    setText("N10 G00 Z5\r\n");
    dialog->showSearch();
    dialog->setSearchText("G01");
    dialog->setReplacementText("G1");
    dialog->findNext();  // not found: the status line shows
    QApplication::processEvents();
    const QString name = language == l10n::kEnglish ? "search_dialog.png" : "search_dialog_fr.png";
    EXPECT_TRUE(dialog->grab().save(QString(ORDALIS_SCREENSHOT_DIR) + "/" + name));
  }
}

}  // namespace
}  // namespace ordalis::ui
