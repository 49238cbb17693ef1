#include "core/kinematics/kinematics.h"

#include "core/kinematics/machine_types.h"

namespace ordalis::kinematics {

bool HasAngleSolution(int type) { return type != 1 && ChainOf(type, 0).kind != ChainKind::kNone; }

}  // namespace ordalis::kinematics
