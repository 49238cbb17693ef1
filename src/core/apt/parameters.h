#pragma once
// Reading a statement's parts without copying it: the major word, the parameter text and its
// items are views into the statement, so the per-statement path allocates nothing.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace ordalis::iso {
class RunContext;
}

namespace ordalis::apt {

/// Catalogue ids of the statement handlers' messages.
inline constexpr int kMsgNotProcessed = 2106;     // "Code non traité :"
inline constexpr int kMsgLoadFirst = 2113;        // "Instruction LOAD :"
inline constexpr int kMsgLoadLast = 2114;         // " non traité"
inline constexpr int kMsgBadGoto = 2118;          // "Format GOTO invalide :"
inline constexpr int kMsgKnownNotDone = 2119;     // "Instruction non traitée mais connue :"
inline constexpr int kMsgToolAxisRefused = 2170;  // a tilted tool axis on a 3-axis machine
inline constexpr int kMsgNoSurfaceSpeed = 2171;   // SFM/SMM without PP_CSS_ON, PP_CSS_OFF
inline constexpr int kMsgSpindleWord = 2172;      // RANGE, MAXRPM and the like
inline constexpr int kMsgTapWithoutPitch = 2173;
inline constexpr int kMsgThruAsFlood = 2174;
inline constexpr int kMsgCompensationOnArc = 2175;
inline constexpr int kMsgSpindleNoSpeed = 2176;

/// Logs that a statement lacks values it needs (they were read as 0): message 2106 and the
/// statement.
void ReportIncomplete(iso::RunContext& ctx, std::string_view statement);

/// The index of the first "/", or the size when there is none. The dispatcher and the motion
/// handlers ask for every statement, and the major word is a few letters long: eight bytes at a
/// time in line finds the "/" sooner than a library search gets going.
inline std::size_t SlashIndex(std::string_view statement) {
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    for (; statement.size() - i >= 8; i += 8) {
      std::uint64_t x;
      std::memcpy(&x, statement.data() + i, 8);
      x ^= '/' * kOnes;                                               // a "/" becomes a zero byte
      const std::uint64_t zeros = (x - kOnes) & ~x & (0x80 * kOnes);  // exact up to the first
      if (zeros != 0) return i + static_cast<std::size_t>(std::countr_zero(zeros) >> 3);
    }
  }
  while (i < statement.size() && statement[i] != '/') ++i;
  return i;
}

/// The text before the first "/" with blanks removed at both ends (the whole statement, trimmed,
/// when it has no "/").
inline std::string_view MajorWord(std::string_view statement) {
  std::size_t first = 0;
  std::size_t last = SlashIndex(statement);
  while (first < last && statement[first] == ' ') ++first;
  while (last > first && statement[last - 1] == ' ') --last;
  return statement.substr(first, last - first);
}

/// The text after the first "/"; the whole statement when it has none.
inline std::string_view ParameterText(std::string_view statement) {
  const std::size_t slash = SlashIndex(statement);
  return slash == statement.size() ? statement : statement.substr(slash + 1);
}

/// The text before the first blank (the whole text when it has none).
std::string_view FirstWord(std::string_view text);

/// A parameter text split at every ",": empty items are kept, items are not trimmed.
class ParamList {
 public:
  /// Splits `params` (a parameter text, not a statement).
  explicit ParamList(std::string_view params);
  /// Splits the parameter text of `statement`.
  static ParamList of(std::string_view statement) { return ParamList(ParameterText(statement)); }

  int count() const { return count_; }
  /// Item n, counted from 1; empty when the list is shorter.
  std::string_view item(int n) const;
  /// Item n read as a number (0 when missing or not a number).
  double number(int n) const;

 private:
  static constexpr int kKept = 16;
  std::string_view text_;
  std::array<std::string_view, kKept> items_{};
  int count_ = 0;
};

/// Converts to a single-precision value, clamped to its range so that no infinity is stored.
float ToSingle(double value);
/// Rounds halves to even and clamps to the 16-bit range.
std::int16_t RoundToInt16(double value);
/// Rounds halves to even and clamps to the 32-bit range.
std::int32_t RoundToInt32(double value);

}  // namespace ordalis::apt
