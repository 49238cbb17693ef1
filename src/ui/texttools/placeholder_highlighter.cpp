#include "ui/texttools/placeholder_highlighter.h"

#include <QTextCharFormat>

#include "core/texttools/placeholder_colouring.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

const QColor kNameGround(0x2b, 0x30, 0x38);

QColor FromStoredColour(std::uint32_t value) {
  return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
          static_cast<int>((value >> 16) & 0xFF)};
}

// The template as the core reads it, one byte per character of `text`, so that the spans' byte
// offsets are the character positions of the block.
std::string OneBytePerChar(const QString& text) {
  std::string bytes = ToCp1252(text);
  if (bytes.size() == static_cast<std::size_t>(text.size())) return bytes;
  bytes.clear();
  for (QChar c : text) bytes += c.isSurrogate() ? '?' : ToCp1252(QString(c)).front();
  return bytes;
}

}  // namespace

PlaceholderHighlighter::PlaceholderHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document) {}

void PlaceholderHighlighter::highlightBlock(const QString& text) {
  // Templates hold a placeholder on one line, so each line is coloured on its own.
  for (const texttools::ColourSpan& span : texttools::PlaceholderColours(OneBytePerChar(text))) {
    QTextCharFormat format;
    format.setForeground(FromStoredColour(span.colour));
    format.setFontWeight(QFont::Bold);
    // Pure green cannot be read on white: names sit on a dark ground that keeps both their
    // colours legible.
    if (span.colour != texttools::kPlaceholderMarkColour) format.setBackground(kNameGround);
    setFormat(static_cast<int>(span.start), static_cast<int>(span.length), format);
  }
}

}  // namespace ordalis::ui
