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

}  // namespace
}  // namespace ordalis::display
