#pragma once
// The twenty machine kinematics: which rotary axis carries which, about which direction, and
// whether it turns the tool (head) or the part (table). docs/kinematics.md draws each of them.

#include <array>

#include "core/common/vec3.h"

namespace ordalis::kinematics {

/// Rotary angles in degrees: A, B, C.
using Angles = std::array<double, 3>;
inline constexpr int kA = 0, kB = 1, kC = 2;

/// The kinematics numbers of the definition (Cinématique_Machine), named as docs/kinematics.md
/// names them: head or table, then the rotary axes.
enum MachineType : int {
  kThreeAxes = 1,
  kHeadAB = 2,
  kHeadAC = 3,
  kHeadBC = 4,
  kHeadAC45 = 5,
  kHeadBC45 = 6,
  kTableAC = 7,
  kTableBC = 8,
  kTableAC45 = 9,
  kTableBC45 = 10,
  kHeadATableC = 11,
  kHeadBTableC = 12,
  kHead45ATableC = 13,
  kHead45BTableC = 14,
  kEulerABC = 15,
  kRobotABC = 16,
  kMillTurn = 17,
  kVectorIJK = 18,
  kUniversalHeadAC = 19,
  kUniversalHeadBC = 20,
};

/// True for every type with rotary axes (all but the three-axis machine).
constexpr bool HasRotaryAxes(int type) { return type >= kHeadAB; }
/// True for the notations that are angles of no real machine (Euler, robot, vector and above).
constexpr bool IsNotation(int type) { return type >= kEulerABC; }

/// Axis types of the definition (Type_AXE_AB, Type_AXE_C).
inline constexpr int kAxisLinear = 1, kAxisRollover = 2, kAxisModulo = 3;

/// What the angle solution needs to know about one machine.
struct MachineSetup {
  int type = 1;                  // Cinématique_Machine, 1 to 20
  double abMin = 0, abMax = 0;   // PP_LIMIT_AB_*: a limit holds only when min < max
  double cMin = 0, cMax = 0;     // PP_LIMIT_C_*
  int abAxisType = kAxisLinear;  // Type_AXE_AB
  int cAxisType = kAxisLinear;   // Type_AXE_C
  double headAngle = 0;          // PP_HEAD_ANGLE, degrees (types 19 and 20)
  double resolution = 0.001;     // degrees the output can show: a smaller tilt is noise
  double pivotLength = 0;        // head pivot to spindle gauge line, for machine coordinates
  common::Vec3 tableCentre;      // where the table axes cross, in program coordinates

  bool operator==(const MachineSetup& o) const;
};

enum class Carrier { kHead, kTable };

/// One rotary axis of a chain: which angle drives it, its direction when the outer axis stands at
/// zero, the sense in which the angle turns the tool axis relative to the part, and what it moves.
struct Joint {
  int angle = kC;
  common::Vec3 direction{0, 0, 1};
  double sense = 1;
  Carrier carrier = Carrier::kHead;
};

enum class ChainKind {
  kNone,     // 1 (no rotary axis) and numbers outside 1-20
  kTwoAxes,  // V = R(outer) R(inner) Z
  kIjk,      // 18: the angles are the vector itself
};

/// The model of one kinematics number. For the notations 15 and 16 the third angle is fixed
/// (`fixedAngle` at 0) and 16 points the chain's Z against the tool axis (a robot flange faces
/// the part).
struct Chain {
  ChainKind kind = ChainKind::kNone;
  Joint outer, inner;
  int fixedAngle = -1;
  bool againstAxis = false;
  bool physical = false;  // a real machine: machine coordinates can be computed
};

/// The chain of a kinematics number; `headAngle` serves the universal heads 19 and 20.
Chain ChainOf(int type, double headAngle);

}  // namespace ordalis::kinematics
