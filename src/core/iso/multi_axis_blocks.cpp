// Five-axis blocks: the tool-centre-point control and the inclined plane as the controller must
// see them (cancelled before a tool change, activated before the move that needs them or with a
// tool's first point, which has a template for each), the rotary-axis reset with its re-entry,
// and machine coordinates.
#include <cmath>
#include <limits>

#include "core/iso/block_generator.h"
#include "core/iso/motion_code.h"
#include "core/ppdef/definition.h"
#include "core/tools/tool_table.h"

namespace ordalis::iso {

namespace {

constexpr int kMsgRotaryReset = 2130;
constexpr int kMsgNoToolLength = 2162;

}  // namespace

void BlockGenerator::ownBlock(std::string_view tpl) {
  std::string text = engine_.expandFull(tpl);
  numberIfNeeded(text);
  AppendBlock(prefix_, text);
}

bool BlockGenerator::machineCoordinates() {
  const auto& d = ctx_.definition;
  return d.OPTION_COORDONNEES_MACHINE && WritesMachineCoordinates(ctx_.state, d);
}

Vec3 BlockGenerator::outputPoint(const Vec3& tip, const kinematics::Angles& angles) {
  if (!machineCoordinates()) return tip;
  RunState& s = ctx_.state;
  const MultiAxisState& ma = s.multiAxis;
  if (ma.endKnown && ma.endPose.angles == angles && ma.endPose.tip.x == tip.x &&
      ma.endPose.tip.y == tip.y && ma.endPose.tip.z == tip.z) {
    return ma.endMachine;  // worked out when the move was planned
  }
  const kinematics::Machine& m = MachineOf(s, ctx_.definition);
  if (m.swingsTool() && ctx_.tools.current().length == 0 && !s.multiAxis.toolLengthWarned &&
      (angles[0] != 0 || angles[1] != 0 || angles[2] != 0)) {
    // Without the tool's length the tip swings about the pivot length alone.
    s.multiAxis.toolLengthWarned = true;
    ctx_.message(kMsgNoToolLength);
  }
  return m.toMachine(tip, angles, SwingLength(ctx_.definition, ctx_.tools));
}

void BlockGenerator::setPreviousOutput(const Vec3& out) {
  MultiAxisState& m = ctx_.state.multiAxis;
  m.prevOutX = out.x;
  m.prevOutY = out.y;
  m.prevOutZ = out.z;
}

void BlockGenerator::multiAxisBlocks() {
  RunState& s = ctx_.state;
  MultiAxisState& m = s.multiAxis;
  const auto& d = ctx_.definition;
  if (m.cycleRestart) {
    // The holes move to another plane: the cycle is cancelled, the next hole starts it again.
    m.cycleRestart = false;
    std::string off = engine_.expandCycle(d.PP_CYCLE_OFF);
    numberIfNeeded(off);
    AppendBlock(prefix_, off);
    s.prevKnown = false;
  }
  if (m.rtcpCancelPending) {
    m.rtcpCancelPending = false;
    if (m.rtcpWritten) ownBlock(d.PP_DESACTIVATION_RTCP);
    m.rtcpWritten = false;
    s.gWordPending = true;
  }
  if (m.planeCancelPending) cancelPlaneBlock();
  const bool motion =
      s.pointPending || s.circlePending || !s.chordPoints.empty() || !m.path.empty();
  // The first point of a tool writes its own (outside a cycle, where the hole comes first).
  if (!motion || (s.firstPointPending && !s.cycleMode)) return;
  if (m.plane.requested && !m.plane.written) activatePlane(true);
  if (m.rtcpRequested && !m.rtcpWritten && !m.plane.written && !s.rotaryResetPending) {
    ownBlock(d.PP_ACTIVATION_RTCP);
    m.rtcpWritten = true;
    s.gWordPending = true;
  }
}

void BlockGenerator::cancelPlaneBlock() {
  RunState& s = ctx_.state;
  s.multiAxis.planeCancelPending = false;
  s.multiAxis.plane.written = false;
  ownBlock(ctx_.definition.PP_DESACTIVATION_PLAN_INCLINE);
  // The frame changed under the axes: the next move states every axis and its motion.
  s.prevKnown = false;
  s.gWordPending = true;
}

// The end of the program leaves no inclined plane behind.
void BlockGenerator::endInclinedPlane() {
  MultiAxisState& m = ctx_.state.multiAxis;
  if (m.plane.written) cancelPlaneBlock();
  m.plane.requested = false;
  UpdatePointMap(m);
}

void BlockGenerator::activatePlane(bool rearmNext) {
  RunState& s = ctx_.state;
  MultiAxisState& m = s.multiAxis;
  const auto& d = ctx_.definition;
  bool rearm = false;
  if (m.rtcpWritten) {
    // The controller's tool-centre-point control and its inclined plane do not mix.
    ownBlock(d.PP_DESACTIVATION_RTCP);
    rearm = !d.PP_DESACTIVATION_RTCP.empty();
    m.rtcpWritten = m.rtcpRequested = false;
  }
  ownBlock(d.PP_ACTIVATION_PLAN_INCLINE);
  m.plane.written = true;
  m.planeActivationPending = false;
  s.prevKnown = false;
  s.gWordPending = true;
  if (!rearm || !rearmNext) return;
  // The cancel took the length offset: this move arms it again, as a tool's first point (over a
  // hole, at the height its cycle clears at).
  s.firstX = s.X, s.firstY = s.Y, s.firstZ = s.cycleMode ? CycleClearHeight(s.cycle, s.Z) : s.Z;
  s.firstA = s.A, s.firstB = s.B, s.firstC = s.C;
  if (!s.cycleMode) {
    s.firstPointPending = true;
    return;
  }
  // A hole comes next: the tool goes over it with its length offset before the cycle starts.
  std::string after;
  ownBlock(firstPointTemplate(after));
  AppendBlock(prefix_, after);
  s.setPrevious(s.X, s.Y, s.firstZ, s.A, s.B, s.C);
}

// The first point after a tool change is written by PREMIER_POINT (outside cycle mode), or by
// the variant for the tool-centre-point control or the inclined plane in force.
bool BlockGenerator::firstPoint(std::string& r) {
  RunState& s = ctx_.state;
  if (!s.firstPointPending) return false;
  s.firstPointPending = false;
  if (s.cycleMode) {
    // The first point is a hole: the tool still goes over it with its length compensation.
    firstPointAboveHole();
    return false;
  }
  absoluteBefore();
  std::string after;
  const std::string& tpl = firstPointTemplate(after);
  const Vec3 tip{s.firstX, s.firstY, s.firstZ};
  const Vec3 out = outputPoint(tip, {s.firstA, s.firstB, s.firstC});
  s.firstX = out.x, s.firstY = out.y, s.firstZ = out.z;
  appendWord(r, engine_.expandFull(tpl));
  s.firstX = tip.x, s.firstY = tip.y, s.firstZ = tip.z;
  if (!after.empty()) AppendBlock(r, after);
  s.setPrevious(tip.x, tip.y, tip.z, s.firstA, s.firstB, s.firstC);
  setPreviousOutput(out);
  if (s.feedPending) {
    s.feedPending = false;
    appendWord(r, s.pendingFText);
  }
  s.motionCode = kMotionRepeat;
  s.gWordPending = false;
  s.pointPending = false;
  return true;
}

const std::string& BlockGenerator::firstPointTemplate(std::string& after) {
  MultiAxisState& m = ctx_.state.multiAxis;
  const auto& d = ctx_.definition;
  if (m.plane.requested) {
    if (!m.plane.written) activatePlane(false);
    return d.PREMIER_POINT_PLAN_INCLINE.empty() ? d.PREMIER_POINT : d.PREMIER_POINT_PLAN_INCLINE;
  }
  if (!m.rtcpRequested || m.rtcpWritten) return d.PREMIER_POINT;
  m.rtcpWritten = true;
  if (!d.PREMIER_POINT_RTCP.empty()) return d.PREMIER_POINT_RTCP;
  // A first point that does not switch the control on itself is followed by its code.
  if (d.PREMIER_POINT.find(d.PP_ACTIVATION_RTCP) == std::string::npos) {
    after = engine_.expandFull(d.PP_ACTIVATION_RTCP);
    numberIfNeeded(after);
  }
  return d.PREMIER_POINT;
}

// MACRO_RAZ homes the rotary axes; a move that needed it re-enters from the macro's height:
// rapid over the point with the new angles, then down to it.
void BlockGenerator::rotaryReset(std::string& r) {
  RunState& s = ctx_.state;
  MultiAxisState& m = s.multiAxis;
  const auto& d = ctx_.definition;
  s.rotaryResetPending = false;
  ctx_.message(kMsgRotaryReset);
  ownBlock(d.MACRO_RAZ);
  s.gWordPending = true;
  s.prevKnown = false;
  if (!d.MACRO_RAZ.empty()) m.rtcpWritten = false;  // homing the axes ends the control
  if (!m.reentryPending) return;
  m.reentryPending = false;
  const Vec3 out = outputPoint({s.X, s.Y, s.Z}, AnglesOf(s));
  std::string block;
  appendWord(block, d.PP_G00);
  const auto word = [&](CachedAddressFormat& f, const std::string& pattern, double v) {
    std::string w;
    f.get(pattern).append(v, w);
    appendWord(block, w);
  };
  word(formats_[0], d.FORMAT_PP_X, out.x * d.XDiameterFactor);
  word(formats_[1], d.FORMAT_PP_Y, out.y);
  const std::string* angleFormats[] = {&d.FORMAT_PP_A, &d.FORMAT_PP_B, &d.FORMAT_PP_C};
  const double angles[] = {s.A, s.B, s.C};
  for (int i = 0; i < 3; ++i) {
    if (d.RotaryAxisInUse[i]) word(formats_[6 + i], *angleFormats[i], angles[i]);
  }
  numberIfNeeded(block);
  AppendBlock(prefix_, block);
  // Only Z is left to go: the move down writes it, with the control switched on again.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  s.setPrevious(s.X, s.Y, nan, s.A, s.B, s.C);
  setPreviousOutput({out.x, out.y, nan});
  if (m.rtcpRequested) {
    appendWord(r, engine_.expandFull(d.PP_ACTIVATION_RTCP));
    m.rtcpWritten = true;
  }
}

}  // namespace ordalis::iso
