// The tool library widget over the core's tree model.
#include "ui/app/tool_tree_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include "core/l10n/strings.h"
#include "core/tools/tool_label.h"
#include "core/tools/tool_tree.h"

namespace ordalis::ui {
namespace {

struct Tool {
  std::int16_t type;
  float diameter;
  float corner;
  const char* name;
};

class ToolTreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strings.setLanguage(l10n::kEnglish);
    view.applyTexts();
  }

  void load(std::initializer_list<Tool> list) {
    table.reset();
    for (const Tool& t : list) {
      tools::ToolRecord& r = table.add();
      r.type = t.type;
      r.diameter = t.diameter;
      r.cornerRadius = t.corner;
      r.name = t.name;
    }
    model.update(table);
    view.showTree(model);
  }

  QStringList children() const {
    QStringList texts;
    for (int i = 0; i < view.root()->childCount(); ++i) texts << view.root()->child(i)->text(0);
    return texts;
  }

  l10n::Strings strings;
  tools::ToolTable table;
  tools::ToolTree model;
  ToolTreeView view{strings};
};

TEST_F(ToolTreeViewTest, ShowsTheLibraryTitleUntilTheFirstToolThenTheSlots) {
  ASSERT_EQ(view.topLevelItemCount(), 1);
  EXPECT_EQ(view.root()->text(0), "Tool Library");
  EXPECT_EQ(view.root()->data(0, ToolTreeView::kKeyRole).toString(), "LIB");
  EXPECT_TRUE(view.root()->font(0).bold());
  strings.setLanguage(l10n::kFrench);
  view.applyTexts();
  EXPECT_EQ(view.root()->text(0), QString::fromUtf8("Bibliothèque outil"));

  load({{tools::kFlatEnd, 10, 0, ""},
        {tools::kToroidal, 10, 2, ""},
        {tools::kEmptySlot, 0, 0, ""},
        {tools::kBallEnd, 6, 3, "BALL 6"}});
  EXPECT_EQ(view.root()->text(0), " 4 Outil(s)");
  EXPECT_TRUE(view.root()->isExpanded());
  EXPECT_EQ(children(),
            QStringList({"T 1  FP 10", "T 2  FT 10R 2", "Emplacement Vide", "T 4  BALL 6"}));
  EXPECT_EQ(view.root()->child(1)->data(0, ToolTreeView::kKeyRole).toString(), "Outil 2");
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(view.root()->child(i)->icon(0).isNull());
  view.applyTexts();  // a language change does not hide the count
  EXPECT_EQ(view.root()->text(0), " 4 Outil(s)");
}

TEST_F(ToolTreeViewTest, ARunRefreshesTheNodesInPlaceAndAnEmptyRunLeavesThem) {
  load({{tools::kFlatEnd, 10, 0, ""}, {tools::kDrill, 8.5f, 0, ""}});
  QTreeWidgetItem* first = view.root()->child(0);
  load({{tools::kBallEnd, 12, 6, ""}});
  EXPECT_EQ(view.root()->child(0), first);
  EXPECT_EQ(children(), QStringList({"T 1  FB 12"}));
  EXPECT_EQ(view.root()->text(0), " 1 Outil(s)");
  load({});  // a program without tool statements
  EXPECT_EQ(children(), QStringList({"T 1  FB 12"}));
}

TEST_F(ToolTreeViewTest, Screenshot) {
  load({{tools::kFlatEnd, 10, 0, ""},
        {tools::kToroidal, 10, 2, ""},
        {tools::kBallEnd, 6, 3, ""},
        {tools::kDrill, 8.5f, 0, ""},
        {tools::kEmptySlot, 0, 0, ""},
        {tools::kFlatEnd, 20, 0, "ROUGHING 20 Z3"}});
  view.resize(240, 180);
  view.show();
  QApplication::processEvents();
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  EXPECT_TRUE(view.grab().save(QString(ORDALIS_SCREENSHOT_DIR) + "/tool_tree.png"));
}

}  // namespace
}  // namespace ordalis::ui
