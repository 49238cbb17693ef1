// Placeholder until the catalogue lands: every text is empty.
#include "core/l10n/strings.h"

namespace ordalis::l10n {
LanguageTable LoadLanguageTable(int) { return {{0, ""}}; }
const char* CatalogueText(int, int) { return nullptr; }
std::string Strings::get(int) const { return {}; }
void Strings::setLanguage(int id) { languageId_ = id; table_ = LoadLanguageTable(id); }
void Strings::loadLexicon(const std::string&, const std::string&) { table_ = LoadLanguageTable(languageId_); }
}  // namespace ordalis::l10n
