#pragma once
// The definition editor opened on a copy of the shipped head A/C definition (with a few lines of
// the user's own that the program does not know), and dialogs that answer as a test prepares.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>

#include "core/common/message_log.h"
#include "core/common/text.h"
#include "core/common/user_prompt.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition_file.h"
#include "support/test_support.h"
#include "ui/common/cp1252.h"
#include "ui/ppdef/definition_editor.h"
#include "ui/ppdef/editor_dialogs.h"
#include "ui/ppdef/field_view.h"

namespace ordalis::ui::test {

class ScriptedDialogs : public EditorDialogs {
 public:
  void inform(QWidget*, const QString& text) override { messages.push_back(text); }
  CloseChoice askToSave(QWidget*, const QString&) override {
    ++questions;
    return closeChoice;
  }
  QString chooseFolder(QWidget*, const QString&, const QString&) override { return folder; }
  std::optional<QColor> chooseColour(QWidget*, const QColor&) override {
    ++colourRequests;
    if (colours.empty()) return std::nullopt;
    const std::optional<QColor> next = colours.front();
    colours.pop_front();
    return next;
  }
  QString chooseSavePath(QWidget*, const QString&, const QString&, const QString&) override {
    return savePath;
  }

  std::vector<QString> messages;
  int questions = 0;
  CloseChoice closeChoice = CloseChoice::kCancel;
  QString folder;
  std::deque<std::optional<QColor>> colours;
  int colourRequests = 0;
  QString savePath;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strings.setLanguage(l10n::kEnglish);
    std::string bytes =
        ordalis::test::ReadFile(ordalis::test::SourcePath("data/ppc/head_ac_5axis.ppc"));
    ASSERT_FALSE(bytes.empty());
    // The user's own notes and keys must come through every save untouched.
    bytes = common::ReplaceAll(bytes, "[GENERAL]\r\n", "[GENERAL]\r\nAtelier=B12\r\n");
    bytes += "\r\n; maintenance\r\n[MAINTENANCE]\r\nContact=Jean\r\n";
    path = dir.file("head_ac.ppc");
    ordalis::test::WriteFile(path, bytes);
    original = bytes;
    open(path);
  }

  /// Opens the editor on `file` with the definition loaded from `loadFrom` (the file itself when
  /// empty), as the main window would hand it over.
  void open(const std::string& file, const std::string& loadFrom = {}) {
    common::RecordingPrompt prompt;
    ppdef::PostProcessorDefinition def;
    ppdef::LoadDefinition(loadFrom.empty() ? file : loadFrom, def, prompt);
    editor = std::make_unique<DefinitionEditor>(def, QString::fromStdString(file), strings, log,
                                                dialogs);
    editor->show();
    editor->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
  }

  FieldView* view(std::string_view key) {
    FieldView* v = editor->field(key);
    EXPECT_NE(v, nullptr) << key;
    return v;
  }

  /// Types `text` into a field as a user would: everything selected, then the keys.
  void type(std::string_view key, const QString& text) {
    QWidget* input = view(key)->input();
    editor->tabs()->setCurrentIndex(view(key)->field().tab - 1);
    if (auto* line = qobject_cast<QLineEdit*>(input)) line->selectAll();
    if (auto* box = qobject_cast<QPlainTextEdit*>(input)) box->selectAll();
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (i > 0) QTest::keyClick(input, Qt::Key_Return);
      if (lines[i].isEmpty()) {
        if (lines.size() == 1) QTest::keyClick(input, Qt::Key_Delete);
      } else {
        QTest::keyClicks(input, lines[i]);
      }
    }
  }

  void clickOk() { editor->findChild<QPushButton*>("ok")->click(); }
  void clickCancel() { editor->findChild<QPushButton*>("cancel")->click(); }

  std::string fileNow() const { return ordalis::test::ReadFile(path); }

  ordalis::test::TempDir dir;
  std::string path;
  std::string original;
  l10n::Strings strings;
  common::VectorLog log;
  ScriptedDialogs dialogs;
  std::unique_ptr<DefinitionEditor> editor;
};

/// The lines of `after` that differ from those of `before` (both must have as many lines).
inline std::vector<std::string> ChangedLines(const std::string& before, const std::string& after) {
  const auto split = [](const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
      lines.push_back(text.substr(start, at - start));
    }
    lines.push_back(text.substr(start));
    return lines;
  };
  const std::vector<std::string> a = split(before), b = split(after);
  EXPECT_EQ(a.size(), b.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i]) changed.push_back(b[i]);
  }
  return changed;
}

}  // namespace ordalis::ui::test
