#pragma once
// Number formatting for ISO output: the general display-pattern formatter and the address-word
// formatter, both compiled once per pattern so that a block costs no pattern parsing.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace ordalis::iso {

/// One ";"-separated section of a display pattern, reduced to tokens.
struct PatternSection {
  enum Kind : std::uint8_t { kLiteral, kZero, kHash, kPoint };
  struct Token {
    Kind kind;
    char c;
  };
  std::vector<Token> tokens;
  int intSlots = 0;  // "0" and "#" before the decimal point
  int decSlots = 0;  // "0" and "#" after it
  bool hasPoint = false;
  // Literals only around "#...#0...0[.0...0#...#]": formatted without walking the tokens.
  bool simple = false;
  int leadLiterals = 0, minInt = 0, decZeros = 0;
};

/// A display pattern ("0", "#", "." and literal characters; "\x" and "..." quote literals),
/// compiled. Up to three sections: positive/zero, negative, zero.
class NumberPattern {
 public:
  NumberPattern() = default;
  explicit NumberPattern(std::string_view pattern) { compile(pattern); }
  void compile(std::string_view pattern);
  /// Appends the value formatted by the pattern; a non-finite value counts as 0.
  void append(double value, std::string& out) const;
  bool empty() const { return sectionCount_ == 0; }

 private:
  PatternSection sections_[3];
  int sectionCount_ = 0;
};

/// Appends the shortest plain form of a real: "12.5", "3", never an exponent; 15 significant
/// digits.
void AppendPlainNumber(double value, std::string& out);
/// Same for a single-precision value, with its own shortest form ("10.1" for 10.1f).
void AppendPlainSingle(float value, std::string& out);

/// General display-pattern formatter: rounding halves away from zero, "." as decimal point, an
/// empty pattern gives the plain form.
std::string FormatNumber(double value, std::string_view pattern);
void FormatNumberAppend(double value, std::string_view pattern, std::string& out);

/// An address pattern (prefix, optional "+", numeric part from the first "#" to the last "0",
/// suffix) compiled once: the generator keeps one per definition field.
class AddressFormat {
 public:
  /// Room `write` needs: prefix and suffix (at most 32 together on the fast path), sign, 20
  /// integer digits, point, 15 decimals, and 32 bytes that a copy may carry past the word's end.
  static constexpr std::size_t kMaxWord = 112;

  AddressFormat() = default;
  explicit AddressFormat(std::string_view pattern) { compile(pattern); }
  void compile(std::string_view pattern);
  /// Appends the address word for `value` ("" for an empty pattern).
  void append(double value, std::string& out) const;
  /// The same for a whole number (block numbers), without floating-point rounding.
  void appendInteger(std::int64_t value, std::string& out) const;
  /// Writes the word for `value` at `to` (kMaxWord bytes of room) and returns its end, `to` for an
  /// empty pattern; nullptr when only `append` can write it (an unusual pattern, a huge value).
  char* write(double value, char* to) const;
  /// The same for `appendInteger`.
  char* writeInteger(std::int64_t value, char* to) const;
  bool empty() const { return empty_; }
  /// The smallest change of value the word shows (0.001 for "X#0.000"); 0 when not known. Values
  /// this far apart or more are written differently.
  double step() const { return step_; }

 private:
  void compileFast(std::string_view numeric);
  char* writeDigits(std::uint64_t rounded, bool negative, char* w) const;

  bool empty_ = true;
  std::string prefix_, suffix_;
  NumberPattern number_;
  // The usual "X#0.000" / "Z+#0.000" forms, written without walking the pattern.
  bool fast_ = false;
  bool plus_ = false;
  int minInt_ = 0, decimals_ = 0, decZeros_ = 0;
  bool point_ = false;
  double step_ = 0;
  // Prefix and suffix of the fast form, padded so that they are copied as whole 16-byte pieces.
  struct Fixed {
    char prefix[32];
    char suffix[32];
    int prefixLen, suffixLen;
  } fixed_{};
};

/// An AddressFormat rebuilt only when the pattern text it was built from changes.
class CachedAddressFormat {
 public:
  /// Asked for several times a block: the usual case, an unchanged pattern of a few bytes, is
  /// answered inline.
  const AddressFormat& get(std::string_view pattern) {
    if (built_ && SameBytes(source_, pattern)) return format_;
    return rebuild(pattern);
  }
  /// For a pattern given as two parts (incremental prefix + axis format).
  const AddressFormat& get(std::string_view head, std::string_view tail);

 private:
  // A pattern of a few bytes compared in at most two overlapping 8- or 4-byte pieces.
  static bool SameBytes(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (n != b.size()) return false;
    const char* p = a.data();
    const char* q = b.data();
    if (n >= 8) {
      for (std::size_t i = 0; i + 8 < n; i += 8) {
        if (Load8(p + i) != Load8(q + i)) return false;
      }
      return Load8(p + n - 8) == Load8(q + n - 8);
    }
    if (n >= 4) return Load4(p) == Load4(q) && Load4(p + n - 4) == Load4(q + n - 4);
    for (std::size_t i = 0; i < n; ++i) {
      if (p[i] != q[i]) return false;
    }
    return true;
  }
  static std::uint64_t Load8(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
  }
  static std::uint32_t Load4(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  const AddressFormat& rebuild(std::string_view pattern);

  std::string source_;
  bool built_ = false;
  AddressFormat format_;
};

/// Address-word formatter: 12.5 with "X#0.000" gives "X12.500"; an empty pattern gives "".
std::string FormatAddress(double value, std::string_view pattern);
/// Appends the address word to `out` without a temporary.
void FormatAddressAppend(double value, std::string_view pattern, std::string& out);

}  // namespace ordalis::iso
