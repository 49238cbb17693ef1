#pragma once
// Numbers as a definition file writes them: "." always, no trailing zeros, a bounded number of
// significant digits; and the strict reading that the editor's numeric fields must pass.

#include <string>
#include <string_view>

namespace ordalis::ppdef {

inline constexpr int kDoubleDigits = 15;
inline constexpr int kSingleDigits = 7;

/// Writes `value` with at most `significantDigits` digits and no trailing zeros ("0.01", "99999").
std::string FormatDecimal(double value, int significantDigits);

/// Reads a whole field as one finite number (blanks around it allowed); false for an empty text,
/// letters, a decimal comma or anything left over.
bool ParseFieldNumber(std::string_view text, double& value);

}  // namespace ordalis::ppdef
