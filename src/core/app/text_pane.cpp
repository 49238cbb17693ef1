#include "core/app/text_pane.h"

namespace ordalis::app {

void selectCurrentLine(TextPane& pane) {
  pane.span("\r\n", false, true);
  pane.span("\r\n", true, true);
}

bool IsWordByte(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_') {
    return true;
  }
  switch (c) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA:
      return true;
    default:
      return c >= 0xC0 && c != 0xD7 && c != 0xF7;
  }
}

}  // namespace ordalis::app
