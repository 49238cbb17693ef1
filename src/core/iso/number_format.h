#pragma once
// Number formatting for ISO output: the general display-pattern formatter and the address-word
// formatter, both compiled once per pattern so that a block costs no pattern parsing.

#include <cstdint>
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
  AddressFormat() = default;
  explicit AddressFormat(std::string_view pattern) { compile(pattern); }
  void compile(std::string_view pattern);
  /// Appends the address word for `value` ("" for an empty pattern).
  void append(double value, std::string& out) const;
  /// The same for a whole number (block numbers), without floating-point rounding.
  void appendInteger(std::int64_t value, std::string& out) const;
  bool empty() const { return empty_; }
  /// The smallest change of value the word shows (0.001 for "X#0.000"); 0 when not known. Values
  /// this far apart or more are written differently.
  double step() const { return step_; }

 private:
  void compileFast(std::string_view numeric);
  bool appendFast(double value, std::string& out) const;
  void appendDigits(std::uint64_t rounded, bool negative, std::string& out) const;

  bool empty_ = true;
  std::string prefix_, suffix_;
  NumberPattern number_;
  // The usual "X#0.000" / "Z+#0.000" forms, written without walking the pattern.
  bool fast_ = false;
  bool plus_ = false;
  int minInt_ = 0, decimals_ = 0, decZeros_ = 0;
  bool point_ = false;
  double step_ = 0;
};

/// An AddressFormat rebuilt only when the pattern text it was built from changes.
class CachedAddressFormat {
 public:
  const AddressFormat& get(std::string_view pattern);
  /// For a pattern given as two parts (incremental prefix + axis format).
  const AddressFormat& get(std::string_view head, std::string_view tail);

 private:
  std::string source_;
  bool built_ = false;
  AddressFormat format_;
};

/// Address-word formatter: 12.5 with "X#0.000" gives "X12.500"; an empty pattern gives "".
std::string FormatAddress(double value, std::string_view pattern);
/// Appends the address word to `out` without a temporary.
void FormatAddressAppend(double value, std::string_view pattern, std::string& out);

}  // namespace ordalis::iso
