#include "ui/ppdef/field_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>

#include "core/l10n/strings.h"
#include "core/ppdef/definition_keys.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

constexpr int kBrowseCaption = 603;
constexpr int kCodeLines = 2;  // a code box shows at least this many lines

QString Text(const l10n::Strings& strings, int id) {
  return id == 0 ? QString() : FromCp1252(strings.get(id));
}

bool IsMultiLine(const ppdef::EditorField& field) {
  if (field.kind == ppdef::FieldKind::kLines) return true;
  const ppdef::DefinitionKey* key = ppdef::FindDefinitionKey(field.key);
  return field.kind == ppdef::FieldKind::kCode && key != nullptr &&
         key->type == ppdef::KeyType::kLines;
}

}  // namespace

void SetMark(QWidget* widget, const char* name, bool on) {
  if (widget == nullptr || widget->property(name).toBool() == on) return;
  widget->setProperty(name, on);
  widget->style()->unpolish(widget);
  widget->style()->polish(widget);
}

FieldView::FieldView(const ppdef::EditorField& field, const l10n::Strings& strings, QWidget* parent)
    : QObject(parent), field_(field) {
  // A key added without catalogue texts yet is shown by its own name.
  QString caption = field.labelId != 0 ? Text(strings, field.labelId) : FromCp1252(field.key);
  if (field.labelSuffixId != 0) caption += ' ' + Text(strings, field.labelSuffixId);
  using ppdef::FieldKind;
  switch (field.kind) {
    case FieldKind::kFlag:
      buildFlag(caption, parent);
      break;
    case FieldKind::kList:
      buildList(strings, parent);
      break;
    case FieldKind::kFolder:
      buildFolder(strings, parent);
      break;
    default:
      buildText(IsMultiLine(field), parent);
      break;
  }
  if (field.kind != FieldKind::kFlag) label_ = new QLabel(caption, parent);
  // The key is what the files and the manuals speak of: users search by it.
  const QString tip = Text(strings, field.toolTipId) + "\n[" + FromCp1252(field.key) + "]";
  input()->setToolTip(tip.trimmed());
  if (label_ != nullptr) {
    label_->setToolTip(tip.trimmed());
    label_->setBuddy(input());
  }
}

void FieldView::buildText(bool multiLine, QWidget* parent) {
  QWidget* widget;
  if (multiLine) {
    lines_ = new QPlainTextEdit(parent);
    lines_->setTabChangesFocus(true);
    lines_->viewport()->installEventFilter(this);
    connect(lines_, &QPlainTextEdit::textChanged, this, &FieldView::onChanged);
    widget = lines_;
  } else {
    line_ = new QLineEdit(parent);
    line_->installEventFilter(this);
    connect(line_, &QLineEdit::textChanged, this, &FieldView::onChanged);
    widget = line_;
  }
  // The notes are prose; every other multi-line text is blocks of G-code, where a wrapped line
  // would pass for a line break.
  const bool prose = field_.key == "PP_COMMENTAIRE";
  if (field_.kind == ppdef::FieldKind::kCode && !prose) {
    widget->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    if (lines_ != nullptr) lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
  }
  if (lines_ != nullptr) {
    const QFontMetrics metrics(lines_->font());
    lines_->setMinimumHeight(metrics.lineSpacing() * kCodeLines + 2 * lines_->frameWidth() + 8);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Height left over goes to the code boxes, never between the one-line rows.
    policy.setVerticalStretch(1);
    lines_->setSizePolicy(policy);
  }
  editor_ = widget;
}

void FieldView::buildFolder(const l10n::Strings& strings, QWidget* parent) {
  editor_ = new QWidget(parent);
  auto* row = new QHBoxLayout(editor_);
  row->setContentsMargins(0, 0, 0, 0);
  line_ = new QLineEdit(editor_);
  connect(line_, &QLineEdit::textChanged, this, &FieldView::onChanged);
  auto* browse = new QToolButton(editor_);
  browse->setText(Text(strings, kBrowseCaption));
  browse->setToolTip(Text(strings, field_.buttonTipId));
  connect(browse, &QToolButton::clicked, this, [this] { emit browseRequested(this); });
  row->addWidget(line_, 1);
  row->addWidget(browse);
}

void FieldView::buildList(const l10n::Strings& strings, QWidget* parent) {
  list_ = new QComboBox(parent);
  const ppdef::DefinitionKey* key = ppdef::FindDefinitionKey(field_.key);
  const int count = key != nullptr ? key->catalogueCount : 0;
  for (int n = 1; n <= count; ++n) list_->addItem(Text(strings, key->catalogueBase + n));
  list_->setCurrentIndex(-1);
  list_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(list_, &QComboBox::currentIndexChanged, this, &FieldView::onChanged);
  connect(list_, &QComboBox::activated, this, [this] { emit chosenByUser(this); });
  editor_ = list_;
}

void FieldView::buildFlag(const QString& caption, QWidget* parent) {
  check_ = new QCheckBox(caption, parent);
  connect(check_, &QCheckBox::toggled, this, &FieldView::onChanged);
  connect(check_, &QCheckBox::clicked, this, [this] { emit chosenByUser(this); });
  editor_ = check_;
}

QWidget* FieldView::input() const {
  if (line_ != nullptr) return line_;
  return editor_;
}

QString FieldView::caption() const { return label_ != nullptr ? label_->text() : check_->text(); }

QString FieldView::text() const {
  if (line_ != nullptr) return line_->text();
  if (lines_ != nullptr) return lines_->toPlainText();
  return {};
}

void FieldView::setText(const QString& text) {
  if (line_ != nullptr) {
    // One-line fields show a multi-line text on one line rather than lose its other lines.
    QString one = text;
    one.replace("\r\n", " ").replace('\n', ' ').replace('\r', ' ');
    line_->setText(one);
  } else if (lines_ != nullptr) {
    lines_->setPlainText(text);
  }
}

bool FieldView::isChecked() const { return check_ != nullptr && check_->isChecked(); }

void FieldView::setChecked(bool checked) {
  if (check_ != nullptr) check_->setChecked(checked);
}

int FieldView::index() const { return list_ != nullptr ? list_->currentIndex() : -1; }

void FieldView::setIndex(int index) {
  if (list_ == nullptr) return;
  list_->setCurrentIndex(index >= 0 && index < list_->count() ? index : -1);
}

QString FieldView::shownText() const { return list_ != nullptr ? list_->currentText() : QString(); }

QString FieldView::valueText() const {
  if (check_ != nullptr) return check_->isChecked() ? "1" : "0";
  if (list_ != nullptr) return QString::number(list_->currentIndex());
  return text();
}

void FieldView::setBaseline() {
  baseline_ = valueText();
  onChanged();
}

void FieldView::onChanged() {
  changed_ = valueText() != baseline_;
  SetMark(editor_ == nullptr ? nullptr : input(), "changed", changed_);
  // The caption of a changed field is bold, whether it is a label or the check box's own.
  QWidget* caption = label_ != nullptr ? static_cast<QWidget*>(label_) : check_;
  if (caption != nullptr && caption->font().bold() != changed_) {
    QFont font = caption->font();
    font.setBold(changed_);
    caption->setFont(font);
  }
  if (changed_) setInvalid(false);
  emit edited(this);
}

void FieldView::setInvalid(bool invalid) { SetMark(input(), "invalid", invalid); }

bool FieldView::matches(const QString& filter) const {
  if (filter.isEmpty()) return true;
  const auto has = [&filter](const QString& s) { return s.contains(filter, Qt::CaseInsensitive); };
  return has(FromCp1252(field_.key)) || has(caption()) ||
         has(list_ != nullptr ? shownText() : text());
}

bool FieldView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick && field_.editNumber != 0) {
    emit codeRequested(this);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace ordalis::ui
