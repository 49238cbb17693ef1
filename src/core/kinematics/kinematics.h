#pragma once
// What the rest of the program asks of the kinematics as a whole.

namespace ordalis::kinematics {

/// True when the kinematics number has an angle solution: every machine of the list 2 to 20.
/// 1, the three-axis machine, needs none; other numbers name no machine.
bool HasAngleSolution(int type);

}  // namespace ordalis::kinematics
