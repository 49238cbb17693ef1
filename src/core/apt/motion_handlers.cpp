#include "core/apt/motion_handlers.h"

#include <string>

#include "core/apt/parameters.h"
#include "core/common/text.h"
#include "core/kinematics/kinematics.h"

namespace ordalis::apt {

namespace {

constexpr int kFeed = 1;
constexpr int kIncremental = 91;
constexpr int kRapid = 1000;
constexpr int kRapidIncremental = 1091;
constexpr int kPlaneChange = 150;

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
  if (m <= kFeed && m != -1) m = kFeed;
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
  return iso::MonFormat(h.ctx.state.originShift, def.PP_G54_G57);
}

void LogKnownNotDone(HandlerContext& h, std::string_view statement) {
  std::string detail(" ");
  detail.append(MajorWord(statement));
  h.ctx.message(kMsgKnownNotDone, detail);
}

}  // namespace

bool CycleHoldsMotionCode(const iso::RunState& state) { return state.cycleMode; }

void HandleGoto(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  st.cutcomJustRead = false;
  SetGotoMotionCode(st);
  if (st.cycle.resumePending) ResumeCycle(st);
  // The usual "GOTO/x,y,z[,i,j,k]" in one pass; any other form is read item by item below.
  double v[6];
  const int n = common::ReadPlainNumberList(ParameterText(statement), v, 6);
  if (n == 3 || n == 6) {
    st.X = v[0], st.Y = v[1], st.Z = v[2];
    if (n == 6 && h.ctx.definition.Cinematique_Machine >= 2) {
      st.I = v[3], st.J = v[4], st.K = v[5];
      kinematics::SolveAngles(h.ctx, iso::Vec3{st.I, st.J, st.K}, st.A, st.B, st.C);
    }
    MarkPointReady(st);
    return;
  }
  const ParamList p = ParamList::Of(statement);
  if (p.count() < 3) {
    std::string detail(" ");
    detail.append(statement);
    h.ctx.message(kMsgBadGoto, detail);
    return;
  }
  st.X = p.number(1);
  st.Y = p.number(2);
  st.Z = p.number(3);
  if (p.count() == 6 && h.ctx.definition.Cinematique_Machine >= 2) {
    st.I = p.number(4);
    st.J = p.number(5);
    st.K = p.number(6);
    kinematics::SolveAngles(h.ctx, iso::Vec3{st.I, st.J, st.K}, st.A, st.B, st.C);
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
  const ParamList p = ParamList::Of(statement);
  if (p.count() < 3) ReportIncomplete(h.ctx, statement);
  st.X = p.number(1);
  st.Y = p.number(2);
  st.Z = p.number(3);
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
  const ParamList p = ParamList::Of(statement);
  if (p.count() == 3 || p.count() == 6) {
    st.firstX = p.number(1);
    st.firstY = p.number(2);
    st.firstZ = p.number(3);
  }
  if (p.count() == 6 && h.ctx.definition.Cinematique_Machine >= 2) {
    double a = st.A, b = st.B, c = st.C;
    kinematics::SolveAngles(h.ctx, iso::Vec3{p.number(4), p.number(5), p.number(6)}, a, b, c);
    st.firstA = a;
    st.firstB = b;
    st.firstC = c;
  }
  st.fromPending = true;
}

void HandleGohome(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const ParamList p = ParamList::Of(statement);
  for (int i = 1; i <= p.count(); ++i) {
    const std::string_view item = p.item(i);
    if (item == "XAXIS") st.outputX = true;
    if (item == "YAXIS") st.outputY = true;
    if (item == "ZAXIS") st.outputZ = true;
  }
  st.gohomePending = true;
}

void HandleOrigin(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const auto& def = h.ctx.definition;
  const ParamList p = ParamList::Of(statement);
  const std::string_view kind = common::Trim(p.item(1));
  if (kind == "FIXTUR") {
    if (p.count() < 2) ReportIncomplete(h.ctx, statement);
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
  st.originPending = true;
  st.originX = p.number(first + 1);
  st.originY = p.number(first + 2);
  st.originZ = p.number(first + 3);
  st.originText = h.engine.expandOrigin(def.PP_ORIGIN);
}

void HandleSelect(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const ParamList items = ParamList::Of(statement);
  const std::string_view first = common::Trim(items.item(1));
  if (!first.empty() && (first[0] < '0' || first[0] > '9') && first[0] != '-' && first[0] != '+' &&
      first[0] != '.') {
    // SELECT/TOOL,n and the like name no work offset: writing one would move the origin.
    h.ctx.message(kMsgKnownNotDone, std::string(" ").append(statement));
    return;
  }
  st.originShift = RoundToInt16(items.number(1));
  st.originText = OffsetText(h);
  st.workOffsetPending = true;
}

void HandleMcs(HandlerContext&, std::string_view) {}

void HandleMsys(HandlerContext& h, std::string_view statement) {
  h.ctx.state.motionCode = kPlaneChange;
  LogKnownNotDone(h, statement);
}

void HandleTracut(HandlerContext& h, std::string_view statement) {
  if (ParamList::Of(statement).count() == 3) h.ctx.state.motionCode = kPlaneChange;
  LogKnownNotDone(h, statement);
}

}  // namespace ordalis::apt
