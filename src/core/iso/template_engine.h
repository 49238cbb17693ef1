#pragma once
// Code templates: "&(" NAME "," PATTERN ")" placeholders, the axis and feed markers, the numbering
// placeholders, the address-word formatter and automatic block numbering.

#include <functional>
#include <string>
#include <string_view>

namespace ordalis::ppdef {
struct PostProcessorDefinition;
}
namespace ordalis::tools {
class ToolTable;
}

namespace ordalis::iso {

struct RunState;

/// Address-word formatter: 12.5 with "X#0.000" gives "X12.500"; an empty pattern gives "".
std::string MonFormat(double value, std::string_view pattern);
/// Appends the address word to `out` without a temporary (the generator's hot path).
void MonFormatAppend(double value, std::string_view pattern, std::string& out);
/// General display-pattern formatter for a number ("0", "#", "." and literal characters).
std::string FormatNumber(double value, std::string_view pattern);

/// One parser of the placeholder syntax. Calls `literal` for plain text and `placeholder` for each
/// complete "&(" NAME "," PATTERN ")"; an unterminated one is passed on as literal text.
struct TemplateHandler {
  std::function<void(std::string_view)> literal;
  std::function<void(std::string_view name, std::string_view pattern, std::string_view whole)>
      placeholder;
};
void ParseTemplate(std::string_view text, const TemplateHandler& handler);

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

 private:
  const ppdef::PostProcessorDefinition& def_;
  RunState& state_;
  const tools::ToolTable& tools_;
};

}  // namespace ordalis::iso
