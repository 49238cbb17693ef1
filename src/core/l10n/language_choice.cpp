#include "core/l10n/language_choice.h"

#include <array>

#include "core/l10n/strings.h"

namespace ordalis::l10n {

namespace {

constexpr int kGerman = 1031;

constexpr std::array<LanguageChoice, 5> kNames = {{{"Fran\xE7"
                                                    "ais",
                                                    kFrench},
                                                   {"English US", kEnglish},
                                                   {"Italiano IT", kItalian},
                                                   {"Debug Menu", kDebug},
                                                   {"German", kGerman}}};

}  // namespace

std::span<const LanguageChoice> OfferedLanguages() {
  return std::span<const LanguageChoice>(kNames.data(), kNames.size() - 1);
}

int LanguageIdOfName(std::string_view name) {
  for (const LanguageChoice& choice : kNames) {
    if (choice.name == name) return choice.id;
  }
  return -1;
}

std::string_view LanguageNameOf(int id) {
  for (const LanguageChoice& choice : kNames) {
    if (choice.id == id) return choice.name;
  }
  return {};
}

}  // namespace ordalis::l10n
