#include "core/app/text_pane.h"

namespace ordalis::app {

void selectCurrentLine(TextPane& pane) {
  pane.span("\r\n", false, true);
  pane.span("\r\n", true, true);
}

bool ToggleLineMark(TextPane& pane, std::size_t line) {
  if (line >= pane.lineCount()) return false;
  const bool marked = !pane.lineBullet(line);
  pane.setLineMark(line, marked);
  return marked;
}

bool IsWordByte(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_') {
    return true;
  }
  // The Windows-1252 letters below 0xC0; from 0xC0 on all are letters but the two signs.
  constexpr std::string_view kLowLetters = "\x83\x8A\x8C\x8E\x9A\x9C\x9E\x9F\xAA\xB5\xBA";
  if (c < 0xC0) return kLowLetters.find(static_cast<char>(c)) != std::string_view::npos;
  return c != 0xD7 && c != 0xF7;
}

}  // namespace ordalis::app
