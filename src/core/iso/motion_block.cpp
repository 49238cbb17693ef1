// The linear motion block: G word, axis words in the definition's address order, feed word.
// This runs for nearly every statement of a program, so it formats straight into the result.
#include <cmath>
#include <vector>

#include "core/common/text.h"
#include "core/iso/block_generator.h"
#include "core/iso/motion_code.h"
#include "core/iso/run_state.h"
#include "core/kinematics/machine_types.h"
#include "core/ppdef/definition.h"

namespace ordalis::iso {

namespace {

enum FormatSlot { kFx, kFy, kFz, kFxInc, kFyInc, kFzInc, kFa, kFb, kFc };

}  // namespace

const std::vector<std::int8_t>& BlockGenerator::axisOrder() {
  const auto& positions = ctx_.definition.AddressPosition;
  if (orderBuilt_ && orderKey_ == positions) return order_;
  // Position 0 (a letter missing from PP_ORDER) comes first; ties keep the letter order; letters
  // at positions out of range carry no word.
  order_.clear();
  std::size_t placed = 0;
  for (int p = 0; p <= ppdef::kAddressCount; ++p) {
    for (int letter = 0; letter < ppdef::kAddressCount; ++letter) {
      if (positions[letter] != p || placed == ppdef::kAddressCount) continue;
      ++placed;
      if (letter == ppdef::kG) {
        order_.push_back(kGSlot);
      } else if (letter >= ppdef::kX && letter <= ppdef::kZ) {
        order_.push_back(static_cast<std::int8_t>(letter - ppdef::kX));
      } else if (letter >= ppdef::kA && letter <= ppdef::kC) {
        order_.push_back(static_cast<std::int8_t>(3 + letter - ppdef::kA));
      }
    }
  }
  orderKey_ = positions;
  orderBuilt_ = true;
  return order_;
}

void BlockGenerator::motionBlock(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  gWord_.clear();
  if (!d.OPTION_COMPR && !s.gWordPending && s.motionCode != kMotionRepeat) gWord_ = s.gText;
  if (s.incremental && s.motionCode != kMotionIncremental &&
      s.motionCode != kMotionRapidIncremental) {
    // Only GODLTA writes increments: every other move ends at an absolute point, whatever code
    // (a plane, a multi-axis or a repeated motion code) it carries.
    appendWord(r, d.PP_G90);
    s.incremental = false;
  }
  if (s.rotaryResetPending) rotaryReset(r);
  if (s.gWordPending) {
    s.gWordPending = d.Type_Postprocesseur == 3;
    computeGWord(r);
  }
  if (s.correctionPending && !d.OPTION_CORRECTEUR_FIN_LIGNE) {
    // The correction follows the motion's G word; it never replaces it.
    s.correctionPending = false;
    if (!gWord_.empty() && !s.correction.empty()) gWord_.append(d.PP_SPACE);
    gWord_.append(s.correction);
  }
  appendAxes(r);
  if (r.find('\\') != std::string::npos) common::ReplaceAllInPlace(r, "\\n", "\r\n");
  updatePrevious();
  if (s.correctionPending && d.OPTION_CORRECTEUR_FIN_LIGNE) {
    s.correctionPending = false;
    appendWord(r, s.correction);
  }
  if (s.feedPending) {
    s.feedPending = false;
    appendWord(r, s.pendingFText);
  }
}

// An arc the working plane cannot carry, or a five-axis move split for machine coordinates,
// written as consecutive linear feed blocks, each numbered.
void BlockGenerator::chords(std::string& r) {
  RunState& s = ctx_.state;
  const int code = s.motionCode;
  std::vector<Vec3> points;
  points.swap(s.chordPoints);
  std::vector<kinematics::Pose> poses;
  poses.swap(s.multiAxis.path);
  const std::size_t count = poses.empty() ? points.size() : poses.size();
  std::string block = std::move(r);  // what the block start already holds goes on the first line
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    if (poses.empty()) {
      s.X = points[i].x, s.Y = points[i].y, s.Z = points[i].z;
    } else {
      const kinematics::Pose& p = poses[i];
      s.X = p.tip.x, s.Y = p.tip.y, s.Z = p.tip.z;
      s.A = p.angles[0], s.B = p.angles[1], s.C = p.angles[2];
    }
    s.motionCode = kMotionFeed;
    if (i == 0 && poses.empty()) s.gWordPending = true;  // the move before may have been an arc
    motionBlock(block);
    finalForm(block);
    if (!block.empty()) {
      if (!out.empty()) out.append("\r\n");
      out.append(block);
    }
    block.clear();
  }
  s.pointPending = false;
  s.motionCode = code;
  if (poses.empty()) s.gWordPending = true;  // as after an arc: the next move states its motion
  poses.clear();
  poses.swap(s.multiAxis.path);  // the buffer serves the next move
  r = std::move(out);
}

void BlockGenerator::computeGWord(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  const int code = s.motionCode;
  switch (code) {
    case kMotionFeed:
      s.gText = d.PP_G01;
      break;
    case kMotionArcClockwise:
      s.gText = d.PP_ARC_R;
      break;
    case kMotionArcCounterClockwise:
      s.gText = d.PP_ARC_L;
      break;
    case kMotionWorkOffsetFirst:
    case kMotionWorkOffsetFirst + 1:
    case kMotionWorkOffsetFirst + 2:
    case kMotionWorkOffsetLast:
      s.gText.clear();
      AppendPlainNumber(common::ReadNumber(d.PP_G54_G57) + code, s.gText);
      break;
    case kMotionCycleOff:
      s.gText = engine_.expandCycle(d.PP_CYCLE_OFF);
      break;
    case kMotionAbsolute:
      s.gText = d.PP_G90;
      s.incremental = false;
      break;
    case kMotionIncremental:
    case kMotionRapidIncremental: {
      const std::string& motion = code == kMotionIncremental ? d.PP_G01 : d.PP_G00;
      gWord_.clear();
      if (!s.incremental) appendWord(gWord_, d.PP_G91);
      appendWord(gWord_, motion);
      s.gText = motion;
      s.incremental = true;
      if (code == kMotionRapidIncremental) s.motionCode = kMotionRepeat;
      return;
    }
    case kMotionInclinedPlaneOn:
      rotaryTemplate(r, d.PP_ACTIVATION_PLAN_INCLINE);
      break;
    case kMotionRtcpOn:
    case kRapidOffset + kMotionRtcpOn:
      rotaryTemplate(r, d.PP_ACTIVATION_RTCP);
      break;
    case kMotionPlaneOrRtcpOff:
    case kRapidOffset + kMotionPlaneOrRtcpOff:
      rotaryTemplate(r, d.PP_DESACTIVATION_RTCP.empty() ? d.PP_DESACTIVATION_PLAN_INCLINE
                                                        : d.PP_DESACTIVATION_RTCP);
      break;
    case kMotionRtcpOff:
      rotaryTemplate(r, d.PP_DESACTIVATION_RTCP);
      break;
    default:
      if (IsRapidCode(code)) return rapid(r);
      break;  // 0 and unknown codes repeat the last G text
  }
  gWord_ = s.gText;
}

// RTCP and inclined-plane codes: written once, and the next move writes its G word again.
void BlockGenerator::rotaryTemplate(std::string& r, const std::string& tpl) {
  RunState& s = ctx_.state;
  appendWord(r, engine_.expandFull(tpl));
  s.motionCode = kMotionRepeat;
  s.gWordPending = true;
}

void BlockGenerator::rapid(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  if (d.OPTION_RAPIDE) {
    s.gText = d.PP_G01;
    s.feedRate = 999999.0;
    s.pendingFText = d.PP_FMAX;
    s.feedPending = true;
    appendWord(r, d.PP_CODE_FMAX);
  } else {
    s.gText = d.PP_G00;
  }
  gWord_.clear();
  if (s.incremental) appendWord(gWord_, d.PP_G90);
  appendWord(gWord_, s.gText);
  s.incremental = false;
  s.motionCode = kMotionRepeat;
}

// Solved angles and machine coordinates carry rounding noise: a word whose text would not change
// is not written, and the position it stands for stays the one last written.
bool BlockGenerator::sameText(int slot, const AddressFormat& fmt, double v, double before) {
  if (fmt.step() > 0 && std::fabs(v - before) >= fmt.step()) return false;
  text1_.clear();
  text2_.clear();
  fmt.append(v, text1_);
  fmt.append(before, text2_);
  kept_[slot] = text1_ == text2_;
  return kept_[slot];
}

// Which of X, Y, Z, A, B, C this block writes, with what value and format.
void BlockGenerator::axisWords() {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  const bool incremental = s.incremental;
  const bool incFormat = d.OPTION_CODAGE_INCREMENTAL && incremental;
  const bool compress = d.OPTION_COMPR && s.prevKnown;
  Vec3 out{s.X, s.Y, s.Z};
  Vec3 prev{s.prevX, s.prevY, s.prevZ};
  const bool machine = d.OPTION_COORDONNEES_MACHINE && !incremental && machineCoordinates();
  if (machine) {
    out = outputPoint(out, AnglesOf(s));
    prev = {s.multiAxis.prevOutX, s.multiAxis.prevOutY, s.multiAxis.prevOutZ};
  }
  kept_.fill(false);
  keptOutput_ = machine;
  const double f = d.XDiameterFactor;
  axis_[0] = {&(incFormat ? formats_[kFxInc].get(d.FORMAT_PP_INCREMENTAL, d.FORMAT_PP_X)
                          : formats_[kFx].get(d.FORMAT_PP_X)),
              out.x * f, prev.x * f};
  axis_[1] = {&(incFormat ? formats_[kFyInc].get(d.FORMAT_PP_INCREMENTAL, d.FORMAT_PP_Y)
                          : formats_[kFy].get(d.FORMAT_PP_Y)),
              out.y, prev.y};
  axis_[2] = {&(incFormat ? formats_[kFzInc].get(d.FORMAT_PP_INCREMENTAL, d.FORMAT_PP_Z)
                          : formats_[kFz].get(d.FORMAT_PP_Z)),
              out.z, prev.z};
  const bool noisy = machine || s.multiAxis.pointsMapped;
  for (int i = 0; i < 3; ++i) {
    AxisWord& w = axis_[i];
    w.write = !compress || incremental ||
              (w.value != w.before && (!noisy || !sameText(i, *w.format, w.value, w.before)));
  }
  pendingOut_ = out;
  // Inside an inclined plane the plane holds the rotary axes.
  const bool hasAxis = (s.I != 0 || s.J != 0 || s.K != 0) && !s.multiAxis.plane.written;
  if (!hasAxis || !(d.RotaryAxisInUse[0] || d.RotaryAxisInUse[1] || d.RotaryAxisInUse[2] ||
                    kinematics::IsNotation(d.Cinematique_Machine))) {
    axis_[3].write = axis_[4].write = axis_[5].write = false;
    return;
  }
  const int kin = d.Cinematique_Machine;
  const bool allAngles =
      d.OPTION_COMPR && (kin == kinematics::kEulerABC || kin == kinematics::kRobotABC ||
                         kin == kinematics::kVectorIJK);
  const std::string* patterns[] = {&d.FORMAT_PP_A, &d.FORMAT_PP_B, &d.FORMAT_PP_C};
  const double values[] = {s.A, s.B, s.C};
  const double befores[] = {s.prevA, s.prevB, s.prevC};
  for (int i = 0; i < 3; ++i) {
    AxisWord& w = axis_[3 + i];
    w.write = allAngles || d.RotaryAxisInUse[i];
    if (!w.write) continue;
    w = {&formats_[kFa + i].get(*patterns[i]), values[i], befores[i], true};
    w.write = allAngles || !compress ||
              (w.value != w.before && !sameText(3 + i, *w.format, w.value, w.before));
  }
}

void BlockGenerator::appendAxes(std::string& r) {
  const auto& d = ctx_.definition;
  axisWords();
  const std::string& sep = d.PP_SPACE;
  // The words are put together aside and reach the block in one append.
  char line[4 * AddressFormat::kMaxWord];
  std::size_t n = 0;
  const auto flush = [&] {
    if (n > 0) r.append(line, n);
    n = 0;
  };
  for (const std::int8_t slot : axisOrder()) {
    if (slot == kGSlot) {
      flush();
      appendWord(r, gWord_);
      continue;
    }
    if (!axis_[slot].write) continue;
    const AxisWord& w = axis_[slot];
    if (n + sep.size() + AddressFormat::kMaxWord > sizeof line) flush();
    const bool any = n > 0 || !r.empty();
    const char last = n > 0 ? line[n - 1] : any ? r.back() : ' ';
    const bool spaced = any && !sep.empty() && last != ' ' && last != '\n';
    if (n + sep.size() + AddressFormat::kMaxWord <= sizeof line) {
      const std::size_t mark = n;
      if (spaced) n += sep.copy(line + n, sep.size());
      if (const char* end = w.format->write(w.value, line + n)) {
        const auto size = static_cast<std::size_t>(end - line);
        n = size == n ? mark : size;  // an empty word takes no separator
        continue;
      }
      n = mark;
    }
    // A long separator or a pattern only the general formatter writes.
    flush();
    const std::size_t mark = r.size();
    if (spaced) r.append(sep);
    const std::size_t start = r.size();
    w.format->append(w.value, r);
    if (r.size() == start) r.resize(mark);
  }
  flush();
  const MultiAxisState& m = ctx_.state.multiAxis;
  setPreviousOutput({kept_[0] ? m.prevOutX : pendingOut_.x, kept_[1] ? m.prevOutY : pendingOut_.y,
                     kept_[2] ? m.prevOutZ : pendingOut_.z});
}

void BlockGenerator::updatePrevious() {
  RunState& s = ctx_.state;
  if (s.incremental) {
    s.prevX += s.X;
    s.prevY += s.Y;
    s.prevZ += s.Z;
    return;
  }
  // Machine coordinates keep their written X, Y, Z apart; the tip itself is where it went.
  const bool tip = keptOutput_;
  s.setPrevious(kept_[0] && !tip ? s.prevX : s.X, kept_[1] && !tip ? s.prevY : s.Y,
                kept_[2] && !tip ? s.prevZ : s.Z, kept_[3] ? s.prevA : s.A,
                kept_[4] ? s.prevB : s.B, kept_[5] ? s.prevC : s.C);
}

}  // namespace ordalis::iso
