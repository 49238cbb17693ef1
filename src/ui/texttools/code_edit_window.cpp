#include "ui/texttools/code_edit_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/l10n/strings.h"
#include "core/texttools/template_preview.h"
#include "ui/common/cp1252.h"
#include "ui/texttools/code_text_edit.h"
#include "ui/texttools/placeholder_highlighter.h"

namespace ordalis::ui {

namespace {

constexpr int kTitle = 5572;           // "Code edit"
constexpr int kPreviewCaption = 5565;  // "Preview with sample values"

QWidget* Captioned(const QString& caption, QWidget* content) {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(caption, box);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  layout->addWidget(label);
  layout->addWidget(content, 1);
  return box;
}

}  // namespace

CodeEditWindow::CodeEditWindow(const QString& text, int fieldIndex, std::string_view key,
                               const ppdef::PostProcessorDefinition& definition,
                               const l10n::Strings& strings, QWidget* parent)
    : QWidget(parent, Qt::Window),
      fieldIndex_(fieldIndex),
      key_(key),
      definition_(definition),
      editor_(new CodeTextEdit),
      preview_(new QPlainTextEdit) {
  setWindowTitle(FromCp1252(strings.get(kTitle)) + " - " + FromCp1252(key));
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  editor_->setFont(fixed);
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
  new PlaceholderHighlighter(editor_->document());
  preview_->setFont(fixed);
  preview_->setReadOnly(true);
  preview_->setLineWrapMode(QPlainTextEdit::NoWrap);
  preview_->setStyleSheet("QPlainTextEdit { background: #f4f6f8; }");

  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(Captioned(FromCp1252(key), editor_));
  splitter->addWidget(Captioned(FromCp1252(strings.get(kPreviewCaption)), preview_));
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter);

  QString shown = text;
  editor_->setPlainText(shown.replace("\r\n", "\n"));
  connect(editor_, &QPlainTextEdit::textChanged, this, &CodeEditWindow::updatePreview);
  updatePreview();
  resize(820, 540);
}

void CodeEditWindow::updatePreview() {
  QString text = editor_->toPlainText();
  text.replace('\n', "\r\n");
  QString expanded = FromCp1252(texttools::PreviewTemplate(key_, ToCp1252(text), definition_));
  preview_->setPlainText(expanded.replace("\r\n", "\n"));
}

void CodeEditWindow::closeEvent(QCloseEvent* event) {
  // Handed back once, however often the window is asked to close.
  if (!returned_) {
    returned_ = true;
    emit textReturned(fieldIndex_, editor_->toPlainText());
  }
  event->accept();
}

}  // namespace ordalis::ui
