// Placeholder until the kinematics land: angles stay as they were.
#include "core/kinematics/kinematics.h"

namespace ordalis::kinematics {
void SolveAngles(app::Context&, const iso::Vec3&, double&, double&, double&) {}
void SetWorkingPlane(app::Context&, const iso::Vec3&) {}
}  // namespace ordalis::kinematics
