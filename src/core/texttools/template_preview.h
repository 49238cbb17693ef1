#pragma once
// What a code template of the definition will write: the template expanded by the real template
// engine, with the variable set the generator uses for that key, over the run-time state of a
// typical program in progress (a tool loaded, a point reached, a hole drilled, an arc cut).

#include <string>
#include <string_view>

#include "core/iso/variable_sets.h"

namespace ordalis::ppdef {
struct PostProcessorDefinition;
}

namespace ordalis::texttools {

/// The variable set with which the generator expands the template of a definition key.
iso::VariableSet TemplateSetOf(std::string_view key);

/// Returns the template expanded with sample values (line breaks CR LF); numbering follows the
/// definition (block-number format, first number, increment).
std::string PreviewTemplate(std::string_view key, std::string_view text,
                            const ppdef::PostProcessorDefinition& def);

}  // namespace ordalis::texttools
