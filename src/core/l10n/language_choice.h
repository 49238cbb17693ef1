#pragma once
// The languages the configuration dialog offers, by the names it shows (Windows-1252).

#include <span>
#include <string_view>

namespace ordalis::l10n {

struct LanguageChoice {
  std::string_view name;
  int id;
};

/// The list of the dialog, in its order: "Français", "English US", "Italiano IT", "Debug Menu".
std::span<const LanguageChoice> OfferedLanguages();

/// Returns the language id of a name the list shows, or of "German" (accepted when typed, though
/// the catalogue has no German texts); -1 for any other text.
int LanguageIdOfName(std::string_view name);

/// Returns the name the dialog shows for a language id ("German" for 1031); "" for other ids.
std::string_view LanguageNameOf(int id);

}  // namespace ordalis::l10n
