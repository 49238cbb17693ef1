#include "core/apt/inverse_time.h"

#include <string>

#include "core/apt/motion_handlers.h"
#include "core/apt/multi_axis.h"
#include "core/apt/parameters.h"
#include "core/common/text.h"
#include "core/iso/motion_code.h"

namespace ordalis::apt {

namespace {

constexpr std::string_view kInverse = "INVERS";

/// The address letters of the feed format ("F" of "F#0").
std::string_view FeedLetters(std::string_view pattern) {
  const std::size_t hash = pattern.find_first_of("#0+");
  const std::string_view letters = pattern.substr(0, hash);
  return letters.empty() ? std::string_view("F") : letters;
}

/// The mode code in front of the feed words, so that whichever block writes the feed writes it.
void PutModeCode(iso::RunState& st, const std::string& code, const std::string& separator) {
  const std::string prefix = code + separator;
  st.pendingFText.insert(0, prefix);
  if (!st.feedBlockText.empty()) st.feedBlockText.insert(0, prefix);
}

}  // namespace

bool HandleInverseTimeFeed(HandlerContext& h, std::string_view statement) {
  const ParamList p = ParamList::of(statement);
  int valueItem = 0;
  if (FirstWord(common::Trim(p.item(1))) == kInverse) valueItem = 2;
  if (FirstWord(common::Trim(p.item(2))) == kInverse) valueItem = 1;
  if (valueItem == 0) return false;
  iso::RunState& st = h.ctx.state;
  const auto& def = h.ctx.definition;
  if (def.PP_FEED_INV.empty()) {
    // A time read as a speed, or written F0, runs the tool at a feed nobody asked for.
    StopRun(h.ctx, kMsgNoInverseTime, statement);
    return true;
  }
  const std::string_view value = FirstWord(common::Trim(p.item(valueItem)));
  st.feedRate = common::ReadNumber(value);
  // The value as the CAM system wrote it: each move's time, never rounded to the speed format.
  st.pendingFText.assign(FeedLetters(def.PP_F)).append(value);
  st.feedBlockText.clear();
  if (!st.multiAxis.inverseTime) PutModeCode(st, def.PP_FEED_INV, def.PP_SPACE);
  st.multiAxis.inverseTime = true;
  // Every move in inverse time needs its own feed word.
  st.feedPending = true;
  if (!CycleHoldsMotionCode(st)) {
    st.gWordPending = true;
    st.motionCode = iso::kMotionFeed;
  }
  return true;
}

void LeaveInverseTime(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  if (!st.multiAxis.inverseTime) return;
  const auto& def = h.ctx.definition;
  if (def.PP_FEED_MIN.empty()) {
    StopRun(h.ctx, kMsgNoFeedPerMinute, statement);
    return;
  }
  st.multiAxis.inverseTime = false;
  PutModeCode(st, def.PP_FEED_MIN, def.PP_SPACE);
  st.feedPending = true;
}

}  // namespace ordalis::apt
