#pragma once
// The code edit window's colouring of placeholders: "&(" in blue, a variable name the template
// engine substitutes in green, any other name in red. It reads the text with the engine's own
// placeholder parser, so the window shows exactly what a conversion will substitute.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/common/text_pane.h"

namespace ordalis::texttools {

inline constexpr std::uint32_t kPlaceholderMarkColour = 0xFF0000;  // blue
inline constexpr std::uint32_t kKnownNameColour = 0x00FF00;        // green
inline constexpr std::uint32_t kUnknownNameColour = 0x0000FF;      // red
/// The colour of everything else in the code edit window.
inline constexpr std::uint32_t kPlainCodeColour = 0;

/// A run of characters and its colour; offsets are byte offsets into the coloured text.
struct ColourSpan {
  std::size_t start = 0;
  std::size_t length = 0;
  std::uint32_t colour = 0;
  bool operator==(const ColourSpan&) const = default;
};

/// True when the template engine substitutes `name` in some variable set (exact spelling).
bool IsKnownVariable(std::string_view name);

/// Appends to `spans`, in text order, the colours of every complete placeholder of `text`: "&("
/// then the name (green or red). The first part of an axis or feed marker is a value, not a name,
/// and keeps the plain colour. Text outside these spans keeps the plain colour.
void PlaceholderColours(std::string_view text, std::vector<ColourSpan>& spans);
std::vector<ColourSpan> PlaceholderColours(std::string_view text);

/// Colours the whole pane: plain colour first, then the placeholder spans. The selection, and so
/// the caret, is where it was before.
void ColourPlaceholders(common::TextPane& pane);

}  // namespace ordalis::texttools
