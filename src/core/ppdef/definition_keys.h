#pragma once
// The keys of a definition file, section by section, in the order saving writes them, each bound
// to its field of PostProcessorDefinition. Loading, saving and the editor all walk this one table.

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

#include "core/ppdef/definition.h"

namespace ordalis::ppdef {

enum class KeyType {
  kText,   // one line, as written
  kLines,  // line breaks stored as "&n"
  kInt16,
  kSingle,
  kDouble,
  kFlag,        // 0 or 1
  kSeparator,   // PP_SPACE: on only when exactly 1, held as " " or ""
  kNumberText,  // OPTION_CYCLE_RAPIDE: a flag held as the number's text
};

using DefinitionMember =
    std::variant<std::string PostProcessorDefinition::*, bool PostProcessorDefinition::*,
                 std::int16_t PostProcessorDefinition::*, float PostProcessorDefinition::*,
                 double PostProcessorDefinition::*>;

struct DefinitionKey {
  std::string_view section;
  std::string_view name;
  KeyType type;
  DefinitionMember member;
  int catalogueBase = 0;  // enumerations: the number n is displayed as catalogue text base + n
  int catalogueCount = 0;
};

inline constexpr int kDefinitionKeyCount = 152;
/// Every key but the colours, sections in the order a new file receives them.
extern const std::array<DefinitionKey, kDefinitionKeyCount> kDefinitionKeys;

inline constexpr std::string_view kColourSection = "COULEUR";
inline constexpr std::string_view kKinematicsKey = "Cin\xE9matique_Machine";
inline constexpr std::string_view kKinematicsTextKey = "TXT_Cin\xE9matique_Machine";
/// The kinematics entry that has no axis set of its own and is never matched by its text.
inline constexpr int kKinematicsMultiFunction = 17;

/// Returns the table entry of a key name (exact spelling), or nullptr.
const DefinitionKey* FindDefinitionKey(std::string_view name);

}  // namespace ordalis::ppdef
