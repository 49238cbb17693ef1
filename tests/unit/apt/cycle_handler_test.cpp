#include <string>

#include "apt_fixture.h"
#include "core/apt/geometry_handlers.h"

namespace ordalis::apt {
namespace {

class CycleTest : public AptTest {
 protected:
  const iso::CycleState& c = st.cycle;
};

TEST_F(CycleTest, FixedLayouts) {
  run("CYCLE/DRILL,10,MMPM,100,2");
  EXPECT_TRUE(st.cycleMode);
  EXPECT_EQ(st.motionCode, 81);
  EXPECT_EQ(c.depth, 10);
  EXPECT_EQ(c.feed, 100);
  EXPECT_EQ(c.clearance, 2);

  run("CYCLE/DRILL,10,2,MMPM,100");
  EXPECT_EQ(c.depth, 10);
  EXPECT_EQ(c.clearance, 2);
  EXPECT_EQ(c.feed, 100);

  run("CYCLE/DRILL,DEPTH,10,CLEAR,2,DWELL,0.5,MMPM,100");
  EXPECT_EQ(c.depth, 10);
  EXPECT_EQ(c.clearance, 2);
  EXPECT_EQ(c.dwell, 0.5f);
  EXPECT_EQ(c.feed, 100);

  run("CYCLE/DRILL, 15, FEDTO, 20, MMPM, 80");  // six items: the layout, not the words
  EXPECT_EQ(c.depth, 15);
  EXPECT_EQ(c.clearance, 0);
  EXPECT_EQ(c.retract, 20);
  EXPECT_EQ(c.feed, 80);

  run("CYCLE/DEEPBK,8,2,MMPM,120,INCR,3,1.5");
  EXPECT_EQ(st.motionCode, 85);
  EXPECT_EQ(c.retract, 3);
  EXPECT_EQ(c.zStep, 1.5f);
  EXPECT_EQ(c.retractMode, 1);

  run("CYCLE/TAP,12,100,MMPM,1.25,4");
  EXPECT_EQ(st.motionCode, 87);
  EXPECT_EQ(c.feed, 100);
  EXPECT_EQ(c.pitch, 1.25f);
  EXPECT_EQ(c.clearance, 4);
  EXPECT_TRUE(log.lines().empty());
}

// Each fixed layout field by field, after a statement that left 99 in every field: a field the
// layout sets to 0 is 0, a field it reads comes from its item, a field it leaves keeps its value.
TEST_F(CycleTest, EveryLayoutSetsItsFieldsWhateverCameBefore) {
  struct Row {
    const char* statement;
    float depth, clearance, retract, feed;
  };
  const Row rows[] = {
      {"DRILL,10,MMPM,100,2", 10, 2, 0, 100},
      {"DRILL,10,2,MMPM,100", 10, 2, 0, 100},
      {"REAM,10,2,MMPM,100", 10, 2, 0, 100},
      {"CSINK,10,2,MMPM,100,5", 10, 2, 0, 100},
      {"DRILL,10,2,3,MMPM,100", 10, 2, 3, 100},
      {"DRILL,MMPM,100,10,2,5,6,7,8", 8, 2, 6, 100},
      {"DRILL,DEPTH,10,CLEAR,2,DWELL,0.5,MMPM,100", 10, 2, 0, 100},
      {"CBORE,DEPTH,10,CLEAR,2,DWELL,0.5,MMPM,100", 10, 2, 0, 100},
      {"TAP,12,100,MMPM,1.25,4", 12, 4, 0, 100},
      {"MILL,10,2,3,5,6,7,8,100", 10, 2, 3, 100},
      {"DEEP,10,1,2,80,3", 10, 0, 0, 80},
      {"DEEP,10,3,2,INCR,1.5,7,80", 10, 2, 3, 80},
      {"DEEP,DEPTH,10,1,2,0,1.5,0,80", 10, 2, 0, 80},
      {"DEEP,DEPTH,10,STEP,1,MMPM,50,CLEAR,1", 10, 1, 0, 50},
      {"DEEPCL,10,2,MMPM,80,INCR,3,1.5", 10, 2, 3, 80},
      {"BORE,1,2,3,4,5", 0, 99, 99, 0},
  };
  for (const Row& row : rows) {
    run("CYCLE/DRILL,99,RAPTO,99,TOP,99,MMPM,99");
    ASSERT_EQ(c.retract, 99);
    run(std::string("CYCLE/") + row.statement);
    EXPECT_EQ(c.depth, row.depth) << row.statement;
    EXPECT_EQ(c.clearance, row.clearance) << row.statement;
    EXPECT_EQ(c.retract, row.retract) << row.statement;
    EXPECT_EQ(c.feed, row.feed) << row.statement;
  }
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(CycleTest, MinorWords) {
  st.spindleSpeed = 1200;
  run("CYCLE/TAP,12,STEP,1,PITCH,1.5,RAPTO,3");
  EXPECT_EQ(c.depth, 12);
  EXPECT_EQ(c.decrement, 1);
  EXPECT_EQ(c.zStep, 0);
  EXPECT_EQ(c.pitch, 1.5f);
  EXPECT_EQ(c.clearance, 3);
  EXPECT_EQ(c.spindle, 1200);

  run("CYCLE/DRILL,10,TOP,5");
  EXPECT_EQ(c.retract, 5);
  EXPECT_EQ(c.retractMode, 3);

  // As a CAM system writes it.
  run("CYCLE/DRILL,FEDTO,5.4,MMPM,364.49,RAPTO,3.,RTRCTO,27.5,DWELL,0");
  EXPECT_EQ(c.depth, 5.4f);
  EXPECT_EQ(c.feed, 364.49f);
  EXPECT_EQ(c.clearance, 3);
  EXPECT_EQ(c.retract, 27.5);
  EXPECT_EQ(c.retractMode, 2);
  EXPECT_EQ(c.pitch, 0);  // reset by every CYCLE

  // The retract mode text survives a statement that does not set it.
  run("CYCLE/CSINK,4,RPM,800,FAST,1,DWELL,1");
  EXPECT_EQ(c.spindle, 800);
  EXPECT_EQ(c.retractMode, 2);
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(CycleTest, UnknownMinorWordStopsTheStatement) {
  run("CYCLE/DRILL,10,TOP,5");
  run("CYCLE/DRILL,10,FOO,3,RTRCTO,7,DWELL,1");
  ASSERT_EQ(log.lines().size(), 1u);
  const std::string line = log.lines()[0];
  EXPECT_NE(line.find("DRILL"), std::string::npos);
  EXPECT_NE(line.find(" FOO"), std::string::npos);
  EXPECT_EQ(c.depth, 10);
  EXPECT_EQ(st.motionCode, 81);
  EXPECT_TRUE(st.cycleMode);
  EXPECT_EQ(c.retract, 5);  // the scan ended at FOO
  EXPECT_FALSE(ctx.stopping());
}

TEST_F(CycleTest, OffFaceAndUnknownCycles) {
  run("CYCLE/DRILL,10,2,MMPM,100");
  run("CYCLE/OFF");
  EXPECT_EQ(st.motionCode, 80);
  EXPECT_TRUE(prompt.messages.empty());

  const int code = st.motionCode;
  run("CYCLE/FACE,2");
  EXPECT_EQ(st.motionCode, code);
  EXPECT_EQ(logged("FACE"), 1);
  EXPECT_FALSE(ctx.stopping());

  run("CYCLE/DEEP2,FEDTO,10.,1STPECK,5.,SUBPECK,2.,MMPM,853.3,RAPTO,3.,RTRCTO,25.");
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_NE(prompt.messages[0].find("DEEP2"), std::string::npos);
  EXPECT_NE(prompt.messages[0].find("CYCLE/DEEP2,FEDTO"), std::string::npos);
  EXPECT_EQ(logged("CYCLE/DEEP2,FEDTO,10.,1STPECK,5.,SUBPECK,2.,MMPM,853.3,RAPTO,3.,RTRCTO,25."),
            1);
  EXPECT_EQ(ctx.stopReason(), iso::RunStop::kUnknownCycle);
}

TEST_F(CycleTest, CamStatementsThatNameTheirValuesOrMarkACycle) {
  // Words in an order the nine-item layout does not expect: each value still reaches its field.
  run("CYCLE / DEEP, DEPTH, 3.5, STEP, 1, MMPM, 50, CLEAR, 1");
  EXPECT_EQ(st.motionCode, 84);
  EXPECT_EQ(c.depth, 3.5f);
  EXPECT_EQ(c.zStep, 1);
  EXPECT_EQ(c.feed, 50);
  EXPECT_EQ(c.clearance, 1);

  // The INIT marker before a cycle neither starts a cycle nor stops the run.
  ctx.clearStop();
  st.cycleMode = false;
  st.motionCode = 1;
  run("CYCLE/INIT");
  EXPECT_FALSE(ctx.stopping());
  EXPECT_FALSE(st.cycleMode);
  EXPECT_EQ(st.motionCode, 1);
  EXPECT_TRUE(log.contains("CYCLE/INIT"));
  EXPECT_TRUE(prompt.messages.empty());
}

}  // namespace
}  // namespace ordalis::apt
