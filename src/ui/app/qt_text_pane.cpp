// QtTextPane: the pane contract on the widget's document. Offsets are mapped through blocks: the
// offset where block j starts is its document position plus j (one more character per break).
#include "ui/app/qt_text_pane.h"

#include <QTextDocument>
#include <algorithm>

#include "ui/app/qt_text_pane_format.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

QtTextPane::Located QtTextPane::locate(std::size_t offset) const {
  if (cacheValid_) {
    Located at = cache_;
    for (int step = 0; step < 4 && offset >= at.start; ++step) {
      const QTextBlock next = at.block.next();
      const std::size_t nextStart = at.start + static_cast<std::size_t>(at.block.length()) + 1;
      if (offset < nextStart || !next.isValid()) return cache_ = at;
      at = {next, nextStart};
    }
  }
  // The last block whose start is at or before the offset; a block takes two offsets at least.
  const QTextDocument* doc = document();
  int lo = 0;
  int hi = static_cast<int>(std::min<std::size_t>(doc->blockCount() - 1, offset / 2));
  while (lo < hi) {
    const int mid = lo + (hi - lo + 1) / 2;
    if (static_cast<std::size_t>(doc->findBlockByNumber(mid).position() + mid) <= offset) {
      lo = mid;
    } else {
      hi = mid - 1;
    }
  }
  const QTextBlock block = doc->findBlockByNumber(lo);
  cache_ = {block, static_cast<std::size_t>(block.position() + lo)};
  cacheValid_ = true;
  return cache_;
}

int QtTextPane::positionOf(std::size_t offset) const {
  const Located at = locate(offset);
  const int textLength = at.block.length() - 1;
  const std::size_t local = offset - at.start;
  if (local <= static_cast<std::size_t>(textLength))
    return at.block.position() + static_cast<int>(local);
  const QTextBlock next = at.block.next();
  return next.isValid() ? next.position() : at.block.position() + textLength;
}

std::size_t QtTextPane::offsetOf(int position) const {
  return static_cast<std::size_t>(position + document()->findBlock(position).blockNumber());
}

std::size_t QtTextPane::length() const {
  const QTextDocument* doc = document();
  return static_cast<std::size_t>(doc->characterCount() - 1 + doc->blockCount() - 1);
}

std::string QtTextPane::text() const { return BytesOfWidgetText(document()->toRawText()); }

std::size_t QtTextPane::selStart() const { return offsetOf(textCursor().selectionStart()); }

std::size_t QtTextPane::selLength() const {
  const QTextCursor c = textCursor();
  return offsetOf(c.selectionEnd()) - offsetOf(c.selectionStart());
}

void QtTextPane::setSelStart(std::size_t start) {
  QTextCursor c = textCursor();
  c.setPosition(positionOf(start));
  setTextCursor(c);
}

void QtTextPane::setSelLength(std::size_t length) {
  const std::size_t start = selStart();
  const std::size_t end = start + std::min(length, this->length() - start);
  QTextCursor c = textCursor();
  c.setPosition(positionOf(start));
  c.setPosition(positionOf(end), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

std::string QtTextPane::selText() const { return BytesOfWidgetText(textCursor().selectedText()); }

void QtTextPane::setSelText(std::string_view text) {
  QTextCursor c = textCursor();
  const QTextDocument* doc = document();
  const int first = doc->findBlock(c.selectionStart()).blockNumber();
  const bool lastMarked = IsMarkedBlock(doc->findBlock(c.selectionEnd()));
  const bool firstMarked = IsMarkedBlock(doc->findBlock(c.selectionStart()));
  c.insertText(FromCp1252(text), format_);
  const int last = c.blockNumber();
  if (lastMarked || firstMarked) settleMarks(first, last, lastMarked);
  setTextCursor(c);
}

void QtTextPane::setSelColor(std::uint32_t colour) {
  format_.setForeground(ToQColor(colour));
  QTextCharFormat change;
  change.setForeground(ToQColor(colour));
  mergeCurrentCharFormat(change);
}

void QtTextPane::setSelUnderline(bool underline) {
  format_.setFontUnderline(underline);
  QTextCharFormat change;
  change.setFontUnderline(underline);
  mergeCurrentCharFormat(change);
}

bool QtTextPane::selBullet() const {
  return IsMarkedBlock(document()->findBlock(textCursor().selectionStart()));
}

void QtTextPane::setSelBullet(bool bullet) {
  const std::size_t start = selStart();
  const std::size_t length = selLength();
  const std::size_t first = lineOf(start);
  const std::size_t last = lineOf(start + (length > 0 ? length - 1 : 0));
  QTextBlock block = document()->findBlockByNumber(static_cast<int>(first));
  for (std::size_t line = first; line <= last && block.isValid(); ++line, block = block.next()) {
    setBlockMark(block, bullet);
  }
}

void QtTextPane::span(std::string_view charset, bool forward, bool negate) {
  const auto stops = [&](char c) { return (charset.find(c) != std::string_view::npos) == negate; };
  std::size_t begin = selStart();
  std::size_t end = begin + selLength();
  Located at = locate(forward ? end : begin);
  std::string line = ToCp1252(at.block.text());
  std::size_t local = (forward ? end : begin) - at.start;
  if (forward) {
    for (;;) {
      while (local < line.size() && !stops(line[local])) ++local;
      if (local < line.size() || !at.block.next().isValid() || stops('\r')) break;
      local = line.size() + 2;  // past the break: the start of the next line
      if (stops('\n')) break;
      at = {at.block.next(), at.start + local};
      line = ToCp1252(at.block.text());
      local = 0;
    }
    end = at.start + local;
  } else {
    for (;;) {
      while (local > 0 && !stops(line[local - 1])) --local;
      if (local > 0 || !at.block.previous().isValid() || stops('\n') || stops('\r')) break;
      at.block = at.block.previous();
      line = ToCp1252(at.block.text());
      at.start -= line.size() + 2;
      local = line.size();
    }
    begin = at.start + local;
  }
  QTextCursor c = textCursor();
  c.setPosition(positionOf(begin));
  c.setPosition(positionOf(end), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

// Line by line on the document, each line's bytes only; a text holding a line break is looked
// for in the whole text.
std::ptrdiff_t QtTextPane::find(std::string_view text, std::size_t start, std::size_t end,
                                bool wholeWord, bool matchCase) const {
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    return common::FindInText(this->text(), text, start, end, wholeWord, matchCase);
  }
  end = std::min(end, length());
  if (text.empty() || start >= end) return -1;
  const Located at = locate(start);
  std::size_t lineStart = at.start;
  for (QTextBlock block = at.block; block.isValid() && lineStart < end; block = block.next()) {
    const std::string line = ToCp1252(block.text());
    const std::size_t from = start > lineStart ? start - lineStart : 0;
    const std::size_t to = std::min(end - lineStart, line.size());
    if (from < to) {
      const std::ptrdiff_t found = common::FindInText(line, text, from, to, wholeWord, matchCase);
      if (found >= 0) return static_cast<std::ptrdiff_t>(lineStart) + found;
    }
    lineStart += line.size() + 2;
  }
  return -1;
}

std::size_t QtTextPane::lineCount() const {
  return static_cast<std::size_t>(document()->blockCount());
}

std::size_t QtTextPane::lineOf(std::size_t offset) const {
  return static_cast<std::size_t>(locate(std::min(offset, length())).block.blockNumber());
}

std::size_t QtTextPane::lineStart(std::size_t line) const {
  if (line >= lineCount()) return length();
  const int number = static_cast<int>(line);
  return static_cast<std::size_t>(document()->findBlockByNumber(number).position() + number);
}

QTextCharFormat QtTextPane::formatAt(std::size_t offset) const {
  if (offset >= length()) return {};
  const Located at = locate(offset);
  const std::size_t local = offset - at.start;
  if (local >= static_cast<std::size_t>(at.block.length() - 1)) {
    // A break's format is carried by the block it opens.
    const QTextBlock next = at.block.next();
    return next.isValid() ? next.charFormat() : QTextCharFormat();
  }
  const int position = at.block.position() + static_cast<int>(local);
  for (auto it = at.block.begin(); !it.atEnd(); ++it) {
    if (it.fragment().contains(position)) return it.fragment().charFormat();
  }
  return {};
}

std::uint32_t QtTextPane::colourAt(std::size_t offset) const {
  const QTextCharFormat format = formatAt(offset);
  return format.hasProperty(QTextFormat::ForegroundBrush) ? FromQColor(format.foreground().color())
                                                          : 0;
}

bool QtTextPane::underlineAt(std::size_t offset) const { return formatAt(offset).fontUnderline(); }

bool QtTextPane::lineBullet(std::size_t line) const {
  return line < lineCount() && IsMarkedBlock(document()->findBlockByNumber(static_cast<int>(line)));
}

}  // namespace ordalis::ui
