#pragma once
// The message catalogue compiled into the program: texts by id for each language, parsed once
// from the embedded catalogue files.

#include <string>
#include <string_view>
#include <vector>

namespace ordalis::l10n {

struct CatalogueEntry {
  int id;
  std::string text;  // Windows-1252, never empty
};

/// The texts of one catalogue file, by increasing id.
struct CatalogueLanguage {
  int languageId = 0;
  int inheritFrom = 0;  // "@inherit N": texts of N that this file does not give (0: none)
  std::vector<CatalogueEntry> entries;
};

/// Parses one catalogue file. Lines "id=text" (text without surrounding blanks, or between
/// double quotes to keep them), "#" comments, blank lines and "@inherit N". Malformed lines,
/// ids outside 1..65535, empty texts and repeated ids are skipped (the first text of an id
/// stays); each is described in `problems` when it is given.
CatalogueLanguage ParseCatalogueFile(std::string_view bytes, int languageId,
                                     std::vector<std::string>* problems = nullptr);

class Catalogue {
 public:
  /// The catalogue of the program, built on first use from the embedded files.
  static const Catalogue& instance();

  explicit Catalogue(std::vector<CatalogueLanguage> languages);

  /// Returns the entries of a language by increasing id, or nullptr when it has none.
  const std::vector<CatalogueEntry>* language(int languageId) const;
  /// Returns the text of `id` in a language, or nullptr when there is none.
  const char* text(int id, int languageId) const;

 private:
  std::vector<CatalogueLanguage> languages_;
};

}  // namespace ordalis::l10n
