// The definition editor driven through its widgets, as a user works with it.
#include <QSignalSpy>
#include <QTabWidget>

#include "core/ppdef/definition_keys.h"
#include "ui/ppdef/colour_tree.h"
#include "ui/ppdef/machine_picture.h"
#include "unit/ui/editor_fixture.h"

namespace ordalis::ui::test {
namespace {

struct OneFieldCase {
  int tab;
  std::string_view key;
  const char* typed;     // "" for a check box (clicked) or the colour tab
  const char* fileLine;  // the only line of the file that may change
};

TEST_F(EditorTest, ChangingOneFieldOnEachTabRewritesOnlyItsLine) {
  const OneFieldCase cases[] = {
      {1, "PP_NOM", "Fanuc 30i-B", "PP_NOM=Fanuc 30i-B"},
      {2, "FORMAT_PP_X", "X#0.0000", "FORMAT_PP_X=X#0.0000"},
      {3, "PP_F", "F#0.00", "PP_F=F#0.00"},
      {4, "FORMAT_CERCLE",
       "&(PP_CODE_CERCLE,) X&(PP_POINT_CERCLE_X,0.000) R&(PP_RAYON_CERCLE,0.000)",
       "FORMAT_CERCLE=&(PP_CODE_CERCLE,) X&(PP_POINT_CERCLE_X,0.000) R&(PP_RAYON_CERCLE,0.000)"},
      {5, "PP_FLUID_ON", "M08", "PP_FLUID_ON=M08"},
      {6, "OPTION_TRAITEMENT_CUTTER", "", "OPTION_TRAITEMENT_CUTTER=1"},
      {7, "PP_LIMIT_C_MAXI", "720", "PP_LIMIT_C_MAXI=720"},
      {8, "PP_CYCLE_MILL", "(NO MILL CYCLE)", "PP_CYCLE_MILL=(NO MILL CYCLE)"},
      {9, "PP_DEBUT", "%\nO0002", "PP_DEBUT=%&nO0002"},
      {10, "COULEUR_AIR", "", "COULEUR_AIR=254"},
      {11, "MODE", "MILL/G17\nTURN/G18", "MODE=MILL/G17&nTURN/G18&n"},
  };
  for (const OneFieldCase& c : cases) {
    SCOPED_TRACE(c.key);
    ordalis::test::WriteFile(path, original);
    open(path);
    if (c.tab == ppdef::kColourTab) {
      dialogs.colours = {QColor(254, 0, 0)};
      editor->colourTree()->chooseColour(36);  // tree entry 37 is always COULEUR_AIR
    } else if (*c.typed == '\0') {
      editor->tabs()->setCurrentIndex(c.tab - 1);
      qobject_cast<QCheckBox*>(view(c.key)->input())->click();
    } else {
      type(c.key, QString::fromUtf8(c.typed));
    }
    EXPECT_TRUE(editor->tabs()->tabText(c.tab - 1).endsWith(" *"));
    clickOk();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(ChangedLines(original, fileNow()), std::vector<std::string>{c.fileLine});
  }
}

TEST_F(EditorTest, CancelLeavesTheFileAndAsksNothing) {
  type("PP_NOM", "changed");
  clickCancel();
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(dialogs.questions, 0);
  EXPECT_EQ(fileNow(), original);
}

TEST_F(EditorTest, OkWithNothingChangedKeepsEveryByteAndEveryField) {
  QSignalSpy saved(editor.get(), &DefinitionEditor::definitionSaved);
  clickOk();
  EXPECT_EQ(fileNow(), original);
  ASSERT_EQ(saved.count(), 1);
  EXPECT_EQ(saved.at(0).at(0).toString(), QString::fromStdString(path));
  common::RecordingPrompt prompt;
  ppdef::PostProcessorDefinition before, after;
  ppdef::LoadDefinition(ordalis::test::SourcePath("data/ppc/head_ac_5axis.ppc"), before, prompt);
  ppdef::LoadDefinition(path, after, prompt);
  const ppdef::DefinitionFields a = ppdef::FieldsFromDefinition(before);
  const ppdef::DefinitionFields b = ppdef::FieldsFromDefinition(after);
  EXPECT_EQ(a.text, b.text);
  EXPECT_EQ(a.checked, b.checked);
  EXPECT_EQ(a.colours, b.colours);
  EXPECT_EQ(after.Cinematique_Machine, 3);
}

TEST_F(EditorTest, ABadNumberBlocksTheWriteAndIsShownOnItsTab) {
  const std::pair<std::string_view, const char*> cases[] = {{"NUM_INCR", "40000"},
                                                            {"ToleranceCalcul", "0,01"},
                                                            {"PP_DEC_ORIGIN", "G55"},
                                                            {"PP_LIMIT_AB_MINI", "-110deg"},
                                                            {"PP_HEAD_ANGLE", ""}};
  for (const auto& [key, bad] : cases) {
    SCOPED_TRACE(key);
    open(path);
    type("PP_NOM", "never written");
    type(key, bad);
    editor->tabs()->setCurrentIndex(2);  // the user is on another tab when pressing OK
    dialogs.messages.clear();
    clickOk();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(fileNow(), original);
    EXPECT_EQ(editor->tabs()->currentIndex(), view(key)->field().tab - 1);
    EXPECT_EQ(editor->focusWidget(), view(key)->input());
    EXPECT_TRUE(view(key)->input()->property("invalid").toBool());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].contains(view(key)->caption()));
    EXPECT_TRUE(dialogs.messages[0].contains(FromCp1252(key)));
    // Mending the field and pressing OK again writes.
    type(key, "10");
    clickOk();
    EXPECT_FALSE(editor->isVisible());
    ordalis::test::WriteFile(path, original);
  }
}

TEST_F(EditorTest, RedIsRefusedAndTheChooserOpensAgain) {
  ColourTree* tree = editor->colourTree();
  const std::int32_t before = tree->colours()[36];
  dialogs.colours = {QColor(255, 0, 0), QColor(254, 0, 0)};
  tree->chooseColour(36);
  EXPECT_EQ(dialogs.colourRequests, 2);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0],
            FromCp1252(strings.get(2107)) + "\r\n" + FromCp1252(strings.get(2108)));
  EXPECT_EQ(tree->colours()[36], 254);
  EXPECT_EQ(tree->topLevelItem(36)->foreground(0).color(), QColor(254, 0, 0));

  dialogs.colours = {std::nullopt};  // the chooser cancelled
  tree->chooseColour(0);
  EXPECT_EQ(tree->colours()[0], 32768);
  EXPECT_NE(before, 254);
}

TEST_F(EditorTest, TheColourTreeShowsFiftyBoldEntriesInTreeOrder) {
  ColourTree* tree = editor->colourTree();
  ASSERT_EQ(tree->topLevelItemCount(), ppdef::kColourCount);
  const QString prefix = FromCp1252(strings.get(610));
  EXPECT_EQ(tree->topLevelItem(0)->text(0), prefix + FromCp1252(strings.get(611)));
  EXPECT_EQ(tree->topLevelItem(1)->text(0), prefix + FromCp1252(strings.get(612)));
  EXPECT_EQ(tree->topLevelItem(32)->text(0), prefix + FromCp1252(strings.get(613)));
  EXPECT_EQ(tree->topLevelItem(36)->text(0), prefix + "AIR");
  EXPECT_EQ(tree->topLevelItem(10)->text(0), prefix + "GOTO");
  for (int i = 0; i < ppdef::kColourCount; ++i) {
    EXPECT_TRUE(tree->topLevelItem(i)->font(0).bold()) << i;
    EXPECT_EQ(tree->topLevelItem(i)->foreground(0).color(),
              ToQColor(editor->definition().colours[i]))
        << i;
  }
}

TEST_F(EditorTest, AMissingFileShowsEmptyFieldsTheLoadedColoursAndOkWritesItWhole) {
  const std::string missing = dir.file("new.ppc");
  open(missing, path);
  EXPECT_EQ(view("PP_NOM")->text(), "");
  EXPECT_EQ(view("PP_DEBUT")->text(), "");
  EXPECT_FALSE(view("OPTION_SORTIE_N")->isChecked());
  EXPECT_EQ(view(ppdef::kKinematicsKey)->index(), -1);
  EXPECT_EQ(editor->colourTree()->colours(), editor->definition().colours);
  EXPECT_EQ(editor->colourTree()->colours()[0], 32768);
  clickOk();
  EXPECT_FALSE(editor->isVisible());
  const std::string written = ordalis::test::ReadFile(missing);
  for (const ppdef::DefinitionKey& key : ppdef::kDefinitionKeys) {
    EXPECT_NE(written.find("\r\n" + std::string(key.name) + "="), std::string::npos) << key.name;
  }
  EXPECT_NE(written.find("\r\nCOULEUR_COMMENT=32768\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\nCin\xE9matique_Machine=0\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\nToleranceCalcul=0.01\r\n"), std::string::npos);
}

TEST_F(EditorTest, ClosingWithChangesAsksFirst) {
  editor->reject();  // nothing changed: closes without a word
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(dialogs.questions, 0);

  open(path);
  type("PP_G00", "G0");
  dialogs.closeChoice = EditorDialogs::CloseChoice::kCancel;
  editor->close();
  EXPECT_TRUE(editor->isVisible());
  dialogs.closeChoice = EditorDialogs::CloseChoice::kDiscard;
  QTest::keyClick(editor.get(), Qt::Key_Escape);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(dialogs.questions, 2);
  EXPECT_EQ(fileNow(), original);

  open(path);
  type("PP_G00", "G0");
  dialogs.closeChoice = EditorDialogs::CloseChoice::kSave;
  editor->close();
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(ChangedLines(original, fileNow()), std::vector<std::string>{"PP_G00=G0"});
}

TEST_F(EditorTest, SaveAsWritesANewFileWithTheForeignLinesAndReportsIt) {
  QSignalSpy savedAs(editor.get(), &DefinitionEditor::savedAs);
  type("PP_NOM", "Copy");
  const std::string copy = dir.file("copy.ppc");
  dialogs.savePath = QString::fromStdString(dir.file("copy"));
  ASSERT_TRUE(editor->saveAs());
  EXPECT_EQ(fileNow(), original);
  EXPECT_EQ(ChangedLines(original, ordalis::test::ReadFile(copy)),
            std::vector<std::string>{"PP_NOM=Copy"});
  ASSERT_EQ(savedAs.count(), 1);
  EXPECT_EQ(savedAs.at(0).at(0).toString(), QString::fromStdString(copy));
  EXPECT_EQ(editor->windowTitle(), "Definition postprocesseur :" + QString::fromStdString(copy));
  EXPECT_EQ(editor->definition().PP_NOM, "Copy");
  EXPECT_FALSE(editor->isChanged());
}

TEST_F(EditorTest, CaptionNamesTheDefinitionFile) {
  EXPECT_EQ(editor->windowTitle(), "Definition postprocesseur :" + QString::fromStdString(path));
  EXPECT_FALSE(editor->isModal());
}

TEST_F(EditorTest, FilterShowsMatchingFieldsAcrossAllTabs) {
  QTest::keyClicks(editor->filterBox(), "cycle_mill");
  QTabWidget* tabs = editor->tabs();
  EXPECT_EQ(tabs->currentIndex(), 7);
  for (int i = 0; i < tabs->count(); ++i) EXPECT_EQ(tabs->isTabEnabled(i), i == 7) << i;
  EXPECT_TRUE(view("PP_CYCLE_MILL")->editor()->isVisible());
  EXPECT_FALSE(view("PP_CYCLE_DRILL")->editor()->isVisible());

  editor->filterBox()->setText("G28 A0 C0");  // a value: the tool unload, END, the rotary reset
  for (int i = 0; i < tabs->count(); ++i)
    EXPECT_EQ(tabs->isTabEnabled(i), i == 5 || i == 8 || i == 10) << i;
  EXPECT_TRUE(view("MACRO_RAZ")->editor()->isVisible() || tabs->currentIndex() != 10);
  EXPECT_FALSE(view("MACRO_GOHOME")->editor()->isVisible());

  editor->filterBox()->setText("goto");  // the colour tree is filtered too
  EXPECT_TRUE(tabs->isTabEnabled(9));
  EXPECT_FALSE(editor->colourTree()->topLevelItem(10)->isHidden());
  EXPECT_TRUE(editor->colourTree()->topLevelItem(0)->isHidden());

  editor->filterBox()->clear();
  for (int i = 0; i < tabs->count(); ++i) EXPECT_TRUE(tabs->isTabEnabled(i));
  EXPECT_FALSE(editor->colourTree()->topLevelItem(0)->isHidden());
}

TEST_F(EditorTest, ChangedFieldsAreMarkedUntilTheirValueIsBack) {
  FieldView* name = view("PP_NOM");
  type("PP_NOM", "Other");
  EXPECT_TRUE(name->isChanged());
  EXPECT_TRUE(name->input()->property("changed").toBool());
  EXPECT_TRUE(editor->isChanged());
  type("PP_NOM", "Fanuc head A/C 5-axis");
  EXPECT_FALSE(name->isChanged());
  EXPECT_FALSE(editor->isChanged());
  EXPECT_FALSE(editor->tabs()->tabText(0).endsWith(" *"));
}

TEST_F(EditorTest, KinematicsListDrawsItsMachineAndNeedsNoWarning) {
  FieldView* list = view(ppdef::kKinematicsKey);
  EXPECT_EQ(list->index(), 2);
  EXPECT_EQ(editor->machinePicture()->kinematics(), 3);
  EXPECT_TRUE(view("PP_HEAD_ANGLE")->editor()->isHidden());
  auto* combo = qobject_cast<QComboBox*>(list->input());
  editor->tabs()->setCurrentIndex(6);
  const auto choose = [&](int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  };
  choose(18);  // universal head A/C: the head angle comes into view at once
  EXPECT_EQ(editor->machinePicture()->kinematics(), 19);
  EXPECT_FALSE(view("PP_HEAD_ANGLE")->editor()->isHidden());
  EXPECT_TRUE(dialogs.messages.empty());
  choose(4);  // head A/C 45 degrees: every machine of the list is solved, none warns (2117)
  EXPECT_TRUE(dialogs.messages.empty());
  choose(6);
  clickOk();
  EXPECT_EQ(ChangedLines(original, fileNow()),
            (std::vector<std::string>{"TXT_Cin\xE9matique_Machine=" + strings.get(6007),
                                      "Cin\xE9matique_Machine=7"}));
  EXPECT_EQ(editor->definition().Cinematique_Machine, 7);
}

TEST_F(EditorTest, CompensationAtStartAndAtEndExcludeEachOther) {
  auto* end = qobject_cast<QCheckBox*>(view("OPTION_CORRECTEUR_FIN_LIGNE")->input());
  auto* start = qobject_cast<QCheckBox*>(view("OPTION_CORRECTEUR_DEBUT_LIGNE")->input());
  editor->tabs()->setCurrentIndex(5);
  ASSERT_TRUE(start->isChecked());
  end->click();
  EXPECT_TRUE(end->isChecked());
  EXPECT_FALSE(start->isChecked());
  start->click();
  EXPECT_TRUE(start->isChecked());
  EXPECT_FALSE(end->isChecked());
}

TEST_F(EditorTest, FolderButtonsRefuseARootAndKeepATrailingSeparator) {
  FieldView* apt = view("Repertoire_APT");
  const auto browse = [&](const QString& answer) {
    dialogs.folder = answer;
    dialogs.messages.clear();
    emit apt->browseRequested(apt);
  };
  browse(QString::fromStdString(dir.path()));
  EXPECT_EQ(apt->text(),
            QDir::toNativeSeparators(QString::fromStdString(dir.path())) + QDir::separator());
  EXPECT_TRUE(dialogs.messages.empty());
  for (const QString& refused : {QDir::rootPath(), QString()}) {
    browse(refused);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], FromCp1252(strings.get(2001)));
    EXPECT_EQ(apt->text(),
              QDir::toNativeSeparators(QString::fromStdString(dir.path())) + QDir::separator());
  }
}

TEST_F(EditorTest, EnterInAFieldDoesNotCloseTheEditor) {
  editor->tabs()->setCurrentIndex(0);
  QTest::keyClick(view("PP_NOM")->input(), Qt::Key_Return);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(fileNow(), original);
}

}  // namespace
}  // namespace ordalis::ui::test
