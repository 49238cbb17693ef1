// The main window driven as a user drives it: keys, actions, dialogs answered by a script.
#include "ui/app/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QUrl>

#include "core/l10n/strings.h"
#include "ui/app/log_pane.h"
#include "ui/app/main_actions.h"
#include "ui/app/status_band.h"
#include "ui/l10n/about_box.h"
#include "ui/l10n/configuration_dialog.h"
#include "ui/ppdef/definition_editor.h"
#include "ui/texttools/search_dialog.h"
#include "unit/ui/editor_fixture.h"
#include "unit/ui/main_window_fixture.h"

namespace ordalis::ui::test {
namespace {

struct RoadCase {
  const char* example;
  const char* colourKey;
  const char* aptLine;  // an APT statement that takes the colour
  const char* isoLine;  // an ISO block written in it
};

class TextRoadTest : public MainWindowTest, public ::testing::WithParamInterface<RoadCase> {};

TEST_P(TextRoadTest, F5WritesWhatTheBatchProgramWritesInTheStatementColours) {
  const RoadCase& c = GetParam();
  open();
  const std::string apt = openExample(c.example);
  press(Qt::Key_F5);
  ASSERT_TRUE(waitForRun());
  const std::string ppc = dir.file("ppc/linuxcnc_mill.ppc");
  const std::string base = apt.substr(0, apt.rfind('.'));
  EXPECT_EQ(window->isoPane().text(), postOutput(apt, ppc, base + ".ngc"));

  const std::uint32_t colour = colourKey(ppc, c.colourKey);
  const QtTextPane& aptPane = window->aptPane();
  EXPECT_EQ(aptPane.colourAt(aptPane.lineStart(LineWith(aptPane, c.aptLine))), colour);
  const QtTextPane& isoPane = window->isoPane();
  EXPECT_EQ(isoPane.colourAt(isoPane.lineStart(LineWith(isoPane, c.isoLine))), colour);
  EXPECT_TRUE(window->logPane().toPlainText().contains("time difference"));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TextRoadTest,
    ::testing::Values(RoadCase{"01_pocket_two_tools.apt", "COULEUR_PREMIER_POINT",
                               "GOTO/30.0000,50.0000,20", "G43 H1 Z20.000"},
                      RoadCase{"04_drilling_cycles.apt", "COULEUR_CYCLE", "CYCLE/DRILL",
                               "G98 G82 X25.000"}),
    [](const auto& info) { return std::string(info.param.example).substr(0, 2); });

TEST_F(MainWindowTest, AMarkedLineStopsTheTextRoadThere) {
  open();
  openExample("01_pocket_two_tools.apt");
  QtTextPane& apt = window->aptPane();
  const std::size_t marked = LineWith(apt, "LOADTL");
  apt.setLineMark(marked, true);
  window->actions().action(Command::kConvertText)->trigger();
  ASSERT_TRUE(waitForRun());
  EXPECT_TRUE(window->logPane().toPlainText().contains("Processed interrupted"));
  EXPECT_EQ(apt.lineOf(apt.selStart()), marked);
  EXPECT_EQ(window->isoPane().text().find("T1 M6"), std::string::npos);
}

/// A program long enough to be stopped while it runs.
std::string LongProgram(std::size_t moves) {
  std::string text = "PARTNO LONG\r\nLOADTL/1\r\n";
  for (std::size_t i = 0; i < moves; ++i) {
    text += "GOTO/" + std::to_string(i % 100) + ".5," + std::to_string(i % 37) + ".25,1.0\r\n";
  }
  return text + "FINI\r\n";
}

enum class StopBy { kEscape, kCancelButton };

class StopTest : public MainWindowTest, public ::testing::WithParamInterface<StopBy> {};

TEST_P(StopTest, AStoppedFileConversionKeepsTheEarlierFile) {
  open();
  const std::string apt = dir.file("long.apt");
  WriteFile(apt, LongProgram(400000));
  ASSERT_TRUE(window->workspace().openAptFile(apt));
  const std::string iso = dir.file("long.ngc");
  WriteFile(iso, "EARLIER\r\n");
  dialogs.savePath = QString::fromStdString(iso);
  window->actions().action(Command::kConvertFile)->trigger();
  ASSERT_TRUE(window->workspace().running());
  EXPECT_TRUE(window->statusBand().cancelButton()->isVisible());
  EXPECT_TRUE(window->aptPane().isReadOnly());
  if (GetParam() == StopBy::kEscape) {
    press(Qt::Key_Escape);
  } else {
    QTest::mouseClick(window->statusBand().cancelButton(), Qt::LeftButton);
  }
  ASSERT_TRUE(waitForRun());
  EXPECT_EQ(ReadFile(iso), "EARLIER\r\n");
  EXPECT_TRUE(window->logPane().toPlainText().contains("Processed interrupted"));
  EXPECT_FALSE(window->statusBand().cancelButton()->isVisible());
  EXPECT_FALSE(window->aptPane().isReadOnly());
}

INSTANTIATE_TEST_SUITE_P(Ways, StopTest, ::testing::Values(StopBy::kEscape, StopBy::kCancelButton),
                         [](const auto& info) {
                           return std::string(info.param == StopBy::kEscape ? "Escape" : "Cancel");
                         });

TEST_F(MainWindowTest, EscapeStopsARenumberingWhileTheWindowKeepsItsEvents) {
  open();
  std::string text;
  for (int i = 0; i < 300000; ++i) text += "G1 X" + std::to_string(i) + "\r\n";
  const std::string iso = dir.file("long.ngc");
  WriteFile(iso, text);
  ASSERT_TRUE(window->workspace().openIsoFile(iso));
  QTimer::singleShot(0, window.get(), [this] { press(Qt::Key_Escape); });
  window->actions().action(Command::kRenumber)->trigger();
  const QtTextPane& pane = window->isoPane();
  EXPECT_EQ(pane.text().substr(0, 9), "N1 G1 X0\r");
  EXPECT_EQ(pane.text().substr(pane.lineStart(299999)), "G1 X299999\r\n");
  EXPECT_TRUE(window->actions().action(Command::kRenumber)->isEnabled());
}

TEST_F(MainWindowTest, SearchReplaceAllAndRenumberThroughTheActions) {
  open();
  const std::string iso = dir.file("part.ngc");
  WriteFile(iso, "N10 G0 X1\r\nN20 G1 X2\r\nG1 X3\r\n");
  dialogs.openPath = QString::fromStdString(iso);
  window->actions().action(Command::kOpenIso)->trigger();
  ASSERT_EQ(window->isoPane().text(), "N10 G0 X1\r\nN20 G1 X2\r\nG1 X3\r\n");
  // The commands act on the pane the user last clicked in.
  QTest::mouseClick(window->isoPane().viewport(), Qt::LeftButton, {}, QPoint(60, 5));
  ASSERT_EQ(window->searchDialog().pane(), &window->isoPane());

  SearchDialog& search = window->searchDialog();
  window->actions().action(Command::kSearch)->trigger();
  EXPECT_TRUE(search.isVisible());
  EXPECT_FALSE(search.isModal());
  search.setSearchText("G1");
  search.setReplacementText("G01");
  EXPECT_TRUE(window->actions().action(Command::kNext)->isEnabled());
  window->actions().action(Command::kNext)->trigger();
  EXPECT_EQ(window->isoPane().selText(), "G1");
  window->isoPane().select(0, 0);
  window->actions().action(Command::kReplaceAll)->trigger();
  EXPECT_EQ(window->isoPane().text(), "N10 G0 X1\r\nN20 G01 X2\r\nG01 X3\r\n");
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back(), "Replace : 2");
  EXPECT_TRUE(window->windowTitle().endsWith(" *"));

  window->actions().action(Command::kRenumber)->trigger();
  EXPECT_EQ(window->isoPane().text(), "N1 G0 X1\r\nN2 G01 X2\r\nN3 G01 X3\r\n");
  EXPECT_TRUE(window->actions().action(Command::kConvertText)->isEnabled());
}

TEST_F(MainWindowTest, FileCommandsAndTheClipboardActOnThePaneLastClicked) {
  open();
  // Select post-processor: the settings name it and the title follows.
  dialogs.openPath = QString::fromStdString(dir.file("ppc/fanuc_mill.ppc"));
  window->actions().action(Command::kSelectDefinition)->trigger();
  EXPECT_TRUE(window->windowTitle().startsWith("Ordalis (Fanuc mill)"));
  EXPECT_EQ(common::GetProfileString(dir.file("Ordalis.ini"), "POSTPROCESSEUR", "Nom"),
            "fanuc_mill");

  // Copy a line of the APT pane, paste it into the ISO pane, save the ISO text.
  const std::string apt = openExample("02_drilling.apt");
  QTest::mouseClick(window->aptPane().viewport(), Qt::LeftButton, {}, QPoint(60, 5));
  window->aptPane().select(0, window->aptPane().lineStart(1) - 2);
  window->actions().action(Command::kCopy)->trigger();
  QTest::mouseClick(window->isoPane().viewport(), Qt::LeftButton, {}, QPoint(60, 5));
  window->actions().action(Command::kPaste)->trigger();
  const std::string firstLine = window->aptPane().selText();
  EXPECT_EQ(window->isoPane().text(), firstLine);
  EXPECT_TRUE(window->windowTitle().endsWith(" *"));
  const std::string saved = dir.file("pasted.nc");
  dialogs.savePath = QString::fromStdString(saved);
  window->actions().action(Command::kSaveIso)->trigger();
  EXPECT_EQ(ReadFile(saved), firstLine);
  EXPECT_FALSE(window->windowTitle().endsWith(" *"));

  // The recent files reopen what was opened.
  window->workspace().openIsoFile(saved);
  emit window->actions().recentFileChosen(QString::fromStdString(apt));
  EXPECT_TRUE(window->windowTitle().contains("02_drilling.apt"));
  EXPECT_EQ(window->actions().recentFiles().front().toStdString(), apt);

  window->actions().action(Command::kVersion)->trigger();
  EXPECT_NE(window->findChild<AboutBox*>(), nullptr);
}

TEST_F(MainWindowTest, TheLanguageSwitchChangesEveryCaptionAtOnce) {
  open();
  QAction* openApt = window->actions().action(Command::kOpenApt);
  EXPECT_EQ(openApt->text(), "&Open APT file");
  window->actions().action(Command::kConfiguration)->trigger();
  ConfigurationDialog* dialog = window->configurationDialog();
  ASSERT_NE(dialog, nullptr);
  for (const auto& [name, caption] :
       {std::pair{"Debug Menu", "4008"}, std::pair{"Français", "&Ouvrir fichier APT"},
        std::pair{"English US", "&Open APT file"}}) {
    dialog->languageList()->setCurrentText(QString::fromUtf8(name));
    dialog->chooseLanguage();
    EXPECT_EQ(openApt->text(), QString::fromUtf8(caption)) << name;
  }
  dialog->languageList()->setCurrentText("Debug Menu");
  dialog->chooseLanguage();
  EXPECT_EQ(window->statusBand().cancelButton()->text(), "602");
  EXPECT_EQ(common::GetProfileString(dir.file("Ordalis.ini"), "CONFIG", "LangId"), "1096");
}

struct AskCase {
  Dialogs::SaveChoice answer;
  bool opened;   // the other file replaced the edited text
  bool written;  // the edited text was saved first
};

class AskTest : public MainWindowTest, public ::testing::WithParamInterface<AskCase> {};

TEST_P(AskTest, HandEditsAreAskedAboutBeforeAnotherFileReplacesThem) {
  const AskCase& c = GetParam();
  open();
  const std::string first = dir.file("first.ngc"), second = dir.file("second.ngc");
  WriteFile(first, "G0 X1\r\n");
  WriteFile(second, "G0 X2\r\n");
  ASSERT_TRUE(window->workspace().openIsoFile(first));
  window->isoPane().setFocus();
  window->isoPane().moveCursor(QTextCursor::End);
  QTest::keyClicks(&window->isoPane(), "M30");
  EXPECT_TRUE(window->windowTitle().endsWith(" *"));

  dialogs.saveChoice = c.answer;
  dialogs.savePath = QString::fromStdString(first);
  dialogs.openPath = QString::fromStdString(second);
  window->actions().action(Command::kOpenIso)->trigger();
  EXPECT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(window->isoPane().text(), c.opened ? "G0 X2\r\n" : "G0 X1\r\nM30");
  EXPECT_EQ(ReadFile(first), c.written ? "G0 X1\r\nM30" : "G0 X1\r\n");
  EXPECT_EQ(window->windowTitle().endsWith(" *"), !c.opened);

  // Closing asks in the same way; only Cancel keeps the window.
  dialogs.saveChoice = Dialogs::SaveChoice::kCancel;
  window->isoPane().moveCursor(QTextCursor::End);
  QTest::keyClicks(&window->isoPane(), "M2");
  EXPECT_FALSE(window->close());
  dialogs.saveChoice = Dialogs::SaveChoice::kDiscard;
  EXPECT_TRUE(window->close());
}

std::string AnswerName(const ::testing::TestParamInfo<AskCase>& info) {
  static const char* const kNames[] = {"Save", "Discard", "Cancel"};
  return kNames[static_cast<int>(info.param.answer)];
}

INSTANTIATE_TEST_SUITE_P(Answers, AskTest,
                         ::testing::Values(AskCase{Dialogs::SaveChoice::kCancel, false, false},
                                           AskCase{Dialogs::SaveChoice::kDiscard, true, false},
                                           AskCase{Dialogs::SaveChoice::kSave, true, true}),
                         AnswerName);

TEST_F(MainWindowTest, DroppedFilesGoWhereTheirExtensionSays) {
  open();
  const std::string apt = dir.file("dropped.apt"), iso = dir.file("dropped.txt");
  WriteFile(apt, "PARTNO DROPPED\r\n");
  WriteFile(iso, "G0 X5\r\n");
  // On a pane a file is opened, not pasted in as its name; on the rest of the window the same.
  const std::pair<std::string, QWidget*> drops[] = {{dir.file("ppc/fanuc_mill.ppc"), window.get()},
                                                    {apt, window->aptPane().viewport()},
                                                    {iso, window->isoPane().viewport()}};
  for (const auto& [path, target] : drops) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted()) << path;
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
  }
  EXPECT_EQ(window->context().definitionPath, dir.file("ppc/fanuc_mill.ppc"));
  EXPECT_TRUE(window->windowTitle().startsWith("Ordalis (Fanuc mill)"));
  EXPECT_TRUE(window->windowTitle().contains("dropped.apt"));
  EXPECT_EQ(window->aptPane().text(), "PARTNO DROPPED\r\n");
  EXPECT_EQ(window->isoPane().text(), "G0 X5\r\n");
  EXPECT_EQ(window->actions().recentFiles().size(), 2);
}

TEST_F(MainWindowTest, TheLayoutIsRememberedInTheSettingsFile) {
  open();
  window->resize(1000, 700);
  window->paneSplitter()->setSizes({300, 600});
  QCoreApplication::processEvents();
  const QList<int> panes = window->paneSplitter()->sizes();
  const QList<int> band = window->bandSplitter()->sizes();
  ASSERT_TRUE(window->close());
  const std::string ini = dir.file("Ordalis.ini");
  EXPECT_EQ(common::GetProfileString(ini, "FENETRE", "Width"), "1000");
  EXPECT_EQ(common::GetProfileString(ini, "POSTPROCESSEUR", "Nom"), "linuxcnc_mill");

  window.reset();
  open(true);
  EXPECT_EQ(window->paneSplitter()->sizes(), panes);
  EXPECT_EQ(window->bandSplitter()->sizes(), band);
  // No pane can be dragged out of sight.
  window->paneSplitter()->setSizes({0, 900});
  EXPECT_GE(window->paneSplitter()->sizes().front(), 20);
}

TEST_F(MainWindowTest, TheDefinitionEditorOpensOnTheSelectedDefinitionAndItsSavesAreUsed) {
  ScriptedDialogs editorDialogs;
  open();
  window->setEditorDialogs(&editorDialogs);
  window->actions().action(Command::kDefinitionEditor)->trigger();
  DefinitionEditor* editor = window->definitionEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->path().toStdString(), window->context().definitionPath);

  // OK: the next run and the title use the new values at once.
  editor->field("PP_NOM")->setText("Shop mill");
  editor->findChild<QPushButton*>("ok")->click();
  EXPECT_EQ(window->context().definition.PP_NOM, "Shop mill");
  EXPECT_TRUE(window->windowTitle().startsWith("Ordalis (Shop mill)"));

  // "Save as" makes the copy the program's definition.
  window->actions().action(Command::kDefinitionEditor)->trigger();
  editor = window->definitionEditor();
  ASSERT_NE(editor, nullptr);
  const std::string copy = dir.file("ppc/my_mill.ppc");
  editorDialogs.savePath = QString::fromStdString(copy);
  ASSERT_TRUE(editor->saveAs());
  EXPECT_EQ(window->context().definitionPath, copy);
  EXPECT_EQ(common::GetProfileString(dir.file("Ordalis.ini"), "POSTPROCESSEUR", "Nom"), "my_mill");
  editor->discard();
}

}  // namespace
}  // namespace ordalis::ui::test
