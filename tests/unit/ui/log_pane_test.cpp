// The log pane: background by level, records posted from a worker thread, export.
#include "ui/app/log_pane.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <thread>

#include "core/l10n/strings.h"
#include "support/test_support.h"
#include "ui/app/qt_text_pane_format.h"
#include "unit/ui/scripted_dialogs.h"

namespace ordalis::ui {
namespace {

class LogPaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strings.setLanguage(l10n::kEnglish);
    pane = std::make_unique<LogPane>(strings);
  }

  l10n::Strings strings;
  std::unique_ptr<LogPane> pane;
  test::ScriptedDesktopDialogs dialogs;
  ordalis::test::TempDir dir;
};

TEST_F(LogPaneTest, BackgroundFollowsTheLastLevelThatCarriesOne) {
  struct Step {
    int level;
    std::uint32_t background;
  };
  EXPECT_EQ(pane->background(), common::kLogGreen);
  for (const Step& s :
       {Step{3, common::kLogRed}, Step{0, common::kLogRed}, Step{2, common::kLogOrange},
        Step{7, common::kLogOrange}, Step{4, common::kLogWhite}, Step{1, common::kLogGreen}}) {
    pane->logText("message", s.level);
    EXPECT_EQ(pane->background(), s.background) << s.level;
    EXPECT_EQ(pane->palette().color(QPalette::Base), ToQColor(s.background));
  }
  EXPECT_TRUE(pane->isReadOnly());
  pane->clear();
  EXPECT_EQ(pane->plainText(), "");
  EXPECT_EQ(pane->background(), common::kLogGreen);
}

TEST_F(LogPaneTest, RecordsFromAWorkerAreAppliedOnTheGuiThreadInOneBatch) {
  common::RecordLog workerLog(pane->poster());
  pane->logText("before", 0);
  std::thread worker([&] {
    workerLog.clear();
    for (int i = 0; i < 5000; ++i) workerLog.log(2106, " GOTO/" + std::to_string(i), 0);
    workerLog.log(2112, {}, 3);
  });
  worker.join();
  // Nothing touched the widget from the worker.
  EXPECT_EQ(pane->plainText(), "before\r\n");
  // The text comes from the catalogue when the record is shown, in the language of that moment.
  strings.setLanguage(l10n::kFrench);
  QApplication::processEvents();
  const std::string text = pane->plainText();
  EXPECT_EQ(text.rfind("Code non trait\xE9 : GOTO/0\r\n", 0), 0u) << text.substr(0, 60);
  EXPECT_NE(text.find("GOTO/4999\r\nInterruption Traitement\r\n"), std::string::npos);
  EXPECT_EQ(pane->document()->blockCount(), 5002);  // 5001 lines and the empty one after them
  EXPECT_EQ(pane->background(), common::kLogRed);
  EXPECT_EQ(workerLog.background(), common::kLogRed);
}

TEST_F(LogPaneTest, ALineLoggedOnTheGuiThreadComesAfterTheRecordsPostedBeforeIt) {
  pane->post({0, "posted", 0, false});
  pane->logText("direct", 2);
  EXPECT_EQ(pane->plainText(), "posted\r\ndirect\r\n");
  QApplication::processEvents();  // the queued flush finds nothing left
  EXPECT_EQ(pane->plainText(), "posted\r\ndirect\r\n");
}

TEST_F(LogPaneTest, APosterOutlivingThePaneDropsItsRecords) {
  common::RecordLog::Poster poster = pane->poster();
  pane.reset();
  poster({0, "late", 0, false});
  QApplication::processEvents();
  SUCCEED();
}

TEST_F(LogPaneTest, ExportWritesThePlainTextWhereTheUserChose) {
  pane->logText("Statement not processed : FOO/1", 2);
  pane->logText("caf\xE9", 0);
  dialogs.savePath = QString::fromStdString(dir.file("run.log"));
  EXPECT_TRUE(pane->exportLog(dialogs, QString::fromStdString(dir.path())));
  EXPECT_EQ(ordalis::test::ReadFile(dir.file("run.log")),
            "Statement not processed : FOO/1\r\ncaf\xE9\r\n");
  EXPECT_EQ(dialogs.lastStart, QDir(QString::fromStdString(dir.path())).filePath("Ordalis.log"));
  EXPECT_EQ(dialogs.lastFilter, "LOG FILE (*.log);;TEXT FILE (*.txt)");
  EXPECT_EQ(dialogs.lastTitle, "Log Export");

  pane->clear();
  dialogs.savePath = QString::fromStdString(dir.file("empty.log"));
  EXPECT_TRUE(pane->exportLog(dialogs, {}));
  EXPECT_EQ(ordalis::test::ReadFile(dir.file("empty.log")), "");

  dialogs.savePath.clear();  // cancelled: nothing written, nothing said
  EXPECT_FALSE(pane->exportLog(dialogs, {}));
  EXPECT_TRUE(dialogs.messages.empty());

  dialogs.savePath = QString::fromStdString(dir.file("no/such/folder/x.log"));
  EXPECT_FALSE(pane->exportLog(dialogs, {}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].startsWith("The file could not be written: "));
}

TEST_F(LogPaneTest, Screenshot) {
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  pane->resize(560, 140);
  pane->logText("starting time 10:42:07", 0);
  pane->logText("Statement not processed :PPRINT/HOLDER C40", 0);
  pane->logText("Cycle not processed :CYCLE/DEEP2", 2);
  pane->logText("ending time 10:42:07", 0);
  pane->show();
  QApplication::processEvents();
  EXPECT_TRUE(pane->grab().save(QString(ORDALIS_SCREENSHOT_DIR) + "/log_pane.png"));
}

}  // namespace
}  // namespace ordalis::ui
