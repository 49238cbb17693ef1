#pragma once
// Text and path helpers shared by every stage that parses statements, templates or file names.
// All texts are bytes in Windows-1252; nothing here depends on the locale.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace ordalis::common {

/// Returns the text before the first `c`, or the whole text when `c` does not occur.
std::string_view TextBefore(std::string_view text, char c);
/// Returns the text after the first `c`, or the whole text when `c` does not occur.
std::string_view TextAfter(std::string_view text, char c);
/// Returns the text before the last `c`, or an empty text when `c` does not occur.
std::string_view TextBeforeLast(std::string_view text, char c);
/// Returns the text after the last `c`, or an empty text when `c` does not occur.
std::string_view TextAfterLast(std::string_view text, char c);
/// Replaces every occurrence of `find`, scanned left to right without overlap.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);
/// In-place variant; returns the number of replacements made.
std::size_t ReplaceAllInPlace(std::string& text, std::string_view find,
                              std::string_view replacement);

std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);

/// Returns the first byte below 14 (TAB, LF, CR and the other low control bytes) in [p, e), or e.
/// Eight bytes at a time: the reader and the line cleaning run it over every byte of a program.
inline const char* FindLowControl(const char* p, const char* e) {
  if constexpr (std::endian::native == std::endian::little) {
    // The high bit of each byte below 14; exact up to the first such byte, which is all we use.
    const auto lowBytes = [](std::uint64_t x) {
      return (x - 0x0E0E0E0E0E0E0E0EULL) & ~x & 0x8080808080808080ULL;
    };
    // Sixteen bytes a turn: a line is mostly longer than that, and one test covers both halves.
    while (e - p >= 16) {
      std::uint64_t x;
      std::uint64_t y;
      std::memcpy(&x, p, 8);
      std::memcpy(&y, p + 8, 8);
      const std::uint64_t xHit = lowBytes(x);
      const std::uint64_t yHit = lowBytes(y);
      if ((xHit | yHit) != 0) {
        return xHit != 0 ? p + (std::countr_zero(xHit) >> 3)
                         : p + 8 + (std::countr_zero(yHit) >> 3);
      }
      p += 16;
    }
    if (e - p >= 8) {
      std::uint64_t x;
      std::memcpy(&x, p, 8);
      const std::uint64_t hit = lowBytes(x);
      if (hit != 0) return p + (std::countr_zero(hit) >> 3);
      p += 8;
    }
  }
  while (p < e && static_cast<unsigned char>(*p) >= 14) ++p;
  return p;
}

/// TAB becomes a blank, CR and LF are removed, trailing blanks are removed; leading blanks stay.
std::string CleanLine(std::string_view line);
/// In-place variant used by the reader's hot path.
void CleanLineInPlace(std::string& line);

/// Reads the longest numeric prefix (blanks skipped, "." decimal point, E or D exponent, &H and &O
/// integers). Returns 0 when there is no number, and also when the value overflows a double, so a
/// program never receives an infinity.
double ReadNumber(std::string_view text);

/// Reads a list of plain numbers ("12.5,-3,0.25": sign, digits, one "."; nothing else, at most 15
/// digits each) in one pass, as ReadNumber reads each item. Returns the number of items, or -1 when
/// an item has any other form or there are more than `max`: the caller then reads item by item.
int ReadPlainNumberList(std::string_view text, double* values, int max);

/// Rounds to the nearest integer, halves to even, clamped to the range of T.
long long RoundHalfEven(double value);

/// One part of a path: 0 drive ("C:"), 1 folder (with its trailing separator), 2 base name,
/// 3 extension (from the last "." of the file name). "\" and "/" both separate folders.
std::string PathPart(std::string_view path, int part);

/// Turns a path written with "\" separators into one the operating system opens.
std::string NativePath(std::string_view path);

/// True when the path names a regular file that can be opened for reading.
bool FileExists(std::string_view path);

/// ASCII and Windows-1252 case folding for key names: returns true when equal without regard to
/// case.
bool EqualsNoCase(std::string_view a, std::string_view b);
/// True when `what` occurs anywhere in `text`.
inline bool Contains(std::string_view text, std::string_view what) {
  return text.find(what) != std::string_view::npos;
}

}  // namespace ordalis::common
