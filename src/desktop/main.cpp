// ordalis: the desktop program. The main window comes with its own issue; until then it opens an
// empty window so the build and the Qt toolchain are exercised.
#include <QApplication>
#include <QMainWindow>
#include <string>
#include <vector>

#include "core/app/settings.h"
#include "core/app/settings_file.h"
#include "core/app/workspace.h"
#include "core/common/profile_file.h"
#include "core/common/text.h"
#include "core/l10n/decimal_separator.h"
#include "core/l10n/strings.h"
#include "ui/common/dialogs.h"
#include "ui/l10n/decimal_notice.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("Ordalis");
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string ini;
  // The settings file is needed before any window; the other words are for the main window's
  // Workspace::treatCommandLine.
  ordalis::app::Workspace::takeIniOption(args, ini);
  const std::string settings =
      ordalis::app::SettingsFile::locate(ordalis::app::ExecutableFolder(), ini).path();
  const double language =
      ordalis::common::ReadNumber(ordalis::common::GetProfileString(settings, "CONFIG", "LangId"));
  ordalis::l10n::Strings strings;
  strings.setLanguage(language == 0 ? ordalis::l10n::kEnglish : static_cast<int>(language));
  ordalis::ui::QtDialogs dialogs;
  // Before any window: the user reads it once, and nothing of the system is changed.
  ordalis::ui::NoticeDecimalSeparator(ordalis::l10n::LocaleDecimalSeparator(""), strings, dialogs);
  QMainWindow window;
  window.setWindowTitle("Ordalis");
  window.show();
  return app.exec();
}
