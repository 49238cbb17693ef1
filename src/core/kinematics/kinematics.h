#pragma once
// Rotary-axis angles from tool-axis vectors, and working planes from TLAXIS.
//
// Angles are in degrees. The machines are modelled as rotations of the tool axis Z = (0, 0, 1)
// (Rx, Ry, Rz: right-hand rotations about X, Y, Z):
//   head A/B (2)                            V = Ry(B) Rx(A) Z   (the B axis carries the A axis)
//   head A/C (3), table A/C (7)             V = Rz(C) Rx(A) Z
//   head B/C (4), head B with table C (12)  V = Rz(C) Ry(B) Z
//   table B/C (8)                           V = Rz(-C) Ry(-B) Z (the table turns the part back)
// Types 16, 18 and 19 follow their fixed notations; the others have no solution.

#include "core/iso/run_state.h"

namespace ordalis::app {
struct Context;
}

namespace ordalis::kinematics {

/// Catalogue ids of the kinematics messages.
inline constexpr int kMsgNotImplemented = 2117;    // "Attention : Cinématique non implémentée !"
inline constexpr int kMsgNonStandardPlane = 2121;  // "Plan de travail non standard"
inline constexpr int kMsgUnreachable = 2131;       // "Position non atteignable"

/// Direction of the point (x, y) in degrees, from -180 to 180; 0 for (0, 0). A point on the
/// negative x axis gives `halfTurn` (180 or -180, as the machine's solution expects).
double Angle(double x, double y, double halfTurn = 180);

/// True when the kinematics number has an angle solution (1, the three-axis machine, has none
/// and needs none).
bool HasAngleSolution(int type);

/// Solves the angles of the definition's machine for the tool axis `v`. `a`, `b`, `c` hold the
/// previous angles on entry and the new ones on return; unreachable positions keep the input
/// angles, log the reason and raise the rotary-axis reset. A machine without a solution keeps the
/// angles and is reported once per run.
void SolveAngles(app::Context& ctx, const iso::Vec3& v, double& a, double& b, double& c);

/// TLAXIS: sets the working plane (or the inclined plane) for the tool axis `v`.
void SetWorkingPlane(app::Context& ctx, const iso::Vec3& v);

}  // namespace ordalis::kinematics
