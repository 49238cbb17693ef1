#include "core/apt/frame_handlers.h"

#include <cmath>

#include "apt_fixture.h"

namespace ordalis::apt {
namespace {

class FrameTest : public AptTest {
 protected:
  void fiveAxis(bool planeCode) {
    auto& d = ctx.definition;
    d.Cinematique_Machine = 3;  // head A/C
    d.RotaryAxisInUse = {true, false, true};
    d.FORMAT_PP_A = "A#0.000";
    d.FORMAT_PP_C = "C#0.000";
    d.PP_ACTIVATION_PLAN_INCLINE = planeCode ? "G68.2" : "";
  }
  void expectPoint(double x, double y, double z) {
    EXPECT_NEAR(st.X, x, 1e-9);
    EXPECT_NEAR(st.Y, y, 1e-9);
    EXPECT_NEAR(st.Z, z, 1e-9);
  }
};

// Z of the frame along -Y, origin (0, -30, 20): the front face of a part.
constexpr const char* kFront = "CSYS/1.,0,0,0,0,0,-1.,-30.,0,1.,0,20.";

TEST_F(FrameTest, CamFramesOnAThreeAxisMachine) {
  // An identity frame, as SolidWorks CAM writes before every operation, changes nothing.
  run("TRNTYP/WORLD,0,0,0");
  run("CSYS/1.,0,0,0,0,1.,0,0,0,0,1.,0");
  run("GOTO/30.049078,-5.763818,25.");
  expectPoint(30.049078, -5.763818, 25);
  EXPECT_TRUE(log.lines().empty());
  // A shifted and turned frame: the points are taken into the part.
  run("CSYS/0,-1,0,100,1,0,0,50,0,0,1,-10");
  run("GOTO/10,0,5");
  expectPoint(100, 60, -5);
  run("GODLTA/10,0,0");  // increments turn but do not shift
  expectPoint(0, 10, 0);
  run("TRACUT/NOMORE");
  run("GOTO/10,0,5");
  expectPoint(10, 0, 5);
  // A frame that tilts the tool cannot be cut upright: the run stops.
  run(kFront);
  EXPECT_TRUE(ctx.interrupt);
  EXPECT_EQ(logged(kFront), 1);
}

TEST_F(FrameTest, FrameWordsAndTheirForms) {
  run("MSYS/0,-30,20,1,0,0,0,0,1");  // origin, X axis, Y axis: the front face again
  const kinematics::Frame msys = st.multiAxis.camFrame;
  ctx.interrupt = false;
  run(kFront);
  EXPECT_TRUE(kinematics::SameFrame(msys, st.multiAxis.camFrame));
  run("TRACUT/M1");
  run("TRNTYP/LOCAL,1,2,3");
  run("CSYS/1,0,0");
  EXPECT_EQ(logged("TRACUT/M1"), 1);
  EXPECT_EQ(logged("TRNTYP/LOCAL,1,2,3"), 1);
  EXPECT_EQ(logged("CSYS/1,0,0"), 1);
}

TEST_F(FrameTest, CamFrameBecomesTheInclinedPlane) {
  fiveAxis(true);
  run(kFront);
  const iso::MultiAxisState& m = st.multiAxis;
  EXPECT_TRUE(m.plane.requested);
  EXPECT_TRUE(kinematics::SameFrame(m.plane.frame, m.camFrame));
  EXPECT_NEAR(st.A, 90, 1e-9);  // the tool along -Y
  run("GOTO/-20,-10,40");
  expectPoint(-20, -10, 40);  // written as the program gives them, in the plane
  EXPECT_NEAR(st.A, 90, 1e-9);
  run("CSYS/1.,0,0,0,0,1.,0,0,0,0,1.,0");
  EXPECT_FALSE(m.plane.requested);
  EXPECT_NEAR(st.A, 0, 1e-9);
}

TEST_F(FrameTest, TiltedToolAxisWithoutPlaneCode) {
  fiveAxis(false);
  run("TLAXIS/0,-0.5,0.866025");
  EXPECT_TRUE(ctx.interrupt);
  EXPECT_EQ(logged("TLAXIS/0,-0.5,0.866025"), 1);
  // Machine coordinates need no plane from the controller: the points stay in the part.
  ctx.interrupt = false;
  ctx.definition.OPTION_COORDONNEES_MACHINE = true;
  run("TLAXIS/0,-0.5,0.866025");
  EXPECT_FALSE(ctx.interrupt);
  EXPECT_FALSE(st.multiAxis.plane.requested);
  EXPECT_NEAR(st.A, 30, 1e-4);
  run("GOTO/1,2,3");
  expectPoint(1, 2, 3);
}

TEST_F(FrameTest, TlaxisPlaneIsNotOverwrittenByTheFirstPoint) {
  fiveAxis(true);
  run("LOADTL/1");
  run("TLAXIS/0,-0.5,0.866025");
  run("GOTO/0,-5,8.660254");
  EXPECT_TRUE(st.firstPointPending);
  EXPECT_NEAR(st.firstA, 30, 1e-4);
  EXPECT_NEAR(st.firstZ, 10, 1e-5);  // the CAM's six decimals of cos 30
  EXPECT_NEAR(st.firstY, 0, 1e-5);
  // The same axis with the point keeps the plane; another axis ends it.
  run("GOTO/0,-5,8.660254,0,-0.5,0.866025");
  EXPECT_TRUE(st.multiAxis.plane.requested);
  run("GOTO/0,-5,8.660254,0,0,1");
  EXPECT_FALSE(st.multiAxis.plane.requested);
  expectPoint(0, -5, 8.660254);
}

}  // namespace
}  // namespace ordalis::apt
