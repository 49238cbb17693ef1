#include "core/app/settings_store.h"

#include <gtest/gtest.h>

#include "core/apt/alias_table.h"
#include "core/common/profile_file.h"
#include "support/test_support.h"

namespace ordalis::app {
namespace {

// The shipped settings file's own section: comments with the examples users uncomment.
constexpr const char* kSettings =
    "[POSTPROCESSEUR]\r\nFichier=.\\Default.ppc\r\n[CONFIG]\r\nLangId=1033\r\nCloseAfterPP=0\r\n"
    "[APT_ALIAS]\r\n; SolidWorks CAM peck cycle\r\n;DEEP2=DEEPCL\r\nINSERT=PPRINT\r\n"
    "deep2=DEEPCL\r\n[OTHER]\r\nKey=1\r\n";

TEST(SettingsStore, AliasProblemsAreFoundEntryByEntry) {
  const std::vector<AliasEntry> entries = {
      {"DEEP2", "DEEPCL"}, {" 1STPECK ", ""}, {"", "X"},      {"A=B", "C"},
      {";X", "Y"},         {"[S]", "T"},      {"deep2", "Z"}, {"SUBPECK", "STEP\nX"},
      {"1stpeck", "P"}};
  const AliasProblem expected[] = {
      AliasProblem::kNone,     AliasProblem::kNone,    AliasProblem::kBadWord,
      AliasProblem::kBadWord,  AliasProblem::kBadWord, AliasProblem::kBadWord,
      AliasProblem::kRepeated, AliasProblem::kBadWord, AliasProblem::kRepeated};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(CheckAlias(entries, i), expected[i]) << i;
  }
}

TEST(SettingsStore, AliasesWrittenReadBackAsTheConversionReadsThemAndKeepTheRestOfTheFile) {
  test::TempDir dir;
  const std::string path = dir.file("Ordalis.ini");
  test::WriteFile(path, kSettings);
  EXPECT_EQ(ReadAliases(path),
            (std::vector<AliasEntry>{{"INSERT", "PPRINT"}, {"deep2", "DEEPCL"}}));

  // INSERT goes, deep2 becomes DEEP2 (words match exactly), two new ones, one refused.
  ASSERT_TRUE(SaveAliases(
      path, {{"DEEP2", "DEEPCL"}, {"1STPECK", ""}, {" SUBPECK", "STEP "}, {"bad=word", "X"}}));
  const std::string text = test::ReadFile(path);
  EXPECT_NE(text.find("; SolidWorks CAM peck cycle\r\n;DEEP2=DEEPCL\r\n"), std::string::npos);
  EXPECT_NE(text.find("[OTHER]\r\nKey=1\r\n"), std::string::npos);
  EXPECT_EQ(text.find("INSERT"), std::string::npos);
  EXPECT_EQ(text.find("deep2"), std::string::npos);
  EXPECT_EQ(text.find("bad"), std::string::npos);
  EXPECT_EQ(ReadAliases(path),
            (std::vector<AliasEntry>{{"DEEP2", "DEEPCL"}, {"1STPECK", ""}, {"SUBPECK", "STEP"}}));

  const apt::AliasTable table = apt::AliasTable::fromProfile(common::ProfileFile::load(path));
  std::string out;
  ASSERT_TRUE(table.rewrite("CYCLE/DEEP2,FEDTO,28.6,1STPECK,5.,SUBPECK,2.,MMPM,382", out));
  EXPECT_EQ(out, "CYCLE/DEEPCL,FEDTO,28.6,STEP,2.,MMPM,382");

  ASSERT_TRUE(SaveAliases(path, {}));
  EXPECT_TRUE(ReadAliases(path).empty());
  EXPECT_NE(test::ReadFile(path).find("[APT_ALIAS]\r\n; SolidWorks"), std::string::npos);
}

TEST(SettingsStore, LanguageAndCloseAfterRunAreWrittenInPlace) {
  test::TempDir dir;
  const std::string path = dir.file("Ordalis.ini");
  test::WriteFile(path, kSettings);
  ASSERT_TRUE(SaveLanguageId(path, 1096));
  ASSERT_TRUE(SaveCloseAfterPP(path, true));
  ASSERT_TRUE(SaveCloseAfterPP(path, false));
  const std::string text = test::ReadFile(path);
  EXPECT_NE(text.find("[CONFIG]\r\nLangId=1096\r\nCloseAfterPP=0\r\n"), std::string::npos);
  EXPECT_FALSE(SaveLanguageId(dir.file("missing/Ordalis.ini"), 1033));
}

TEST(SettingsStore, WindowLayoutRoundTripsAndSparesTheOtherSections) {
  test::TempDir dir;
  const std::string path = dir.file("Ordalis.ini");
  test::WriteFile(path, kSettings);
  EXPECT_EQ(ReadWindowLayout(path), WindowLayout{});

  const WindowLayout layout{-8, 40, 1200, 800, true, {590, 600}, {620, 180}, {300, 890}};
  ASSERT_TRUE(SaveWindowLayout(path, layout));
  EXPECT_EQ(ReadWindowLayout(path), layout);
  EXPECT_EQ(test::ReadFile(path).substr(0, std::string(kSettings).size()), kSettings);

  // A hand-edited size that makes no sense drops that splitter, not the window's place.
  common::WriteProfileString(path, "FENETRE", "Panes", "590,-3");
  common::WriteProfileString(path, "FENETRE", "Band", "abc");
  const WindowLayout read = ReadWindowLayout(path);
  EXPECT_TRUE(read.panes.empty());
  EXPECT_TRUE(read.band.empty());
  EXPECT_EQ(read.width, 1200);
  EXPECT_EQ(read.bottom, (std::vector<int>{300, 890}));
}

}  // namespace
}  // namespace ordalis::app
