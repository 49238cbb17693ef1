#include "core/common/message_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/app/pane_log.h"
#include "core/app/stderr_log.h"
#include "core/common/memory_text_pane.h"
#include "support/test_support.h"

namespace ordalis::app {
using common::ExportLog;
using common::kLogGreen;
using common::kLogOrange;
using common::kLogRed;
using common::kLogWhite;
using common::MemoryTextPane;
using common::MessageLog;
using common::VectorLog;
namespace {

// The background rules every log follows, whatever shows it.
void ExpectLevelColours(MessageLog& log) {
  log.logText("conversion started", 1);
  EXPECT_EQ(log.background(), kLogGreen);
  log.logText("format invalid", 3);
  EXPECT_EQ(log.background(), kLogRed);
  log.logText("unknown statement", 0);
  EXPECT_EQ(log.background(), kLogRed);
  log.logText("other level", 7);
  EXPECT_EQ(log.background(), kLogRed);
  log.logText("warning", 2);
  EXPECT_EQ(log.background(), kLogOrange);
  log.logText("note", 4);
  EXPECT_EQ(log.background(), kLogWhite);
  log.clear();
  EXPECT_EQ(log.background(), kLogGreen);
}

TEST(MessageLog, LevelsSetTheBackgroundAndClearGivesGreen) {
  VectorLog vectorLog;
  ExpectLevelColours(vectorLog);
  EXPECT_TRUE(vectorLog.lines().empty());

  MemoryTextPane pane;
  PaneLog paneLog(pane);
  ExpectLevelColours(paneLog);
  EXPECT_EQ(pane.text(), "");
  EXPECT_EQ(pane.background(), kLogGreen);

  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  StderrLog streamLog(stream);
  ExpectLevelColours(streamLog);
  std::fclose(stream);
}

TEST(MessageLog, PaneLogInsertsAtTheCaret) {
  MemoryTextPane pane;
  PaneLog log(pane);
  log.logText("temps departs 10:00:00");
  log.logText("Instruction inconnue : FOO/1");
  EXPECT_EQ(log.text(), "temps departs 10:00:00\r\nInstruction inconnue : FOO/1\r\n");
  // The user moved the caret: the next message goes there.
  pane.setSelStart(0);
  log.logText("first");
  EXPECT_EQ(log.text().substr(0, 7), "first\r\n");
  EXPECT_EQ(pane.selStart(), 7u);
}

TEST(MessageLog, StderrLogWritesOneMessagePerLine) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  StderrLog log(stream);
  log.logText("Instruction inconnue : FOO/1");
  log.logText("", 0);
  log.logText("temps diff 00:00:01", 1);
  EXPECT_EQ(log.count(), 3u);
  std::rewind(stream);
  char buffer[256];
  const std::size_t got = std::fread(buffer, 1, sizeof buffer, stream);
  std::fclose(stream);
  EXPECT_EQ(std::string(buffer, got), "Instruction inconnue : FOO/1\n\ntemps diff 00:00:01\n");
}

TEST(MessageLog, ExportWritesPlainText) {
  test::TempDir dir;
  VectorLog log;
  const std::string empty = dir.file("empty.log");
  ASSERT_TRUE(ExportLog(log.text(), empty));
  EXPECT_TRUE(std::filesystem::is_regular_file(empty));
  EXPECT_EQ(test::ReadFile(empty), "");

  log.logText("A");
  log.logText("B", 3);
  const std::string path = dir.file("Ordalis.log");
  ASSERT_TRUE(ExportLog(log.text(), path));
  EXPECT_EQ(test::ReadFile(path), "A\r\nB\r\n");
  EXPECT_FALSE(ExportLog("A", dir.file("no/such/folder/Ordalis.log")));
}

}  // namespace
}  // namespace ordalis::app
