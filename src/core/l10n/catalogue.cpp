#include "core/l10n/catalogue.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "core/l10n/catalogue_data.h"

namespace ordalis::l10n {

namespace {

constexpr int kMaxId = 65535;

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

/// Reads a whole decimal number; 0 when the text is not one.
int ReadWholeNumber(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return 0;
  return value;
}

/// Splits the bytes into lines ending in CR LF, LF or CR alone.
template <typename F>
void ForEachLine(std::string_view bytes, F&& onLine) {
  std::size_t start = 0;
  int number = 1;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    onLine(bytes.substr(start, end - start), number++);
    if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

void Report(std::vector<std::string>* problems, int languageId, int line, std::string_view what) {
  if (problems == nullptr) return;
  problems->push_back(std::to_string(languageId) + ".txt line " + std::to_string(line) + ": " +
                      std::string(what));
}

void ParseLine(std::string_view raw, int number, CatalogueLanguage& out,
               std::vector<std::string>* problems) {
  std::string_view line = TrimBlanks(raw);
  if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line = TrimBlanks(line.substr(3));
  if (line.empty() || line.front() == '#') return;
  if (line.substr(0, 8) == "@inherit") {
    out.inheritFrom = ReadWholeNumber(TrimBlanks(line.substr(8)));
    if (out.inheritFrom == 0) Report(problems, out.languageId, number, "bad @inherit");
    return;
  }
  const std::size_t equals = line.find('=');
  const int id =
      equals == std::string_view::npos ? 0 : ReadWholeNumber(TrimBlanks(line.substr(0, equals)));
  if (id <= 0 || id > kMaxId) {
    Report(problems, out.languageId, number, "not an \"id=text\" line");
    return;
  }
  std::string_view text = TrimBlanks(line.substr(equals + 1));
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = text.substr(1, text.size() - 2);
  }
  if (text.empty()) {
    Report(problems, out.languageId, number, "empty text");
    return;
  }
  out.entries.push_back({id, std::string(text)});
}

/// Sorts by id and keeps the first text of each id.
void SortUnique(std::vector<CatalogueEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.id < b.id; });
  entries.erase(
      std::unique(entries.begin(), entries.end(),
                  [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.id == b.id; }),
      entries.end());
}

std::vector<CatalogueLanguage> ParseEmbeddedFiles() {
  std::vector<CatalogueLanguage> languages;
  for (std::size_t i = 0; i < kCatalogueFileCount; ++i) {
    const CatalogueFile& file = kCatalogueFiles[i];
    languages.push_back(
        ParseCatalogueFile(std::string_view(file.bytes, file.size), file.languageId));
  }
  return languages;
}

}  // namespace

CatalogueLanguage ParseCatalogueFile(std::string_view bytes, int languageId,
                                     std::vector<std::string>* problems) {
  CatalogueLanguage language;
  language.languageId = languageId;
  ForEachLine(bytes, [&](std::string_view line, int number) {
    ParseLine(line, number, language, problems);
  });
  const std::size_t parsed = language.entries.size();
  SortUnique(language.entries);
  if (language.entries.size() != parsed) Report(problems, languageId, 0, "repeated ids");
  return language;
}

Catalogue::Catalogue(std::vector<CatalogueLanguage> languages) : languages_(std::move(languages)) {
  std::sort(languages_.begin(), languages_.end(),
            [](const CatalogueLanguage& a, const CatalogueLanguage& b) {
              return a.languageId < b.languageId;
            });
  // One level of inheritance is all the files use; a parent that itself inherits contributes
  // its own texts only, which also keeps a cycle harmless.
  std::vector<std::vector<CatalogueEntry>> own;
  for (const CatalogueLanguage& language : languages_) own.push_back(language.entries);
  for (std::size_t i = 0; i < languages_.size(); ++i) {
    const int parent = languages_[i].inheritFrom;
    for (std::size_t p = 0; p < languages_.size(); ++p) {
      if (p == i || languages_[p].languageId != parent) continue;
      auto& entries = languages_[i].entries;
      entries.insert(entries.end(), own[p].begin(), own[p].end());
      SortUnique(entries);
    }
  }
}

const Catalogue& Catalogue::instance() {
  static const Catalogue catalogue(ParseEmbeddedFiles());
  return catalogue;
}

const std::vector<CatalogueEntry>* Catalogue::language(int languageId) const {
  auto it = std::lower_bound(
      languages_.begin(), languages_.end(), languageId,
      [](const CatalogueLanguage& language, int id) { return language.languageId < id; });
  if (it == languages_.end() || it->languageId != languageId) return nullptr;
  return &it->entries;
}

const char* Catalogue::text(int id, int languageId) const {
  const std::vector<CatalogueEntry>* entries = language(languageId);
  if (entries == nullptr) return nullptr;
  auto it = std::lower_bound(entries->begin(), entries->end(), id,
                             [](const CatalogueEntry& entry, int key) { return entry.id < key; });
  if (it == entries->end() || it->id != id) return nullptr;
  return it->text.c_str();
}

}  // namespace ordalis::l10n
