#pragma once
// The real main window in a program folder of its own (Ordalis.ini, Default.ppc, ppc/), with
// dialogs answered from a script, and helpers to wait for a run and to run ordalis-post.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/common/profile_file.h"
#include "support/test_support.h"
#include "ui/app/main_window.h"
#include "ui/app/qt_text_pane.h"
#include "unit/ui/scripted_dialogs.h"

namespace ordalis::ui::test {

using ordalis::test::ReadFile;
using ordalis::test::SourcePath;
using ordalis::test::TempDir;
using ordalis::test::WriteFile;

/// Turns the event loop until `done` holds or `ms` have passed; returns `done()`.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 30000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QTest::qWait(2);
  }
  return done();
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir.file("ppc"));
    for (const char* name : {"linuxcnc_mill.ppc", "fanuc_mill.ppc"}) {
      WriteFile(dir.file(std::string("ppc/") + name),
                ReadFile(SourcePath(std::string("data/ppc/") + name)));
    }
    WriteFile(dir.file("Default.ppc"), ReadFile(SourcePath("data/Default.ppc")));
    writeSettings("Fichier=.\\ppc\\linuxcnc_mill.ppc\r\nNom=linuxcnc_mill\r\n", 1033);
  }

  void writeSettings(const std::string& definition, int language) {
    WriteFile(dir.file("Ordalis.ini"), "[POSTPROCESSEUR]\r\n" + definition + "[CONFIG]\r\nLangId=" +
                                           std::to_string(language) + "\r\nCloseAfterPP=0\r\n");
  }

  /// Builds, starts and shows the window, at the size the settings remember when `remembered`.
  void open(bool remembered = false) {
    window = std::make_unique<MainWindow>(dialogs, dir.path() + "/");
    window->start(dir.file("Ordalis.ini"));
    if (!remembered) window->resize(1280, 820);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  /// Copies an example into the program folder and opens it in the APT pane.
  std::string openExample(const std::string& name) {
    const std::string path = dir.file(name);
    WriteFile(path, ReadFile(SourcePath("data/examples/" + name)));
    EXPECT_TRUE(window->workspace().openAptFile(path));
    return path;
  }

  bool waitForRun(int ms = 60000) {
    return WaitUntil([this] { return !window->workspace().running(); }, ms);
  }

  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    window->activateWindow();
    QTest::keyClick(window.get(), static_cast<Qt::Key>(key), modifiers);
  }

  /// ordalis-post's output for `apt` with the definition `ppc`, written as `output`.
  std::string postOutput(const std::string& apt, const std::string& ppc,
                         const std::string& output) {
    const std::string command = std::string(ORDALIS_BIN_DIR) + "/ordalis-post --ini " +
                                dir.file("Ordalis.ini") + " --ppc " + ppc + " -o " + output + " " +
                                apt + " 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadFile(output);
  }

  std::uint32_t colourKey(const std::string& ppc, const char* key) const {
    return static_cast<std::uint32_t>(std::stoul(common::GetProfileString(ppc, "COULEUR", key)));
  }

  /// The first line of `pane` that contains `text`.
  static std::size_t LineWith(const QtTextPane& pane, const std::string& text) {
    const std::ptrdiff_t at = pane.find(text, 0, pane.length(), false, true);
    EXPECT_GE(at, 0) << text;
    return pane.lineOf(static_cast<std::size_t>(at < 0 ? 0 : at));
  }

  TempDir dir;
  ScriptedDesktopDialogs dialogs;
  std::unique_ptr<MainWindow> window;
};

}  // namespace ordalis::ui::test
