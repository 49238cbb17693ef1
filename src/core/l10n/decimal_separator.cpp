#include "core/l10n/decimal_separator.h"

#include <locale>
#include <stdexcept>

#include "core/l10n/strings.h"

namespace ordalis::l10n {

namespace {

constexpr int kDecimalPoint = 605;
constexpr int kSystemSeparator = 9031;
constexpr int kNothingToChange = 9032;
constexpr int kNotReadable = 9033;

}  // namespace

std::string LocaleDecimalSeparator(const char* localeName) {
  try {
    // A locale object of its own: the process's global locale stays as it is.
    const std::locale locale(localeName);
    return std::string(1, std::use_facet<std::numpunct<char>>(locale).decimal_point());
  } catch (const std::runtime_error&) {
    return {};
  }
}

bool DecimalSeparatorNeedsNotice(std::string_view separator) { return separator != "."; }

std::string DecimalSeparatorNotice(const Strings& strings, std::string_view separator) {
  // The authors' own words, the same in every language.
  const char* first = CatalogueText(kDecimalPoint, kFrench);
  std::string text = first != nullptr ? first : "Decimal point =  '.'";
  text += "\n\n";
  text += strings.get(kSystemSeparator);
  text += ' ';
  if (separator.empty()) {
    text += strings.get(kNotReadable);
  } else {
    text += '\'';
    text += separator;
    text += '\'';
  }
  text += '\n';
  text += strings.get(kNothingToChange);
  return text;
}

}  // namespace ordalis::l10n
