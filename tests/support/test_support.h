#pragma once
// Helpers shared by the unit tests: temporary folders and file contents.

#include <string>

namespace ordalis::test {

/// A fresh empty folder under the build tree, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  /// Returns path() + "/" + name.
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
/// Path of a file in the source tree (data/..., tests/...).
std::string SourcePath(const std::string& relative);

}  // namespace ordalis::test
