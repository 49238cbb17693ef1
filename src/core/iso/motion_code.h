#pragma once
// The motion codes of the run-time state (RunState::motionCode): which G function the next motion
// block writes. Handlers set them, the block generator writes and lowers them, the display road
// reads them. A rapid is the code in force raised by kRapidOffset, so that the code comes back once
// the rapid is written.

namespace ordalis::iso {

enum MotionCode : int {
  kMotionNextHole = -1,            // a further hole of the canned cycle in force
  kMotionRepeat = 0,               // nothing new: the block repeats the last G text
  kMotionFeed = 1,                 // G01
  kMotionArcClockwise = 2,         // G02
  kMotionArcCounterClockwise = 3,  // G03
  kMotionWorkOffsetFirst = 54,     // G54 to G57: a work offset
  kMotionWorkOffsetLast = 57,
  kMotionCycleOff = 80,        // the cycle cancel
  kMotionFirstHoleFirst = 81,  // the first hole of a canned cycle, 81 to 89 by cycle
  kMotionFirstHoleLast = 89,
  kMotionAbsolute = 90,
  kMotionIncremental = 91,       // GODLTA at feed
  kMotionInclinedPlaneOn = 150,  // PP_ACTIVATION_PLAN_INCLINE
  kMotionRtcpOn = 151,           // PP_ACTIVATION_RTCP
  kMotionPlaneOrRtcpOff = 152,   // PP_DESACTIVATION_RTCP, else PP_DESACTIVATION_PLAN_INCLINE
  kMotionRtcpOff = 153,          // PP_DESACTIVATION_RTCP
  kRapidOffset = 1000,           // RAPID raises the code in force by this much
  kMotionRapid = kRapidOffset,   // a rapid with no other code in force
  kMotionRapidIncremental = kRapidOffset + kMotionIncremental,  // GODLTA in rapid
};

/// True for the code of a canned cycle's first hole.
constexpr bool IsFirstHoleCode(int code) {
  return code >= kMotionFirstHoleFirst && code <= kMotionFirstHoleLast;
}
/// True for a code raised by RAPID.
constexpr bool IsRapidCode(int code) { return code >= kRapidOffset; }

}  // namespace ordalis::iso
