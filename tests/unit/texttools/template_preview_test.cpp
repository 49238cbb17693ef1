#include "core/texttools/template_preview.h"

#include <gtest/gtest.h>

#include "core/common/user_prompt.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition_file.h"
#include "support/test_support.h"

using namespace ordalis;

namespace {

ppdef::PostProcessorDefinition HeadAc() {
  ppdef::PostProcessorDefinition def;
  l10n::Strings strings;
  common::RecordingPrompt prompt;
  ppdef::LoadDefinition(test::SourcePath("data/ppc/head_ac_5axis.ppc"), def, prompt);
  return def;
}

}  // namespace

TEST(TemplatePreview, EachKeyIsExpandedWithTheSetTheGeneratorUses) {
  const ppdef::PostProcessorDefinition def = HeadAc();
  struct Case {
    std::string_view key, text, expected;
  };
  const Case cases[] = {
      {"PP_CYCLE_DRILL",
       "G81 X&(PP_CYCLE_X,0.000) Z&(PP_CYCLE_Z-PP_CYCLE_DEPTH,0.000) "
       "R&(PP_CYCLE_Z+PP_CYCLE_CLEARENCE,0.0) F&(PP_CYCLE_FEED,0)",
       "G81 X70.000 Z-10.000 R4.0 F120"},
      {"FORMAT_CERCLE",
       "&(PP_CODE_CERCLE,) X&(PP_POINT_CERCLE_X,0.000) I&(PP_CENTRE_RELATIF_X,0.000) "
       "R&(PP_RAYON_CERCLE,0.0)",
       "G03 X50.000 I-10.000 R10.0"},
      {"GESTION_CUTTER", "(TOOL D&(TOOL_DIAM,0.000) R&(TOOL_RC,0.000))", "(TOOL D10.000 R0.500)"},
      {"CHANGE_OUTIL", "T&(PP_TOOL,0) M6&nS&(PP_S_SPINDLE,0) &(PP_SPINDLE,)", "T3 M6&nS2500 M3"},
      {"PP_ORIGIN", "G10 L2 P1 X&(PP_ORIGIN_X,0.000)", "G10 L2 P1 X100.000"},
      {"PP_G54_G57", "G#0", "G54"},  // a number pattern on a Fanuc
      {"PREMIER_POINT", "G0 X&(PP_FIRST_X,0.000) A&(PP_FIRST_A,0.0) C&(PP_FIRST_C,0.0)",
       "G0 X12.500 A30.0 C90.0"},
      {"PP_PARTNO", "(&(PP_PARTNO,))", "(BRACKET)"},
      {"PP_TEMPO", "G04 X&(PP_TEMPO,0.000)", "G04 X1.500"},
  };
  for (const Case& c : cases) {
    std::string text(c.text), expected(c.expected);
    for (std::string* s : {&text, &expected}) {
      for (std::size_t at; (at = s->find("&n")) != std::string::npos;) s->replace(at, 2, "\r\n");
    }
    EXPECT_EQ(texttools::PreviewTemplate(c.key, text, def), expected) << c.key;
  }
}

TEST(TemplatePreview, NumbersBlocksAsTheDefinitionSays) {
  const ppdef::PostProcessorDefinition def = HeadAc();
  const std::string out = texttools::PreviewTemplate(
      "PP_DEBUT", "%\r\n&(PP_N_LIGNE,N0) G21\r\n&(PP_N_LIGNE,N0) G90", def);
  EXPECT_EQ(out, "%\r\nN10 G21\r\nN20 G90");  // as a real program starts
}

TEST(TemplatePreview, SetsFollowTheGenerator) {
  using iso::VariableSet;
  EXPECT_EQ(texttools::TemplateSetOf("PP_CYCLE"), VariableSet::kCycle);
  EXPECT_EQ(texttools::TemplateSetOf("PP_CYCLE_MILL"), VariableSet::kCycle);
  EXPECT_EQ(texttools::TemplateSetOf("FORMAT_CERCLE"), VariableSet::kCircle);
  EXPECT_EQ(texttools::TemplateSetOf("FORMAT_CERCLE_G18"), VariableSet::kCircle);
  EXPECT_EQ(texttools::TemplateSetOf("GESTION_CUTTER"), VariableSet::kTool);
  EXPECT_EQ(texttools::TemplateSetOf("PP_ORIGIN"), VariableSet::kOrigin);
  EXPECT_EQ(texttools::TemplateSetOf("PP_DEBUT"), VariableSet::kFull);
}
