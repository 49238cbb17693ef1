#include "core/iso/multi_axis.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/kinematics/machine_types.h"
#include "core/ppdef/definition.h"
#include "core/tools/tool_table.h"

namespace ordalis::iso {

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::char_traits<char>::compare(a.data(), b.data(), a.size()) == 0;
}

/// True when the cached machine was built from these keys.
bool SameKeys(const MachineCache& c, const ppdef::PostProcessorDefinition& d) {
  const kinematics::MachineSetup& s = c.setup;
  if (!c.built || s.type != d.Cinematique_Machine || s.abMin != d.PP_LIMIT_AB_MINI ||
      s.abMax != d.PP_LIMIT_AB_MAXI || s.cMin != d.PP_LIMIT_C_MINI || s.cMax != d.PP_LIMIT_C_MAXI ||
      s.abAxisType != d.Type_AXE_AB || s.cAxisType != d.Type_AXE_C ||
      c.headAngle != d.PP_HEAD_ANGLE || c.pivotLength != d.PP_PIVOT_LENGTH ||
      c.centre.x != d.PP_TABLE_CENTER_X || c.centre.y != d.PP_TABLE_CENTER_Y ||
      c.centre.z != d.PP_TABLE_CENTER_Z || c.axesInUse != d.RotaryAxisInUse) {
    return false;
  }
  return SameText(c.formatA, d.FORMAT_PP_A) && SameText(c.formatB, d.FORMAT_PP_B) &&
         SameText(c.formatC, d.FORMAT_PP_C);
}

}  // namespace

double FormatResolution(std::string_view pattern) {
  const std::size_t dot = pattern.find('.');
  if (pattern.find('#') == std::string_view::npos && pattern.find('0') == std::string_view::npos) {
    return 0.01;  // the address formatter's own "#0.00"
  }
  int decimals = 0;
  for (std::size_t i = dot == std::string_view::npos ? pattern.size() : dot + 1;
       i < pattern.size() && (pattern[i] == '0' || pattern[i] == '#'); ++i) {
    ++decimals;
  }
  return std::pow(10.0, -decimals);
}

/// The machine the definition's keys describe.
kinematics::MachineSetup SetupOf(const ppdef::PostProcessorDefinition& d) {
  kinematics::MachineSetup s;
  s.type = d.Cinematique_Machine;
  s.abMin = d.PP_LIMIT_AB_MINI;
  s.abMax = d.PP_LIMIT_AB_MAXI;
  s.cMin = d.PP_LIMIT_C_MINI;
  s.cMax = d.PP_LIMIT_C_MAXI;
  s.abAxisType = d.Type_AXE_AB;
  s.cAxisType = d.Type_AXE_C;
  s.headAngle = d.PP_HEAD_ANGLE;
  s.pivotLength = std::isfinite(d.PP_PIVOT_LENGTH) ? d.PP_PIVOT_LENGTH : 0;
  s.tableCentre = {d.PP_TABLE_CENTER_X, d.PP_TABLE_CENTER_Y, d.PP_TABLE_CENTER_Z};
  if (!std::isfinite(s.tableCentre.x) || !std::isfinite(s.tableCentre.y) ||
      !std::isfinite(s.tableCentre.z)) {
    s.tableCentre = {};
  }
  // The finest of the formats in use: a tilt the output cannot show is noise.
  double resolution = 0;
  const std::string* formats[] = {&d.FORMAT_PP_A, &d.FORMAT_PP_B, &d.FORMAT_PP_C};
  for (int i = 0; i < 3; ++i) {
    if (!d.RotaryAxisInUse[i] || formats[i]->empty()) continue;
    const double r = FormatResolution(*formats[i]);
    resolution = resolution == 0 ? r : std::min(resolution, r);
  }
  s.resolution = resolution > 0 ? resolution : 0.001;
  return s;
}

const kinematics::Machine& CheckedMachineOf(RunState& state,
                                            const ppdef::PostProcessorDefinition& d) {
  MachineCache& c = state.multiAxis.cache;
  c.checked = true;
  if (SameKeys(c, d)) return c.machine;
  const kinematics::MachineSetup s = SetupOf(d);
  c.built = true;
  c.setup = s;
  // The keys as read, so that the comparison above matches them exactly (NaN excepted: a key
  // that is not a number rebuilds the machine each run, which only costs time).
  c.headAngle = d.PP_HEAD_ANGLE;
  c.pivotLength = d.PP_PIVOT_LENGTH;
  c.centre = {d.PP_TABLE_CENTER_X, d.PP_TABLE_CENTER_Y, d.PP_TABLE_CENTER_Z};
  c.axesInUse = d.RotaryAxisInUse;
  c.formatA = d.FORMAT_PP_A;
  c.formatB = d.FORMAT_PP_B;
  c.formatC = d.FORMAT_PP_C;
  c.machine = kinematics::Machine(s);
  return c.machine;
}

double SwingLength(const ppdef::PostProcessorDefinition& d, const tools::ToolTable& tools) {
  const double length = d.PP_PIVOT_LENGTH + tools.current().length;
  return std::isfinite(length) ? length : 0;
}

bool WritesMachineCoordinates(RunState& state, const ppdef::PostProcessorDefinition& d) {
  return d.OPTION_COORDONNEES_MACHINE && kinematics::HasRotaryAxes(d.Cinematique_Machine) &&
         MachineOf(state, d).hasMachineCoordinates();
}

void UpdatePointMap(MultiAxisState& m) {
  const kinematics::Frame cam = m.camFrameActive ? m.camFrame : kinematics::Frame{};
  m.camRotation = cam.rotation;
  const kinematics::Frame plane = m.plane.requested    ? m.plane.frame
                                  : m.setupFrameActive ? m.workFrame
                                                       : kinematics::Frame{};
  const common::Mat3 back = common::Transposed(plane.rotation);
  m.mapRotation = back * cam.rotation;
  m.mapOffset = back * (cam.origin - plane.origin);
  m.pointsMapped = !kinematics::IsIdentity(kinematics::Frame{m.mapRotation, m.mapOffset});
}

}  // namespace ordalis::iso
