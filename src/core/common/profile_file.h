#pragma once
// Profile (INI) files: the settings file, the definition files and the lexicon.
// Section and key names match without regard to case (Windows-1252, and UTF-8 names written by a
// modern editor) and without surrounding blanks; values lose surrounding blanks and enclosing
// quotes and are cut at 1023 characters. Writing keeps every other line of the file as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ordalis::common {

inline constexpr std::size_t kProfileValueMax = 1023;

class ProfileFile {
 public:
  /// Reads a file; a missing or unreadable file gives an empty profile. Never throws.
  static ProfileFile load(const std::string& path);
  /// Parses profile text already in memory.
  static ProfileFile parse(std::string_view text);
  /// Like load(), but tells a missing file (true, empty profile) from one that exists and cannot be
  /// read (false), so that a writer never replaces a file it could not read.
  static bool tryLoad(const std::string& path, ProfileFile& out);

  /// Returns the value, or an empty text when the section or key is missing.
  std::string get(std::string_view section, std::string_view key,
                  std::size_t maxLength = kProfileValueMax) const;
  bool has(std::string_view section, std::string_view key) const;
  /// The key names of a section as written, in file order (a name written twice once).
  std::vector<std::string> keys(std::string_view section) const;
  /// Replaces the key's line in place, or appends it at the end of its section, or appends the
  /// section at the end of the file.
  void set(std::string_view section, std::string_view key, std::string_view value);
  /// Removes every line of the key from the section; the other lines stay as they were.
  void remove(std::string_view section, std::string_view key);

  /// Returns the whole file text as it would be saved.
  std::string text() const;
  /// Writes the file to a temporary name beside it and renames it over the target, so a crash or a
  /// full disk never leaves a half-written file. Returns false (target untouched) on failure.
  bool save(const std::string& path) const;

 private:
  enum class Kind : std::uint8_t { kOther, kSection, kKey };
  // Blank, comment and other lines that follow each other are kept as one entry (line ends
  // included), since nothing is ever inserted between them; that keeps a hostile file of
  // millions of empty lines small in memory.
  struct Line {
    std::string raw;       // the line as read, without its own final line end
    std::uint8_t eol = 0;  // that line end: 0 none, 1 CR LF, 2 LF, 3 CR
    Kind kind = Kind::kOther;
  };
  struct SectionIndex {
    std::size_t header = 0;   // line of the section name
    std::size_t lastKey = 0;  // last key line of the section (the header when it has none)
    // folded key name -> first line of that name, counted from the header
    std::unordered_map<std::string, std::size_t> keys;
  };

  void addLine(std::string_view raw, std::uint8_t eol);
  const SectionIndex* findSection(std::string_view section) const;
  void buildIndex() const;
  void insertLine(std::size_t at, Line line);

  std::vector<Line> lines_;
  std::uint8_t eol_ = 1;  // line end of new lines: the file's own, CR LF for a new file
  bool bom_ = false;      // a UTF-8 byte-order mark is kept when saving
  mutable std::unordered_map<std::string, SectionIndex> index_;  // folded section name -> index
  mutable bool indexValid_ = false;
};

/// Convenience for one-off reads: the value of a key of a file ("" when missing).
std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key);
/// Convenience for one-off writes; returns false when the file could not be written.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

/// Reads the whole of `path` (a pipe too) into `bytes`; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

/// Writes bytes to `path` through a temporary file in the same folder and a rename.
/// A symbolic link stays a link to the replaced file, which keeps its permissions.
/// Returns false, leaving any existing file untouched, when anything fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace ordalis::common
