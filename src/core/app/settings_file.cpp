#include "core/app/settings_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/common/profile_file.h"
#include "core/common/text.h"

namespace ordalis::app {

namespace {

constexpr std::string_view kRecentSection = "FICHIERS_RECENTS";

std::string ConfigHome(std::string configHome) {
  if (!configHome.empty()) return configHome;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config";
}

bool FolderWritable(const std::string& file) {
  std::string folder = std::filesystem::path(file).parent_path().string();
  if (folder.empty()) folder = ".";
  return access(folder.c_str(), W_OK) == 0;
}

std::string RecentKey(std::size_t index) { return "Fichier" + std::to_string(index + 1); }

}  // namespace

SettingsFile SettingsFile::locate(const std::string& programFolder, const std::string& explicitPath,
                                  std::string configHome, WritableCheck writable) {
  SettingsFile file;
  if (!explicitPath.empty()) {
    file.path_ = explicitPath;
    return file;
  }
  file.path_ = programFolder + kFileName;
  if ((writable != nullptr ? writable : &FolderWritable)(file.path_)) return file;
  file.userCopy_ = ConfigHome(std::move(configHome)) + "/Ordalis/" + kFileName;
  if (common::FileExists(file.userCopy_)) {
    file.path_ = file.userCopy_;
    file.userCopy_.clear();
  }
  return file;
}

const std::string& SettingsFile::forWriting() {
  if (userCopy_.empty()) return path_;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(userCopy_).parent_path(), ec);
  if (common::FileExists(path_)) {
    std::filesystem::copy_file(path_, userCopy_, std::filesystem::copy_options::skip_existing, ec);
  } else {
    common::WriteFileAtomically(userCopy_, "");
  }
  if (!common::FileExists(userCopy_)) {
    static const std::string kNowhere;
    return kNowhere;
  }
  path_ = userCopy_;
  userCopy_.clear();
  return path_;
}

std::vector<std::string> SettingsFile::recentFiles() const {
  const common::ProfileFile settings = common::ProfileFile::load(common::NativePath(path_));
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < kRecentCount; ++i) {
    std::string p = settings.get(kRecentSection, RecentKey(i));
    if (!p.empty()) paths.push_back(std::move(p));
  }
  return paths;
}

bool SettingsFile::addRecentFile(const std::string& path) {
  std::vector<std::string> paths = recentFiles();
  paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
  paths.insert(paths.begin(), path);
  if (paths.size() > kRecentCount) paths.resize(kRecentCount);
  return writeRecent(paths);
}

bool SettingsFile::clearRecentFiles() { return writeRecent({}); }

bool SettingsFile::writeRecent(const std::vector<std::string>& paths) {
  const std::string target = common::NativePath(forWriting());
  if (target.empty()) return false;
  common::ProfileFile settings;
  // A file that cannot be read is never replaced; a missing one is made.
  if (common::FileExists(target) && !common::ProfileFile::tryLoad(target, settings)) return false;
  for (std::size_t i = 0; i < kRecentCount; ++i) {
    if (i < paths.size()) {
      settings.set(kRecentSection, RecentKey(i), paths[i]);
    } else {
      settings.remove(kRecentSection, RecentKey(i));
    }
  }
  return settings.save(target);
}

}  // namespace ordalis::app
