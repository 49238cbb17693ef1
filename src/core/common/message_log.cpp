#include "core/common/message_log.h"

#include "core/common/profile_file.h"

namespace ordalis::common {

bool LevelColour(int level, std::uint32_t& colour) {
  switch (level) {
    case 1:
      colour = kLogGreen;
      return true;
    case 2:
      colour = kLogOrange;
      return true;
    case 3:
      colour = kLogRed;
      return true;
    case 4:
      colour = kLogWhite;
      return true;
    default:
      return false;
  }
}

std::string ComposeMessage(const MessageTexts* texts, int id, std::string_view detail) {
  std::string text = id != 0 && texts != nullptr ? texts->text(id) : std::string();
  text.append(detail);
  return text;
}

void VectorLog::log(int id, std::string_view detail, int level) {
  records_.push_back(LogRecord{id, std::string(detail), level, false});
  LevelColour(level, background_);
}

void VectorLog::clear() {
  records_.clear();
  background_ = kLogGreen;
}

std::vector<std::string> VectorLog::lines() const {
  std::vector<std::string> out;
  out.reserve(records_.size());
  for (const LogRecord& r : records_) out.push_back(ComposeMessage(texts_, r.id, r.detail));
  return out;
}

std::string VectorLog::text() const {
  std::string out;
  for (const std::string& line : lines()) {
    out += line;
    out += "\r\n";
  }
  return out;
}

bool VectorLog::contains(std::string_view fragment) const {
  for (const std::string& line : lines()) {
    if (line.find(fragment) != std::string::npos) return true;
  }
  return false;
}

bool VectorLog::containsId(int id) const {
  for (const LogRecord& r : records_) {
    if (r.id == id) return true;
  }
  return false;
}

void RecordLog::log(int id, std::string_view detail, int level) {
  LevelColour(level, background_);
  poster_(LogRecord{id, std::string(detail), level, false});
}

void RecordLog::clear() {
  background_ = kLogGreen;
  poster_(LogRecord{0, {}, 0, true});
}

bool ExportLog(const std::string& plainText, const std::string& path) {
  return WriteFileAtomically(path, plainText);
}

}  // namespace ordalis::common
