#include "core/ppdef/definition_ranges.h"

#include <cmath>
#include <limits>

namespace ordalis::ppdef {

namespace {

constexpr double kCounterMin = std::numeric_limits<std::int32_t>::min();
constexpr double kCounterMax = std::numeric_limits<std::int32_t>::max();

bool FitsCounter(double v) { return std::isfinite(v) && v >= kCounterMin && v <= kCounterMax; }

}  // namespace

std::int32_t LineNumberOrigin(const PostProcessorDefinition& def) {
  const double v = std::trunc(static_cast<double>(def.NUM_ORIGINE));
  if (std::isnan(v)) return 0;
  if (v <= kCounterMin) return std::numeric_limits<std::int32_t>::min();
  if (v >= kCounterMax) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

std::vector<std::string_view> KeysBeyondRange(const PostProcessorDefinition& def) {
  std::vector<std::string_view> keys;
  if (!FitsCounter(std::trunc(static_cast<double>(def.NUM_ORIGINE))))
    keys.emplace_back("NUM_ORIGINE");
  // A maximum beyond the counter's range is never reached: harmless, but not what the user meant.
  if (!FitsCounter(static_cast<double>(def.NUM_MAX))) keys.emplace_back("NUM_MAX");
  return keys;
}

}  // namespace ordalis::ppdef
