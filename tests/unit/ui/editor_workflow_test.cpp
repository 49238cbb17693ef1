// What the editor is for: change a definition and convert with the new values.
#include <QFile>
#include <QProcess>

#include "ui/ppdef/colour_tree.h"
#include "ui/texttools/code_edit_window.h"
#include "ui/texttools/code_text_edit.h"
#include "unit/ui/editor_fixture.h"

namespace ordalis::ui::test {
namespace {

TEST_F(EditorTest, AChangedFormatCycleAndColourReachTheNextConversion) {
  const QString post = QString(ORDALIS_BIN_DIR) + "/ordalis-post";
  if (!QFile::exists(post)) GTEST_SKIP() << "ordalis-post is not built";
  const std::string ppc = dir.file("Default.ppc");
  ordalis::test::WriteFile(ppc,
                           ordalis::test::ReadFile(ordalis::test::SourcePath("data/Default.ppc")));
  path = ppc;
  open(ppc);

  type("FORMAT_PP_X", "X#0.0000");
  CodeEditWindow* window = editor->openCodeWindow(view("PP_CYCLE_DRILL"));
  CodeTextEdit* box = window->editor();
  box->moveCursor(QTextCursor::Start);
  for (int i = 0; i < 3; ++i) QTest::keyClick(box, Qt::Key_Delete);  // "G99" becomes "G98"
  QTest::keyClicks(box, "G98");
  EXPECT_TRUE(
      window->preview()->toPlainText().startsWith("G98 G81 X40.000 Y25.000 Z-10.000 R4.000 F120"));
  window->close();
  dialogs.colours = {QColor(0, 128, 255)};
  editor->colourTree()->chooseColour(16);  // COULEUR_CYCLE
  clickOk();
  ASSERT_FALSE(editor->isVisible());
  EXPECT_NE(fileNow().find("\r\nCOULEUR_CYCLE=16744448\r\n"), std::string::npos);

  const std::string nc = dir.file("drilling.nc");
  QProcess run;
  run.start(post,
            {"--ppc", QString::fromStdString(ppc), "-o", QString::fromStdString(nc),
             QString::fromStdString(ordalis::test::SourcePath("data/examples/02_drilling.apt"))});
  ASSERT_TRUE(run.waitForFinished(30000));
  EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
  const std::string program = ordalis::test::ReadFile(nc);
  EXPECT_NE(program.find("N90 G98 G81 X20.000 Y20.000 Z-15.000 R3.000 F120\r\n"), std::string::npos)
      << program;
  // The templates carry their own patterns; the X format serves the motion blocks.
  EXPECT_NE(program.find("G0 X60.0000 Y50.000 Z30.000"), std::string::npos) << program;
}

}  // namespace
}  // namespace ordalis::ui::test
