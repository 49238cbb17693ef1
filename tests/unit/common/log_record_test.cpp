#include <gtest/gtest.h>

#include <vector>

#include "core/common/message_log.h"

namespace ordalis::common {
namespace {

TEST(RecordLog, PostsEveryMessageAsARecordAndKnowsTheBackgroundItLeadsTo) {
  std::vector<LogRecord> posted;
  RecordLog log([&](LogRecord&& record) { posted.push_back(std::move(record)); });
  log.logText("plain text", 3);
  log.log(2106, "GOTO/", 0);
  EXPECT_EQ(log.background(), kLogRed);  // a level-0 message leaves the red of level 3
  log.clear();
  EXPECT_EQ(log.background(), kLogGreen);
  log.log(2112, {}, 2);
  EXPECT_EQ(log.background(), kLogOrange);

  ASSERT_EQ(posted.size(), 4u);
  EXPECT_EQ(posted[0].id, 0);
  EXPECT_EQ(posted[0].detail, "plain text");
  EXPECT_EQ(posted[0].level, 3);
  EXPECT_EQ(posted[1].id, 2106);
  EXPECT_EQ(posted[1].detail, "GOTO/");
  EXPECT_TRUE(posted[2].clears);
  EXPECT_FALSE(posted[3].clears);
  EXPECT_EQ(posted[3].level, 2);
}

}  // namespace
}  // namespace ordalis::common
