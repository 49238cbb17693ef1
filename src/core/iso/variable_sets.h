#pragma once
// The template variables: which names each variable set knows, their values from the run-time
// state, and the pending flags a substitution consumes.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace ordalis::ppdef {
struct PostProcessorDefinition;
}
namespace ordalis::tools {
class ToolTable;
}

namespace ordalis::iso {

struct RunState;

enum class VariableSet : std::uint8_t {
  kFull = 1,
  kTool = 2,
  kOrigin = 4,
  kCycle = 8,
  kCircle = 16,
};

/// Identifies one variable; aliases (French and English circle names) share an id.
using VariableId = std::uint16_t;

/// A variable's value as the general formatter sees it.
struct Value {
  enum Kind : std::uint8_t { kReal, kSingle, kInteger, kBoolean, kText, kDate, kTime };
  Kind kind = kReal;
  double number = 0;
  std::string_view text;
};

/// Finds `name` (exact spelling) among the variables of `set`.
bool FindVariable(std::string_view name, VariableSet set, VariableId& id);

/// The line-number placeholder's name: numbered by the engine rather than read from a set.
inline constexpr std::string_view kLineNumberName = "PP_N_LIGNE";

/// True when some variable set substitutes `name` (exact spelling), or it is the line-number name:
/// the one answer to "does the engine know this name", for the editor's colouring as for output.
bool IsTemplateVariable(std::string_view name);

/// Every name IsTemplateVariable accepts, in the order of the variable table.
std::vector<std::string_view> TemplateVariableNames();

/// Where values come from.
struct VariableSources {
  const RunState& state;
  const ppdef::PostProcessorDefinition& def;
  const tools::ToolTable& tools;
  std::time_t now;
};

/// The value of a variable; texts point into the sources.
Value VariableValue(VariableId id, const VariableSources& sources);

/// Lowers the pending flags that writing this variable consumes (the tool change among them).
void ConsumeFlags(VariableId id, RunState& state);

/// Appends a value formatted by a display pattern (texts unchanged, dates by a date pattern).
void AppendValue(const Value& value, std::string_view pattern, std::string& out);

}  // namespace ordalis::iso
