#include "ui/l10n/about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "core/l10n/strings.h"
#include "ui/app/command_icons.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

constexpr int kLanguageName = 1, kAboutWord = 501, kVersionWord = 502, kOk = 601,
              kDescription = 9029;
constexpr const char* kTitle = "Ordalis";

#define ORDALIS_TEXT_(x) #x
#define ORDALIS_TEXT(x) ORDALIS_TEXT_(x)

QString BuildText() {
#if defined(__clang__)
  const QString compiler = QString("clang %1.%2").arg(__clang_major__).arg(__clang_minor__);
#elif defined(__GNUC__)
  const QString compiler = QString("GCC %1.%2").arg(__GNUC__).arg(__GNUC_MINOR__);
#else
  const QString compiler = "C++";
#endif
  // The Qt the program runs on may differ from the one it was built with.
  QString qt = QString("Qt ") + qVersion();
  if (qt != QString("Qt " QT_VERSION_STR)) qt += " (" QT_VERSION_STR ")";
  return QString("%1, %2, %3").arg(qt, compiler, __DATE__);
}

}  // namespace

QString ProgramVersion() {
  return QStringLiteral(ORDALIS_TEXT(ORDALIS_VERSION_MAJOR) "." ORDALIS_TEXT(
      ORDALIS_VERSION_MINOR) "." ORDALIS_TEXT(ORDALIS_VERSION_PATCH));
}

AboutBox::AboutBox(Kind kind, const l10n::Strings& strings, QWidget* parent)
    : QDialog(parent), strings_(strings) {
  setObjectName(kind == Kind::kVersion ? "frmAbout" : "frmApropos");
  setModal(false);
  auto* icon = new QLabel(this);
  icon->setPixmap(
      CommandIcon(kind == Kind::kVersion ? Command::kVersion : Command::kAbout).pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  title_ = new QLabel(kTitle, this);
  title_->setObjectName("lblTitle");
  QFont big = title_->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  title_->setFont(big);
  description_ = new QLabel(this);
  description_->setObjectName("lblDescription");
  description_->setWordWrap(true);
  description_->setVisible(kind == Kind::kAbout);
  version_ = new QLabel(this);
  version_->setObjectName("lblVersion");
  language_ = new QLabel(this);
  language_->setObjectName("LbLangue");
  build_ = new QLabel(BuildText(), this);
  build_->setObjectName("lblBuild");
  build_->setVisible(kind == Kind::kVersion);
  build_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  ok_ = new QPushButton(this);
  ok_->setObjectName("cmdOK");
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  arrange(icon);
  applyTexts();
}

void AboutBox::arrange(QLabel* icon) {
  auto* texts = new QVBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(title_), static_cast<QWidget*>(description_),
                     static_cast<QWidget*>(version_), static_cast<QWidget*>(language_),
                     static_cast<QWidget*>(build_)}) {
    texts->addWidget(w);
  }
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(12);
  top->addLayout(texts, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  description_->setMinimumWidth(440);
}

void AboutBox::applyTexts() {
  const auto text = [this](int id) { return FromCp1252(strings_.get(id)); };
  setWindowTitle(text(kAboutWord) + ' ' + kTitle);
  description_->setText(text(kDescription));
  version_->setText(text(kVersionWord) + ' ' + ProgramVersion());
  language_->setText(text(kLanguageName));
  ok_->setText(text(kOk));
}

}  // namespace ordalis::ui
