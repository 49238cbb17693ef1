#include "core/l10n/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/l10n/strings.h"
#include "support/test_support.h"

namespace ordalis::l10n {
namespace {

using Ranges = std::vector<std::pair<int, int>>;

std::vector<int> Expand(const Ranges& ranges) {
  std::vector<int> ids;
  for (auto [first, last] : ranges) {
    for (int id = first; id <= last; ++id) ids.push_back(id);
  }
  return ids;
}

// The ids every translated language carries, and the ones only the Debug table has.
const Ranges kTranslated = {{1, 1},       {501, 502},   {510, 513},   {600, 605},   {610, 613},
                            {1000, 1001}, {1401, 1403}, {2000, 2005}, {2106, 2121}, {2124, 2124},
                            {2130, 2131}, {3000, 3000}, {3009, 3011}, {4000, 4033}, {5000, 5212},
                            {5214, 5228}, {5230, 5249}, {5251, 5251}, {5500, 5514}, {5520, 5548},
                            {5550, 5551}, {5553, 5554}, {6000, 6020}, {6100, 6109}, {6200, 6203},
                            {9000, 9004}};
// Ids Ordalis added for its own messages: arcs outside the working plane written as lines;
// definition numbers beyond range, feeds per revolution a definition cannot write, an incomplete
// program; five-axis messages; the machine-safety messages (tool axes, surface speed, spindle
// words, taps, coolant, compensation on arcs); the main window's recent files, stop and line mark,
// its question before hand edits are lost and its status bar;
// the definition editor's buttons, messages and the labels the catalogue had no text for; the
// labels and tool-tips of the feed-mode, arc-plane, five-axis, surface-speed and through-spindle
// coolant keys; the graphics view's buttons and status line; the search dialog; the alias editor of
// the configuration dialog, the about box and the decimal-separator notice.
const Ranges kAdded = {{2137, 2137}, {2150, 2152}, {2160, 2164}, {2170, 2176}, {4041, 4050},
                       {5561, 5572}, {5590, 5599}, {5600, 5615}, {5620, 5625}, {6300, 6309},
                       {7001, 7007}, {9020, 9029}, {9031, 9033}};
const Ranges kDebugOnly = {{514, 514},   {606, 609},   {614, 620},   {1002, 1002}, {1101, 1104},
                           {2122, 2123}, {2125, 2129}, {2132, 2136}, {3001, 3008}, {3012, 3017},
                           {4034, 4040}, {5229, 5229}, {5250, 5250}, {5515, 5519}, {5549, 5549},
                           {5552, 5552}, {5555, 5556}, {6021, 6030}, {6110, 6115}, {7000, 7000},
                           {8000, 8000}, {9005, 9008}, {9010, 9016}};

std::vector<int> TableIds(const LanguageTable& table) {
  std::vector<int> ids;
  for (std::size_t i = 1; i < table.size(); ++i) ids.push_back(table[i].first);
  return ids;
}

TEST(Catalogue, EveryLanguageHoldsExactlyItsIds) {
  std::vector<int> translated = Expand(kTranslated);
  ASSERT_EQ(translated.size(), 422u);
  for (int id : Expand(kAdded)) translated.push_back(id);
  std::sort(translated.begin(), translated.end());
  for (int language : {kEnglish, kFrench, kItalian, kNeutral}) {
    const LanguageTable table = LoadLanguageTable(language);
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table[0], (std::pair<int, std::string>(0, ""))) << language;
    EXPECT_EQ(TableIds(table), translated) << "language " << language;
  }

  std::set<int> debugIds(translated.begin(), translated.end());
  for (int id : Expand(kDebugOnly)) debugIds.insert(id);
  ASSERT_EQ(debugIds.size(), 512u + Expand(kAdded).size());
  const LanguageTable debug = LoadLanguageTable(kDebug);
  EXPECT_EQ(TableIds(debug), std::vector<int>(debugIds.begin(), debugIds.end()));
  for (std::size_t i = 1; i < debug.size(); ++i) {
    EXPECT_EQ(debug[i].second, std::to_string(debug[i].first));
  }
}

TEST(Catalogue, SourceFilesParseCleanly) {
  for (int language : {kNeutral, kEnglish, kFrench, kItalian, kDebug}) {
    const std::string bytes =
        test::ReadFile(test::SourcePath("data/catalogue/" + std::to_string(language) + ".txt"));
    ASSERT_FALSE(bytes.empty()) << language;
    std::vector<std::string> problems;
    ParseCatalogueFile(bytes, language, &problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
  }
}

TEST(Catalogue, ConversionMessagesKeepTheirExactTexts) {
  // Windows-1252 bytes: e9 is "é", e0 "à".
  EXPECT_STREQ(CatalogueText(2005, kFrench), "Cycle non trait\xE9 : ");
  EXPECT_STREQ(CatalogueText(2106, kFrench), "Code non trait\xE9 :");
  EXPECT_STREQ(CatalogueText(2114, kFrench), " non trait\xE9");
  EXPECT_STREQ(CatalogueText(2112, kFrench), "Interruption Traitement");
  EXPECT_STREQ(CatalogueText(2113, kFrench), "Instruction LOAD :");
  EXPECT_STREQ(CatalogueText(2115, kFrench), "Erreur : Format de Cycle :");
  EXPECT_STREQ(CatalogueText(2117, kFrench),
               "Attention : Cin\xE9matique non impl\xE9ment\xE9"
               "e !");
  EXPECT_STREQ(CatalogueText(2118, kFrench), "Format GOTO invalide :");
  EXPECT_STREQ(CatalogueText(2119, kFrench),
               "Instruction non trait\xE9"
               "e mais connue :");
  EXPECT_STREQ(CatalogueText(2120, kFrench), "ATTENTION FICHIER INEXISTANT !!!");
  EXPECT_STREQ(CatalogueText(2121, kFrench), "Plan de travail non standard");
  EXPECT_STREQ(CatalogueText(2124, kFrench), "Code Mode non trait\xE9 :");
  EXPECT_STREQ(CatalogueText(2130, kFrench), "Remise \xE0 Zero des axes !!!");
  EXPECT_STREQ(CatalogueText(2131, kFrench), "Position non atteignable");
  EXPECT_STREQ(CatalogueText(3009, kFrench), "temps departs ");
  EXPECT_STREQ(CatalogueText(3010, kFrench), "temps fin ");
  EXPECT_STREQ(CatalogueText(3011, kFrench), "temps diff ");
  EXPECT_STREQ(CatalogueText(2116, kFrench),
               "Attention la version de votre fichier PPC est inf\xE9rieure  la version de Ordalis "
               "!! Merci de controler la version de votre fichier de configuration avant "
               "l'utilisation du logiciel");

  EXPECT_STREQ(CatalogueText(2005, kEnglish), "Cycle not processed :");
  EXPECT_STREQ(CatalogueText(2106, kEnglish), "Statement not processed :");
  EXPECT_STREQ(CatalogueText(2114, kEnglish), " not processed");
  EXPECT_STREQ(CatalogueText(2112, kEnglish), "Processed interrupted");
  EXPECT_STREQ(CatalogueText(2113, kEnglish), "LOAD Instructions:");
  EXPECT_STREQ(CatalogueText(2115, kEnglish), "Error : Cycle Format :");
  EXPECT_STREQ(CatalogueText(2117, kEnglish), "BECAREFUL : Kinematic not integrated !");
  EXPECT_STREQ(CatalogueText(2118, kEnglish), "Invalid GOTO  :");
  EXPECT_STREQ(CatalogueText(2119, kEnglish), "Instruction not processed but known :");
  EXPECT_STREQ(CatalogueText(2120, kEnglish), "WARNING non existing file !!!");
  EXPECT_STREQ(CatalogueText(2121, kEnglish), "Non Standard working plane");
  EXPECT_STREQ(CatalogueText(2124, kEnglish), "Code MODE not processed :");
  EXPECT_STREQ(CatalogueText(2130, kEnglish), "Reset rotation axis !!");
  EXPECT_STREQ(CatalogueText(2131, kEnglish), "Cannot reach this position");
  EXPECT_STREQ(CatalogueText(3009, kEnglish), "starting time");
  EXPECT_STREQ(CatalogueText(1403, kEnglish), " Unkown code");
  EXPECT_STREQ(CatalogueText(2116, kEnglish),
               "Becarefull the release of your PPC file is older than the Ordalis version !!! "
               "Please check your configuration before to use your sofware .");

  EXPECT_STREQ(CatalogueText(4001, kFrench), "Biblioth\xE8que outil");
  EXPECT_STREQ(CatalogueText(6013, kFrench), "T\xEAte 45\xB0 A/C Plateau");
  EXPECT_STREQ(CatalogueText(1, kNeutral), "Neutral");
  EXPECT_STREQ(CatalogueText(2005, kNeutral), "Cycle non trait\xE9 : ");
  EXPECT_EQ(CatalogueText(514, kEnglish), nullptr);
  EXPECT_EQ(CatalogueText(2001, 1031), nullptr);
}

TEST(Catalogue, ListEntriesAreDistinctWithinALanguage) {
  // The definition editor maps a displayed list text back to its number, so two entries of one
  // list must never share a text.
  for (int language : {kEnglish, kFrench, kItalian}) {
    for (auto [first, last] : Ranges{{6001, 6020}, {6101, 6109}, {6201, 6203}}) {
      std::set<std::string> seen;
      for (int id = first; id <= last; ++id) {
        EXPECT_TRUE(seen.insert(CatalogueText(id, language)).second) << language << " " << id;
      }
    }
  }
}

TEST(CatalogueFile, SyntaxKeepsQuotedBlanksAndReportsBadLines) {
  const std::string file =
      "\xEF\xBB\xBF# comment\r\n"
      "\r\n"
      "20= plain text with blanks around  \r\n"
      "10=\" kept \"\n"
      "30=\"inner \"quotes\" = # | stay\"\r"
      "  40 = spaced id\n"
      "junk line\n"
      "50=\n"
      "70000=too big\n"
      "10=second text of an id\n";
  std::vector<std::string> problems;
  const CatalogueLanguage language = ParseCatalogueFile(file, 7, &problems);
  ASSERT_EQ(language.entries.size(), 4u);
  EXPECT_EQ(language.entries[0].id, 10);
  EXPECT_EQ(language.entries[0].text, " kept ");
  EXPECT_EQ(language.entries[1].text, "plain text with blanks around");
  EXPECT_EQ(language.entries[2].text, "inner \"quotes\" = # | stay");
  EXPECT_EQ(language.entries[3].id, 40);
  EXPECT_EQ(language.entries[3].text, "spaced id");
  EXPECT_EQ(problems.size(), 4u);  // junk, empty text, id out of range, repeated id
}

TEST(CatalogueFile, InheritedTextsFillOnlyWhatALanguageLacks) {
  std::vector<CatalogueLanguage> languages;
  languages.push_back(ParseCatalogueFile("1=Base\n2=Two\n3=Three\n", 100));
  languages.push_back(ParseCatalogueFile("@inherit 100\n1=Child\n4=Four\n", 200));
  languages.push_back(ParseCatalogueFile("@inherit 300\n1=Self\n", 300));
  const Catalogue catalogue(std::move(languages));
  EXPECT_STREQ(catalogue.text(1, 200), "Child");
  EXPECT_STREQ(catalogue.text(2, 200), "Two");
  EXPECT_STREQ(catalogue.text(4, 200), "Four");
  EXPECT_EQ(catalogue.text(4, 100), nullptr);
  EXPECT_EQ(catalogue.language(200)->size(), 4u);
  EXPECT_STREQ(catalogue.text(1, 300), "Self");
  EXPECT_EQ(catalogue.language(999), nullptr);
}

}  // namespace
}  // namespace ordalis::l10n
