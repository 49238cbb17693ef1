#include <gtest/gtest.h>

#include "core/common/profile_file.h"
#include "core/common/user_prompt.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition_file.h"
#include "core/ppdef/definition_keys.h"
#include "support/test_support.h"

using namespace ordalis;
using ppdef::DefinitionFields;
using ppdef::PostProcessorDefinition;
using ppdef::SaveResult;

namespace {

// Fields of a blank definition: every numeric field holds a valid number.
DefinitionFields ValidFields() { return ppdef::FieldsFromDefinition(PostProcessorDefinition{}); }

std::size_t Find(const std::string& text, const std::string& what) {
  const std::size_t at = text.find(what);
  EXPECT_NE(at, std::string::npos) << what;
  return at;
}

const std::string kRichFile =
    "; Fraiseuse de l'atelier 2\r\n"
    "[GENERAL]\r\n"
    "Version=0.5\r\n"
    "pp_nom = Atelier 2\r\n"
    "PP_SPACE=1\r\n"
    "Atelier=B12\r\n"
    "ToleranceCalcul=0.005\r\n"
    "NUM_INCR=5\r\n"
    "NUM_MAX=9999.5\r\n"
    "PP_COMMENT_1=\"( \"\r\n"
    "OPTION_SORTIE_N=1\r\n"
    "TXT_Type_Postprocesseur=FANUC\r\n"
    "Type_Postprocesseur=6\r\n"
    "\r\n"
    "; codes M\r\n"
    "[CODE_M]\r\n"
    "PP_FLUID_ON=M8\r\n"
    "SPINDLE_ON=S&(PP_S_SPINDLE,0)&n&(PP_SPINDLE,)\r\n"
    "\r\n"
    "[MAINTENANCE]\r\n"
    "Contact=Jean\r\n"
    "\r\n"
    "[CODE_G]\r\n"
    "MODE=MILL/G17&nTURN/G18&n\r\n"
    "PP_DEC_ORIGIN=53\r\n"
    "[TORVEL]\r\n"
    "TXT_Cin\xE9matique_Machine=T\xEAte A/C\r\n"
    "Cin\xE9matique_Machine=3\r\n"
    "PP_LIMIT_AB_MINI=-120.25\r\n"
    "[CYCLE]\r\n"
    "OPTION_CYCLE_RAPIDE=1\r\n"
    "[COULEUR]\r\n"
    "COULEUR_GOTO=8388608\r\n"
    "COULEUR_AIR=12345\r\n";

}  // namespace

TEST(SaveDefinition, RefusesAnInvalidNumberBeforeWritingAnything) {
  test::TempDir dir;
  const std::string path = dir.file("mill.ppc");
  test::WriteFile(path, kRichFile);
  l10n::Strings strings;
  for (const auto& [field, bad] :
       std::vector<std::pair<std::string, std::string>>{{"ToleranceCalcul", ""},
                                                        {"PP_LIMIT_C_MAXI", "abc"},
                                                        {"PP_HEAD_ANGLE", "0,5"},
                                                        {"NUM_ORIGINE", "1e60"},
                                                        {"NUM_MAX", "12x"},
                                                        {"NUM_INCR", "40000"}}) {
    PostProcessorDefinition def;
    def.PP_NOM = "before";
    DefinitionFields fields = ValidFields();
    fields.text["PP_NOM"] = "after";
    fields.text[field] = bad;
    const SaveResult r = ppdef::SaveDefinition(path, fields, def, strings);
    EXPECT_EQ(r.status, SaveResult::Status::kInvalidField) << field;
    EXPECT_EQ(r.field, field);
    EXPECT_EQ(def.PP_NOM, "before");
    EXPECT_EQ(test::ReadFile(path), kRichFile);
  }
}

TEST(SaveDefinition, NewFileGetsEveryKeyInTableOrderAndPlainNumbers) {
  test::TempDir dir;
  const std::string path = dir.file("new.ppc");
  l10n::Strings strings;
  PostProcessorDefinition def;
  def.Type_Postprocesseur = 4;
  DefinitionFields fields = ValidFields();
  fields.text["ToleranceCalcul"] = " 0.1 ";
  fields.text["PP_LIMIT_AB_MAXI"] = "1.00000000000000001234";
  fields.text["PP_HEAD_ANGLE"] = "-45.50";
  fields.text["NUM_MAX"] = "99999";
  fields.text["NUM_ORIGINE"] = "0.1";
  fields.text["NUM_INCR"] = "10";
  fields.text["PP_DEC_ORIGIN"] = "53 (G54)";
  fields.text["PP_ORDER"] = "XYZ";
  fields.text["PP_DEBUT"] = "%\r\nO1000\nG90";
  fields.text["PP_NOM"] = "two\r\nlines";
  fields.text["MODE"] = "A/B\r\nC/D\r\n";
  fields.text["TXT_Type_Postprocesseur"] = "no such controller";
  fields.checked["PP_SPACE"] = true;
  fields.checked["OPTION_COMPR"] = true;
  fields.checked["OPTION_CYCLE_RAPIDE"] = true;
  fields.colours[static_cast<int>(ppdef::Colour::Air)] = 4242;
  ASSERT_TRUE(ppdef::SaveDefinition(path, fields, def, strings).ok());

  const std::string file = test::ReadFile(path);
  EXPECT_EQ(file.find('\n'), file.find("\r\n") + 1);  // CR LF from the first line end
  std::size_t last = 0;
  for (const char* s : {"[CODE_M]", "[DEBUT_FIN]", "[GESTION_OUTIL]", "[CODE_G]", "[TORVEL]",
                        "[AXES]", "[CYCLE]", "[COULEUR]"}) {
    const std::size_t at = Find(file, std::string("\r\n") + s + "\r\n");
    EXPECT_GT(at, last) << s;
    last = at;
  }
  EXPECT_EQ(file.substr(0, 34), "[GENERAL]\r\nVersion=0.5\r\nPP_NOM=two");
  EXPECT_LT(Find(file, "TXT_Type_Postprocesseur="), Find(file, "\r\nType_Postprocesseur=4\r\n"));
  EXPECT_LT(Find(file, "COULEUR_COOLNT=0\r\nCOULEUR_AIR=4242\r\nCOULEUR_TPRINT="),
            Find(file, "COULEUR_DEFTOL=0"));
  for (const char* line :
       {"ToleranceCalcul=0.1\r\n", "PP_LIMIT_AB_MAXI=1\r\n", "PP_HEAD_ANGLE=-45.5\r\n",
        "NUM_MAX=99999\r\n", "NUM_ORIGINE=0.1\r\n", "NUM_INCR=10\r\n", "PP_DEC_ORIGIN=53\r\n",
        "PP_ORDER=NGXYZIJKRABCF\r\n", "PP_DEBUT=%&nO1000&nG90\r\n", "PP_NOM=two  lines\r\n",
        "MODE=A/B&nC/D&n\r\n", "PP_SPACE=1\r\n", "OPTION_COMPR=1\r\n", "OPTION_RAPIDE=0\r\n",
        "OPTION_CYCLE_RAPIDE=1\r\n", "Cin\xE9matique_Machine=0\r\n"}) {
    Find(file, line);
  }
  // The definition in memory took the same values.
  EXPECT_EQ(def.Version, "0.5");
  EXPECT_EQ(def.PP_SPACE, " ");
  EXPECT_EQ(def.PP_DEBUT, "%\r\nO1000\r\nG90");
  EXPECT_EQ(def.ModeTable.size(), 2u);
  EXPECT_EQ(def.Type_Postprocesseur, 4);  // no catalogue text matched: the number stays
  EXPECT_EQ(def.OPTION_CYCLE_RAPIDE, "1");
  EXPECT_EQ(def.colour(ppdef::Colour::Air), 4242);
}

TEST(SaveDefinition, LoadSaveLoadKeepsFieldsAndEveryForeignLine) {
  test::TempDir dir;
  const std::string path = dir.file("rich.ppc");
  test::WriteFile(path, kRichFile);
  l10n::Strings strings;
  common::RecordingPrompt prompt;
  PostProcessorDefinition first;
  ppdef::LoadDefinition(path, first, prompt);
  const DefinitionFields before = ppdef::FieldsFromDefinition(first);
  ASSERT_TRUE(ppdef::SaveDefinition(path, before, first, strings).ok());

  PostProcessorDefinition second;
  ppdef::LoadDefinition(path, second, prompt);
  const DefinitionFields after = ppdef::FieldsFromDefinition(second);
  EXPECT_EQ(after.text, before.text);
  EXPECT_EQ(after.checked, before.checked);
  EXPECT_EQ(after.colours, before.colours);
  EXPECT_EQ(second.PP_COMMENT_1, "( ");
  EXPECT_EQ(second.Cinematique_Machine, 3);
  EXPECT_EQ(second.ModeTable.size(), 2u);
  EXPECT_TRUE(prompt.messages.empty());

  const std::string file = test::ReadFile(path);
  EXPECT_EQ(
      file.rfind("; Fraiseuse de l'atelier 2\r\n[GENERAL]\r\nVersion=0.5\r\npp_nom=Atelier 2\r\n",
                 0),
      0u);
  Find(file, "PP_SPACE=1\r\nAtelier=B12\r\nToleranceCalcul=0.005\r\n");
  Find(file, "\r\n\r\n; codes M\r\n[CODE_M]\r\nPP_FLUID_ON=M8\r\n");
  Find(file, "\r\n\r\n[MAINTENANCE]\r\nContact=Jean\r\n\r\n[CODE_G]\r\n");
  Find(file, "NUM_MAX=9999.5\r\n");
  Find(file, "PP_COMMENT_1=\"( \"\r\n");
  // Keys the original lacked are appended after the last key of their section.
  Find(file, "PP_CSS_OFF=\r\n\r\n[MAINTENANCE]");
  EXPECT_EQ(file.find("\n\n"), std::string::npos);
}

TEST(SaveDefinition, MatchesListTextsWithTheCurrentCatalogue) {
  l10n::Strings strings;
  strings.setLanguage(l10n::kFrench);
  const std::string fanuc = strings.get(6106);
  const std::string tete = strings.get(6003);
  const std::string multi = strings.get(6017);
  if (fanuc.empty() || tete.empty()) GTEST_SKIP() << "catalogue texts not available";
  test::TempDir dir;
  PostProcessorDefinition def;
  def.Cinematique_Machine = 1;
  DefinitionFields fields = ValidFields();
  fields.text["TXT_Type_Postprocesseur"] = fanuc;
  fields.text["TXT_Cin\xE9matique_Machine"] = tete;
  ASSERT_TRUE(ppdef::SaveDefinition(dir.file("a.ppc"), fields, def, strings).ok());
  EXPECT_EQ(def.Type_Postprocesseur, 6);
  EXPECT_EQ(def.Cinematique_Machine, 3);
  EXPECT_EQ(def.RotaryAxisInUse, (std::array<bool, 3>{true, false, true}));
  fields.text["TXT_Cin\xE9matique_Machine"] = multi;  // never compared: the number stays
  ASSERT_TRUE(ppdef::SaveDefinition(dir.file("a.ppc"), fields, def, strings).ok());
  EXPECT_EQ(def.Cinematique_Machine, 3);
}

TEST(SaveDefinition, ReportsAFileThatCannotBeWritten) {
  test::TempDir dir;
  l10n::Strings strings;
  PostProcessorDefinition def;
  const SaveResult r =
      ppdef::SaveDefinition(dir.file("missing/x.ppc"), ValidFields(), def, strings);
  EXPECT_EQ(r.status, SaveResult::Status::kWriteFailed);
}
