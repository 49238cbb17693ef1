#pragma once
// What the configuration dialog writes into the settings file (Ordalis.ini): the language, the
// close-after-run option and the CAM word aliases of section APT_ALIAS. Every other line of the
// file, comments included, stays as it was; a file that cannot be read is never replaced.

#include <cstddef>
#include <string>
#include <vector>

namespace ordalis::app {

struct AliasEntry {
  std::string word;
  std::string replacement;  // may be empty: a CYCLE minor word is then dropped with its value
  bool operator==(const AliasEntry&) const = default;
};

enum class AliasProblem {
  kNone,
  kBadWord,   // empty, or a character the settings file would read otherwise (= [ ] ; # or a break)
  kRepeated,  // an earlier entry has the same word (the file does not tell case apart)
};

/// Returns what keeps entry `index` from being written.
AliasProblem CheckAlias(const std::vector<AliasEntry>& entries, std::size_t index);

/// The aliases of the settings file in file order, read as the conversion reads them.
std::vector<AliasEntry> ReadAliases(const std::string& settingsPath);

/// Makes section APT_ALIAS hold exactly the entries without a problem (blanks around the texts
/// dropped): keys of words no longer listed are removed, the others set in place, new ones added
/// at the end of the section. Returns false when the file could not be read or written.
bool SaveAliases(const std::string& settingsPath, const std::vector<AliasEntry>& entries);

/// `LangId` of section CONFIG, in decimal.
bool SaveLanguageId(const std::string& settingsPath, int languageId);

/// `CloseAfterPP` of section CONFIG: 1 or 0.
bool SaveCloseAfterPP(const std::string& settingsPath, bool closeAfterRun);

}  // namespace ordalis::app
