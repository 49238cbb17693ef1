#pragma once
// Five-axis moves on controllers without tool-centre-point control: the controller moves every
// axis in a straight line of machine coordinates, so the tool tip leaves the straight line of the
// program while the rotary axes turn. The move is split until the tip stays within tolerance.

#include <vector>

#include "core/kinematics/machine.h"

namespace ordalis::kinematics {

struct Pose {
  Vec3 tip;
  Angles angles{};
};

/// Appends to `out` the poses that end the sub-moves of the straight tool-tip move from `from`
/// to `to` (the last one is `to`), so that the tip never leaves the line by more than
/// `tolerance` between two of them. `length` is the swing length of toMachine; `fromMachine`,
/// when given, is where the machine stands for `from` (it saves computing it again).
/// `toMachine`, when given, receives where the machine stands for `to`.
void LinearizeMove(const Machine& machine, const Pose& from, const Pose& to, double length,
                   double tolerance, std::vector<Pose>& out, const Vec3* fromMachine = nullptr,
                   Vec3* toMachine = nullptr);

/// How far the tip leaves the line from `from` to `to` halfway between the machine positions of
/// the poses at fractions t0 and t1 of the move.
double MidpointDeviation(const Machine& machine, const Pose& from, const Pose& to, double length,
                         double t0, double t1);

}  // namespace ordalis::kinematics
