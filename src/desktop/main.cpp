// ordalis: the desktop program.
//   ordalis [--ini FILE] [a.ppc] [b.apt ...]
// Definition words are loaded and APT words converted at start-up. With CloseAfterPP in the
// settings the program ends after those conversions with the batch program's status (0, 1, 3),
// so that a CAM system can call it; it then needs no display and asks nobody anything.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/app/settings.h"
#include "core/app/settings_file.h"
#include "core/app/workspace.h"
#include "core/l10n/decimal_separator.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/display/display_commands.h"
#include "ui/l10n/decimal_notice.h"

namespace {

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

/// A program called by another one: messages go to standard error, no question is asked (there
/// is no hand-edited text to lose), no file dialog opens. Once the window is shown to a user,
/// `user` answers instead.
class UnattendedDialogs : public ordalis::ui::Dialogs {
 public:
  void inform(QWidget* parent, const QString& text) override {
    if (user != nullptr) return user->inform(parent, text);
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  }
  SaveChoice askToSave(QWidget* parent, const QString& text) override {
    return user != nullptr ? user->askToSave(parent, text) : SaveChoice::kDiscard;
  }
  QString chooseOpenPath(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter) override {
    return user != nullptr ? user->chooseOpenPath(parent, title, start, filter) : QString();
  }
  QString chooseSavePath(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter) override {
    return user != nullptr ? user->chooseSavePath(parent, title, start, filter) : QString();
  }
  ordalis::ui::Dialogs* user = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  std::string ini;
  const std::vector<std::string> words =
      ordalis::app::Workspace::takeIniOption(std::vector<std::string>(argv + 1, argv + argc), ini);
  const std::string programFolder = ordalis::app::ExecutableFolder();
  const std::string settings = ordalis::app::SettingsFile::locate(programFolder, ini).path();
  // Called by a CAM system: nothing is shown, so no display is needed.
  const bool unattended = ordalis::app::ReadCloseAfterPP(settings) && !words.empty();
  if (unattended && !HasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  app.setApplicationName("Ordalis");
  ordalis::ui::QtDialogs platformDialogs;
  UnattendedDialogs dialogs;
  if (!unattended) dialogs.user = &platformDialogs;

  ordalis::ui::MainWindow window(dialogs, programFolder);
  ordalis::ui::DisplayCommands display(window.workspace(), window.actions(), window.aptPane(),
                                       window.isoPane(), &window);
  window.setToolpathHandler([&display](const auto& moves) { display.toolpathReady(moves); });
  window.setRunFinishedHandler([&display] { display.runFinished(); });
  std::optional<int> exitStatus;
  QObject::connect(&window, &ordalis::ui::MainWindow::exitRequested,
                   [&exitStatus](int status) { exitStatus = status; });
  window.start(ini);
  if (!unattended) {
    // Before the window: the user reads it once, and nothing of the system is changed.
    ordalis::ui::NoticeDecimalSeparator(ordalis::l10n::LocaleDecimalSeparator(""),
                                        window.context().strings, dialogs);
    window.show();
  }
  window.workspace().treatCommandLine(words);
  if (exitStatus) return *exitStatus;
  if (unattended) {
    // CloseAfterPP, but nothing was converted: a window nobody sees would never end.
    if (!HasDisplay()) {
      std::fprintf(stderr, "ordalis: nothing was converted and there is no display\n");
      return 1;
    }
    dialogs.user = &platformDialogs;
    window.show();
  }
  return QApplication::exec();
}
