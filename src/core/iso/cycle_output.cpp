// Canned cycles: the cycle-kind template at the first hole, PP_CYCLE at the following holes, and
// PP_CYCLE_OFF at the cancel.
#include "core/iso/block_generator.h"
#include "core/iso/motion_code.h"
#include "core/iso/run_state.h"
#include "core/ppdef/definition.h"

namespace ordalis::iso {

namespace {

const std::string* CycleTemplate(const ppdef::PostProcessorDefinition& d, int code) {
  switch (code) {
    case 81:
      return &d.PP_CYCLE_DRILL;
    case 82:
      return &d.PP_CYCLE_CSINK;
    case 83:
      return &d.PP_CYCLE_BORE;
    case 84:
      return &d.PP_CYCLE_DEEPCL;
    case 85:
      return &d.PP_CYCLE_DEEPBK;
    case 86:
      return &d.PP_CYCLE_REAM;
    case 87:
      return &d.PP_CYCLE_TAP;
    case 88:
      return &d.PP_CYCLE_THREAD;
    case 89:
      return &d.PP_CYCLE_MILL;
    default:
      return nullptr;
  }
}

void TakePoint(RunState& s, double& x, double& y, double& z, double& a, double& b, double& c) {
  x = s.X;
  y = s.Y;
  z = s.Z;
  a = s.A;
  b = s.B;
  c = s.C;
}

}  // namespace

void BlockGenerator::cycleBlock(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  CycleState& cy = s.cycle;
  if (CycleTemplate(d, cy.kindCode) == nullptr) {
    // A cycle word that names no hole (FACE, already reported): the point is still reached.
    motionBlock(r);
    return;
  }
  // The holes are absolute points; the cycle templates may begin with their own line number.
  absoluteBefore();
  riseOverHole();
  // Without a template of its own for the later holes, every hole is written as the first one, so
  // a controller whose cycle call carries the hole's levels gets them at each hole.
  const std::string* tpl =
      cy.holeStarted && !d.PP_CYCLE.empty() ? &d.PP_CYCLE : CycleTemplate(d, cy.kindCode);
  const Vec3 tip{s.X, s.Y, s.Z};
  // The holes' coordinates are the machine's when the definition writes machine coordinates.
  const Vec3 out = outputPoint(tip, AnglesOf(s));
  s.X = out.x, s.Y = out.y, s.Z = out.z;
  if (!cy.holeStarted) {
    cy.holeStarted = true;
    cy.firstPointWritten = false;
    TakePoint(s, cy.firstX, cy.firstY, cy.firstZ, cy.firstA, cy.firstB, cy.firstC);
  }
  s.motionCode = kMotionNextHole;
  // The cycle point is this hole at the first hole too, so either template can drill it.
  TakePoint(s, cy.pointX, cy.pointY, cy.pointZ, cy.pointA, cy.pointB, cy.pointC);
  s.X = tip.x, s.Y = tip.y, s.Z = tip.z;
  TakePoint(s, s.prevX, s.prevY, s.prevZ, s.prevA, s.prevB, s.prevC);
  setPreviousOutput(out);
  s.prevKnown = true;
  appendWord(r, engine_.expandCycle(*tpl));
  cy.lastClear = CycleClearHeight(cy, s.Z);
  cy.clearKnown = true;
}

// A hole that clears higher than where the tool stands (a hole on a higher step) would be reached
// through the step: the tool rises first, and a cycle in force starts again from there, so the
// level it returns to is the new one.
void BlockGenerator::riseOverHole() {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  CycleState& cy = s.cycle;
  // Machine coordinates move the holes with the table: the cycle's own approach is all there is.
  if (machineCoordinates()) return;
  const double clear = CycleClearHeight(cy, s.Z);
  double standing = clear;
  if (cy.clearKnown) {
    standing = cy.lastClear;
  } else if (s.prevKnown) {
    standing = s.prevZ;
  }
  if (!(clear > standing + 1e-6)) return;
  if (cy.holeStarted) {
    addFinalPrefix(engine_.expandCycle(d.PP_CYCLE_OFF));
    cy.holeStarted = false;
  }
  std::string rise = d.PP_G00;
  appendWord(rise, FormatAddress(clear, d.FORMAT_PP_Z));
  addFinalPrefix(rise);
  s.gText = d.PP_G00;
}

// A tool change, the end of the program or a change of origin met inside a cycle: the cancel goes
// first, so no move of what follows becomes a hole.
void BlockGenerator::endCycle() {
  RunState& s = ctx_.state;
  s.cycle.endPending = false;
  if (!s.cycleMode) return;
  s.cycleMode = false;
  s.cycle.clearKnown = false;
  s.cycle.resumePending = false;
  addPrefixBlock(engine_.expandCycle(ctx_.definition.PP_CYCLE_OFF));
  if (s.motionCode == kMotionNextHole || IsFirstHoleCode(s.motionCode)) {
    s.motionCode = kMotionRepeat;
  }
  // As after CYCLE/OFF: every axis, the motion and the feed are stated again.
  s.prevKnown = false;
  s.gWordPending = true;
  s.feedPending = true;
}

std::string BlockGenerator::finishRun() {
  RunState& s = ctx_.state;
  std::string r;
  if (!s.cycleMode) return r;
  s.cycleMode = false;
  s.cycle.resumePending = false;
  r = engine_.expandCycle(ctx_.definition.PP_CYCLE_OFF);
  numberIfNeeded(r);
  return r;
}

bool BlockGenerator::cycleCancel(std::string& r) {
  RunState& s = ctx_.state;
  if (!s.cycleMode || s.motionCode != kMotionCycleOff) return false;
  s.cycleMode = false;
  s.cycle.clearKnown = false;
  r = engine_.expandCycle(ctx_.definition.PP_CYCLE_OFF);
  s.motionCode = kMotionRepeat;
  // The tool stands at the retract height and the cycle may have changed the modal motion.
  s.prevKnown = false;
  s.gWordPending = true;
  return true;
}

}  // namespace ordalis::iso
