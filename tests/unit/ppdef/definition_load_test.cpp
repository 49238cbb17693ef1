#include <gtest/gtest.h>

#include "core/common/profile_file.h"
#include "core/common/user_prompt.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition_file.h"
#include "support/test_support.h"

using namespace ordalis;
using ppdef::PostProcessorDefinition;

namespace {

struct Loaded {
  PostProcessorDefinition def;
  common::RecordingPrompt prompt;
  std::string name;
};

void LoadText(Loaded& l, const std::string& text) {
  l10n::Strings strings;
  l.name = ppdef::LoadDefinition(common::ProfileFile::parse(text), l.def, l.prompt);
}

}  // namespace

TEST(LoadDefinition, EmptyOrMissingFileGivesTheDefaultsAndWarns) {
  test::TempDir dir;
  Loaded l;
  l10n::Strings strings;
  EXPECT_EQ(ppdef::LoadDefinition(dir.file("none.ppc"), l.def, l.prompt), "");
  EXPECT_EQ(l.prompt.messages.size(), 1u);
  EXPECT_EQ(l.def.PP_ORDER, "NGXYZIJKRABCF");
  for (int i = 0; i < ppdef::kAddressCount; ++i) EXPECT_EQ(l.def.AddressPosition[i], i + 1);
  EXPECT_DOUBLE_EQ(l.def.ToleranceCalcul, 0.01);
  EXPECT_TRUE(l.def.ModeTable.empty());
  EXPECT_EQ(l.def.XDiameterFactor, 1);
  EXPECT_EQ(l.def.PP_SPACE, "");
  EXPECT_EQ(l.def.PP_G01, "");
  EXPECT_EQ(l.def.OPTION_CYCLE_RAPIDE, "0");
  EXPECT_EQ(l.def.colour(ppdef::Colour::Goto), 0);
}

TEST(LoadDefinition, VersionOlderThanTheProgramWarnsOnce) {
  for (const auto& [version, warns] : std::vector<std::pair<std::string, bool>>{{"0.4", true},
                                                                                {"0.5", false},
                                                                                {"1.0", false},
                                                                                {"", true},
                                                                                {"0", true},
                                                                                {"0.50", false}}) {
    Loaded l;
    LoadText(l, "[GENERAL]\r\nVersion=" + version + "\r\nPP_NOM=Mill\r\n");
    EXPECT_EQ(l.prompt.messages.size(), warns ? 1u : 0u) << version;
    EXPECT_EQ(l.name, "Mill");
  }
  EXPECT_EQ(ppdef::ProgramVersion(), "0.5");
}

TEST(LoadDefinition, ConvertsEachKeyByItsType) {
  Loaded l;
  LoadText(l,
           "[general]\n"
           " pp_nom = Fraiseuse \n"
           "PP_SPACE=1\n"
           "ToleranceCalcul=0.02\n"
           "NUM_ORIGINE=5.5\n"
           "NUM_INCR=2.5\n"
           "OPTION_SORTIE_N=3\n"
           "OPTION_COMPR=0\n"
           "Type_Postprocesseur=6\n"
           "[DEBUT_FIN]\n"
           "PP_DEBUT=%&nO1000\n"
           "[CODE_G]\n"
           "MODE=A/B&nC/D&n\n"
           "PP_DEC_ORIGIN=53\n"
           "[AXES]\n"
           "PP_ORDER=NGXYZIJKRABCC\n"
           "OPTION_CODAGE_X_AU_DIAMETRE=1\n"
           "[CYCLE]\n"
           "OPTION_CYCLE_RAPIDE=1.50\n"
           "[COULEUR]\n"
           "COULEUR_GOTO=16711680\n"
           "COULEUR_AIR=&HFF00\n");
  EXPECT_EQ(l.name, "Fraiseuse");
  EXPECT_EQ(l.def.PP_SPACE, " ");
  EXPECT_DOUBLE_EQ(l.def.ToleranceCalcul, 0.02);
  EXPECT_FLOAT_EQ(l.def.NUM_ORIGINE, 5.5f);
  EXPECT_EQ(l.def.NUM_INCR, 2);  // halves to even
  EXPECT_TRUE(l.def.OPTION_SORTIE_N);
  EXPECT_FALSE(l.def.OPTION_COMPR);
  EXPECT_EQ(l.def.Type_Postprocesseur, 6);
  EXPECT_EQ(l.def.PP_DEBUT, "%\r\nO1000");
  ASSERT_EQ(l.def.ModeTable.size(), 2u);
  EXPECT_EQ(l.def.ModeTable[1].match, "C");
  EXPECT_EQ(l.def.ModeTable[1].output, "D");
  EXPECT_EQ(l.def.MODE, "A/B\r\nC/D\r\n");
  EXPECT_EQ(l.def.PP_DEC_ORIGIN, 53);
  EXPECT_EQ(l.def.PP_ORDER, "NGXYZIJKRABCC");
  EXPECT_EQ(l.def.AddressPosition[ppdef::kC], 12);
  EXPECT_EQ(l.def.AddressPosition[ppdef::kF], 0);
  EXPECT_EQ(l.def.XDiameterFactor, 2);
  EXPECT_EQ(l.def.OPTION_CYCLE_RAPIDE, "1.5");
  EXPECT_EQ(l.def.colour(ppdef::Colour::Goto), 16711680);
  EXPECT_EQ(l.def.colour(ppdef::Colour::Air), 0xFF00);
}

TEST(LoadDefinition, SpecialRulesAndOutOfRangeValues) {
  Loaded l;
  l.def.NUM_INCR = 10;
  l.def.PP_DEC_ORIGIN = 53;
  LoadText(l,
           "[GENERAL]\nPP_SPACE=2\nToleranceCalcul=0,02\nNUM_INCR=40000\nNUM_MAX=1e300\n"
           "[CODE_G]\nPP_DEC_ORIGIN=-40000\n[AXES]\nPP_ORDER=XYZ\n"
           "[COULEUR]\nCOULEUR_GOTO=99999999999\n");
  EXPECT_EQ(l.def.PP_SPACE, "");
  EXPECT_DOUBLE_EQ(l.def.ToleranceCalcul, 0.01);
  EXPECT_EQ(l.def.NUM_INCR, 10);
  EXPECT_EQ(l.def.PP_DEC_ORIGIN, 53);
  EXPECT_FLOAT_EQ(l.def.NUM_MAX, 0.0f);  // a single cannot hold 1e300
  EXPECT_EQ(l.def.PP_ORDER, "NGXYZIJKRABCF");
  EXPECT_EQ(l.def.colour(ppdef::Colour::Goto), 0);

  LoadText(l, "[GENERAL]\nToleranceCalcul=-0.5\n");
  EXPECT_DOUBLE_EQ(l.def.ToleranceCalcul, -0.5);
}

TEST(LoadDefinition, KinematicsSetsTheRotaryAxes) {
  Loaded l;
  LoadText(l, "[TORVEL]\nCin\xE9matique_Machine=3\n");
  EXPECT_EQ(l.def.RotaryAxisInUse, (std::array<bool, 3>{true, false, true}));
  LoadText(l, "[TORVEL]\nCIN\xC9MATIQUE_MACHINE=2\n");
  EXPECT_EQ(l.def.RotaryAxisInUse, (std::array<bool, 3>{true, true, false}));
  // Mill-turn: a milling head B and the spindle as C.
  LoadText(l, "[TORVEL]\nCin\xE9matique_Machine=17\n");
  EXPECT_EQ(l.def.RotaryAxisInUse, (std::array<bool, 3>{false, true, true}));
  LoadText(l, "[TORVEL]\nCIN\xC9MATIQUE_MACHINE=2\n");
  for (const char* kept : {"0", "21"}) {
    LoadText(l, std::string("[TORVEL]\nCin\xE9matique_Machine=") + kept + "\n");
    EXPECT_EQ(l.def.RotaryAxisInUse, (std::array<bool, 3>{true, true, false})) << kept;
  }
  // Written in UTF-8 by another editor, together with its displayed text.
  LoadText(l, "[TORVEL]\nCin\xC3\xA9matique_Machine=1\nTXT_Cin\xC3\xA9matique_Machine=3 Axes\n");
  EXPECT_EQ(l.def.Cinematique_Machine, 1);
  EXPECT_EQ(l.def.TXT_Cinematique_Machine, "3 Axes");
  EXPECT_EQ(l.def.RotaryAxisInUse, (std::array<bool, 3>{false, false, false}));
}

TEST(ParseModeTable, EntriesEndAtEachLineBreak) {
  auto t = ppdef::ParseModeTable("A/B");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].match, "A");
  EXPECT_EQ(t[0].output, "B");
  EXPECT_EQ(ppdef::ParseModeTable("A/B&nC/D&n").size(), 2u);
  EXPECT_EQ(ppdef::ParseModeTable("A/B&nC/D").size(), 1u);
  t = ppdef::ParseModeTable("X");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].output, "X");
  t = ppdef::ParseModeTable("TURN/G18/G95&n&n");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].output, "G18/G95");
  EXPECT_EQ(t[1].match, "");
  EXPECT_TRUE(ppdef::ParseModeTable("").empty());
}

TEST(LoadDefinition, HostileFilesNeitherCrashNorHang) {
  test::TempDir dir;
  l10n::Strings strings;
  std::string binary;
  for (int i = 0; i < 100000; ++i) binary.push_back(static_cast<char>((i * 131) % 256));
  std::string withNul = "[GENERAL]\nPP_NOM=a";
  withNul +=
      std::string(1, '\0') + "b\n[AXES]\nPP_ORDER=NGXYZ" + std::string(1, '\0') + "JKRABCF\n";
  const std::string huge = "[GENERAL]\nPP_NOM=" + std::string(50'000'000, 'N') + "\n";
  for (const std::string& bytes : {binary, withNul, huge}) {
    const std::string path = dir.file("bad.ppc");
    test::WriteFile(path, bytes);
    Loaded l;
    l.name = ppdef::LoadDefinition(path, l.def, l.prompt);
    EXPECT_LE(l.name.size(), common::kProfileValueMax);
    EXPECT_EQ(l.prompt.messages.size(), 1u);
    EXPECT_EQ(l.def.PP_ORDER.size(), 13u);
  }
  Loaded l;
  LoadText(l, withNul);
  EXPECT_EQ(l.name, std::string("a\0b", 3));
  EXPECT_EQ(l.def.AddressPosition[ppdef::kI], 0);  // the NUL took I's place
}
