// The configuration dialog driven as a user would: language, close-after-run and the aliases,
// every change in the settings file at once.
#include "ui/l10n/configuration_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "core/common/profile_file.h"
#include "core/l10n/strings.h"
#include "support/test_support.h"
#include "ui/app/main_actions.h"
#include "ui/l10n/alias_editor.h"
#include "unit/ui/scripted_dialogs.h"

namespace ordalis::ui {
namespace {

constexpr const char* kSettings =
    "[POSTPROCESSEUR]\r\nFichier=.\\Default.ppc\r\n[CONFIG]\r\nLangId=1033\r\nCloseAfterPP=0\r\n"
    "[APT_ALIAS]\r\n; examples\r\n;UNIT=UNITS\r\nDEEP2=DEEPCL\r\nINSERT=PPRINT\r\n";

class ConfigurationDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strings.setLanguage(l10n::kEnglish);
    path = dir.file("Ordalis.ini");
    ordalis::test::WriteFile(path, kSettings);
    actions = new MainActions(&window, strings);
    open();
  }

  void open(bool closeAfter = false) {
    dialog = std::make_unique<ConfigurationDialog>(strings, path, closeAfter, dialogs, &window);
    QObject::connect(dialog.get(), &ConfigurationDialog::languageChanged, actions,
                     &MainActions::applyTexts);
    dialog->show();
  }

  std::string setting(const char* section, const char* key) const {
    return common::GetProfileString(path, section, key);
  }

  /// Types into the language list and leaves it with Enter, as a user who types a name.
  void typeLanguage(const QString& name) {
    QLineEdit* edit = dialog->languageList()->lineEdit();
    edit->setText(name);  // QTest types ASCII only ("Français")
    QTest::keyClick(edit, Qt::Key_Return);
  }

  ordalis::test::TempDir dir;
  std::string path;
  l10n::Strings strings;
  test::ScriptedDesktopDialogs dialogs;
  QMainWindow window;
  MainActions* actions = nullptr;
  std::unique_ptr<ConfigurationDialog> dialog;
};

TEST_F(ConfigurationDialogTest, ShowsTheLanguagesAndTheCurrentOne) {
  QComboBox* list = dialog->languageList();
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->itemText(0), QString::fromUtf8("Français"));
  EXPECT_EQ(list->itemText(3), "Debug Menu");
  EXPECT_EQ(list->currentText(), "English US");
  EXPECT_EQ(dialog->windowTitle(), "Configuration");
  EXPECT_FALSE(dialog->isModal());
  struct Case {
    int language;
    const char* shown;
  };
  for (const Case& c : {Case{1096, "Debug Menu"}, Case{1031, "German"}, Case{1040, "Italiano IT"},
                        Case{1024, ""}}) {
    strings.setLanguage(c.language);
    open(true);
    EXPECT_EQ(dialog->languageList()->currentText(), c.shown) << c.language;
    EXPECT_TRUE(dialog->closeAfterRunBox()->isChecked());
  }
}

TEST_F(ConfigurationDialogTest, ChoosingDebugMenuTurnsTheWindowsCaptionsIntoNumbersAtOnce) {
  QSignalSpy changed(dialog.get(), &ConfigurationDialog::languageChanged);
  dialog->languageList()->setCurrentIndex(3);
  emit dialog->languageList()->activated(3);  // what a choice in the drop-down list sends
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toInt(), 1096);
  EXPECT_EQ(actions->action(Command::kOpenApt)->text(), "4008");
  EXPECT_EQ(dialog->windowTitle(), "9001");
  EXPECT_EQ(setting("CONFIG", "LangId"), "1096");

  typeLanguage(QString::fromUtf8("Français"));
  EXPECT_EQ(actions->action(Command::kOpenApt)->text(), "&Ouvrir fichier APT");
  EXPECT_EQ(dialog->closeAfterRunBox()->text(),
            QString::fromUtf8("Fermeture après postprocess en ligne"));
  EXPECT_EQ(setting("CONFIG", "LangId"), "1036");
}

TEST_F(ConfigurationDialogTest, GermanIsAcceptedWhenTypedAndAnUnknownNameChangesNothing) {
  typeLanguage("German");
  EXPECT_EQ(strings.languageId(), 1031);
  EXPECT_EQ(setting("CONFIG", "LangId"), "1031");
  typeLanguage("English US");
  typeLanguage("Klingon");
  EXPECT_EQ(strings.languageId(), 1033);
  EXPECT_EQ(setting("CONFIG", "LangId"), "1033");  // written, unchanged
  EXPECT_EQ(dialog->languageList()->currentText(), "English US");
}

TEST_F(ConfigurationDialogTest, CloseAfterRunIsSavedAtEveryClick) {
  QSignalSpy changed(dialog.get(), &ConfigurationDialog::closeAfterRunChanged);
  QCheckBox* box = dialog->closeAfterRunBox();
  const QPoint square(6, box->height() / 2);
  QTest::mouseClick(box, Qt::LeftButton, {}, square);
  EXPECT_EQ(setting("CONFIG", "CloseAfterPP"), "1");
  QTest::mouseClick(box, Qt::LeftButton, {}, square);
  EXPECT_EQ(setting("CONFIG", "CloseAfterPP"), "0");
  ASSERT_EQ(changed.count(), 2);
  EXPECT_TRUE(changed[0][0].toBool());
  EXPECT_FALSE(changed[1][0].toBool());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ConfigurationDialogTest, AliasesAreEditedRowByRowAndWrittenAtOnce) {
  AliasEditor* editor = dialog->aliasEditor();
  QTableWidget* table = editor->table();
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(0, 0)->text(), "DEEP2");
  EXPECT_EQ(table->item(1, 1)->text(), "PPRINT");
  QSignalSpy changed(dialog.get(), &ConfigurationDialog::aliasesChanged);

  QTest::mouseClick(dialog->findChild<QPushButton*>("AddAlias"), Qt::LeftButton);
  ASSERT_EQ(table->rowCount(), 3);
  auto* cellEditor = table->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(cellEditor, nullptr);
  QTest::keyClicks(cellEditor, "1STPECK");
  QTest::keyClick(cellEditor, Qt::Key_Return);
  QApplication::processEvents();  // the delegate commits the edit on the next turn
  EXPECT_EQ(table->item(2, 0)->text(), "1STPECK");
  EXPECT_TRUE(common::ProfileFile::load(path).has("APT_ALIAS", "1STPECK"));
  EXPECT_EQ(setting("APT_ALIAS", "1STPECK"), "");  // an empty replacement is allowed

  editor->addRow();
  table->item(3, 0)->setText("deep2");  // the file cannot tell it from DEEP2
  table->item(3, 1)->setText("X");
  EXPECT_EQ(table->item(3, 0)->background().color(), QColor(0xff, 0xd6, 0xd6));
  EXPECT_FALSE(table->item(3, 0)->toolTip().isEmpty());
  EXPECT_EQ(setting("APT_ALIAS", "DEEP2"), "DEEPCL");

  table->selectRow(1);
  QTest::mouseClick(dialog->findChild<QPushButton*>("RemoveAlias"), Qt::LeftButton);
  EXPECT_FALSE(common::ProfileFile::load(path).has("APT_ALIAS", "INSERT"));
  EXPECT_GE(changed.count(), 3);
  const std::string text = ordalis::test::ReadFile(path);
  EXPECT_NE(text.find("[APT_ALIAS]\r\n; examples\r\n;UNIT=UNITS\r\nDEEP2=DEEPCL\r\n1STPECK=\r\n"),
            std::string::npos)
      << text;
}

TEST_F(ConfigurationDialogTest, ASettingsFileThatCannotBeWrittenIsTold) {
  path = dir.file("gone/Ordalis.ini");
  open();
  QTest::mouseClick(dialog->closeAfterRunBox(), Qt::LeftButton, {},
                    QPoint(6, dialog->closeAfterRunBox()->height() / 2));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].startsWith("The file could not be written: "));
  EXPECT_TRUE(dialogs.messages[0].endsWith("gone/Ordalis.ini"));
}

TEST_F(ConfigurationDialogTest, Screenshots) {
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  QTableWidget* table = dialog->aliasEditor()->table();
  table->insertRow(2);
  table->setItem(2, 1, new QTableWidgetItem("X"));
  table->setItem(2, 0, new QTableWidgetItem("deep2"));  // repeated: shown in red, not written
  for (int language : {l10n::kEnglish, l10n::kFrench}) {
    strings.setLanguage(language);
    dialog->applyTexts();
    QApplication::processEvents();
    const QString name =
        language == l10n::kEnglish ? "configuration_dialog.png" : "configuration_dialog_fr.png";
    EXPECT_TRUE(dialog->grab().save(QString(ORDALIS_SCREENSHOT_DIR) + "/" + name));
  }
}

}  // namespace
}  // namespace ordalis::ui
