// What a five-axis applications engineer found trying the shipped head A/C and table A/C
// definitions, each case as the program shows it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "core/app/block_sink.h"
#include "core/app/processing_driver.h"
#include "core/ppdef/definition_file.h"
#include "support/test_support.h"

namespace ordalis::app {
namespace {

class FiveAxisFindings : public ::testing::Test, public AppFixture {
 protected:
  RunOutcome outcome = RunOutcome::kDone;
  void use(const std::string& shipped) {
    ppdef::LoadDefinition(test::SourcePath("data/ppc/" + shipped), ctx.definition, prompt);
  }
  /// Converts the statements (one per line) and keeps the output's blocks without their numbers.
  void post(const std::string& apt) {
    StringBlockSink sink;
    outcome = ConvertStatements(ctx, apt, sink);
    blocks.clear();
    const std::string& text = sink.text();
    for (std::size_t pos = 0; pos < text.size();) {
      std::size_t end = text.find("\r\n", pos);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(pos, end - pos);
      if (line.size() > 1 && line[0] == 'N' && line.find(' ') != std::string::npos) {
        line.erase(0, line.find(' ') + 1);
      }
      blocks.push_back(line);
      pos = end + 2;
    }
  }
  /// Index of the first block at or after `from` that contains `text`; -1 when none.
  int find(const std::string& text, int from = 0) const {
    for (int i = from; i < static_cast<int>(blocks.size()); ++i) {
      if (blocks[i].find(text) != std::string::npos) return i;
    }
    return -1;
  }
  std::string dump() const {
    std::string all;
    for (const auto& b : blocks) all += b + "\n";
    return all;
  }

  std::vector<std::string> blocks;
};

constexpr const char* kStart = "LOADTL/7\nSPINDL/8000,CLW\nMULTAX/ON\nRAPID\n";

TEST_F(FiveAxisFindings, MultaxOffArmsTheLengthAgainWithTheToolUpright) {
  use("head_ac_5axis.ppc");
  post(std::string(kStart) +
       "GOTO/0,0,50,0,-0.5,0.866025\nFEDRAT/500,MMPM\nGOTO/10,0,0,0,-0.5,0.866025\n"
       "RAPID\nGOTO/10,0,50,0,-0.5,0.866025\nMULTAX/OFF\nRAPID\nGOTO/20,0,50\nGOTO/20,0,-5\n");
  const int cancel = find("G49");
  ASSERT_GE(cancel, 0) << dump();
  // The next move goes upright and arms the length offset with its Z, as after a tool change.
  const int upright = find("A0.000", cancel);
  ASSERT_GE(upright, 0) << dump();
  EXPECT_GE(find("G43 H7 Z50.000", upright), upright) << dump();
  EXPECT_EQ(find("G43 H7 Z50.000", upright), upright + 1) << dump();
}

TEST_F(FiveAxisFindings, RotaryAxesNeverSwingTheLongWayInAFeedMove) {
  use("head_ac_5axis.ppc");
  // A one-degree change of the tool axis near C 89 must not turn the head to C -90.
  post(std::string(kStart) +
       "GOTO/0,0,50,0.999848,-0.017452,0\nFEDRAT/500,MMPM\nGOTO/0,0,0,0.999848,-0.017452,0\n"
       "GOTO/5,0,0,0.999848,0,0.017452\nGOTO/6,0,0,0.0000001,-0.0000001,1\n"
       "GOTO/7,0,0,0.0000001,0.0000001,1\n");
  EXPECT_EQ(find("C-9"), -1) << dump();
  // Noise of 1e-7 at the vertical keeps C where it stands.
  EXPECT_GE(find("X6.000 A0.000"), 0) << dump();
  EXPECT_EQ(find("C", find("X6.000")), -1) << dump();

  // The shipped table example: A20 C90, then an axis beyond +30 on A, then back: the table never
  // goes A-40 C315 then A20 C180 in the cut.
  use("table_ac_5axis.ppc");
  post(test::ReadFile(test::SourcePath("data/examples/05_five_axis.apt")));
  EXPECT_EQ(find("C315"), -1) << dump();
  EXPECT_EQ(find("A20.000 C180.000"), -1) << dump();
  EXPECT_GE(find("A-20.000 C0.000"), 0) << dump();
}

TEST_F(FiveAxisFindings, AnOrientationNoSolutionReachesStopsTheRun) {
  use("table_ac_5axis.ppc");
  post(std::string(kStart) +
       "GOTO/0,0,50,0,0,1\nFEDRAT/400,MMPM\nGOTO/10,0,0,0,-0.422618,0.906308\n"
       "GOTO/20,0,0,0,-0.766044,-0.642788\nGOTO/30,0,0,0,0,1\n");
  EXPECT_EQ(outcome, RunOutcome::kInterrupted);
  EXPECT_TRUE(log.contains("GOTO/20,0,0,0,-0.766044,-0.642788"));
  EXPECT_EQ(find("X20.000"), -1) << dump();
  EXPECT_EQ(find("X30.000"), -1) << dump();
  EXPECT_EQ(find("G28 A0 C0"), -1) << dump();  // no rewind in the cut either
}

TEST_F(FiveAxisFindings, ThreePlusTwoPointsAreWrittenInTheTiltedFrame) {
  for (const char* def : {"head_ac_5axis.ppc", "table_ac_5axis.ppc"}) {
    use(def);
    // A face pass on a slope whose normal leans 30 degrees, 10 from the origin along it.
    post(
        "LOADTL/4\nSPINDL/6000,CLW\nTLAXIS/0,-0.5,0.866025\nRAPID\nGOTO/-40,-10,17.320508\n"
        "FEDRAT/600,MMPM\nGOTO/-40,-5,8.660254\nGOTO/40,-5,8.660254\nTLAXIS/0,0,1\nRAPID\n"
        "GOTO/0,0,50\nTLAXIS/1,0,0\nRAPID\nGOTO/60,0,0\nEND\nFINI\n");
    const int plane = find("G68.2");
    ASSERT_GE(plane, 0) << def << dump();
    EXPECT_EQ(blocks[plane], "G68.2 X0.000 Y0.000 Z0.000 I0.000 J30.000 K0.000") << def;
    EXPECT_EQ(blocks[plane + 1], "G53.1");
    // The first point inside the plane: no work offset and no G43.4 there.
    EXPECT_EQ(blocks[plane + 2].find("G54"), std::string::npos) << def;
    EXPECT_GE(find("G43 H4 Z", plane), 0) << def << dump();
    EXPECT_EQ(find("G43.4"), -1) << def << dump();
    EXPECT_GE(find("G01 Z10.000 F600", plane), 0) << def << dump();
    const int cancel = find("G69", plane);
    ASSERT_GE(cancel, 0) << def << dump();
    // The side face along X is a plane too, not G19, and the end of the program cancels it.
    const int side = find("G68.2", cancel);
    ASSERT_GE(side, 0) << def << dump();
    EXPECT_EQ(find("G19"), -1) << def;
    EXPECT_GE(find("G69", side), 0) << def << dump();
  }
}

TEST_F(FiveAxisFindings, TiltedCyclesDrillAlongTheirAxis) {
  use("head_ac_5axis.ppc");
  post(std::string(kStart) +
       "GOTO/40,0,60,0.707107,0,0.707107\nCYCLE/DRILL,8,MMPM,150,3\n"
       "GOTO/40,0,5,0.707107,0,0.707107\nGOTO/-40,0,5,-0.707107,0,0.707107\nCYCLE/OFF\n");
  const int plane = find("G68.2");
  ASSERT_GE(plane, 0) << dump();
  const int hole = find("G82", plane);
  ASSERT_GE(hole, 0) << dump();
  EXPECT_EQ(blocks[hole], "G98 G82 X24.749 Y0.000 Z23.820 R34.820 P0 F150.0") << dump();
  // The length offset is in force before the hole (the control's G43.4 gave way to the plane).
  EXPECT_GE(find("G43 H7", plane), 0) << dump();
  EXPECT_LT(find("G43 H7", plane), hole);
  // The other hole's axis: cycle cancelled, new plane, the cycle again.
  const int next = find("G80", hole);
  ASSERT_GE(next, 0) << dump();
  EXPECT_EQ(blocks[next + 1], "G69");
  EXPECT_EQ(blocks[next + 2].rfind("G68.2", 0), 0u);
  EXPECT_GE(find("G98 G82 X-24.749", next), 0) << dump();

  // Without inclined-plane codes a tilted hole stops the run rather than drill vertically.
  ctx.definition.PP_ACTIVATION_PLAN_INCLINE.clear();
  post(std::string(kStart) +
       "GOTO/40,0,60,0,0,1\nCYCLE/DRILL,8,MMPM,150,3\nGOTO/40,0,5,0.707107,0,0.707107\n");
  EXPECT_EQ(outcome, RunOutcome::kInterrupted);
  EXPECT_EQ(find("G81"), -1) << dump();
}

TEST_F(FiveAxisFindings, ToolCentreControlStartsWithATool) {
  use("head_ac_5axis.ppc");
  post("MULTAX/ON\nLOADTL/3\nSPINDL/6000,CLW\nRAPID\nGOTO/0,0,50,0,0,1\n");
  EXPECT_EQ(find("H0"), -1) << dump();
  const int change = find("T3 M6");
  ASSERT_GE(change, 0) << dump();
  EXPECT_GT(find("G43.4 H3 Z50.000"), change) << dump();
  EXPECT_EQ(find("G43.4"), find("G43.4 H3 Z50.000")) << dump();
}

TEST_F(FiveAxisFindings, ShippedDefinitionsCancelAndPositionSoundly) {
  for (const char* def : {"head_ac_5axis.ppc", "table_ac_5axis.ppc", "head_bc45_5axis.ppc",
                          "head_b_table_c_5axis.ppc", "table_bc_5axis.ppc"}) {
    use(def);
    const auto& d = ctx.definition;
    // Homing the rotary axes does not switch the control on with no axis to move.
    EXPECT_EQ(d.MACRO_RAZ.find("G43"), std::string::npos) << def;
    EXPECT_NE(d.PREMIER_POINT_RTCP.find("G43.4"), std::string::npos) << def;
    EXPECT_EQ(d.PREMIER_POINT_PLAN_INCLINE.find("G54"), std::string::npos) << def;
    EXPECT_EQ(d.PREMIER_POINT_PLAN_INCLINE.find("G43.4"), std::string::npos) << def;
    EXPECT_NE(d.PP_ACTIVATION_PLAN_INCLINE.find("PP_PLANE_EULER_2"), std::string::npos) << def;
  }
  use("table_ac_machine_5axis.ppc");
  EXPECT_NE(ctx.definition.PP_CYCLE_DRILL.find("PP_CYCLE_A"), std::string::npos);
  EXPECT_NE(ctx.definition.PP_CYCLE_DRILL.find("PP_CYCLE_C"), std::string::npos);
}

}  // namespace
}  // namespace ordalis::app

namespace ordalis::app {
namespace {

TEST_F(FiveAxisFindings, InverseTimeFeedsAreWrittenAsGiven) {
  use("head_ac_5axis.ppc");
  post(std::string(kStart) +
       "GOTO/0,0,5,0,0,1\nFEDRAT/INVERS,120\nGOTO/10,0,0,0,-0.1,0.994987\n"
       "FEDRAT/37.5,INVERS\nGOTO/20,0,0,0,-0.2,0.979796\nFEDRAT/500,MMPM\nGOTO/30,0,0,0,0,1\n");
  EXPECT_GE(find("X10.000 Z0.000 A5.739 G93 F120"), 0) << dump();
  EXPECT_GE(find("X20.000 A11.537 F37.5"), 0) << dump();
  EXPECT_EQ(find("G93", find("F37.5")), -1) << dump();  // the mode is written once
  EXPECT_GE(find("X30.000 A0.000 G94 F500"), 0) << dump();
  EXPECT_EQ(find("F0"), -1) << dump();

  // Without the inverse-time code the run stops rather than read a time as a speed.
  ctx.definition.PP_FEED_INV.clear();
  post(std::string(kStart) + "GOTO/0,0,5,0,0,1\nFEDRAT/INVERS,120\nGOTO/10,0,0,0,-0.1,0.994987\n");
  EXPECT_EQ(outcome, RunOutcome::kInterrupted);
  EXPECT_TRUE(log.contains("FEDRAT/INVERS,120"));
  EXPECT_EQ(find("X10.000"), -1) << dump();
}

}  // namespace
}  // namespace ordalis::app
