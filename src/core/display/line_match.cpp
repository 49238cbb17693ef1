#include "core/display/line_match.h"

#include <unordered_set>

#include "core/texttools/line_key.h"

namespace ordalis::display {

std::vector<bool> StatementsWithKeys(const MoveList& list, std::span<const std::string> keys) {
  std::vector<bool> marked(list.statementCount(), false);
  std::unordered_set<std::string> wanted;
  for (const std::string& key : keys) {
    if (!key.empty()) wanted.insert(key);
  }
  if (wanted.empty()) return marked;
  for (std::uint32_t s = 0; s < marked.size(); ++s) {
    marked[s] = wanted.count(texttools::LineKey(list.statementText(s))) > 0;
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

}  // namespace ordalis::display
