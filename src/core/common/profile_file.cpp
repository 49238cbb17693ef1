#include "core/common/profile_file.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/common/text.h"

namespace ordalis::common {

namespace {

// A profile file is a small text file; anything larger is not one and reads as empty, so a
// hostile file cannot make the program allocate without bound.
constexpr std::uintmax_t kMaxProfileBytes = std::uintmax_t{32} * 1024 * 1024;

constexpr std::string_view kEolText[] = {"", "\r\n", "\n", "\r"};

std::string_view TrimBlanks(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

unsigned char FoldByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 16);
  if (c == 0xFF) return 0x9F;
  return c;
}

// Unicode code points of the Windows-1252 bytes 0x80-0x9F (0 where the byte is unassigned).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int Cp1252FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] != 0 && kCp1252High[i] == cp) return 0x80 + i;
  }
  return -1;
}

// A name written in UTF-8 by a modern editor becomes its Windows-1252 form; a name that is not
// valid UTF-8 (the usual Windows-1252 bytes) or that has no Windows-1252 form stays as it is.
bool Utf8ToCp1252(std::string_view s, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    const int extra = c >= 0xF0 && c <= 0xF4   ? 3
                      : c >= 0xE0 && c <= 0xEF ? 2
                      : c >= 0xC2 && c <= 0xDF ? 1
                                               : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) return false;
    char32_t cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    const int b = Cp1252FromCodePoint(cp);
    if (b < 0) return false;
    out.push_back(static_cast<char>(b));
    i += extra + 1;
  }
  return true;
}

// The form under which names are compared: blanks trimmed, UTF-8 turned into Windows-1252,
// case folded.
std::string FoldName(std::string_view name) {
  name = TrimBlanks(name);
  std::string folded;
  bool ascii = true;
  for (char c : name) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii || !Utf8ToCp1252(name, folded)) folded.assign(name);
  for (char& c : folded) c = static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
  return folded;
}

bool IsSectionLine(std::string_view raw) {
  const std::string_view t = TrimBlanks(raw);
  return !t.empty() && t.front() == '[';
}

std::string_view SectionName(std::string_view raw) {
  std::string_view t = TrimBlanks(raw).substr(1);
  const std::size_t close = t.find(']');
  return TrimBlanks(close == std::string_view::npos ? t : t.substr(0, close));
}

// A key line holds "=" after a non-empty name; comment lines (";" or "#") never are key lines.
bool IsKeyLine(std::string_view raw) {
  const std::string_view t = TrimBlanks(raw);
  if (t.empty() || t.front() == ';' || t.front() == '#') return false;
  const std::size_t eq = t.find('=');
  return eq != std::string_view::npos && !TrimBlanks(t.substr(0, eq)).empty();
}

std::string_view KeyName(std::string_view raw) { return TrimBlanks(raw.substr(0, raw.find('='))); }

bool ReadWholeFile(const std::string& path, std::string& bytes, bool& exists) {
  std::error_code ec;
  const std::filesystem::path p(path);
  exists = std::filesystem::exists(p, ec) && !ec;
  if (!exists) return false;
  const std::uintmax_t size = std::filesystem::file_size(p, ec);
  if (ec || size > kMaxProfileBytes) return false;
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  bytes.resize(static_cast<std::size_t>(size));
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return !in.bad();
}

}  // namespace

ProfileFile ProfileFile::load(const std::string& path) {
  ProfileFile profile;
  tryLoad(path, profile);
  return profile;
}

bool ProfileFile::tryLoad(const std::string& path, ProfileFile& out) {
  std::string bytes;
  bool exists = false;
  if (ReadWholeFile(path, bytes, exists)) {
    out = parse(bytes);
    return true;
  }
  out = ProfileFile();
  return !exists;
}

ProfileFile ProfileFile::parse(std::string_view text) {
  ProfileFile profile;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    profile.bom_ = true;
    text.remove_prefix(3);
  }
  bool eolSeen = false;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      profile.addLine(text.substr(start), 0);
      break;
    }
    std::uint8_t eol = text[end] == '\n' ? 2 : 3;
    std::size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') {
      eol = 1;
      ++next;
    }
    if (!eolSeen) profile.eol_ = eol;
    eolSeen = true;
    profile.addLine(text.substr(start, end - start), eol);
    start = next;
  }
  return profile;
}

void ProfileFile::addLine(std::string_view raw, std::uint8_t eol) {
  const Kind kind = IsSectionLine(raw) ? Kind::kSection
                    : IsKeyLine(raw)   ? Kind::kKey
                                       : Kind::kOther;
  if (kind == Kind::kOther && !lines_.empty() && lines_.back().kind == Kind::kOther) {
    Line& chunk = lines_.back();
    chunk.raw += kEolText[chunk.eol];
    chunk.raw += raw;
    chunk.eol = eol;
    return;
  }
  lines_.push_back(Line{std::string(raw), eol, kind});
  indexValid_ = false;
}

void ProfileFile::buildIndex() const {
  index_.clear();
  SectionIndex* current = nullptr;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kSection) {
      auto [it, inserted] = index_.try_emplace(FoldName(SectionName(line.raw)));
      // Only the first section of a name counts, as for the system's own profile functions.
      current = inserted ? &it->second : nullptr;
      if (current) current->header = current->lastKey = i;
    } else if (line.kind == Kind::kKey && current) {
      current->keys.try_emplace(FoldName(KeyName(line.raw)), i - current->header);
      current->lastKey = i;
    }
  }
  indexValid_ = true;
}

const ProfileFile::SectionIndex* ProfileFile::findSection(std::string_view section) const {
  if (!indexValid_) buildIndex();
  const auto it = index_.find(FoldName(section));
  return it == index_.end() ? nullptr : &it->second;
}

std::string ProfileFile::get(std::string_view section, std::string_view key,
                             std::size_t maxLength) const {
  const SectionIndex* s = findSection(section);
  if (!s) return {};
  const auto it = s->keys.find(FoldName(key));
  if (it == s->keys.end()) return {};
  const std::string& raw = lines_[s->header + it->second].raw;
  std::string_view value = TrimBlanks(std::string_view(raw).substr(raw.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, maxLength));
}

std::vector<std::string> ProfileFile::keys(std::string_view section) const {
  std::vector<std::string> names;
  const SectionIndex* s = findSection(section);
  if (!s) return names;
  for (std::size_t i = s->header + 1; i <= s->lastKey; ++i) {
    if (lines_[i].kind != Kind::kKey) continue;
    const std::string_view name = KeyName(lines_[i].raw);
    // A name written twice counts once, as get() reads its first line.
    const auto it = s->keys.find(FoldName(name));
    if (it != s->keys.end() && s->header + it->second == i) names.emplace_back(name);
  }
  return names;
}

bool ProfileFile::has(std::string_view section, std::string_view key) const {
  const SectionIndex* s = findSection(section);
  return s && s->keys.count(FoldName(key)) != 0;
}

void ProfileFile::insertLine(std::size_t at, Line line) {
  if (at > 0 && lines_[at - 1].eol == 0) lines_[at - 1].eol = eol_;
  if (at == lines_.size()) line.eol = eol_;
  if (line.eol == 0) line.eol = eol_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  // The index follows the lines below the new one instead of being rebuilt: rebuilding it for
  // every key set made filling a large lexicon take minutes. Key lines are held relative to their
  // section, so only the sections below move.
  if (!indexValid_ || at + 1 == lines_.size()) return;
  for (auto& [name, section] : index_) {
    if (section.header >= at) ++section.header;
    if (section.lastKey >= at) ++section.lastKey;
  }
}

void ProfileFile::set(std::string_view section, std::string_view key, std::string_view value) {
  // A line break inside a value would split the key line and damage the file.
  std::string clean(value);
  for (char& c : clean) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  // Reading trims blanks and drops enclosing quotes; quoting such a value makes it read back as
  // it was written.
  if (!clean.empty() && (clean.front() == ' ' || clean.front() == '\t' || clean.back() == ' ' ||
                         clean.back() == '\t' ||
                         (clean.size() >= 2 && (clean.front() == '"' || clean.front() == '\'') &&
                          clean.back() == clean.front()))) {
    clean = "\"" + clean + "\"";
  }
  const SectionIndex* s = findSection(section);
  if (s) {
    const auto it = s->keys.find(FoldName(key));
    if (it != s->keys.end()) {
      Line& line = lines_[s->header + it->second];
      line.raw = std::string(KeyName(line.raw)) + "=" + clean;
      return;
    }
    const std::size_t at = s->lastKey + 1;
    insertLine(at, Line{std::string(TrimBlanks(key)) + "=" + clean, 0, Kind::kKey});
    // `s` is still the section's entry: the index's own map was not changed.
    auto* target = const_cast<SectionIndex*>(s);
    target->keys.try_emplace(FoldName(KeyName(lines_[at].raw)), at - target->header);
    target->lastKey = at;
    return;
  }
  insertLine(lines_.size(), Line{"[" + std::string(TrimBlanks(section)) + "]", 0, Kind::kSection});
  insertLine(lines_.size(), Line{std::string(TrimBlanks(key)) + "=" + clean, 0, Kind::kKey});
  indexValid_ = false;  // a new section: rebuilt once on the next read
}

void ProfileFile::remove(std::string_view section, std::string_view key) {
  const SectionIndex* s = findSection(section);
  if (!s) return;
  const std::string folded = FoldName(key);
  const std::size_t first = s->header + 1;
  bool removed = false;
  for (std::size_t i = s->lastKey + 1; i-- > first;) {
    if (lines_[i].kind == Kind::kKey && FoldName(KeyName(lines_[i].raw)) == folded) {
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
      removed = true;
    }
  }
  if (removed) indexValid_ = false;
}

std::string ProfileFile::text() const {
  std::size_t size = bom_ ? 3 : 0;
  for (const Line& line : lines_) size += line.raw.size() + 2;
  std::string out;
  out.reserve(size);
  if (bom_) out += "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i].raw;
    const bool last = i + 1 == lines_.size();
    out += kEolText[lines_[i].eol == 0 && !last ? eol_ : lines_[i].eol];
  }
  return out;
}

bool ProfileFile::save(const std::string& path) const { return WriteFileAtomically(path, text()); }

std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key) {
  return ProfileFile::load(path).get(section, key);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  ProfileFile profile;
  if (!ProfileFile::tryLoad(path, profile)) return false;
  profile.set(section, key, value);
  return profile.save(path);
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bytes.clear();
  char block[65536];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

bool WriteFileAtomically(const std::string& givenPath, std::string_view bytes) {
  std::error_code ec;
  // A link to a definition or settings file stays a link: the file it points to is replaced, and
  // that file keeps its permissions (a shop's shared definition stays readable by the others).
  std::string path = givenPath;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(givenPath, ec))) {
    const auto real = std::filesystem::canonical(givenPath, ec);
    if (!ec) path = real.string();
  }
  const auto existing = std::filesystem::status(path, ec);
  const bool keepPermissions = !ec && std::filesystem::is_regular_file(existing);
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string temp = path + ".~" + std::to_string(static_cast<unsigned long long>(stamp)) +
                           "-" + std::to_string(counter++) + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wbx");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  ok = std::ferror(f) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (ok && keepPermissions) {
    std::filesystem::permissions(temp, existing.permissions(), ec);  // best effort
  }
  if (ok) {
    std::filesystem::rename(temp, path, ec);
    ok = !ec;
  }
  if (!ok) std::filesystem::remove(temp, ec);
  return ok;
}

}  // namespace ordalis::common
