#pragma once
// What QtTextPane's files share about the document: colours in the core's form, the line mark as
// a block property, and the widget's text as Windows-1252 bytes with CR LF breaks.

#include <QColor>
#include <QString>
#include <QTextBlock>
#include <QTextFormat>
#include <cstdint>
#include <string>

namespace ordalis::ui {

inline constexpr int kLineMarkProperty = QTextFormat::UserProperty + 1;

/// The core's 0x00BBGGRR colour as a QColor, and back.
inline QColor ToQColor(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}
inline std::uint32_t FromQColor(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) |
         static_cast<std::uint32_t>(colour.green()) << 8 |
         static_cast<std::uint32_t>(colour.blue()) << 16;
}

inline bool IsMarkedBlock(const QTextBlock& block) {
  return block.isValid() && block.blockFormat().boolProperty(kLineMarkProperty);
}

/// Widget text (paragraph separators between lines) as Windows-1252 bytes with CR LF breaks.
std::string BytesOfWidgetText(QString text);

}  // namespace ordalis::ui
