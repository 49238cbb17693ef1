#pragma once
// Interface texts by number in the current language, with the user's lexicon merged over them.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/message_log.h"

namespace ordalis::common {
class UserPrompt;
}

namespace ordalis::l10n {

inline constexpr int kEnglish = 1033;
inline constexpr int kFrench = 1036;
inline constexpr int kItalian = 1040;
inline constexpr int kNeutral = 1024;
inline constexpr int kDebug = 1096;

using LanguageTable = std::vector<std::pair<int, std::string>>;

/// All non-empty texts of a language from the compiled-in catalogue, by increasing id, trailing
/// blanks removed, after a placeholder entry (0, "").
LanguageTable LoadLanguageTable(int languageId);

/// Returns the catalogue text of one id in one language, or nullptr when it has none.
const char* CatalogueText(int id, int languageId);

class Strings : public common::MessageTexts {
 public:
  /// `prompt` (may be null) is told of an id that has no text in any language.
  explicit Strings(common::UserPrompt* prompt = nullptr) : prompt_(prompt) {}
  void setPrompt(common::UserPrompt* prompt) { prompt_ = prompt; }

  /// Returns the text of `id` in the current language; empty when there is none.
  std::string get(int id) const;
  std::string text(int id) const override { return get(id); }
  /// Sets the current language and loads its table (the configuration dialog's road).
  void setLanguage(int languageId);
  int languageId() const { return languageId_; }
  const LanguageTable& table() const { return table_; }

  /// Loads the table of the current language, then applies `lexique.txt` from `programFolder`
  /// (section named `exeName` for the version stamp, section "Texte" for the texts).
  void loadLexicon(const std::string& programFolder, const std::string& exeName);

 private:
  common::UserPrompt* prompt_;
  int languageId_ = kEnglish;
  LanguageTable table_;
};

}  // namespace ordalis::l10n
