#include "core/tools/tool_label.h"

#include <gtest/gtest.h>

namespace ordalis::tools {
namespace {

ToolRecord Tool(std::int16_t type, float diameter, float cornerRadius = 0) {
  ToolRecord t;
  t.type = type;
  t.diameter = diameter;
  t.cornerRadius = cornerRadius;
  return t;
}

TEST(ToolLabel, DescribesTheCutterByType) {
  EXPECT_EQ(ToolLabel(Tool(kBallEnd, 10), 1), "T 1  FB 10");
  EXPECT_EQ(ToolLabel(Tool(kFlatEnd, 12.5f), 2), "T 2  FP 12.5");
  EXPECT_EQ(ToolLabel(Tool(kToroidal, 10, 2), 3), "T 3  FT 10R 2");
  EXPECT_EQ(ToolLabel(Tool(kDrill, 6.8f), 4), "T 4  Foret  6.8");
  EXPECT_EQ(ToolLabel(Tool(kEmptySlot, 10), 5), "Emplacement Vide");
  // Single-precision values are shown without binary noise.
  EXPECT_EQ(CutterDescription(Tool(kFlatEnd, 0.1f)), "FP 0.1");
}

TEST(ToolLabel, ANameReplacesTheDescription) {
  ToolRecord t = Tool(kToroidal, 10, 2);
  t.name = "BULL NOSE";
  EXPECT_EQ(ToolLabel(t, 7), "T 7  BULL NOSE");
  t.type = kEmptySlot;
  EXPECT_EQ(ToolLabel(t, 7), "Emplacement Vide");
}

TEST(ToolLabel, LibraryNodeTexts) {
  EXPECT_EQ(LibraryRootText(3), " 3 Outil(s)");
  EXPECT_EQ(SlotKey(2), "Outil 2");
  EXPECT_EQ(PlainNumber(-2.5), "-2.5");
  EXPECT_EQ(PlainNumber(-0.0), " 0");
}

TEST(ToolTable, StartsWithTheEmptyCurrentRecord) {
  ToolTable table;
  EXPECT_EQ(table.count(), 0);
  table.current().number = 4;  // TOOLNO before any CUTTER writes here
  table.add().diameter = 8;
  EXPECT_EQ(table.count(), 1);
  EXPECT_FLOAT_EQ(table.current().diameter, 8);
  table.reset();
  EXPECT_EQ(table.count(), 0);
  EXPECT_EQ(table.current().number, 0);
}

}  // namespace
}  // namespace ordalis::tools
