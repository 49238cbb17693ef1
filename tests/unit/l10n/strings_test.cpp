#include "core/l10n/strings.h"

#include <gtest/gtest.h>

#include "core/common/user_prompt.h"

namespace ordalis::l10n {
namespace {

TEST(Strings, LoadedLanguageGivesItsTexts) {
  common::RecordingPrompt prompt;
  Strings strings(&prompt);
  strings.setLanguage(kEnglish);
  EXPECT_EQ(strings.languageId(), kEnglish);
  EXPECT_EQ(strings.get(2001), "Root access denied");
  EXPECT_EQ(strings.get(1), "English US");
  EXPECT_EQ(strings.get(2005), "Cycle not processed :");
  EXPECT_EQ(strings.get(2114), " not processed");  // leading blank kept

  strings.setLanguage(kFrench);
  EXPECT_EQ(strings.get(1),
            "Fran\xE7"
            "ais");
  EXPECT_EQ(strings.get(3009), "temps departs");  // trailing blank removed
  EXPECT_EQ(strings.get(2005), "Cycle non trait\xE9 :");
  EXPECT_EQ(strings.get(604), "Remplacement :");

  strings.setLanguage(kItalian);
  EXPECT_EQ(strings.get(1), "Italiano IT");
  EXPECT_EQ(strings.get(4022), "Incolla");

  strings.setLanguage(kDebug);
  EXPECT_EQ(strings.get(2001), "2001");
  EXPECT_EQ(strings.get(514), "514");
  EXPECT_TRUE(prompt.messages.empty());
}

TEST(Strings, MissingIdInALoadedTableIsEmptyWithoutMessage) {
  common::RecordingPrompt prompt;
  Strings strings(&prompt);
  strings.setLanguage(kEnglish);
  EXPECT_EQ(strings.get(0), "");
  EXPECT_EQ(strings.get(514), "");  // only the Debug table has it
  EXPECT_EQ(strings.get(65535), "");
  EXPECT_EQ(strings.get(-3), "");
  EXPECT_TRUE(prompt.messages.empty());
}

TEST(Strings, LanguageWithoutTextsFallsBackToTheNeutralTable) {
  common::RecordingPrompt prompt;
  Strings strings(&prompt);
  strings.setLanguage(1031);
  EXPECT_EQ(strings.table().size(), 1u);
  EXPECT_EQ(strings.languageId(), 1031);
  EXPECT_EQ(strings.get(2001), "R\xE9pertoire Racine ou Null Interdit");
  EXPECT_EQ(strings.get(3010), "temps fin");
  EXPECT_EQ(strings.get(1), "Neutral");
  EXPECT_TRUE(prompt.messages.empty());

  EXPECT_EQ(strings.get(1234), "");
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0], "Erreur ID chaine Inconnu :1234");

  // Language 0 counts as no table even when one is loaded.
  strings.setLanguage(kEnglish);
  strings.setLanguage(0);
  EXPECT_EQ(strings.get(2112), "Interruption Traitement");
}

TEST(Strings, NoPromptMeansSilentFallback) {
  Strings strings;
  EXPECT_EQ(strings.get(4001), "Biblioth\xE8que outil");
  EXPECT_EQ(strings.get(7777), "");
}

}  // namespace
}  // namespace ordalis::l10n
