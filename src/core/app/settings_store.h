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

/// Where the main window was and how its splitters were set, section FENETRE. Sizes are pixels;
/// a width of 0 means that nothing was remembered.
struct WindowLayout {
  int left = 0, top = 0, width = 0, height = 0;
  bool maximized = false;
  std::vector<int> panes;   // APT pane, ISO pane
  std::vector<int> band;    // the panes, the bottom band
  std::vector<int> bottom;  // tool tree, log
  bool operator==(const WindowLayout&) const = default;
};

/// The layout of section FENETRE; what is missing or unreadable stays at its default.
WindowLayout ReadWindowLayout(const std::string& settingsPath);

/// Writes section FENETRE, every other line kept; false when the file could not be written.
bool SaveWindowLayout(const std::string& settingsPath, const WindowLayout& layout);

}  // namespace ordalis::app
