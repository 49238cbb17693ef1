#pragma once
// Code templates: "&(" NAME "," PATTERN ")" placeholders, the axis and feed markers, the numbering
// placeholders, the address-word formatter and automatic block numbering.

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/iso/number_format.h"
#include "core/iso/variable_sets.h"  // also declares the definition, tool table and run state

namespace ordalis::iso {

/// One parser of the placeholder syntax. Calls `literal` for plain text and `placeholder` for each
/// complete "&(" NAME "," PATTERN ")"; an unterminated one is passed on as literal text.
struct TemplateHandler {
  std::function<void(std::string_view)> literal;
  std::function<void(std::string_view name, std::string_view pattern, std::string_view whole)>
      placeholder;
};
void ParseTemplate(std::string_view text, const TemplateHandler& handler);

/// One placeholder found in a text; the views point into that text.
struct Placeholder {
  std::size_t begin = 0, end = 0;  // "&(" ... ")" inclusive-exclusive
  std::string_view name, pattern;
};
/// Finds the next complete placeholder at or after `from`; false when there is none. The parser
/// under ParseTemplate and every other reader of the syntax.
bool FindPlaceholder(std::string_view text, std::size_t from, Placeholder& found);

/// True for the patterns of the axis and feed markers ("X~", "Y~", "Z~", "F~", "F!"), whose first
/// part is a value rather than a variable name.
bool IsMarkerPattern(std::string_view pattern);

class TemplateEngine {
 public:
  TemplateEngine(const ppdef::PostProcessorDefinition& def, RunState& state,
                 const tools::ToolTable& tools);

  /// Each returns "" for an empty template, else the template with its set substituted, then the
  /// numbering placeholders applied. Inserted values are never expanded again.
  std::string expandFull(std::string_view tpl);
  std::string expandTool(std::string_view tpl);
  std::string expandOrigin(std::string_view tpl);
  std::string expandCycle(std::string_view tpl);
  std::string expandCircle(std::string_view tpl);

  /// Replaces the "&(PP_N_LIGNE,pattern)" placeholders from the line counter.
  std::string numberPlaceholders(std::string_view text);
  /// Automatic numbering of one generated block.
  std::string numberBlock(std::string_view text);
  /// Same, on the text in place (the generator's road, no allocation once the text has room).
  void numberBlockInPlace(std::string& text);

  /// Fixes the moment PP_DATE and PP_TIME write (0: the clock), for reproducible programs.
  void setClock(std::time_t fixed) { clock_ = fixed; }

 private:
  struct NumberSpot {
    std::size_t pos, length;
    std::string_view pattern;
  };
  std::string expand(std::string_view tpl, VariableSet set);
  void appendPlaceholder(const Placeholder& ph, std::string_view whole, VariableSet set,
                         std::string& out);
  bool appendMarker(const Placeholder& ph, std::string& out);
  void blankDelimiters(std::string& out, std::size_t from) const;
  void applyNumbering(std::string& text);
  void advanceCounter(std::int64_t step);

  const ppdef::PostProcessorDefinition& def_;
  RunState& state_;
  const tools::ToolTable& tools_;
  std::time_t clock_ = 0;
  std::time_t now_ = 0;
  // Flags as they stood when the expansion began: markers are resolved before any variable.
  bool markerX_ = false, markerY_ = false, markerZ_ = false, markerFeed_ = false,
       markerFeedOnce_ = false;
  std::vector<NumberSpot> spots_;
  std::string numberBuffer_;
  CachedAddressFormat numberFormat_;
  // The pattern of the last numbering placeholder, compiled: templates repeat the same one.
  std::string spotPattern_;
  NumberPattern spotFormat_;
};

}  // namespace ordalis::iso
