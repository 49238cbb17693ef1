#pragma once
// The five-axis part of the run-time state: the machine's solution, the frames points go through
// on their way to the output, the tool-centre-point control and the inclined plane as the
// controller has them, and the sub-moves of a linearised five-axis move.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/kinematics/linearize.h"
#include "core/kinematics/machine.h"
#include "core/kinematics/work_plane.h"

namespace ordalis::iso {

/// The definition's machine, rebuilt when the definition's kinematic keys change.
struct MachineCache {
  bool built = false;
  kinematics::MachineSetup setup;
  // The definition's keys as they were when the machine was built.
  double headAngle = 0, pivotLength = 0;
  common::Vec3 centre;
  std::array<bool, 3> axesInUse{};
  std::string formatA, formatB, formatC;
  bool checked = false;  // compared in this run (a run never changes the definition)
  kinematics::Machine machine;
};

/// An inclined working plane (3+2): the frame the points are written in.
struct WorkPlane {
  bool requested = false;  // the points that follow are written in `frame`
  bool written = false;    // the controller runs in it (its activation was written)
  kinematics::Frame frame;
  common::Vec3 axis{0, 0, 1};  // the frame's Z in the part: the tool axis it holds
};

struct MultiAxisState {
  MachineCache cache;
  // TRACUT: the frame the program writes its points in, inside the part.
  bool camFrameActive = false;
  kinematics::Frame camFrame;
  // CSYS, MSYS: the frame of an operation, Z along its tool, given in the part. On a five-axis
  // machine it is the inclined plane, or a setup of its own when no orientation reaches it.
  bool workFrameActive = false;
  kinematics::Frame workFrame;
  bool setupFrameActive = false;
  WorkPlane plane;
  // A program point p goes to the output as mapRotation * p + mapOffset.
  bool pointsMapped = false;
  common::Mat3 mapRotation;
  common::Vec3 mapOffset;
  common::Mat3 camRotation;  // program directions into the part

  // Tool-centre-point control: asked for (MULTAX/ON, or a tilted tool axis) and as written.
  bool rtcpRequested = false;
  bool rtcpWritten = false;
  // Blocks the next generator call writes before anything else, in this order.
  bool rtcpCancelPending = false;
  bool planeCancelPending = false;
  bool planeActivationPending = false;
  bool rtcpActivationPending = false;
  // A canned cycle whose holes move to another plane: cancel, new plane, start again.
  bool cycleRestart = false;
  // The move after a rotary-axis reset re-enters from the macro's safe height.
  bool reentryPending = false;
  // Inverse-time feed in force (FEDRAT/INVERS).
  bool inverseTime = false;
  bool feedModeChanged = false;

  // Machine coordinates: the poses of a linearised move (the last one is the move's end), and
  // the first point of a tool as a tool-tip point.
  std::vector<kinematics::Pose> path;
  common::Vec3 firstTip;
  // The machine position of the move just planned, for the block that writes it.
  bool endKnown = false;
  kinematics::Pose endPose;
  common::Vec3 endMachine;
  double prevOutX = 0, prevOutY = 0, prevOutZ = 0;
  bool toolLengthWarned = false;

  /// True when a block of the tool-centre-point control or the inclined plane may be due.
  bool blocksDue() const {
    return cycleRestart || rtcpCancelPending || planeCancelPending ||
           (plane.requested && !plane.written) || (rtcpRequested && !rtcpWritten);
  }
};

}  // namespace ordalis::iso
