#pragma once
// Finding the moves of text lines: Put in front marks the moves of the selected ISO lines, a pick
// in the view finds the line of a move. Lines and statements meet on their line key (the key that
// texttools::LineKey makes), so blanks, tabs and a leading "12:" do not matter.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/common/text_pane.h"
#include "core/display/move_list.h"

namespace ordalis::display {

/// One flag per statement of `list`: whether its key is one of `keys` (keys made by LineKey).
std::vector<bool> StatementsWithKeys(const MoveList& list, std::span<const std::string> keys);

/// One flag per statement of `list`: whether its key, or the key of one of the ISO lines it wrote
/// (its info text or its block keys), is one of `keys`. The ISO pane holds what the statements
/// wrote, so its lines find their statements through either.
std::vector<bool> StatementsOfLines(const MoveList& list, std::span<const std::string> keys);

/// One flag per statement of `list`: whether its source line is in [firstLine, lastLine].
std::vector<bool> StatementsInLines(const MoveList& list, std::int32_t firstLine,
                                    std::int32_t lastLine);

/// The keys of the whole lines that the pane's selection touches, none when nothing is selected.
/// The selection is as it was afterwards.
std::vector<std::string> SelectedLineKeys(common::TextPane& pane);

/// Selects the line where `statement` of `list` stands now, its break included, which brings it
/// into view: the line it came from when that line still holds it, else the first line holding
/// its text as a whole word (the text was edited since), else the line it came from. False, the
/// selection unchanged, when the pane has no such line.
bool SelectStatement(common::TextPane& pane, const MoveList& list, std::uint32_t statement);

}  // namespace ordalis::display
