#include "core/iso/block_generator.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/run_fixture.h"

namespace ordalis::iso {
namespace {

// The state is set as the statement handlers leave it; the generator's output is what we check.
class GeneratorTest : public ::testing::Test, public test::RunFixture {
 protected:
  GeneratorTest() {
    auto& d = def;
    d.PP_SPACE = " ";
    d.FORMAT_PP_X = "X#0.000";
    d.FORMAT_PP_Y = "Y#0.000";
    d.FORMAT_PP_Z = "Z#0.000";
    d.FORMAT_PP_A = "A#0.000";
    d.FORMAT_PP_B = "B#0.000";
    d.FORMAT_PP_C = "C#0.000";
    d.PP_G00 = "G0";
    d.PP_G01 = "G1";
    d.PP_G90 = "G90";
    d.PP_G91 = "G91";
    d.PP_F = "F#0";
    d.FORMAT_PP_N = "N#0";
    d.NUM_INCR = 10;
    d.NUM_MAX = 99999;
    d.OPTION_COMPR = true;
    ctx.state.reset(d);
  }
  std::string run() { return gen.generate(); }
  // GOTO as its handler leaves the state.
  std::string go(double x, double y, double z) {
    RunState& s = ctx.state;
    if (s.motionCode < 1000) {
      if (s.motionCode != 1) s.gWordPending = true;
      if ((s.motionCode <= 1 && s.motionCode != -1) || s.motionCode == 91) s.motionCode = 1;
    }
    s.X = x;
    s.Y = y;
    s.Z = z;
    s.pointPending = true;
    s.cutcomJustRead = false;
    if (s.toolJustLoaded) {
      s.toolJustLoaded = false;
      s.firstPointPending = true;
      s.firstX = x;
      s.firstY = y;
      s.firstZ = z;
    }
    return run();
  }
  std::string fedrat(double f) {
    RunState& s = ctx.state;
    s.gWordPending = true;
    s.feedPending = true;
    s.feedRate = f;
    s.feedBlockText = FormatAddress(f, def.PP_CODE_F);
    s.pendingFText = FormatAddress(f, def.PP_F);
    if (!s.cycleMode) s.motionCode = 1;
    return run();
  }
  std::string rapid() {
    RunState& s = ctx.state;
    s.motionCode = s.motionCode == 0 ? 1000 : s.motionCode + 1000;
    s.gWordPending = true;
    return run();
  }
  std::string loadtl(int tool) {
    RunState& s = ctx.state;
    s.requestedTool = static_cast<std::int16_t>(tool);
    ++s.toolLoadsSeen;
    s.toolChangePending = true;
    s.toolJustLoaded = true;
    return run();
  }

  TemplateEngine engine{ctx.definition, ctx.state, ctx.tools};
  BlockGenerator gen{ctx, engine};
};

TEST_F(GeneratorTest, CompressionFeedAndOneSeparator) {
  EXPECT_EQ(fedrat(200), "");
  EXPECT_EQ(go(10, 20, 5), "G1 X10.000 Y20.000 Z5.000 F200");
  EXPECT_EQ(go(10, 20, 5), "");
  EXPECT_EQ(go(10, 25, 5), "Y25.000");
  EXPECT_EQ(fedrat(300), "");
  EXPECT_EQ(go(10, 25, 5), "G1 F300");  // FEDRAT asks for the G word too
  def.OPTION_COMPR = false;
  EXPECT_EQ(go(10, 25, 5), "G1 X10.000 Y25.000 Z5.000");
  def.PP_SPACE = "";
  EXPECT_EQ(go(1, 2, 3), "G1X1.000Y2.000Z3.000");
}

TEST_F(GeneratorTest, FirstBlockOfEveryRunWritesAllAxes) {
  // Nothing is known of the machine at the start of a run: the motion and every axis are written.
  EXPECT_EQ(go(0, 0, 0), "G1 X0.000 Y0.000 Z0.000");
  EXPECT_EQ(go(0, 0, 0), "");
  ctx.state.reset(ctx.definition);
  EXPECT_EQ(go(0, 0, 0), "G1 X0.000 Y0.000 Z0.000");
}

TEST_F(GeneratorTest, RapidWithAndWithoutOptionRapide) {
  go(0, 0, 0);
  rapid();
  EXPECT_EQ(go(0, 0, 50), "G0 Z50.000");
  EXPECT_EQ(go(0, 0, 10), "G1 Z10.000");
  auto& d = def;
  d.OPTION_RAPIDE = true;
  d.PP_CODE_FMAX = "M130";
  d.PP_FMAX = "F9999";
  rapid();
  EXPECT_EQ(go(0, 0, 60), "M130 G1 Z60.000 F9999");
  EXPECT_EQ(ctx.state.feedRate, 999999.0);
}

TEST_F(GeneratorTest, IncrementalAndBackToAbsolute) {
  go(10, 0, 0);
  RunState& s = ctx.state;
  s.motionCode = 91;
  s.gWordPending = true;
  s.X = 5;
  s.Y = 0;
  s.Z = 0;
  s.pointPending = true;
  EXPECT_EQ(run(), "G91 G1 X5.000 Y0.000 Z0.000");
  EXPECT_EQ(s.prevX, 15);
  EXPECT_EQ(go(20, 0, 0), "G90 G1 X20.000");
  EXPECT_FALSE(s.incremental);
}

TEST_F(GeneratorTest, AddressOrderAndRotaryAxes) {
  auto& d = def;
  d.RotaryAxisInUse = {true, false, true};
  d.PP_ORDER = "NGZYXIJKRCBAF";
  d.AddressPosition = {1, 2, 5, 4, 3, 6, 7, 8, 9, 12, 11, 10, 13};
  ctx.state.A = 30;
  ctx.state.C = 90;
  fedrat(100);
  EXPECT_EQ(go(1, 2, 3), "G1 Z3.000 Y2.000 X1.000 C90.000 A30.000 F100");
  d.AddressPosition[ppdef::kX] = 0;  // a letter missing from the order comes first
  ctx.state.gWordPending = true;
  EXPECT_EQ(go(4, 2, 3), "X4.000 G1");
  ctx.state.I = ctx.state.J = ctx.state.K = 0;  // no tool axis: no angle words
  ctx.state.A = 45;
  ctx.state.gWordPending = true;
  EXPECT_EQ(go(5, 2, 3), "X5.000 G1");
}

TEST_F(GeneratorTest, NumberingAndBlocksAlreadyNumbered) {
  auto& d = def;
  d.OPTION_SORTIE_N = true;
  d.NUM_ORIGINE = 0;
  ctx.state.reset(d);
  EXPECT_EQ(go(1, 2, 3), "N10 G1 X1.000 Y2.000 Z3.000");
  ctx.state.insertText = "N5 G4 P1   ";
  ctx.state.insertPending = true;
  EXPECT_EQ(run(), "N20 N5 G4 P1");  // an INSERT text is numbered as it stands
  d.PP_FROM = "N99 G0 X0";
  ctx.state.fromPending = true;
  EXPECT_EQ(run(), "N99 G0 X0");
  d.PP_FROM = "100 G0 X0";
  ctx.state.fromPending = true;
  EXPECT_EQ(run(), "100 G0 X0");
}

TEST_F(GeneratorTest, ToolChangeReloadAndUnload) {
  auto& d = def;
  d.CHANGE_OUTIL = "T&(PP_TOOL,0) M6";
  d.RECHARGE_OUTIL = "(RELOAD T&(PP_TOOL,0))";
  d.ANNUL_OUTIL = "M5 M9";
  d.PREMIER_POINT = "G0 X&(PP_FIRST_X,0.0) Y&(PP_FIRST_Y,0.0)";
  EXPECT_EQ(loadtl(1), "T1 M6");
  EXPECT_EQ(go(5, 6, 7), "G0 X5.0 Y6.0");
  EXPECT_EQ(go(5, 6, 2), "G1 Z2.000");  // PREMIER_POINT left motion code 0 and the point known
  EXPECT_EQ(loadtl(1), "(RELOAD T1)");
  EXPECT_EQ(loadtl(2), "M5 M9\r\nT2 M6");
  d.ANNUL_OUTIL = "M5 M9\r\n";
  EXPECT_EQ(loadtl(3), "M5 M9\r\nT3 M6");
  // After a tool change the next move writes its G word again.
  ctx.state.toolJustLoaded = false;
  EXPECT_EQ(go(5, 6, 9), "G1 Z9.000");
}

TEST_F(GeneratorTest, HomeAndFromForgetThePosition) {
  auto& d = def;
  d.MACRO_GOHOME = "G28&(0,X~)&(0,Y~)&(0,Z~)";
  go(1, 2, 3);
  ctx.state.gohomePending = true;
  ctx.state.outputZ = true;
  EXPECT_EQ(run(), "G28 Z0.000");
  EXPECT_EQ(go(1, 2, 3), "G1 X1.000 Y2.000 Z3.000");
  d.PP_FROM = "G0 G53 Z0";
  ctx.state.fromPending = true;
  EXPECT_EQ(run(), "G0 G53 Z0");
  EXPECT_EQ(go(1, 2, 3), "G1 X1.000 Y2.000 Z3.000");
}

TEST_F(GeneratorTest, CannedCycle) {
  auto& d = def;
  d.PP_CYCLE_DRILL =
      "G81 X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0) Z&(PP_CYCLE_Z-PP_CYCLE_DEPTH,0.0) "
      "R&(PP_CYCLE_CLEARENCE+PP_CYCLE_Z,0.0) F&(PP_CYCLE_FEED,0)";
  d.PP_CYCLE = "X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0)";
  d.PP_CYCLE_OFF = "G80";
  fedrat(500);
  go(0, 0, 50);
  RunState& s = ctx.state;
  s.cycleMode = true;
  s.motionCode = 81;
  s.cycle.kindCode = 81;
  s.cycle.depth = 10;
  s.cycle.clearance = 2;
  s.cycle.feed = 80;
  EXPECT_EQ(run(), "");
  EXPECT_EQ(go(10, 10, 0), "G81 X10.0 Y10.0 Z-10.0 R2.0 F80");
  EXPECT_EQ(go(20, 10, 0), "X20.0 Y10.0");
  EXPECT_EQ(fedrat(500), "");
  EXPECT_EQ(go(30, 10, 0), "X30.0 Y10.0");
  s.motionCode = 80;
  EXPECT_EQ(run(), "G80");
  EXPECT_FALSE(s.cycleMode);
  // After the cancel: every axis, the G word and the feed again.
  EXPECT_EQ(go(30, 10, 0), "G1 X30.000 Y10.000 Z0.000 F500");
}

TEST_F(GeneratorTest, FeedOnItsOwnBlockAfterCycleCancel) {
  auto& d = def;
  d.PP_CODE_F = "F#0";
  d.PP_F = "";
  d.PP_CYCLE_OFF = "G80";
  EXPECT_EQ(fedrat(150), "F150");
  RunState& s = ctx.state;
  s.cycleMode = true;
  s.motionCode = 80;
  EXPECT_EQ(run(), "G80\r\nF150");
  EXPECT_FALSE(s.feedPending);
}

TEST_F(GeneratorTest, RadiusCorrectionPlacement) {
  auto& d = def;
  RunState& s = ctx.state;
  go(0, 0, 0);
  d.OPTION_CORRECTEUR_DEBUT_LIGNE = true;
  s.correction = "G41";
  s.correctionPending = true;
  s.cutcomJustRead = true;
  EXPECT_EQ(run(), "");
  EXPECT_EQ(go(5, 0, 0), "G41 X5.000");
  // Correction pending at a move whose CUTCOM mark is still set: after the G word, never instead.
  s.correctionPending = true;
  s.cutcomJustRead = true;
  s.motionCode = 0;
  s.gWordPending = true;
  s.X = 6;
  s.pointPending = true;
  EXPECT_EQ(run(), "G1 G41 X6.000");
  d.OPTION_CORRECTEUR_DEBUT_LIGNE = false;
  d.OPTION_CORRECTEUR_FIN_LIGNE = true;
  s.correction = "G40";
  s.correctionPending = true;
  EXPECT_EQ(go(7, 0, 0), "G1 X7.000 G40");
}

TEST_F(GeneratorTest, CommentsAndPrints) {
  auto& d = def;
  d.PP_COMMENT_1 = "(";
  d.PP_COMMENT_2 = ")";
  d.OPTION_SORTIE_N = true;
  RunState& s = ctx.state;
  s.comment = "ROUGH (10 MM)";
  s.printPending = true;
  EXPECT_EQ(run(), "( ROUGH  10 MM  )");
  s.comment = "NOTE";
  s.commentPending = true;
  EXPECT_EQ(run(), "");  // "$$" comments need OPTION_COMMENTAIRE
  d.OPTION_COMMENTAIRE = true;
  d.PP_SPACE = "";
  s.commentPending = true;
  EXPECT_EQ(run(), "(NOTE)");
  d.OPTION_SORTIE_N_COMMENT = true;
  s.commentPending = true;
  EXPECT_EQ(run(), "N10(NOTE)");
}

TEST_F(GeneratorTest, DelayStopAndMode) {
  auto& d = def;
  RunState& s = ctx.state;
  d.PP_TEMPO = "G4 P&(PP_TEMPO,0.0)";
  s.dwell = 1.5f;
  s.delayPending = true;
  EXPECT_EQ(run(), "G4 P1.5");
  d.PP_STOP = "M0";
  s.stopPending = true;
  EXPECT_EQ(run(), "M0");
  d.ModeTable = {{"HIGHSPEED", "G5.1 Q1"}};
  s.modeText = "HIGHSPEED";
  s.modePending = true;
  EXPECT_EQ(run(), "G5.1 Q1");
  s.modeText = "SLOW";
  s.modePending = true;
  EXPECT_EQ(run(), "");
  EXPECT_TRUE(log.contains("SLOW"));
}

TEST_F(GeneratorTest, RotaryResetAndToolCentreControl) {
  auto& d = def;
  RunState& s = ctx.state;
  d.MACRO_RAZ = "G0 A0 C0";
  d.PP_ACTIVATION_RTCP = "M128";
  d.PP_DESACTIVATION_RTCP = "M129";
  go(0, 0, 0);
  s.rotaryResetPending = true;
  // The macro homes the axes, on blocks of its own: the move after it states every axis again.
  EXPECT_EQ(go(1, 0, 0), "G0 A0 C0\r\nG1 X1.000 Y0.000 Z0.000");
  EXPECT_EQ(log.lines().size(), 1u);
  // The control asked for is switched on before the next move, then cancelled by itself.
  s.multiAxis.rtcpRequested = true;
  EXPECT_EQ(go(2, 0, 0), "M128\r\nG1 X2.000");
  EXPECT_EQ(go(3, 0, 0), "X3.000");
  s.multiAxis.rtcpRequested = false;
  s.multiAxis.rtcpCancelPending = true;
  EXPECT_EQ(run(), "M129");
  EXPECT_EQ(go(4, 0, 0), "G1 X4.000");
}

TEST_F(GeneratorTest, CircleBlock) {
  auto& d = def;
  RunState& s = ctx.state;
  d.FORMAT_CERCLE =
      "&(PP_CODE_CERCLE,) X&(PP_POINT_CERCLE_X,0.0) Y&(PP_POINT_CERCLE_Y,0.0) "
      "I&(PP_CENTRE_RELATIF_X,0.0) J&(PP_CENTRE_RELATIF_Y,0.0)";
  go(5, 0, 0);
  s.arc.codeText = "G3";
  s.arc.end = {0, 5, 0};
  s.arc.relativeCentre = {-5, 0, 0};
  s.circlePending = true;
  EXPECT_EQ(run(), "G3 X0.0 Y5.0 I-5.0 J0.0");
  EXPECT_EQ(s.prevY, 5);
  EXPECT_EQ(go(0, 5, 0), "G1");
}

TEST_F(GeneratorTest, ArcOutsideThePlaneIsWrittenAsNumberedFeedBlocks) {
  def.OPTION_SORTIE_N = true;
  go(0, 0, 0);
  fedrat(200);
  go(10, 0, 0);
  // A circle GOTO about X in G17 leaves its chord points; the last one is the arc end.
  RunState& s = ctx.state;
  s.chordPoints = {{10, 5, 5}, {10, 10, 0}};
  s.X = 10, s.Y = 10, s.Z = 0;
  EXPECT_EQ(run(), "N30 G1 Y5.000 Z5.000\r\nN40 Y10.000 Z0.000");
  EXPECT_TRUE(s.chordPoints.empty());
  // The next move states its motion again, as after an arc.
  EXPECT_EQ(go(0, 10, 0), "N50 G1 X0.000");
}

}  // namespace
}  // namespace ordalis::iso

namespace ordalis::iso {
namespace {

// Every road that writes an absolute point while G91 is in force leaves it first: on the block for
// words, as a numbered block of its own before a template (which may start with its own number).
TEST_F(GeneratorTest, AbsolutePointsUnderIncrementalMode) {
  auto& d = def;
  RunState& s = ctx.state;
  d.OPTION_SORTIE_N = true;
  d.PREMIER_POINT = "&(PP_N_LIGNE,N0) G0 X&(PP_FIRST_X,0.0) Y&(PP_FIRST_Y,0.0)";
  d.MACRO_GOHOME = "G53 G0 Z0";
  d.PP_FROM = "G0 X&(PP_FIRST_X,0.0)";
  d.PP_CYCLE_DRILL = "&(PP_N_LIGNE,N0) G81 X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0)";
  d.FORMAT_CERCLE = "&(PP_CODE_CERCLE,) X&(PP_POINT_CERCLE_X,0.0) Y&(PP_POINT_CERCLE_Y,0.0)";
  const auto godlta = [&] {
    s.motionCode = 91;
    s.gWordPending = true;
    s.X = 1, s.Y = 0, s.Z = 0;
    s.pointPending = true;
    return run();
  };
  struct Case {
    const char* what;
    std::function<std::string()> then;
    const char* expected;
  };
  const Case cases[] = {
      {"first point",
       [&] {
         loadtl(2);
         return go(50, 50, 25);
       },
       "N30 G90\r\nN40 G0 X50.0 Y50.0"},
      {"home",
       [&] {
         s.gohomePending = true;
         return run();
       },
       "N30 G90\r\nG53 G0 Z0"},
      {"from",
       [&] {
         s.fromPending = true;
         s.firstX = 7;
         return run();
       },
       "N30 G90\r\nN40 G0 X7.0"},
      {"hole",
       [&] {
         s.cycleMode = true;
         s.cycle.kindCode = 81;
         s.motionCode = 81;
         return go(3, 4, 0);
       },
       "N30 G90\r\nN40 G81 X3.0 Y4.0"},
      {"arc",
       [&] {
         s.arc.codeText = "G3";
         s.arc.end = {0, 5, 0};
         s.circlePending = true;
         return run();
       },
       "N30 G90 G3 X0.0 Y5.0"},
      {"multi-axis code",
       [&] {
         s.motionCode = 150;
         s.gWordPending = true;
         return go(9, 9, 9);
       },
       "N30 G90 G1 X9.000 Y9.000 Z9.000"},
  };
  for (const Case& c : cases) {
    s.reset(d);
    s.cycleMode = false;
    go(0, 0, 0);
    godlta();
    ASSERT_TRUE(s.incremental) << c.what;
    EXPECT_EQ(c.then(), c.expected) << c.what;
    EXPECT_FALSE(s.incremental) << c.what;
  }
}

TEST_F(GeneratorTest, ArcWordsFollowThePlane) {
  auto& d = def;
  RunState& s = ctx.state;
  d.FORMAT_CERCLE = "G17ARC";
  d.FORMAT_CERCLE_G18 = "G18ARC";
  const std::pair<int, const char*> planes[] = {{17, "G17ARC"},  {-17, "G17ARC"}, {18, "G18ARC"},
                                                {-18, "G18ARC"}, {19, "G17ARC"},  {-19, "G17ARC"}};
  for (const auto& [plane, expected] : planes) {
    s.planeCode = plane;
    s.circlePending = true;
    EXPECT_EQ(run(), expected) << plane;  // G19 is empty here: FORMAT_CERCLE serves
  }
}

TEST_F(GeneratorTest, UnitsAreABlockOfTheirOwnAtOnce) {
  auto& d = def;
  RunState& s = ctx.state;
  d.PP_G70 = "G20";
  d.PP_G71 = "G21";
  s.motionCode = 81;
  s.unitsPending = true;
  s.unitsCode = 70;
  EXPECT_EQ(run(), "G20");
  EXPECT_EQ(s.motionCode, 81);
  s.unitsPending = true;
  s.unitsCode = 71;
  EXPECT_EQ(run(), "G21");
}

}  // namespace
}  // namespace ordalis::iso
