#include "core/kinematics/kinematics.h"

#include <cmath>

#include "core/app/context.h"

namespace ordalis::kinematics {

namespace {

constexpr double kDegPerRad = 57.295779513082320876798154814105;

struct Angles {
  double a, b, c;
};

/// -x without a negative zero, which a formatter could write as "-0.000".
double Negate(double x) { return 0.0 - x; }

/// Head A/B: B from the tool axis seen along Y, A from its elevation out of the XZ plane.
void HeadAB(const iso::Vec3& v, Angles& r) {
  if (v.x == 0 && v.z == 0) {
    // Along Y: B does not change the axis; A alone tips the tool.
    r.a = v.y > 0 ? -90 : (v.y < 0 ? 90 : 0);
    r.b = Angle(v.x, v.y);
  } else {
    r.b = Angle(v.z, v.x);
    r.a = Negate(Angle(std::sqrt(v.x * v.x + v.z * v.z), v.y));
  }
  r.c = 0;
}

/// A/C, head or table: A tilts about X, C turns the tilt towards the axis's direction.
void AC(const iso::Vec3& v, double rho, Angles& r) {
  if (v.x == 0 && v.y == 0) {
    r.a = Angle(v.z, 0, -180);  // C keeps its value: it does not change a vertical axis
    return;
  }
  r.a = Angle(v.z, rho, -180);
  r.c = Angle(v.x, v.y, -180) + 90;
}

void HeadAC(const iso::Vec3& v, double rho, Angles& r) {
  const double previousC = r.c;
  AC(v, rho, r);
  if (std::fabs(previousC - r.c) >= 180) {  // the other solution is nearer
    r.c -= 180;
    r.a = Negate(r.a);
  }
}

void HeadBC(const iso::Vec3& v, double rho, Angles& r) {
  r.a = 0;
  if (v.x == 0 && v.y == 0) {
    r.b = Angle(v.z, 0);
    r.c = 0;
    return;
  }
  const double c = Angle(v.x, v.y);
  const bool flip = std::fabs(r.c - c) >= 180;
  r.c = flip ? c - 180 : c;
  r.b = flip ? Negate(Angle(v.z, rho)) : Angle(v.z, rho);
}

void TableBC(const iso::Vec3& v, double rho, Angles& r) {
  if (v.x == 0 && v.y == 0) {
    r.b = Negate(Angle(v.z, 0));
    r.c = 0;
    return;
  }
  r.c = Negate(Angle(v.x, v.y));
  r.b = Negate(Angle(v.z, rho));
}

void HeadBTableC(const iso::Vec3& v, double rho, Angles& r) {
  if (v.x == 0 && v.y == 0) {
    r.b = Angle(v.z, 0);
    return;
  }
  r.c = Angle(v.x, v.y);
  if (r.c < 0) r.c += 360;
  r.b = Angle(v.z, rho);
}

void UniversalHeadAC(const iso::Vec3& v, Angles& r) {
  r.b = 0;
  if (v.x == 0 && v.y == 0) {
    r.a = r.c = 0;
  } else if (v.z != 0) {
    r.a = Angle(v.z, v.y);
    r.c = Angle(v.z, v.x);
  } else {
    r.a = v.y > 0 ? 90 : -90;
    r.c = Angle(v.x, v.y);
  }
}

/// Table A/C: when A leaves its limits the other solution (-A, C + 180) is tried. Returns false
/// when neither fits.
bool ApplyTableLimits(const ppdef::PostProcessorDefinition& def, Angles& r) {
  const auto inAB = [&def](double a) {
    return a >= def.PP_LIMIT_AB_MINI && a <= def.PP_LIMIT_AB_MAXI;
  };
  if (inAB(r.a)) return true;
  const double a = Negate(r.a);
  double c = r.c + 180;
  if (c < def.PP_LIMIT_C_MINI) {
    c += 360;
  } else if (c > def.PP_LIMIT_C_MAXI) {
    c -= 360;
  }
  if (c < def.PP_LIMIT_C_MINI || !inAB(a)) return false;
  r.a = a;
  r.c = c;
  return true;
}

}  // namespace

double Angle(double x, double y, double halfTurn) {
  if (y == 0) return x < 0 ? halfTurn : 0;
  return std::atan2(y, x) * kDegPerRad;
}

bool HasAngleSolution(int type) {
  switch (type) {
    case 2:
    case 3:
    case 4:
    case 7:
    case 8:
    case 12:
    case 16:
    case 18:
    case 19:
      return true;
    default:
      return false;
  }
}

void SolveAngles(app::Context& ctx, const iso::Vec3& v, double& a, double& b, double& c) {
  const int type = ctx.definition.Cinematique_Machine;
  const double rho = std::sqrt(v.x * v.x + v.y * v.y);
  Angles r{a, b, c};
  switch (type) {
    case 2:
      HeadAB(v, r);
      break;
    case 3:
      HeadAC(v, rho, r);
      break;
    case 4:
      HeadBC(v, rho, r);
      break;
    case 7:
      AC(v, rho, r);
      if (!ApplyTableLimits(ctx.definition, r)) {
        ctx.message(kMsgUnreachable);
        ctx.state.rotaryResetPending = true;
        return;
      }
      break;
    case 8:
      TableBC(v, rho, r);
      break;
    case 12:
      HeadBTableC(v, rho, r);
      break;
    case 16:
      r.a = r.b = 0;
      r.c = v.x == 0 && v.y == 0 ? 180 : 0;
      break;
    case 18:
      r = {v.x, v.y, v.z};
      break;
    case 19:
      UniversalHeadAC(v, r);
      break;
    default:
      if (type > 1 && !ctx.state.kinematicsWarned) {
        ctx.state.kinematicsWarned = true;
        ctx.message(kMsgNotImplemented);
      }
      return;
  }
  a = r.a;
  b = r.b;
  c = r.c;
}

void SetWorkingPlane(app::Context& ctx, const iso::Vec3& v) {
  iso::RunState& st = ctx.state;
  st.planeChangePending = true;
  st.planeG17 = st.planeG18 = st.planeG19 = false;
  st.planeG17M = st.planeG18M = st.planeG19M = false;
  // A standard plane ends an inclined one: its activation must not be written again.
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
    SolveAngles(ctx, v, st.firstA, st.firstB, st.firstC);
    st.inclinedPlane = st.firstA != 0 || st.firstB != 0 || st.firstC != 0;
    ctx.message(kMsgNonStandardPlane);
  }
}

}  // namespace ordalis::kinematics
