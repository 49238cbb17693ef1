// The CYCLE statement: the cycle kind, its parameters in a fixed layout or as minor words.
#include <string>

#include "core/apt/geometry_handlers.h"
#include "core/apt/motion_handlers.h"
#include "core/apt/parameters.h"
#include "core/common/message_log.h"
#include "core/common/text.h"
#include "core/common/user_prompt.h"
#include "core/iso/motion_code.h"
#include "core/iso/run_state.h"

namespace ordalis::apt {

namespace {

using common::ReadNumber;
using common::Trim;

constexpr int kCycleOff = iso::kMotionCycleOff;
constexpr int kTapCode = 87;

/// The items of a CYCLE statement, blanks removed at both ends; item 1 is the cycle word.
class CycleItems {
 public:
  explicit CycleItems(std::string_view statement) : list_(ParamList::of(statement)) {}
  int count() const { return list_.count(); }
  std::string_view item(int k) const { return Trim(list_.item(k)); }
  double number(int k) const { return ReadNumber(item(k)); }
  /// Item k as a cycle field; item 0 stands for the value 0.
  float field(int k) const { return k == 0 ? 0.0f : ToSingle(number(k)); }

 private:
  ParamList list_;
};

int DrillingCode(std::string_view w) {
  if (w == "DRILL") return 81;
  if (w == "CSINK") return 82;
  if (w == "BORE" || w == "CBORE") return 83;
  if (w == "DEEP" || w == "DEEPCL") return 84;
  if (w == "DEEPBK") return 85;
  if (w == "REAM") return 86;
  if (w == "TAP") return 87;
  if (w == "MILL") return 89;
  return 0;
}

bool IsFeedUnit(std::string_view w) {
  return w == "MMPM" || w == "IPM" || w == "MMPR" || w == "IPR";
}

/// Depth, clearance, retract and feed from the items given (0: the field becomes 0).
void Take(iso::CycleState& c, const CycleItems& it, int depth, int clearance, int retract,
          int feed) {
  c.depth = it.field(depth);
  c.clearance = it.field(clearance);
  c.retract = it.field(retract);
  c.feed = it.field(feed);
}

/// True when items 2, 4, 6 and 8 are all words: the statement names every value itself, as CAM
/// systems that write "DEEP, DEPTH, d, STEP, s, MMPM, f, CLEAR, c" do, in whatever order.
bool NamesEveryValue(const CycleItems& it) {
  for (int k = 2; k <= 8; k += 2) {
    const std::string_view w = it.item(k);
    if (w.empty() || ReadNumber(w) != 0 || (w[0] >= '0' && w[0] <= '9')) return false;
  }
  return true;
}

/// The fixed layouts, first match wins; false when none applies.
bool ApplyFixedLayout(std::string_view w, const CycleItems& it, iso::CycleState& c) {
  const int n = it.count();
  // The nine-item positional layouts assume one order of the minor words; a statement that names
  // its values in another order would have them read into the wrong fields (a feed read as the
  // peck depth), so such statements go through the minor-word scan, which reads any order.
  if (n == 9 && (w == "DRILL" || w == "CBORE" || w == "DEEP") && !IsFeedUnit(it.item(2)) &&
      NamesEveryValue(it)) {
    // The layout this statement stands in for sets the retract to 0 (the DRILL one only when
    // item 2 is DEPTH); the scan reads only what is named, so an earlier retract must not stay.
    if (w != "DRILL" || it.item(2) == "DEPTH") c.retract = 0;
    return false;
  }
  if (w == "DRILL" && n == 5 && it.number(4) > 0) {
    Take(c, it, 2, 5, 0, 4);
    c.zStep = 0;
  } else if (n == 5 && (w == "DRILL" || w == "REAM" || w == "TAP" || w == "MILL" || w == "BORE")) {
    Take(c, it, 2, 3, 0, 5);
  } else if (w == "CSINK" && n == 6) {
    Take(c, it, 2, 3, 0, 5);
  } else if (w == "DRILL" && n == 6) {
    Take(c, it, 2, 3, 4, 6);
  } else if (w == "DRILL" && n == 9 && IsFeedUnit(it.item(2))) {
    Take(c, it, 9, 5, 7, 3);
  } else if ((w == "DRILL" && n == 9 && it.item(2) == "DEPTH") || (w == "CBORE" && n == 9)) {
    Take(c, it, 3, 5, 0, 9);
    c.dwell = it.field(7);
  } else if (w == "TAP" && n == 6) {
    Take(c, it, 2, 6, 0, 3);
    c.pitch = it.field(5);
  } else if (w == "MILL" && n == 9) {
    Take(c, it, 2, 3, 4, 9);
    c.diameter = c.direction = it.field(6);
  } else if (w == "DEEP" && n == 6) {
    Take(c, it, 2, 0, 0, 5);
    c.zStep = it.field(6);
  } else if (w == "DEEP" && n == 8) {
    Take(c, it, 2, 4, 3, 8);
    c.zStep = it.field(6);
    c.retractModeText = it.item(5);
  } else if (w == "DEEP" && n == 9) {
    Take(c, it, 3, 5, 0, 9);
    c.zStep = it.field(7);
  } else if ((w == "DEEPCL" || w == "DEEPBK") && n == 8) {
    Take(c, it, 2, 3, 7, 5);
    c.retractModeText = it.item(6);
    c.zStep = it.field(8);
  } else if (!(w == "BORE" && n == 6)) {  // the six-item BORE reads nothing more
    return false;
  }
  return true;
}

/// One minor word and its value; false when the word is unknown to this cycle.
bool ApplyMinorWord(std::string_view cycle, std::string_view word, float value,
                    iso::CycleState& c) {
  if (word == "RAPTO" || word == "FAST" || word == "CLEAR") {
    c.clearance = value;
  } else if (word == "FEDTO" || word == "BOTTOM" || word == "DEPTH") {
    c.depth = value;
  } else if (word == "INCR" || word == "ABS" || word == "RTRCTO" || word == "HIGH" ||
             word == "TOP") {
    c.retract = value;
    c.retractModeText = word;
  } else if (IsFeedUnit(word)) {
    c.feed = value;
  } else if (word == "RPM") {
    c.spindle = value;
  } else if (word == "STEP") {
    (cycle == "TAP" ? c.decrement : c.zStep) = value;
  } else if (word == "DWL" || word == "DWELL") {
    c.dwell = value;
  } else if (word == "DWMODE") {
    // the dwell mode has no field: its value is passed over
  } else if (word == "PITCH" && cycle == "TAP") {
    c.pitch = value;
  } else if (word == "DIAMET" && cycle == "MILL") {
    c.diameter = value;
  } else if (word == "INCRD" && cycle == "DEEP") {
    c.decrement = value;
  } else if (ReadNumber(word) == 0) {  // a number other than 0 is passed over with its value
    return false;
  }
  return true;
}

/// Reads the minor words in pairs; false (after logging) at the first unknown word.
bool ScanMinorWords(iso::RunContext& ctx, std::string_view cycle, const CycleItems& it,
                    iso::CycleState& c) {
  const int n = it.count();
  int k = 2;
  if (it.number(2) != 0) {
    c.depth = it.field(2);
    if (!(cycle == "DRILL" && n == 9)) k = 3;
  }
  for (; k <= n; k += 2) {
    const std::string_view word = it.item(k);
    if (ApplyMinorWord(cycle, word, it.field(k + 1), c)) continue;
    std::string line(cycle);
    line.append(ctx.texts.text(kMsgNotProcessedTail));
    line.push_back(' ');
    line.append(word);
    ctx.message(kMsgCycleFormat, line);
    return false;
  }
  return true;
}

std::int16_t RetractMode(std::string_view text) {
  if (text == "INCR") return 1;
  if (text == "ABS" || text == "RTRCTO") return 2;
  if (text == "HIGH" || text == "TOP") return 3;
  return 0;
}

/// A tap's pitch and feed: the pitch from PITCH or from a feed per revolution; the feed the pitch
/// (a feed-per-revolution program) or the pitch times the spindle speed; the pitch from a feed per
/// minute and the speed when the statement gives no pitch. A tap without both is reported.
void TappingFeed(iso::RunContext& ctx, const iso::RunState& st, iso::CycleState& c,
                 std::string_view statement) {
  if (c.pitch <= 0 && c.feedPerRevolution) c.pitch = c.feed;
  if (c.pitch > 0) {
    if (st.feedPerRevolution) {
      c.feed = c.pitch;
    } else if (c.spindle > 0) {
      c.feed = ToSingle(static_cast<double>(c.pitch) * c.spindle);
    } else if (c.feedPerRevolution) {
      c.feed = 0;  // a pitch is no feed per minute
    }
  } else if (c.feed > 0 && c.spindle > 0) {
    c.pitch = c.feed / c.spindle;
  }
  if (c.pitch <= 0 || c.feed <= 0) {
    ctx.message(kMsgTapWithoutPitch, std::string(" ").append(statement));
  }
}

/// True when the statement gives its feed per revolution.
bool FeedPerRevolution(const CycleItems& it) {
  for (int k = 2; k <= it.count(); ++k) {
    if (it.item(k) == "MMPR" || it.item(k) == "IPR") return true;
  }
  return false;
}

void StopOnUnknownCycle(iso::RunContext& ctx, std::string_view word, std::string_view statement) {
  std::string detail(" ");
  detail.append(word);
  detail.push_back('\n');
  detail.append(statement);
  ctx.prompt.inform(kMsgCycleNotProcessed, detail);
  ctx.message(kMsgCycleNotProcessed, statement);
  // A cycle the machine would run wrongly must not become a program: the run stops here.
  ctx.stopRun(iso::RunStop::kUnknownCycle);
}

}  // namespace

void HandleCycle(HandlerContext& h, std::string_view statement) {
  iso::RunContext& ctx = h.ctx;
  iso::RunState& st = ctx.state;
  iso::CycleState& c = st.cycle;
  const CycleItems it(statement);
  const std::string_view word = it.item(1);
  if (word == "INIT") {
    // A marker some CAM systems write before each cycle; it carries no cycle, so the run goes on.
    ctx.message(kMsgKnownNotDone, std::string(" ") + std::string(statement));
    return;
  }

  c.depth = c.feed = c.dwell = 0;
  c.zStep = c.pitch = c.radialPass = 0;
  c.spindle = ToSingle(st.spindleSpeed);
  c.feedPerRevolution = FeedPerRevolution(it);
  c.statementColoured = c.firstPointColoured = false;
  st.cycleMode = true;

  // A new CYCLE statement ends any cancel-and-restart that a move inside the cycle started.
  c.interruptPending = c.resumePending = false;
  c.kindCode = 0;
  if (const int code = DrillingCode(word); code != 0) {
    st.motionCode = code;
    c.kindCode = code;
    c.holeStarted = false;
    if (!ApplyFixedLayout(word, it, c) && !ScanMinorWords(ctx, word, it, c)) return;
    if (code == kTapCode) TappingFeed(ctx, st, c, statement);
  } else if (word == "OFF") {
    st.motionCode = kCycleOff;
  } else if (word == "FACE") {
    ctx.message(kMsgCycleNotProcessed, "FACE");
  } else {
    StopOnUnknownCycle(ctx, word, statement);
  }
  c.retractMode = RetractMode(c.retractModeText);
}

}  // namespace ordalis::apt
