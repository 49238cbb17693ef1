#pragma once
// Five-axis services shared by the statement handlers and the block generator.

#include "core/iso/run_state.h"
#include "core/kinematics/rotation.h"

namespace ordalis::ppdef {
struct PostProcessorDefinition;
}
namespace ordalis::tools {
class ToolTable;
}

namespace ordalis::iso {

/// The machine the definition's keys describe.
kinematics::MachineSetup SetupOf(const ppdef::PostProcessorDefinition& def);

/// MachineOf when the cache has not been compared with the definition in this run yet.
const kinematics::Machine& CheckedMachineOf(RunState& state,
                                            const ppdef::PostProcessorDefinition& def);

/// The definition's machine; rebuilt only when its kinematic keys or angle formats change. A run
/// never changes the definition, so they are compared once per run: this runs for every
/// five-axis point.
inline const kinematics::Machine& MachineOf(RunState& state,
                                            const ppdef::PostProcessorDefinition& def) {
  const MachineCache& c = state.multiAxis.cache;
  return c.checked ? c.machine : CheckedMachineOf(state, def);
}

/// True when X, Y, Z are written as machine axis positions (the definition asks for it and the
/// machine is a real one).
bool WritesMachineCoordinates(RunState& state, const ppdef::PostProcessorDefinition& def);

/// How far the tip swings about the head pivot: the pivot length plus the tool's length.
double SwingLength(const ppdef::PostProcessorDefinition& def, const tools::ToolTable& tools);

/// The smallest angle in degrees that a rotary-axis format shows (0.001 for "A#0.000").
double FormatResolution(std::string_view pattern);

/// Recomputes the map from program points to output points after a frame changed.
void UpdatePointMap(MultiAxisState& m);

/// A program point as the output writes it (through the CAM frame and the inclined plane).
inline Vec3 MapPoint(const MultiAxisState& m, const Vec3& p) {
  return m.pointsMapped ? m.mapRotation * p + m.mapOffset : p;
}
/// A program direction (tool axis, arc axis) in the output frame.
inline Vec3 MapDirection(const MultiAxisState& m, const Vec3& v) {
  return m.pointsMapped ? m.mapRotation * v : v;
}

/// A program tool axis as the machine sees it: through the CAM frame into the part, and into the
/// frame of a setup of its own (a part fixtured upside down, say) when one is in force.
inline Vec3 ToolAxisOf(const MultiAxisState& m, const Vec3& given) {
  if (!m.camFrameActive && !m.setupFrameActive) return given;
  Vec3 v = m.camFrameActive ? m.camRotation * given : given;
  if (m.setupFrameActive) v = common::Transposed(m.workFrame.rotation) * v;
  return kinematics::Normalized(v);
}

/// The current rotary angles.
inline kinematics::Angles AnglesOf(const RunState& s) { return {s.A, s.B, s.C}; }

}  // namespace ordalis::iso
