#include "support/apt_check.h"

#include <cmath>
#include <cstdlib>

namespace ordalis::test {

namespace {

constexpr double kTolerance = 0.0011;  // the output's 0.001 step

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

std::vector<std::string> Statements(std::string_view apt) {
  std::vector<std::string> out;
  std::string pending;
  std::size_t start = 0;
  while (start < apt.size()) {
    std::size_t end = apt.find('\n', start);
    if (end == std::string_view::npos) end = apt.size();
    std::string_view line = apt.substr(start, end - start);
    start = end + 1;
    line = Trim(line.substr(0, line.find("$$")));
    if (!line.empty() && line.back() == '$') {
      pending.append(line.substr(0, line.size() - 1));
      continue;
    }
    pending.append(line);
    if (!Trim(pending).empty()) out.emplace_back(Trim(pending));
    pending.clear();
  }
  return out;
}

std::vector<std::string_view> Items(std::string_view statement) {
  std::vector<std::string_view> items;
  const std::size_t slash = statement.find('/');
  if (slash == std::string_view::npos) return items;
  std::string_view rest = statement.substr(slash + 1);
  for (;;) {
    const std::size_t comma = rest.find(',');
    items.push_back(Trim(rest.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return items;
}

double Number(std::string_view s) { return std::strtod(std::string(s).c_str(), nullptr); }

bool Same(const Point3& a, const Point3& b) {
  return std::fabs(a.x - b.x) <= kTolerance && std::fabs(a.y - b.y) <= kTolerance &&
         std::fabs(a.z - b.z) <= kTolerance;
}

std::string Describe(const AptEvent& e) { return "\"" + e.statement + "\""; }

bool IsDrillWord(std::string_view w) {
  for (const char* k :
       {"DRILL", "CSINK", "BORE", "CBORE", "DEEP", "DEEPCL", "DEEPBK", "REAM", "TAP", "MILL"}) {
    if (w == k) return true;
  }
  return false;
}

}  // namespace

std::vector<AptEvent> ReadAptEvents(std::string_view apt) {
  std::vector<AptEvent> events;
  AptEvent now;  // units, feed and rapid in force
  Point3 position;
  bool known = true;  // where the tool stands, for GODLTA
  bool circle = false, cycle = false;
  for (const std::string& st : Statements(apt)) {
    const std::string_view word = Trim(std::string_view(st).substr(0, st.find('/')));
    const std::vector<std::string_view> items = Items(st);
    const auto item = [&](std::size_t i) {
      return i < items.size() ? items[i] : std::string_view();
    };
    if (word == "UNITS") {
      if (item(0) == "INCH" || item(0) == "INCHES") now.inch = true;
      if (item(0) == "MM") now.inch = false;
    } else if (word == "FEDRAT") {
      for (std::string_view i : items) {
        if (i == "MMPR" || i == "IPR") now.perRevolution = true;
        if (i == "MMPM" || i == "IPM") now.perRevolution = false;
      }
      const bool unitFirst =
          item(0) == "MMPM" || item(0) == "IPM" || item(0) == "MMPR" || item(0) == "IPR";
      now.feed = Number(item(unitFirst ? 1 : 0));
      now.rapid = false;
    } else if (word == "RAPID") {
      now.rapid = true;
    } else if (word == "CIRCLE") {
      circle = true;
    } else if (word == "CYCLE") {
      if (item(0) == "OFF") cycle = false;
      if (IsDrillWord(item(0))) cycle = true;
    } else if (word == "TLON,GOFWD" || word == "GOHOME" || word == "FROM") {
      known = false;  // the checker does not follow these: the next GOTO says where the tool is
    } else if ((word == "GOTO" || word == "GODLTA") && items.size() >= 3) {
      Point3 p{Number(item(0)), Number(item(1)), Number(item(2))};
      if (word == "GODLTA") {
        if (!known) continue;
        p = {position.x + p.x, position.y + p.y, position.z + p.z};
      }
      known = true;
      AptEvent e = now;
      e.p = p;
      e.statement = st;
      e.kind = circle                      ? AptEvent::kArcEnd
               : (cycle && word == "GOTO") ? AptEvent::kHole
                                           : AptEvent::kPoint;
      events.push_back(e);
      circle = false;
      if (e.kind != AptEvent::kHole) now.rapid = false;
      position = p;
    }
  }
  return events;
}

std::vector<std::string> CheckAgainstApt(const std::vector<AptEvent>& apt, const GcodeReader& iso,
                                         bool positions) {
  std::vector<std::string> faults = iso.faults();
  const std::vector<GcodeMove>& moves = iso.moves();
  std::size_t at = 0;
  std::size_t aptHoles = 0, isoHoles = 0;
  for (const GcodeMove& m : moves) isoHoles += m.kind == GcodeMove::kHole;
  for (const AptEvent& e : apt) {
    aptHoles += e.kind == AptEvent::kHole;
    if (!positions) continue;
    std::size_t found = at;
    for (; found < moves.size(); ++found) {
      const GcodeMove& m = moves[found];
      const bool hole = m.kind == GcodeMove::kHole;
      if (hole != (e.kind == AptEvent::kHole)) continue;
      if (hole
              ? std::fabs(m.end.x - e.p.x) <= kTolerance && std::fabs(m.end.y - e.p.y) <= kTolerance
              : Same(m.end, e.p)) {
        break;
      }
    }
    if (found == moves.size()) {
      faults.push_back(std::string(e.kind == AptEvent::kHole ? "hole never drilled: "
                                                             : "point never reached: ") +
                       Describe(e));
      continue;
    }
    const GcodeMove& m = moves[found];
    at = found + 1;
    if (m.modal.inch != e.inch) faults.push_back("wrong units at " + Describe(e));
    if (e.kind == AptEvent::kHole || e.rapid || m.kind == GcodeMove::kRapid) continue;
    if (m.modal.perRevolution != e.perRevolution)
      faults.push_back("wrong feed mode at " + Describe(e));
    const double tolerance = e.perRevolution ? 0.0006 : 0.51;
    if (std::fabs(m.modal.feed - e.feed) > tolerance) {
      faults.push_back("feed " + std::to_string(m.modal.feed) + " instead of " +
                       std::to_string(e.feed) + " at " + Describe(e));
    }
  }
  if (aptHoles != isoHoles) {
    faults.push_back(std::to_string(aptHoles) + " holes in the APT program, " +
                     std::to_string(isoHoles) + " drilled");
  }
  return faults;
}

}  // namespace ordalis::test
