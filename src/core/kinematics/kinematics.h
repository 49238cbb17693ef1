#pragma once
// Rotary-axis angles from tool-axis vectors, and working planes from TLAXIS.

#include "core/iso/run_state.h"

namespace ordalis::app {
struct Context;
}

namespace ordalis::kinematics {

/// Solves the angles of the definition's machine for the tool axis `v`. `a`, `b`, `c` hold the
/// previous angles on entry and the new ones on return; unreachable positions keep the input angles,
/// log the reason and raise the rotary-axis reset.
void SolveAngles(app::Context& ctx, const iso::Vec3& v, double& a, double& b, double& c);

/// TLAXIS: sets the working plane (or the inclined plane) for the tool axis `v`.
void SetWorkingPlane(app::Context& ctx, const iso::Vec3& v);

}  // namespace ordalis::kinematics
