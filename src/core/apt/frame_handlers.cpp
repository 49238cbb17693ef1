#include "core/apt/frame_handlers.h"

#include <cmath>
#include <string>

#include "core/apt/multi_axis.h"
#include "core/apt/parameters.h"
#include "core/common/text.h"
#include "core/iso/arc.h"
#include "core/iso/multi_axis.h"

namespace ordalis::apt {

namespace {

constexpr int kMatrixValues = 12;

void LogKnownNotDone(iso::RunContext& ctx, std::string_view statement) {
  std::string detail(" ");
  detail.append(statement);
  ctx.message(kMsgKnownNotDone, detail);
}

/// TLAXIS on a machine without rotary axes: the working plane whose normal is `v`.
void SetWorkingPlane(iso::RunContext& ctx, const iso::Vec3& v) {
  iso::RunState& st = ctx.state;
  st.planeChangePending = true;
  st.planeG17 = st.planeG18 = st.planeG19 = false;
  st.planeG17M = st.planeG18M = st.planeG19M = false;
  st.inclinedPlane = false;
  st.planeNormal = v;
  const auto is = [&v](double x, double y, double z) { return v.x == x && v.y == y && v.z == z; };
  if (is(0, 0, 1)) {
    st.planeCode = 17, st.planeG17 = true;
  } else if (is(0, 0, -1)) {
    st.planeCode = -17, st.planeG17M = true;
  } else if (is(0, 1, 0)) {
    st.planeCode = 18, st.planeG18 = true;
  } else if (is(0, -1, 0)) {
    st.planeCode = -18, st.planeG18M = true;
  } else if (is(1, 0, 0)) {
    st.planeCode = 19, st.planeG19 = true;
  } else if (is(-1, 0, 0)) {
    st.planeCode = -19, st.planeG19M = true;
  } else {
    ctx.message(kMsgNonStandardPlane);
  }
}

/// TRACUT: the frame the following points and tool axes are written in; they go into the part
/// through it. On a five-axis machine the tool stands along the frame's Z (the program is
/// three-axis inside it) and the frame becomes the inclined plane.
void SetCamFrame(HandlerContext& h, const kinematics::Frame& frame, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  iso::MultiAxisState& ma = st.multiAxis;
  ma.camFrameActive = !kinematics::IsIdentity(frame);
  ma.camFrame = ma.camFrameActive ? frame : kinematics::Frame{};
  iso::UpdatePointMap(ma);
  if (HasRotaryAxes(h.ctx)) RequestPlaneFor(h, common::Column(ma.camFrame.rotation, 2), statement);
}

/// CSYS and MSYS: the frame of the operation that follows, given in the part, its Z along the
/// tool; the points and tool axes stay in the part. A five-axis machine tilts its inclined plane
/// to it; one that cannot turn its tool that way (a part turned upside down) takes it as a setup
/// of its own: the points are written in it, for the part fixtured that way, and a message says
/// so when it changes. A three-axis machine never cuts a flipped or tilted setup as if it stood
/// upright: the run stops there; an upright frame changes nothing on it.
void SetWorkFrame(HandlerContext& h, const kinematics::Frame& frame, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  iso::MultiAxisState& ma = st.multiAxis;
  const bool active = !kinematics::IsIdentity(frame);
  if (!HasRotaryAxes(h.ctx)) {
    const iso::Vec3 z = common::Column(frame.rotation, 2);
    if (std::fabs(z.x) + std::fabs(z.y) + std::fabs(z.z - 1) > 1e-6) {
      StopRun(h.ctx, kMsgToolAxisRefused, statement);
    }
    return;
  }
  const bool changed = active != ma.workFrameActive || !kinematics::SameFrame(frame, ma.workFrame);
  ma.workFrameActive = active;
  ma.workFrame = active ? frame : kinematics::Frame{};
  const iso::Vec3 axis = common::Column(ma.workFrame.rotation, 2);
  ma.setupFrameActive =
      active && !iso::MachineOf(st, h.ctx.definition).solve(axis, iso::AnglesOf(st), false).reached;
  if (ma.setupFrameActive && changed) {
    h.ctx.message(kMsgSetupFrame, std::string(" ").append(statement));
  }
  iso::UpdatePointMap(ma);
  // In a setup of its own the tool stands upright; otherwise the plane turns it along the frame.
  RequestPlaneFor(h, ma.setupFrameActive ? iso::Vec3{0, 0, 1} : axis, statement);
}

/// Reads `count` numbers from item 1 on; false when an item is not a plain number.
bool ReadValues(const ParamList& p, double* values, int count) {
  if (p.count() != count) return false;
  for (int i = 0; i < count; ++i) {
    const std::string_view item = common::Trim(p.item(i + 1));
    if (item.empty() || !std::isfinite(p.number(i + 1))) return false;
    values[i] = p.number(i + 1);
  }
  return true;
}

/// The frame of a 12-value matrix; false (reported) when the values make none.
bool FrameOfMatrix(HandlerContext& h, const ParamList& p, std::string_view statement,
                   kinematics::Frame& frame) {
  double m[kMatrixValues];
  if (ReadValues(p, m, kMatrixValues) && kinematics::FrameFromMatrix(m, frame)) return true;
  h.ctx.message(kMsgNotProcessed, statement);
  return false;
}

}  // namespace

void HandleTlaxis(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const ParamList p = ParamList::of(statement);
  if (p.count() < 3) ReportIncomplete(h.ctx, statement);
  iso::Vec3 v{p.number(1), p.number(2), p.number(3)};
  const double length = iso::Length(v);
  if (length == 0 || !std::isfinite(length)) {
    // A zero axis names no plane; the plane in force stays.
    if (p.count() >= 3) ReportIncomplete(h.ctx, statement);
    return;
  }
  if (std::fabs(length - 1) > 1e-9) v = iso::Unit(v);
  if (HasRotaryAxes(h.ctx)) {
    // The inclined plane is reported as the working plane it replaces.
    if (RequestPlaneFor(h, iso::ToolAxisOf(st.multiAxis, v), statement) &&
        st.multiAxis.plane.requested) {
      h.ctx.message(kMsgNonStandardPlane);
    }
    return;
  }
  st.I = v.x;
  st.J = v.y;
  st.K = v.z;
  SetWorkingPlane(h.ctx, v);
}

void HandleMultax(HandlerContext& h, std::string_view statement) {
  iso::RunContext& ctx = h.ctx;
  iso::RunState& st = ctx.state;
  iso::MultiAxisState& ma = st.multiAxis;
  const std::string_view word = common::Trim(ParamList::of(statement).item(1));
  st.gWordPending = true;
  if (word == "ON") {
    CancelPlane(st);
    RequestRtcp(ctx);
    return;
  }
  if (word != "OFF") return;
  // Back to three-axis work: no control, no plane, the tool upright, and the length offset
  // armed again by the next move as after a tool change.
  const auto& d = ctx.definition;
  const bool dropsLength = (ma.rtcpWritten && !d.PP_DESACTIVATION_RTCP.empty()) ||
                           (ma.plane.written && !d.PP_DESACTIVATION_PLAN_INCLINE.empty());
  ma.rtcpCancelPending = ma.rtcpWritten;
  ma.rtcpRequested = ma.rtcpActivationPending = false;
  CancelPlane(st);
  if (HasRotaryAxes(ctx)) {
    const kinematics::Solution up =
        iso::MachineOf(st, d).solve({0, 0, 1}, kinematics::Angles{0, 0, 0});
    st.I = 0, st.J = 0, st.K = 1;
    if (up.reached) st.A = up.angles[0], st.B = up.angles[1], st.C = up.angles[2];
  }
  if (dropsLength && st.loadedTool >= 0 && !st.toolChangePending) st.toolJustLoaded = true;
}

void HandleCsys(HandlerContext& h, std::string_view statement) {
  kinematics::Frame frame;
  if (FrameOfMatrix(h, ParamList::of(statement), statement, frame)) {
    SetWorkFrame(h, frame, statement);
  }
}

void HandleMsys(HandlerContext& h, std::string_view statement) {
  const ParamList p = ParamList::of(statement);
  kinematics::Frame frame;
  if (p.count() == kMatrixValues) {
    if (FrameOfMatrix(h, p, statement, frame)) SetWorkFrame(h, frame, statement);
    return;
  }
  double v[9];
  if (!ReadValues(p, v, 9) || !kinematics::FrameFromAxes({v[0], v[1], v[2]}, {v[3], v[4], v[5]},
                                                         {v[6], v[7], v[8]}, frame)) {
    h.ctx.message(kMsgNotProcessed, statement);
    return;
  }
  SetWorkFrame(h, frame, statement);
}

void HandleTracut(HandlerContext& h, std::string_view statement) {
  const ParamList p = ParamList::of(statement);
  if (p.count() == 1 && common::Trim(p.item(1)) == "NOMORE") {
    return SetCamFrame(h, kinematics::Frame{}, statement);
  }
  kinematics::Frame frame;
  if (p.count() == kMatrixValues) {
    if (FrameOfMatrix(h, p, statement, frame)) SetCamFrame(h, frame, statement);
    return;
  }
  LogKnownNotDone(h.ctx, statement);
}

void HandleTrntyp(HandlerContext& h, std::string_view statement) {
  const ParamList p = ParamList::of(statement);
  bool world = common::Trim(p.item(1)) == "WORLD";
  for (int i = 2; i <= p.count(); ++i) world = world && p.number(i) == 0;
  if (!world) LogKnownNotDone(h.ctx, statement);
}

}  // namespace ordalis::apt
