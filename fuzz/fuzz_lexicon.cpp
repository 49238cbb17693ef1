// The translation lexicon: "lexique.txt" from the input is merged over the catalogue and saved
// back. Loading the saved lexicon gives the same texts, cut to the 127 characters a lexicon text
// may have (the catalogue has longer ones); from then on every load gives the same texts and
// leaves the file as it is.
//
// Layout: one byte choosing the language, then the lexicon file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/common/profile_file.h"
#include "core/l10n/strings.h"
#include "fuzz_support.h"

using namespace ordalis;

namespace {

const std::string& TempFolder() {
  static const std::string folder = [] {
    char name[] = "/tmp/ordalis-fuzz-lexicon-XXXXXX";
    const char* made = mkdtemp(name);
    if (made == nullptr) fuzz::Fail("no temporary folder");
    return std::string(made) + "/";
  }();
  return folder;
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

constexpr std::size_t kLexiconTextMax = 127;

void Compare(const l10n::LanguageTable& a, const l10n::LanguageTable& b, const char* what) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i]) {
      fuzz::Fail(what, std::to_string(a[i].first) + ": [" + a[i].second + "] then [" +
                           std::to_string(b[i].first) + ": " + b[i].second + "]");
    }
  }
  if (a.size() != b.size()) fuzz::Fail(what, "another number of texts");
}

l10n::LanguageTable Load(int language) {
  l10n::Strings strings;
  strings.setLanguage(language);
  strings.loadLexicon(TempFolder(), "ordalis-post");
  return strings.table();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteReader in(data, size);
  const int languages[] = {l10n::kEnglish, l10n::kFrench, l10n::kItalian, l10n::kNeutral, 0};
  const int language = languages[in.byte() % 5];
  const std::string_view lexicon = in.rest();
  const std::string path = TempFolder() + "lexique.txt";
  if (!common::WriteFileAtomically(path, lexicon)) fuzz::Fail("cannot write the lexicon");

  l10n::LanguageTable first = Load(language);
  for (auto& entry : first) entry.second = entry.second.substr(0, kLexiconTextMax);
  const l10n::LanguageTable second = Load(language);
  Compare(first, second, "the saved lexicon reads back other texts");
  const std::string saved = ReadAll(path);
  Compare(second, Load(language), "a third load gives other texts");
  if (ReadAll(path) != saved) fuzz::Fail("a load with nothing new rewrote the lexicon");
  return 0;
}
