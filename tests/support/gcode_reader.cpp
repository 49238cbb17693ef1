#include "support/gcode_reader.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace ordalis::test {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

/// The line without its comments: "(...)" and everything after ";". Siemens "=AC(...)" stays.
std::string WithoutComments(std::string_view line) {
  std::string out;
  int depth = 0;
  bool value = false;
  for (char c : line) {
    if (c == ';' && depth == 0) break;
    if (c == '(' && depth == 0 && out.size() >= 3 && out.compare(out.size() - 3, 3, "=AC") == 0) {
      value = true;
    } else if (c == '(') {
      ++depth;
    }
    if (depth == 0) out.push_back(c);
    if (c == ')' && value) {
      value = false;
    } else if (c == ')' && depth > 0) {
      --depth;
    }
  }
  return out;
}

bool Has(std::string_view s, std::string_view what) {
  return s.find(what) != std::string_view::npos;
}

/// The comma-separated values of a Siemens cycle call "CYCLE8x(a,b,,d)"; empty ones read as NaN.
std::vector<double> CallParameters(std::string_view line) {
  std::vector<double> values;
  const std::size_t open = line.find('(');
  const std::size_t close = line.find(')', open);
  if (open == std::string_view::npos || close == std::string_view::npos) return values;
  std::string_view rest = line.substr(open + 1, close - open - 1);
  for (;;) {
    const std::size_t comma = rest.find(',');
    const std::string item(Trim(rest.substr(0, comma)));
    values.push_back(item.empty() ? kUnknown : std::strtod(item.c_str(), nullptr));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return values;
}

double Parameter(const std::vector<double>& values, std::size_t i) {
  return i < values.size() ? values[i] : kUnknown;
}

}  // namespace

void GcodeReader::read(std::string_view program) {
  // A program that compensates lengths with G43 owes one to every tool it loads.
  usesG43_ = Has(program, "G43");
  int number = 0;
  std::size_t start = 0;
  while (start <= program.size()) {
    std::size_t end = program.find('\n', start);
    if (end == std::string_view::npos) end = program.size();
    readLine(program.substr(start, end - start), ++number);
    start = end + 1;
  }
}

void GcodeReader::fault(int line, const std::string& what) {
  faults_.push_back("line " + std::to_string(line) + ": " + what);
}

// Siemens cycles: "MCALL CYCLE8x(...)" makes every later positioning block drill, "MCALL" alone
// ends it; "CYCLE8x(...)" alone drills once where the tool stands. RTP, RFP, SDIS, DP come first.
bool GcodeReader::siemensCycle(std::string_view line, int number) {
  const bool modal = Has(line, "MCALL");
  const bool call = Has(line, "CYCLE8");
  if (!modal && !call) return false;
  if (!call) {
    state_.cycleCall = false;
    return true;
  }
  const std::vector<double> p = CallParameters(line);
  siemensRtp_ = Parameter(p, 0);
  siemensDp_ = Parameter(p, 3);
  if (modal) {
    state_.cycleCall = true;
    return true;
  }
  hole(position_, siemensDp_, siemensRtp_, number);
  return true;
}

void GcodeReader::readLine(std::string_view raw, int number) {
  std::string_view line = Trim(raw);
  if (line.empty()) return;
  if (line.front() == '%') {
    // "%" alone, or Heidenhain's "%name G71 *": the words after the name count.
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return;
    line = line.substr(blank);
  }
  if (siemensCycle(line, number)) return;
  const std::string text = WithoutComments(line);
  std::vector<Word> words;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c < 'A' || c > 'Z') {
      ++i;
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '=') {
      const bool ac = text.compare(i + 2, 3, "AC(") == 0;
      const std::size_t close = text.find_first_of(ac ? ")" : " ", i);
      if (ac) words.push_back({c, std::strtod(text.c_str() + i + 5, nullptr), true});
      i = close == std::string::npos ? text.size() : close + 1;
      continue;
    }
    if (text.compare(i, 5, "TRANS") == 0 || text.compare(i, 6, "ATRANS") == 0) {
      words.push_back({'G', 52, false});  // a programmable shift, as G52
      i += text[i] == 'A' ? 6 : 5;
      continue;
    }
    if (text.compare(i, 4, "SUPA") == 0) {
      words.push_back({'G', 53, false});  // machine coordinates, as G53
      i += 4;
      continue;
    }
    char* after = nullptr;
    const double v = std::strtod(text.c_str() + i + 1, &after);
    if (after == text.c_str() + i + 1) {
      ++i;  // a letter without a number (a word of a cycle call): not an address
      continue;
    }
    if (*after == '=') {
      // "Q203=2": a Heidenhain cycle parameter, not an address.
      const double q = std::strtod(after + 1, nullptr);
      if (c == 'Q' && v == 203) q203_ = q;
      if (c == 'Q' && v == 201) q201_ = q;
      if (c == 'Q' && v == 204) q204_ = q;
    } else {
      words.push_back({c, v, false});
    }
    i = static_cast<std::size_t>(after - text.c_str());
    while (i < text.size() && text[i] != ' ' && (text[i] < 'A' || text[i] > 'Z')) ++i;
  }
  if (blockEvents(words, number)) return;
  move(words, number);
}

void GcodeReader::applyG(int code) {
  switch (code) {
    case 17:
    case 18:
    case 19:
      state_.plane = code;
      break;
    case 20:
    case 70:
      state_.inch = true;
      break;
    case 21:
    case 71:
      state_.inch = false;
      break;
    case 90:
      state_.incremental = false;
      break;
    case 91:
      state_.incremental = true;
      break;
    case 94:
      state_.perRevolution = false;
      break;
    case 95:
      state_.perRevolution = true;
      break;
    case 98:
    case 99:
      state_.returnToInitial = code == 98;
      break;
    case 0:
    case 1:
    case 2:
    case 3:
    case 80:
      state_.motion = code == 80 ? 0 : code;
      cycleThroughToolChange_ = false;
      break;
    default:
      if (code >= 81 && code <= 89) {
        // The level a G98 cycle returns to is where it started.
        if (state_.motion < 81 || state_.motion > 89) initialLevel_ = position_.z;
        state_.motion = code;
      }
      if (code >= 200 && code <= 299) heidenhainCycle_ = true;
      break;
  }
}

// Heidenhain: I/J/K alone set the circle centre (absolute) for the next G02/G03.
void GcodeReader::centreBlock(const std::vector<Word>& words) {
  centreDefinition_ = position_;
  for (const Word& w : words) {
    double& c = w.letter == 'I'   ? centreDefinition_.x
                : w.letter == 'J' ? centreDefinition_.y
                : w.letter == 'K' ? centreDefinition_.z
                                  : centreDefinition_.x;
    if (w.letter == 'I' || w.letter == 'J' || w.letter == 'K') c = w.value;
  }
  centreDefined_ = true;
}

// What a block that states an axis must not do: move in a cycle a tool change left on, or leave
// an axis out after a new origin.
void GcodeReader::beforeMove(const std::vector<Word>& words, int number) {
  checkNewOrigin(words, number);
  moved_ = true;
  const int m = state_.motion;
  if (((m >= 81 && m <= 89) || state_.cycleCall) && cycleThroughToolChange_) {
    fault(number, "a move runs in a canned cycle left on through a tool change");
    cycleThroughToolChange_ = false;
  }
}

void GcodeReader::move(const std::vector<Word>& words, int number) {
  bool machineMove = false, dwell = false, cycleCall = false, arcCode = false;
  bool hasAxis = false, hasCentre = false;
  for (const Word& w : words) {
    if (w.letter == 'G') {
      const int g = static_cast<int>(std::lround(w.value * 10));
      if (g == 530 || g == 280 || g == 300) machineMove = true;
      if (g == 40) dwell = true;
      if (g % 10 == 0) applyG(g / 10);
      if (g == 20 || g == 30) arcCode = true;
    } else if (w.letter == 'F') {
      state_.feed = w.value;
    } else if (w.letter == 'M' && std::lround(w.value) == 99 && heidenhainCycle_) {
      cycleCall = true;
    } else if (w.letter == 'X' || w.letter == 'Y' || w.letter == 'Z') {
      hasAxis = true;
    } else if (w.letter == 'I' || w.letter == 'J' || w.letter == 'K') {
      hasCentre = true;
    }
  }
  if (dwell) return;
  if (machineMove) {
    // Home and machine-coordinate moves: where the tool stands is not known from the program.
    position_ = {kUnknown, kUnknown, kUnknown};
    newOrigin_ = false;
    return;
  }
  if (hasCentre && !arcCode && !hasAxis) return centreBlock(words);
  if (hasAxis) beforeMove(words, number);
  const int m = state_.motion;
  Point3 end = position_;
  for (const Word& w : words) {
    double* axis = w.letter == 'X'   ? &end.x
                   : w.letter == 'Y' ? &end.y
                   : w.letter == 'Z' ? &end.z
                                     : nullptr;
    if (axis != nullptr) *axis = state_.incremental ? *axis + w.value : w.value;
  }
  const Point3 start = position_;
  if (hasAxis && m >= 81 && m <= 89) return fanucHole(words, end, number);
  if (hasAxis) position_ = end;
  if (hasAxis || (hasCentre && arcCode)) {
    const bool cutting = m != 0;
    if (cutting && usesG43_ && !lengthCompensated_) {
      fault(number, "a cut before the tool's G43");
      lengthCompensated_ = true;
    }
    if (m == 2 || m == 3) {
      arc(start, end, words, number);
    } else {
      moves_.push_back(
          {m == 0 ? GcodeMove::kRapid : GcodeMove::kFeed, end, {}, false, state_, number, 0});
    }
  }
  if (state_.cycleCall && hasAxis) {
    hole(position_, siemensDp_, siemensRtp_, number);
  } else if (cycleCall) {
    hole(position_, q203_ + q201_, q203_ + q204_, number);
  }
}

}  // namespace ordalis::test
