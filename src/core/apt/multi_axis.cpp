#include "core/apt/multi_axis.h"

#include <cmath>
#include <string>

#include "core/iso/motion_code.h"
#include "core/iso/multi_axis.h"
#include "core/kinematics/machine_types.h"
#include "core/kinematics/work_plane.h"
#include "core/tools/tool_table.h"

namespace ordalis::apt {

namespace {

constexpr iso::Vec3 kUp{0, 0, 1};

bool ToolLoadComing(const iso::RunState& st) {
  return st.toolChangePending || st.toolJustLoaded || st.firstPointPending;
}

/// True when an angle differs from 0 by more than the output shows: the part or the tool is
/// turned, so tool-tip coordinates need the controller's tool-centre-point control.
bool Turned(const iso::RunState& st, double resolution) {
  return std::fabs(st.A) >= resolution / 2 || std::fabs(st.B) >= resolution / 2 ||
         std::fabs(st.C) >= resolution / 2;
}

}  // namespace

bool SolveWith(HandlerContext& h, const kinematics::Machine& m, const iso::Vec3& v, bool feedMove,
               std::string_view statement);

void StopRun(iso::RunContext& ctx, int id, std::string_view statement) {
  std::string detail(" ");
  detail.append(statement);
  ctx.message(id, detail);
  ctx.stopRun(iso::RunStop::kRule);
}

bool HasRotaryAxes(iso::RunContext& ctx) {
  return kinematics::HasRotaryAxes(ctx.definition.Cinematique_Machine) &&
         iso::MachineOf(ctx.state, ctx.definition).hasSolution();
}

bool SameDirection(iso::RunContext& ctx, const iso::Vec3& a, const iso::Vec3& b) {
  const double resolution = iso::MachineOf(ctx.state, ctx.definition).setup().resolution;
  const double angle = std::atan2(kinematics::Norm(kinematics::Cross(a, b)), kinematics::Dot(a, b));
  return angle * kinematics::kDegPerRad < resolution / 2;
}

bool SolveToolAxis(HandlerContext& h, const iso::Vec3& v, bool feedMove,
                   std::string_view statement) {
  return SolveWith(h, iso::MachineOf(h.ctx.state, h.ctx.definition), v, feedMove, statement);
}

bool SolveWith(HandlerContext& h, const kinematics::Machine& m, const iso::Vec3& v, bool feedMove,
               std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  kinematics::Solution s = m.solve(v, iso::AnglesOf(st), feedMove);
  if (!s.reached) {
    StopRun(h.ctx, kMsgUnreachable, statement);
    return false;
  }
  if (s.rewind && feedMove) {
    // The reset macro homes the rotary axes: the move re-enters with the solution nearest home,
    // which leaves the most travel for the rest of the path.
    st.rotaryResetPending = true;
    st.multiAxis.reentryPending = true;
    s.angles = s.home;
  }
  st.A = s.angles[kinematics::kA];
  st.B = s.angles[kinematics::kB];
  st.C = s.angles[kinematics::kC];
  return true;
}

void CancelPlane(iso::RunState& st) {
  iso::WorkPlane& plane = st.multiAxis.plane;
  if (plane.written) st.multiAxis.planeCancelPending = true;
  plane.written = false;
  plane.requested = false;
  st.multiAxis.planeActivationPending = false;
  iso::UpdatePointMap(st.multiAxis);
}

namespace {

/// The inclined plane the tool axis `v` asks for: the frame of the operation or of the CAM when
/// the tool lies along its Z, none for +Z, otherwise a frame tilted to `v`. False: no plane.
bool PlaneTarget(iso::RunContext& ctx, const iso::Vec3& v, kinematics::Frame& target) {
  const iso::MultiAxisState& ma = ctx.state.multiAxis;
  if (ma.workFrameActive && SameDirection(ctx, v, common::Column(ma.workFrame.rotation, 2))) {
    target = ma.workFrame;
    return true;
  }
  if (ma.camFrameActive && SameDirection(ctx, v, common::Column(ma.camFrame.rotation, 2))) {
    target = ma.camFrame;
    return !kinematics::IsIdentity(ma.camFrame);
  }
  if (SameDirection(ctx, v, kUp)) return false;
  target.rotation = kinematics::TiltTo(v);
  if (ma.camFrameActive) target.origin = ma.camFrame.origin;
  if (ma.workFrameActive) target.origin = ma.workFrame.origin;
  return true;
}

}  // namespace

bool RequestPlaneFor(HandlerContext& h, const iso::Vec3& v, std::string_view statement) {
  iso::RunContext& ctx = h.ctx;
  iso::RunState& st = ctx.state;
  iso::MultiAxisState& ma = st.multiAxis;
  kinematics::Frame target;
  bool want = PlaneTarget(ctx, v, target);
  if (want && ctx.definition.PP_ACTIVATION_PLAN_INCLINE.empty()) {
    // Without the controller's plane the points go out as five-axis positions, which only
    // machine coordinates or a notation make right.
    const kinematics::Machine& m = iso::MachineOf(st, ctx.definition);
    if (m.hasMachineCoordinates() && !iso::WritesMachineCoordinates(st, ctx.definition)) {
      StopRun(ctx, kMsgNoPlaneCode, statement);
      return false;
    }
    want = false;
  }
  if (!want) {
    CancelPlane(st);
  } else if (!ma.plane.requested || !kinematics::SameFrame(ma.plane.frame, target)) {
    if (ma.plane.written) ma.planeCancelPending = true;
    ma.plane.written = false;
    ma.plane.requested = true;
    ma.plane.frame = target;
    ma.plane.axis = v;
    ma.planeActivationPending = true;
    iso::UpdatePointMap(ma);
  }
  st.I = v.x;
  st.J = v.y;
  st.K = v.z;
  return SolveToolAxis(h, v, false, statement);
}

void RequestRtcp(iso::RunContext& ctx) {
  iso::RunState& st = ctx.state;
  iso::MultiAxisState& ma = st.multiAxis;
  if (iso::WritesMachineCoordinates(st, ctx.definition)) return;  // the post does the control
  ma.rtcpRequested = true;
  ma.rtcpActivationPending = !ma.rtcpWritten && !ToolLoadComing(st);
}

namespace {

/// A hole of a canned cycle with its own tool axis: drilled along it, in a plane turned to it (or
/// under the vertical tool, by machine coordinates of a table machine); the cycle starts again
/// when the axis changes. Never drilled vertically instead: without a plane code the run stops.
bool CycleHoleAxis(HandlerContext& h, const kinematics::Machine& m, const iso::Vec3& v,
                   std::string_view statement) {
  iso::RunContext& ctx = h.ctx;
  iso::RunState& st = ctx.state;
  iso::MultiAxisState& ma = st.multiAxis;
  const bool turnedByTable = iso::WritesMachineCoordinates(st, ctx.definition) && !m.swingsTool();
  const iso::Vec3 current = ma.plane.requested ? ma.plane.axis
                            : turnedByTable    ? iso::Vec3{st.I, st.J, st.K}
                                               : kUp;
  if (SameDirection(ctx, v, current)) return true;
  if (!turnedByTable && !SameDirection(ctx, v, kUp) &&
      ctx.definition.PP_ACTIVATION_PLAN_INCLINE.empty()) {
    StopRun(ctx, kMsgNoPlaneCode, statement);
    return false;
  }
  if (st.cycle.holeStarted) {
    ma.cycleRestart = true;
    st.cycle.holeStarted = false;
  }
  if (!turnedByTable) return RequestPlaneFor(h, v, statement);
  st.I = v.x, st.J = v.y, st.K = v.z;
  return SolveWith(h, m, v, false, statement);
}

}  // namespace

bool ToolAxisMove(HandlerContext& h, const iso::Vec3& given, std::string_view statement) {
  iso::RunContext& ctx = h.ctx;
  iso::RunState& st = ctx.state;
  const iso::MultiAxisState& ma = st.multiAxis;
  const kinematics::Machine& m = iso::MachineOf(st, ctx.definition);
  if (!m.hasSolution()) {
    st.I = given.x, st.J = given.y, st.K = given.z;
    if (!st.kinematicsWarned) {
      st.kinematicsWarned = true;
      ctx.message(kMsgNotImplemented);
    }
    return true;
  }
  const iso::Vec3 v = iso::ToolAxisOf(ma, given);
  if (st.cycleMode) return CycleHoleAxis(h, m, v, statement);
  if (ma.plane.requested) {
    if (SameDirection(ctx, v, ma.plane.axis)) return true;  // a point of the plane
    CancelPlane(st);
  }
  st.I = v.x, st.J = v.y, st.K = v.z;
  const bool feed = st.motionCode == iso::kMotionFeed && st.prevKnown && !ToolLoadComing(st);
  if (!SolveWith(h, m, v, feed, statement)) return false;
  if (!ma.rtcpRequested && Turned(st, m.setup().resolution)) RequestRtcp(ctx);
  return true;
}

void PlanMachineMove(HandlerContext& h) {
  iso::RunContext& ctx = h.ctx;
  iso::RunState& st = ctx.state;
  iso::MultiAxisState& ma = st.multiAxis;
  ma.path.clear();
  ma.endKnown = false;
  if (st.motionCode != iso::kMotionFeed || !st.prevKnown || ToolLoadComing(st) ||
      st.rotaryResetPending || st.incremental || st.cycleMode) {
    return;
  }
  if (st.A == st.prevA && st.B == st.prevB && st.C == st.prevC) return;
  const kinematics::Machine& m = iso::MachineOf(st, ctx.definition);
  const kinematics::Pose from{{st.prevX, st.prevY, st.prevZ}, {st.prevA, st.prevB, st.prevC}};
  const kinematics::Pose to{{st.X, st.Y, st.Z}, {st.A, st.B, st.C}};
  // Where the machine stands: the position the last block wrote.
  const iso::Vec3 written{ma.prevOutX, ma.prevOutY, ma.prevOutZ};
  kinematics::LinearizeMove(m, from, to, iso::SwingLength(ctx.definition, ctx.tools),
                            ctx.definition.ToleranceCalcul, ma.path, &written, &ma.endMachine);
  ma.endKnown = true;
  ma.endPose = to;
  if (ma.path.size() <= 1) ma.path.clear();
}

}  // namespace ordalis::apt
