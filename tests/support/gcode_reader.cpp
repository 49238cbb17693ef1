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

/// The line without its comments: "(...)" and everything after ";".
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

double Distance2d(double ax, double ay, double bx, double by) {
  return std::hypot(ax - bx, ay - by);
}

}  // namespace

void GcodeReader::read(std::string_view program) {
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

void GcodeReader::readLine(std::string_view raw, int number) {
  std::string_view line = Trim(raw);
  if (line.empty()) return;
  if (line.front() == '%') {
    // "%" alone, or Heidenhain's "%name G71 *": the words after the name count.
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return;
    line = line.substr(blank);
  }
  if (Has(line, "MCALL")) {
    // Siemens: MCALL CYCLE8x(...) makes every later positioning block drill; MCALL alone ends it.
    state_.cycleCall = Has(line, "CYCLE");
    return;
  }
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
    char* after = nullptr;
    const double v = std::strtod(text.c_str() + i + 1, &after);
    if (after == text.c_str() + i + 1) {
      ++i;  // a letter without a number (a word of a cycle call): not an address
      continue;
    }
    // "Q200=2": a cycle parameter, not an address.
    if (*after != '=') words.push_back({c, v, false});
    i = static_cast<std::size_t>(after - text.c_str());
    while (i < text.size() && text[i] != ' ' && (text[i] < 'A' || text[i] > 'Z')) ++i;
  }
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
    case 0:
    case 1:
    case 2:
    case 3:
      state_.motion = code;
      break;
    case 80:
      state_.motion = 0;
      break;
    default:
      if (code >= 81 && code <= 89) state_.motion = code;
      if (code >= 200 && code <= 299) heidenhainCycle_ = true;
      break;
  }
}

void GcodeReader::move(const std::vector<Word>& words, int number) {
  bool machineMove = false, dwell = false, cycleCall = false, arcCode = false, setOffset = false;
  bool hasAxis = false, hasCentre = false;
  for (const Word& w : words) {
    if (w.letter == 'G') {
      const int g = static_cast<int>(std::lround(w.value * 10));
      if (g == 530 || g == 280 || g == 300) machineMove = true;
      if (g == 40) dwell = true;
      if (g == 100) setOffset = true;
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
  if (dwell || setOffset) return;
  if (machineMove) {
    // Home and machine-coordinate moves: where the tool stands is not known from the program.
    position_ = {kUnknown, kUnknown, kUnknown};
    return;
  }
  if (hasCentre && !arcCode && !hasAxis) {
    // Heidenhain: I/J/K alone set the circle centre (absolute) for the next G02/G03.
    centreDefinition_ = position_;
    for (const Word& w : words) {
      double& c = w.letter == 'I'   ? centreDefinition_.x
                  : w.letter == 'J' ? centreDefinition_.y
                  : w.letter == 'K' ? centreDefinition_.z
                                    : centreDefinition_.x;
      if (w.letter == 'I' || w.letter == 'J' || w.letter == 'K') c = w.value;
    }
    centreDefined_ = true;
    return;
  }
  Point3 end = position_;
  for (const Word& w : words) {
    double* axis = w.letter == 'X'   ? &end.x
                   : w.letter == 'Y' ? &end.y
                   : w.letter == 'Z' ? &end.z
                                     : nullptr;
    if (axis != nullptr) *axis = state_.incremental ? *axis + w.value : w.value;
  }
  const Point3 start = position_;
  if (hasAxis) position_ = end;
  const int m = state_.motion;
  if (hasAxis && m >= 81 && m <= 89) {
    moves_.push_back({GcodeMove::kHole, end, {}, false, state_, number});
    return;
  }
  if (hasAxis || (hasCentre && arcCode)) {
    if (m == 2 || m == 3) {
      arc(start, end, words, number);
    } else {
      moves_.push_back(
          {m == 0 ? GcodeMove::kRapid : GcodeMove::kFeed, end, {}, false, state_, number});
    }
  }
  if ((state_.cycleCall && hasAxis) || cycleCall) {
    moves_.push_back({GcodeMove::kHole, position_, {}, false, state_, number});
  }
}

void GcodeReader::arc(Point3 start, Point3 end, const std::vector<Word>& words, int number) {
  const int plane = state_.plane;
  // The two centre letters a controller reads in this plane.
  const char first = plane == 19 ? 'J' : 'I';
  const char second = plane == 17 ? 'J' : 'K';
  Point3 centre = start;
  bool given = false;
  for (const Word& w : words) {
    if (w.letter != 'I' && w.letter != 'J' && w.letter != 'K') continue;
    if (w.letter != first && w.letter != second) {
      fault(number,
            std::string(1, w.letter) + " word given for an arc in G" + std::to_string(plane));
      continue;
    }
    given = true;
    double& c = w.letter == 'I' ? centre.x : w.letter == 'J' ? centre.y : centre.z;
    const double& s = w.letter == 'I' ? start.x : w.letter == 'J' ? start.y : start.z;
    c = w.absoluteCentre ? w.value : s + w.value;
  }
  if (!given) {
    if (!centreDefined_) fault(number, "arc without a centre");
    centre = centreDefinition_;
  }
  GcodeMove mv{GcodeMove::kArc, end, centre, state_.motion == 2, state_, number};
  moves_.push_back(mv);
  // Start and end on one circle, measured in the arc's plane.
  const auto inPlane = [plane](const Point3& p, double& a, double& b) {
    a = plane == 19 ? p.y : p.x;
    b = plane == 17 ? p.y : p.z;
  };
  double sa, sb, ea, eb, ca, cb;
  inPlane(start, sa, sb);
  inPlane(end, ea, eb);
  inPlane(centre, ca, cb);
  const double r1 = Distance2d(sa, sb, ca, cb), r2 = Distance2d(ea, eb, ca, cb);
  if (std::isfinite(r1) && std::fabs(r1 - r2) > 0.002 + 1e-6 * r1) {
    fault(number, "arc end off the circle: radius " + std::to_string(r1) + " at the start, " +
                      std::to_string(r2) + " at the end");
  }
}

}  // namespace ordalis::test
