#include "core/apt/dispatcher.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/apt/frame_handlers.h"
#include "core/apt/geometry_handlers.h"
#include "core/apt/machine_handlers.h"
#include "core/apt/motion_handlers.h"
#include "core/apt/parameters.h"
#include "core/common/text.h"

namespace ordalis::apt {

namespace {

using ppdef::Colour;

std::int32_t ColourOf(HandlerContext& h, Colour c) { return h.ctx.definition.colour(c); }

// ---------------------------------------------------------------------------------------------
// Whole-statement words: found anywhere in the statement, so PPRINT text without "/" is still a
// print. They are tried in this order of precedence, whatever their position.

enum class Whole {
  Partno,
  Rapid,
  Pprint,
  Tprint,
  Insert,
  Clamp,
  Auxfun,
  Prefun,
  NamedCircle,
  NamedLine,
  None
};

struct Scan {
  Whole word = Whole::None;
  std::size_t commentAt = std::string_view::npos;  // where "$$" starts
};

template <std::size_t N>
void Consider(std::string_view s, std::size_t i, const char (&text)[N], Whole kind, Whole& best) {
  // A fixed length: the comparison is a few loads rather than a library call.
  if (kind < best && s.size() - i >= N - 1 && std::memcmp(s.data() + i, text, N - 1) == 0) {
    best = kind;
  }
}

/// Characters where "$$" or a whole-statement word can start; the scan skips the others (the
/// digits, signs and separators that make up most of a statement) in a tight loop.
constexpr std::array<bool, 256> kWordStarts = [] {
  std::array<bool, 256> t{};
  for (unsigned char c : std::string_view("$PRTICA=")) t[c] = true;
  return t;
}();

/// Marks (high bit of the byte) the bytes of `x` outside '+' to '<': signs, separators, the point
/// and the digits are inside and start no word. No carry crosses bytes: every byte is exact.
inline std::uint64_t MarkWordCandidates(std::uint64_t x) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  const std::uint64_t low = x & (0x7F * kOnes);
  const std::uint64_t above = low + (0x7F - '<') * kOnes;  // high bit set beyond '<'
  const std::uint64_t from = low + (0x80 - '+') * kOnes;   // high bit set from '+' on
  return (x | above | ~from) & (0x80 * kOnes);
}

/// The first byte among the marked ones of the window at `at` that starts a word, or npos.
inline std::size_t FirstWordStart(std::string_view s, std::size_t at, std::uint64_t marks) {
  for (; marks != 0; marks &= marks - 1) {
    const std::size_t i = at + static_cast<std::size_t>(std::countr_zero(marks) >> 3);
    if (kWordStarts[static_cast<unsigned char>(s[i])]) return i;
  }
  return std::string_view::npos;
}

/// The index of the first byte from `i` that may start a word (or "$$"), or the size.
inline std::size_t NextWordStart(std::string_view s, std::size_t i) {
  const std::size_t n = s.size();
  if (std::endian::native != std::endian::little || n < 8) {
    while (i < n && !kWordStarts[static_cast<unsigned char>(s[i])]) ++i;
    return i;
  }
  std::uint64_t x;
  for (; n - i >= 8; i += 8) {
    std::memcpy(&x, s.data() + i, 8);
    const std::size_t found = FirstWordStart(s, i, MarkWordCandidates(x));
    if (found != std::string_view::npos) return found;
  }
  if (i == n) return n;
  // The last bytes: the window ending with the statement, less the bytes already seen.
  std::memcpy(&x, s.data() + n - 8, 8);
  const std::uint64_t unseen = ~std::uint64_t{0} << (8 * (8 - (n - i)));
  const std::size_t found = FirstWordStart(s, n - 8, MarkWordCandidates(x) & unseen);
  return found != std::string_view::npos ? found : n;
}

/// One pass over the statement for "$$" and the whole-statement words: the hot path sees each
/// character once and compares only where a word can start.
Scan ScanStatement(std::string_view s) {
  Scan scan;
  Whole& best = scan.word;
  const std::size_t n = s.size();
  for (std::size_t i = NextWordStart(s, 0); i < n; i = NextWordStart(s, i + 1)) {
    switch (s[i]) {
      case '$':
        if (i + 1 < n && s[i + 1] == '$') {
          scan.commentAt = i;
          return scan;  // nothing after "$$" belongs to the statement
        }
        break;
      case 'P':
        Consider(s, i, "PARTNO", Whole::Partno, best);
        Consider(s, i, "PPRINT", Whole::Pprint, best);
        Consider(s, i, "PREFUN", Whole::Prefun, best);
        break;
      case 'R':
        Consider(s, i, "RAPID", Whole::Rapid, best);
        break;
      case 'T':
        Consider(s, i, "TPRINT", Whole::Tprint, best);
        break;
      case 'I':
        Consider(s, i, "INSERT", Whole::Insert, best);
        break;
      case 'C':
        Consider(s, i, "CLAMP", Whole::Clamp, best);
        break;
      case 'A':
        Consider(s, i, "AUXFUN", Whole::Auxfun, best);
        break;
      default:  // '='
        Consider(s, i, "=CIRCLE/", Whole::NamedCircle, best);
        Consider(s, i, "=LINE/", Whole::NamedLine, best);
        break;
    }
  }
  return scan;
}

/// "C1=CIRCLE/..." keeps the name (trimmed, so an indented line still matches in TLON,GOFWD)
/// and the definition after the "=".
void StoreNamed(std::string_view s, std::string& name, std::string& definition) {
  name = common::Trim(common::TextBefore(s, '='));
  definition = common::TextAfter(s, '=');
}

std::int32_t DispatchWhole(HandlerContext& h, Whole word, std::string_view s) {
  iso::RunState& st = h.ctx.state;
  switch (word) {
    case Whole::Partno:
      st.partName = HandlePartno(h, s);
      st.partnoPending = true;
      return ColourOf(h, Colour::Partno);
    case Whole::Rapid:
      HandleRapid(h, s);
      return ColourOf(h, Colour::Rapid);
    case Whole::Pprint:
      st.comment = HandlePprint(s);
      st.printPending = true;
      return ColourOf(h, Colour::Pprint);
    case Whole::Tprint:
      st.comment = HandleTprint(h, s);
      st.printPending = true;
      return ColourOf(h, Colour::Tprint);
    case Whole::Insert:
      st.insertText = HandleInsert(s);
      st.insertPending = true;
      return ColourOf(h, Colour::Insert);
    case Whole::Clamp:
      st.clampText = HandleClamp(h, s);
      st.clampPending = true;
      return ColourOf(h, Colour::Clamp);
    case Whole::Auxfun:
      st.auxfunText = HandleAuxfun(h, s);
      st.auxfunPending = true;
      return ColourOf(h, Colour::Auxfun);
    case Whole::Prefun:
      st.prefunText = HandlePrefun(h, s);
      st.prefunPending = true;
      return ColourOf(h, Colour::Prefun);
    case Whole::NamedCircle:
      StoreNamed(s, st.circleName, st.circleDefinition);
      return ColourOf(h, Colour::TlonGofwd);
    case Whole::NamedLine:
      StoreNamed(s, st.lineName, st.lineDefinition);
      return ColourOf(h, Colour::TlonGofwd);
    case Whole::None:
      break;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Major words: compared exactly and with case. Each entry runs the word and gives its colour.

using Run = std::int32_t (*)(HandlerContext&, std::string_view);

struct WordEntry {
  std::string_view word;
  Run run;
};

/// A word whose handler stores everything itself.
template <void (*Handler)(HandlerContext&, std::string_view), Colour C>
std::int32_t Call(HandlerContext& h, std::string_view s) {
  Handler(h, s);
  return ColourOf(h, C);
}

/// A word whose only effect is a pending flag.
template <bool iso::RunState::*Flag, Colour C>
std::int32_t Raise(HandlerContext& h, std::string_view) {
  h.ctx.state.*Flag = true;
  return ColourOf(h, C);
}

template <Colour C>
std::int32_t Accept(HandlerContext& h, std::string_view) {
  return ColourOf(h, C);
}

std::int32_t RunGoto(HandlerContext& h, std::string_view s) {
  iso::RunState& st = h.ctx.state;
  if (st.circleMark) {
    HandleCircleGoto(h, s);
    return ColourOf(h, Colour::Circle);
  }
  const bool firstAfterLoad = st.toolJustLoaded;
  HandleGoto(h, s);
  return ColourOf(h, firstAfterLoad ? Colour::FirstPoint : Colour::Goto);
}

void CountToolChange(iso::RunState& st) {
  EndCycleBefore(st);
  st.toolJustLoaded = true;
  if (st.toolChangeCounter < std::numeric_limits<std::int16_t>::max()) ++st.toolChangeCounter;
  if (st.toolLoadsSeen < std::numeric_limits<std::int16_t>::max()) ++st.toolLoadsSeen;
}

std::int32_t RunLoadtl(HandlerContext& h, std::string_view s) {
  HandleLoadtl(h, s);
  CountToolChange(h.ctx.state);
  return ColourOf(h, Colour::Loadtl);
}

std::int32_t RunLoad(HandlerContext& h, std::string_view s) {
  if (!HandleLoad(h, s)) return 0;
  CountToolChange(h.ctx.state);
  return ColourOf(h, Colour::Load);
}

std::int32_t RunCoolnt(HandlerContext& h, std::string_view s) {
  iso::RunState& st = h.ctx.state;
  const std::string& code = HandleCoolnt(h, s);
  st.coolant = code;
  st.coolantPending = true;
  // The program states its coolant itself: nothing to start again after a tool change.
  st.coolantRunning = &code != &h.ctx.definition.PP_FLUID_OFF;
  st.restartCoolant = false;
  return ColourOf(h, Colour::Coolnt);
}

/// END and FINI end the program: a cycle still in force is cancelled before their blocks.
template <bool iso::RunState::*Flag, Colour C>
std::int32_t EndProgram(HandlerContext& h, std::string_view) {
  EndCycleBefore(h.ctx.state);
  h.ctx.state.*Flag = true;
  return ColourOf(h, C);
}

std::int32_t RunAir(HandlerContext& h, std::string_view s) {
  h.ctx.state.air = HandleAir(h, s);
  h.ctx.state.airPending = true;
  return ColourOf(h, Colour::Air);
}

std::int32_t RunTmark(HandlerContext& h, std::string_view s) {
  h.ctx.state.tmark = HandleTmark(s);
  return ColourOf(h, Colour::Tmark);
}

std::int32_t RunDelay(HandlerContext& h, std::string_view s) {
  h.ctx.state.dwell = HandleDelay(s);
  h.ctx.state.delayPending = true;
  return ColourOf(h, Colour::Delay);
}

std::int32_t RunDisply(HandlerContext& h, std::string_view s) {
  h.ctx.state.comment = HandleDisply(h, s);
  return ColourOf(h, Colour::Disply);
}

using S = iso::RunState;

// Most frequent words first: the lookup stops at the first match.
constexpr WordEntry kWords[] = {
    {"GOTO", &RunGoto},
    {"CIRCLE", &Call<HandleCircle, Colour::Circle>},
    {"FEDRAT", &Call<HandleFedrat, Colour::Fedrat>},
    {"CUTCOM", &Call<HandleCutcom, Colour::Cutcom>},
    {"SPINDL", &Call<HandleSpindl, Colour::Spindl>},
    {"CYCLE", &Call<HandleCycle, Colour::Cycle>},
    {"TLAXIS", &Call<HandleTlaxis, Colour::Tlaxis>},
    {"GODLTA", &Call<HandleGodlta, Colour::Godlta>},
    {"COOLNT", &RunCoolnt},
    {"AIR", &RunAir},
    {"TMARK", &RunTmark},
    {"OPSTOP", &Raise<&S::opstopPending, Colour::Opstop>},
    {"STOP", &Raise<&S::stopPending, Colour::Stop>},
    {"DELAY", &RunDelay},
    {"DISPLY", &RunDisply},
    {"MSYS", &Call<HandleMsys, Colour::Msys>},
    {"TRACUT", &Call<HandleTracut, Colour::Tracut>},
    {"CSYS", &Call<HandleCsys, Colour::Msys>},
    {"TRNTYP", &Call<HandleTrntyp, Colour::Tracut>},
    {"REWIND", &Call<HandleRewind, Colour::Rewind>},
    {"TOOLNO", &Call<HandleToolno, Colour::Toolno>},
    {"LOADTL", &RunLoadtl},
    {"LOAD", &RunLoad},
    {"END", &EndProgram<&S::endPending, Colour::End>},
    {"FINI", &EndProgram<&S::finiPending, Colour::Fini>},
    {"CUTTER", &Call<HandleCutter, Colour::Cutter>},
    {"UNITS", &Call<HandleUnits, Colour::Units>},
    {"SELECT", &Call<HandleSelect, Colour::Select>},
    {"MCS", &Call<HandleMcs, Colour::Mcs>},
    {"MULTAX", &Call<HandleMultax, Colour::Multax>},
    {"SEQNO", &Call<HandleSeqno, Colour::Seqno>},
    {"FROM", &Call<HandleFrom, Colour::From>},
    {"GOHOME", &Call<HandleGohome, Colour::Gohome>},
    {"MODE", &Call<HandleMode, Colour::Mode>},
    {"ORIGIN", &Call<HandleOrigin, Colour::Origin>},
    {"PPFUN", &Call<HandlePpfun, Colour::Ppfun>},
    {"INDIRV", &Call<HandleIndirv, Colour::Indirv>},
    {"TLON,GOFWD", &Call<HandleTlonGofwd, Colour::TlonGofwd>},
    {"INTOL", &Accept<Colour::Deftol>},
    {"OUTTOL", &Accept<Colour::Deftol>},
};

Run FindWord(std::string_view word) {
  for (const WordEntry& e : kWords) {
    if (e.word == word) return e.run;
  }
  return nullptr;
}

std::int32_t Interpret(HandlerContext& h, std::string_view statement) {
  if (statement.empty()) return 0;
  const Scan scan = ScanStatement(statement);
  if (scan.commentAt != std::string_view::npos) {
    if (common::TrimLeft(statement.substr(0, scan.commentAt)).empty()) {
      h.ctx.state.comment = statement.substr(scan.commentAt + 2);
      h.ctx.state.commentPending = true;
      return ColourOf(h, Colour::Comment);
    }
    // A trailing "$$" note: the statement before it still counts.
    statement = common::TrimRight(statement.substr(0, scan.commentAt));
  }
  if (scan.word != Whole::None) return DispatchWhole(h, scan.word, statement);
  const std::string_view word = MajorWord(statement);
  if (const Run run = FindWord(word)) return run(h, statement);
  if (common::Trim(common::TextAfterLast(statement, '/')).empty()) return 0;
  h.ctx.message(kMsgNotProcessed, word);
  return ColourOf(h, Colour::Unknown);
}

/// While a canned cycle is on, the cycle statement, its first point and the later points each
/// take their own colour, whatever the statement.
std::int32_t CycleColour(HandlerContext& h, std::int32_t colour) {
  iso::RunState& st = h.ctx.state;
  if (!st.cycleMode) return colour;
  if (st.cycle.firstPointColoured) return ColourOf(h, Colour::CyclePt);
  if (st.cycle.statementColoured) {
    st.cycle.firstPointColoured = true;
    return ColourOf(h, Colour::CycleFirstPt);
  }
  st.cycle.statementColoured = true;
  return ColourOf(h, Colour::Cycle);
}

}  // namespace

std::int32_t Dispatcher::dispatch(std::string_view statement) {
  if (aliases_ != nullptr && aliases_->rewrite(statement, aliased_)) statement = aliased_;
  return CycleColour(h_, Interpret(h_, statement));
}

}  // namespace ordalis::apt
