#include "core/apt/alias_table.h"

#include "core/common/profile_file.h"
#include "core/common/text.h"

namespace ordalis::apt {

namespace {

// APT words are a few letters long; a longer key is a mistake, never a word of a statement.
constexpr std::size_t kMaxWord = 64;

}  // namespace

AliasTable AliasTable::fromProfile(const common::ProfileFile& settings) {
  AliasTable table;
  for (const std::string& key : settings.keys(kAliasSection)) {
    table.add(key, settings.get(kAliasSection, key));
  }
  return table;
}

void AliasTable::add(std::string_view word, std::string_view replacement) {
  word = common::Trim(word);
  if (word.empty() || word.size() > kMaxWord || find(word) != nullptr) return;
  entries_.emplace_back(std::string(word), std::string(common::Trim(replacement)));
}

const std::string* AliasTable::find(std::string_view word) const {
  for (const auto& [key, replacement] : entries_) {
    if (key == word) return &replacement;
  }
  return nullptr;
}

bool AliasTable::rewrite(std::string_view statement, std::string& out) const {
  if (entries_.empty()) return false;
  const std::string_view trimmed = common::TrimLeft(statement);
  if (trimmed.substr(0, 2) == "$$") return false;
  const std::size_t slash = statement.find('/');
  const std::string_view before = statement.substr(0, slash);
  std::string_view major = common::Trim(before);
  const std::string* replacement = find(major);
  const bool majorChanged = replacement != nullptr && !replacement->empty();
  if (majorChanged) major = *replacement;
  if (major == "CYCLE" && slash != std::string_view::npos &&
      rewriteCycle(statement.substr(slash + 1), majorChanged, out)) {
    return true;
  }
  if (!majorChanged) return false;
  // Only the word changes: the blanks before it and everything from the "/" on stay as written.
  const std::size_t at = before.find_first_not_of(" \t");
  out.assign(statement.substr(0, at));
  out.append(major);
  if (slash != std::string_view::npos) out.append(statement.substr(slash));
  return true;
}

bool AliasTable::rewriteCycle(std::string_view params, bool majorChanged, std::string& out) const {
  std::vector<std::string_view> items;
  for (std::size_t start = 0;;) {
    const std::size_t comma = params.find(',', start);
    items.push_back(common::Trim(params.substr(start, comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  bool changed = majorChanged;
  std::vector<std::string_view> kept;
  kept.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string* r = find(items[i]);
    if (r != nullptr && !r->empty()) {
      kept.push_back(*r);
      changed = true;
    } else if (r == nullptr || i == 0) {
      kept.push_back(items[i]);  // a cycle word is never dropped: the statement would mean nothing
    } else {
      ++i;  // the minor word goes with its value
      changed = true;
    }
  }
  if (!changed) return false;
  out.assign("CYCLE/");
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) out.push_back(',');
    out.append(kept[i]);
  }
  return true;
}

}  // namespace ordalis::apt
