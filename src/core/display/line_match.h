#pragma once
// Finding the moves of text lines: Put in front marks the moves of the selected ISO lines, a pick
// in the view finds the line of a move. Lines and statements meet on their line key (the key that
// texttools::LineKey makes), so blanks, tabs and a leading "12:" do not matter.

#include <span>
#include <string>
#include <vector>

#include "core/display/move_list.h"

namespace ordalis::display {

/// One flag per statement of `list`: whether its key is one of `keys` (keys made by LineKey).
std::vector<bool> StatementsWithKeys(const MoveList& list, std::span<const std::string> keys);

/// One flag per statement of `list`: whether its source line is in [firstLine, lastLine].
std::vector<bool> StatementsInLines(const MoveList& list, std::int32_t firstLine,
                                    std::int32_t lastLine);

}  // namespace ordalis::display
