#include "core/common/memory_text_pane.h"

#include <gtest/gtest.h>

#include <string>

#include "support/text_pane_contract.h"

namespace ordalis::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, TextPaneContract, ::testing::Types<common::MemoryTextPane>);

}  // namespace ordalis::test

namespace ordalis::common {
namespace {

TEST(MemoryTextPane, TextGivenAtConstructionIsShownWithCrLf) {
  MemoryTextPane pane("GOTO/1\nGOTO/2\rEND\n");
  EXPECT_EQ(pane.view(), "GOTO/1\r\nGOTO/2\r\nEND\r\n");
  EXPECT_EQ(pane.lineCount(), 4u);
  pane.setText("A\rB");
  EXPECT_EQ(pane.text(), "A\r\nB");
  EXPECT_EQ(pane.selStart(), 0u);
}

// Appending many blocks or colouring many lines must not cost more per block as the pane grows.
TEST(MemoryTextPane, BulkOperationsOnManyLines) {
  MemoryTextPane pane;
  std::vector<std::string> blocks;
  std::vector<ColouredText> pieces;
  for (int i = 0; i < 100000; ++i) blocks.push_back("N" + std::to_string(i) + " G1 X1\r\n");
  for (int i = 0; i < 100000; ++i) pieces.push_back({blocks[i], static_cast<std::uint32_t>(i % 7)});
  pane.appendText(pieces);
  EXPECT_EQ(pane.lineCount(), 100001u);
  std::vector<LineColour> lines;
  for (std::size_t i = 0; i < 100000; i += 2) lines.push_back({i, 1, 0xABCDEF});
  pane.colourLines(lines);
  EXPECT_EQ(pane.colourAt(pane.lineStart(99998)), 0xABCDEFu);
  EXPECT_EQ(pane.colourAt(pane.lineStart(99999)), 99999u % 7);
}

}  // namespace
}  // namespace ordalis::common
