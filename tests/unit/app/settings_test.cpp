#include "core/app/settings.h"

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "support/test_support.h"

namespace ordalis::app {
namespace {

using test::TempDir;
using test::WriteFile;

struct SettingsTest : ::testing::Test, AppFixture {
  TempDir dir;
  SettingsTest() { ctx.programFolder = dir.path() + "/"; }
  void writeDefinition(const std::string& name, const std::string& nom, const std::string& iso) {
    WriteFile(dir.file(name), "[GENERAL]\r\nVersion=0.5\r\nPP_NOM=" + nom +
                                  "\r\nEXTENSION_ISO_FILE=" + iso +
                                  "\r\nEXTENSION_APT_FILE=cl\r\n");
  }
};

TEST_F(SettingsTest, ProgramRelativePathsAndOutputNames) {
  EXPECT_EQ(ResolveProgramPath(".\\ppc\\mill.ppc", "/opt/ordalis/"), "/opt/ordalis/ppc/mill.ppc");
  EXPECT_EQ(ResolveProgramPath("./ppc/mill.ppc", "/opt/ordalis"), "/opt/ordalis/ppc/mill.ppc");
  EXPECT_EQ(ResolveProgramPath("C:\\defs\\a.ppc", "/opt/"), "C:/defs/a.ppc");
  ppdef::PostProcessorDefinition def;
  def.EXTENSION_ISO_FILE = "nc";
  EXPECT_EQ(IsoPathForApt("/cam/jobs/part.apt", def), "/cam/jobs/part.nc");
  def.EXTENSION_ISO_FILE = ".nc";
  EXPECT_EQ(IsoPathForApt("part.apt", def), "part.nc");
  def.EXTENSION_APT_FILE = "cl";
  EXPECT_TRUE(IsAptExtension(".cl", def));
  EXPECT_TRUE(IsAptExtension(".APTSOURCE", def));
  EXPECT_FALSE(IsAptExtension(".Apt", def));
  EXPECT_TRUE(IsDefinitionExtension(".PPC"));
  EXPECT_FALSE(ExecutableFolder().empty());
}

TEST_F(SettingsTest, SettingsNameTheDefinitionAndLanguage) {
  writeDefinition("Default.ppc", "Fallback", "nc");
  WriteFile(dir.file("Ordalis.ini"), "[POSTPROCESSEUR]\r\nFichier=\r\nNom=Shop\r\n[CONFIG]\r\n");
  EXPECT_EQ(LoadConfiguration(ctx, dir.file("Ordalis.ini"), "ordalis-post"), "Fallback");
  EXPECT_EQ(ctx.strings.languageId(), l10n::kEnglish);
  EXPECT_EQ(ctx.definitionPath, dir.file("Default.ppc"));

  writeDefinition("mill.ppc", "Mill", "nc");
  WriteFile(dir.file("Ordalis.ini"),
            "[POSTPROCESSEUR]\r\nFichier=.\\mill.ppc\r\n[CONFIG]\r\nLangId=1036\r\n"
            "CloseAfterPP=1\r\n");
  EXPECT_EQ(LoadConfiguration(ctx, dir.file("Ordalis.ini"), "ordalis-post"), "Mill");
  EXPECT_EQ(ctx.strings.languageId(), l10n::kFrench);
  EXPECT_TRUE(ReadCloseAfterPP(dir.file("Ordalis.ini")));

  log.clear();
  EXPECT_EQ(LoadConfiguration(ctx, dir.file("none.ini"), "ordalis-post"), "");
  ASSERT_EQ(log.lines().size(), 2u);
  EXPECT_EQ(log.lines()[0], ctx.strings.get(2120));
  EXPECT_EQ(log.lines()[1], dir.file("none.ini"));
  EXPECT_FALSE(ReadCloseAfterPP(dir.file("none.ini")));
}

TEST_F(SettingsTest, CommandWordsAreTreatedInOrder) {
  writeDefinition("a.ppc", "A", "nc");
  writeDefinition("b.ppc", "B", "ngc");
  WriteFile(dir.file("part.cl"), "GOTO/1,2,3\r\n");
  WriteFile(dir.file("notes.txt"), "x");
  std::vector<std::string> seen;
  CommandLineHooks hooks;
  hooks.definitionLoaded = [&](const std::string& name) { seen.push_back("load " + name); };
  hooks.convert = [&](const std::string& apt, const std::string& iso) {
    seen.push_back(ctx.definitionName + " " + apt + " -> " + iso);
    return RunOutcome::kDone;
  };
  const auto status =
      TreatCommandWords(ctx,
                        {dir.file("a.ppc"), dir.file("part.cl"), dir.file("b.ppc"),
                         dir.file("notes.txt"), dir.file("gone.apt"), dir.file("part.cl")},
                        "", hooks);
  EXPECT_EQ(status, CommandLineStatus::kFileError);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "load A", "A " + dir.file("part.cl") + " -> " + dir.file("part.nc"), "load B",
                      "B " + dir.file("part.cl") + " -> " + dir.file("part.ngc")}));
  EXPECT_EQ(prompt.messages,
            (std::vector<std::string>{ctx.strings.get(1402) + ".txt" + ctx.strings.get(1403)}));
  EXPECT_TRUE(log.contains(dir.file("gone.apt")));

  // A definition that is not there stops the treatment: nothing is converted with another one.
  seen.clear();
  EXPECT_EQ(TreatCommandWords(ctx, {dir.file("gone.ppc"), dir.file("part.cl")}, "out.nc", hooks),
            CommandLineStatus::kFileError);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(TreatCommandWords(ctx, {dir.file("part.cl")}, dir.file("out.nc"), hooks),
            CommandLineStatus::kDone);
  EXPECT_EQ(seen.back(), "B " + dir.file("part.cl") + " -> " + dir.file("out.nc"));
}

}  // namespace
}  // namespace ordalis::app
