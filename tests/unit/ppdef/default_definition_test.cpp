#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/common/profile_file.h"
#include "core/common/user_prompt.h"
#include "core/l10n/strings.h"
#include "core/ppdef/colour_scheme.h"
#include "core/ppdef/definition_file.h"
#include "core/ppdef/definition_keys.h"
#include "support/test_support.h"

using namespace ordalis;

// Every shipped definition states the surface-speed and through-spindle coolant keys: a key left
// empty is a decision about that controller, written down with its reason, never an oversight.
TEST(ShippedDefinitions, NameTheSpindleAndCoolantKeys) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(test::SourcePath("data/ppc"))) {
    if (entry.path().extension() != ".ppc") continue;
    const auto file = common::ProfileFile::parse(test::ReadFile(entry.path().string()));
    for (const char* key : {"PP_CSS_ON", "PP_CSS_OFF", "PP_FLUID_THRU"}) {
      EXPECT_TRUE(file.has("CODE_M", key)) << entry.path().filename() << ": " << key;
    }
    ++files;
  }
  EXPECT_GE(files, 6);
}

TEST(DefaultDefinition, HoldsEveryKeyAndLoadsWithoutWarning) {
  const std::string path = test::SourcePath("data/Default.ppc");
  const std::string bytes = test::ReadFile(path);
  ASSERT_FALSE(bytes.empty());
  const auto file = common::ProfileFile::parse(bytes);
  for (const ppdef::DefinitionKey& key : ppdef::kDefinitionKeys) {
    EXPECT_TRUE(file.has(key.section, key.name)) << key.section << "/" << key.name;
  }
  for (std::string_view key : ppdef::kColourKeys) {
    EXPECT_TRUE(file.has(ppdef::kColourSection, key)) << key;
  }
  // CR LF everywhere, Windows-1252 bytes (the accented key names are not UTF-8).
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_EQ(bytes[i - 1], '\r') << i;
    }
  }
  EXPECT_NE(bytes.find("\r\nCin\xE9matique_Machine=1\r\n"), std::string::npos);

  ppdef::PostProcessorDefinition def;
  l10n::Strings strings;
  common::RecordingPrompt prompt;
  EXPECT_FALSE(ppdef::LoadDefinition(path, def, prompt).empty());
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_EQ(def.PP_SPACE, " ");
  EXPECT_EQ(def.RotaryAxisInUse, (std::array<bool, 3>{false, false, false}));
  EXPECT_EQ(def.TXT_Type_AXE_AB,
            "Lin\xE9"
            "aire");
  std::set<std::int32_t> colours(def.colours.begin(), def.colours.end());
  EXPECT_EQ(colours.size(), 50u);  // every statement kind has a colour of its own
  EXPECT_EQ(colours.count(ppdef::kPureRed), 0u);
  EXPECT_EQ(colours.count(0), 0u);
}

TEST(DefaultDefinition, ListTextsAreTheFrenchCatalogueTexts) {
  l10n::Strings strings;
  strings.setLanguage(l10n::kFrench);
  if (strings.get(6106).empty()) GTEST_SKIP() << "catalogue texts not available";
  ppdef::PostProcessorDefinition def;
  common::RecordingPrompt prompt;
  ppdef::LoadDefinition(test::SourcePath("data/Default.ppc"), def, prompt);
  EXPECT_EQ(def.TXT_Type_Postprocesseur, strings.get(6100 + def.Type_Postprocesseur));
  EXPECT_EQ(def.TXT_Cinematique_Machine, strings.get(6000 + def.Cinematique_Machine));
  EXPECT_EQ(def.TXT_Type_AXE_AB, strings.get(6200 + def.Type_AXE_AB));
  EXPECT_EQ(def.TXT_Type_AXE_C, strings.get(6200 + def.Type_AXE_C));
}

TEST(DefaultDefinition, SavingItUnchangedRewritesTheSameBytes) {
  test::TempDir dir;
  const std::string path = dir.file("Default.ppc");
  const std::string original = test::ReadFile(test::SourcePath("data/Default.ppc"));
  test::WriteFile(path, original);
  ppdef::PostProcessorDefinition def;
  l10n::Strings strings;
  common::RecordingPrompt prompt;
  ppdef::LoadDefinition(path, def, prompt);
  ASSERT_TRUE(ppdef::SaveDefinition(path, ppdef::FieldsFromDefinition(def), def, strings).ok());
  EXPECT_EQ(test::ReadFile(path), original);
}

TEST(ColourScheme, FileOrderIsAPermutationOfTheTree) {
  std::set<int> seen(ppdef::kColourFileOrder.begin(), ppdef::kColourFileOrder.end());
  EXPECT_EQ(seen.size(), 50u);
  EXPECT_EQ(*seen.begin(), 0);
  EXPECT_EQ(*seen.rbegin(), 49);
  auto fileKey = [](int position) {
    return ppdef::kColourKeys[ppdef::kColourFileOrder[position - 1]];
  };
  EXPECT_EQ(fileKey(6), "COULEUR_AIR");
  EXPECT_EQ(fileKey(16), "COULEUR_PREMIER_POINT");
  EXPECT_EQ(fileKey(20), "COULEUR_LOAD");
  EXPECT_EQ(fileKey(50), "COULEUR_DEFTOL");
  EXPECT_EQ(ppdef::kColourKeys[static_cast<int>(ppdef::Colour::Air)], "COULEUR_AIR");
  EXPECT_EQ(ppdef::kColourKeys[static_cast<int>(ppdef::Colour::CycleFirstPt)],
            "COULEUR_CYCLE_FIRST_PT");
  EXPECT_EQ(ppdef::kColourWordId[static_cast<int>(ppdef::Colour::FirstPoint)], 613);
  EXPECT_EQ(ppdef::kColourWordId[static_cast<int>(ppdef::Colour::Unknown)], 612);
}
