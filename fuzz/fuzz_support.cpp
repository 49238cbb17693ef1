#include "fuzz_support.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/ppdef/definition_file.h"

namespace ordalis::fuzz {

namespace {

std::vector<ppdef::PostProcessorDefinition> LoadBundled() {
  const std::string root = ORDALIS_SOURCE_DIR "/data/";
  const char* files[] = {"Default.ppc", "ppc/linuxcnc_mill.ppc", "ppc/fanuc_mill.ppc",
                         "ppc/siemens_840d_mill.ppc", "ppc/heidenhain_iso_mill.ppc"};
  std::vector<ppdef::PostProcessorDefinition> defs;
  common::RecordingPrompt prompt;
  for (const char* file : files) {
    ppdef::PostProcessorDefinition def;
    ppdef::LoadDefinition(root + file, def, prompt);
    if (def.PP_NOM.empty()) Fail("bundled definition missing", file);
    defs.push_back(std::move(def));
  }
  return defs;
}

const std::vector<ppdef::PostProcessorDefinition>& Bundled() {
  static const std::vector<ppdef::PostProcessorDefinition> defs = LoadBundled();
  return defs;
}

}  // namespace

const ppdef::PostProcessorDefinition& BundledDefinition(std::size_t index) {
  return Bundled()[index % Bundled().size()];
}

std::size_t BundledDefinitionCount() { return Bundled().size(); }

const l10n::Strings& EnglishStrings() {
  static const l10n::Strings strings = [] {
    l10n::Strings s;
    s.setLanguage(l10n::kEnglish);
    return s;
  }();
  return strings;
}

QuietContext::QuietContext() {
  ctx.strings = EnglishStrings();
  ctx.strings.setPrompt(&prompt);
}

bool HasNonFiniteWord(std::string_view text) {
  return text.find("nan") != std::string_view::npos || text.find("inf") != std::string_view::npos;
}

bool MayFormNonFiniteWord(std::string_view text) {
  return text.find_first_of("afin") != std::string_view::npos;
}

void Fail(const char* what, std::string_view detail) {
  // Control bytes escaped, so that a NUL in the detail does not hide the rest of it.
  std::string shown;
  for (char c : detail.substr(0, 4000)) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '\n' || (b >= 0x20 && b < 0x7F)) {
      shown.push_back(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      shown += hex;
    }
  }
  std::fprintf(stderr, "FUZZ FINDING: %s\n%s\n", what, shown.c_str());
  std::abort();
}

std::uint8_t ByteReader::byte() { return pos_ < size_ ? data_[pos_++] : 0; }

double ByteReader::real() {
  unsigned char bytes[sizeof(double)] = {};
  for (unsigned char& b : bytes) b = byte();
  double v;
  std::memcpy(&v, bytes, sizeof v);
  return v;
}

std::string_view ByteReader::rest() {
  const std::string_view r(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
  pos_ = size_;
  return r;
}

std::string_view ByteReader::field(char separator) {
  const char* begin = reinterpret_cast<const char*>(data_) + pos_;
  const std::size_t left = size_ - pos_;
  const void* found = std::memchr(begin, separator, left);
  const std::size_t length =
      found == nullptr ? left : static_cast<std::size_t>(static_cast<const char*>(found) - begin);
  pos_ += found == nullptr ? length : length + 1;
  return {begin, length};
}

}  // namespace ordalis::fuzz
