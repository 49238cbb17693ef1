#include "core/iso/run_state.h"

#include "core/ppdef/definition_ranges.h"

namespace ordalis::iso {

double CycleClearHeight(const CycleState& c, double z) {
  const double clearance = z + c.clearance;
  double retract = clearance;
  if (c.retractModeText == "ABS") {
    retract = c.retract;
  } else if (c.retractMode != 0) {
    retract = z + c.retract;
  }
  return retract > clearance ? retract : clearance;
}

void RunState::reset(const ppdef::PostProcessorDefinition& def) {
  // The machine's solution is kept: it depends on the definition alone and is checked on use.
  MachineCache keepMachine = std::move(multiAxis.cache);
  keepMachine.checked = false;
  *this = RunState{};
  multiAxis.cache = std::move(keepMachine);
  gText = def.PP_G01;
  // The controller's modal motion is unknown at the start of a program: the first move states it.
  gWordPending = true;
  lineCounter = ppdef::LineNumberOrigin(def);
}

}  // namespace ordalis::iso
