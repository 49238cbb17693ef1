// Runs that must not depend on what ran before them, and a run that never changes the definition.
#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "core/app/block_sink.h"
#include "core/app/context.h"
#include "core/app/processing_driver.h"

namespace ordalis::app {
namespace {

struct RunTest : ::testing::Test, AppFixture {
  RunOutcome outcome = RunOutcome::kDone;
  RunTest() {
    auto& d = ctx.definition;
    d.PP_SPACE = " ";
    d.FORMAT_PP_N = "N#0";
    d.NUM_INCR = 10;
    d.NUM_MAX = 99999;
    d.OPTION_COMPR = true;
    d.PP_G00 = "G0";
    d.PP_G01 = "G1";
    d.PP_G90 = "G90";
    d.PP_G91 = "G91";
    d.PP_F = "F#0";
    d.FORMAT_PP_X = "X#0.0";
    d.FORMAT_PP_Y = "Y#0.0";
    d.FORMAT_PP_Z = "Z#0.0";
    d.PP_CYCLE_DRILL = "G81 X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0) R&(PP_CYCLE_CLEARENCE,0.0)";
    d.PP_CYCLE = "X&(PP_CYCLE_X,0.0) Y&(PP_CYCLE_Y,0.0)";
    d.PP_CYCLE_OFF = "G80";
  }
  std::string run(const std::string& apt) {
    StringBlockSink sink;
    outcome = ConvertStatements(ctx, apt, sink);
    return sink.text();
  }
};

TEST_F(RunTest, TheSameProgramGivesTheSameOutputWhateverRanBefore) {
  const std::string program = "FEDRAT/100\nGOTO/1,2,3\nGOTO/4,2,3\n";
  const std::string alone = run(program);
  // Earlier runs that end inside a cycle, with a clearance, a feed, incremental mode, a SEQNO.
  for (const char* before :
       {"CYCLE/DRILL,5,7,MMPM,80\nGOTO/9,9,9\n", "FEDRAT/50\nGOTO/1,2,3\nGODLTA/1,0,0\n",
        "SEQNO/INCR,3\nSEQNO/OFF\nGOTO/1,2,3\n", "CYCLE/DRILL,5,7,MMPM,80\nGODLTA/0,0,1\n"}) {
    run(before);
    EXPECT_EQ(run(program), alone) << before;
  }
  // A clearance is never inherited: a cycle that names none has none.
  const std::string noClearance = "CYCLE/DRILL,FEDTO,5,MMPM,80,DWELL,0\nGOTO/1,1,0\n";
  const std::string fresh = run(noClearance);
  EXPECT_NE(fresh.find("R0.0"), std::string::npos) << fresh;
  run("CYCLE/DRILL,5,7,MMPM,80\nGOTO/9,9,9\n");
  EXPECT_EQ(run(noClearance), fresh);
}

TEST_F(RunTest, SeqnoChangesTheRunNeverTheDefinition) {
  ctx.definition.OPTION_SORTIE_N = true;
  EXPECT_EQ(run("GOTO/1,2,3\nSEQNO/INCR,1\nGOTO/4,2,3\nSEQNO/OFF\nGOTO/5,2,3\n"),
            "N10 G1 X1.0 Y2.0 Z3.0\r\nN11 X4.0\r\nX5.0\r\n");
  EXPECT_EQ(ctx.definition.NUM_INCR, 10);
  EXPECT_TRUE(ctx.definition.OPTION_SORTIE_N);
  EXPECT_EQ(run("GOTO/1,2,3\nGOTO/4,2,3\n"), "N10 G1 X1.0 Y2.0 Z3.0\r\nN20 X4.0\r\n");
}

TEST_F(RunTest, NumberPlaceholderAtALineEndGoesWithItsBreak) {
  ctx.definition.PP_FIN = "M5 &(PP_N_LIGNE,N0)\r\nM9";
  EXPECT_EQ(run(""), "M5 M9\r\n");
}

TEST_F(RunTest, LineNumbersBeyondTheCounterAreClampedAndNamed) {
  ctx.definition.OPTION_SORTIE_N = true;
  ctx.definition.NUM_ORIGINE = 3e38f;
  const std::string out = run("GOTO/1,2,3\n");
  EXPECT_EQ(out, "N2147483647 G1 X1.0 Y2.0 Z3.0\r\n");
  ASSERT_FALSE(log.lines().empty());
  EXPECT_NE(log.lines().front().find("NUM_ORIGINE"), std::string::npos);
  ctx.definition.NUM_ORIGINE = 0;
  ctx.definition.NUM_MAX = 1e30f;
  log.clear();
  EXPECT_EQ(run("GOTO/1,2,3\n"), "N10 G1 X1.0 Y2.0 Z3.0\r\n");
  ASSERT_EQ(log.lines().size(), 1u);
  EXPECT_NE(log.lines().front().find("NUM_MAX"), std::string::npos);
}

}  // namespace
}  // namespace ordalis::app
