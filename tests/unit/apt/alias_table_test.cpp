// CAM words by alias: what is replaced, what is dropped, and what never loops.
#include "core/apt/alias_table.h"

#include <gtest/gtest.h>

#include <string>

#include "apt_fixture.h"
#include "core/common/profile_file.h"

namespace ordalis::apt {
namespace {

AliasTable SolidWorks() {
  AliasTable t;
  t.add("DEEP2", "DEEPCL");
  t.add("1STPECK", "");
  t.add("SUBPECK", "STEP");
  t.add("INSERT", "PPRINT");
  return t;
}

TEST(AliasTable, RewritesMajorCycleAndMinorWordsOnce) {
  const AliasTable t = SolidWorks();
  struct Case {
    const char* in;
    const char* out;  // "" when the statement stays as it is
  };
  const Case cases[] = {
      {"CYCLE/DEEP2,FEDTO,28.6,1STPECK,5.,SUBPECK,2.,MMPM,382,RAPTO,3.,RTRCTO,27.5",
       "CYCLE/DEEPCL,FEDTO,28.6,STEP,2.,MMPM,382,RAPTO,3.,RTRCTO,27.5"},
      {"INSERT/[HOLDER=C40-M06EM2] 6MM CRB", "PPRINT/[HOLDER=C40-M06EM2] 6MM CRB"},
      {"  INSERT / text", "  PPRINT/ text"},
      {"CYCLE / DEEP2 , FEDTO , 3 , 1STPECK", "CYCLE/DEEPCL,FEDTO,3"},
      {"GOTO/1,2,3", ""},
      {"CYCLE/DRILL,10,2,MMPM,100", ""},
      {"$$ INSERT/ comment", ""},
      {"PPRINT INSERT THE PART", ""},  // a word inside text is no major word
  };
  for (const Case& c : cases) {
    std::string out = "untouched";
    const bool changed = t.rewrite(c.in, out);
    EXPECT_EQ(changed, *c.out != '\0') << c.in;
    EXPECT_EQ(out, changed ? c.out : "untouched") << c.in;
  }
}

TEST(AliasTable, HostileKeysNeverLoopNorGrow) {
  AliasTable t;
  t.add("A", "B");
  t.add("B", "A");
  t.add("", "GOTO");
  t.add("   ", "GOTO");
  t.add(std::string(100000, 'X'), "GOTO");
  t.add("A", "C");  // the first replacement of a word stays
  t.add("SELF", "SELF");
  t.add("CYCLE", "");  // an empty replacement never empties a major word
  EXPECT_EQ(t.size(), 4u);
  std::string out;
  ASSERT_TRUE(t.rewrite("A/1,2", out));
  EXPECT_EQ(out, "B/1,2");
  ASSERT_TRUE(t.rewrite("CYCLE/A,B,1,A,2", out));
  EXPECT_EQ(out, "CYCLE/B,A,1,B,2");
  ASSERT_TRUE(t.rewrite("SELF/1", out));
  EXPECT_EQ(out, "SELF/1");
  EXPECT_FALSE(t.rewrite(std::string(100000, 'X') + "/1", out));
  EXPECT_FALSE(AliasTable().rewrite("A/1", out));
}

TEST(AliasTable, ReadFromTheSettingsSection) {
  const auto settings = common::ProfileFile::parse(
      "[CONFIG]\nLangId=1033\n[APT_ALIAS]\n; a comment\nDEEP2=DEEPCL\n1STPECK=\nSUBPECK = STEP\n"
      "deep2=OTHER\n[OTHER]\nX=Y\n");
  const AliasTable t = AliasTable::fromProfile(settings);
  EXPECT_EQ(t.size(), 3u);
  std::string out;
  ASSERT_TRUE(t.rewrite("CYCLE/DEEP2,1STPECK,5,SUBPECK,2", out));
  EXPECT_EQ(out, "CYCLE/DEEPCL,STEP,2");
  EXPECT_TRUE(AliasTable::fromProfile(common::ProfileFile::parse("[CONFIG]\n")).empty());
}

// Through the dispatcher: the SolidWorks peck cycle becomes a DEEPCL with its values.
TEST_F(AptTest, AliasesApplyBeforeDispatch) {
  const AliasTable aliases = SolidWorks();
  Dispatcher withAliases{h, &aliases};
  withAliases.dispatch(
      "CYCLE/DEEP2,FEDTO,28.6,1STPECK,5.,SUBPECK,2.,MMPM,382,RAPTO,3.,RTRCTO,27.5");
  EXPECT_EQ(st.motionCode, 84);
  EXPECT_EQ(st.cycle.depth, 28.6f);
  EXPECT_EQ(st.cycle.zStep, 2);
  EXPECT_EQ(st.cycle.feed, 382);
  EXPECT_EQ(st.cycle.clearance, 3);
  EXPECT_EQ(st.cycle.retract, 27.5f);
  EXPECT_FALSE(ctx.stopping());
  withAliases.dispatch("INSERT/[HOLDER=C40] 6MM CRB");
  EXPECT_TRUE(st.printPending);
  EXPECT_FALSE(st.insertPending);
}

}  // namespace
}  // namespace ordalis::apt
