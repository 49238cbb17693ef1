#include "core/texttools/placeholder_colouring.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/common/memory_text_pane.h"
#include "core/iso/run_state.h"
#include "core/iso/template_engine.h"
#include "core/ppdef/definition.h"
#include "core/tools/tool_table.h"

namespace ordalis::texttools {
namespace {

// The names the code edit window has always shown as known.
constexpr const char* kEditorNames[] = {
    "PP_TOOL",
    "PP_DTOOL",
    "PP_S_SPINDLE",
    "PP_FEEDRATE",
    "PP_COOLNT",
    "PP_AIR",
    "PP_TMARK",
    "PP_SPINDLE",
    "PP_COMMENT",
    "PP_CORR",
    "PP_TEMPO",
    "PP_PARTNO",
    "PP_REWIND",
    "PP_FILE",
    "PP_NCFILE",
    "PP_DATE",
    "PP_TIME",
    "PP_N_LIGNE",
    "PP_FIRST_X",
    "PP_FIRST_Y",
    "PP_FIRST_Z",
    "PP_FIRST_A",
    "PP_FIRST_B",
    "PP_FIRST_C",
    "PP_CYCLE_DEPTH",
    "PP_CYCLE_FEED",
    "PP_CYCLE_SPINDLE",
    "PP_CYCLE_DWELL",
    "PP_CYCLE_RETRACT",
    "PP_CYCLE_CLEARENCE",
    "PP_CYCLE_ZSTEP",
    "PP_CYCLE_PITCH",
    "PP_CYCLE_RADIALPASS",
    "PP_CYCLE_FIRST_X",
    "PP_CYCLE_FIRST_Y",
    "PP_CYCLE_FIRST_Z",
    "PP_CYCLE_X",
    "PP_CYCLE_Y",
    "PP_CYCLE_Z",
    "PP_CYCLE_A",
    "PP_CYCLE_B",
    "PP_CYCLE_C",
    "PP_CYCLE_FIRST_X-PP_CYCLE_DEPTH",
    "PP_CYCLE_FIRST_X+PP_CYCLE_DEPTH",
    "PP_CYCLE_FIRST_Y-PP_CYCLE_DEPTH",
    "PP_CYCLE_FIRST_Y+PP_CYCLE_DEPTH",
    "PP_CYCLE_FIRST_Z-PP_CYCLE_DEPTH",
    "PP_CYCLE_FIRST_Z+PP_CYCLE_DEPTH",
    "PP_CYCLE_X-PP_CYCLE_DEPTH",
    "PP_CYCLE_X+PP_CYCLE_DEPTH",
    "PP_CYCLE_Y-PP_CYCLE_DEPTH",
    "PP_CYCLE_Y+PP_CYCLE_DEPTH",
    "PP_CYCLE_Z-PP_CYCLE_DEPTH",
    "PP_CYCLE_Z+PP_CYCLE_DEPTH",
    "PP_CYCLE_CLEARENCE-PP_CYCLE_DEPTH",
    "PP_CYCLE_CLEARENCE+PP_CYCLE_DEPTH",
    "-PP_CYCLE_DEPTH",
    "-PP_CYCLE_RETRACT",
    "PP_CYCLE_Z-PP_CYCLE_CLEARENCE",
    "PP_CYCLE_Z+PP_CYCLE_CLEARENCE",
    "PP_CYCLE_CLEARENCE+PP_CYCLE_Z",
    "PP_CYCLE_Z-PP_CYCLE_RETRACT",
    "PP_CYCLE_Z+PP_CYCLE_RETRACT",
    "PP_CYCLE_RETRACT+PP_CYCLE_Z",
    "PP_CYCLE_FIRST_Z-PP_CYCLE_CLEARENCE",
    "PP_CYCLE_FIRST_Z+PP_CYCLE_CLEARENCE",
    "PP_CYCLE_FIRST_Z-PP_CYCLE_RETRACT",
    "PP_CYCLE_FIRST_Z+PP_CYCLE_RETRACT",
    "TOOL_NAME",
    "TOOL_NUM",
    "TOOL_DIAM",
    "TOOL_RADIUS",
    "TOOL_ANGLE",
    "TOOL_RC",
    "TOOL_LG",
    "TOOL_LG_CUT",
    "TOOL_LG_PROG",
    "TOOL_DIAM_PRO",
    "TOOL_REMARK",
    "PP_CODE_CERCLE",
    "PP_CENTRE_RELATIF_X",
    "PP_CENTRE_RELATIF_Y",
    "PP_CENTRE_RELATIF_Z",
    "PP_CENTRE_ABSOLU_X",
    "PP_CENTRE_ABSOLU_Y",
    "PP_CENTRE_ABSOLU_Z",
    "PP_CENTER_RELATIF_X",
    "PP_CENTER_RELATIF_Y",
    "PP_CENTER_RELATIF_Z",
    "PP_CENTER_ABSOLUT_X",
    "PP_CENTER_ABSOLUT_Y",
    "PP_CENTER_ABSOLUT_Z",
    "PP_POINT_CERCLE_X",
    "PP_POINT_CERCLE_Y",
    "PP_POINT_CERCLE_Z",
    "PP_POINT_CIRCLE_X",
    "PP_POINT_CIRCLE_Y",
    "PP_POINT_CIRCLE_Z",
    "PP_RAYON_CERCLE",
    "PP_ANGLE_CERCLE",
    "PP_RADIUS_CIRCLE",
    "PP_ANGLE_CIRCLE",
    "PP_POINT_MID_CERCLE_X",
    "PP_POINT_MID_CERCLE_Y",
    "PP_POINT_MID_CERCLE_Z",
    "PP_ANGLE_A_CERCLE",
    "PP_ANGLE_B_CERCLE",
    "PP_ANGLE_C_CERCLE",
    "PP_ANGLE_A_CIRCLE",
    "PP_ANGLE_B_CIRCLE",
    "PP_ANGLE_C_CIRCLE",
    "PP_ORIGIN_X",
    "PP_ORIGIN_Y",
    "PP_ORIGIN_Z",
    "PP_DEC_ORIGIN",
};

/// True when some expansion of the engine replaces "&(name,0)".
bool EngineSubstitutes(std::string_view name) {
  ppdef::PostProcessorDefinition def;
  iso::RunState state;
  state.reset(def);
  tools::ToolTable tools;
  iso::TemplateEngine engine(def, state, tools);
  const std::string tpl = "&(" + std::string(name) + ",0) X";
  return engine.expandFull(tpl) != tpl || engine.expandTool(tpl) != tpl ||
         engine.expandOrigin(tpl) != tpl || engine.expandCycle(tpl) != tpl ||
         engine.expandCircle(tpl) != tpl;
}

TEST(KnownVariables, AreExactlyTheNamesTheEngineSubstitutes) {
  const std::set<std::string_view> editorNames(std::begin(kEditorNames), std::end(kEditorNames));
  ASSERT_EQ(editorNames.size(), 115u);
  for (std::string_view name : editorNames) EXPECT_TRUE(IsKnownVariable(name)) << name;
  // Every name the window calls known is one a conversion really replaces, and the other way
  // round: the window and the engine read one table.
  const auto engineNames = iso::TemplateVariableNames();
  for (std::string_view name : engineNames) {
    EXPECT_TRUE(IsKnownVariable(name)) << name;
    EXPECT_TRUE(EngineSubstitutes(name)) << name;
  }
  // Names the engine has beyond the window's old list, such as the motion point and the deep
  // drilling decrement, are known too.
  for (std::string_view name : {"PP_X", "VALID_PT", "PP_CYCLE_DECREMENT", "PP_CYCLE_DIR"}) {
    EXPECT_TRUE(IsKnownVariable(name)) << name;
  }
  for (std::string_view name :
       {"PP_TOOLS", "pp_tool", "PP_CYCLE_Z + PP_CYCLE_CLEARENCE", "", "PP_FIRST", " PP_TOOL"}) {
    EXPECT_FALSE(IsKnownVariable(name)) << name;
    EXPECT_FALSE(EngineSubstitutes(name)) << name;
  }
}

constexpr std::uint32_t kBlue = kPlaceholderMarkColour, kGreen = kKnownNameColour,
                        kRed = kUnknownNameColour;

TEST(PlaceholderColours, MarkersBlueNamesGreenOrRed) {
  struct Case {
    std::string text;
    std::vector<ColourSpan> spans;
  };
  const Case cases[] = {
      {"T&(PP_TOOL,0) M6", {{1, 2, kBlue}, {3, 7, kGreen}}},
      {"T&(PP_TOOLL,0)", {{1, 2, kBlue}, {3, 8, kRed}}},
      {"&(pp_tool,0)", {{0, 2, kBlue}, {2, 7, kRed}}},
      {"Z&(PP_CYCLE_Z+PP_CYCLE_CLEARENCE,#0.0)", {{1, 2, kBlue}, {3, 29, kGreen}}},
      {"Z&(PP_CYCLE_Z + PP_CYCLE_CLEARENCE,#0.0)", {{1, 2, kBlue}, {3, 31, kRed}}},
      // Whatever precedes the placeholder.
      {"N&&(PP_TEMPO,0)&(PP_X,X#0)",
       {{2, 2, kBlue}, {4, 8, kGreen}, {15, 2, kBlue}, {17, 4, kGreen}}},
      // A marker's first part is a value, not a variable.
      {"G0&(0,X~)&(\"Z,0\",F!)", {{2, 2, kBlue}, {9, 2, kBlue}}},
      {"&(,0)", {{0, 2, kBlue}}},
      // Incomplete placeholders are text, and the walk ends.
      {"&(PP_TOOL", {}},
      {"&(PP_TOOL)", {}},
      {"& ( PP_TOOL,0)", {}},
      {"&", {}},
      {"", {}},
      {"A\r\n&(PP_TOOL,0)\r\n&(PP_DATE,", {{3, 2, kBlue}, {5, 7, kGreen}}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceholderColours(c.text), c.spans) << c.text;
}

TEST(PlaceholderColours, PaneIsColouredAndTheCaretStays) {
  common::MemoryTextPane pane("M6\r\nT&(PP_TOOL,0) &(BAD,0)");
  pane.select(0, 12);
  pane.setSelColor(0x123456);
  pane.select(7, 3);
  ColourPlaceholders(pane);
  EXPECT_EQ(pane.selStart(), 7u);
  EXPECT_EQ(pane.selLength(), 3u);
  const std::uint32_t expected[] = {
      0,      0, 0, 0, 0, kBlue, kBlue, kGreen, kGreen, kGreen, kGreen, kGreen, kGreen,
      kGreen, 0, 0, 0, 0, kBlue, kBlue, kRed,   kRed,   kRed,   0,      0,      0};
  ASSERT_EQ(pane.length(), std::size(expected));
  for (std::size_t i = 0; i < pane.length(); ++i) EXPECT_EQ(pane.colourAt(i), expected[i]) << i;
  // Typing goes on in the plain colour.
  pane.setSelText("X");
  EXPECT_EQ(pane.colourAt(7), 0u);
}

}  // namespace
}  // namespace ordalis::texttools
