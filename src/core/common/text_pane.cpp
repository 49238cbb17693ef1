#include "core/common/text_pane.h"

#include <algorithm>

namespace ordalis::common {

namespace {

/// Windows-1252 case folding onto capitals, for searches that ignore case.
unsigned char Fold(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  switch (c) {
    case 0x9A:
      return 0x8A;
    case 0x9C:
      return 0x8C;
    case 0x9E:
      return 0x8E;
    case 0xFF:
      return 0x9F;
    default:
      return c;
  }
}

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view needle, bool matchCase) {
  if (matchCase) return text.compare(pos, needle.size(), needle) == 0;
  for (std::size_t i = 0; i < needle.size(); ++i) {
    if (Fold(static_cast<unsigned char>(text[pos + i])) !=
        Fold(static_cast<unsigned char>(needle[i]))) {
      return false;
    }
  }
  return true;
}

bool IsWholeWordAt(std::string_view text, std::size_t pos, std::size_t size) {
  if (pos > 0 && IsWordByte(static_cast<unsigned char>(text[pos - 1]))) return false;
  const std::size_t after = pos + size;
  return after >= text.size() || !IsWordByte(static_cast<unsigned char>(text[after]));
}

}  // namespace

void SelectCurrentLine(TextPane& pane) {
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

std::ptrdiff_t FindInText(std::string_view all, std::string_view text, std::size_t start,
                          std::size_t end, bool wholeWord, bool matchCase) {
  end = std::min(end, all.size());
  if (text.empty() || start >= end || end - start < text.size()) return -1;
  for (std::size_t pos = start; pos + text.size() <= end; ++pos) {
    if (MatchesAt(all, pos, text, matchCase) &&
        (!wholeWord || IsWholeWordAt(all, pos, text.size()))) {
      return static_cast<std::ptrdiff_t>(pos);
    }
  }
  return -1;
}

}  // namespace ordalis::common
