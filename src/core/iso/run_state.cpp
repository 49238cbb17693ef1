#include "core/iso/run_state.h"

#include "core/ppdef/definition_ranges.h"

namespace ordalis::iso {

void RunState::reset(const ppdef::PostProcessorDefinition& def) {
  *this = RunState{};
  gText = def.PP_G01;
  // The controller's modal motion is unknown at the start of a program: the first move states it.
  gWordPending = true;
  lineCounter = ppdef::LineNumberOrigin(def);
}

}  // namespace ordalis::iso
