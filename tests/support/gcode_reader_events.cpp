// What the G-code reader learns from a block besides its move: tool changes, length compensation,
// work offsets, holes, and whether an arc's end lies on its circle.
#include <cmath>
#include <limits>

#include "support/gcode_reader.h"

namespace ordalis::test {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

double Distance2d(double ax, double ay, double bx, double by) {
  return std::hypot(ax - bx, ay - by);
}

}  // namespace

// What a block does besides moving: tool changes, length compensation, work offsets. Returns true
// when the block only sets an origin (its axis words are the shift, not a move).
bool GcodeReader::blockEvents(const std::vector<Word>& words, int number) {
  bool toolChange = false, toolCall = false, plane = false, origin = false, originOnly = false,
       motion = false;
  for (const Word& w : words) {
    const long g = std::lround(w.value * 10);
    if (w.letter == 'M' && std::lround(w.value) == 6) toolChange = true;
    if (w.letter == 'T') toolCall = true;
    if (w.letter != 'G') continue;
    if (g == 170 || g == 180 || g == 190) plane = true;
    if (g == 430 || g == 434) lengthCompensated_ = true;
    if (g >= 540 && g <= 599) origin = true;  // G54..G59, G54.1
    if (g <= 30 && g % 10 == 0) motion = true;
    // G52, G92, TRANS shift the origin; G10 rewrites a stored one; G247 picks a preset.
    if (g == 520 || g == 920 || g == 100 || g == 2470) origin = originOnly = true;
    // The operator's stored offsets belong to the set-up: a program never rewrites them.
    if (g == 100) fault(number, "G10 rewrites a stored work offset");
  }
  // Heidenhain calls a tool with T and the tool axis (T5 G17): a tool change too.
  if (toolChange || (toolCall && plane)) {
    if ((state_.motion >= 81 && state_.motion <= 89) || state_.cycleCall) {
      cycleThroughToolChange_ = true;
    }
    if (usesG43_) lengthCompensated_ = false;
  }
  // G54 X.. Y.. on a Heidenhain is a datum shift: the words are the shift.
  if (origin) {
    // Before the first move the program has not relied on any position yet.
    const bool known = moved_ && std::isfinite(position_.x) && std::isfinite(position_.y) &&
                       std::isfinite(position_.z);
    newOrigin_ = newOrigin_ || known;
    if (moved_) position_ = {kUnknown, kUnknown, kUnknown};
    // Heidenhain's G54 X.. Y.. Z.. (no motion code with it) is a datum shift: the words are the
    // shift, not a move.
    if (!originOnly && !motion) {
      for (const Word& w : words) originOnly = originOnly || w.letter == 'X' || w.letter == 'Z';
    }
  }
  if (originOnly) {
    // Nothing of the block moves; the G words it carries still count.
    for (const Word& w : words) {
      const long g = std::lround(w.value * 10);
      if (w.letter == 'G' && g % 10 == 0 && g != 520 && g != 920 && g != 100) applyG(g / 10);
    }
  }
  return originOnly;
}

// After a new origin, where the tool stands in it is unknown: the first move states every axis.
void GcodeReader::checkNewOrigin(const std::vector<Word>& words, int number) {
  if (!newOrigin_) return;
  bool x = false, y = false, z = false;
  for (const Word& w : words) {
    x = x || w.letter == 'X';
    y = y || w.letter == 'Y';
    z = z || w.letter == 'Z';
  }
  if (!x && !y && !z) return;
  newOrigin_ = false;
  if (!(x && y && z)) fault(number, "the first move after a work offset change leaves an axis out");
}

void GcodeReader::hole(Point3 at, double bottom, double clear, int number) {
  at.z = bottom;
  GcodeMove mv{GcodeMove::kHole, at, {}, false, state_, number, clear};
  moves_.push_back(mv);
  if (usesG43_ && !lengthCompensated_) fault(number, "a hole drilled before the tool's G43");
  position_.z = clear;
}

// A Fanuc-like cycle block: its Z is the bottom, its R the plane it starts feeding from; G98
// returns to the level the cycle started at, G99 to R.
void GcodeReader::fanucHole(const std::vector<Word>& words, Point3 end, int number) {
  double r = kUnknown;
  for (const Word& w : words) {
    if (w.letter == 'R') r = w.value;
  }
  const double clear = state_.returnToInitial ? std::fmax(initialLevel_, r) : r;
  Point3 at = end;
  position_ = end;
  hole(at, end.z, clear, number);
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
  GcodeMove mv{GcodeMove::kArc, end, centre, state_.motion == 2, state_, number, 0};
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
