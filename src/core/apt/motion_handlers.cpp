#include "core/apt/motion_handlers.h"

#include <cmath>
#include <string>

#include "core/apt/multi_axis.h"
#include "core/apt/parameters.h"
#include "core/common/text.h"
#include "core/iso/motion_code.h"
#include "core/iso/multi_axis.h"
#include "core/kinematics/machine_types.h"

namespace ordalis::apt {

namespace {

constexpr int kFeed = iso::kMotionFeed;
constexpr int kIncremental = iso::kMotionIncremental;
constexpr int kRapid = iso::kMotionRapid;
constexpr int kRapidIncremental = iso::kMotionRapidIncremental;

/// Point pending; right after a tool load the point is also the first point of the new tool.
void MarkPointReady(iso::RunState& st) {
  st.pointPending = true;
  if (!st.toolJustLoaded) return;
  st.firstPointPending = true;
  st.toolJustLoaded = false;
  st.firstX = st.X;
  st.firstY = st.Y;
  st.firstZ = st.Z;
  st.firstA = st.A;
  st.firstB = st.B;
  st.firstC = st.C;
}

/// The motion code a GOTO leaves: a feed move unless a rapid, a cycle or a code still to be
/// written is in force. A GOTO is absolute, so incremental codes are turned back.
void SetGotoMotionCode(iso::RunState& st) {
  int& m = st.motionCode;
  if (m == kIncremental || m == kRapidIncremental) {
    m = m == kIncremental ? kFeed : kRapid;
    st.gWordPending = true;
    return;
  }
  if (m >= kRapid) return;
  if (m != kFeed) st.gWordPending = true;
  if (m <= kFeed && m != iso::kMotionNextHole) m = kFeed;
}

/// The first GOTO after a move that cancelled a cycle drills again, as a first hole.
void ResumeCycle(iso::RunState& st) {
  st.cycle.resumePending = false;
  st.cycleMode = true;
  st.cycle.holeStarted = false;
  st.motionCode = st.cycle.kindCode;
}

void SetGodltaMotionCode(iso::RunState& st) {
  int& m = st.motionCode;
  if (m == kRapid || m == kRapid + kFeed) {
    m = kRapidIncremental;
    st.gWordPending = true;
  } else if (m < kRapid && m != kIncremental) {
    m = kIncremental;
    st.gWordPending = true;
  }
}

/// The work-offset code of an origin shift number: formatted with PP_G54_G57, or the template
/// expanded for controllers of type 3.
std::string OffsetText(HandlerContext& h) {
  const auto& def = h.ctx.definition;
  if (def.Type_Postprocesseur == 3) return h.engine.expandOrigin(def.PP_G54_G57);
  return iso::FormatAddress(h.ctx.state.originShift, def.PP_G54_G57);
}

}  // namespace

bool CycleHoldsMotionCode(const iso::RunState& state) { return state.cycleMode; }

void EndCycleBefore(iso::RunState& state) {
  if (state.cycleMode) state.cycle.endPending = true;
  // A cycle a move interrupted is cancelled already: it must not start again at the next GOTO.
  state.cycle.resumePending = false;
}

bool RefuseToolAxis(HandlerContext& h, std::string_view statement, double i, double j, double k) {
  if (kinematics::HasRotaryAxes(h.ctx.definition.Cinematique_Machine)) return false;
  const double length = std::sqrt(i * i + j * j + k * k);
  // No axis at all names no orientation; an upright one within rounding is upright.
  if (!(length > 0) ||
      std::fabs(i / length) + std::fabs(j / length) + std::fabs(k / length - 1) < 1e-6) {
    return false;
  }
  h.ctx.message(kMsgToolAxisRefused, std::string(" ").append(statement));
  h.ctx.stopRun(iso::RunStop::kRule);
  return true;
}

void HandleGoto(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  st.cutcomJustRead = false;
  SetGotoMotionCode(st);
  if (st.cycle.resumePending) ResumeCycle(st);
  // The usual "GOTO/x,y,z[,i,j,k]" in one pass; any other form is read item by item below.
  double v[6];
  int n = common::ReadPlainNumberList(ParameterText(statement), v, 6);
  if (n != 3 && n != 6) {
    const ParamList p = ParamList::of(statement);
    if (p.count() < 3) {
      std::string detail(" ");
      detail.append(statement);
      h.ctx.message(kMsgBadGoto, detail);
      return;
    }
    n = p.count() == 6 ? 6 : 3;
    for (int i = 0; i < n; ++i) v[i] = p.number(i + 1);
  }
  // The axis as the program writes it: a machine without rotary axes never cuts a flipped or tilted
  // setup as if it were upright, whatever frame the points are mapped through.
  if (n == 6 && RefuseToolAxis(h, statement, v[3], v[4], v[5])) return;
  if (n == 6 && kinematics::HasRotaryAxes(h.ctx.definition.Cinematique_Machine) &&
      !ToolAxisMove(h, iso::Vec3{v[3], v[4], v[5]}, statement)) {
    return;  // the run stops here: no move with the wrong orientation
  }
  const iso::Vec3 p = iso::MapPoint(st.multiAxis, iso::Vec3{v[0], v[1], v[2]});
  st.X = p.x, st.Y = p.y, st.Z = p.z;
  if (h.ctx.definition.OPTION_COORDONNEES_MACHINE &&
      iso::WritesMachineCoordinates(st, h.ctx.definition)) {
    PlanMachineMove(h);
  }
  MarkPointReady(st);
}

void HandleGodlta(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  if (st.cycleMode) {
    // The controller would drill at the end of this move: the cycle is cancelled before it.
    st.cycle.interruptPending = true;
    st.motionCode = kFeed;
  }
  SetGodltaMotionCode(st);
  const ParamList p = ParamList::of(statement);
  if (p.count() < 3) ReportIncomplete(h.ctx, statement);
  // Increments turn with the frames but do not move with their origins.
  const iso::Vec3 d = iso::MapDirection(st.multiAxis, {p.number(1), p.number(2), p.number(3)});
  st.X = d.x;
  st.Y = d.y;
  st.Z = d.z;
  MarkPointReady(st);
}

void HandleRapid(HandlerContext& h, std::string_view) {
  iso::RunState& st = h.ctx.state;
  if (CycleHoldsMotionCode(st)) return;
  // A code already raised stays: raising it again would hide the code it carries (1091, 1151).
  if (st.motionCode < kRapid) st.motionCode += kRapid;
  st.gWordPending = true;
}

void HandleFrom(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const ParamList p = ParamList::of(statement);
  if (p.count() == 6 && RefuseToolAxis(h, statement, p.number(4), p.number(5), p.number(6))) return;
  if (p.count() == 3 || p.count() == 6) {
    const iso::Vec3 q = iso::MapPoint(st.multiAxis, {p.number(1), p.number(2), p.number(3)});
    st.firstX = q.x;
    st.firstY = q.y;
    st.firstZ = q.z;
  }
  if (p.count() == 6 && HasRotaryAxes(h.ctx)) {
    const iso::Vec3 given{p.number(4), p.number(5), p.number(6)};
    const kinematics::Solution s =
        iso::MachineOf(st, h.ctx.definition)
            .solve(iso::ToolAxisOf(st.multiAxis, given), iso::AnglesOf(st));
    if (!s.reached) return StopRun(h.ctx, kMsgUnreachable, statement);
    st.firstA = s.angles[kinematics::kA];
    st.firstB = s.angles[kinematics::kB];
    st.firstC = s.angles[kinematics::kC];
  }
  st.fromPending = true;
}

void HandleGohome(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const ParamList p = ParamList::of(statement);
  for (int i = 1; i <= p.count(); ++i) {
    const std::string_view item = p.item(i);
    if (item == "XAXIS") st.outputX = true;
    if (item == "YAXIS") st.outputY = true;
    if (item == "ZAXIS") st.outputZ = true;
  }
  EndCycleBefore(st);
  st.gohomePending = true;
}

void HandleOrigin(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const auto& def = h.ctx.definition;
  const ParamList p = ParamList::of(statement);
  const std::string_view kind = common::Trim(p.item(1));
  if (kind == "FIXTUR") {
    if (p.count() < 2) ReportIncomplete(h.ctx, statement);
    EndCycleBefore(st);
    st.originPending = true;
    st.originShift = RoundToInt16(p.number(2) + def.PP_DEC_ORIGIN);
    st.originText = OffsetText(h);
    return;
  }
  int first = 0;  // the item before the origin's X
  if (kind == "DATUM") {
    if (p.count() < 4) ReportIncomplete(h.ctx, statement);
    first = 1;
  } else if (p.count() != 3) {
    h.ctx.message(kMsgNotProcessed, statement);
    return;
  }
  EndCycleBefore(st);
  st.originPending = true;
  st.originX = p.number(first + 1);
  st.originY = p.number(first + 2);
  st.originZ = p.number(first + 3);
  st.originText = h.engine.expandOrigin(def.PP_ORIGIN);
}

void HandleSelect(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const ParamList items = ParamList::of(statement);
  const std::string_view first = common::Trim(items.item(1));
  if (!first.empty() && (first[0] < '0' || first[0] > '9') && first[0] != '-' && first[0] != '+' &&
      first[0] != '.') {
    // SELECT/TOOL,n and the like name no work offset: writing one would move the origin.
    h.ctx.message(kMsgKnownNotDone, std::string(" ").append(statement));
    return;
  }
  // SELECT/n is ORIGIN/FIXTUR,n: the number counts from the definition's base, as G55 for 2.
  st.originShift = RoundToInt16(items.number(1) + h.ctx.definition.PP_DEC_ORIGIN);
  st.originText = OffsetText(h);
  EndCycleBefore(st);
  st.workOffsetPending = true;
}

void HandleMcs(HandlerContext&, std::string_view) {}

}  // namespace ordalis::apt
