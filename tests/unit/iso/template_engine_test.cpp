#include "core/iso/template_engine.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/iso/run_state.h"
#include "core/ppdef/definition.h"
#include "core/tools/tool_table.h"

namespace ordalis::iso {
namespace {

class TemplateEngineTest : public ::testing::Test {
 protected:
  TemplateEngineTest() {
    def.PP_SPACE = " ";
    def.FORMAT_PP_X = "X#0.000";
    def.FORMAT_PP_Y = "Y#0.000";
    def.FORMAT_PP_Z = "Z#0.000";
    def.PP_F = "F#0";
    def.FORMAT_PP_N = "N#0";
    def.NUM_ORIGINE = 0;
    def.NUM_INCR = 10;
    def.NUM_MAX = 9999;
    state.reset(def);
  }
  ppdef::PostProcessorDefinition def;
  RunState state;
  tools::ToolTable tools;
  TemplateEngine engine{def, state, tools};
};

TEST(ParseTemplate, SplitsLiteralsAndPlaceholders) {
  std::vector<std::string> parts;
  TemplateHandler h;
  h.literal = [&](std::string_view t) { parts.push_back("L:" + std::string(t)); };
  h.placeholder = [&](std::string_view n, std::string_view p, std::string_view w) {
    parts.push_back("P:" + std::string(n) + "|" + std::string(p) + "|" + std::string(w));
  };
  ParseTemplate("T&(PP_TOOL,0) M6 &(\"G0,1\",X~) &(BROKEN", h);
  ASSERT_EQ(parts.size(), 5u);
  EXPECT_EQ(parts[0], "L:T");
  EXPECT_EQ(parts[1], "P:PP_TOOL|0|&(PP_TOOL,0)");
  EXPECT_EQ(parts[2], "L: M6 ");
  EXPECT_EQ(parts[3], "P:\"G0,1\"|X~|&(\"G0,1\",X~)");
  EXPECT_EQ(parts[4], "L: &(BROKEN");
}

TEST_F(TemplateEngineTest, SubstitutesByExactName) {
  tools::ToolRecord& t = tools.add();
  t.length = 120.5f;
  t.cuttingLength = 30;
  t.diameter = 10;
  t.programmedDiameter = 9.5f;
  t.name = "MILL D10";
  state.requestedTool = 7;
  EXPECT_EQ(
      engine.expandFull("L&(TOOL_LG,0.0) C&(TOOL_LG_CUT,0.0) D&(TOOL_DIAM,) P&(TOOL_DIAM_PRO,)"),
      "L120.5 C30.0 D10 P9.5");
  EXPECT_EQ(engine.expandFull("T&(PP_TOOL,00) (&(TOOL_NAME,0.000))"), "T07 (MILL D10)");
  // Unknown names, names of another set and incomplete placeholders stay as written.
  EXPECT_EQ(engine.expandFull("&(PP_NOPE,0) &(PP_ORIGIN_X,0) &(PP_X"),
            "&(PP_NOPE,0) &(PP_ORIGIN_X,0) &(PP_X");
  EXPECT_EQ(engine.expandTool("&(PP_X,0) &(PP_TOOL,0)"), "&(PP_X,0) 7");
  EXPECT_EQ(engine.expandFull(""), "");
}

TEST_F(TemplateEngineTest, InsertedTextIsNeverExpandedAgain) {
  state.partName = "PART &(PP_PARTNO,) \\n &(PP_N_LIGNE,N0)";
  EXPECT_EQ(engine.expandFull("%&(PP_PARTNO,)\\nEND"),
            "%PART &(PP_PARTNO,) \\n &(PP_N_LIGNE,N0)\r\nEND");
  EXPECT_EQ(state.lineCounter, 0);
}

TEST_F(TemplateEngineTest, ValuesTypesAndFlags) {
  state.X = 1.5;
  def.XDiameterFactor = 2;
  state.feedRate = 250;
  state.feedPending = true;
  state.toolChangePending = true;
  state.pointPending = true;
  state.spindleState = 1;
  state.spindle = "M3";
  EXPECT_EQ(engine.expandFull("X&(PP_X,0.000) &(VALID_PT,0) F&(PP_FEEDRATE,0)"), "X3.000 -1 F250");
  EXPECT_FALSE(state.pointPending);
  EXPECT_FALSE(state.feedPending);
  EXPECT_FALSE(state.toolChangePending);  // any substitution consumes it
  EXPECT_EQ(state.spindleState, 1);
  EXPECT_EQ(engine.expandFull("&(PP_SPINDLE,#0.0)"), "M3");  // texts ignore numeric patterns
  EXPECT_EQ(state.spindleState, 0);
  EXPECT_EQ(engine.expandFull("&(VALID_CIRCLE,)"), "False");
}

TEST_F(TemplateEngineTest, DateAndTimeFollowTheirPatterns) {
  std::tm tm{};
  tm.tm_year = 2024 - 1900;
  tm.tm_mon = 2;
  tm.tm_mday = 7;
  tm.tm_hour = 9;
  tm.tm_min = 5;
  tm.tm_sec = 3;
  tm.tm_isdst = -1;
  engine.setClock(std::mktime(&tm));
  EXPECT_EQ(engine.expandFull("&(PP_DATE,) &(PP_TIME,) &(PP_DATE,yyyy-mm-dd) &(PP_TIME,hh:mm)"),
            "07/03/2024 09:05:03 2024-03-07 09:05");
}

TEST_F(TemplateEngineTest, AxisMarkers) {
  state.outputX = true;
  state.outputZ = true;
  EXPECT_EQ(engine.expandFull("G28&(0,X~)&(0,Y~)&(5,Z~)&(0,X~)"), "G28 X0.000 Z5.000");
  EXPECT_FALSE(state.outputX);
  EXPECT_FALSE(state.outputZ);
  EXPECT_EQ(engine.expandFull("G28&(0,X~)"), "G28");
  state.outputY = true;
  EXPECT_EQ(engine.expandFull("G53&(\" Y=HOME\",Y~)"), "G53 Y=HOME");
}

TEST_F(TemplateEngineTest, FeedMarkers) {
  state.feedRate = 300;
  state.feedPending = true;
  // The marker is resolved before PP_FEEDRATE consumes the flag.
  EXPECT_EQ(engine.expandFull("G1&(0,F~) (&(PP_FEEDRATE,0))"), "G1 F300 (300)");
  EXPECT_FALSE(state.feedPending);
  EXPECT_EQ(engine.expandFull("G1&(0,F~)"), "G1");
  EXPECT_EQ(engine.expandFull("G1&(5000,F!)"), "G1 F5000");
  state.feedPending = true;
  EXPECT_EQ(engine.expandFull("G1&(5000,F!)&(0,F~)"), "G1 F300");
}

TEST_F(TemplateEngineTest, LineNumberPlaceholders) {
  EXPECT_EQ(engine.expandFull("&(PP_N_LIGNE,N0) T1 M6\r\n&(PP_N_LIGNE,N0)\r\n&(PP_N_LIGNE,N0) G0"),
            "N10 T1 M6\r\nN20 G0");
  EXPECT_EQ(state.lineCounter, 20);
  // No wrap at NUM_MAX here.
  def.NUM_MAX = 15;
  EXPECT_EQ(engine.numberPlaceholders("&(PP_N_LIGNE,N0) M30"), "N30 M30");
  // A number with nothing after it on its line goes with its line break, whatever stands before it.
  EXPECT_EQ(engine.numberPlaceholders("M5 &(PP_N_LIGNE,N0)\r\nM9"), "M5 M9");
  EXPECT_EQ(engine.numberPlaceholders("M5 &(PP_N_LIGNE,N0)  \r\nM9"), "M5 M9");
  EXPECT_EQ(engine.numberPlaceholders("  &(PP_N_LIGNE,N0)\r\nM9"), "M9");
  EXPECT_EQ(engine.numberPlaceholders("M30 &(PP_N_LIGNE,N0)"), "M30 ");
}

TEST_F(TemplateEngineTest, AutomaticNumbering) {
  def.OPTION_SORTIE_N = true;
  def.NUM_ORIGINE = 100;
  def.NUM_MAX = 120;
  state.reset(def);
  EXPECT_EQ(engine.numberBlock("  G1 X0"), "N110 G1 X0");
  EXPECT_EQ(engine.numberBlock("G1 X1"), "N120 G1 X1");
  EXPECT_EQ(engine.numberBlock("G1 X2"), "N100 G1 X2");
  EXPECT_EQ(engine.numberBlock(""), "");
  state.printPending = true;
  EXPECT_EQ(engine.numberBlock(" (NOTE)"), "(NOTE)");
  EXPECT_FALSE(state.printPending);
  def.OPTION_SORTIE_N_COMMENT = true;
  state.commentPending = true;
  EXPECT_EQ(engine.numberBlock("(NOTE)"), "N110 (NOTE)");
  def.OPTION_SORTIE_N = false;
  EXPECT_EQ(engine.numberBlock("  M5&n M9\r\n  M30"), "M5\r\nM9\r\n M30");
}

TEST_F(TemplateEngineTest, CycleAndCircleSets) {
  state.cycle.pointZ = 2;
  state.cycle.depth = 10;
  state.cycle.clearance = 3;
  state.cycle.pointX = 4;
  EXPECT_EQ(engine.expandCycle(
                "Z&(PP_CYCLE_Z-PP_CYCLE_DEPTH,0.0) R&(PP_CYCLE_CLEARENCE+PP_CYCLE_DEPTH,0) "
                "Q&(-PP_CYCLE_DEPTH,0) X&(PP_CYCLE_X,0)"),
            "Z-8.0 R13 Q-10 X4");
  state.arc.codeText = "G3";
  state.arc.relativeCentre = {-5, 0, 0};
  state.arc.end = {0, 5, 0};
  state.arc.radius = 5;
  EXPECT_EQ(
      engine.expandCircle("&(PP_CODE_CERCLE,) X&(PP_POINT_CIRCLE_X,0.0) Y&(PP_POINT_CERCLE_Y,0.0) "
                          "I&(PP_CENTER_RELATIF_X,0.0) R&(PP_RADIUS_CIRCLE,0)"),
      "G3 X0.0 Y5.0 I-5.0 R5");
  state.originX = 12;
  state.originShift = 55;
  EXPECT_EQ(engine.expandOrigin("G&(PP_DEC_ORIGIN,0) X&(PP_ORIGIN_X,0.0)"), "G55 X12.0");
}

}  // namespace
}  // namespace ordalis::iso

namespace ordalis::iso {
namespace {

TEST_F(TemplateEngineTest, InclinedPlaneVariables) {
  // A plane through (10, -30, 20) tilted 30 degrees about X: spatial A 30, Euler 0 30 0.
  state.multiAxis.plane.frame = {kinematics::RotationX(30), {10, -30, 20}};
  EXPECT_EQ(engine.expandFull("G68.2 X&(PP_PLANE_X,0.0) Y&(PP_PLANE_Y,0.0) Z&(PP_PLANE_Z,0.0) "
                              "I&(PP_PLANE_EULER_1,0.0) J&(PP_PLANE_EULER_2,0.0) "
                              "K&(PP_PLANE_EULER_3,0.0)"),
            "G68.2 X10.0 Y-30.0 Z20.0 I0.0 J30.0 K0.0");
  EXPECT_EQ(engine.expandFull("PLANE SPATIAL SPA&(PP_PLANE_A,+0.0) SPB&(PP_PLANE_B,+0.0) "
                              "SPC&(PP_PLANE_C,+0.0)"),
            "PLANE SPATIAL SPA+30.0 SPB+0.0 SPC+0.0");
  // Known by the code edit window; the variables of the full set only.
  for (const char* name : {"PP_PLANE_X", "PP_PLANE_C", "PP_PLANE_EULER_3"}) {
    EXPECT_TRUE(IsTemplateVariable(name)) << name;
  }
  EXPECT_EQ(engine.expandCycle("&(PP_PLANE_X,0.0)"), "&(PP_PLANE_X,0.0)");
}

}  // namespace
}  // namespace ordalis::iso
