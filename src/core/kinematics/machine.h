#pragma once
// One machine's rotary-axis solution: tool-axis vectors to angles (with the choice between
// solutions, windings, limits and axis types), angles back to the tool axis, and the machine
// coordinates of a tool-tip point for controllers without tool-centre-point control.

#include "core/kinematics/machine_types.h"
#include "core/kinematics/rotation.h"

namespace ordalis::kinematics {

struct Solution {
  Angles angles{};
  bool reached = false;  // false: no solution lies within the limits; `angles` are the previous
  bool rewind = false;   // the limits forced a long way round that the tool axis does not need
  Angles home{};  // with `rewind`: the solution nearest all axes at 0, where a reset re-enters
};

class Machine {
 public:
  Machine() : Machine(MachineSetup{}) {}
  explicit Machine(const MachineSetup& setup);

  const MachineSetup& setup() const { return setup_; }
  /// True when the kinematics number has an angle solution (1 has no rotary axis, and numbers
  /// outside 1-20 name no machine).
  bool hasSolution() const { return chain_.kind != ChainKind::kNone; }
  /// True for real machines, whose axis positions can be computed (not the notations 15, 16, 18).
  bool hasMachineCoordinates() const { return chain_.physical; }
  /// True when a rotary axis swings the tool (a head), so the tool's length matters.
  bool swingsTool() const {
    return chain_.physical &&
           (chain_.outer.carrier == Carrier::kHead || chain_.inner.carrier == Carrier::kHead);
  }

  /// Angles for the unit tool axis `v`: of both solutions and every winding, the one inside every
  /// limit nearest `previous`. On the singular position the free axis keeps its previous angle.
  /// `checkRewind` false skips the look at what the limits cost (`rewind` stays false).
  Solution solve(const Vec3& v, const Angles& previous, bool checkRewind = true) const;

  /// The tool axis (tip towards spindle, in part coordinates) that the angles give.
  Vec3 toolAxis(const Angles& angles) const;

  /// The X, Y, Z that put the tool tip on `tip` (program coordinates) at these angles, on a
  /// controller that compensates the tool length along Z only: the tables turn the point about
  /// the table centre, the heads swing the tip about the pivot (`length`: pivot length plus the
  /// tool's own length). An upright tool with the tables at zero gives the point itself.
  Vec3 toMachine(const Vec3& tip, const Angles& angles, double length) const;
  /// The reverse of toMachine: where the tip stands for machine X, Y, Z and the angles.
  Vec3 fromMachine(const Vec3& position, const Angles& angles, double length) const;

  /// The rotations of the head and the tables at some angles, for several conversions at once.
  struct Placement {
    Mat3 head, table;  // the tool axis in the part is table^T head Z
  };
  Placement placement(const Angles& angles) const;
  Vec3 toMachineAt(const Vec3& tip, const Placement& p, double length) const;
  Vec3 fromMachineAt(const Vec3& position, const Placement& p, double length) const;

  /// The way axis `axis` goes from `from` to `to`: the shorter way round on rollover and modulo
  /// axes, which the controller takes, the plain difference on linear ones.
  double travel(int axis, double from, double to) const;
  /// The angles a fraction `t` of the way from `from` to `to` as the controller moves the axes
  /// (each along its travel), written the way the axis shows them.
  Angles interpolate(const Angles& from, const Angles& to, double t) const;

  /// How one rotary axis may move: its limits, or endless turns (rollover, modulo).
  struct AxisRule {
    bool wrap = false;
    bool limited = false;
    double lo = 0, hi = 0;
    double slack = 0;  // how far past a limit a value still counts as on it
  };

 private:
  /// The outer and inner angles of one geometric solution, before windings.
  struct Base {
    double outer = 0, inner = 0;
  };
  /// The geometric solutions for the unit axis `t` (none, one or two), before windings.
  int baseSolutions(const Vec3& t, const Angles& previous, Base* bases) const;
  /// Both solutions of the plain A/C and B/C chains for the unit axis `t`, whose square length
  /// across the outer axis is `across2`.
  int plainSolutions(const Vec3& t, double across2, Base* bases) const;
  /// The base solution and windings inside the limits nearest `previous`, and the distance of
  /// the nearest one with no limit. False when none lies inside the limits.
  bool pick(const Base* bases, int n, const Angles& previous, Angles& best, double& bestDistance,
            double& freeDistance) const;
  bool wraps(int axis) const;

  MachineSetup setup_;
  Chain chain_;
  AxisRule rules_[2];  // outer, inner
  // C about Z carrying A about X or B about Y, the commonest machines, solved straight from the
  // tool axis.
  enum class Plain { kNo, kAboutX, kAboutY };
  Plain plain_ = Plain::kNo;
  double singular2_ = 0;  // a tilt from the outer axis below the resolution, as sin squared
};

}  // namespace ordalis::kinematics
