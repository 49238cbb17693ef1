// What a real machine needs beyond the letter of the rules: each case is a decision's example run
// through the whole engine, with the program it must give. The definition is a small Fanuc-like
// one whose every code is visible, so each line of the output says which rule wrote it.
#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "core/app/block_sink.h"
#include "core/app/context.h"
#include "core/app/processing_driver.h"
#include "core/l10n/strings.h"

namespace ordalis::app {
namespace {

struct SafetyTest : ::testing::Test, AppFixture {
  RunOutcome outcome = RunOutcome::kDone;
  SafetyTest() {
    ctx.strings.setLanguage(l10n::kEnglish);
    auto& d = ctx.definition;
    d.OPTION_CORRECTEUR_DEBUT_LIGNE = true;
    d.PP_SPACE = " ";
    d.OPTION_COMPR = true;
    d.OPTION_FLUID = true;
    d.PP_COMMENT_1 = "(";
    d.PP_COMMENT_2 = ")";
    d.PP_PARTNO = "(&(PP_PARTNO,))";
    d.PP_G00 = "G0";
    d.PP_G01 = "G1";
    d.PP_G90 = "G90";
    d.PP_G91 = "G91";
    d.PP_ARC_R = "G2";
    d.PP_ARC_L = "G3";
    d.PP_F = "F#0.0";
    d.FORMAT_PP_X = "X#0.0";
    d.FORMAT_PP_Y = "Y#0.0";
    d.FORMAT_PP_Z = "Z#0.0";
    d.FORMAT_CERCLE =
        "&(PP_CODE_CERCLE,) X&(PP_POINT_CERCLE_X,0.0) Y&(PP_POINT_CERCLE_Y,0.0) "
        "I&(PP_CENTRE_RELATIF_X,0.0) J&(PP_CENTRE_RELATIF_Y,0.0)";
    d.CHANGE_OUTIL = "T&(PP_TOOL,0) M6";
    d.ANNUL_OUTIL = "M5\r\nM9";
    d.PREMIER_POINT =
        "G0 X&(PP_FIRST_X,0.0) Y&(PP_FIRST_Y,0.0)\r\n"
        "G43 H&(PP_H_REGISTER,0) Z&(PP_FIRST_Z,0.0)";
    d.SPINDLE_ON = "S&(PP_S_SPINDLE,0) &(PP_SPINDLE,)";
    d.SPINDLE_OFF = "M5";
    d.PP_SPINDLE_CW = "M3";
    d.PP_SPINDLE_CCW = "M4";
    d.PP_SPINDLE_OFF = "M5";
    d.PP_CSS_ON = "G96 S#0";
    d.PP_CSS_OFF = "G97";
    d.PP_FLUID_ON = "M8";
    d.PP_FLUID_OFF = "M9";
    d.PP_FLUID_FLOOD = "M8";
    d.PP_FLUID_AIR = "M7";
    d.PP_RCORR_L = "G41 D&(PP_D_REGISTER,0)";
    d.PP_RCORR_R = "G42 D&(PP_D_REGISTER,0)";
    d.PP_RCORR_OFF = "G40";
    d.PP_G54_G57 = "G#0";
    d.PP_DEC_ORIGIN = 53;
    d.PP_ORIGIN = "G52 X&(PP_ORIGIN_X,0.0) Y&(PP_ORIGIN_Y,0.0) Z&(PP_ORIGIN_Z,0.0)";
    d.MACRO_GOHOME = "G28";
    d.PP_END = "M30";
    d.PP_CYCLE_DRILL =
        "G98 G81 X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0) "
        "Z&(PP_CYCLE_Z-PP_CYCLE_DEPTH,0.0) R&(PP_CYCLE_Z+PP_CYCLE_CLEARENCE,0.0)";
    d.PP_CYCLE_TAP =
        "G84 X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0) Z&(PP_CYCLE_Z-PP_CYCLE_DEPTH,0.0) "
        "F&(PP_CYCLE_FEED,0.0##) (PITCH &(PP_CYCLE_PITCH,0.0##))";
    d.PP_CYCLE = "X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0)";
    d.PP_CYCLE_OFF = "G80";
  }
  std::string run(const std::string& apt) {
    log.clear();
    StringBlockSink sink;
    outcome = ConvertStatements(ctx, apt, sink);
    std::string out = sink.text();
    for (std::size_t at = out.find("\r\n"); at != std::string::npos; at = out.find("\r\n", at))
      out.replace(at, 2, "\n");
    return out;
  }
};

struct Case {
  const char* decision;
  const char* apt;
  const char* iso;
};

// D40: a cycle never outlives its tool, its program, GOHOME or an origin change. D41: a first
// point that is a hole still goes over it with the new tool's length, at the height it clears at.
TEST_F(SafetyTest, CyclesEndWithTheirToolAndTheFirstHoleIsApproached) {
  const char* drill = "LOADTL/1\nRAPID\nGOTO/0,0,10\nCYCLE/DRILL,5,2,MMPM,100\nGOTO/1,1,0\n";
  const Case cases[] = {
      {"D40 tool change",
       "LOADTL/1\nRAPID\nGOTO/0,0,10\nCYCLE/DRILL,5,2,MMPM,100\nGOTO/1,1,0\n"
       "LOADTL/2\nGOTO/5,5,10\nGOTO/6,5,10\n",
       "T1 M6\nG0 X0.0 Y0.0\nG43 H1 Z10.0\nG98 G81 X1.0 Y1.0 Z-5.0 R2.0\nG80\n"
       "M5\nM9\nT2 M6\nG0 X5.0 Y5.0\nG43 H2 Z10.0\nG1 X6.0\n"},
      {"D40 END", "",
       "T1 M6\nG0 X0.0 Y0.0\nG43 H1 Z10.0\nG98 G81 X1.0 Y1.0 Z-5.0 R2.0\nG80\nM30\n"},
      {"D40 GOHOME", "",
       "T1 M6\nG0 X0.0 Y0.0\nG43 H1 Z10.0\nG98 G81 X1.0 Y1.0 Z-5.0 R2.0\nG80\nG28\n"},
      {"D40 ORIGIN", "",
       "T1 M6\nG0 X0.0 Y0.0\nG43 H1 Z10.0\nG98 G81 X1.0 Y1.0 Z-5.0 R2.0\nG80\nG55\n"},
      {"D40 end of the program", "",
       "T1 M6\nG0 X0.0 Y0.0\nG43 H1 Z10.0\nG98 G81 X1.0 Y1.0 Z-5.0 R2.0\nG80\n"},
      {"D41",
       "LOADTL/3\nCYCLE/DRILL,FEDTO,5,RAPTO,2,RTRCTO,15,MMPM,100\nGOTO/20,20,0\nGOTO/30,20,0\n"
       "CYCLE/OFF\n",
       "T3 M6\nG0 X20.0 Y20.0\nG43 H3 Z15.0\nG98 G81 X20.0 Y20.0 Z-5.0 R2.0\nX30.0 Y20.0\nG80\n"},
  };
  const char* tails[] = {"", "END\n", "GOHOME\n", "ORIGIN/FIXTUR,2\n", ""};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const std::string apt = i >= 1 && i <= 4 ? std::string(drill) + tails[i] : c.apt;
    EXPECT_EQ(run(apt), c.iso) << c.decision;
  }
}

// D42: a tool axis a vertical machine cannot take stops the run, the statement named; TLAXIS keeps
// its working-plane meaning.
TEST_F(SafetyTest, TiltedToolAxesStopAThreeAxisRun) {
  ctx.definition.PP_G18 = "G18";
  EXPECT_EQ(run("GOTO/1,2,3,0,0,1\nGOTO/1,2,4,0,0,-1\nGOTO/9,9,9\n"), "G1 X1.0 Y2.0 Z3.0\n");
  EXPECT_EQ(outcome, RunOutcome::kInterrupted);
  ASSERT_EQ(log.lines().size(), 1u);
  EXPECT_EQ(log.lines()[0],
            "Tool axis other than +Z on a machine without rotary axes, run stopped : "
            "GOTO/1,2,4,0,0,-1");
  EXPECT_EQ(run("TLAXIS/0,1,0\nGOTO/1,2,3\n"), "G18\nG1 X1.0 Y2.0 Z3.0\n");
  EXPECT_EQ(outcome, RunOutcome::kDone);
}

// D43 and D49: after ORIGIN or SELECT every axis is stated; SELECT/2 is the second work offset.
TEST_F(SafetyTest, EveryAxisAfterAnOriginChange) {
  EXPECT_EQ(run("GOTO/1,2,3\nORIGIN/10,0,0\nGOTO/1,2,3\nSELECT/2\nGOTO/1,2,3\nGOTO/1,5,3\n"),
            "G1 X1.0 Y2.0 Z3.0\nG52 X10.0 Y0.0 Z0.0\nX1.0 Y2.0 Z3.0\nG55\nX1.0 Y2.0 Z3.0\nY5.0\n");
}

// D44 and D45: spindle forms, surface speed, and what a tool change stopped started again.
TEST_F(SafetyTest, SpindleAndCoolantAsTheMachineNeedsThem) {
  const Case cases[] = {
      {"D44 speed first, no direction", "SPINDL/1200\n", "S1200 M3\n"},
      {"D44 speed after RPM, words logged", "SPINDL/RPM,3000,CCLW,RANGE,2\n", "S3000 M4\n"},
      {"D44 ON restarts", "SPINDL/800,CCLW\nSPINDL/OFF\nSPINDL/ON\n", "S800 M4\nM5\nS800 M4\n"},
      {"D44 surface speed and back", "SPINDL/SMM,200,CLW\nSPINDL/1000\n",
       "G96 S200 M3\nG97\nS1000 M3\n"},
      {"D45 restart", "SPINDL/1000\nCOOLNT/ON\nLOADTL/1\nLOADTL/2\nGOTO/1,2,3\n",
       "S1000 M3\nM8\nT1 M6\nM5\nM9\nT2 M6\nS1000 M3\nM8\nG0 X1.0 Y2.0\nG43 H2 Z3.0\n"},
      {"D45 stated again", "SPINDL/1000\nLOADTL/1\nSPINDL/2000\nGOTO/1,2,3\n",
       "S1000 M3\nT1 M6\nS2000 M3\nG0 X1.0 Y2.0\nG43 H1 Z3.0\n"},
      {"D51 coolant words", "COOLNT/MIST\nCOOLNT/FLOOD,OFF\nCOOLNT/THRU\n", "M7\nM9\nM8\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(run(c.apt), c.iso) << c.decision;
  run("COOLNT/THRU\n");
  EXPECT_EQ(log.lines().size(), 1u);  // flood for want of PP_FLUID_THRU, said so
  ctx.definition.PP_CSS_ON.clear();
  EXPECT_EQ(run("SPINDL/SFM,300\nGOTO/1,2,3\n"), "");
  EXPECT_EQ(outcome, RunOutcome::kInterrupted);
}

// D46: a tap's feed follows its pitch and the spindle speed; D47: the registers the program names.
TEST_F(SafetyTest, TappingFeedsAndRegisters) {
  EXPECT_EQ(run("SPINDL/400\nCYCLE/TAP,DEPTH,14,PITCH,1.75,MMPM,600,CLEAR,5\nGOTO/1,1,0\n"
                "CYCLE/TAP,DEPTH,14,MMPR,1.25,CLEAR,5\nGOTO/2,1,0\nCYCLE/OFF\n"),
            "S400 M3\nG84 X1.0 Y1.0 Z-14.0 F700.0 (PITCH 1.75)\n"
            "G84 X2.0 Y1.0 Z-14.0 F500.0 (PITCH 1.25)\nG80\n");
  run("CYCLE/TAP,DEPTH,14,CLEAR,5\n");
  EXPECT_EQ(log.lines().size(), 1u);  // neither a pitch nor a feed
  EXPECT_EQ(run("LOADTL/2,12\nGOTO/1,2,3\nCUTCOM/LEFT,22\nGOTO/4,2,3\nCUTCOM/RIGHT\nGOTO/5,2,3\n"
                "LOADTL/3,ADJUST,13\nGOTO/1,2,3\n"),
            "T2 M6\nG0 X1.0 Y2.0\nG43 H12 Z3.0\nG41 D22 G1 X4.0\nG42 D2 X5.0\n"
            "M5\nM9\nT3 M6\nG0 X1.0 Y2.0\nG43 H13 Z3.0\n");
}

// D48: an arc that rounds to nothing is a straight move; D52: compensation starting on an arc goes
// on the arc's block, with a warning; D50: outside texts never end a comment.
TEST_F(SafetyTest, ArcsCompensationAndComments) {
  EXPECT_EQ(run("GOTO/10,0,0\nCIRCLE/10,0.0002,0,0,0,1,0.0002\nGOTO/10.0004,0,0\n"
                "CIRCLE/0,0,0,0,0,1,10\nGOTO/0,10,0\n"),
            "G1 X10.0 Y0.0 Z0.0\nG1 X10.0\nG3 X0.0 Y10.0 I-10.0 J0.0\n");
  EXPECT_EQ(run("GOTO/10,0,0\nCUTCOM/LEFT,5\nCIRCLE/0,0,0,0,0,1,10\nGOTO/0,10,0\nGOTO/0,20,0\n"),
            "G1 X10.0 Y0.0 Z0.0\nG41 D5 G3 X0.0 Y10.0 I-10.0 J0.0\nG1 Y20.0\n");
  ASSERT_EQ(log.lines().size(), 1u);
  EXPECT_NE(log.lines()[0].find("Cutter compensation"), std::string::npos);
  EXPECT_EQ(run("PARTNO BRACKET (REV A)\n"), "(BRACKET  REV A )\n");
}

}  // namespace
}  // namespace ordalis::app
