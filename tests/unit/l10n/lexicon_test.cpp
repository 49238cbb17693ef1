#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "core/common/profile_file.h"
#include "core/l10n/strings.h"
#include "support/test_support.h"

namespace ordalis::l10n {
namespace {

using common::ProfileFile;

TEST(Lexicon, MissingFileLeavesTheCatalogueTexts) {
  test::TempDir dir;
  Strings strings;
  strings.setLanguage(kFrench);
  strings.loadLexicon(dir.path(), "ordalis");
  EXPECT_EQ(strings.languageId(), kFrench);
  EXPECT_EQ(strings.get(4012), "&Quitter");
}

TEST(Lexicon, EmptyFileIsFilledOnFirstRun) {
  test::TempDir dir;
  test::WriteFile(dir.file("lexique.txt"), "");
  Strings strings;
  strings.setLanguage(kEnglish);
  strings.loadLexicon(dir.path(), "ordalis");

  EXPECT_EQ(strings.languageId(), kDebug);
  EXPECT_EQ(strings.get(2001), "Root access denied");
  EXPECT_EQ(strings.get(2114), " not processed");

  const ProfileFile lexicon = ProfileFile::load(dir.file("lexique.txt"));
  EXPECT_EQ(lexicon.get("ordalis", "Version"), "0.5.17");
  EXPECT_TRUE(std::regex_match(lexicon.get("ordalis", "Date"),
                               std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})")));
  EXPECT_EQ(lexicon.get("Texte", "2001"), "Root access denied");
  EXPECT_EQ(lexicon.get("Texte", "4008"), "&Open APT file");
  EXPECT_EQ(lexicon.get("Texte", "1"), "English US");
  EXPECT_EQ(lexicon.get("Texte", "2114"), " not processed");  // leading blank survives
  EXPECT_FALSE(lexicon.has("Texte", "514"));

  // A second run reads back what the first one wrote, up to the 127 characters a lexicon text
  // may have (2116 is longer).
  Strings again;
  again.setLanguage(kEnglish);
  again.loadLexicon(dir.path(), "ordalis");
  ASSERT_EQ(again.table().size(), strings.table().size());
  for (std::size_t i = 0; i < strings.table().size(); ++i) {
    EXPECT_EQ(again.table()[i].second, strings.table()[i].second.substr(0, 127));
  }
  EXPECT_EQ(again.get(2116).size(), 127u);
}

TEST(Lexicon, TextsOverrideTheCatalogueInEveryLanguage) {
  for (int language : {kFrench, kEnglish, kItalian}) {
    test::TempDir dir;
    const std::string longText(140, 'x');
    test::WriteFile(dir.file("lexique.txt"),
                    "[ordalis]\r\nVersion=0.5.17\r\nDate=2020-01-02 03:04:05\r\n"
                    "[Texte]\r\n2001=Dossier interdit\r\n4001=" +
                        longText + "\r\n");
    Strings strings;
    strings.setLanguage(language);
    strings.loadLexicon(dir.path(), "ordalis");
    EXPECT_EQ(strings.languageId(), kDebug);
    EXPECT_EQ(strings.get(2001), "Dossier interdit") << language;
    EXPECT_EQ(strings.get(4001), std::string(127, 'x'));

    const ProfileFile lexicon = ProfileFile::load(dir.file("lexique.txt"));
    EXPECT_EQ(lexicon.get("ordalis", "Date"), "2020-01-02 03:04:05");  // same version: untouched
    EXPECT_EQ(lexicon.get("Texte", "2001"), "Dossier interdit");
    EXPECT_FALSE(lexicon.get("Texte", "2002").empty());  // the others are filled in
  }
}

TEST(Lexicon, OlderVersionIsStampedAgain) {
  test::TempDir dir;
  test::WriteFile(dir.file("lexique.txt"), "[Ordalis]\nVersion=0.4.2\nDate=old\n[Texte]\n");
  Strings strings;
  strings.setLanguage(kItalian);
  strings.loadLexicon(dir.path() + "/", "Ordalis");
  const ProfileFile lexicon = ProfileFile::load(dir.file("lexique.txt"));
  EXPECT_EQ(lexicon.get("Ordalis", "Version"), "0.5.17");
  EXPECT_NE(lexicon.get("Ordalis", "Date"), "old");
  EXPECT_EQ(lexicon.get("Texte", "4022"), "Incolla");
}

}  // namespace
}  // namespace ordalis::l10n
