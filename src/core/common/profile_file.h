#pragma once
// Profile (INI) files: the settings file, the definition files and the lexicon.
// Section and key names match without regard to case (Windows-1252, and UTF-8 names written by a
// modern editor) and without surrounding blanks; values lose surrounding blanks and enclosing
// quotes and are cut at 1023 characters. Writing keeps every other line of the file as it was.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ordalis::common {

inline constexpr std::size_t kProfileValueMax = 1023;

class ProfileFile {
 public:
  /// Reads a file; a missing or unreadable file gives an empty profile. Never throws.
  static ProfileFile load(const std::string& path);
  /// Parses profile text already in memory.
  static ProfileFile parse(std::string_view text);

  /// Returns the value, or an empty text when the section or key is missing.
  std::string get(std::string_view section, std::string_view key,
                  std::size_t maxLength = kProfileValueMax) const;
  bool has(std::string_view section, std::string_view key) const;
  /// Replaces the key's line in place, or appends it at the end of its section, or appends the
  /// section at the end of the file.
  void set(std::string_view section, std::string_view key, std::string_view value);

  /// Returns the whole file text as it would be saved.
  std::string text() const;
  /// Writes the file to a temporary name beside it and renames it over the target, so a crash or a
  /// full disk never leaves a half-written file. Returns false (target untouched) on failure.
  bool save(const std::string& path) const;

 private:
  struct Line {
    std::string raw;      // the line as read, without its line end
    std::string section;  // for section lines: the name; empty otherwise
    std::string key;      // for key lines: the name; empty otherwise
    bool isSection = false;
  };
  std::vector<Line> lines_;
  std::string eol_ = "\r\n";  // a file keeps its own line ends
};

/// Convenience for one-off reads: the value of a key of a file ("" when missing).
std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key);
/// Convenience for one-off writes; returns false when the file could not be written.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

/// Writes bytes to `path` through a temporary file in the same folder and a rename.
/// Returns false, leaving any existing file untouched, when anything fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace ordalis::common
