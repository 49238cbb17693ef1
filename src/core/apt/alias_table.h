#pragma once
// Words of a CAM system's dialect read as the words Ordalis knows (settings section APT_ALIAS):
// the major word of every statement, and in a CYCLE statement its cycle word and minor words.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ordalis::common {
class ProfileFile;
}

namespace ordalis::apt {

inline constexpr std::string_view kAliasSection = "APT_ALIAS";

class AliasTable {
 public:
  /// Reads section APT_ALIAS; a file without it gives an empty table.
  static AliasTable fromProfile(const common::ProfileFile& settings);

  /// Adds WORD=REPLACEMENT. An empty, blank or over-long word is ignored; a word given twice keeps
  /// its first replacement.
  void add(std::string_view word, std::string_view replacement);
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }

  /// Writes the statement with its aliased words replaced into `out` and returns true; returns
  /// false (out untouched) when no word of it has an alias. Each word is replaced once: a
  /// replacement is never looked up again, so A=B with B=A cannot loop. An empty replacement drops
  /// a CYCLE minor word with its value; it leaves a major or cycle word as it is.
  bool rewrite(std::string_view statement, std::string& out) const;

 private:
  const std::string* find(std::string_view word) const;
  bool rewriteCycle(std::string_view params, bool majorChanged, std::string& out) const;

  std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace ordalis::apt
