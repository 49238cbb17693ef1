#include "core/ppdef/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "core/common/text.h"

namespace ordalis::ppdef {

std::string FormatDecimal(double value, int significantDigits) {
  if (!std::isfinite(value) || value == 0) return "0";
  char buf[64];
  const auto r =
      std::to_chars(buf, buf + sizeof(buf), value, std::chars_format::general, significantDigits);
  std::string text(buf, r.ptr);
  if (text == "-0") return "0";
  return text;
}

bool ParseFieldNumber(std::string_view text, double& value) {
  text = common::Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return false;
  const char* end = text.data() + text.size();
  const auto r = std::from_chars(text.data(), end, value, std::chars_format::general);
  return r.ec == std::errc() && r.ptr == end && std::isfinite(value);
}

}  // namespace ordalis::ppdef
