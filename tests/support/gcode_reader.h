#pragma once
// A small modal reader of the ISO programs Ordalis writes, for tests: it follows what a controller
// keeps between blocks (G90/G91, G17/G18/G19, G20/G21 or G70/G71, G94/G95, the motion and the
// canned cycles) and turns the program into the moves the machine would make. It knows the three
// families of the shipped definitions: Fanuc-like (I/J/K relative to the start), Heidenhain ISO
// (a block of I/J/K alone sets the circle centre, M99 drills) and Siemens (I=AC(...), MCALL).
// It also stands guard over what crashes machines beyond the geometry: a move that runs in a canned
// cycle left on through a tool change, a cut before the new tool's length compensation (G43), and
// a move after a work-offset change that leaves an axis where the old origin put it.
// Standard C++ only, so any test (or a later safety check) can use it.

#include <string>
#include <string_view>
#include <vector>

namespace ordalis::test {

struct Point3 {
  double x = 0, y = 0, z = 0;
};

/// What the controller holds when a move starts.
struct ModalState {
  bool incremental = false;
  bool inch = false;
  bool perRevolution = false;
  int plane = 17;
  int motion = 0;          // 0, 1, 2, 3, or 81-89 while a canned cycle is modal
  bool cycleCall = false;  // Siemens MCALL: every positioning block drills
  double feed = 0;
  bool returnToInitial = true;  // G98 (the level the cycle started at), else G99 (R)
};

struct GcodeMove {
  enum Kind { kRapid, kFeed, kArc, kHole };
  Kind kind = kFeed;
  Point3 end;     // where the move ends, absolute, in the program's units; a hole's bottom in z
  Point3 centre;  // arcs
  bool clockwise = false;
  ModalState modal;        // as the move ran
  int line = 0;            // 1-based line of the program
  double clearHeight = 0;  // holes: where the tool goes back to (NaN when the reader cannot tell)
};

class GcodeReader {
 public:
  /// Reads a whole program; the moves and the faults found on the way are kept.
  void read(std::string_view program);
  const std::vector<GcodeMove>& moves() const { return moves_; }
  /// Faults a controller would refuse or misread: words that do not belong to the arc's plane,
  /// arcs whose end is not on the circle through the start, a cancel with no cycle to end.
  const std::vector<std::string>& faults() const { return faults_; }

 private:
  struct Word {
    char letter;
    double value;
    bool absoluteCentre;  // I=AC(...)
  };
  void readLine(std::string_view line, int number);
  bool siemensCycle(std::string_view line, int number);
  void applyG(int code);
  bool blockEvents(const std::vector<Word>& words, int number);
  void move(const std::vector<Word>& words, int number);
  void centreBlock(const std::vector<Word>& words);
  void beforeMove(const std::vector<Word>& words, int number);
  void fanucHole(const std::vector<Word>& words, Point3 end, int number);
  void hole(Point3 at, double bottom, double clear, int number);
  void arc(Point3 start, Point3 end, const std::vector<Word>& words, int number);
  void checkNewOrigin(const std::vector<Word>& words, int number);
  void fault(int line, const std::string& what);

  ModalState state_;
  Point3 position_;
  Point3 centreDefinition_;  // Heidenhain: I/J/K in a block of their own
  bool centreDefined_ = false;
  bool heidenhainCycle_ = false;           // a G200-series cycle is defined: M99 drills
  double q203_ = 0, q201_ = 0, q204_ = 0;  // Heidenhain: surface, depth, second clearance
  double siemensRtp_ = 0, siemensDp_ = 0;  // Siemens MCALL: the levels every call drills with
  double initialLevel_ = 0;                // Fanuc G98: where the cycle started
  bool lengthCompensated_ = true;  // no G43 owed: before the first tool change, or not Fanuc-like
  bool usesG43_ = false;           // the program compensates lengths with G43 (Fanuc-like)
  bool cycleThroughToolChange_ = false;
  bool moved_ = false;
  bool newOrigin_ = false;  // the origin changed while the reader knew where the tool stood
  std::vector<GcodeMove> moves_;
  std::vector<std::string> faults_;
};

}  // namespace ordalis::test
