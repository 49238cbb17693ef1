#pragma once
// The key under which a line of text is matched to the moves of the toolpath display: the text of
// a selected line normalised the way the display stores a statement.

#include <string>
#include <string_view>

namespace ordalis::texttools {

/// Tabs become blanks; carriage returns and line feeds go, and so do leading and trailing blanks;
/// a "(" after the first position gets a blank before it when it has none; then, when the text
/// starts with a digit and holds a ":" after it, only what follows the first ":" is kept, without
/// its leading blanks.
std::string LineKey(std::string_view line);

}  // namespace ordalis::texttools
