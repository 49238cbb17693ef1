#pragma once
// The configuration dialog: the language of the interface and the close-after-run option, both
// applied and saved at once (there is no OK or Cancel), and the CAM word aliases. Settings are
// written through the core; the window learns of each change by a signal.

#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class AliasEditor;
class Dialogs;

class ConfigurationDialog : public QDialog {
  Q_OBJECT

 public:
  /// Shows the current language of `strings`, which a language change reloads, and
  /// `closeAfterRun`; writes into the settings file `settingsPath`.
  ConfigurationDialog(l10n::Strings& strings, std::string settingsPath, bool closeAfterRun,
                      Dialogs& dialogs, QWidget* parent = nullptr);

  QComboBox* languageList() const { return languages_; }
  QCheckBox* closeAfterRunBox() const { return closeAfter_; }
  AliasEditor* aliasEditor() const { return aliases_; }

  /// The language change: the list's text names a language (else the language stays), the
  /// captions follow, the id is saved and the window is told, even when nothing changed.
  void chooseLanguage();
  void applyTexts();

 signals:
  /// The interface language is now `languageId`: the window applies its captions again.
  void languageChanged(int languageId);
  void closeAfterRunChanged(bool closeAfterRun);
  /// The aliases were saved: the next conversion reads them.
  void aliasesChanged();

 private:
  void connectControls();
  void showCurrentLanguage();
  void setCloseAfterRun(bool on);
  void tellWriteFailure();

  l10n::Strings& strings_;
  std::string settingsPath_;
  Dialogs& dialogs_;
  QGroupBox* frame_ = nullptr;
  QLabel* languageLabel_ = nullptr;
  QComboBox* languages_ = nullptr;
  QCheckBox* closeAfter_ = nullptr;
  AliasEditor* aliases_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace ordalis::ui
