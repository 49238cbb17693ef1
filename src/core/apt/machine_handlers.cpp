#include "core/apt/machine_handlers.h"

#include "core/apt/inverse_time.h"
#include "core/apt/motion_handlers.h"
#include "core/apt/parameters.h"
#include "core/common/text.h"
#include "core/iso/motion_code.h"
#include "core/ppdef/definition_ranges.h"
#include "core/tools/tool_label.h"

namespace ordalis::apt {

using common::Contains;
using common::ReadNumber;
using common::TextAfter;
using common::TextBefore;
using common::Trim;
using common::TrimLeft;

namespace {

bool IsFeedUnit(std::string_view word) {
  return word == "MMPM" || word == "IPM" || word == "MMPR" || word == "IPR";
}

/// The text after the first "/", or after the first `fallback` character when there is no "/".
std::string_view TextAfterSlashOr(std::string_view statement, char fallback) {
  return statement.find('/') != std::string_view::npos ? TextAfter(statement, '/')
                                                       : TextAfter(statement, fallback);
}

constexpr int kMsgNoFeedPerRevolution = 2151;

/// Follows the unit word of a FEDRAT (none keeps the mode); true when the mode changed. The code
/// of the new mode is kept in feedModeText for the feed texts, when the definition has both codes.
bool SetFeedMode(HandlerContext& h, std::string_view unit) {
  iso::RunState& st = h.ctx.state;
  const auto& def = h.ctx.definition;
  st.feedModeText.clear();
  if (!IsFeedUnit(unit)) return false;
  const bool perRevolution = unit == "MMPR" || unit == "IPR";
  const bool canWrite = !def.PP_FEED_REV.empty() && !def.PP_FEED_MIN.empty();
  if (perRevolution && !canWrite && !st.feedRevolutionWarned) {
    st.feedRevolutionWarned = true;
    h.ctx.message(kMsgNoFeedPerRevolution);
  }
  if (perRevolution == st.feedPerRevolution) return false;
  st.feedPerRevolution = perRevolution;
  if (canWrite) st.feedModeText = perRevolution ? def.PP_FEED_REV : def.PP_FEED_MIN;
  return true;
}

}  // namespace

void HandleFedrat(HandlerContext& h, std::string_view statement) {
  if (HandleInverseTimeFeed(h, statement)) return;
  iso::RunState& st = h.ctx.state;
  const auto& def = h.ctx.definition;
  const ParamList p = ParamList::of(statement);
  int feedItem = 1;
  const std::string_view first = FirstWord(TrimLeft(p.item(1)));
  std::string_view unit = first;
  if (IsFeedUnit(first)) {
    feedItem = 2;
    if (p.count() < 2) ReportIncomplete(h.ctx, statement);
  } else {
    unit = FirstWord(Trim(p.item(2)));  // FEDRAT/0.1,MMPR: the unit after the value
  }
  const double feed = ReadNumber(FirstWord(TrimLeft(p.item(feedItem))));
  const bool modeChanged = SetFeedMode(h, unit);
  // During a canned cycle the feed changes but the cycle keeps its motion code.
  const bool cycleHolds = CycleHoldsMotionCode(st);
  if (!cycleHolds) st.gWordPending = true;
  if (!def.OPTION_COMPR_SPEED || feed != st.feedRate || modeChanged) st.feedPending = true;
  st.feedRate = feed;
  const std::string& format =
      st.feedPerRevolution && !def.PP_F_REV.empty() ? def.PP_F_REV : def.PP_F;
  st.feedBlockText.clear();
  iso::FormatAddressAppend(feed, def.PP_CODE_F, st.feedBlockText);
  st.pendingFText.clear();
  iso::FormatAddressAppend(feed, format, st.pendingFText);
  if (!st.feedModeText.empty()) {
    // The mode's code goes with the feed that needs it, whichever road writes that feed.
    std::string code = st.feedModeText + def.PP_SPACE;
    if (!st.feedBlockText.empty()) st.feedBlockText.insert(0, code);
    st.pendingFText.insert(0, code);
  }
  LeaveInverseTime(h, statement);
  if (!cycleHolds) st.motionCode = iso::kMotionFeed;
}

void HandleUnits(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  // Blanks around the word, as in "UNITS / MM", do not hide it.
  const std::string_view unit = common::Trim(ParamList::of(statement).item(1));
  // INCHES is the standard APT word; the motion code stays, so a cycle keeps its holes.
  if (unit == "MM") st.unitsCode = 71;
  if (unit == "INCH" || unit == "INCHES") st.unitsCode = 70;
  st.unitsPending = unit == "MM" || unit == "INCH" || unit == "INCHES";
  if (!st.unitsPending) h.ctx.message(kMsgNotProcessed, statement);
}

const std::string& HandleAir(HandlerContext& h, std::string_view statement) {
  const auto& def = h.ctx.definition;
  return Contains(statement, "OFF") ? def.PP_AIR_OFF : def.PP_AIR_ON;
}

void HandleCutcom(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const auto& def = h.ctx.definition;
  const std::string* code = nullptr;
  if (Contains(statement, "LEFT")) code = &def.PP_RCORR_L;
  if (Contains(statement, "RIGHT")) code = &def.PP_RCORR_R;
  if (Contains(statement, "OFF")) code = &def.PP_RCORR_OFF;
  if (code == &def.PP_RCORR_L || code == &def.PP_RCORR_R) {
    // CUTCOM/LEFT,d names the radius register; without it (or with a word there, as XYPLAN) the
    // tool number serves.
    const std::string_view d = Trim(ParamList::of(statement).item(2));
    st.radiusRegister = !d.empty() && d.front() >= '0' && d.front() <= '9'
                            ? RoundToInt16(ReadNumber(d))
                            : static_cast<std::int16_t>(-1);
  }
  if (code != nullptr) {
    st.correction = h.engine.expandFull(*code);
    st.cutcomJustRead = true;
  }
  st.correctionPending = true;
}

void HandleLoadtl(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const ParamList p = ParamList::of(statement);
  st.requestedTool = RoundToInt16(p.number(1));
  st.toolChangePending = true;
  st.lengthRegister = -1;
  // LOADTL/t,h and LOADTL/t,ADJUST,h name the length register; without it the tool number serves.
  const int registerItem = Trim(p.item(2)) == "ADJUST" ? 3 : 2;
  if (p.count() == registerItem) {
    st.lengthCorrector = RoundToInt16(p.number(registerItem));
    st.lengthRegister = st.lengthCorrector;
    st.correctorPending = true;
  }
}

bool HandleLoad(HandlerContext& h, std::string_view statement) {
  const ParamList p(TrimLeft(ParameterText(statement)));
  if (p.item(1) != "TOOL") {
    std::string detail(p.item(1));
    detail.append(h.ctx.texts.text(kMsgLoadLast));
    h.ctx.message(kMsgLoadFirst, detail);
    return false;
  }
  if (p.count() < 2) ReportIncomplete(h.ctx, statement);
  h.ctx.state.requestedTool = RoundToInt16(p.number(2));
  h.ctx.state.toolChangePending = true;
  h.ctx.state.lengthRegister = -1;
  return true;
}

void HandleToolno(HandlerContext& h, std::string_view statement) {
  const ParamList p = ParamList::of(statement);
  if (p.count() < 2) ReportIncomplete(h.ctx, statement);
  tools::ToolRecord& tool = h.ctx.tools.current();
  tool.number = RoundToInt16(p.number(1));
  tool.programmedDiameter = ToSingle(p.number(2));
  if (h.ctx.definition.OPTION_TRAITEMENT_TOOLNO) {
    h.ctx.state.toolnoPending = true;
    h.ctx.state.requestedTool = tool.number;
  }
}

void HandleCutter(HandlerContext& h, std::string_view statement) {
  const ParamList p = ParamList::of(statement);
  tools::ToolRecord& tool = h.ctx.tools.add();
  h.ctx.state.cutterPending = true;
  const int n = p.count();
  if (n == 1 || n == 2 || n == 7) tool.diameter = ToSingle(p.number(1));
  if (n == 2 || n == 7) tool.cornerRadius = ToSingle(p.number(2));
  if (n == 7) {
    tool.programmedLength = ToSingle(p.number(4));
    tool.angle = ToSingle(p.number(6));
    tool.length = ToSingle(p.number(7));
    tool.cuttingLength = tool.length;
  }
  tool.radius = tool.diameter / 2;
  tool.type = tool.radius == tool.cornerRadius ? tools::kBallEnd : tools::kFlatEnd;
  tool.name = tools::CutterDescription(tool);
}

std::string HandlePartno(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const std::string_view text = Trim(TextAfter(statement, ' '));
  st.comment.clear();
  const std::string_view first = FirstWord(text);
  if (ReadNumber(first) > 0) {
    // PARTNO 12 BRACKET: the number names the program, the rest is its comment.
    st.comment = TextAfter(text, ' ');
    return std::string(first);
  }
  if (text == "PARTNO") return {};
  if (!text.empty() && text.front() == '/') return std::string(TrimLeft(text.substr(1)));
  return std::string(text);
}

std::string HandlePprint(std::string_view statement) {
  return std::string(TrimLeft(TextAfterSlashOr(statement, 'T')));
}

std::string HandleTprint(HandlerContext& h, std::string_view statement) {
  std::string text(Trim(TextAfterSlashOr(statement, ' ')));
  h.ctx.tools.current().name = text;
  return text;
}

std::string HandleInsert(std::string_view statement) {
  return std::string(Trim(TextAfterSlashOr(statement, 'T')));
}

std::string HandleTmark(std::string_view statement) {
  return std::string(Trim(TextAfterSlashOr(statement, 'K')));
}

std::string HandleDisply(HandlerContext& h, std::string_view statement) {
  if (statement.find('/') != std::string_view::npos) return {};
  h.ctx.state.printPending = true;
  return std::string(TrimLeft(TextAfter(statement, ' ')));
}

void HandleRewind(HandlerContext& h, std::string_view statement) {
  h.ctx.state.rewind = TrimLeft(TextAfter(statement, '/'));
  h.ctx.state.rewindPending = true;
}

void HandleMode(HandlerContext& h, std::string_view statement) {
  h.ctx.state.modeText = Trim(TextAfter(statement, '/'));
  h.ctx.state.modePending = true;
}

std::string HandleClamp(HandlerContext& h, std::string_view statement) {
  const auto& def = h.ctx.definition;
  const std::string_view params = TextAfter(statement, '/');
  if (statement.find(',') == std::string_view::npos) {
    const std::string_view word = Trim(params);
    if (word == "ON") return def.PP_CLAMP_ON;
    if (word == "OFF") return def.PP_CLAMP_OFF;
    return std::string(word);
  }
  const std::string_view axis = Trim(TextBefore(params, ','));
  const bool on = Trim(TextAfter(params, ',')) == "ON";
  if (axis == "AAXIS") return on ? def.PP_CLAMP_ON_A : def.PP_CLAMP_OFF_A;
  if (axis == "BAXIS") return on ? def.PP_CLAMP_ON_B : def.PP_CLAMP_OFF_B;
  if (axis == "CAXIS") return on ? def.PP_CLAMP_ON_C : def.PP_CLAMP_OFF_C;
  return std::string(axis);
}

std::string HandleAuxfun(HandlerContext& h, std::string_view statement) {
  return iso::FormatAddress(ReadNumber(Trim(TextAfter(statement, '/'))),
                            h.ctx.definition.PP_AUXFUN);
}

std::string HandlePrefun(HandlerContext& h, std::string_view statement) {
  return iso::FormatAddress(ReadNumber(Trim(TextAfter(statement, '/'))),
                            h.ctx.definition.PP_PREFUN);
}

float HandleDelay(std::string_view statement) {
  return ToSingle(ReadNumber(TextBefore(TrimLeft(TextAfter(statement, '/')), ',')));
}

void HandleSeqno(HandlerContext& h, std::string_view statement) {
  iso::RunState& st = h.ctx.state;
  const auto& def = h.ctx.definition;
  const ParamList p = ParamList::of(statement);
  const std::string_view word = p.item(1);
  const bool needsValue = word == "INCR" || word == "STEP";
  if (needsValue && p.count() < 2) {
    // Without its value the statement would stop the numbering (INCR) or do nothing (STEP).
    ReportIncomplete(h.ctx, statement);
  } else if (word == "ON" || word == "OFF") {
    st.numbering = word == "ON";
  } else if (word == "INCR") {
    st.lineIncrement = RoundToInt16(p.number(2));
  } else if (word == "STEP") {
    st.lineCounter = RoundToInt32(static_cast<double>(st.lineCounter) + p.number(2));
  } else if (const double start = ReadNumber(word); start > 0) {
    st.lineCounter = RoundToInt32(start);
  }
  if (static_cast<double>(def.NUM_MAX) < st.lineCounter)
    st.lineCounter = ppdef::LineNumberOrigin(def);
}

void HandlePpfun(HandlerContext&, std::string_view) {}

}  // namespace ordalis::apt
