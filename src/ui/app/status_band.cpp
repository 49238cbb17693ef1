#include "ui/app/status_band.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "core/common/progress.h"
#include "core/l10n/strings.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

constexpr int kCancel = 602;
constexpr int kLine = 4048, kColumn = 4049, kRate = 4050;

}  // namespace

StatusBand::StatusBand(QStatusBar* bar, const l10n::Strings& strings)
    : QObject(bar), strings_(strings) {
  definition_ = new QLabel(bar);
  definition_->setObjectName("statusDefinition");
  caret_ = new QLabel(bar);
  caret_->setObjectName("statusCaret");
  progress_ = new QProgressBar(bar);
  progress_->setObjectName("statusProgress");
  progress_->setRange(0, 100);
  progress_->setMaximumWidth(180);
  rate_ = new QLabel(bar);
  rate_->setObjectName("statusRate");
  cancel_ = new QPushButton(bar);
  cancel_->setObjectName("statusCancel");
  bar->addWidget(definition_, 1);
  bar->addPermanentWidget(rate_);
  bar->addPermanentWidget(progress_);
  bar->addPermanentWidget(cancel_);
  bar->addPermanentWidget(caret_);
  connect(cancel_, &QPushButton::clicked, this, &StatusBand::cancelClicked);
  setBusy(false);
  applyTexts();
}

void StatusBand::setDefinition(const QString& name) { definition_->setText(name); }

void StatusBand::setCaret(int line, int column) {
  line_ = line;
  column_ = column;
  caret_->setText(QString("%1 %2, %3 %4")
                      .arg(FromCp1252(strings_.get(kLine)))
                      .arg(line)
                      .arg(FromCp1252(strings_.get(kColumn)))
                      .arg(column));
}

void StatusBand::setBusy(bool busy) {
  progress_->setVisible(busy);
  rate_->setVisible(busy);
  cancel_->setVisible(busy);
  if (busy) {
    progress_->setValue(0);
    rate_->clear();
  }
}

void StatusBand::showProgress(const common::Progress& progress, double seconds) {
  progress_->setValue(progress.percent());
  if (seconds > 0 && progress.itemsDone > 0) {
    const auto rate = static_cast<long long>(static_cast<double>(progress.itemsDone) / seconds);
    rate_->setText(QString("%1 %2").arg(rate).arg(FromCp1252(strings_.get(kRate))));
  }
}

QString StatusBand::rateText() const { return rate_->text(); }

void StatusBand::applyTexts() {
  cancel_->setText(FromCp1252(strings_.get(kCancel)));
  setCaret(line_, column_);
}

}  // namespace ordalis::ui
