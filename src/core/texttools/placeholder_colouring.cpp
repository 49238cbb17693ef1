#include "core/texttools/placeholder_colouring.h"

#include <string>

#include "core/iso/template_engine.h"

namespace ordalis::texttools {

bool IsKnownVariable(std::string_view name) { return iso::IsTemplateVariable(name); }

void PlaceholderColours(std::string_view text, std::vector<ColourSpan>& spans) {
  const auto offsetOf = [&](std::string_view part) {
    return static_cast<std::size_t>(part.data() - text.data());
  };
  iso::TemplateHandler handler;
  handler.placeholder = [&](std::string_view name, std::string_view pattern,
                            std::string_view whole) {
    spans.push_back({offsetOf(whole), 2, kPlaceholderMarkColour});
    if (iso::IsMarkerPattern(pattern) || name.empty()) return;
    spans.push_back({offsetOf(name), name.size(),
                     IsKnownVariable(name) ? kKnownNameColour : kUnknownNameColour});
  };
  iso::ParseTemplate(text, handler);
}

std::vector<ColourSpan> PlaceholderColours(std::string_view text) {
  std::vector<ColourSpan> spans;
  PlaceholderColours(text, spans);
  return spans;
}

void ColourPlaceholders(common::TextPane& pane) {
  const std::size_t start = pane.selStart();
  const std::size_t length = pane.selLength();
  const std::string text = pane.text();
  pane.select(0, pane.length());
  pane.setSelColor(kPlainCodeColour);
  for (const ColourSpan& span : PlaceholderColours(text)) {
    pane.select(span.start, span.length);
    pane.setSelColor(span.colour);
  }
  // What the user types next is plain text, whatever span was coloured last.
  pane.select(start, 0);
  pane.setSelColor(kPlainCodeColour);
  pane.select(start, length);
}

}  // namespace ordalis::texttools
