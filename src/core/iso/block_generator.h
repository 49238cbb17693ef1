#pragma once
// Turns the pending items of the run-time state into the ISO blocks of one statement.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/iso/multi_axis.h"
#include "core/iso/number_format.h"
#include "core/iso/run_context.h"
#include "core/iso/template_engine.h"

namespace ordalis::iso {

/// Appends a text that forms blocks of its own: it starts on a new line.
void AppendBlock(std::string& r, std::string_view text);

class BlockGenerator {
 public:
  BlockGenerator(RunContext& ctx, TemplateEngine& engine) : ctx_(ctx), engine_(engine) {}
  /// Returns the text of this statement's blocks ("" when none; several lines joined by CR LF).
  std::string generate();
  /// Same into `out` (emptied first), so that a driver reusing one buffer allocates nothing.
  void generate(std::string& out);
  /// The blocks a run still owes the machine when its statements are over (the cancel of a cycle
  /// the program never ended); "" when none.
  std::string finishRun();

 private:
  // Pending items in the order they are tested; see block_generator.cpp.
  void generateBlocks(std::string& r);
  bool returnItems(std::string& r);
  bool planeChange(std::string& r);
  void startItems(std::string& r);
  void circle(std::string& r);
  const std::string& circleTemplate() const;
  void chords(std::string& r);
  bool firstPoint(std::string& r);
  bool cycleCancel(std::string& r);
  bool machineFunctions(std::string& r);
  void toolChange(std::string& r);
  void restartAfterToolChange();
  void spindleText(int state, std::string& r);
  void firstPointAboveHole();
  void addFinalPrefix(std::string_view text);
  void correctionInArc(std::string& arc) const;
  void endCycle();
  void textItems(std::string& r);
  void finalForm(std::string& r);
  /// Numbers a block unless it already starts with a number.
  void numberIfNeeded(std::string& r);
  void feedAfterCancel(std::string& r);
  void absoluteBefore();
  void addPrefixBlock(std::string_view text);
  void interruptCycle();

  // The motion block (motion_block.cpp).
  void motionBlock(std::string& r);
  void computeGWord(std::string& r);
  void rapid(std::string& r);
  void rotaryTemplate(std::string& r, const std::string& tpl);
  void appendAxes(std::string& r);
  void axisWords();
  bool sameText(int slot, const AddressFormat& fmt, double v, double before);
  void updatePrevious();
  /// The words of a linear block in the definition's address order: slots 0-5 for X Y Z A B C,
  /// kGSlot for the G word; the other letters have no text there.
  const std::vector<std::int8_t>& axisOrder();
  static constexpr std::int8_t kGSlot = -1;

  // Five-axis blocks (multi_axis_blocks.cpp).
  void multiAxisBlocks();
  void activatePlane(bool rearmNext);
  void cancelPlaneBlock();
  void endInclinedPlane();
  void rotaryReset(std::string& r);
  void ownBlock(std::string_view tpl);
  const std::string& firstPointTemplate(std::string& after);
  Vec3 outputPoint(const Vec3& tip, const kinematics::Angles& angles);
  void setPreviousOutput(const Vec3& out);
  bool machineCoordinates();

  // The canned-cycle blocks (cycle_output.cpp).
  void cycleBlock(std::string& r);
  void riseOverHole();

  /// Appends a word with exactly one separator before it (none at the start of a line).
  void appendWord(std::string& r, std::string_view word) const;

  RunContext& ctx_;
  TemplateEngine& engine_;
  CachedAddressFormat formats_[9];  // X Y Z, incremental X Y Z, A B C
  std::string gWord_;
  std::string prefix_;          // numbered blocks that go before the statement's own
  std::array<bool, 6> kept_{};  // X Y Z A B C words left out as unchanged in the output's text
  bool keptOutput_ = false;     // X Y Z were compared as machine coordinates
  struct AxisWord {
    const AddressFormat* format = nullptr;
    double value = 0, before = 0;
    bool write = false;
  };
  std::array<AxisWord, 6> axis_{};  // X Y Z A B C of the block being built
  Vec3 pendingOut_;                 // its X, Y, Z as written
  std::string text1_, text2_;
  std::array<int, ppdef::kAddressCount> orderKey_{};
  std::vector<std::int8_t> order_;
  bool orderBuilt_ = false;
};

}  // namespace ordalis::iso
