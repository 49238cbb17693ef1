#include "core/display/line_match.h"

#include <string_view>
#include <unordered_set>

#include "core/texttools/line_key.h"

namespace ordalis::display {

namespace {

std::unordered_set<std::string> KeySet(std::span<const std::string> keys) {
  std::unordered_set<std::string> wanted;
  for (const std::string& key : keys) {
    if (!key.empty()) wanted.insert(key);
  }
  return wanted;
}

/// Selects `line` with its break.
void SelectLine(common::TextPane& pane, std::size_t line) {
  const std::size_t start = pane.lineStart(line);
  pane.select(start, pane.lineStart(line + 1) - start);
}

}  // namespace

std::vector<bool> StatementsWithKeys(const MoveList& list, std::span<const std::string> keys) {
  std::vector<bool> marked(list.statementCount(), false);
  const std::unordered_set<std::string> wanted = KeySet(keys);
  if (wanted.empty()) return marked;
  for (std::uint32_t s = 0; s < marked.size(); ++s) {
    marked[s] = wanted.count(texttools::LineKey(list.statementText(s))) > 0;
  }
  return marked;
}

std::vector<bool> StatementsOfLines(const MoveList& list, std::span<const std::string> keys) {
  std::vector<bool> marked = StatementsWithKeys(list, keys);
  const std::unordered_set<std::string> wanted = KeySet(keys);
  if (wanted.empty()) return marked;
  std::unordered_set<std::uint32_t> wantedHashes;
  for (const std::string& key : wanted) wantedHashes.insert(BlockKeyHash(key));
  for (std::size_t k = 0; k < list.blockKeyCount(); ++k) {
    const std::uint32_t statement = list.blockKeyStatement(k);
    if (statement < marked.size() && wantedHashes.count(list.blockKeyHash(k)) > 0) {
      marked[statement] = true;
    }
  }
  for (std::size_t k = 0; k < list.infoCount(); ++k) {
    const std::uint32_t statement = list.statement(list.infoMove(k));
    if (statement >= marked.size() || marked[statement]) continue;
    std::string_view text = list.infoText(k);
    while (!text.empty() && !marked[statement]) {
      const std::size_t end = text.find("\r\n");
      marked[statement] = wanted.count(texttools::LineKey(text.substr(0, end))) > 0;
      if (end == std::string_view::npos) break;
      text.remove_prefix(end + 2);
    }
  }
  return marked;
}

std::vector<bool> StatementsInLines(const MoveList& list, std::int32_t firstLine,
                                    std::int32_t lastLine) {
  std::vector<bool> marked(list.statementCount(), false);
  for (std::uint32_t s = 0; s < marked.size(); ++s) {
    const std::int32_t line = list.statementLine(s);
    marked[s] = line >= 0 && line >= firstLine && line <= lastLine;
  }
  return marked;
}

std::vector<std::string> SelectedLineKeys(common::TextPane& pane) {
  std::vector<std::string> keys;
  const std::size_t start = pane.selStart(), length = pane.selLength();
  if (length == 0) return keys;
  const std::size_t first = pane.lineOf(start), last = pane.lineOf(start + length - 1);
  const std::size_t from = pane.lineStart(first);
  pane.select(from, pane.lineStart(last + 1) - from);
  const std::string text = pane.selText();
  pane.select(start, length);
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find("\r\n");
    keys.push_back(texttools::LineKey(rest.substr(0, end)));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 2);
  }
  return keys;
}

bool SelectStatement(common::TextPane& pane, const MoveList& list, std::uint32_t statement) {
  if (statement >= list.statementCount()) return false;
  const std::string_view text = list.statementText(statement);
  const std::int32_t line = list.statementLine(statement);
  const bool lineKnown = line >= 0 && static_cast<std::size_t>(line) < pane.lineCount();
  if (lineKnown) {
    const std::size_t start = pane.selStart(), length = pane.selLength();
    SelectLine(pane, static_cast<std::size_t>(line));
    if (texttools::LineKey(pane.selText()) == texttools::LineKey(text)) return true;
    pane.select(start, length);
  }
  const std::string key = texttools::LineKey(text);
  const std::ptrdiff_t found =
      key.empty() ? -1 : pane.find(key, 0, pane.length(), /*wholeWord=*/true, /*matchCase=*/true);
  if (found >= 0) {
    SelectLine(pane, pane.lineOf(static_cast<std::size_t>(found)));
    return true;
  }
  // A statement of continuation lines is stored joined: its first line is all that can be shown.
  if (lineKnown) SelectLine(pane, static_cast<std::size_t>(line));
  return lineKnown;
}

}  // namespace ordalis::display
