#pragma once
// Where the settings file is: Ordalis.ini beside the executable, or, when that folder cannot be
// written (an installed package), a per-user copy under $XDG_CONFIG_HOME/Ordalis (default
// ~/.config/Ordalis), made from the shipped file on the first write and read first once it exists.
// Also the recent files the window lists, kept in the same file.

#include <string>
#include <vector>

namespace ordalis::app {

class SettingsFile {
 public:
  static constexpr const char* kFileName = "Ordalis.ini";
  static constexpr std::size_t kRecentCount = 8;

  /// Whether the folder of a file can be written to.
  using WritableCheck = bool (*)(const std::string& file);

  /// `explicitPath` (--ini) when not empty, used as given; else the file beside the program or the
  /// user's copy. `configHome` empty: $XDG_CONFIG_HOME, else $HOME/.config. `writable` null: the
  /// system's answer.
  static SettingsFile locate(const std::string& programFolder, const std::string& explicitPath,
                             std::string configHome = {}, WritableCheck writable = nullptr);

  /// The file to read from.
  const std::string& path() const { return path_; }
  /// The file to write to: the user's copy is made from the shipped file first when needed, and
  /// is read from afterwards. Returns "" when no writable place exists.
  const std::string& forWriting();

  /// The recent files, most recent first.
  std::vector<std::string> recentFiles() const;
  /// Puts `path` first (once); the list keeps kRecentCount files. False when it cannot be written.
  bool addRecentFile(const std::string& path);
  bool clearRecentFiles();

 private:
  bool writeRecent(const std::vector<std::string>& paths);

  std::string path_;
  std::string userCopy_;  // "" when the file is written where it is read
};

}  // namespace ordalis::app
