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
  // No tool changes inside an inclined plane; the next tool's first point activates it again.
  if (s.multiAxis.plane.written) cancelPlaneBlock();
  // The change sequence ends the length offset and with it the tool-centre-point control.
  s.multiAxis.rtcpWritten = false;
  bool stops = true;
  if (s.requestedTool != s.loadedTool) {
    if (s.toolLoadsSeen > 1) {
      const std::string unload = engine_.expandFull(d.ANNUL_OUTIL);
      r.append(unload);
      // Unload and change are separate lines even when the unload text has no line break.
      const std::string change = engine_.expandFull(d.CHANGE_OUTIL);
      if (!change.empty()) AppendBlock(r, change);
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
    numberIfNeeded(off);
    if (!off.empty()) r.append(off).append("\r\n");
  }
  if (state == 3) {
    s.surfaceSpeedOffPending = false;
    std::string block = FormatAddress(s.surfaceSpeedValue, d.PP_CSS_ON);
    if (!s.spindle.empty()) block.append(d.PP_SPACE).append(s.spindle);
    numberIfNeeded(block);
    r.append(block);
    return;
  }
  r.append(engine_.expandFull(state == 1 ? d.SPINDLE_ON : d.SPINDLE_OFF));
}

// PREMIER_POINT stops over the hole at the height the cycle clears at, never on the hole's top,
// then the cycle drills from there.
void BlockGenerator::firstPointAboveHole() {
  RunState& s = ctx_.state;
  s.firstZ = CycleClearHeight(s.cycle, s.Z);
  absoluteBefore();
  std::string after;
  const std::string& tpl = firstPointTemplate(after);
  if (tpl.empty()) return;
  const Vec3 tip{s.firstX, s.firstY, s.firstZ};
  const Vec3 out = outputPoint(tip, {s.firstA, s.firstB, s.firstC});
  s.firstX = out.x, s.firstY = out.y, s.firstZ = out.z;
  addFinalPrefix(engine_.expandFull(tpl));
  s.firstX = tip.x, s.firstY = tip.y, s.firstZ = tip.z;
  if (!after.empty()) addFinalPrefix(after);
  s.setPrevious(tip.x, tip.y, tip.z, s.firstA, s.firstB, s.firstC);
  setPreviousOutput(out);
}

// A block that goes before the statement's own, numbered as the final form numbers one.
void BlockGenerator::addFinalPrefix(std::string_view text) {
  std::string block(text);
  numberIfNeeded(block);
  if (block.empty()) return;
  if (!prefix_.empty()) prefix_.append("\r\n");
  prefix_.append(block);
}

}  // namespace ordalis::iso
