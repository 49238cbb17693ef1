#include "core/l10n/strings.h"

#include <algorithm>

#include "core/common/text.h"
#include "core/common/user_prompt.h"
#include "core/l10n/catalogue.h"

namespace ordalis::l10n {

namespace {

/// Message 2111 in the fallback language: the id the program asked for has no text anywhere.
constexpr int kUnknownIdMessage = 2111;

/// The language used when no table is loaded. The platform's preferred language is not
/// something portable code can ask for, so the neutral table stands for it.
constexpr int kFallbackLanguage = kNeutral;

}  // namespace

LanguageTable LoadLanguageTable(int languageId) {
  LanguageTable table;
  table.emplace_back(0, std::string());
  const std::vector<CatalogueEntry>* entries = Catalogue::instance().language(languageId);
  if (entries == nullptr) return table;
  table.reserve(entries->size() + 1);
  for (const CatalogueEntry& entry : *entries) {
    std::string_view text = common::TrimRight(entry.text);
    if (!text.empty()) table.emplace_back(entry.id, std::string(text));
  }
  return table;
}

const char* CatalogueText(int id, int languageId) {
  return Catalogue::instance().text(id, languageId);
}

std::string Strings::get(int id) const {
  if (table_.size() > 1 && languageId_ != 0) {
    // The table is sorted by id with the placeholder (id 0) first.
    auto it = std::lower_bound(
        table_.begin(), table_.end(), id,
        [](const std::pair<int, std::string>& entry, int key) { return entry.first < key; });
    if (it == table_.end() || it->first != id) return {};
    return it->second;
  }
  if (const char* fallback = CatalogueText(id, kFallbackLanguage)) {
    return std::string(common::TrimRight(fallback));
  }
  if (prompt_ != nullptr) {
    const char* message = CatalogueText(kUnknownIdMessage, kFallbackLanguage);
    prompt_->informText(std::string(message ? message : "") + std::to_string(id));
  }
  return {};
}

void Strings::setLanguage(int languageId) {
  table_ = LoadLanguageTable(languageId);
  languageId_ = languageId;
}

}  // namespace ordalis::l10n
