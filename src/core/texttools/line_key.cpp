#include "core/texttools/line_key.h"

#include "core/common/text.h"

namespace ordalis::texttools {

std::string LineKey(std::string_view line) {
  std::string key;
  key.reserve(line.size() + 1);
  for (char c : line) {
    if (c == '\t') {
      key += ' ';
    } else if (c != '\r' && c != '\n') {
      key += c;
    }
  }
  key = std::string(common::Trim(key));
  const std::size_t paren = key.find('(');
  if (paren != std::string::npos && paren > 0 && key[paren - 1] != ' ') key.insert(paren, 1, ' ');
  const std::size_t colon = key.find(':');
  if (!key.empty() && key[0] >= '0' && key[0] <= '9' && colon != std::string::npos && colon > 0) {
    key = std::string(common::TrimLeft(std::string_view(key).substr(colon + 1)));
  }
  return key;
}

}  // namespace ordalis::texttools
