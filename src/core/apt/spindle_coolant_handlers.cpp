// SPINDL and COOLNT as CAM systems write them: words in any order, the APT defaults, and the
// codes a definition may lack stopping the run rather than guessed.
#include <string>

#include "core/apt/machine_handlers.h"
#include "core/apt/parameters.h"
#include "core/common/text.h"

namespace ordalis::apt {

using common::Contains;
using common::ReadNumber;
using common::Trim;
using common::TrimLeft;

namespace {

/// What a SPINDL statement says, its words read wherever they stand.
struct SpindleWords {
  double speed = 0;
  const std::string* direction = nullptr;
  bool surface = false;  // SFM or SMM
  bool on = false, off = false;
};

SpindleWords ReadSpindleWords(HandlerContext& h, std::string_view statement) {
  const auto& def = h.ctx.definition;
  const ParamList p(TrimLeft(ParameterText(statement)));
  SpindleWords w;
  for (int i = 1; i <= p.count(); ++i) {
    const std::string_view item = FirstWord(Trim(p.item(i)));
    if (item.empty()) continue;
    const char c = item.front();
    if ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-') {
      if (w.speed <= 0) w.speed = ReadNumber(item);
    } else if (item == "CLW") {
      w.direction = &def.PP_SPINDLE_CW;
    } else if (item == "CCLW") {
      w.direction = &def.PP_SPINDLE_CCW;
    } else if (item == "SFM" || item == "SMM") {
      w.surface = true;
    } else if (item == "OFF") {
      w.off = true;
    } else if (item == "ON") {
      w.on = true;
    } else if (item != "RPM") {
      // RANGE, MAXRPM and the like: logged with their value, which is no speed.
      std::string detail(" ");
      detail.append(item);
      const std::string_view next = Trim(p.item(i + 1));
      if (i < p.count() && !next.empty() && (ReadNumber(next) != 0 || next.front() == '0')) {
        detail.append(",").append(next);
        ++i;
      }
      h.ctx.message(kMsgSpindleWord, detail);
    }
  }
  return w;
}

/// Starts the spindle at the speed in force (a surface speed when `surface`).
void StartSpindle(iso::RunState& st, bool surface) {
  st.surfaceSpeed = surface;
  st.spindleState = surface ? 3 : 1;
  st.spindleSpeedPending = true;
  st.spindleRunning = true;
}

/// A surface speed needs its codes: written as rpm, 200 m/min would break the tool at once.
void StartSurfaceSpeed(HandlerContext& h, double speed, std::string_view statement) {
  const auto& def = h.ctx.definition;
  if (def.PP_CSS_ON.empty() || def.PP_CSS_OFF.empty()) {
    h.ctx.message(kMsgNoSurfaceSpeed, std::string(" ").append(statement));
    h.ctx.stopRun(iso::RunStop::kRule);
    return;
  }
  h.ctx.state.surfaceSpeedValue = speed;
  StartSpindle(h.ctx.state, true);
}

}  // namespace

void HandleSpindl(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const auto& def = h.ctx.definition;
  const SpindleWords w = ReadSpindleWords(h, statement);
  // The program states its spindle itself: nothing to start again after a tool change.
  st.restartSpindle = false;
  if (w.off) {
    st.spindle = def.PP_SPINDLE_OFF;
    st.spindleState = 2;
    st.spindleRunning = false;
    return;
  }
  if (w.speed <= 0) {
    // SPINDL/ON, or a direction alone: the last speed again, in the last direction unless named.
    if (!w.on && w.direction == nullptr) return;
    if (!st.surfaceSpeed && st.spindleSpeed <= 0) {
      h.ctx.message(kMsgSpindleNoSpeed, std::string(" ").append(statement));
      return;
    }
    if (w.direction != nullptr) st.spindleDirection = *w.direction;
    if (st.spindleDirection.empty()) st.spindleDirection = def.PP_SPINDLE_CW;
    st.spindle = st.spindleDirection;
    StartSpindle(st, st.surfaceSpeed);
    return;
  }
  // APT turns clockwise when the statement names no direction.
  st.spindleDirection = w.direction != nullptr ? *w.direction : def.PP_SPINDLE_CW;
  st.spindle = st.spindleDirection;
  if (w.surface) return StartSurfaceSpeed(h, w.speed, statement);
  if (st.surfaceSpeed) st.surfaceSpeedOffPending = true;
  st.spindleSpeed = w.speed;
  StartSpindle(st, false);
}

const std::string& HandleCoolnt(HandlerContext& h, std::string_view statement) {
  const auto& def = h.ctx.definition;
  const std::string_view words = ParameterText(statement);
  // OFF wins wherever it stands: COOLNT/FLOOD,OFF must never leave the coolant running.
  if (Contains(words, "OFF")) return def.PP_FLUID_OFF;
  if (Contains(words, "MIST") || Contains(words, "AIR")) return def.PP_FLUID_AIR;
  if (Contains(words, "THRU")) {
    if (!def.PP_FLUID_THRU.empty()) return def.PP_FLUID_THRU;
    h.ctx.message(kMsgThruAsFlood);
    return def.PP_FLUID_FLOOD;
  }
  if (Contains(words, "FLOOD")) return def.PP_FLUID_FLOOD;
  return def.PP_FLUID_ON;
}

}  // namespace ordalis::apt
