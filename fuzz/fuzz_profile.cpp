// The profile-file reader and writer. Reading then writing a file gives back its bytes; keys set
// read back as written, through the text and through a file, and every other key keeps its value.
//
// Layout: one byte of options, then the file text, then edits separated by "\x01", each
// "section\x02key\x02value".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/common/profile_file.h"
#include "fuzz_support.h"

using namespace ordalis;

namespace {

using Pair = std::pair<std::string, std::string>;

// Section and key names as a reader of the text would see them; enough for the checks.
std::vector<Pair> NamesIn(std::string_view text) {
  std::vector<Pair> names;
  std::string section;
  std::size_t start = 0;
  while (start < text.size() && names.size() < 64) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    const std::size_t open = line.find('[');
    if (open != std::string_view::npos) {
      section = line.substr(open + 1, line.find(']', open) - open - 1);
    } else if (line.find('=') != std::string_view::npos) {
      names.emplace_back(section, line.substr(0, line.find('=')));
    }
  }
  return names;
}

// A name the writer can store: something left after trimming, and no character that would make
// the line another kind of line.
bool UsableName(std::string_view name) {
  const std::size_t first = name.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  if (name[first] == ';' || name[first] == '#') return false;
  return name.find_first_of("\r\n[]=") == std::string_view::npos;
}

std::string Expected(std::string_view value) {
  std::string v(value.substr(0, common::kProfileValueMax));
  for (char& c : v) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return v;
}

const std::string& TempFolder() {
  static const std::string folder = [] {
    char name[] = "/tmp/ordalis-fuzz-profile-XXXXXX";
    const char* made = mkdtemp(name);
    if (made == nullptr) fuzz::Fail("no temporary folder");
    return std::string(made);
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteReader in(data, size);
  const std::uint8_t options = in.byte();
  const std::string_view text = in.field('\x01');

  common::ProfileFile profile = common::ProfileFile::parse(text);
  if (profile.text() != text) fuzz::Fail("reading then writing changed the file");

  std::vector<Pair> names = NamesIn(text);
  std::vector<std::string> before;
  for (const auto& [s, k] : names) before.push_back(profile.get(s, k));

  std::vector<Pair> edited;
  while (edited.size() < 16) {
    const std::string_view edit = in.field('\x01');
    if (edit.empty()) break;
    fuzz::ByteReader parts(reinterpret_cast<const std::uint8_t*>(edit.data()), edit.size());
    const std::string_view section = parts.field('\x02');
    const std::string_view key = parts.field('\x02');
    const std::string_view value = parts.rest();
    if (!UsableName(section) || !UsableName(key) || value.size() > common::kProfileValueMax) {
      continue;
    }
    profile.set(section, key, value);
    if (profile.get(section, key) != Expected(value)) {
      fuzz::Fail("a value set does not read back", std::string(section) + "/" + std::string(key));
    }
    edited.emplace_back(section, key);
  }

  // Keys nobody set keep their values. An edit may name a key in another spelling (case, blanks,
  // UTF-8): a probe on the original tells which keys each edit reaches.
  std::vector<bool> touched(names.size(), false);
  for (const auto& [es, ek] : edited) {
    common::ProfileFile probe = common::ProfileFile::parse(text);
    probe.set(es, ek, "\x7Fprobe");
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (probe.get(names[i].first, names[i].second) == "\x7Fprobe") touched[i] = true;
    }
  }
  const common::ProfileFile reread = common::ProfileFile::parse(profile.text());
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!touched[i] && reread.get(names[i].first, names[i].second) != before[i]) {
      fuzz::Fail("a key nobody set changed", names[i].first + "/" + names[i].second);
    }
  }
  for (const auto& [s, k] : edited) {
    if (reread.get(s, k) != profile.get(s, k)) fuzz::Fail("a value set was lost in the text", k);
  }

  if ((options & 1) != 0) {
    const std::string path = TempFolder() + "/profile.ini";
    if (!profile.save(path)) fuzz::Fail("save failed");
    common::ProfileFile loaded;
    if (!common::ProfileFile::tryLoad(path, loaded)) fuzz::Fail("load failed");
    if (loaded.text() != profile.text()) fuzz::Fail("the file saved reads back different");
  }
  return 0;
}
