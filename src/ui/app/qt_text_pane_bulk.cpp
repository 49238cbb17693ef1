// QtTextPane: bulk operations, line marks, files.
#include <QTextDocument>
#include <algorithm>
#include <cstdio>

#include "core/common/profile_file.h"
#include "core/common/text.h"
#include "ui/app/qt_text_pane.h"
#include "ui/app/qt_text_pane_format.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

// The document's line count for these bytes: CR LF, LF and CR alone each end a line.
int LineCountOf(std::string_view bytes) {
  int lines = 1;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
      ++lines;
  }
  return lines;
}

}  // namespace

std::string BytesOfWidgetText(QString text) {
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return common::NormaliseLineBreaks(ToCp1252(text));
}

// Runs of pieces in one colour go in as one insertion, all of them as one edit.
void QtTextPane::appendText(std::span<const common::ColouredText> pieces) {
  QTextCursor c(document());
  c.movePosition(QTextCursor::End);
  const int first = c.blockNumber();
  const bool lastMarked = IsMarkedBlock(c.block());
  c.beginEditBlock();
  QString run;
  const auto flush = [&] {
    if (!run.isEmpty()) c.insertText(run, format_);
    run.clear();
  };
  for (const common::ColouredText& piece : pieces) {
    const QColor colour = ToQColor(piece.colour);
    if (format_.foreground().color() != colour ||
        !format_.hasProperty(QTextFormat::ForegroundBrush)) {
      flush();
      format_.setForeground(colour);
    }
    run += FromCp1252(piece.text);
  }
  flush();
  c.endEditBlock();
  if (lastMarked) settleMarks(first, c.blockNumber(), true);
  setTextCursor(c);
}

void QtTextPane::colourLines(std::span<const common::LineColour> ranges) {
  const QTextDocument* doc = document();
  const int lines = doc->blockCount();
  QTextCursor c(document());
  c.beginEditBlock();
  for (const common::LineColour& range : ranges) {
    if (range.first >= static_cast<std::size_t>(lines) || range.count == 0) continue;
    const int first = static_cast<int>(range.first);
    const int last = static_cast<int>(std::min<std::size_t>(range.first + range.count, lines)) - 1;
    const QTextBlock from = doc->findBlockByNumber(first);
    const QTextBlock to = last == first ? from : doc->findBlockByNumber(last);
    c.setPosition(from.position());
    c.setPosition(std::min(to.position() + to.length(), doc->characterCount() - 1),
                  QTextCursor::KeepAnchor);
    QTextCharFormat change;
    change.setForeground(ToQColor(range.colour));
    c.mergeCharFormat(change);
  }
  c.endEditBlock();
}

std::vector<std::size_t> QtTextPane::markedLines() const {
  std::vector<std::size_t> lines;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (IsMarkedBlock(block)) lines.push_back(static_cast<std::size_t>(block.blockNumber()));
  }
  return lines;
}

QTextCursor QtTextPane::lineCursor(const QTextBlock& block) const {
  QTextCursor c(block);
  c.setPosition(std::min(block.position() + block.length(), document()->characterCount() - 1),
                QTextCursor::KeepAnchor);
  return c;
}

void QtTextPane::setLineMark(std::size_t line, bool marked) {
  if (line >= lineCount()) return;
  const QTextBlock block = document()->findBlockByNumber(static_cast<int>(line));
  QTextCursor c = lineCursor(block);
  c.beginEditBlock();
  QTextCharFormat change;
  change.setForeground(ToQColor(marked ? common::kLineMarkColour : 0));
  c.mergeCharFormat(change);
  setBlockMark(block, marked);
  c.endEditBlock();
}

void QtTextPane::setBlockMark(QTextBlock block, bool marked) {
  if (IsMarkedBlock(block) == marked) return;
  QTextBlockFormat format = block.blockFormat();
  if (marked) {
    format.setProperty(kLineMarkProperty, true);
  } else {
    format.clearProperty(kLineMarkProperty);
  }
  QTextCursor(block).setBlockFormat(format);
  viewport()->update();
  updateGutter();
}

void QtTextPane::settleMarks(int firstBlock, int lastBlock, bool lastMarked) {
  QTextBlock block = document()->findBlockByNumber(firstBlock);
  for (int number = firstBlock; number < lastBlock && block.isValid(); ++number) {
    setBlockMark(block, false);
    block = block.next();
  }
  if (block.isValid()) setBlockMark(block, lastMarked);
}

void QtTextPane::clear() {
  setPlainText(QString());
  document()->setModified(false);
  format_ = QTextCharFormat();
  fileFormat_ = common::TextFileFormat();
  cacheValid_ = false;
}

bool QtTextPane::load(const std::string& path) {
  std::string bytes;
  if (!common::ReadFileBytes(common::NativePath(path), bytes)) return false;
  std::string_view body;
  common::TextFileFormat format = common::TextFileFormat::detect(bytes, body);
  fillDocument(FromCp1252(body), LineCountOf(body));
  format_ = QTextCharFormat();
  fileFormat_ = std::move(format);
  moveCursor(QTextCursor::Start);
  return true;
}

bool QtTextPane::save(const std::string& path) const {
  return common::WriteFileAtomically(common::NativePath(path), fileFormat_.write(text()));
}

// The shown document takes the text in one edit. Whatever changes the width of the text then
// makes the widget lay out every block again, a QTextLayout each: most of the time of a large file.
// A wider gutter and a vertical scroll bar that appears would both do it, so both are settled while
// the document is empty. Loading is no edit of the user's: it is not reported.
void QtTextPane::fillDocument(const QString& text, int lines) {
  QTextDocument* doc = document();
  loadingLines_ = std::max(1, lines);
  doc->setUndoRedoEnabled(false);
  doc->clear();
  const bool tall = lines > viewport()->height() / std::max(1, fontMetrics().lineSpacing());
  if (tall) setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  doc->setPlainText(text);
  if (tall) setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  doc->setUndoRedoEnabled(true);
  doc->setModified(false);
  loadingLines_ = 0;
  updateGutterWidth();  // in case the count above missed a break the document knows
  cacheValid_ = false;
}

void QtTextPane::setBackground(std::uint32_t colour) {
  background_ = colour;
  QPalette palette = this->palette();
  palette.setColor(QPalette::Base, ToQColor(colour));
  setPalette(palette);
}

}  // namespace ordalis::ui
