#include "core/apt/geometry_handlers.h"

#include <cmath>
#include <string>

#include "core/apt/motion_handlers.h"
#include "core/apt/parameters.h"
#include "core/common/text.h"
#include "core/iso/arc.h"
#include "core/iso/multi_axis.h"

namespace ordalis::apt {

namespace {

iso::Vec3 Value3(const ParamList& p, int first) {
  return {p.number(first), p.number(first + 1), p.number(first + 2)};
}

/// A program point in the frame the output is written in.
iso::Vec3 Point(const iso::RunState& st, const ParamList& p, int first) {
  return iso::MapPoint(st.multiAxis, Value3(p, first));
}

/// A program direction in the frame the output is written in.
iso::Vec3 Direction(const iso::RunState& st, const ParamList& p, int first) {
  return iso::MapDirection(st.multiAxis, Value3(p, first));
}

/// Machine coordinates turn an arc with the part or swing it with the head: it then leaves the
/// controller's plane and is written as chords.
bool MachineTurnsArcs(iso::RunContext& ctx) {
  const iso::RunState& st = ctx.state;
  return ctx.definition.OPTION_COORDONNEES_MACHINE &&
         iso::WritesMachineCoordinates(ctx.state, ctx.definition) &&
         (st.A != 0 || st.B != 0 || st.C != 0);
}

void LogWithStatement(iso::RunContext& ctx, int id, std::string_view statement) {
  std::string detail(" ");
  detail.append(statement);
  ctx.message(id, detail);
}

/// The arc starts where the machine is: the previous position and angles.
void TakeStart(iso::RunState& st) {
  st.arc.start = {st.prevX, st.prevY, st.prevZ};
  st.arc.endA = st.prevA;
  st.arc.endB = st.prevB;
  st.arc.endC = st.prevC;
}

/// The step of the output's coordinates: 0.001 for "X#0.000".
double OutputStep(std::string_view pattern) {
  const std::size_t point = pattern.find('.');
  if (point == std::string_view::npos) return 1;
  double step = 1;
  for (std::size_t i = point + 1; i < pattern.size() && (pattern[i] == '0' || pattern[i] == '#');
       ++i) {
    step /= 10;
  }
  return step;
}

/// An arc the output cannot tell from a full circle or from a point: its end written as its start
/// (a 0.0004 mm arc read back as a whole turn), or a radius below the output's step.
bool RoundsToNothing(const iso::ArcState& arc, double step) {
  const auto same = [step](double a, double b) {
    return std::llround(a / step) == std::llround(b / step);
  };
  const bool endIsStart =
      same(arc.start.x, arc.end.x) && same(arc.start.y, arc.end.y) && same(arc.start.z, arc.end.z);
  // An end exactly on the start is the whole circle the program asks for.
  const bool fullCircle = iso::Distance(arc.start, arc.end) < 1e-9;
  return (endIsStart && !fullCircle) || std::fabs(arc.radius) < step;
}

/// Computes the arc whose start, end, centre and axis are stored, then hands it to the generator:
/// as a circle block when it lies in the working plane, as chords otherwise.
void FinishArc(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  iso::ArcState& arc = st.arc;
  if (arc.radiusFromStart) {
    arc.radius = iso::RadiusInArcPlane(arc, st.planeNormal);
    arc.radiusFromStart = false;
  }
  st.X = arc.end.x;
  st.Y = arc.end.y;
  st.Z = arc.end.z;
  if (RoundsToNothing(arc, OutputStep(h.ctx.definition.FORMAT_PP_X))) {
    st.chordPoints.assign(1, arc.end);
    return;
  }
  const bool inPlane = iso::ArcInWorkingPlane(arc, st.planeNormal) && !MachineTurnsArcs(h.ctx);
  if (!iso::ComputeArcChecked(st, h.ctx.definition)) {
    LogWithStatement(h.ctx, kMsgStatementFormat, statement);
  }
  if (inPlane) {
    // Many controllers refuse to start or end compensation on an arc: the user is told.
    if (st.correctionPending) LogWithStatement(h.ctx, kMsgCompensationOnArc, statement);
    st.circlePending = true;
    return;
  }
  iso::LinearizeArc(arc, st.planeNormal, h.ctx.definition.ToleranceCalcul, st.chordPoints);
  LogWithStatement(h.ctx, kMsgArcAsLines, statement);
}

/// Finds the circle and line parameters of TLON,GOFWD; false when the statement does not give them.
bool TlonParameters(iso::RunState& st, std::string_view statement, std::string_view& circle,
                    std::string_view& line) {
  if (!st.circleName.empty() && !st.lineName.empty()) {
    if (statement.find(st.circleName) == std::string_view::npos ||
        statement.find(st.lineName) == std::string_view::npos) {
      return false;
    }
    circle = common::TextAfter(st.circleDefinition, '/');
    line = common::TextAfter(st.lineDefinition, '/');
    st.circleName.clear();
    st.lineName.clear();
    return true;
  }
  // TLON,GOFWD/(CIRCLE/xc,yc,zc,r),ON,(LINE/x1,y1,z1,x2,y2,z2)
  const std::string_view p = ParameterText(statement);
  const std::size_t first = p.find('/');
  if (first == std::string_view::npos) return false;
  const std::size_t second = p.find('/', first + 1);
  if (second == std::string_view::npos) return false;
  circle = p.substr(first + 1);
  circle = circle.substr(0, circle.find(')'));
  line = p.substr(second + 1);
  return true;
}

}  // namespace

void HandleCircle(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  iso::ArcState& arc = st.arc;
  st.circleMark = true;
  const ParamList p = ParamList::of(statement);
  const int n = p.count();
  arc.centre = Point(st, p, 1);
  arc.radiusFromStart = false;
  if (n == 4) {
    // The source form CIRCLE/xc,yc,zc,r: the arc turns about the working-plane normal.
    arc.axis = {};
    arc.radius = p.number(4);
    return;
  }
  arc.axis = Direction(st, p, 4);
  arc.radius = p.number(7);
  if (n == 6) {
    arc.radiusFromStart = true;
  } else if (n < 6) {
    ReportIncomplete(h.ctx, statement);
  }
}

void HandleCircleGoto(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  st.circleMark = false;
  const ParamList p = ParamList::of(statement);
  if (p.count() < 3) {
    // Without its end the arc is dropped rather than cut short at a made-up point.
    LogWithStatement(h.ctx, kMsgBadGoto, statement);
    return;
  }
  if (p.count() == 6 && RefuseToolAxis(h, statement, p.number(4), p.number(5), p.number(6))) return;
  st.arc.end = Point(st, p, 1);
  TakeStart(st);
  FinishArc(h, statement);
}

void HandleTlonGofwd(HandlerContext& h, std::string_view statement) {
  iso::RunContext& ctx = h.ctx;
  iso::RunState& st = ctx.state;
  if (statement.find("CYLNDR") != std::string_view::npos) {
    ctx.message(kMsgNotProcessed, statement);
    return;
  }
  st.circleMark = false;
  std::string_view circleText, lineText;
  if (!TlonParameters(st, statement, circleText, lineText)) {
    // No arc of an earlier circle is written again in its place.
    ctx.message(kMsgNotProcessed, statement);
    return;
  }
  const ParamList circle(circleText);
  const ParamList line(lineText);
  if (circle.count() < 4 || line.count() < 6) ReportIncomplete(ctx, statement);
  iso::ArcState& arc = st.arc;
  arc.centre = Point(st, circle, 1);
  arc.radius = circle.number(4);
  arc.axis = {};  // no axis is given: the arc turns about the working-plane normal
  arc.radiusFromStart = false;
  arc.end = Point(st, line, 4);
  TakeStart(st);
  FinishArc(h, statement);
}

void HandleIndirv(HandlerContext& h, std::string_view statement) {
  const ParamList p = ParamList::of(statement);
  if (p.count() < 3) ReportIncomplete(h.ctx, statement);
  h.ctx.state.arc.indirv = Direction(h.ctx.state, p, 1);
}

}  // namespace ordalis::apt
