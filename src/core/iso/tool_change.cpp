// Tool changes and what follows them: the change itself, the spindle and coolant it stopped, and
// the first point of the new tool (PREMIER_POINT), above the hole when the tool starts by drilling.
#include "core/common/text.h"
#include "core/iso/block_generator.h"
#include "core/iso/run_state.h"
#include "core/ppdef/definition.h"

namespace ordalis::iso {

void BlockGenerator::toolChange(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  s.toolChangePending = false;
  bool stops = true;
  if (s.requestedTool != s.loadedTool) {
    if (s.toolLoadsSeen > 1) {
      const std::string unload = engine_.expandFull(d.ANNUL_OUTIL);
      r.append(unload);
      // Unload and change are separate lines even when the unload text has no line break.
      const std::string change = engine_.expandFull(d.CHANGE_OUTIL);
      if (!change.empty()) {
        if (!r.empty() && r.back() != '\n') r.append("\r\n");
        r.append(change);
      }
    } else {
      r.append(engine_.expandFull(d.CHANGE_OUTIL));
    }
    s.loadedTool = s.requestedTool;
  } else {
    // A reload that writes nothing leaves the spindle and the coolant as they were.
    r.append(engine_.expandFull(d.RECHARGE_OUTIL));
    stops = !d.RECHARGE_OUTIL.empty();
  }
  // The change stops the spindle and the coolant on most machines (M6, or the unload template):
  // the next move starts them again unless the program states them before it.
  if (stops) {
    s.restartSpindle = s.spindleRunning;
    s.restartCoolant = s.coolantRunning;
  }
  // The tool-change sequence may leave the controller in rapid mode.
  s.gWordPending = true;
}

// Before the first move after a tool change: the spindle and the coolant the change stopped.
void BlockGenerator::restartAfterToolChange() {
  RunState& s = ctx_.state;
  if (s.restartSpindle) {
    s.restartSpindle = false;
    std::string block;
    spindleText(s.surfaceSpeed ? 3 : 1, block);
    addFinalPrefix(block);
  }
  if (s.restartCoolant) {
    s.restartCoolant = false;
    if (ctx_.definition.OPTION_FLUID) addFinalPrefix(s.coolant);
  }
}

// The spindle block of a state (1 rpm, 2 off, 3 surface speed), with the surface-speed cancel
// first when the program leaves a surface speed for rpm.
void BlockGenerator::spindleText(int state, std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  if (s.surfaceSpeedOffPending && state != 3) {
    s.surfaceSpeedOffPending = false;
    std::string off = d.PP_CSS_OFF;
    numberUnlessNumbered(off);
    if (!off.empty()) r.append(off).append("\r\n");
  }
  if (state == 3) {
    s.surfaceSpeedOffPending = false;
    std::string block = MonFormat(s.surfaceSpeedValue, d.PP_CSS_ON);
    if (!s.spindle.empty()) block.append(d.PP_SPACE).append(s.spindle);
    numberUnlessNumbered(block);
    r.append(block);
    return;
  }
  r.append(engine_.expandFull(state == 1 ? d.SPINDLE_ON : d.SPINDLE_OFF));
}

// The first point after a tool change is written by PREMIER_POINT.
bool BlockGenerator::firstPoint(std::string& r) {
  RunState& s = ctx_.state;
  if (!s.firstPointPending) return false;
  s.firstPointPending = false;
  if (s.cycleMode) {
    // The first point is a hole: the tool still goes there with its length compensation.
    firstPointAboveHole();
    return false;
  }
  absoluteBefore();
  appendWord(r, engine_.expandFull(ctx_.definition.PREMIER_POINT));
  s.setPrevious(s.firstX, s.firstY, s.firstZ, s.firstA, s.firstB, s.firstC);
  if (s.feedPending) {
    s.feedPending = false;
    appendWord(r, s.pendingFText);
  }
  multaxTemplate(r);
  s.motionCode = 0;
  s.gWordPending = false;
  s.pointPending = false;
  return true;
}

// PREMIER_POINT stops over the hole at the height the cycle clears at, never on the hole's top,
// then the cycle drills from there.
void BlockGenerator::firstPointAboveHole() {
  RunState& s = ctx_.state;
  const std::string& tpl = ctx_.definition.PREMIER_POINT;
  if (tpl.empty()) return;
  s.firstZ = CycleClearHeight(s.cycle, s.Z);
  absoluteBefore();
  addFinalPrefix(engine_.expandFull(tpl));
  s.setPrevious(s.firstX, s.firstY, s.firstZ, s.firstA, s.firstB, s.firstC);
}

// A block that goes before the statement's own, numbered as the final form numbers one.
void BlockGenerator::addFinalPrefix(std::string_view text) {
  std::string block(text);
  numberUnlessNumbered(block);
  if (block.empty()) return;
  if (!prefix_.empty()) prefix_.append("\r\n");
  prefix_.append(block);
}

}  // namespace ordalis::iso
