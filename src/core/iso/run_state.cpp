#include "core/iso/run_state.h"

#include <cmath>

#include "core/ppdef/definition.h"

namespace ordalis::iso {

void RunState::reset(const ppdef::PostProcessorDefinition& def) {
  // What survives a run (the feed texts, cycle mode) is kept; the rest starts afresh.
  const bool keepCycleMode = cycleMode;
  const std::string keepFeedBlock = feedBlockText;
  const std::string keepPendingF = pendingFText;
  const CycleState keepCycle = cycle;
  MachineCache keepMachine = std::move(multiAxis.cache);
  *this = RunState{};
  multiAxis.cache = std::move(keepMachine);
  cycleMode = keepCycleMode;
  feedBlockText = keepFeedBlock;
  pendingFText = keepPendingF;
  cycle = keepCycle;
  gText = def.PP_G01;
  // The controller's modal motion is unknown at the start of a program: the first move states it.
  gWordPending = true;
  lineCounter = static_cast<std::int32_t>(std::trunc(def.NUM_ORIGINE));
}

}  // namespace ordalis::iso
