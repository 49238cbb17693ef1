#include "core/display/line_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/display/toolpath_builder.h"
#include "core/texttools/line_key.h"

namespace ordalis::display {
namespace {

class LineMatchTest : public ::testing::Test {
 protected:
  LineMatchTest() : builder(list, 0.01, {}) {
    builder.start();
    const std::vector<std::string> statements = {"GOTO/0,0,5", "CYCLE/DRILL,5,FEDTO,100",
                                                 "GOTO/10,10,0", "GOTO/0,0,5"};
    for (std::size_t i = 0; i < statements.size(); ++i) {
      builder.beginStatement(statements[i], static_cast<std::int32_t>(10 + i));
    }
  }
  MoveList list;
  ToolpathBuilder builder;
};

TEST_F(LineMatchTest, SelectedLinesFindTheirStatementsWhateverTheirBlanksAndNumbers) {
  const std::vector<std::string> keys = {texttools::LineKey("\t GOTO/0,0,5  \r\n"),
                                         texttools::LineKey("12: CYCLE/DRILL,5,FEDTO,100")};
  EXPECT_EQ(StatementsWithKeys(list, keys), (std::vector<bool>{true, true, false, true}));
  EXPECT_EQ(StatementsWithKeys(list, std::vector<std::string>{""}), (std::vector<bool>(4, false)));
}

TEST_F(LineMatchTest, SourceLinesFindTheirStatements) {
  EXPECT_EQ(StatementsInLines(list, 11, 12), (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(StatementsInLines(list, 20, 30), (std::vector<bool>(4, false)));
}

TEST(LineMatch, AStatementsOwnMotionBlockIsAKeyAndItsOtherLinesStayLabels) {
  MoveList list;
  ToolpathBuilder builder(list, 0.01, {});
  builder.start();
  builder.beginStatement("GOTO/10,0,0");
  builder.addLinear(LinearMotion::Feed, {10, 0, 0});
  builder.appendOwnBlock("N20 G1 X10.000");  // the drawn move says it already
  builder.beginStatement("COOLNT/ON");
  builder.appendOwnBlock("N30 M8");  // no move of its own: a label on the last one
  builder.beginStatement("LOADTL/2");
  builder.addLinear(LinearMotion::Rapid, {10, 0, 50});
  builder.appendInfo("N40 T2 M6");
  builder.appendInfo("N50 G43 H2");
  ASSERT_EQ(list.blockKeyCount(), 1u);
  ASSERT_EQ(list.infoCount(), 2u);
  EXPECT_EQ(list.infoText(0), "N30 M8\r\n");
  EXPECT_EQ(list.infoText(1), "N40 T2 M6\r\nN50 G43 H2\r\n");

  // Put in front finds each statement from any line it wrote, whatever the blanks.
  const std::vector<std::string> keys = {texttools::LineKey("\tN20 G1 X10.000 "),
                                         texttools::LineKey("N50 G43 H2")};
  EXPECT_EQ(StatementsOfLines(list, keys), (std::vector<bool>{true, false, true}));
}

}  // namespace
}  // namespace ordalis::display
