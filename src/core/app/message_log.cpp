#include "core/app/message_log.h"

#include "core/common/profile_file.h"

namespace ordalis::app {

bool LevelColour(int level, std::uint32_t& colour) {
  switch (level) {
    case 1: colour = kLogGreen; return true;
    case 2: colour = kLogOrange; return true;
    case 3: colour = kLogRed; return true;
    case 4: colour = kLogWhite; return true;
    default: return false;
  }
}

void VectorLog::log(std::string_view text, int level) {
  lines_.emplace_back(text);
  LevelColour(level, background_);
}

void VectorLog::clear() {
  lines_.clear();
  background_ = kLogGreen;
}

std::string VectorLog::text() const {
  std::string out;
  for (const auto& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

bool VectorLog::contains(std::string_view fragment) const {
  for (const auto& line : lines_) {
    if (line.find(fragment) != std::string::npos) return true;
  }
  return false;
}

bool ExportLog(const std::string& plainText, const std::string& path) {
  return common::WriteFileAtomically(path, plainText);
}

}  // namespace ordalis::app
