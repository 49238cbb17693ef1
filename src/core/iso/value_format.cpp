// Formatting of template values: numbers by display pattern, texts unchanged, dates and times by
// date pattern.
#include <charconv>
#include <cmath>
#include <ctime>

#include "core/iso/number_format.h"
#include "core/iso/variable_sets.h"

namespace ordalis::iso {

namespace {

void AppendPadded(int value, int width, std::string& out) {
  char buf[16];
  const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
  for (int n = static_cast<int>(end - buf); n < width; ++n) out.push_back('0');
  out.append(buf, end);
}

std::tm LocalTime(std::time_t t) {
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return tm;
}

std::size_t RunLength(std::string_view p, std::size_t i) {
  std::size_t n = 1;
  while (i + n < p.size() && p[i + n] == p[i]) ++n;
  return n;
}

/// Date patterns: d dd m mm yy yyyy h hh n nn s ss; "m" right after an hour means minutes.
void AppendDatePattern(const std::tm& tm, std::string_view p, std::string& out) {
  bool afterHour = false;
  for (std::size_t i = 0; i < p.size();) {
    const char c = static_cast<char>(p[i] | 0x20);
    const std::size_t n = (c >= 'a' && c <= 'z') ? RunLength(p, i) : 1;
    const int width = n >= 2 ? 2 : 1;
    if (c == 'd') {
      AppendPadded(tm.tm_mday, width, out);
    } else if (c == 'm' && !afterHour) {
      AppendPadded(tm.tm_mon + 1, width, out);
    } else if (c == 'm' || c == 'n') {
      AppendPadded(tm.tm_min, width, out);
    } else if (c == 'y') {
      if (n >= 4)
        AppendPadded(tm.tm_year + 1900, 4, out);
      else
        AppendPadded((tm.tm_year + 1900) % 100, 2, out);
    } else if (c == 'h') {
      AppendPadded(tm.tm_hour, width, out);
    } else if (c == 's') {
      AppendPadded(tm.tm_sec, width, out);
    } else {
      out.append(p.substr(i, n));
    }
    if (c == 'h')
      afterHour = true;
    else if (c >= 'a' && c <= 'z')
      afterHour = false;
    i += n;
  }
}

}  // namespace

void AppendValue(const Value& value, std::string_view pattern, std::string& out) {
  switch (value.kind) {
    case Value::kText:
      out.append(value.text);
      return;
    case Value::kDate:
    case Value::kTime: {
      const std::tm tm = LocalTime(static_cast<std::time_t>(value.number));
      if (pattern.empty()) pattern = value.kind == Value::kDate ? "dd/mm/yyyy" : "hh:nn:ss";
      AppendDatePattern(tm, pattern, out);
      return;
    }
    case Value::kBoolean:
      if (pattern.empty()) {
        out.append(value.number != 0 ? "True" : "False");
        return;
      }
      break;
    case Value::kInteger:
    case Value::kSingle:
      if (pattern.empty()) {
        AppendPlainSingle(static_cast<float>(value.number), out);
        return;
      }
      break;
    case Value::kReal:
      break;
  }
  FormatNumberAppend(value.number, pattern, out);
}

}  // namespace ordalis::iso
