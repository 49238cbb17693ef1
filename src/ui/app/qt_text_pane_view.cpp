// QtTextPane: the widget side, the gutter with line numbers and marks, and the mark commands.
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QTextBlock>

#include "ui/app/qt_text_pane.h"
#include "ui/app/qt_text_pane_format.h"

namespace ordalis::ui {

class QtTextPane::Gutter : public QWidget {
 public:
  explicit Gutter(QtTextPane* pane) : QWidget(pane), pane_(pane) {}
  QSize sizeHint() const override { return {pane_->gutterWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { pane_->paintGutter(event); }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pane_->gutterClicked(qRound(event->position().y()));
  }

 private:
  QtTextPane* pane_;
};

QtTextPane::QtTextPane(QWidget* parent) : QPlainTextEdit(parent), gutter_(new Gutter(this)) {
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // NC blocks are short and read line by line: no wrapping, and no layout of what is not shown.
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setViewportMargins(gutterWidth(), 0, 0, 0);
  connect(this, &QPlainTextEdit::blockCountChanged, [this] { updateGutterWidth(); });
  connect(this, &QPlainTextEdit::updateRequest, [this](const QRect& rect, int dy) {
    if (dy != 0) {
      gutter_->scroll(0, dy);
    } else {
      gutter_->update(0, rect.y(), gutter_->width(), rect.height());
    }
  });
  watchDocument();
}

void QtTextPane::watchDocument() {
  cacheValid_ = false;
  updateGutterWidth();
  connect(document(), &QTextDocument::contentsChange, this,
          [this](int position, int removed, int added) {
            cacheValid_ = false;
            if (loadingLines_ == 0) emit contentsChanged(position, removed, added);
          });
}

QtTextPane::~QtTextPane() = default;

int QtTextPane::gutterWidth() const { return gutterWidthFor(blockCount()); }

int QtTextPane::gutterWidthFor(int lines) const {
  int digits = 1;
  for (lines = std::max(1, lines); lines >= 10; lines /= 10) ++digits;
  const QFontMetrics metrics = fontMetrics();
  return metrics.height() + 8 + metrics.horizontalAdvance(QLatin1Char('9')) * digits;
}

void QtTextPane::updateGutter() { gutter_->update(); }

// The text starts where the gutter ends: a new font or another count of digits moves that edge;
// while a file is loaded, the count it will have.
void QtTextPane::updateGutterWidth() {
  const int width = gutterWidthFor(std::max(blockCount(), loadingLines_));
  setViewportMargins(width, 0, 0, 0);
  const QRect area = contentsRect();
  gutter_->setGeometry(QRect(area.left(), area.top(), width, area.height()));
}

void QtTextPane::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  updateGutterWidth();
}

void QtTextPane::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) updateGutterWidth();
}

void QtTextPane::paintGutter(QPaintEvent* event) {
  QPainter painter(gutter_);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  const int height = fontMetrics().height();
  const int markArea = height + 2;
  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  while (block.isValid() && top <= event->rect().bottom()) {
    const int bottom = top + qRound(blockBoundingRect(block).height());
    if (block.isVisible() && bottom >= event->rect().top()) {
      if (IsMarkedBlock(block)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(common::kLineMarkColour));
        painter.drawEllipse(QRectF(3, top + height * 0.2, height * 0.6, height * 0.6));
      }
      painter.setPen(palette().color(QPalette::PlaceholderText));
      painter.drawText(markArea, top, gutter_->width() - markArea - 4, height, Qt::AlignRight,
                       QString::number(block.blockNumber() + 1));
    }
    block = block.next();
    top = bottom;
  }
}

void QtTextPane::gutterClicked(int y) {
  if (lineMarking_) toggleMarkAt(cursorForPosition(QPoint(0, y)).block());
}

void QtTextPane::toggleMarkAt(const QTextBlock& block) {
  if (!block.isValid()) return;
  const int line = block.blockNumber();
  const bool marked = common::ToggleLineMark(*this, static_cast<std::size_t>(line));
  emit lineMarkToggled(line, marked);
}

void QtTextPane::keyPressEvent(QKeyEvent* event) {
  if (lineMarking_ && event->key() == Qt::Key_F9 && event->modifiers() == Qt::NoModifier) {
    toggleMarkAt(textCursor().block());
    event->accept();
    return;
  }
  ++userInput_;
  QPlainTextEdit::keyPressEvent(event);
  --userInput_;
}

void QtTextPane::inputMethodEvent(QInputMethodEvent* event) {
  ++userInput_;
  QPlainTextEdit::inputMethodEvent(event);
  --userInput_;
}

void QtTextPane::insertFromMimeData(const QMimeData* source) {
  ++userInput_;
  QPlainTextEdit::insertFromMimeData(source);
  --userInput_;
}

void QtTextPane::contextMenuEvent(QContextMenuEvent* event) {
  if (!lineMarking_) {
    QPlainTextEdit::contextMenuEvent(event);
    return;
  }
  // The line under the pointer becomes the caret's line, then its mark toggles.
  const QTextCursor at = cursorForPosition(event->pos());
  setTextCursor(at);
  toggleMarkAt(at.block());
  event->accept();
}

}  // namespace ordalis::ui
