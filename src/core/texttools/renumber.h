#pragma once
// ISO renumbering: the block number at the head of every line of a pane is rewritten in place,
// 1, 2, 3 ... in the definition's number format.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/progress.h"
#include "core/common/stop_flag.h"
#include "core/common/text_pane.h"

namespace ordalis::texttools {

/// Light blue (red 128, green 128, blue 255): the colour of renumbered lines.
inline constexpr std::uint32_t kRenumberedColour = 16744576;

struct RenumberFormat {
  std::string numberFormat;  // FORMAT_PP_N, a display pattern such as "N#0"
  std::string separator;     // PP_SPACE, put between the number and the block
};

/// Returns the line without its leading blanks and its block number ("N" and the digits after it)
/// and, when there was a number, without the blanks that followed it: the separator takes their
/// place, so renumbering again never widens the gap. The line break stays.
std::string_view StripBlockNumber(std::string_view line);

/// Returns the renumbered form of one line (its break included): the number `counter` in the
/// format, the separator, then the stripped line; empty when the stripped line is.
std::string RenumberedLine(std::string_view line, std::int32_t counter,
                           const RenumberFormat& format);

/// Renumbers every line of the pane from the top (the stop flag is cleared first). Each rewritten
/// line turns light blue. Returns true when the whole text was done, false when a stop request
/// ended it: the lines done keep their new number and colour, the others stay as they were.
bool Renumber(common::TextPane& pane, const RenumberFormat& format, common::StopFlag& stop,
              common::ProgressReporter& progress);

}  // namespace ordalis::texttools
