// Screenshots of the main window for a reviewer: example 1 converted with the LinuxCNC definition,
// then the same window in the Debug language.
#include <QAction>
#include <QComboBox>
#include <QDir>

#include "ui/app/main_actions.h"
#include "ui/l10n/configuration_dialog.h"
#include "unit/ui/main_window_fixture.h"

namespace ordalis::ui::test {
namespace {

TEST_F(MainWindowTest, Screenshots) {
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  const QString folder = QString(ORDALIS_SCREENSHOT_DIR) + "/";
  open();
  openExample("01_pocket_two_tools.apt");
  press(Qt::Key_F5);
  ASSERT_TRUE(waitForRun());
  window->aptPane().select(0, 0);
  window->isoPane().select(0, 0);
  window->aptPane().setFocus();
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->grab().save(folder + "main_window.png"));

  window->actions().action(Command::kConfiguration)->trigger();
  ConfigurationDialog* dialog = window->configurationDialog();
  ASSERT_NE(dialog, nullptr);
  dialog->languageList()->setCurrentText("Debug Menu");
  dialog->chooseLanguage();
  dialog->close();
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->grab().save(folder + "main_window_debug.png"));
}

}  // namespace
}  // namespace ordalis::ui::test
