// Placeholder until the profile module lands.
#include "core/common/profile_file.h"

#include <cstdio>

namespace ordalis::common {
ProfileFile ProfileFile::load(const std::string&) { return {}; }
ProfileFile ProfileFile::parse(std::string_view) { return {}; }
std::string ProfileFile::get(std::string_view, std::string_view, std::size_t) const { return {}; }
bool ProfileFile::has(std::string_view, std::string_view) const { return false; }
void ProfileFile::set(std::string_view, std::string_view, std::string_view) {}
std::string ProfileFile::text() const { return {}; }
bool ProfileFile::save(const std::string&) const { return false; }
std::string GetProfileString(const std::string&, std::string_view, std::string_view) { return {}; }
bool WriteProfileString(const std::string&, std::string_view, std::string_view, std::string_view) { return false; }
bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
}  // namespace ordalis::common
