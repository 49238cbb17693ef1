#include "ui/texttools/search_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/common/progress.h"
#include "core/common/stop_flag.h"
#include "core/common/text_pane.h"
#include "core/l10n/strings.h"
#include "core/texttools/search.h"
#include "ui/common/cp1252.h"
#include "ui/common/dialogs.h"

namespace ordalis::ui {

namespace {

constexpr int kTitle = 4017, kNext = 4018, kReplaceAll = 4019, kReplaceCount = 604,
              kInterrupted = 2112;
constexpr int kSearchFor = 7001, kReplaceWith = 7002, kWholeWord = 7003, kMatchCase = 7004,
              kReplace = 7005, kClose = 7006, kNotFound = 7007;
constexpr int kHistory = 15;

}  // namespace

SearchDialog::SearchDialog(const l10n::Strings& strings, texttools::TextSearch& search,
                           common::StopFlag& stop, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), strings_(strings), search_(search), stop_(stop), dialogs_(dialogs) {
  setObjectName("Cherche");
  setModal(false);
  build();
  applyTexts();
  connect(searchBox_, &QComboBox::currentTextChanged, this,
          [this](const QString& text) { emit searchAvailable(!text.isEmpty()); });
  connect(next_, &QPushButton::clicked, this, &SearchDialog::findNext);
  connect(replace_, &QPushButton::clicked, this, &SearchDialog::replaceSelection);
  connect(replaceAll_, &QPushButton::clicked, this, &SearchDialog::replaceAll);
  connect(close_, &QPushButton::clicked, this, &SearchDialog::closeDialog);
  connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
          &SearchDialog::findNext);
}

void SearchDialog::build() {
  searchLabel_ = new QLabel(this);
  replaceLabel_ = new QLabel(this);
  searchBox_ = new QComboBox(this);
  replaceBox_ = new QComboBox(this);
  searchBox_->setObjectName("MotChercher");
  replaceBox_->setObjectName("MotRemplacer");
  for (QComboBox* box : {searchBox_, replaceBox_}) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(28);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  }
  searchLabel_->setBuddy(searchBox_);
  replaceLabel_->setBuddy(replaceBox_);
  wholeWord_ = new QCheckBox(this);
  wholeWord_->setObjectName("mot_entier");
  matchCase_ = new QCheckBox(this);
  matchCase_->setObjectName("casse");
  const auto button = [this](const char* name) {
    auto* b = new QPushButton(this);
    b->setObjectName(name);
    return b;
  };
  next_ = button("CommandCherche");
  next_->setDefault(true);
  replace_ = button("CommandReplace");
  replaceAll_ = button("CommandReplaceAll");
  close_ = button("OKButton");
  close_->setAutoDefault(false);
  status_ = new QLabel(this);
  status_->setObjectName("status");
  status_->setWordWrap(true);
  arrange();
}

void SearchDialog::arrange() {
  auto* grid = new QGridLayout(this);
  auto* checks = new QVBoxLayout;
  checks->addWidget(wholeWord_);
  checks->addWidget(matchCase_);
  grid->addWidget(searchLabel_, 0, 0);
  grid->addWidget(searchBox_, 0, 1);
  grid->addWidget(next_, 0, 2);
  grid->addWidget(replaceLabel_, 1, 0);
  grid->addWidget(replaceBox_, 1, 1);
  grid->addWidget(replace_, 1, 2);
  grid->addLayout(checks, 2, 1, 2, 1, Qt::AlignTop);
  grid->addWidget(replaceAll_, 2, 2);
  grid->addWidget(close_, 3, 2, Qt::AlignTop);
  grid->addWidget(status_, 4, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

void SearchDialog::applyTexts() {
  const auto text = [this](int id) { return FromCp1252(strings_.get(id)); };
  setWindowTitle(text(kTitle).remove('&'));
  searchLabel_->setText(text(kSearchFor));
  replaceLabel_->setText(text(kReplaceWith));
  wholeWord_->setText(text(kWholeWord));
  matchCase_->setText(text(kMatchCase));
  next_->setText(text(kNext));
  replace_->setText(text(kReplace));
  replaceAll_->setText(text(kReplaceAll));
  close_->setText(text(kClose));
}

void SearchDialog::showSearch() {
  if (pane_ != nullptr) {
    // A selection spanning lines cannot be typed in the box: the box keeps its text then.
    const std::string selection = pane_->selText();
    if (!selection.empty() && selection.find_first_of("\r\n") == std::string::npos) {
      searchBox_->setCurrentText(FromCp1252(selection));
    }
  }
  setStatus({});
  show();
  raise();
  activateWindow();
  searchBox_->setFocus();
  searchBox_->lineEdit()->selectAll();
}

bool SearchDialog::findNext() {
  if (pane_ == nullptr || searchText().isEmpty()) return false;
  remember(searchBox_);
  const texttools::SearchOptions options{wholeWord_->isChecked(), matchCase_->isChecked()};
  const bool found = search_.findNext(*pane_, ToCp1252(searchText()), options);
  setStatus(found ? QString() : FromCp1252(strings_.get(kNotFound)));
  return found;
}

void SearchDialog::replaceSelection() {
  if (pane_ == nullptr) return;
  remember(replaceBox_);
  search_.replaceSelection(*pane_, ToCp1252(replacementText()));
  setStatus({});
}

std::size_t SearchDialog::replaceAll() {
  if (pane_ == nullptr || searchText().isEmpty()) return 0;
  remember(searchBox_);
  remember(replaceBox_);
  QPointer<SearchDialog> self(this);
  const texttools::ReplaceAllResult result = runReplaceAll();
  if (self.isNull()) return result.replacements;
  QString message = FromCp1252(strings_.get(kReplaceCount));
  // The catalogue's trailing blank is trimmed when the table loads; the number needs it back.
  if (!message.isEmpty() && !message.endsWith(' ')) message += ' ';
  message += QString::number(result.replacements);
  if (result.stopped) message += '\n' + FromCp1252(strings_.get(kInterrupted));
  setStatus({});
  dialogs_.inform(isVisible() ? this : parentWidget(), message);
  return result.replacements;
}

// The window keeps repainting and hears Escape while the work goes on, but nothing may edit the
// text meanwhile, and a pane or dialog closed under it ends the work before it is touched again.
texttools::ReplaceAllResult SearchDialog::runReplaceAll() {
  QPointer<QWidget> paneWidget(dynamic_cast<QWidget*>(pane_));
  const bool hasWidget = !paneWidget.isNull();
  QPointer<SearchDialog> self(this);
  setEnabled(false);
  if (hasWidget) paneWidget->setEnabled(false);
  stop_.clear();
  common::StopFlag stop;
  common::ProgressReporter progress([&](const common::Progress&) {
    QApplication::processEvents();
    if (self.isNull() || (hasWidget && paneWidget.isNull())) {
      stop.request();
    } else if (stop_.requested()) {
      stop.request();
    }
  });
  const texttools::SearchOptions options{wholeWord_->isChecked(), matchCase_->isChecked()};
  const std::string text = ToCp1252(searchText());
  const std::string replacement = ToCp1252(replacementText());
  const texttools::ReplaceAllResult result =
      search_.replaceAll(*pane_, text, replacement, options, stop, progress);
  if (!paneWidget.isNull()) paneWidget->setEnabled(true);
  if (!self.isNull()) setEnabled(true);
  return result;
}

QString SearchDialog::searchText() const { return searchBox_->currentText(); }
QString SearchDialog::replacementText() const { return replaceBox_->currentText(); }
void SearchDialog::setSearchText(const QString& text) { searchBox_->setCurrentText(text); }
void SearchDialog::setReplacementText(const QString& text) { replaceBox_->setCurrentText(text); }
void SearchDialog::setWholeWord(bool on) { wholeWord_->setChecked(on); }

void SearchDialog::remember(QComboBox* box) {
  const QString text = box->currentText();
  if (text.isEmpty()) return;
  const int at = box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
  if (at == 0) return;
  if (at > 0) box->removeItem(at);
  box->insertItem(0, text);
  while (box->count() > kHistory) box->removeItem(box->count() - 1);
  box->setCurrentIndex(0);
}

void SearchDialog::closeDialog() {
  search_.reset();
  hide();
}

void SearchDialog::setStatus(const QString& text) {
  status_->setText(text);
  status_->setVisible(!text.isEmpty());
}

void SearchDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  emit searchAvailable(!searchText().isEmpty());
}

void SearchDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
    emit searchAvailable(!searchText().isEmpty());
  }
}

}  // namespace ordalis::ui
