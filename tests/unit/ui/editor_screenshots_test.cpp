// Pictures of the definition editor and of the code edit window for a reviewer to look at, with
// the shipped head A/C definition loaded.
#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include "ui/texttools/code_edit_window.h"
#include "unit/ui/editor_fixture.h"

namespace ordalis::ui::test {
namespace {

TEST_F(EditorTest, Screenshots) {
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  const QString dir = QString(ORDALIS_SCREENSHOT_DIR) + "/";
  open(ordalis::test::SourcePath("data/ppc/head_ac_5axis.ppc"));
  for (int i = 0; i < editor->tabs()->count(); ++i) {
    editor->tabs()->setCurrentIndex(i);
    QApplication::processEvents();  // the page lays itself out once shown
    const QString name = dir + QString("editor_tab_%1.png").arg(i + 1, 2, 10, QChar('0'));
    EXPECT_TRUE(editor->grab().save(name)) << name.toStdString();
  }
  CodeEditWindow* window = editor->openCodeWindow(view("PP_CYCLE_DRILL"));
  QApplication::processEvents();
  EXPECT_TRUE(window->grab().save(dir + "code_window.png"));
  editor->discard();
}

}  // namespace
}  // namespace ordalis::ui::test
