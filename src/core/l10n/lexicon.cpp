// The translation lexicon: "lexique.txt" beside the program overrides catalogue texts by id and is
// filled with the current texts the first time it is used, so a user can translate or reword the
// interface without rebuilding the program.
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

#include "core/common/profile_file.h"
#include "core/common/text.h"
#include "core/l10n/strings.h"

#ifndef ORDALIS_VERSION_MAJOR
#define ORDALIS_VERSION_MAJOR 0
#define ORDALIS_VERSION_MINOR 0
#define ORDALIS_VERSION_PATCH 0
#endif

namespace ordalis::l10n {

namespace {

constexpr std::string_view kLexiconFile = "lexique.txt";
constexpr std::string_view kTextSection = "Texte";
constexpr std::size_t kLexiconValueMax = 127;

std::string ProgramVersion() {
  return std::to_string(ORDALIS_VERSION_MAJOR) + "." + std::to_string(ORDALIS_VERSION_MINOR) + "." +
         std::to_string(ORDALIS_VERSION_PATCH);
}

/// The local date and time as "YYYY-MM-DD HH:MM:SS", the same on every system.
std::string CurrentDateTime() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return {};
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", local->tm_year + 1900,
                local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec);
  return buffer;
}

std::string LexiconPath(const std::string& programFolder) {
  if (programFolder.empty()) return std::string(kLexiconFile);
  const char last = programFolder.back();
  if (last == '/' || last == '\\') return programFolder + std::string(kLexiconFile);
  return programFolder + "/" + std::string(kLexiconFile);
}

bool IsWritable(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

std::string WithoutBrackets(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '[' && c != ']') out.push_back(c);
  }
  return out;
}

}  // namespace

void Strings::loadLexicon(const std::string& programFolder, const std::string& exeName) {
  table_ = LoadLanguageTable(languageId_);
  const std::string path = LexiconPath(programFolder);
  if (!common::FileExists(path)) return;

  common::ProfileFile lexicon = common::ProfileFile::load(path);
  bool changed = false;
  const std::string version = ProgramVersion();
  if (lexicon.get(exeName, "Version") != version) {
    lexicon.set(exeName, "Version", version);
    lexicon.set(exeName, "Date", CurrentDateTime());
    changed = true;
  }
  for (std::size_t i = 1; i < table_.size(); ++i) {
    auto& [id, entry] = table_[i];
    const std::string key = std::to_string(id);
    std::string own = lexicon.get(kTextSection, key, kLexiconValueMax);
    if (!own.empty()) {
      entry = std::move(own);
      continue;
    }
    entry = WithoutBrackets(entry);
    // The profile writer quotes a text with edge blanks, so " not processed" reads back whole.
    lexicon.set(kTextSection, key, entry);
    changed = true;
  }
  // The save renames a new file over the old one, which would replace a read-only lexicon too:
  // a lexicon the user protected keeps its content (the texts already applied stay).
  if (changed && IsWritable(path)) lexicon.save(path);
  languageId_ = kDebug;
}

}  // namespace ordalis::l10n
