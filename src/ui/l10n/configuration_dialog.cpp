#include "ui/l10n/configuration_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "core/app/settings_store.h"
#include "core/l10n/language_choice.h"
#include "core/l10n/strings.h"
#include "ui/common/cp1252.h"
#include "ui/common/dialogs.h"
#include "ui/l10n/alias_editor.h"

namespace ordalis::ui {

namespace {

constexpr int kCaption = 9001, kFrame = 9002, kLanguage = 9003, kCloseAfter = 9004, kClose = 9026,
              kWriteFailed = 4045;

}  // namespace

ConfigurationDialog::ConfigurationDialog(l10n::Strings& strings, std::string settingsPath,
                                         bool closeAfterRun, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      strings_(strings),
      settingsPath_(std::move(settingsPath)),
      dialogs_(dialogs) {
  setObjectName("FRMConfiguration");
  setModal(false);
  frame_ = new QGroupBox(this);
  frame_->setObjectName("FrameLangue");
  languageLabel_ = new QLabel(frame_);
  languageLabel_->setObjectName("LabelLangue");
  languages_ = new QComboBox(frame_);
  languages_->setObjectName("ComboLangue");
  languages_->setEditable(true);  // "German" is accepted when typed
  languages_->setInsertPolicy(QComboBox::NoInsert);
  for (const l10n::LanguageChoice& choice : l10n::OfferedLanguages()) {
    languages_->addItem(FromCp1252(choice.name));
  }
  languageLabel_->setBuddy(languages_);
  closeAfter_ = new QCheckBox(frame_);
  closeAfter_->setObjectName("CheckCloseAfterPP");
  closeAfter_->setChecked(closeAfterRun);
  auto* form = new QFormLayout(frame_);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  languages_->setMinimumContentsLength(16);
  form->addRow(languageLabel_, languages_);
  form->addRow(closeAfter_);
  aliases_ = new AliasEditor(strings_, settingsPath_, this);
  close_ = new QPushButton(this);
  close_->setObjectName("CloseButton");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame_);
  layout->addWidget(aliases_, 1);
  layout->addLayout(buttons);
  applyTexts();
  resize(520, 480);
  connectControls();
}

void ConfigurationDialog::connectControls() {
  connect(languages_, &QComboBox::activated, this, &ConfigurationDialog::chooseLanguage);
  connect(languages_->lineEdit(), &QLineEdit::editingFinished, this,
          &ConfigurationDialog::chooseLanguage);
  connect(closeAfter_, &QCheckBox::toggled, this, &ConfigurationDialog::setCloseAfterRun);
  connect(aliases_, &AliasEditor::saved, this, [this](bool ok) {
    if (!ok) tellWriteFailure();
    emit aliasesChanged();
  });
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void ConfigurationDialog::showCurrentLanguage() {
  const std::string_view name = l10n::LanguageNameOf(strings_.languageId());
  const QSignalBlocker blocker(languages_);
  languages_->setCurrentText(FromCp1252(name));
}

void ConfigurationDialog::applyTexts() {
  const auto text = [this](int id) { return FromCp1252(strings_.get(id)); };
  showCurrentLanguage();
  setWindowTitle(text(kCaption));
  frame_->setTitle(text(kFrame));
  languageLabel_->setText(text(kLanguage));
  closeAfter_->setText(text(kCloseAfter));
  close_->setText(text(kClose));
  aliases_->applyTexts();
}

void ConfigurationDialog::chooseLanguage() {
  const int id = l10n::LanguageIdOfName(ToCp1252(languages_->currentText().trimmed()));
  // The lexicon is not applied again: the catalogue's texts show until the next start.
  if (id > 0) strings_.setLanguage(id);
  applyTexts();
  if (!app::SaveLanguageId(settingsPath_, strings_.languageId())) tellWriteFailure();
  emit languageChanged(strings_.languageId());
}

void ConfigurationDialog::setCloseAfterRun(bool on) {
  if (!app::SaveCloseAfterPP(settingsPath_, on)) tellWriteFailure();
  emit closeAfterRunChanged(on);
}

void ConfigurationDialog::tellWriteFailure() {
  dialogs_.inform(this, FromCp1252(strings_.get(kWriteFailed)) + ' ' +
                            QFile::decodeName(QByteArray::fromStdString(settingsPath_)));
}

}  // namespace ordalis::ui
