#include "core/app/settings_store.h"

#include <algorithm>
#include <string_view>

#include "core/apt/alias_table.h"
#include "core/common/profile_file.h"
#include "core/common/text.h"

namespace ordalis::app {

namespace {

constexpr std::string_view kConfigSection = "CONFIG";
constexpr std::string_view kWindowSection = "FENETRE";

bool BadWord(std::string_view word) {
  if (word.empty()) return true;
  if (word.front() == ';' || word.front() == '#' || word.front() == '[') return true;
  return std::any_of(word.begin(), word.end(), [](char c) {
    return c == '=' || c == '[' || c == ']' || static_cast<unsigned char>(c) < 0x20;
  });
}

bool SameWord(std::string_view a, std::string_view b) {
  return common::EqualsNoCase(common::Trim(a), common::Trim(b));
}

int ReadInt(const common::ProfileFile& file, std::string_view key) {
  const double value = common::ReadNumber(file.get(kWindowSection, key));
  return value > -1e6 && value < 1e6 ? static_cast<int>(value) : 0;
}

/// "600,400": sizes of a splitter; a list that is not plain non-negative numbers is dropped.
std::vector<int> ReadSizes(std::string_view text) {
  constexpr int kMaxSizes = 8;
  double values[kMaxSizes];
  const int count = common::ReadPlainNumberList(common::Trim(text), values, kMaxSizes);
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    if (!(values[i] >= 0 && values[i] < 1e6)) return {};
    sizes.push_back(static_cast<int>(values[i]));
  }
  return sizes;
}

std::string WriteSizes(const std::vector<int>& sizes) {
  std::string text;
  for (const int size : sizes) {
    if (!text.empty()) text += ',';
    text += std::to_string(size);
  }
  return text;
}

}  // namespace

AliasProblem CheckAlias(const std::vector<AliasEntry>& entries, std::size_t index) {
  const std::string_view word = common::Trim(entries[index].word);
  if (BadWord(word) || entries[index].replacement.find_first_of("\r\n") != std::string::npos) {
    return AliasProblem::kBadWord;
  }
  for (std::size_t i = 0; i < index; ++i) {
    if (SameWord(entries[i].word, word)) return AliasProblem::kRepeated;
  }
  return AliasProblem::kNone;
}

std::vector<AliasEntry> ReadAliases(const std::string& settingsPath) {
  const common::ProfileFile settings = common::ProfileFile::load(common::NativePath(settingsPath));
  std::vector<AliasEntry> entries;
  for (const std::string& key : settings.keys(apt::kAliasSection)) {
    entries.push_back({key, settings.get(apt::kAliasSection, key)});
  }
  return entries;
}

bool SaveAliases(const std::string& settingsPath, const std::vector<AliasEntry>& entries) {
  const std::string path = common::NativePath(settingsPath);
  common::ProfileFile settings;
  if (!common::ProfileFile::tryLoad(path, settings)) return false;
  std::vector<AliasEntry> kept;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (CheckAlias(entries, i) != AliasProblem::kNone) continue;
    kept.push_back({std::string(common::Trim(entries[i].word)),
                    std::string(common::Trim(entries[i].replacement))});
  }
  // A key kept under another case is written anew: the conversion matches words exactly.
  for (const std::string& key : settings.keys(apt::kAliasSection)) {
    const bool stays =
        std::any_of(kept.begin(), kept.end(), [&](const AliasEntry& e) { return e.word == key; });
    if (!stays) settings.remove(apt::kAliasSection, key);
  }
  for (const AliasEntry& entry : kept) {
    settings.set(apt::kAliasSection, entry.word, entry.replacement);
  }
  return settings.save(path);
}

bool SaveLanguageId(const std::string& settingsPath, int languageId) {
  return common::WriteProfileString(common::NativePath(settingsPath), kConfigSection, "LangId",
                                    std::to_string(languageId));
}

bool SaveCloseAfterPP(const std::string& settingsPath, bool closeAfterRun) {
  return common::WriteProfileString(common::NativePath(settingsPath), kConfigSection,
                                    "CloseAfterPP", closeAfterRun ? "1" : "0");
}

WindowLayout ReadWindowLayout(const std::string& settingsPath) {
  const common::ProfileFile file = common::ProfileFile::load(common::NativePath(settingsPath));
  WindowLayout layout;
  layout.left = ReadInt(file, "Left");
  layout.top = ReadInt(file, "Top");
  layout.width = std::max(0, ReadInt(file, "Width"));
  layout.height = std::max(0, ReadInt(file, "Height"));
  layout.maximized = ReadInt(file, "Maximized") != 0;
  layout.panes = ReadSizes(file.get(kWindowSection, "Panes"));
  layout.band = ReadSizes(file.get(kWindowSection, "Band"));
  layout.bottom = ReadSizes(file.get(kWindowSection, "Bottom"));
  return layout;
}

bool SaveWindowLayout(const std::string& settingsPath, const WindowLayout& layout) {
  const std::string path = common::NativePath(settingsPath);
  common::ProfileFile file;
  if (!common::ProfileFile::tryLoad(path, file)) return false;
  file.set(kWindowSection, "Left", std::to_string(layout.left));
  file.set(kWindowSection, "Top", std::to_string(layout.top));
  file.set(kWindowSection, "Width", std::to_string(layout.width));
  file.set(kWindowSection, "Height", std::to_string(layout.height));
  file.set(kWindowSection, "Maximized", layout.maximized ? "1" : "0");
  file.set(kWindowSection, "Panes", WriteSizes(layout.panes));
  file.set(kWindowSection, "Band", WriteSizes(layout.band));
  file.set(kWindowSection, "Bottom", WriteSizes(layout.bottom));
  return file.save(path);
}

}  // namespace ordalis::app
