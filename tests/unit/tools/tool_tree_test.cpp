#include "core/tools/tool_tree.h"

#include <gtest/gtest.h>

#include "core/tools/tool_label.h"

namespace ordalis::tools {
namespace {

TEST(ToolTree, FollowsTheTableAndKeepsItThroughAnEmptyRun) {
  ToolTree tree;
  ToolTable table;
  EXPECT_TRUE(tree.empty());
  EXPECT_FALSE(tree.update(table));
  ToolRecord& first = table.add();
  first.type = kFlatEnd;
  first.diameter = 10;
  ToolRecord& second = table.add();
  second.type = kToroidal;
  second.diameter = 10;
  second.cornerRadius = 2;
  second.name = "";
  ASSERT_TRUE(tree.update(table));
  EXPECT_EQ(ToolTree::kRootKey, "LIB");
  EXPECT_EQ(tree.rootText(), " 2 Outil(s)");
  ASSERT_EQ(tree.slotNodes().size(), 2u);
  EXPECT_EQ(tree.slotNodes()[0], (ToolTreeNode{"Outil 1", "T 1  FP 10", kFlatEnd}));
  EXPECT_EQ(tree.slotNodes()[1], (ToolTreeNode{"Outil 2", "T 2  FT 10R 2", kToroidal}));
  EXPECT_FALSE(tree.update(table));
  // A named tool shows its name; an empty slot says so.
  table.records();
  table.current().name = "BULL NOSE";
  EXPECT_TRUE(tree.update(table));
  EXPECT_EQ(tree.slotNodes()[1].text, "T 2  BULL NOSE");
  table.add();
  EXPECT_TRUE(tree.update(table));
  EXPECT_EQ(tree.slotNodes()[2].text, "Emplacement Vide");
  // A new run empties the table: the tree stays until its first tool, then starts afresh.
  table.reset();
  EXPECT_FALSE(tree.update(table));
  EXPECT_EQ(tree.slotNodes().size(), 3u);
  table.add().type = kDrill;
  EXPECT_TRUE(tree.update(table));
  EXPECT_EQ(tree.rootText(), " 1 Outil(s)");
  ASSERT_EQ(tree.slotNodes().size(), 1u);
  EXPECT_EQ(tree.slotNodes()[0].text, "T 1  Foret  0");
}

}  // namespace
}  // namespace ordalis::tools
