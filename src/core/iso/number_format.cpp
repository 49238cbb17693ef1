#include "core/iso/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/common/powers_of_ten.h"

namespace ordalis::iso {

namespace {

constexpr int kMaxDecimals = 300;
constexpr const auto& kPow10 = common::kPowersOfTen;
constexpr const auto& kPow10Int = common::kIntegerPowersOfTen;

/// Digits of a non-negative magnitude rounded to `decimals` places, halves away from zero: the
/// integer digits without leading zeros (none for 0) followed by exactly `decimals` digits.
class RoundedDigits {
 public:
  RoundedDigits(double magnitude, int decimals) : decimals_(decimals) {
    const double scaled = decimals <= 18 ? magnitude * kPow10[decimals] : HUGE_VAL;
    if (scaled < 9.0e18 && decimals <= 24) {
      fromScaled(scaled);
    } else {
      fromFixed(magnitude);
    }
  }
  const char* integer() const { return data_; }
  int integerLength() const { return intLen_; }
  const char* decimals() const { return data_ + intLen_; }
  bool zero() const { return zero_; }

 private:
  void fromScaled(double scaled) {
    double whole = std::floor(scaled);
    // A product one rounding step short of a half (2.675 * 100) is taken as the half it stands for.
    if (scaled - whole + scaled * 2.5e-16 >= 0.5) whole += 1;
    const auto r = static_cast<std::uint64_t>(whole);
    zero_ = r == 0;
    char digits[24];
    const int len = static_cast<int>(std::to_chars(digits, digits + sizeof digits, r).ptr - digits);
    data_ = small_;
    if (len <= decimals_) {
      intLen_ = 0;
      std::memset(small_, '0', decimals_ - len);
      std::memcpy(small_ + decimals_ - len, digits, len);
    } else {
      intLen_ = zero_ ? 0 : len - decimals_;
      std::memcpy(small_, digits + (len - decimals_ - intLen_), intLen_ + decimals_);
    }
  }
  void fromFixed(double magnitude) {
    big_.resize(1024);
    const auto res = std::to_chars(big_.data(), big_.data() + big_.size(), magnitude,
                                   std::chars_format::fixed, decimals_);
    big_.resize(res.ec == std::errc{} ? res.ptr - big_.data() : 0);
    const std::size_t point = std::min(big_.find('.'), big_.size());
    if (point < big_.size()) big_.erase(point, 1);
    big_.resize(point + decimals_, '0');
    if (point == 1 && big_[0] == '0') big_.erase(0, 1);
    intLen_ = static_cast<int>(big_.size()) - decimals_;
    data_ = big_.data();
    zero_ = big_.find_first_not_of('0') == std::string::npos;
  }

  int decimals_;
  int intLen_ = 0;
  bool zero_ = true;
  const char* data_ = nullptr;
  char small_[48];
  std::string big_;  // values beyond 64-bit integers: rare, so they may allocate
};

bool HasNumericToken(const PatternSection& s) { return s.intSlots + s.decSlots > 0 || s.hasPoint; }

/// Number of decimal places written: trailing "#" places holding a zero are left out.
int DecimalsKept(const PatternSection& s, const RoundedDigits& d) {
  int keep = s.decSlots;
  for (auto it = s.tokens.rbegin(); it != s.tokens.rend() && keep > 0; ++it) {
    if (it->kind == PatternSection::kPoint) break;
    if (it->kind == PatternSection::kLiteral) continue;
    if (it->kind != PatternSection::kHash || d.decimals()[keep - 1] != '0') break;
    --keep;
  }
  return keep;
}

void AppendSection(const PatternSection& s, const RoundedDigits& d, bool minus, std::string& out) {
  const int keep = DecimalsKept(s, d);
  bool started = false, afterPoint = false;
  int slot = 0, dec = 0;
  for (const auto& t : s.tokens) {
    if (t.kind == PatternSection::kLiteral) {
      out.push_back(t.c);
      continue;
    }
    if (!started) {
      started = true;
      if (minus) out.push_back('-');
    }
    if (t.kind == PatternSection::kPoint) {
      if (s.intSlots == 0) out.append(d.integer(), d.integerLength());
      out.push_back('.');
      afterPoint = true;
    } else if (afterPoint) {
      if (dec < keep) out.push_back(d.decimals()[dec]);
      ++dec;
    } else {
      const int k = d.integerLength() - (s.intSlots - slot);
      if (slot == 0 && k > 0) out.append(d.integer(), k);
      if (k >= 0) {
        out.push_back(d.integer()[k]);
      } else if (t.kind == PatternSection::kZero) {
        out.push_back('0');
      }
      ++slot;
    }
  }
}

void ClassifySimple(PatternSection& s) {
  const auto& t = s.tokens;
  std::size_t i = 0;
  while (i < t.size() && t[i].kind == PatternSection::kLiteral) ++i;
  s.leadLiterals = static_cast<int>(i);
  while (i < t.size() && t[i].kind == PatternSection::kHash) ++i;
  for (; i < t.size() && t[i].kind == PatternSection::kZero; ++i) ++s.minInt;
  if (i < t.size() && t[i].kind == PatternSection::kPoint) {
    for (++i; i < t.size() && t[i].kind == PatternSection::kZero; ++i) ++s.decZeros;
    while (i < t.size() && t[i].kind == PatternSection::kHash) ++i;
  }
  const std::size_t tail = i;
  while (i < t.size() && t[i].kind == PatternSection::kLiteral) ++i;
  s.simple = i == t.size() && tail > static_cast<std::size_t>(s.leadLiterals) && s.decSlots <= 18;
}

/// The common address patterns straight from the rounded integer; false when the general road
/// must decide (large values, a zero that changes section).
bool AppendSimple(const PatternSection& s, double magnitude, bool minus, bool zeroMoves,
                  std::string& out) {
  const int dec = s.decSlots;
  const double scaled = magnitude * kPow10[dec];
  if (!(scaled < 9.0e18)) return false;
  double whole = std::floor(scaled);
  if (scaled - whole + scaled * 2.5e-16 >= 0.5) whole += 1;
  const auto r = static_cast<std::uint64_t>(whole);
  if (r == 0 && (zeroMoves || minus)) return false;
  const std::uint64_t ip = r / kPow10Int[dec];
  std::uint64_t fp = r % kPow10Int[dec];
  const auto& t = s.tokens;
  // The word is built in a local buffer and appended once: this runs three times per GOTO.
  char buf[96];
  std::size_t n = 0;
  const std::size_t trail = t.size() - static_cast<std::size_t>(s.leadLiterals) -
                            static_cast<std::size_t>(s.intSlots) -
                            (s.hasPoint ? 1u + static_cast<std::size_t>(dec) : 0u);
  if (static_cast<std::size_t>(s.leadLiterals) + trail + static_cast<std::size_t>(s.minInt) +
          static_cast<std::size_t>(dec) + 24 >
      sizeof buf) {
    return false;  // long literal text: the general road handles it
  }
  for (int i = 0; i < s.leadLiterals; ++i) buf[n++] = t[i].c;
  if (minus) buf[n++] = '-';
  char digits[24];
  int len = 0;
  if (ip > 0)
    len = static_cast<int>(std::to_chars(digits, digits + sizeof digits, ip).ptr - digits);
  for (int k = len; k < s.minInt; ++k) buf[n++] = '0';
  for (int k = 0; k < len; ++k) buf[n++] = digits[k];
  std::size_t i = static_cast<std::size_t>(s.leadLiterals) + s.intSlots;
  if (s.hasPoint) {
    buf[n++] = '.';
    char d[24];
    for (int k = dec - 1; k >= 0; --k) d[k] = static_cast<char>('0' + fp % 10), fp /= 10;
    int keep = dec;
    while (keep > s.decZeros && d[keep - 1] == '0') --keep;
    for (int k = 0; k < keep; ++k) buf[n++] = d[k];
    i += 1 + dec;
  }
  for (; i < t.size(); ++i) buf[n++] = t[i].c;
  out.append(buf, n);
  return true;
}

void CompileSection(std::string_view text, PatternSection& s) {
  s = PatternSection{};
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      s.tokens.push_back({PatternSection::kLiteral, text[++i]});
    } else if (c == '"') {
      while (++i < text.size() && text[i] != '"')
        s.tokens.push_back({PatternSection::kLiteral, text[i]});
    } else if ((c == '0' || c == '#') && (s.hasPoint ? s.decSlots < kMaxDecimals : true)) {
      s.tokens.push_back({c == '0' ? PatternSection::kZero : PatternSection::kHash, c});
      ++(s.hasPoint ? s.decSlots : s.intSlots);
    } else if (c == '.' && !s.hasPoint) {
      s.tokens.push_back({PatternSection::kPoint, c});
      s.hasPoint = true;
    } else {
      s.tokens.push_back({PatternSection::kLiteral, c});
    }
  }
  ClassifySimple(s);
}

}  // namespace

void NumberPattern::compile(std::string_view pattern) {
  sectionCount_ = 0;
  if (pattern.empty()) return;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i <= pattern.size() && sectionCount_ < 3; ++i) {
    if (i < pattern.size()) {
      const char c = pattern[i];
      if (c == '"') quoted = !quoted;
      if (c == '\\' && !quoted) ++i;
      if (i < pattern.size() && (c != ';' || quoted)) continue;
    }
    CompileSection(pattern.substr(start, std::min(i, pattern.size()) - start),
                   sections_[sectionCount_++]);
    start = i + 1;
  }
}

void NumberPattern::append(double value, std::string& out) const {
  if (!std::isfinite(value)) value = 0;
  if (sectionCount_ == 0) {
    AppendPlainNumber(value, out);
    return;
  }
  const bool negative = value < 0;
  const int sec = (negative && sectionCount_ >= 2 && !sections_[1].tokens.empty()) ? 1 : 0;
  const bool minus = negative && sec == 0;
  const PatternSection& s = sections_[sec];
  if (!HasNumericToken(s)) {
    for (const auto& t : s.tokens) out.push_back(t.c);
    AppendPlainNumber(sec == 1 ? -value : value, out);
    return;
  }
  const bool zeroMoves = sec == 1 || sectionCount_ == 3;
  if (s.simple && AppendSimple(s, std::fabs(value), minus, zeroMoves, out)) return;
  const RoundedDigits digits(std::fabs(value), s.decSlots);
  if (digits.zero() && (sec == 1 || minus || sectionCount_ == 3)) {
    // Zero after rounding is written without a sign, in the zero section or else the first one.
    const PatternSection& z =
        sectionCount_ == 3 && !sections_[2].tokens.empty() ? sections_[2] : sections_[0];
    if (!HasNumericToken(z)) {
      for (const auto& t : z.tokens) out.push_back(t.c);
      if (&z == &sections_[0]) out.push_back('0');
      return;
    }
    AppendSection(z, RoundedDigits(0.0, z.decSlots), false, out);
    return;
  }
  AppendSection(s, digits, minus, out);
}

void AppendPlainNumber(double value, std::string& out) {
  if (!std::isfinite(value) || value == 0) {
    out.push_back('0');
    return;
  }
  char text[64];
  const auto res =
      std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14);
  const char* p = text;
  if (*p == '-') {
    out.push_back('-');
    ++p;
  }
  char mant[16];
  int n = 0;
  for (; p < res.ptr && *p != 'e'; ++p) {
    if (*p != '.') mant[n++] = *p;
  }
  int exp = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), res.ptr, exp);
  while (n > 1 && mant[n - 1] == '0') --n;
  if (exp < 0) {
    out.append("0.");
    out.append(static_cast<std::size_t>(-exp - 1), '0');
    out.append(mant, n);
  } else if (n <= exp + 1) {
    out.append(mant, n);
    out.append(static_cast<std::size_t>(exp + 1 - n), '0');
  } else {
    out.append(mant, exp + 1);
    out.push_back('.');
    out.append(mant + exp + 1, n - exp - 1);
  }
}

void AppendPlainSingle(float value, std::string& out) {
  if (!std::isfinite(value) || value == 0) {
    out.push_back('0');
    return;
  }
  char text[128];
  const auto res = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  if (res.ec != std::errc{}) {
    AppendPlainNumber(value, out);
    return;
  }
  out.append(text, res.ptr);
}

std::string FormatNumber(double value, std::string_view pattern) {
  std::string out;
  FormatNumberAppend(value, pattern, out);
  return out;
}

void FormatNumberAppend(double value, std::string_view pattern, std::string& out) {
  NumberPattern(pattern).append(value, out);
}

void AddressFormat::compile(std::string_view pattern) {
  fast_ = plus_ = false;
  empty_ = pattern.empty();
  prefix_.clear();
  suffix_.clear();
  step_ = 0;
  if (empty_) {
    number_.compile({});
    return;
  }
  std::string p(pattern);
  std::size_t hash = p.find('#');
  if (hash == std::string::npos) {
    p += "#0.00";
    hash = p.find('#');
  }
  std::size_t end = p.rfind('0');
  end = (end == std::string::npos) ? 0 : end + 1;
  if (end <= hash) {
    // No "0" after the first "#": the numeric part is the run of placeholders that starts there.
    end = hash;
    while (end < p.size() && (p[end] == '#' || p[end] == '0' || p[end] == '.')) ++end;
  }
  const std::string numeric = p.substr(hash, end - hash);
  const std::size_t plus = p.find('+');
  plus_ = plus < hash;
  if (plus_) {
    prefix_ = p.substr(0, plus);
    number_.compile("+" + numeric + ";-" + numeric);
  } else {
    prefix_ = p.substr(0, hash);
    number_.compile(numeric);
  }
  suffix_ = p.substr(end);
  compileFast(numeric);
}

// Recognises a numeric part of the form "#...#0...0[.0...0#...#]", the one nearly every definition
// uses, so that append() can write it in one pass.
void AddressFormat::compileFast(std::string_view numeric) {
  std::size_t i = 0;
  while (i < numeric.size() && numeric[i] == '#') ++i;
  minInt_ = 0;
  while (i < numeric.size() && numeric[i] == '0') ++i, ++minInt_;
  decimals_ = decZeros_ = 0;
  point_ = i < numeric.size() && numeric[i] == '.';
  if (point_) {
    ++i;
    while (i < numeric.size() && numeric[i] == '0') ++i, ++decZeros_, ++decimals_;
    while (i < numeric.size() && numeric[i] == '#') ++i, ++decimals_;
  }
  fast_ = i == numeric.size() && decimals_ <= 15 && minInt_ <= 20 && prefix_.size() <= 32 &&
          suffix_.size() <= 32 && prefix_.size() + suffix_.size() <= 32;
  fixed_ = {};
  if (fast_) {
    prefix_.copy(fixed_.prefix, prefix_.size());
    suffix_.copy(fixed_.suffix, suffix_.size());
    fixed_.prefixLen = static_cast<int>(prefix_.size());
    fixed_.suffixLen = static_cast<int>(suffix_.size());
  }
  step_ = fast_ ? 1.0 / kPow10[decimals_] : 0;
}

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Copies `n` bytes (at most 32) as one or two 16-byte pieces: both sides have room for the whole
// pieces, and what goes beyond `n` is overwritten by the next write or left past the word's end.
inline void CopyPadded(char* to, const char* from, int n) {
  std::memcpy(to, from, 16);
  if (n > 16) std::memcpy(to + 16, from + 16, 16);
}

}  // namespace

char* AddressFormat::write(double value, char* to) const {
  if (empty_) return to;
  if (!fast_) return nullptr;
  if (!std::isfinite(value)) value = 0;
  const bool negative = value < 0;
  const double scaled = (negative ? -value : value) * kPow10[decimals_];
  if (!(scaled < 9.0e18)) return nullptr;
  // scaled is below 2^63 and not negative: the signed conversion is the floor, in one instruction.
  double whole = static_cast<double>(static_cast<std::int64_t>(scaled));
  if (scaled - whole + scaled * 2.5e-16 >= 0.5) whole += 1;
  return writeDigits(static_cast<std::uint64_t>(static_cast<std::int64_t>(whole)), negative, to);
}

char* AddressFormat::writeInteger(std::int64_t value, char* to) const {
  if (empty_) return to;
  if (!fast_ || value <= -999999999999999LL || value >= 999999999999999LL) return nullptr;
  const bool negative = value < 0;
  const auto magnitude = static_cast<std::uint64_t>(negative ? -value : value);
  const std::uint64_t scale = kPow10Int[decimals_];
  if (magnitude > 9000000000000000000ULL / scale) return nullptr;
  return writeDigits(magnitude * scale, negative, to);
}

void AddressFormat::appendInteger(std::int64_t value, std::string& out) const {
  char buf[kMaxWord];
  if (const char* end = writeInteger(value, buf)) {
    out.append(buf, static_cast<std::size_t>(end - buf));
  } else {
    append(static_cast<double>(value), out);
  }
}

// `rounded` is the magnitude times 10^decimals, already rounded.
char* AddressFormat::writeDigits(std::uint64_t rounded, bool negative, char* w) const {
  // The rounded integer's digits, right-aligned in a buffer with room after them: the copies
  // below move whole 16-byte pieces and the writes after each one cover what it carried too far.
  char digits[64];
  char* const end = digits + 40;
  char* p = end;
  std::uint64_t v = rounded;
  while (v >= 100) {
    const std::uint64_t q = v / 100;
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (v - q * 100), 2);
    v = q;
  }
  if (v >= 10) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * v, 2);
  } else {
    *--p = static_cast<char>('0' + v);
  }
  // Digits before the point; a value that rounds to zero has none (a lone zero comes from the
  // pattern's "0" places).
  const int digitCount = static_cast<int>(end - p);
  const int intLen = rounded == 0 ? 0 : std::max(0, digitCount - decimals_);
  while (end - p < decimals_) *--p = '0';
  const char* const fraction = end - decimals_;

  CopyPadded(w, fixed_.prefix, fixed_.prefixLen);
  w += fixed_.prefixLen;
  // A value that rounds to zero carries no "-"; under a "+" pattern it carries "+".
  if (rounded != 0 && negative) {
    *w++ = '-';
  } else if (plus_) {
    *w++ = '+';
  }
  for (int z = intLen; z < minInt_; ++z) *w++ = '0';
  CopyPadded(w, fraction - intLen, intLen);
  w += intLen;
  if (point_) {
    *w++ = '.';
    int keep = decimals_;
    while (keep > decZeros_ && fraction[keep - 1] == '0') --keep;
    CopyPadded(w, fraction, keep);
    w += keep;
  }
  CopyPadded(w, fixed_.suffix, fixed_.suffixLen);
  return w + fixed_.suffixLen;
}

void AddressFormat::append(double value, std::string& out) const {
  if (empty_) return;
  if (fast_) {
    char buf[kMaxWord];
    if (const char* end = write(value, buf)) {
      out.append(buf, static_cast<std::size_t>(end - buf));
      return;
    }
  }
  out.append(prefix_);
  number_.append(value, out);
  out.append(suffix_);
}

const AddressFormat& CachedAddressFormat::rebuild(std::string_view pattern) {
  source_.assign(pattern);
  format_.compile(pattern);
  built_ = true;
  return format_;
}

const AddressFormat& CachedAddressFormat::get(std::string_view head, std::string_view tail) {
  const std::string_view src(source_);
  if (!built_ || src.size() != head.size() + tail.size() || src.substr(0, head.size()) != head ||
      src.substr(head.size()) != tail) {
    source_.assign(head);
    source_.append(tail);
    format_.compile(source_);
    built_ = true;
  }
  return format_;
}

std::string FormatAddress(double value, std::string_view pattern) {
  std::string out;
  FormatAddressAppend(value, pattern, out);
  return out;
}

void FormatAddressAppend(double value, std::string_view pattern, std::string& out) {
  AddressFormat(pattern).append(value, out);
}

}  // namespace ordalis::iso
