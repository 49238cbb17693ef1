#include "core/tools/tool_label.h"

#include <charconv>
#include <cmath>

namespace ordalis::tools {

namespace {
constexpr const char* kEmptySlotText = "Emplacement Vide";
}

std::string PlainNumber(double value) {
  if (!std::isfinite(value) || value == 0) value = 0;  // no "-0"
  char buffer[64];
  // The library shows single-precision values: their shortest form avoids digits of noise.
  const float single = static_cast<float>(value);
  const bool fits = std::fabs(value) <= 3.4e38 && static_cast<double>(single) == value;
  const auto result = fits ? std::to_chars(buffer, buffer + sizeof buffer, single)
                           : std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text = value < 0 ? "" : " ";
  text.append(buffer, result.ptr);
  return text;
}

std::string CutterDescription(const ToolRecord& tool) {
  switch (tool.type) {
    case kBallEnd:
      return "FB" + PlainNumber(tool.diameter);
    case kFlatEnd:
      return "FP" + PlainNumber(tool.diameter);
    case kToroidal:
      return "FT" + PlainNumber(tool.diameter) + "R" + PlainNumber(tool.cornerRadius);
    case kDrill:
      return "Foret " + PlainNumber(tool.diameter);
    default:
      return {};
  }
}

std::string ToolLabel(const ToolRecord& tool, int number) {
  if (tool.type == kEmptySlot) return kEmptySlotText;
  std::string label = "T" + PlainNumber(number) + "  ";
  label += tool.name.empty() ? CutterDescription(tool) : tool.name;
  return label;
}

std::string LibraryRootText(int count) { return PlainNumber(count) + " Outil(s)"; }

std::string SlotKey(int index) { return "Outil" + PlainNumber(index); }

}  // namespace ordalis::tools
