#pragma once
// What an APT program asks of the machine, for tests: the points it goes to, its arcs and holes,
// with the units and the feed in force at each. CheckAgainstApt compares it with what a GcodeReader
// made of the program Ordalis wrote.

#include <string>
#include <string_view>
#include <vector>

#include "support/gcode_reader.h"

namespace ordalis::test {

struct AptEvent {
  enum Kind { kPoint, kArcEnd, kHole };
  Kind kind = kPoint;
  Point3 p;
  bool rapid = false;
  bool inch = false;
  bool perRevolution = false;
  double feed = 0;
  std::string statement;
};

/// The events of an APT program (continuation lines joined, "$$" comments dropped).
std::vector<AptEvent> ReadAptEvents(std::string_view apt);

/// Every APT point reached in order (an absolute point written under G91 is never reached), every
/// arc end reached by an arc or by its chords, every hole drilled, and at each of them the units,
/// the feed mode and the feed the APT program asked for. With `positions` false (rotary axes move
/// the points) only the reader's own faults, the units and the number of holes are compared.
/// Returns the faults found, empty when the program is right.
std::vector<std::string> CheckAgainstApt(const std::vector<AptEvent>& apt, const GcodeReader& iso,
                                         bool positions = true);

}  // namespace ordalis::test
