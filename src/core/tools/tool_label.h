#pragma once
// How the tool library names a tool: the cutter description, the label of a tool slot and the
// texts of the library's root and slot nodes.

#include <cstdint>
#include <string>

#include "core/tools/tool_table.h"

namespace ordalis::tools {

/// Cutter types of a tool record.
inline constexpr std::int16_t kEmptySlot = 0;
inline constexpr std::int16_t kBallEnd = 1;
inline constexpr std::int16_t kFlatEnd = 2;
inline constexpr std::int16_t kToroidal = 3;
inline constexpr std::int16_t kDrill = 4;

/// A number in the library's plain form: a blank before a number that is not negative
/// (3 gives " 3", -2 gives "-2", 2.5 gives " 2.5").
std::string PlainNumber(double value);

/// The cutter part of a label, by type: "FB 10", "FP 10", "FT 10R 2", "Foret  10"; empty for an
/// empty slot or an unknown type.
std::string CutterDescription(const ToolRecord& tool);

/// The label of a tool slot: "T", the number, two blanks, then the tool's name or, when it has
/// none, its cutter description; "Emplacement Vide" for an empty slot.
std::string ToolLabel(const ToolRecord& tool, int number);

/// The text of the library's root node: the tool count then " Outil(s)".
std::string LibraryRootText(int count);

/// The key of slot `index` (from 1): "Outil" followed by the index.
std::string SlotKey(int index);

}  // namespace ordalis::tools
