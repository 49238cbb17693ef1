#include "core/apt/machine_handlers.h"

#include <cfloat>

#include "apt_fixture.h"

namespace ordalis::apt {
namespace {

TEST_F(AptTest, FedratForms) {
  for (const char* statement : {"FEDRAT/250", "FEDRAT/250,MMPM", "FEDRAT/MMPM,250",
                                "FEDRAT / 250.000000,  MMPM", "FEDRAT/ IPM, 250 "}) {
    st.feedRate = 0;
    st.motionCode = 1000;
    st.gWordPending = false;
    run(statement);
    EXPECT_DOUBLE_EQ(st.feedRate, 250) << statement;
    EXPECT_EQ(st.pendingFText, "F250") << statement;
    EXPECT_EQ(st.feedBlockText, "F250.0") << statement;
    EXPECT_EQ(st.motionCode, 1) << statement;
    EXPECT_TRUE(st.gWordPending) << statement;
  }
  run("FEDRAT/IPR,0.2");
  EXPECT_DOUBLE_EQ(st.feedRate, 0.2);
  EXPECT_TRUE(log.lines().empty() == false);  // this definition cannot write a feed per revolution
  log.clear();
  // A unit without a value: feed 0, and the statement is reported.
  run("FEDRAT/MMPM");
  EXPECT_DOUBLE_EQ(st.feedRate, 0);
  EXPECT_EQ(logged("FEDRAT/MMPM"), 1);
  // An empty pattern gives an empty feed text.
  def.PP_CODE_F.clear();
  run("FEDRAT/100");
  EXPECT_EQ(st.feedBlockText, "");
}

TEST_F(AptTest, FeedModeCodesGoWithTheFeedThatChangesMode) {
  auto& d = def;
  d.PP_FEED_MIN = "G94";
  d.PP_FEED_REV = "G95";
  d.PP_F_REV = "F#0.000";
  d.PP_SPACE = " ";
  struct Case {
    const char* statement;
    const char* pendingF;
  };
  // The unit word before or after the value; no unit word keeps the mode in force.
  for (const Case& c : {Case{"FEDRAT/100,MMPM", "F100"}, Case{"FEDRAT/0.1,MMPR", "G95 F0.100"},
                        Case{"FEDRAT/0.2", "F0.200"}, Case{"FEDRAT/IPR,0.3", "F0.300"},
                        Case{"FEDRAT/MMPM,500", "G94 F500"}, Case{"FEDRAT/600", "F600"}}) {
    st.feedPending = false;
    run(c.statement);
    EXPECT_EQ(st.pendingFText, c.pendingF) << c.statement;
    EXPECT_TRUE(st.feedPending) << c.statement;
  }
  EXPECT_TRUE(log.lines().empty());
  // Without the codes: written as before, and said once per run.
  d.PP_FEED_REV.clear();
  run("FEDRAT/0.1,MMPR");
  run("FEDRAT/0.2,MMPR");
  EXPECT_EQ(st.pendingFText, "F0.200");
  EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(AptTest, CompressedFeedIsWrittenOnlyWhenItChanges) {
  def.OPTION_COMPR_SPEED = true;
  run("FEDRAT/250");
  EXPECT_TRUE(st.feedPending);
  st.feedPending = st.gWordPending = false;
  run("FEDRAT/250");
  EXPECT_FALSE(st.feedPending);
  EXPECT_TRUE(st.gWordPending);
  run("FEDRAT/300");
  EXPECT_TRUE(st.feedPending);
}

// SPINDL as CAM systems write it: the speed wherever it stands, clockwise unless told otherwise,
// the words Ordalis cannot apply logged without losing the statement.
TEST_F(AptTest, SpindleForms) {
  struct Case {
    const char* statement;
    double speed;
    const char* direction;
    int state;
    int logs;
  };
  const Case cases[] = {
      {"SPINDL/1000", 1000, "M3", 1, 0},
      {"SPINDL/1000,RPM", 1000, "M3", 1, 0},
      {"SPINDL/RPM,3000", 3000, "M3", 1, 0},
      {"SPINDL/1000,CCLW", 1000, "M4", 1, 0},
      {"SPINDL / RPM, 9000.000000,  CLW", 9000, "M3", 1, 0},
      {"SPINDL/1200, CLW", 1200, "M3", 1, 0},
      {"SPINDL/CCLW,800", 800, "M4", 1, 0},
      {"SPINDL/RPM,2500,CLW,RANGE,2", 2500, "M3", 1, 1},
      {"SPINDL/MAXRPM,6000,RPM,1500", 1500, "M3", 1, 1},
      {"SPINDL / OFF", 0, "M5", 2, 0},
  };
  for (const Case& c : cases) {
    st.reset(ctx.definition);
    log.clear();
    run(c.statement);
    if (c.speed > 0) {
      EXPECT_DOUBLE_EQ(st.spindleSpeed, c.speed) << c.statement;
    }
    EXPECT_EQ(st.spindle, c.direction) << c.statement;
    EXPECT_EQ(st.spindleState, c.state) << c.statement;
    EXPECT_EQ(static_cast<int>(log.lines().size()), c.logs) << c.statement;
  }
  log.clear();
  run("SPINDL/MAXRPM,6000,RPM,1500");
  EXPECT_EQ(logged(" MAXRPM,6000"), 1);
}

TEST_F(AptTest, SpindleOnRestartsTheLastSpeedAndDirection) {
  run("SPINDL/ON");  // nothing to restart: reported, the spindle stays as it is
  EXPECT_EQ(st.spindleState, 0);
  EXPECT_EQ(logged(" SPINDL/ON"), 1);
  run("SPINDL/1500,CCLW");
  run("SPINDL/OFF");
  EXPECT_EQ(st.spindle, "M5");
  st.spindleState = 0;
  run("SPINDL/ON");
  EXPECT_EQ(st.spindle, "M4");
  EXPECT_DOUBLE_EQ(st.spindleSpeed, 1500);
  EXPECT_EQ(st.spindleState, 1);
}

TEST_F(AptTest, SurfaceSpeedNeedsItsCodes) {
  run("SPINDL/SFM,300,CLW");
  EXPECT_TRUE(ctx.stopping());
  EXPECT_EQ(logged(" SPINDL/SFM,300,CLW"), 1);
  EXPECT_EQ(st.spindleState, 0);

  ctx.clearStop();
  def.PP_CSS_ON = "G96 S#0";
  def.PP_CSS_OFF = "G97";
  run("SPINDL/SMM,180");
  EXPECT_FALSE(ctx.stopping());
  EXPECT_EQ(st.spindleState, 3);
  EXPECT_DOUBLE_EQ(st.surfaceSpeedValue, 180);
  EXPECT_DOUBLE_EQ(st.spindleSpeed, 0);  // never read as rpm
  run("SPINDL/2000,CLW");
  EXPECT_TRUE(st.surfaceSpeedOffPending);
  EXPECT_EQ(st.spindleState, 1);
}

TEST_F(AptTest, UnitsCoolantAirCorrection) {
  // Units never touch the motion code: a cycle keeps its holes, a first point its own code.
  st.motionCode = 81;
  for (const auto& [statement, code] :
       std::vector<std::pair<std::string, int>>{{"UNITS/MM", 71},
                                                {"UNITS/INCH", 70},
                                                {"UNITS/INCHES", 70},
                                                {"UNITS / MM", 71},
                                                {"UNITS/INCH ", 70}}) {
    st.unitsPending = false;
    run(statement);
    EXPECT_TRUE(st.unitsPending) << statement;
    EXPECT_EQ(st.unitsCode, code) << statement;
    EXPECT_EQ(st.motionCode, 81) << statement;
  }
  st.unitsPending = false;
  run("UNITS/FEET");  // an unknown unit changes nothing and is reported
  EXPECT_FALSE(st.unitsPending);
  EXPECT_EQ(st.unitsCode, 70);
  EXPECT_EQ(logged("UNITS/FEET"), 1);
  log.clear();

  // OFF anywhere wins; MIST is the definition's mist code; THRU needs its key, else flood.
  for (const auto& [statement, code] :
       std::vector<std::pair<std::string, std::string>>{{"COOLNT/ON", "M8"},
                                                        {"COOLNT/MIST", "M50"},
                                                        {"COOLNT/FLOOD", "M7"},
                                                        {"COOLNT/FLOOD,OFF", "M9"},
                                                        {"COOLNT/OFF", "M9"},
                                                        {"COOLNT/AIR", "M50"},
                                                        {"COOLNT/THRU", "M7"}}) {
    run(statement);
    EXPECT_EQ(st.coolant, code) << statement;
  }
  EXPECT_EQ(log.lines().size(), 1u);  // THRU without PP_FLUID_THRU
  def.PP_FLUID_THRU = "M88";
  run("COOLNT/THRU");
  EXPECT_EQ(st.coolant, "M88");
  log.clear();
  run("AIR/ON");
  EXPECT_EQ(st.air, "M51");

  run("CUTCOM/LEFT");
  EXPECT_EQ(st.correction, "G41");
  EXPECT_TRUE(st.correctionPending && st.cutcomJustRead);
  run("GOTO/1,2,3");
  EXPECT_FALSE(st.cutcomJustRead);
  run("CUTCOM/RIGHT");
  EXPECT_EQ(st.correction, "G42");
  run("CUTCOM/OFF");
  EXPECT_EQ(st.correction, "G40");
  st.cutcomJustRead = false;
  run("CUTCOM/XYPLAN");
  EXPECT_EQ(st.correction, "G40");
  EXPECT_FALSE(st.cutcomJustRead);
}

TEST_F(AptTest, ToolStatements) {
  run("CUTTER/10,5");
  EXPECT_EQ(ctx.tools.count(), 1);
  EXPECT_EQ(ctx.tools.current().type, 1);
  EXPECT_EQ(ctx.tools.current().name, "FB 10");
  run("CUTTER/10,2");
  EXPECT_EQ(ctx.tools.current().type, 2);
  EXPECT_FLOAT_EQ(ctx.tools.current().radius, 5);
  EXPECT_FLOAT_EQ(ctx.tools.current().cornerRadius, 2);
  run("CUTTER/20.,0,10.,5.,45.,0,100.");
  const tools::ToolRecord& t = ctx.tools.current();
  EXPECT_FLOAT_EQ(t.diameter, 20);
  EXPECT_FLOAT_EQ(t.programmedLength, 5);
  EXPECT_FLOAT_EQ(t.angle, 0);
  EXPECT_FLOAT_EQ(t.length, 100);
  EXPECT_FLOAT_EQ(t.cuttingLength, 100);
  EXPECT_EQ(t.name, "FP 20");
  EXPECT_TRUE(st.cutterPending);
  run("CUTTER/1,2,3");  // no dimensions
  EXPECT_FLOAT_EQ(ctx.tools.current().diameter, 0);
  run("CUTTER/1e300");  // never an infinity in TOOL_DIAM
  EXPECT_FLOAT_EQ(ctx.tools.current().diameter, FLT_MAX);
  EXPECT_EQ(ctx.tools.count(), 5);

  run("TPRINT/ BULL NOSE 10 ");
  EXPECT_EQ(st.comment, "BULL NOSE 10");
  EXPECT_EQ(ctx.tools.current().name, "BULL NOSE 10");

  run("TOOLNO/7,9.5");
  EXPECT_EQ(ctx.tools.current().number, 7);
  EXPECT_FLOAT_EQ(ctx.tools.current().programmedDiameter, 9.5f);
  EXPECT_FALSE(st.toolnoPending);
  def.OPTION_TRAITEMENT_TOOLNO = true;
  run("TOOLNO/8");
  EXPECT_EQ(logged("TOOLNO/8"), 1);
  EXPECT_TRUE(st.toolnoPending);
  EXPECT_EQ(st.requestedTool, 8);

  run("LOADTL/3,13");
  EXPECT_EQ(st.requestedTool, 3);
  EXPECT_EQ(st.lengthCorrector, 13);
  EXPECT_TRUE(st.toolChangePending && st.correctorPending);
  run("LOAD/TOOL");
  EXPECT_EQ(st.requestedTool, 0);
  EXPECT_EQ(logged("LOAD/TOOL"), 1);
  EXPECT_EQ(log.lines().size(), 2u);
}

TEST_F(AptTest, PartnoForms) {
  run("PARTNO 12");
  EXPECT_EQ(st.partName, "12");
  EXPECT_EQ(st.comment, "12");
  run("PARTNO 12 BRACKET");
  EXPECT_EQ(st.partName, "12");
  EXPECT_EQ(st.comment, "BRACKET");
  run("PARTNO BRACKET");
  EXPECT_EQ(st.partName, "BRACKET");
  EXPECT_EQ(st.comment, "");
  run("PARTNO/BRACKET");
  EXPECT_EQ(st.partName, "PARTNO/BRACKET");
  run("PARTNO / MFG0004");
  EXPECT_EQ(st.partName, "MFG0004");
  run("PARTNO");
  EXPECT_EQ(st.partName, "");
  EXPECT_TRUE(st.partnoPending);
}

TEST_F(AptTest, TextsCarriedIntoTheProgram) {
  run("PPRINT/  ROUGH (10 MM)");
  EXPECT_EQ(st.comment, "ROUGH (10 MM)");
  EXPECT_TRUE(st.printPending);
  run("INSERT G65 P9100");
  EXPECT_EQ(st.insertText, "G65 P9100");
  run("TMARK/ 3 ");
  EXPECT_EQ(st.tmark, "3");
  st.printPending = false;
  run("DISPLY/ON");
  EXPECT_EQ(st.comment, "");
  EXPECT_FALSE(st.printPending);
  // Without "/" the major word is the whole line, so only the handler itself sees this form.
  EXPECT_EQ(HandleDisply(h, "DISPLY  SHOW THIS"), "SHOW THIS");
  EXPECT_TRUE(st.printPending);
  run("REWIND/ 0");
  EXPECT_EQ(st.rewind, "0");
  EXPECT_TRUE(st.rewindPending);
  run("MODE/ MILL ");
  EXPECT_EQ(st.modeText, "MILL");
  EXPECT_TRUE(st.modePending);

  run("CLAMP/ON");
  EXPECT_EQ(st.clampText, "M10");
  run("CLAMP/AUTO");
  EXPECT_EQ(st.clampText, "AUTO");
  run("CLAMP/AAXIS, ON");
  EXPECT_EQ(st.clampText, "M12");
  run("CLAMP/AAXIS,OFF");
  EXPECT_EQ(st.clampText, "M13");
  run("CLAMP/CAXIS,ON");
  EXPECT_EQ(st.clampText, "M16");
  run("CLAMP/XAXIS,ON");
  EXPECT_EQ(st.clampText, "XAXIS");
  EXPECT_TRUE(st.clampPending);

  run("AUXFUN/ 8");
  EXPECT_EQ(st.auxfunText, "M8");
  run("PREFUN/61");
  EXPECT_EQ(st.prefunText, "G61");
  EXPECT_TRUE(st.auxfunPending && st.prefunPending);
}

TEST_F(AptTest, SequenceNumbers) {
  st.lineCounter = 100;
  run("SEQNO/STEP,10");
  EXPECT_EQ(st.lineCounter, 110);
  def.NUM_MAX = 105;
  def.NUM_ORIGINE = 5;
  st.lineCounter = 100;
  run("SEQNO/STEP,10");
  EXPECT_EQ(st.lineCounter, 5);

  def.NUM_MAX = 99999;
  run("SEQNO/250");
  EXPECT_EQ(st.lineCounter, 250);
  run("SEQNO/NEXT");
  EXPECT_EQ(st.lineCounter, 250);
  // Numbering changes for the rest of the run; the loaded definition never changes.
  def.OPTION_SORTIE_N = true;
  def.NUM_INCR = 10;
  run("SEQNO/OFF");
  EXPECT_EQ(st.numbering, false);
  run("SEQNO/ON");
  EXPECT_EQ(st.numbering, true);
  run("SEQNO/INCR,5");
  EXPECT_EQ(st.lineIncrement, 5);
  EXPECT_TRUE(def.OPTION_SORTIE_N);
  EXPECT_EQ(def.NUM_INCR, 10);
  EXPECT_TRUE(log.lines().empty());
  // Without its value the increment is kept.
  run("SEQNO/INCR");
  EXPECT_EQ(st.lineIncrement, 5);
  EXPECT_EQ(logged("SEQNO/INCR"), 1);
  // The next run starts from the definition again.
  st.reset(ctx.definition);
  EXPECT_FALSE(st.lineIncrement.has_value());
  EXPECT_FALSE(st.numbering.has_value());
}

}  // namespace
}  // namespace ordalis::apt

namespace ordalis::apt {
namespace {

TEST_F(AptTest, CorrectionCodesAreTemplates) {
  def.PP_RCORR_L = "G41 D&(PP_TOOL,0)";
  run("LOADTL/12");
  run("CUTCOM/LEFT,XYPLAN");
  EXPECT_EQ(st.correction, "G41 D12");
}

}  // namespace
}  // namespace ordalis::apt
