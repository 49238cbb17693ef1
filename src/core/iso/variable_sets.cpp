#include "core/iso/variable_sets.h"

#include <cmath>
#include <iterator>
#include <unordered_map>

#include "core/iso/number_format.h"
#include "core/iso/run_state.h"
#include "core/kinematics/work_plane.h"
#include "core/ppdef/definition.h"
#include "core/tools/tool_table.h"

namespace ordalis::iso {

namespace {

// clang-format off
enum Var : VariableId {
  kValidPt, kValidCircle, kTool, kDtool, kSSpindle, kFeedrate, kCoolnt, kAir, kSpindle, kTmark,
  kComment, kCorr, kPartno, kRewind, kTempo, kToolName, kToolNum, kToolDiam, kToolRadius,
  kToolAngle, kToolRc, kToolDiamPro, kToolLg, kToolLgCut, kToolLgProg, kToolRemark, kFile, kNcFile,
  kDate, kTime, kX, kY, kZ, kA, kB, kC, kI, kJ, kK, kFirstX, kFirstY, kFirstZ, kFirstA, kFirstB,
  kFirstC, kDecOrigin, kOriginX, kOriginY, kOriginZ, kHRegister, kDRegister,
  // Inclined plane: origin, spatial angles, Euler angles
  kPlaneX, kPlaneY, kPlaneZ, kPlaneA, kPlaneB, kPlaneC, kPlaneEuler1, kPlaneEuler2, kPlaneEuler3,
  // Circle
  kCodeCercle, kRelX, kRelY, kRelZ, kAbsX, kAbsY, kAbsZ, kMidX, kMidY, kMidZ, kEndX, kEndY, kEndZ,
  kRadius, kAngle, kEndA, kEndB, kEndC,
  // Cycle: derived values
  kCfxMinusDepth, kCfxPlusDepth, kCfyMinusDepth, kCfyPlusDepth, kCfzMinusDepth, kCfzPlusDepth,
  kCxMinusDepth, kCxPlusDepth, kCyMinusDepth, kCyPlusDepth, kCzMinusDepth, kCzPlusDepth,
  kClearMinusDepth, kClearPlusDepth, kMinusDepth, kMinusRetract, kMinusDecrement, kDecrement,
  kCzMinusClear, kCzPlusClear, kCzMinusRetract, kCzPlusRetract, kCfzMinusClear, kCfzPlusClear,
  kCfzMinusRetract, kCfzPlusRetract,
  // Cycle: parameters and points
  kDepth, kCycleFeed, kCycleSpindle, kDwell, kRetract, kClearance, kZStep, kPitch, kRadialPass,
  kDiameter, kDirection, kCfX, kCfY, kCfZ, kCfA, kCfB, kCfC, kCX, kCY, kCZ, kCA, kCB, kCC,
  kClearZ, kClearAboveZ, kDwellMs,
};

constexpr std::uint8_t F = 1, T = 2, O = 4, Y = 8, C = 16;

struct Entry {
  const char* name;
  Var var;
  std::uint8_t sets;
};

constexpr Entry kEntries[] = {
    {"VALID_PT", kValidPt, F}, {"VALID_CIRCLE", kValidCircle, F}, {"PP_TOOL", kTool, F | T | Y},
    {"PP_DTOOL", kDtool, F | T | Y}, {"PP_S_SPINDLE", kSSpindle, F | T | Y},
    {"PP_FEEDRATE", kFeedrate, F | T | Y | C}, {"PP_COOLNT", kCoolnt, F | T | Y},
    {"PP_AIR", kAir, F | T}, {"PP_SPINDLE", kSpindle, F | T | Y}, {"PP_TMARK", kTmark, F | T},
    {"PP_COMMENT", kComment, F | T | Y | C}, {"PP_CORR", kCorr, F | T | C},
    {"PP_PARTNO", kPartno, F}, {"PP_REWIND", kRewind, F}, {"PP_TEMPO", kTempo, F},
    {"TOOL_NAME", kToolName, F | T}, {"TOOL_NUM", kToolNum, F | T}, {"TOOL_DIAM", kToolDiam, F | T},
    {"TOOL_RADIUS", kToolRadius, F | T}, {"TOOL_ANGLE", kToolAngle, F | T},
    {"TOOL_RC", kToolRc, F | T}, {"TOOL_DIAM_PRO", kToolDiamPro, F | T}, {"TOOL_LG", kToolLg, F | T},
    {"TOOL_LG_CUT", kToolLgCut, F | T}, {"TOOL_LG_PROG", kToolLgProg, F | T},
    {"TOOL_REMARK", kToolRemark, F | T}, {"PP_FILE", kFile, F}, {"PP_NCFILE", kNcFile, F},
    {"PP_DATE", kDate, F}, {"PP_TIME", kTime, F}, {"PP_X", kX, F}, {"PP_Y", kY, F},
    {"PP_Z", kZ, F}, {"PP_A", kA, F}, {"PP_B", kB, F}, {"PP_C", kC, F}, {"PP_I", kI, F},
    {"PP_J", kJ, F}, {"PP_K", kK, F}, {"PP_FIRST_X", kFirstX, F | Y},
    {"PP_FIRST_Y", kFirstY, F | Y}, {"PP_FIRST_Z", kFirstZ, F | Y}, {"PP_FIRST_A", kFirstA, F},
    {"PP_FIRST_B", kFirstB, F}, {"PP_FIRST_C", kFirstC, F}, {"PP_DEC_ORIGIN", kDecOrigin, F | O},
    {"PP_ORIGIN_X", kOriginX, O}, {"PP_ORIGIN_Y", kOriginY, O}, {"PP_ORIGIN_Z", kOriginZ, O},
    {"PP_H_REGISTER", kHRegister, F | T | Y}, {"PP_D_REGISTER", kDRegister, F | T | Y},
    {"PP_PLANE_X", kPlaneX, F}, {"PP_PLANE_Y", kPlaneY, F}, {"PP_PLANE_Z", kPlaneZ, F},
    {"PP_PLANE_A", kPlaneA, F}, {"PP_PLANE_B", kPlaneB, F}, {"PP_PLANE_C", kPlaneC, F},
    {"PP_PLANE_EULER_1", kPlaneEuler1, F}, {"PP_PLANE_EULER_2", kPlaneEuler2, F},
    {"PP_PLANE_EULER_3", kPlaneEuler3, F},
    {"PP_CODE_CERCLE", kCodeCercle, C},
    {"PP_CENTRE_RELATIF_X", kRelX, C}, {"PP_CENTRE_RELATIF_Y", kRelY, C},
    {"PP_CENTRE_RELATIF_Z", kRelZ, C}, {"PP_CENTER_RELATIF_X", kRelX, C},
    {"PP_CENTER_RELATIF_Y", kRelY, C}, {"PP_CENTER_RELATIF_Z", kRelZ, C},
    {"PP_CENTRE_ABSOLU_X", kAbsX, C}, {"PP_CENTRE_ABSOLU_Y", kAbsY, C},
    {"PP_CENTRE_ABSOLU_Z", kAbsZ, C}, {"PP_CENTER_ABSOLUT_X", kAbsX, C},
    {"PP_CENTER_ABSOLUT_Y", kAbsY, C}, {"PP_CENTER_ABSOLUT_Z", kAbsZ, C},
    {"PP_POINT_MID_CERCLE_X", kMidX, C}, {"PP_POINT_MID_CERCLE_Y", kMidY, C},
    {"PP_POINT_MID_CERCLE_Z", kMidZ, C}, {"PP_POINT_MID_CIRCLE_X", kMidX, C},
    {"PP_POINT_MID_CIRCLE_Y", kMidY, C}, {"PP_POINT_MID_CIRCLE_Z", kMidZ, C},
    {"PP_POINT_CERCLE_X", kEndX, C}, {"PP_POINT_CERCLE_Y", kEndY, C},
    {"PP_POINT_CERCLE_Z", kEndZ, C}, {"PP_POINT_CIRCLE_X", kEndX, C},
    {"PP_POINT_CIRCLE_Y", kEndY, C}, {"PP_POINT_CIRCLE_Z", kEndZ, C},
    {"PP_RAYON_CERCLE", kRadius, C}, {"PP_RADIUS_CIRCLE", kRadius, C},
    {"PP_ANGLE_CERCLE", kAngle, C}, {"PP_ANGLE_CIRCLE", kAngle, C},
    {"PP_ANGLE_A_CERCLE", kEndA, C}, {"PP_ANGLE_B_CERCLE", kEndB, C},
    {"PP_ANGLE_C_CERCLE", kEndC, C}, {"PP_ANGLE_A_CIRCLE", kEndA, C},
    {"PP_ANGLE_B_CIRCLE", kEndB, C}, {"PP_ANGLE_C_CIRCLE", kEndC, C},
    {"PP_CYCLE_FIRST_X-PP_CYCLE_DEPTH", kCfxMinusDepth, Y},
    {"PP_CYCLE_FIRST_X+PP_CYCLE_DEPTH", kCfxPlusDepth, Y},
    {"PP_CYCLE_FIRST_Y-PP_CYCLE_DEPTH", kCfyMinusDepth, Y},
    {"PP_CYCLE_FIRST_Y+PP_CYCLE_DEPTH", kCfyPlusDepth, Y},
    {"PP_CYCLE_FIRST_Z-PP_CYCLE_DEPTH", kCfzMinusDepth, Y},
    {"PP_CYCLE_FIRST_Z+PP_CYCLE_DEPTH", kCfzPlusDepth, Y},
    {"PP_CYCLE_X-PP_CYCLE_DEPTH", kCxMinusDepth, Y}, {"PP_CYCLE_X+PP_CYCLE_DEPTH", kCxPlusDepth, Y},
    {"PP_CYCLE_Y-PP_CYCLE_DEPTH", kCyMinusDepth, Y}, {"PP_CYCLE_Y+PP_CYCLE_DEPTH", kCyPlusDepth, Y},
    {"PP_CYCLE_Z-PP_CYCLE_DEPTH", kCzMinusDepth, Y}, {"PP_CYCLE_Z+PP_CYCLE_DEPTH", kCzPlusDepth, Y},
    {"PP_CYCLE_CLEARENCE-PP_CYCLE_DEPTH", kClearMinusDepth, Y},
    {"PP_CYCLE_CLEARENCE+PP_CYCLE_DEPTH", kClearPlusDepth, Y},
    {"-PP_CYCLE_DEPTH", kMinusDepth, Y}, {"-PP_CYCLE_RETRACT", kMinusRetract, Y},
    {"-PP_CYCLE_DECREMENT", kMinusDecrement, Y}, {"PP_CYCLE_DECREMENT", kDecrement, Y},
    {"PP_CYCLE_Z-PP_CYCLE_CLEARENCE", kCzMinusClear, Y},
    {"PP_CYCLE_Z+PP_CYCLE_CLEARENCE", kCzPlusClear, Y},
    {"PP_CYCLE_CLEARENCE+PP_CYCLE_Z", kCzPlusClear, Y},
    {"PP_CYCLE_Z-PP_CYCLE_RETRACT", kCzMinusRetract, Y},
    {"PP_CYCLE_Z+PP_CYCLE_RETRACT", kCzPlusRetract, Y},
    {"PP_CYCLE_RETRACT+PP_CYCLE_Z", kCzPlusRetract, Y},
    {"PP_CYCLE_FIRST_Z-PP_CYCLE_CLEARENCE", kCfzMinusClear, Y},
    {"PP_CYCLE_FIRST_Z+PP_CYCLE_CLEARENCE", kCfzPlusClear, Y},
    {"PP_CYCLE_FIRST_Z-PP_CYCLE_RETRACT", kCfzMinusRetract, Y},
    {"PP_CYCLE_FIRST_Z+PP_CYCLE_RETRACT", kCfzPlusRetract, Y},
    {"PP_CYCLE_DEPTH", kDepth, Y}, {"PP_CYCLE_FEED", kCycleFeed, Y},
    {"PP_CYCLE_SPINDLE", kCycleSpindle, Y}, {"PP_CYCLE_DWELL", kDwell, Y},
    {"PP_CYCLE_RETRACT", kRetract, Y}, {"PP_CYCLE_CLEARENCE", kClearance, Y},
    {"PP_CYCLE_ZSTEP", kZStep, Y}, {"PP_CYCLE_PITCH", kPitch, Y},
    {"PP_CYCLE_RADIALPASS", kRadialPass, Y}, {"PP_CYCLE_DIAMETER", kDiameter, Y},
    {"PP_CYCLE_DIR", kDirection, Y}, {"PP_CYCLE_FIRST_X", kCfX, Y}, {"PP_CYCLE_FIRST_Y", kCfY, Y},
    {"PP_CYCLE_FIRST_Z", kCfZ, Y}, {"PP_CYCLE_FIRST_A", kCfA, Y}, {"PP_CYCLE_FIRST_B", kCfB, Y},
    {"PP_CYCLE_FIRST_C", kCfC, Y}, {"PP_CYCLE_X", kCX, Y}, {"PP_CYCLE_Y", kCY, Y},
    {"PP_CYCLE_Z", kCZ, Y}, {"PP_CYCLE_A", kCA, Y}, {"PP_CYCLE_B", kCB, Y}, {"PP_CYCLE_C", kCC, Y},
    {"PP_CYCLE_CLEAR_Z", kClearZ, Y}, {"PP_CYCLE_CLEAR_Z-PP_CYCLE_Z", kClearAboveZ, Y},
    {"PP_CYCLE_DWELL_MS", kDwellMs, Y},
};

// clang-format on

const std::unordered_map<std::string_view, const Entry*>& NameIndex() {
  static const auto* index = [] {
    auto* map = new std::unordered_map<std::string_view, const Entry*>();
    for (const Entry& e : kEntries) map->emplace(e.name, &e);
    return map;
  }();
  return *index;
}

Value Real(double v) { return {Value::kReal, v, {}}; }
Value Single(float v) { return {Value::kSingle, v, {}}; }
Value Integer(double v) { return {Value::kInteger, v, {}}; }
Value Text(std::string_view t) { return {Value::kText, 0, t}; }

// clang-format off
Value ToolValue(Var v, const tools::ToolRecord& t) {
  switch (v) {
    case kToolName: return Text(t.name);
    case kToolNum: return Integer(t.number);
    case kToolDiam: return Single(t.diameter);
    case kToolRadius: return Single(t.radius);
    case kToolAngle: return Single(t.angle);
    case kToolRc: return Single(t.cornerRadius);
    case kToolDiamPro: return Single(t.programmedDiameter);
    case kToolLg: return Single(t.length);
    case kToolLgCut: return Single(t.cuttingLength);
    case kToolLgProg: return Single(t.programmedLength);
    default: return Text(t.remark);
  }
}

Value CircleValue(Var v, const ArcState& a, double f) {
  switch (v) {
    case kCodeCercle: return Text(a.codeText);
    case kRelX: return Real(a.relativeCentre.x * f);
    case kRelY: return Real(a.relativeCentre.y);
    case kRelZ: return Real(a.relativeCentre.z);
    case kAbsX: return Real(a.centre.x * f);
    case kAbsY: return Real(a.centre.y);
    case kAbsZ: return Real(a.centre.z);
    case kMidX: return Real(a.middle.x * f);
    case kMidY: return Real(a.middle.y);
    case kMidZ: return Real(a.middle.z);
    case kEndX: return Real(a.end.x * f);
    case kEndY: return Real(a.end.y);
    case kEndZ: return Real(a.end.z);
    case kRadius: return Real(a.radius);
    case kAngle: return Real(a.sweptAngle);
    case kEndA: return Real(a.endA);
    case kEndB: return Real(a.endB);
    default: return Real(a.endC);
  }
}

Value DerivedCycleValue(Var v, const CycleState& c, double f) {
  const double depth = c.depth, clear = c.clearance, retract = c.retract;
  switch (v) {
    case kCfxMinusDepth: return Real(f * c.firstX - depth);
    case kCfxPlusDepth: return Real(f * c.firstX + depth);
    case kCfyMinusDepth: return Real(c.firstY - depth);
    case kCfyPlusDepth: return Real(c.firstY + depth);
    case kCfzMinusDepth: return Real(c.firstZ - depth);
    case kCfzPlusDepth: return Real(c.firstZ + depth);
    case kCxMinusDepth: return Real(f * c.pointX - depth);
    case kCxPlusDepth: return Real(f * c.pointX + depth);
    case kCyMinusDepth: return Real(c.pointY - depth);
    case kCyPlusDepth: return Real(c.pointY + depth);
    case kCzMinusDepth: return Real(c.pointZ - depth);
    case kCzPlusDepth: return Real(c.pointZ + depth);
    case kClearMinusDepth: return Real(clear - depth);
    case kClearPlusDepth: return Real(clear + depth);
    case kMinusDepth: return Single(-c.depth);
    case kMinusRetract: return Single(-c.retract);
    case kMinusDecrement: return Single(-c.decrement);
    case kDecrement: return Single(c.decrement);
    case kCzMinusClear: return Real(c.pointZ - clear);
    case kCzPlusClear: return Real(c.pointZ + clear);
    case kCzMinusRetract: return Real(c.pointZ - retract);
    case kCzPlusRetract: return Real(c.pointZ + retract);
    case kCfzMinusClear: return Real(c.firstZ - clear);
    case kCfzPlusClear: return Real(c.firstZ + clear);
    case kCfzMinusRetract: return Real(c.firstZ - retract);
    default: return Real(c.firstZ + retract);
  }
}

Value CycleValue(Var v, const CycleState& c, double f) {
  switch (v) {
    case kDepth: return Single(c.depth);
    case kCycleFeed: return Single(c.feed);
    case kCycleSpindle: return Single(c.spindle);
    case kDwell: return Single(c.dwell);
    case kRetract: return Single(c.retract);
    case kClearance: return Single(c.clearance);
    case kZStep: return Single(c.zStep);
    case kPitch: return Single(c.pitch);
    case kRadialPass: return Single(c.radialPass);
    case kDiameter: return Single(c.diameter);
    case kDirection: return Single(c.direction);
    case kCfX: return Real(c.firstX * f);
    case kCfY: return Real(c.firstY);
    case kCfZ: return Real(c.firstZ);
    case kCfA: return Real(c.firstA);
    case kCfB: return Real(c.firstB);
    case kCfC: return Real(c.firstC);
    case kCX: return Real(c.pointX * f);
    case kCY: return Real(c.pointY);
    case kCZ: return Real(c.pointZ);
    case kCA: return Real(c.pointA);
    case kCB: return Real(c.pointB);
    case kCC: return Real(c.pointC);
    case kClearZ: return Real(CycleClearHeight(c, c.pointZ));
    case kClearAboveZ: return Real(CycleClearHeight(c, c.pointZ) - c.pointZ);
    // Controllers that count a dwell in milliseconds (Fanuc's G82 P) need whole milliseconds.
    case kDwellMs: return Integer(std::round(static_cast<double>(c.dwell) * 1000));
    default: return DerivedCycleValue(v, c, f);
  }
}

// The inclined plane as controllers name it: its origin in the part, its angles about the fixed
// X, Y, Z axes, and its Euler angles Z, X', Z''.
Value PlaneValue(Var v, const kinematics::Frame& frame, double f) {
  switch (v) {
    case kPlaneX: return Real(frame.origin.x * f);
    case kPlaneY: return Real(frame.origin.y);
    case kPlaneZ: return Real(frame.origin.z);
    case kPlaneA: return Real(kinematics::SpatialAngles(frame.rotation).x);
    case kPlaneB: return Real(kinematics::SpatialAngles(frame.rotation).y);
    case kPlaneC: return Real(kinematics::SpatialAngles(frame.rotation).z);
    case kPlaneEuler1: return Real(kinematics::EulerZxz(frame.rotation).x);
    case kPlaneEuler2: return Real(kinematics::EulerZxz(frame.rotation).y);
    default: return Real(kinematics::EulerZxz(frame.rotation).z);
  }
}

Value StateValue(Var v, const VariableSources& src) {
  const RunState& s = src.state;
  const double f = src.def.XDiameterFactor;
  switch (v) {
    case kValidPt: return {Value::kBoolean, s.pointPending ? -1.0 : 0.0, {}};
    case kValidCircle: return {Value::kBoolean, s.circlePending ? -1.0 : 0.0, {}};
    case kTool: return Integer(s.requestedTool);
    case kDtool: return Integer(s.lengthCorrector);
    case kSSpindle: return Real(s.spindleSpeed);
    case kFeedrate: return Real(s.feedRate);
    case kCoolnt: return Text(s.coolant);
    case kAir: return Text(s.air);
    case kSpindle: return Text(s.spindle);
    case kTmark: return Text(s.tmark);
    case kComment: return Text(s.comment);
    case kCorr: return Text(s.correction);
    case kPartno: return Text(s.partName);
    case kRewind: return Text(s.rewind);
    case kTempo: return Single(s.dwell);
    case kFile: return Text(s.fileBase);
    case kNcFile: return Text(s.ncFile);
    case kDate: return {Value::kDate, static_cast<double>(src.now), {}};
    case kTime: return {Value::kTime, static_cast<double>(src.now), {}};
    case kX: return Real(s.X * f);
    case kY: return Real(s.Y);
    case kZ: return Real(s.Z);
    case kA: return Real(s.A);
    case kB: return Real(s.B);
    case kC: return Real(s.C);
    case kI: return Real(s.I * f);
    case kJ: return Real(s.J);
    case kK: return Real(s.K);
    case kFirstX: return Real(s.firstX * f);
    case kFirstY: return Real(s.firstY);
    case kFirstZ: return Real(s.firstZ);
    case kFirstA: return Real(s.firstA);
    case kFirstB: return Real(s.firstB);
    case kFirstC: return Real(s.firstC);
    case kDecOrigin: return Integer(s.originShift);
    case kOriginX: return Real(s.originX);
    case kOriginY: return Real(s.originY);
    case kOriginZ: return Real(s.originZ);
    // Registers the program names; the tool number where it names none.
    case kHRegister: return Integer(s.lengthRegister >= 0 ? s.lengthRegister : s.requestedTool);
    case kDRegister: return Integer(s.radiusRegister >= 0 ? s.radiusRegister : s.requestedTool);
    default: return PlaneValue(v, s.multiAxis.plane.frame, f);
  }
}

// clang-format on

}  // namespace

bool FindVariable(std::string_view name, VariableSet set, VariableId& id) {
  const auto& index = NameIndex();
  const auto it = index.find(name);
  if (it == index.end() || (it->second->sets & static_cast<std::uint8_t>(set)) == 0) return false;
  id = it->second->var;
  return true;
}

bool IsTemplateVariable(std::string_view name) {
  return name == kLineNumberName || NameIndex().count(name) != 0;
}

std::vector<std::string_view> TemplateVariableNames() {
  std::vector<std::string_view> names;
  names.reserve(std::size(kEntries) + 1);
  for (const Entry& e : kEntries) names.emplace_back(e.name);
  names.push_back(kLineNumberName);
  return names;
}

Value VariableValue(VariableId id, const VariableSources& src) {
  const Var v = static_cast<Var>(id);
  if (v >= kToolName && v <= kToolRemark) return ToolValue(v, src.tools.current());
  if (v >= kCodeCercle && v <= kEndC) return CircleValue(v, src.state.arc, src.def.XDiameterFactor);
  if (v >= kCfxMinusDepth) return CycleValue(v, src.state.cycle, src.def.XDiameterFactor);
  return StateValue(v, src);
}

bool IsOutsideText(VariableId id) {
  switch (static_cast<Var>(id)) {
    case kComment:
    case kPartno:
    case kRewind:
    case kTmark:
    case kToolName:
    case kToolRemark:
    case kFile:
    case kNcFile:
      return true;
    default:
      return false;
  }
}

void ConsumeFlags(VariableId id, RunState& s) {
  s.toolChangePending = false;
  switch (static_cast<Var>(id)) {
    case kFeedrate:
      s.feedPending = false;
      break;
    case kSSpindle:
      s.spindleSpeedPending = false;
      break;
    case kSpindle:
      s.spindleState = 0;
      break;
    case kDtool:
      s.correctorPending = false;
      break;
    case kCoolnt:
      s.coolantPending = false;
      break;
    case kCorr:
      s.correctionPending = false;
      break;
    case kComment:
      s.commentPending = false;
      break;
    case kValidPt:
      s.pointPending = false;
      break;
    case kValidCircle:
      s.circlePending = false;
      break;
    default:
      break;
  }
}

}  // namespace ordalis::iso
