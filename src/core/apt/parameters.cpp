#include "core/apt/parameters.h"

#include <cfloat>
#include <limits>

#include "core/common/text.h"
#include "core/iso/run_context.h"

namespace ordalis::apt {

using common::ReadNumber;

std::string_view FirstWord(std::string_view text) { return common::TextBefore(text, ' '); }

ParamList::ParamList(std::string_view params) : text_(params) {
  // Items are a few characters long: a plain loop beats a library search per comma.
  std::size_t start = 0;
  const std::size_t n = params.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (params[i] != ',') continue;
    if (count_ < kKept) items_[count_] = params.substr(start, i - start);
    ++count_;
    start = i + 1;
  }
  if (count_ < kKept) items_[count_] = params.substr(start);
  ++count_;
}

std::string_view ParamList::item(int n) const {
  if (n < 1 || n > count_) return {};
  if (n <= kKept) return items_[n - 1];
  // Long lists (CSYS matrices, CYCLE words) are rare: find the item again.
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) start = text_.find(',', start) + 1;
  const std::size_t comma = text_.find(',', start);
  return text_.substr(start,
                      comma == std::string_view::npos ? std::string_view::npos : comma - start);
}

void ReportIncomplete(iso::RunContext& ctx, std::string_view statement) {
  ctx.message(kMsgNotProcessed, statement);
}

double ParamList::number(int n) const { return ReadNumber(item(n)); }

float ToSingle(double value) {
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

std::int16_t RoundToInt16(double value) {
  const long long v = common::RoundHalfEven(value);
  if (v > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  if (v < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
  return static_cast<std::int16_t>(v);
}

std::int32_t RoundToInt32(double value) {
  const long long v = common::RoundHalfEven(value);
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

}  // namespace ordalis::apt
