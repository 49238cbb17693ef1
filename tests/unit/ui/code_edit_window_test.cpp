// The code edit window opened from the definition editor's code fields.
#include "ui/texttools/code_edit_window.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QTextBlock>
#include <QTextLayout>

#include "core/ppdef/editor_layout.h"
#include "ui/texttools/code_text_edit.h"
#include "unit/ui/editor_fixture.h"

namespace ordalis::ui::test {
namespace {

const QColor kBlue(0, 0, 255), kGreen(0, 255, 0), kRed(255, 0, 0);

// The colour the highlighter gave the character at `position` of the window's text.
QColor ColourAt(CodeEditWindow* window, int position) {
  const QTextBlock block = window->editor()->document()->findBlock(position);
  const int inBlock = position - block.position();
  for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
    if (inBlock >= range.start && inBlock < range.start + range.length) {
      return range.format.foreground().color();
    }
  }
  return {};
}

TEST_F(EditorTest, ADoubleClickOnACodeFieldOpensTheCodeWindow) {
  for (std::string_view key : {"PP_G17", "PP_DEBUT", "PP_NOM"}) {  // one line, a box, no code
    SCOPED_TRACE(key);
    open(path);
    FieldView* field = view(key);
    editor->tabs()->setCurrentIndex(field->field().tab - 1);
    auto* box = qobject_cast<QPlainTextEdit*>(field->input());
    QTest::mouseDClick(box != nullptr ? box->viewport() : field->input(), Qt::LeftButton);
    const QList<CodeEditWindow*> windows = editor->findChildren<CodeEditWindow*>();
    if (key == "PP_NOM") {
      EXPECT_TRUE(windows.isEmpty());
      continue;
    }
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows[0]->isVisible());
    EXPECT_EQ(windows[0]->fieldIndex(), field->field().editNumber);
    EXPECT_EQ(windows[0]->editor()->toPlainText(), field->text());
  }
}

TEST_F(EditorTest, CodeWindowColoursNamesAsTheEngineKnowsThem) {
  CodeEditWindow* window = editor->openCodeWindow(view("PP_CYCLE_DRILL"));
  struct Case {
    const char* text;
    int at;  // a character of the name
    QColor colour;
  };
  const Case cases[] = {
      {"G81 Z&(PP_CYCLE_Z,0.000)", 9, kGreen},                // known
      {"G81 Z&(PP_CYCLE_ZZ,0.000)", 9, kRed},                 // misspelt
      {"G81 Z&(pp_cycle_z,0.000)", 9, kRed},                  // case matters
      {"R&(PP_CYCLE_Z+PP_CYCLE_CLEARENCE,0.0)", 20, kGreen},  // one expression
      {"R&(PP_CYCLE_Z + PP_CYCLE_CLEARENCE,0.0)", 20, kRed},  // blanks break it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    window->editor()->setPlainText(c.text);
    const int marker = static_cast<int>(QString(c.text).indexOf("&("));
    EXPECT_EQ(ColourAt(window, marker), kBlue);
    EXPECT_EQ(ColourAt(window, marker + 1), kBlue);
    EXPECT_EQ(ColourAt(window, c.at), c.colour);
    EXPECT_FALSE(ColourAt(window, 0).isValid());  // the rest keeps the default colour
  }
}

TEST_F(EditorTest, CodeWindowKeepsTheCaretWhereTheUserTypes) {
  CodeEditWindow* window = editor->openCodeWindow(view("CHANGE_OUTIL"));
  CodeTextEdit* box = window->editor();
  box->setPlainText("T M6");
  QTextCursor cursor = box->textCursor();
  cursor.setPosition(1);
  box->setTextCursor(cursor);
  QTest::keyClicks(box, "&(PP_TOOL,0)");
  EXPECT_EQ(box->toPlainText(), "T&(PP_TOOL,0) M6");
  EXPECT_EQ(box->textCursor().position(), 13);
  EXPECT_EQ(ColourAt(window, 4), kGreen);
}

TEST_F(EditorTest, CodeWindowOffersKnownNamesAfterAPlaceholderOpens) {
  CodeEditWindow* window = editor->openCodeWindow(view("CHANGE_OUTIL"));
  CodeTextEdit* box = window->editor();
  box->clear();
  QTest::keyClicks(box, "T&(PP_TO");
  EXPECT_EQ(box->namePrefix(), "PP_TO");
  QCompleter* completer = box->completer();
  EXPECT_TRUE(completer->popup()->isVisible());
  EXPECT_EQ(completer->currentCompletion(), "PP_TOOL");
  emit completer->activated(completer->currentCompletion());
  EXPECT_EQ(box->toPlainText(), "T&(PP_TOOL,");
  QTest::keyClicks(box, "0) M6");
  EXPECT_TRUE(box->namePrefix().isNull());
  EXPECT_FALSE(completer->popup()->isVisible());
}

TEST_F(EditorTest, CodeWindowPreviewShowsTheBlocksTheTemplateWrites) {
  CodeEditWindow* window = editor->openCodeWindow(view("PP_CYCLE_DRILL"));
  // Over the hole at its clearing height, then the cycle; the sample dwell of 0.5 s in
  // milliseconds.
  EXPECT_EQ(window->preview()->toPlainText(),
            "N10 G00 X70.000 Y25.000\nN20 Z4.000\n"
            "N30 G98 G82 X70.000 Y25.000 Z-10.000 R4.000 P500 F120.0");
  window->editor()->setPlainText("G81 X&(PP_CYCLE_X,0.0)\nG80");
  EXPECT_EQ(window->preview()->toPlainText(), "G81 X70.0\nG80");
}

TEST_F(EditorTest, ClosingTheCodeWindowWritesBackIntoItsOwnField) {
  for (std::string_view key : {"PP_CYCLE_MILL", "PP_DEBUT"}) {  // 890 and 90
    SCOPED_TRACE(key);
    open(path);
    const QString other = view(key == "PP_DEBUT" ? "PP_CYCLE_MILL" : "PP_DEBUT")->text();
    CodeEditWindow* window = editor->openCodeWindow(view(key));
    EXPECT_EQ(window->fieldIndex(), view(key)->field().editNumber);
    window->editor()->setPlainText("%\nO0042");
    window->close();
    EXPECT_EQ(view(key)->text(), "%\nO0042");
    EXPECT_EQ(view(key == "PP_DEBUT" ? "PP_CYCLE_MILL" : "PP_DEBUT")->text(), other);
  }
  EXPECT_EQ(ppdef::FindCodeField(890)->key, "PP_CYCLE_MILL");
}

TEST_F(EditorTest, OkTakesTheTextOfCodeWindowsStillOpen) {
  CodeEditWindow* window = editor->openCodeWindow(view("PP_CYCLE_TAP"));
  window->editor()->setPlainText("G84 (TAP)");
  clickOk();
  EXPECT_EQ(ChangedLines(original, fileNow()), std::vector<std::string>{"PP_CYCLE_TAP=G84 (TAP)"});
}

TEST_F(EditorTest, AnUnknownFieldIndexIsLoggedAndChangesNothing) {
  editor->setCodeField(999, "lost");
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Erreur Gestion indice fenetre :999"});
  EXPECT_FALSE(editor->isChanged());
}

}  // namespace
}  // namespace ordalis::ui::test
