#include "core/apt/motion_handlers.h"

#include "apt_fixture.h"

namespace ordalis::apt {
namespace {

TEST_F(AptTest, GotoNeedsThreeValues) {
  st.motionCode = 0;
  run("GOTO/1,2");
  EXPECT_EQ(logged(" GOTO/1,2"), 1);
  EXPECT_FALSE(st.pointPending);
  // The motion code was still set.
  EXPECT_EQ(st.motionCode, 1);
  EXPECT_TRUE(st.gWordPending);
  run("GOTO");
  EXPECT_EQ(log.lines().size(), 2u);
}

TEST_F(AptTest, GotoToolAxisNeedsAMultiAxisMachine) {
  // An upright axis on a three-axis machine is just the point.
  run("GOTO/10,20,30,0,0,1.");
  EXPECT_DOUBLE_EQ(st.X, 10);
  EXPECT_DOUBLE_EQ(st.Z, 30);
  EXPECT_TRUE(st.pointPending);
  EXPECT_FALSE(ctx.stopping());
  // Any other axis cannot be cut upright: the statement is named and the run stops, point unset.
  for (const char* statement : {"GOTO/11,20,30,0,1,0", "GOTO/11,20,30,0,0,-1.",
                                "FROM/11,2,3,-1,0,0", "GOTO / 11, 20, 30, 0.6, 0, 0.8"}) {
    st.pointPending = false;
    ctx.clearStop();
    run(statement);
    EXPECT_TRUE(ctx.stopping()) << statement;
    EXPECT_EQ(logged(std::string(" ") + statement), 1) << statement;
    EXPECT_DOUBLE_EQ(st.X, 10) << statement;
    EXPECT_FALSE(st.pointPending) << statement;
  }
  ctx.clearStop();
  def.Cinematique_Machine = 2;
  run("GOTO/10,20,30,0,1,0");
  EXPECT_DOUBLE_EQ(st.J, 1);
  EXPECT_DOUBLE_EQ(st.K, 0);
}

TEST_F(AptTest, RapidThenTwoGotos) {
  st.motionCode = 0;
  run("RAPID");
  EXPECT_EQ(st.motionCode, 1000);
  EXPECT_TRUE(st.gWordPending);
  run("GOTO/1,2,3");
  EXPECT_EQ(st.motionCode, 1000);
  // What the generator leaves after writing the rapid.
  st.motionCode = 0;
  st.gWordPending = false;
  run("GOTO/4,5,6");
  EXPECT_EQ(st.motionCode, 1);
  EXPECT_TRUE(st.gWordPending);
  st.gWordPending = false;
  run("GOTO/7,8,9");
  EXPECT_FALSE(st.gWordPending);
}

TEST_F(AptTest, RapidRaisesTheCodeOnce) {
  st.motionCode = 151;  // MULTAX/ON not yet written
  run("RAPID/");
  run("RAPID/");
  EXPECT_EQ(st.motionCode, 1151);
}

TEST_F(AptTest, GotoAfterGodltaIsAbsolute) {
  run("GOTO/10,0,0");
  st.gWordPending = false;
  run("GODLTA/5,0,0");
  EXPECT_DOUBLE_EQ(st.X, 5);  // the increment, not 15
  EXPECT_EQ(st.motionCode, 91);
  EXPECT_TRUE(st.gWordPending);
  st.gWordPending = false;
  run("GOTO/20,0,0");
  EXPECT_EQ(st.motionCode, 1);
  EXPECT_TRUE(st.gWordPending);

  st.motionCode = 0;
  run("RAPID");
  run("GODLTA/0,0,5");
  EXPECT_EQ(st.motionCode, 1091);
  st.gWordPending = false;
  run("GOTO/20,0,10");
  EXPECT_EQ(st.motionCode, 1000);
  EXPECT_TRUE(st.gWordPending);
}

TEST_F(AptTest, GodltaReadsMissingValuesAsZero) {
  st.Y = 7;
  run("LOADTL/2");
  run("GODLTA/5");
  EXPECT_EQ(logged("GODLTA/5"), 1);
  EXPECT_DOUBLE_EQ(st.X, 5);
  EXPECT_DOUBLE_EQ(st.Y, 0);
  EXPECT_TRUE(st.pointPending);
  EXPECT_TRUE(st.firstPointPending);
}

TEST_F(AptTest, CycleKeepsItsMotionCode) {
  st.cycleMode = true;
  for (int code : {81, -1}) {
    st.motionCode = code;
    run("RAPID");
    EXPECT_EQ(st.motionCode, code);
    st.feedPending = false;
    run("FEDRAT/120,MMPM");
    EXPECT_EQ(st.motionCode, code);
    EXPECT_DOUBLE_EQ(st.feedRate, 120);
    EXPECT_EQ(st.pendingFText, "F120");
    run("GOTO/1,2,3");
    EXPECT_EQ(st.motionCode, code);
    EXPECT_TRUE(st.pointPending);
  }
}

TEST_F(AptTest, FromAndGohome) {
  run("FROM/1,2,3");
  EXPECT_DOUBLE_EQ(st.firstX, 1);
  EXPECT_DOUBLE_EQ(st.firstZ, 3);
  EXPECT_TRUE(st.fromPending);
  run("FROM/9,9");
  EXPECT_DOUBLE_EQ(st.firstX, 1);

  run("GOHOME/XAXIS,ZAXIS");
  EXPECT_TRUE(st.outputX);
  EXPECT_FALSE(st.outputY);
  EXPECT_TRUE(st.outputZ);
  EXPECT_TRUE(st.gohomePending);
  // Items are compared untrimmed.
  run("GOHOME/XAXIS, YAXIS");
  EXPECT_FALSE(st.outputY);
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(AptTest, OriginForms) {
  run("ORIGIN/FIXTUR,2");
  EXPECT_EQ(st.originShift, 55);
  EXPECT_EQ(st.originText, "G55");
  EXPECT_TRUE(st.originPending);
  run("ORIGIN/ FIXTUR ,1.5");  // 54.5: halves go to even
  EXPECT_EQ(st.originShift, 54);
  run("ORIGIN/DATUM,4,5,6");
  EXPECT_DOUBLE_EQ(st.originX, 4);
  EXPECT_DOUBLE_EQ(st.originZ, 6);
  run("ORIGIN/1,2,3");
  EXPECT_DOUBLE_EQ(st.originX, 1);
  EXPECT_DOUBLE_EQ(st.originY, 2);
  EXPECT_TRUE(log.lines().empty());
  st.originPending = false;
  run("ORIGIN/SOMEWHERE");
  EXPECT_EQ(logged("ORIGIN/SOMEWHERE"), 1);
  EXPECT_FALSE(st.originPending);
}

TEST_F(AptTest, SelectAndCoordinateSystemWords) {
  // SELECT/2 is ORIGIN/FIXTUR,2: the second work offset, never a G2 arc.
  run("SELECT/2");
  EXPECT_EQ(st.originShift, 55);
  EXPECT_EQ(st.originText, "G55");
  EXPECT_TRUE(st.workOffsetPending);
  // SELECT/TOOL,n names a tool, not a work offset: the offset stays.
  run("SELECT/TOOL,15");
  EXPECT_EQ(st.originShift, 55);

  st.motionCode = 1;
  run("MCS/1,0,0");
  EXPECT_EQ(st.motionCode, 1);
  // The frame words never take the motion code (a cycle's holes keep theirs).
  run("TRACUT/1,2");
  EXPECT_EQ(st.motionCode, 1);
  EXPECT_EQ(logged("TRACUT/1,2"), 1);
  run("MSYS/0,0,0,1,0,0,0,1,0");
  EXPECT_EQ(st.motionCode, 1);
  EXPECT_FALSE(st.multiAxis.camFrameActive);
}

}  // namespace
}  // namespace ordalis::apt

namespace ordalis::apt {
namespace {

TEST_F(AptTest, OriginTextsFromTemplates) {
  def.Type_Postprocesseur = 3;
  def.PP_G54_G57 = "G&(PP_DEC_ORIGIN,0)";
  def.PP_ORIGIN = "G92 X&(PP_ORIGIN_X,0.0) Z&(PP_ORIGIN_Z,0.0)";
  run("ORIGIN/FIXTUR,1");
  EXPECT_EQ(st.originText, "G54");
  run("SELECT/3");
  EXPECT_EQ(st.originText, "G56");
  run("ORIGIN/DATUM,4,5,-6");
  EXPECT_EQ(st.originText, "G92 X4.0 Z-6.0");
}

TEST_F(AptTest, SelectOfAToolIsNoWorkOffset) {
  run("SELECT/TOOL,15");
  EXPECT_FALSE(st.workOffsetPending);
  EXPECT_TRUE(log.contains("SELECT/TOOL,15"));
  run("SELECT/2");
  EXPECT_TRUE(st.workOffsetPending);
  EXPECT_EQ(st.originShift, 55);
}

}  // namespace
}  // namespace ordalis::apt
