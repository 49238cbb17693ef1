#pragma once
// Search and replace in the active text pane: the search dialog's two procedures and the window's
// Next and Replace all, sharing one search position.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/common/progress.h"
#include "core/common/stop_flag.h"
#include "core/common/text_pane.h"

namespace ordalis::texttools {

/// Colour 12 of the 16-colour basic palette (light red), which replaced text takes.
inline constexpr int kReplacedPaletteIndex = 12;

/// The 16-colour basic palette (0 black ... 15 bright white), red in the low byte; an index outside
/// 0-15 gives black.
std::uint32_t BasicPaletteColour(int index);

struct SearchOptions {
  bool wholeWord = false;  // `mot_entier`
  bool matchCase = false;
};

struct ReplaceAllResult {
  std::size_t replacements = 0;
  bool stopped = false;
};

class TextSearch {
 public:
  /// Searches `text` once from the end of the selection to the end of the pane. Found: the match
  /// is selected and the search position is its end; returns true. Not found: the search position
  /// and the caret go back to 0, so the next search starts from the top; returns false.
  bool findNext(common::TextPane& pane, std::string_view text, const SearchOptions& options);

  /// Replaces the selection (or inserts at the caret) with `replacement`, then selects it and
  /// colours it with palette entry `paletteIndex`; the search position is the replacement's start.
  void replaceSelection(common::TextPane& pane, std::string_view replacement,
                        int paletteIndex = kReplacedPaletteIndex);

  /// Replaces every occurrence from the end of the selection to the end of the pane, each taking
  /// the replaced colour. Returns the number of replacements made; stops early, keeping those made,
  /// when `stop` is requested (cleared first).
  ReplaceAllResult replaceAll(common::TextPane& pane, std::string_view text,
                              std::string_view replacement, const SearchOptions& options,
                              common::StopFlag& stop, common::ProgressReporter& progress);

  std::size_t position() const { return position_; }
  /// Closing the dialog starts the next search from the top.
  void reset() { position_ = 0; }

 private:
  std::size_t position_ = 0;
};

}  // namespace ordalis::texttools
