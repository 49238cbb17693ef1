// The linear motion block: G word, axis words in the definition's address order, feed word.
// This runs for nearly every statement of a program, so it formats straight into the result.
#include <cmath>

#include "core/common/text.h"
#include "core/iso/block_generator.h"
#include "core/iso/run_state.h"
#include "core/ppdef/definition.h"

namespace ordalis::iso {

namespace {

enum FormatSlot { kFx, kFy, kFz, kFxInc, kFyInc, kFzInc, kFa, kFb, kFc };

}  // namespace

const std::array<std::uint8_t, ppdef::kAddressCount>& BlockGenerator::letterOrder() {
  const auto& positions = ctx_.definition.AddressPosition;
  if (orderBuilt_ && orderKey_ == positions) return order_;
  // Position 0 (a letter missing from PP_ORDER) comes first; ties keep the letter order.
  int n = 0;
  for (int p = 0; p <= ppdef::kAddressCount; ++p) {
    for (int letter = 0; letter < ppdef::kAddressCount; ++letter) {
      if (positions[letter] == p && n < ppdef::kAddressCount) {
        order_[n++] = static_cast<std::uint8_t>(letter);
      }
    }
  }
  while (n < ppdef::kAddressCount) order_[n++] = ppdef::kN;  // out-of-range positions carry no word
  orderKey_ = positions;
  orderBuilt_ = true;
  return order_;
}

void BlockGenerator::motionBlock(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  gWord_.clear();
  if (!d.OPTION_COMPR && !s.gWordPending && s.motionCode != 0) gWord_ = s.gText;
  if (s.incremental && s.motionCode != 91 && s.motionCode != 1091) {
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

void BlockGenerator::computeGWord(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  const int code = s.motionCode;
  switch (code) {
    case 1:
      s.gText = d.PP_G01;
      break;
    case 2:
      s.gText = d.PP_ARC_R;
      break;
    case 3:
      s.gText = d.PP_ARC_L;
      break;
    case 54:
    case 55:
    case 56:
    case 57:
      s.gText.clear();
      AppendPlainNumber(common::ReadNumber(d.PP_G54_G57) + code, s.gText);
      break;
    case 80:
      s.gText = engine_.expandCycle(d.PP_CYCLE_OFF);
      break;
    case 90:
      s.gText = d.PP_G90;
      s.incremental = false;
      break;
    case 91:
    case 1091: {
      const std::string& motion = code == 91 ? d.PP_G01 : d.PP_G00;
      gWord_.clear();
      if (!s.incremental) appendWord(gWord_, d.PP_G91);
      appendWord(gWord_, motion);
      s.gText = motion;
      s.incremental = true;
      if (code == 1091) s.motionCode = 0;
      return;
    }
    case 150:
      rotaryTemplate(r, d.PP_ACTIVATION_PLAN_INCLINE);
      break;
    case 151:
    case 1151:
      rotaryTemplate(r, d.PP_ACTIVATION_RTCP);
      break;
    case 152:
    case 1152:
      rotaryTemplate(r, d.PP_DESACTIVATION_RTCP.empty() ? d.PP_DESACTIVATION_PLAN_INCLINE
                                                        : d.PP_DESACTIVATION_RTCP);
      break;
    case 153:
      rotaryTemplate(r, d.PP_DESACTIVATION_RTCP);
      break;
    default:
      if (code >= 1000) return rapid(r);
      break;  // 0 and unknown codes repeat the last G text
  }
  gWord_ = s.gText;
}

// RTCP and inclined-plane codes: written once, and the next move writes its G word again.
void BlockGenerator::rotaryTemplate(std::string& r, const std::string& tpl) {
  RunState& s = ctx_.state;
  appendWord(r, engine_.expandFull(tpl));
  s.motionCode = 0;
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
  s.motionCode = 0;
}

void BlockGenerator::appendAxes(std::string& r) {
  RunState& s = ctx_.state;
  const auto& d = ctx_.definition;
  const bool incremental = s.incremental;
  const bool incFormat = d.OPTION_CODAGE_INCREMENTAL && incremental;
  const bool compress = d.OPTION_COMPR && s.prevKnown;
  const bool compressXyz = compress && !incremental;
  // Inside an inclined plane the plane holds the rotary axes.
  const bool hasAxis = (s.I != 0 || s.J != 0 || s.K != 0) && !s.multiAxis.plane.written;
  const int kin = d.Cinematique_Machine;
  const bool allAngles = d.OPTION_COMPR && (kin == 15 || kin == 16 || kin == 18);
  Vec3 out{s.X, s.Y, s.Z};
  Vec3 prev{s.prevX, s.prevY, s.prevZ};
  const bool machine = d.OPTION_COORDONNEES_MACHINE && !incremental && machineCoordinates();
  if (machine) {
    out = outputPoint(out, AnglesOf(s));
    prev = {s.multiAxis.prevOutX, s.multiAxis.prevOutY, s.multiAxis.prevOutZ};
  }
  kept_.fill(false);
  keptOutput_ = machine;
  // Solved angles and machine coordinates carry rounding noise: a word whose text would not
  // change is not written, and the position it stands for stays the one last written.
  const auto unchanged = [&](int slot, const AddressFormat& fmt, double v, double before) {
    if (fmt.step() > 0 && std::fabs(v - before) >= fmt.step()) return false;
    text1_.clear();
    text2_.clear();
    fmt.append(v, text1_);
    fmt.append(before, text2_);
    kept_[slot] = text1_ == text2_;
    return kept_[slot];
  };
  const auto angle = [&](int i, const AddressFormat& fmt, double v, double before) {
    if (!hasAxis) return false;
    if (allAngles) return true;
    if (!d.RotaryAxisInUse[i]) return false;
    if (!compress) return true;
    return v != before && !unchanged(3 + i, fmt, v, before);
  };
  const bool noisy = machine || s.multiAxis.pointsMapped;
  const auto linear = [&](int i, const AddressFormat& fmt, double v, double before) {
    if (!compressXyz) return true;
    if (v == before) return false;
    return !noisy || !unchanged(i, fmt, v, before);
  };
  const std::string& sep = d.PP_SPACE;
  const auto word = [&](const AddressFormat& fmt, double v) {
    const std::size_t mark = r.size();
    if (!r.empty() && !sep.empty() && r.back() != ' ' && r.back() != '\n') {
      if (sep.size() == 1) {
        r.push_back(sep[0]);
      } else {
        r.append(sep);
      }
    }
    const std::size_t start = r.size();
    fmt.append(v, r);
    if (r.size() == start) r.resize(mark);
  };
  for (const std::uint8_t letter : letterOrder()) {
    switch (letter) {
      case ppdef::kG:
        appendWord(r, gWord_);
        break;
      case ppdef::kX: {
        const AddressFormat& f = incFormat
                                     ? formats_[kFxInc].get(d.FORMAT_PP_INCREMENTAL, d.FORMAT_PP_X)
                                     : formats_[kFx].get(d.FORMAT_PP_X);
        const double factor = d.XDiameterFactor;
        if (linear(0, f, out.x * factor, prev.x * factor)) word(f, out.x * factor);
        break;
      }
      case ppdef::kY: {
        const AddressFormat& f = incFormat
                                     ? formats_[kFyInc].get(d.FORMAT_PP_INCREMENTAL, d.FORMAT_PP_Y)
                                     : formats_[kFy].get(d.FORMAT_PP_Y);
        if (linear(1, f, out.y, prev.y)) word(f, out.y);
        break;
      }
      case ppdef::kZ: {
        const AddressFormat& f = incFormat
                                     ? formats_[kFzInc].get(d.FORMAT_PP_INCREMENTAL, d.FORMAT_PP_Z)
                                     : formats_[kFz].get(d.FORMAT_PP_Z);
        if (linear(2, f, out.z, prev.z)) word(f, out.z);
        break;
      }
      case ppdef::kA: {
        const AddressFormat& f = formats_[kFa].get(d.FORMAT_PP_A);
        if (angle(0, f, s.A, s.prevA)) word(f, s.A);
        break;
      }
      case ppdef::kB: {
        const AddressFormat& f = formats_[kFb].get(d.FORMAT_PP_B);
        if (angle(1, f, s.B, s.prevB)) word(f, s.B);
        break;
      }
      case ppdef::kC: {
        const AddressFormat& f = formats_[kFc].get(d.FORMAT_PP_C);
        if (angle(2, f, s.C, s.prevC)) word(f, s.C);
        break;
      }
      default:
        break;  // N, I, J, K, R and F carry no text in a linear block
    }
  }
  const MultiAxisState& m = s.multiAxis;
  setPreviousOutput({kept_[0] ? m.prevOutX : out.x, kept_[1] ? m.prevOutY : out.y,
                     kept_[2] ? m.prevOutZ : out.z});
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
