#pragma once
// Definition numbers that the engine holds in narrower types than the file: where each is taken
// into range, and which keys of a definition lie beyond it.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/ppdef/definition.h"

namespace ordalis::ppdef {

/// NUM_ORIGINE as the line counter takes it: truncated, held within 32 bits (0 when not a number).
std::int32_t LineNumberOrigin(const PostProcessorDefinition& def);

/// The keys whose numbers the engine has to clamp, in table order ("" entries never appear).
std::vector<std::string_view> KeysBeyondRange(const PostProcessorDefinition& def);

}  // namespace ordalis::ppdef
