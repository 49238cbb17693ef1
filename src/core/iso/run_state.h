#pragma once
// The run-time state: the one record through which the statement handlers pass each statement to
// the block generator. Handlers store values and raise flags; the generator writes and lowers them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/vec3.h"
#include "core/iso/multi_axis_state.h"

namespace ordalis::ppdef {
struct PostProcessorDefinition;
}

namespace ordalis::iso {

using common::Vec3;

/// Arc description filled by the circle handlers and the arc computation.
struct ArcState {
  Vec3 start;   // P1
  Vec3 end;     // P3
  Vec3 centre;  // C
  double radius = 0;
  Vec3 axis;              // N, from CIRCLE
  Vec3 indirv;            // INDIRV direction, zero when none
  std::string codeText;   // PP_ARC_L or PP_ARC_R
  int codeNumber = 0;     // 3 or 2
  Vec3 relativeCentre;    // C - P1
  Vec3 middle;            // M
  double sweptAngle = 0;  // degrees
  double endA = 0, endB = 0, endC = 0;
  // CIRCLE with six values: the radius is measured from the start when the end GOTO arrives.
  bool radiusFromStart = false;
};

/// Canned-cycle parameters and points.
struct CycleState {
  double firstX = 0, firstY = 0, firstZ = 0, firstA = 0, firstB = 0, firstC = 0;
  double pointX = 0, pointY = 0, pointZ = 0, pointA = 0, pointB = 0, pointC = 0;
  float depth = 0, feed = 0, spindle = 0, dwell = 0, retract = 0, decrement = 0, clearance = 0,
        diameter = 0, direction = 0, zStep = 0, pitch = 0, radialPass = 0;
  std::string retractModeText;
  std::int16_t retractMode = 0;  // 0 none, 1 incremental, 2 absolute, 3 high
  bool firstPointWritten = false;
  double lastClear = 0;     // the height the last hole was cleared at
  bool clearKnown = false;  // a hole was drilled since the last cancel: the tool stands there
  // The hole code of the cycle in force (81 to 89, 0 when the cycle word named none) and whether
  // its first hole is written: the holes never depend on a motion code another statement may set.
  int kindCode = 0;
  bool holeStarted = false;
  // A move that is not a hole cancels the cycle first (interruptPending); the next GOTO starts
  // it again as a first hole (resumePending).
  bool interruptPending = false;
  bool resumePending = false;
  // A tool change, the end of the program or a change of origin ends the cycle in force first.
  bool endPending = false;
  // The cycle's feed was given per revolution (MMPR, IPR): for a tap, that is the pitch.
  bool feedPerRevolution = false;
  // Colouring marks of the text road.
  bool statementColoured = false;
  bool firstPointColoured = false;
};

/// The height the tool clears at over a hole whose top is `z`: the retract the program gives
/// (RTRCTO, INCR, HIGH and TOP measure it from the hole's top, as CAM systems write them; ABS is a
/// Z), never below the clearance plane; the clearance plane when the program gives no retract.
double CycleClearHeight(const CycleState& c, double z);

struct RunState {
  // Geometry
  double X = 0, Y = 0, Z = 0;  // PP_X, PP_Y, PP_Z
  double A = 0, B = 0, C = 0;  // PP_A, PP_B, PP_C
  double I = 0, J = 0, K = 1;  // PP_I, PP_J, PP_K
  double prevX = 0, prevY = 0, prevZ = 0, prevA = 0, prevB = 0, prevC = 0;
  // False until a block says where the machine is: the first motion block writes every axis.
  bool prevKnown = false;
  double firstX = 0, firstY = 0, firstZ = 0, firstA = 0, firstB = 0, firstC = 0;  // PP_FIRST_*
  double minX = 9e99, minY = 9e99, minZ = 9e99, maxX = -9e99, maxY = -9e99, maxZ = -9e99;
  CycleState cycle;
  ArcState arc;
  int planeCode = 17;  // 17, 18, 19 or negative
  Vec3 planeNormal{0, 0, 1};
  double originX = 0, originY = 0, originZ = 0;  // PP_ORIGIN_*
  std::int16_t originShift = 0;                  // PP_DEC_ORIGIN

  // Modal values and counters
  int motionCode = 1;
  std::string gText;  // the last G word text written
  bool incremental = false;
  bool cycleMode = false;
  double feedRate = 0;             // PP_FEEDRATE
  std::string feedBlockText;       // feed formatted with PP_CODE_F
  std::string pendingFText;        // feed formatted with PP_F, or PP_FMAX after a rapid
  bool feedPerRevolution = false;  // the last unit word was MMPR or IPR
  std::string feedModeText;        // PP_FEED_REV or PP_FEED_MIN when the last FEDRAT changed mode
  bool feedRevolutionWarned = false;
  double spindleSpeed = 0;         // PP_S_SPINDLE
  std::int16_t requestedTool = 0;  // PP_TOOL
  std::int16_t loadedTool = -1;
  std::int16_t lengthCorrector = 0;  // PP_DTOOL
  // Registers the program names (LOADTL/t,h and CUTCOM/LEFT,d); -1: the tool number serves.
  std::int16_t lengthRegister = -1;  // PP_H_REGISTER
  std::int16_t radiusRegister = -1;  // PP_D_REGISTER
  std::int16_t toolLoadsSeen = 0;
  std::int16_t toolChangeCounter = 0;
  std::int32_t lineCounter = 0;
  // SEQNO changes the numbering for the rest of the run only; the definition stays as loaded.
  std::optional<std::int16_t> lineIncrement;  // over NUM_INCR
  std::optional<bool> numbering;              // over OPTION_SORTIE_N
  float dwell = 0;                            // PP_TEMPO

  // Texts
  std::string coolant;     // PP_COOLNT
  std::string air;         // PP_AIR
  std::string spindle;     // PP_SPINDLE
  std::string correction;  // PP_CORR
  std::string comment;     // PP_COMMENT
  std::string modeText;
  std::string tmark;     // PP_TMARK
  std::string partName;  // PP_PARTNO
  std::string rewind;    // PP_REWIND
  std::string insertText, auxfunText, clampText, prefunText;
  std::string originText;
  std::string fileBase;  // PP_FILE
  std::string ncFile;    // PP_NCFILE

  // Named geometry for TLON,GOFWD
  std::string circleName, circleDefinition, lineName, lineDefinition;
  bool circleMark = false;
  bool toolJustLoaded = false;
  bool cutcomJustRead = false;  // cleared by every GOTO

  // Pending flags
  bool pointPending = false;   // VALID_PT
  bool circlePending = false;  // VALID_CIRCLE
  bool gWordPending = false;
  bool feedPending = false;
  bool spindleSpeedPending = false;
  int spindleState = 0;  // 0 none, 1 on, 2 off, 3 on at a surface speed
  // What runs on the machine, so a tool change can start again what it stopped.
  bool spindleRunning = false, coolantRunning = false;
  std::string spindleDirection;  // the last direction code, for SPINDL/ON after SPINDL/OFF
  bool restartSpindle = false, restartCoolant = false;
  // A surface speed (SFM, SMM) in force, and its value; leaving it writes PP_CSS_OFF first.
  bool surfaceSpeed = false;
  double surfaceSpeedValue = 0;
  bool surfaceSpeedOffPending = false;
  bool toolChangePending = false;
  bool correctorPending = false;
  bool firstPointPending = false;
  bool toolnoPending = false, cutterPending = false, modePending = false;
  bool gohomePending = false;
  bool outputX = false, outputY = false, outputZ = false;
  bool endPending = false, finiPending = false;
  bool partnoPending = false, rewindPending = false, insertPending = false, auxfunPending = false,
       clampPending = false, prefunPending = false;
  bool opstopPending = false, stopPending = false, delayPending = false;
  bool unitsPending = false;  // UNITS: the unit code (PP_G70 or PP_G71) is written at once
  int unitsCode = 71;         // 70 inches, 71 millimetres
  bool correctionPending = false;
  bool commentPending = false, printPending = false;
  bool coolantPending = false, airPending = false;
  bool workOffsetPending = false, originPending = false, fromPending = false;
  bool rotaryResetPending = false;
  bool planeChangePending = false;
  bool planeG17 = true, planeG18 = false, planeG19 = false, planeG17M = false, planeG18M = false,
       planeG19M = false, inclinedPlane = false;
  // An arc outside the working plane, as the points of linear feed moves (the last is the arc's
  // end); the generator writes one block per point, then empties the list.
  std::vector<Vec3> chordPoints;
  // A kinematics without an angle solution is reported once per run.
  bool kinematicsWarned = false;
  MultiAxisState multiAxis;

  /// The machine now stands at this point: later blocks compare their words with it.
  void setPrevious(double x, double y, double z, double a, double b, double c) {
    prevX = x, prevY = y, prevZ = z, prevA = a, prevB = b, prevC = c;
    prevKnown = true;
  }

  /// Starts a run: everything is set back, the previous position, cycle mode, the cycle values and
  /// the feed texts included, so the same program always gives the same output.
  void reset(const ppdef::PostProcessorDefinition& def);
};

}  // namespace ordalis::iso
