#include "core/texttools/search.h"

#include <array>
#include <string>

namespace ordalis::texttools {

std::uint32_t BasicPaletteColour(int index) {
  static constexpr std::array<std::uint32_t, 16> kPalette = {
      0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
      0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  return index >= 0 && index < 16 ? kPalette[static_cast<std::size_t>(index)] : 0;
}

bool TextSearch::findNext(common::TextPane& pane, std::string_view text,
                          const SearchOptions& options) {
  const std::size_t from = pane.selStart() + pane.selLength();
  const std::ptrdiff_t found =
      pane.find(text, from, std::string::npos, options.wholeWord, options.matchCase);
  if (found < 0) {
    position_ = 0;
    pane.setSelStart(0);
    return false;
  }
  pane.select(static_cast<std::size_t>(found), text.size());
  position_ = static_cast<std::size_t>(found) + text.size();
  return true;
}

void TextSearch::replaceSelection(common::TextPane& pane, std::string_view replacement,
                                  int paletteIndex) {
  position_ = pane.selStart();
  pane.setSelText(replacement);
  pane.select(position_, pane.selStart() - position_);
  pane.setSelColor(BasicPaletteColour(paletteIndex));
}

// Goes on while searches find something. The search position alone cannot say so: a replacement
// at the very start of the text puts it back to 0, which would end the loop after one match.
ReplaceAllResult TextSearch::replaceAll(common::TextPane& pane, std::string_view text,
                                        std::string_view replacement, const SearchOptions& options,
                                        common::StopFlag& stop,
                                        common::ProgressReporter& progress) {
  stop.clear();
  ReplaceAllResult result;
  common::Progress figures;
  while (findNext(pane, text, options)) {
    replaceSelection(pane, replacement);
    ++result.replacements;
    figures.itemsDone = result.replacements;
    figures.bytesDone = pane.selStart() + pane.selLength();
    figures.bytesTotal = pane.length();
    progress.update(figures);
    if (stop.requested()) {
      result.stopped = true;
      break;
    }
  }
  progress.report(figures);
  return result;
}

}  // namespace ordalis::texttools
