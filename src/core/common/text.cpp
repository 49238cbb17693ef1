#include "core/common/text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "core/common/powers_of_ten.h"

namespace ordalis::common {

std::string_view TextBefore(std::string_view text, char c) {
  const auto p = text.find(c);
  return p == std::string_view::npos ? text : text.substr(0, p);
}

std::string_view TextAfter(std::string_view text, char c) {
  const auto p = text.find(c);
  return p == std::string_view::npos ? text : text.substr(p + 1);
}

std::string_view TextBeforeLast(std::string_view text, char c) {
  const auto p = text.rfind(c);
  return p == std::string_view::npos ? std::string_view{} : text.substr(0, p);
}

std::string_view TextAfterLast(std::string_view text, char c) {
  const auto p = text.rfind(c);
  return p == std::string_view::npos ? std::string_view{} : text.substr(p + 1);
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  std::string out(text);
  ReplaceAllInPlace(out, find, replacement);
  return out;
}

std::size_t ReplaceAllInPlace(std::string& text, std::string_view find,
                              std::string_view replacement) {
  if (find.empty()) return 0;
  std::size_t pos = text.find(find);
  if (pos == std::string::npos) return 0;
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  std::size_t count = 0;
  while (pos != std::string::npos) {
    out.append(text, from, pos - from);
    out.append(replacement);
    from = pos + find.size();
    ++count;
    pos = text.find(find, from);
  }
  out.append(text, from, std::string::npos);
  text.swap(out);
  return count;
}

std::string_view TrimLeft(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  return text.substr(i);
}

std::string_view TrimRight(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return text.substr(0, n);
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

void CleanLineInPlace(std::string& line) {
  // Most lines hold no TAB, CR or LF: find the first one before rewriting anything.
  const std::size_t n = line.size();
  const char* const begin = line.data();
  const char* p = begin;
  for (;;) {
    p = FindLowControl(p, begin + n);
    if (p == begin + n || *p == '\t' || *p == '\r' || *p == '\n') break;
    ++p;
  }
  std::size_t w = static_cast<std::size_t>(p - begin);
  for (std::size_t r = w; r < n; ++r) {
    const char c = line[r];
    if (c == '\r' || c == '\n') continue;
    line[w++] = (c == '\t') ? ' ' : c;
  }
  while (w > 0 && line[w - 1] == ' ') --w;
  line.resize(w);
}

std::string CleanLine(std::string_view line) {
  std::string out(line);
  CleanLineInPlace(out);
  return out;
}

namespace {

bool IsSkippable(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

constexpr const auto& kPow10 = kPowersOfTen;

double ReadRadixInteger(std::string_view text, std::size_t i, int radix) {
  double value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsSkippable(c)) continue;
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (radix == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (radix == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      break;
    }
    if (digit >= radix) break;
    value = value * radix + digit;
  }
  return std::isfinite(value) ? value : 0.0;
}

}  // namespace

namespace {

double ReadNumberGeneral(std::string_view text);

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

}  // namespace

double ReadNumber(std::string_view text) {
  // The usual item ("12.3456", "-7.5") in one pass; anything else (blanks inside, an exponent,
  // long digit strings, &H) goes through the general reader.
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && *p == ' ') ++p;
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) {
    negative = *p == '-';
    ++p;
  }
  if (p < end && !IsDigit(*p) && *p != '.' && !IsSkippable(*p) && *p != '&') {
    return 0.0;  // a word such as "MMPM" or "G1": no number at all
  }
  std::uint64_t mantissa = 0;
  const char* q = p;
  while (q < end && IsDigit(*q)) mantissa = mantissa * 10 + static_cast<unsigned>(*q++ - '0');
  const auto intDigits = q - p;
  std::ptrdiff_t fractionDigits = 0;
  if (q < end && *q == '.') {
    const char* f = ++q;
    while (q < end && IsDigit(*q)) mantissa = mantissa * 10 + static_cast<unsigned>(*q++ - '0');
    fractionDigits = q - f;
  }
  const auto allDigits = intDigits + fractionDigits;
  if (allDigits == 0 || allDigits > 15) return ReadNumberGeneral(text);
  if (q < end) {
    const char c = *q;
    if (IsSkippable(c) || c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == '.') {
      return ReadNumberGeneral(text);
    }
  }
  const double v = static_cast<double>(mantissa) / kPow10[fractionDigits];
  return negative && mantissa != 0 ? -v : v;
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;

/// Eight bytes from `p` in text order, the first byte lowest.
inline std::uint64_t LoadWindow(const char* p) {
  if constexpr (std::endian::native != std::endian::little) {
    std::uint64_t x = 0;
    for (int i = 7; i >= 0; --i) x = (x << 8) | static_cast<unsigned char>(p[i]);
    return x;
  }
  std::uint64_t x;
  std::memcpy(&x, p, 8);
  return x;
}

/// The number of leading digits (0 to 8) of a window whose bytes had '0' taken off by XOR: digits
/// are then 0..9, and any other byte gets its high bit set once 0x76 is added. The carry out of a
/// byte of 0x8A or more only spoils the bytes after it, which are not counted.
inline int DigitRun(std::uint64_t t) {
  const std::uint64_t nonDigits = ((t + 0x76 * kOnes) | t) & (0x80 * kOnes);
  return std::countr_zero(nonDigits) >> 3;  // 64 >> 3 when all eight are digits
}

/// The value of the first `n` (1 to 8) digit values of `t`: they are moved to the top bytes, with
/// zeros below them, and combined pairwise in three steps.
inline std::uint64_t DigitValue(std::uint64_t t, int n) {
  std::uint64_t d = t << (64 - 8 * n);
  d = d * 10 + (d >> 8);
  return (((d & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
          (((d >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
         32;
}

}  // namespace

int ReadPlainNumberList(std::string_view text, double* values, int max) {
  const char* p = text.data();
  const char* end = p + text.size();
  // An item is read in windows of eight bytes reaching at most kReach bytes past its start. The
  // last kReach - 1 bytes of the text are read from a copy followed by zeros, which are no digits.
  constexpr std::ptrdiff_t kReach = 17;
  char tail[(kReach - 1) + kReach + 8] = {};
  bool inTail = false;
  constexpr std::uint64_t kZeros = 0x30 * kOnes;
  constexpr std::uint64_t kPoint = '.' ^ '0';
  int count = 0;
  for (;;) {
    if (count == max) return -1;
    if (end - p < kReach && !inTail) {
      inTail = true;
      const auto left = end - p;
      if (text.size() >= kReach - 1) {
        std::memcpy(tail, end - (kReach - 1), kReach - 1);
        p = tail + (kReach - 1) - left;
      } else {
        std::copy(p, end, tail);
        p = tail;
      }
      end = p + left;
    }
    std::uint64_t w = LoadWindow(p);
    const bool negative = static_cast<char>(w) == '-';
    if (negative || static_cast<char>(w) == '+') w = LoadWindow(++p);
    const std::uint64_t whole = w ^ kZeros;
    const int a = DigitRun(whole);
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    if (a < 8 && ((whole >> (8 * a)) & 0xFF) != kPoint) {
      // No point: the digits of one window.
      digits = a;
      p += a;
      if (a > 0) mantissa = DigitValue(whole, a);
    } else {
      std::uint64_t part = 0;
      int b = 8;
      if (a < 8) {
        part = LoadWindow(p + a + 1) ^ kZeros;
        b = DigitRun(part);
      }
      if (b < 8) {
        // Up to seven digits on each side of the point.
        fraction = b;
        digits = a + b;
        p += digits + 1;
        if (digits > 8) {
          mantissa = DigitValue(whole, a) * kIntegerPowersOfTen[b] + DigitValue(part, b);
        } else if (digits > 0) {
          mantissa =
              DigitValue((whole & ((std::uint64_t{1} << (8 * a)) - 1)) | (part << (8 * a)), digits);
        }
      } else {
        // Eight digits or more on a side: byte by byte.
        while (p < end && IsDigit(*p)) {
          mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
          ++digits;
        }
        if (p < end && *p == '.') {
          ++p;
          while (p < end && IsDigit(*p)) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
            ++fraction;
          }
        }
        digits += fraction;
      }
    }
    if (digits == 0 || digits > 15) return -1;
    // One division of two exact doubles, the value ReadNumber gives the item. The mantissa is below
    // 2^53, so the signed conversion is exact, and a negated quotient is the quotient negated.
    const auto m = static_cast<std::int64_t>(mantissa);
    values[count++] = static_cast<double>(negative ? -m : m) / kPow10[fraction];
    if (p == end) return count;
    if (*p++ != ',') return -1;
  }
}

namespace {

double ReadNumberGeneral(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && IsSkippable(text[i])) ++i;
  if (i + 1 < n && text[i] == '&') {
    const char k = text[i + 1];
    if (k == 'H' || k == 'h') return ReadRadixInteger(text, i + 2, 16);
    if (k == 'O' || k == 'o') return ReadRadixInteger(text, i + 2, 8);
  }
  // Collect the number's characters without blanks into a small buffer; the common short case is
  // computed directly, anything else goes through from_chars.
  char buf[64];
  std::size_t len = 0;
  bool overflowBuffer = false;
  auto put = [&](char c) {
    if (len < sizeof(buf)) {
      buf[len++] = c;
    } else {
      overflowBuffer = true;
    }
  };
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint64_t mantissa = 0;
  int mantissaDigits = 0;
  int fractionDigits = 0;
  int dropped = 0;  // integer digits beyond what the mantissa holds
  bool seenDigit = false;
  bool seenPoint = false;
  for (; i < n; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      seenDigit = true;
      put(c);
      if (mantissaDigits < 19) {
        if (mantissa != 0 || c != '0') ++mantissaDigits;
        mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
        if (seenPoint) ++fractionDigits;
      } else if (!seenPoint) {
        ++dropped;
      }
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
      put('.');
    } else if (IsSkippable(c)) {
      continue;
    } else {
      break;
    }
  }
  if (!seenDigit) return 0.0;
  // Optional exponent: E or D, optional sign, digits (blanks skipped as everywhere else).
  bool hasExponent = false;
  if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    while (j < n && IsSkippable(text[j])) ++j;
    std::string_view expSign;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
      expSign = text.substr(j, 1);
      ++j;
    }
    std::size_t k = j;
    int expDigits = 0;
    char expBuf[12];
    std::size_t expLen = 0;
    for (; k < n; ++k) {
      const char c = text[k];
      if (c >= '0' && c <= '9') {
        if (expLen < sizeof(expBuf)) expBuf[expLen++] = c;
        ++expDigits;
      } else if (!IsSkippable(c)) {
        break;
      }
    }
    if (expDigits > 0) {
      hasExponent = true;
      put('e');
      if (!expSign.empty()) put(expSign[0]);
      if (expDigits > 9) {
        // An absurd exponent: saturate so from_chars reports it out of range or as zero.
        for (const char c : std::string_view("999999999")) put(c);
      } else {
        for (std::size_t e = 0; e < expLen; ++e) put(expBuf[e]);
      }
    }
  }
  if (!hasExponent && !overflowBuffer && dropped == 0 && mantissaDigits <= 15 &&
      fractionDigits <= 22) {
    // Exact: the mantissa and the power of ten are both exact doubles, so one division rounds once.
    const double v = static_cast<double>(mantissa) / kPow10[fractionDigits];
    return negative ? -v : v;
  }
  if (overflowBuffer) {
    // Very long digit strings: the mantissa holds the first 19 significant digits.
    double v = static_cast<double>(mantissa);
    const int scale = dropped - fractionDigits;
    v *= std::pow(10.0, scale);
    if (!std::isfinite(v)) return 0.0;
    return negative ? -v : v;
  }
  double v = 0;
  const auto result = std::from_chars(buf, buf + len, v, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Underflow reads as 0 like overflow: the program never receives an infinity or a denormal.
    return 0.0;
  }
  if (result.ec != std::errc() || !std::isfinite(v)) return 0.0;
  return negative ? -v : v;
}

}  // namespace

long long RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double kMax = 9.2e18;
  if (value > kMax) return static_cast<long long>(kMax);
  if (value < -kMax) return static_cast<long long>(-kMax);
  return static_cast<long long>(std::nearbyint(value));  // default rounding mode: to even
}

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

std::string PathPart(std::string_view path, int part) {
  std::string_view drive;
  std::string_view rest = path;
  if (path.size() >= 2 && path[1] == ':') {
    drive = path.substr(0, 2);
    rest = path.substr(2);
  }
  std::string_view folder;
  std::string_view base;
  std::string_view extension;
  bool foundSeparator = false;
  // Scanned from the end: the extension runs from the file name's last "." with text after it
  // (part.left.apt is part.left and .apt); the last separator ends the scan.
  std::size_t end = rest.size();
  for (std::size_t k = rest.size(); k-- > 0;) {
    const char c = rest[k];
    if (c == '.' && k + 1 < end && extension.empty()) {
      extension = rest.substr(k, rest.size() - k);
      end = k;
    } else if (IsSeparator(c) && k + 1 < end) {
      base = rest.substr(k + 1, end - k - 1);
      folder = rest.substr(0, k + 1);
      foundSeparator = true;
      break;
    }
  }
  if (!foundSeparator) base = rest.substr(0, end);
  switch (part) {
    case 0:
      return std::string(drive);
    case 1:
      return std::string(folder);
    case 2:
      return std::string(base);
    case 3:
      return std::string(extension);
    default:
      return {};
  }
}

std::string NativePath(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

bool FileExists(std::string_view path) {
  std::string p = NativePath(path);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  if (p.empty()) return false;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(p, ec) || ec) return false;
  std::ifstream in(p, std::ios::binary);
  return static_cast<bool>(in);
}

namespace {
unsigned char FoldCase(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  // Windows-1252 accented small letters fold onto their capitals.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 16);
  if (c == 0xFF) return 0x9F;
  return c;
}
}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace ordalis::common
