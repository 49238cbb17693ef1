#include "ui/texttools/code_text_edit.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStringList>
#include <QStringListModel>
#include <QTextBlock>

#include "core/iso/variable_sets.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

QStringList KnownNames() {
  QStringList names;
  for (std::string_view name : iso::TemplateVariableNames()) names << FromCp1252(name);
  names.sort();
  names.removeDuplicates();
  return names;
}

}  // namespace

CodeTextEdit::CodeTextEdit(QWidget* parent)
    : QPlainTextEdit(parent), completer_(new QCompleter(this)) {
  completer_->setModel(new QStringListModel(KnownNames(), completer_));
  completer_->setCaseSensitivity(Qt::CaseInsensitive);
  completer_->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
  completer_->setCompletionMode(QCompleter::PopupCompletion);
  completer_->setWidget(this);
  connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
          &CodeTextEdit::insertName);
}

QString CodeTextEdit::namePrefix() const {
  const QTextCursor cursor = textCursor();
  const QString before = cursor.block().text().left(cursor.positionInBlock());
  const qsizetype open = before.lastIndexOf("&(");
  if (open < 0) return {};
  const QString typed = before.mid(open + 2);
  if (typed.contains(',') || typed.contains(')')) return {};
  return typed.isNull() ? QString("") : typed;
}

void CodeTextEdit::insertName(const QString& name) {
  QTextCursor cursor = textCursor();
  // The name replaces what was typed of it; its comma follows, since a pattern always does.
  cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor,
                      static_cast<int>(namePrefix().size()));
  cursor.insertText(name + ',');
  setTextCursor(cursor);
  completer_->popup()->hide();
}

void CodeTextEdit::keyPressEvent(QKeyEvent* event) {
  if (completer_->popup()->isVisible()) {
    switch (event->key()) {
      case Qt::Key_Enter:
      case Qt::Key_Return:
      case Qt::Key_Tab:
      case Qt::Key_Escape:
        event->ignore();  // the completer takes them
        return;
      default:
        break;
    }
  }
  QPlainTextEdit::keyPressEvent(event);
  updateCompletion();
}

void CodeTextEdit::updateCompletion() {
  const QString prefix = namePrefix();
  if (prefix.isNull()) {
    completer_->popup()->hide();
    return;
  }
  completer_->setCompletionPrefix(prefix);
  if (completer_->completionCount() == 0) {
    completer_->popup()->hide();
    return;
  }
  completer_->popup()->setCurrentIndex(completer_->completionModel()->index(0, 0));
  QRect rect = cursorRect();
  rect.setWidth(completer_->popup()->sizeHintForColumn(0) +
                completer_->popup()->verticalScrollBar()->sizeHint().width());
  completer_->complete(rect);
}

}  // namespace ordalis::ui
