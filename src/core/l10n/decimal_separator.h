#pragma once
// The start-up look at the system's decimal separator. Ordalis reads and writes numbers with "."
// whatever the locale, so the check only tells the user; it never changes a system setting.

#include <string>
#include <string_view>

namespace ordalis::l10n {

class Strings;

/// Returns the decimal separator of the named locale ("" for the user's, from the environment),
/// or "" when that locale cannot be read.
std::string LocaleDecimalSeparator(const char* localeName);

/// True when the user is to be told: a separator other than ".", or one that could not be read.
bool DecimalSeparatorNeedsNotice(std::string_view separator);

/// The notice: text 605 as first written (the same in every language, "Decimal point =  '.'"),
/// then what the system uses and that nothing needs to change, in the current language.
std::string DecimalSeparatorNotice(const Strings& strings, std::string_view separator);

}  // namespace ordalis::l10n
