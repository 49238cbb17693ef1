#include "core/iso/block_generator.h"

#include <vector>

#include "core/common/text.h"
#include "core/iso/motion_code.h"
#include "core/iso/run_state.h"
#include "core/ppdef/definition.h"

namespace ordalis::iso {

namespace {

constexpr int kMsgUnknownMode = 2124;

bool EndsWithBreak(std::string_view text) { return !text.empty() && text.back() == '\n'; }

void TrimInPlace(std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  text.resize(end);
  std::size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  if (start > 0) text.erase(0, start);
}

}  // namespace

void AppendBlock(std::string& r, std::string_view text) {
  if (text.empty()) return;
  if (!r.empty() && !EndsWithBreak(r)) r.append("\r\n");
  r.append(text);
}

std::string BlockGenerator::generate() {
  std::string out;
  generate(out);
  return out;
}

void BlockGenerator::appendWord(std::string& r, std::string_view word) const {
  if (word.empty()) return;
  const std::string& sep = ctx_.definition.PP_SPACE;
  if (!r.empty() && !sep.empty() && r.back() != ' ' && !EndsWithBreak(r)) r.append(sep);
  r.append(word);
}

void BlockGenerator::generate(std::string& r) {
  r.clear();
  prefix_.clear();
  RunState& s = ctx_.state;
  if (s.cycle.endPending) endCycle();
  if (s.cycle.interruptPending) interruptCycle();
  if ((s.restartSpindle || s.restartCoolant) &&
      (s.pointPending || s.circlePending || !s.chordPoints.empty())) {
    restartAfterToolChange();
  }
  generateBlocks(r);
  // Blocks that must run before this statement's own (already numbered): the absolute code, a
  // cycle cancelled, five-axis cancels and activations, a rotary-axis reset.
  if (prefix_.empty()) return;
  if (!r.empty()) AppendBlock(prefix_, r);
  r.swap(prefix_);
}

void BlockGenerator::generateBlocks(std::string& r) {
  RunState& s = ctx_.state;
  if (returnItems(r)) return;
  if (s.multiAxis.blocksDue()) multiAxisBlocks();
  startItems(r);
  bool toFinal = false;
  bool cancelled = false;
  if (s.circlePending) {
    circle(r);
  } else if (!s.chordPoints.empty() || !s.multiAxis.path.empty()) {
    chords(r);
    if (s.feedPending && !s.feedBlockText.empty()) s.feedPending = false;
    return;
  } else {
    if (!firstPoint(r)) {
      cancelled = cycleCancel(r);
      if (s.pointPending) {
        s.pointPending = false;
        if (s.cycleMode) {
          cycleBlock(r);
          toFinal = true;
        } else {
          motionBlock(r);
        }
      }
      if (!toFinal) {
        if (machineFunctions(r)) return;
        textItems(r);
      }
    }
  }
  // The feed block text was written at the start of this block.
  if (!toFinal && s.feedPending && !s.feedBlockText.empty()) s.feedPending = false;
  finalForm(r);
  if (cancelled) feedAfterCancel(r);
}

// Items that make a block of their own and end the call: part name, rewind, inserted texts,
// stops, dwell and working-plane changes.
bool BlockGenerator::returnItems(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  const auto numbered = [&](std::string_view text) {
    r.assign(text);
    engine_.numberBlockInPlace(r);
    return true;
  };
  if (s.partnoPending) {
    s.partnoPending = false;
    r = engine_.expandFull(d.PP_PARTNO);
    return true;
  }
  if (s.rewindPending) {
    s.rewindPending = false;
    r = engine_.expandFull(d.PP_REWIND);
    return true;
  }
  if (s.unitsPending) {
    // A block of its own, at once: nothing that follows (a tool change, a first point, a cycle)
    // may run in the units the start template chose.
    s.unitsPending = false;
    const std::string& code = s.unitsCode == 70 ? d.PP_G70 : d.PP_G71;
    if (!code.empty()) return numbered(code);
  }
  if (s.insertPending) return s.insertPending = false, numbered(common::TrimRight(s.insertText));
  if (s.auxfunPending) return s.auxfunPending = false, numbered(common::TrimRight(s.auxfunText));
  if (s.clampPending) return s.clampPending = false, numbered(common::TrimRight(s.clampText));
  if (s.opstopPending) return s.opstopPending = false, numbered(d.PP_OPSTOP);
  if (s.planeChangePending) return planeChange(r);
  if (s.stopPending) return s.stopPending = false, numbered(d.PP_STOP);
  if (s.delayPending) {
    s.delayPending = false;
    return numbered(engine_.expandFull(d.PP_TEMPO));
  }
  return false;
}

bool BlockGenerator::planeChange(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  s.planeChangePending = false;
  const std::pair<bool, const std::string*> planes[] = {
      {s.planeG17, &d.PP_G17},    {s.planeG18, &d.PP_G18},    {s.planeG19, &d.PP_G19},
      {s.planeG17M, &d.PP_G17_M}, {s.planeG18M, &d.PP_G18_M}, {s.planeG19M, &d.PP_G19_M}};
  for (const auto& [on, code] : planes) {
    if (on) AppendBlock(r, engine_.expandFull(engine_.numberBlock(*code)));
  }
  if (s.inclinedPlane) {
    AppendBlock(r, engine_.expandFull(d.PP_ACTIVATION_PLAN_INCLINE));
    s.gWordPending = true;
  }
  return true;
}

// Feed block text, PREFUN and the radius correction written at block start.
void BlockGenerator::startItems(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  if (s.feedPending) r.append(s.feedBlockText);
  if (s.prefunPending) {
    s.prefunPending = false;
    appendWord(r, engine_.numberBlock(common::TrimRight(s.prefunText)));
  }
  if (!s.correctionPending) return;
  const bool atStart = d.OPTION_CORRECTEUR_DEBUT_LIGNE && !s.cutcomJustRead;
  if ((!d.OPTION_CORRECTEUR_DEBUT_LIGNE && !d.OPTION_CORRECTEUR_FIN_LIGNE) || atStart) {
    s.correctionPending = false;
    appendWord(r, s.correction);
  }
}

bool BlockGenerator::machineFunctions(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  const auto done = [&](bool& flag, const std::string& tpl) {
    flag = false;
    r.append(engine_.expandFull(tpl));
    return true;
  };
  if (s.gohomePending) {
    absoluteBefore();
    done(s.gohomePending, d.MACRO_GOHOME);
    s.prevKnown = false;
    s.gWordPending = true;
    return true;
  }
  if (s.toolChangePending) return toolChange(r), true;
  if (s.spindleState >= 1 && s.spindleState <= 3) {
    const int state = s.spindleState;
    s.spindleState = 0;
    spindleText(state, r);
    return true;
  }
  if (s.endPending || s.finiPending) endInclinedPlane();
  if (s.endPending) return done(s.endPending, d.PP_END);
  if (s.finiPending) return done(s.finiPending, d.PP_FINI);
  if (s.toolnoPending && d.OPTION_TRAITEMENT_TOOLNO) {
    s.toolnoPending = false;
    appendWord(r, engine_.expandFull(d.GESTION_TOOLNO));
    return true;
  }
  if (s.cutterPending && d.OPTION_TRAITEMENT_CUTTER) {
    s.cutterPending = false;
    appendWord(r, engine_.expandTool(d.GESTION_CUTTER));
    return true;
  }
  if (!s.modePending) return false;
  s.modePending = false;
  for (const auto& entry : d.ModeTable) {
    if (entry.match == s.modeText) {
      r.append(engine_.expandFull(entry.output));
      return true;
    }
  }
  ctx_.message(kMsgUnknownMode, s.modeText);
  return false;
}

void BlockGenerator::textItems(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  if ((s.commentPending && d.OPTION_COMMENTAIRE) || s.printPending) {
    // The controller's own delimiters inside the text would end or nest the comment.
    std::string text = s.comment;
    if (!d.PP_COMMENT_1.empty()) common::ReplaceAllInPlace(text, d.PP_COMMENT_1, " ");
    if (!d.PP_COMMENT_2.empty()) common::ReplaceAllInPlace(text, d.PP_COMMENT_2, " ");
    r = d.PP_COMMENT_1 + d.PP_SPACE + text + d.PP_SPACE + d.PP_COMMENT_2;
  }
  if (s.coolantPending) {
    s.coolantPending = false;
    if (d.OPTION_FLUID) appendWord(r, s.coolant);
  }
  if (s.airPending) {
    s.airPending = false;
    appendWord(r, s.air);
  }
  // A new origin moves every coordinate: the next move states all its axes.
  if (s.workOffsetPending) {
    s.workOffsetPending = false;
    appendWord(r, engine_.expandFull(s.originText));
    s.prevKnown = false;
  }
  if (s.originPending) {
    s.originPending = false;
    appendWord(r, engine_.expandFull(s.originText));
    s.prevKnown = false;
  }
  if (s.fromPending) {
    s.fromPending = false;
    if (!d.PP_FROM.empty()) absoluteBefore();
    appendWord(r, engine_.expandFull(d.PP_FROM));
    s.prevKnown = false;
    s.gWordPending = true;
  }
}

void BlockGenerator::finalForm(std::string& r) {
  RunState& s = ctx_.state;
  numberIfNeeded(r);
  s.commentPending = false;
  s.printPending = false;
}

void BlockGenerator::numberIfNeeded(std::string& r) {
  TrimInPlace(r);
  if (r.empty()) return;
  const std::string& n = ctx_.definition.FORMAT_PP_N;
  const bool hasNumber =
      (!n.empty() && r[0] == n[0]) || common::ReadNumber(common::TextBefore(r, ' ')) > 0;
  if (!hasNumber) engine_.numberBlockInPlace(r);
}

// A template that moves to an absolute point: under G91 the absolute code goes first, as a block
// of its own, since the template may begin with its own line number.
void BlockGenerator::absoluteBefore() {
  RunState& s = ctx_.state;
  if (!s.incremental) return;
  s.incremental = false;
  addPrefixBlock(ctx_.definition.PP_G90);
}

void BlockGenerator::addPrefixBlock(std::string_view text) {
  std::string block(text);
  TrimInPlace(block);
  if (block.empty()) return;
  engine_.numberBlockInPlace(block);
  if (!prefix_.empty()) prefix_.append("\r\n");
  prefix_.append(block);
}

// A move inside a canned cycle that is not a hole: the cycle is cancelled first and started again
// at the next GOTO, so the controller never drills where the program only moves.
void BlockGenerator::interruptCycle() {
  RunState& s = ctx_.state;
  s.cycle.interruptPending = false;
  if (!s.cycleMode) return;
  s.cycleMode = false;
  s.cycle.clearKnown = false;
  s.cycle.resumePending = true;
  addPrefixBlock(engine_.expandCycle(ctx_.definition.PP_CYCLE_OFF));
  if (s.prevKnown) {
    // The tool stands at the retract height, not on the last hole the increments count from:
    // written as increments, the move would end that far off. It goes to its absolute point.
    s.X += s.prevX;
    s.Y += s.prevY;
    s.Z += s.prevZ;
    s.motionCode = IsRapidCode(s.motionCode) ? kMotionRapid : kMotionFeed;
  }
  // As after any cancel: every axis, the feed and the motion are stated again (the cycle
  // templates carry their own F).
  s.prevKnown = false;
  s.gWordPending = true;
  s.feedPending = true;
}

// Cycle templates usually carry their own feed: the programmed feed is written again after the
// cancel, on a block of its own when the definition writes feeds that way.
void BlockGenerator::feedAfterCancel(std::string& r) {
  RunState& s = ctx_.state;
  if (s.feedBlockText.empty()) {
    s.feedPending = true;
    return;
  }
  std::string feed = s.feedBlockText;
  engine_.numberBlockInPlace(feed);
  AppendBlock(r, feed);
}

}  // namespace ordalis::iso
