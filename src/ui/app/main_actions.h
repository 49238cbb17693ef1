#pragma once
// The main window's commands as actions that a window adopts: every item of the three menus and
// the toolbar's five buttons, with stable object names, shortcuts shown in the menus, drawn icons
// and a recent-files submenu. Captions and tool-tips come from the catalogue in the current
// language and are applied again in one call when the language changes.

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

#include "ui/app/command.h"

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class MainActions : public QObject {
  Q_OBJECT

 public:
  enum class Menu { kFile, kProcess, kOptions };

  /// Creates the actions on `window`, where their shortcuts work while it is active. The
  /// display's three follow-up commands start hidden; Next and Replace all start disabled.
  MainActions(QWidget* window, const l10n::Strings& strings);

  QAction* action(Command command) const { return actions_[static_cast<int>(command)]; }
  /// The action whose object name is `name` (the control names: "mnuOuvrir", "mnuRenum"...).
  QAction* action(const QString& name) const;
  QMenu* menu(Menu which) const { return menus_[static_cast<int>(which)]; }
  QMenu* recentMenu() const { return recent_; }

  /// Captions of the menus and items, tool-tips of the toolbar buttons, in the current language.
  void applyTexts();

  /// The recent files, most recent first; an empty list disables the submenu.
  void setRecentFiles(const QStringList& paths);
  QStringList recentFiles() const { return recentPaths_; }

  /// Shows and enables the display's follow-up commands while a toolpath is shown, hides and
  /// disables them otherwise.
  void setDisplayActive(bool active);
  /// Next and Replace all are usable only when there is a text to search for.
  void setSearchEnabled(bool enabled);

 signals:
  /// A recent file was chosen from the submenu.
  void recentFileChosen(const QString& path);
  /// "Clear the list" was chosen.
  void recentFilesCleared();

 private:
  void createActions(QWidget* window);
  void createMenus(QWidget* window);
  void fillRecentMenu();

  const l10n::Strings& strings_;
  std::array<QAction*, kCommandCount> actions_{};
  std::array<QMenu*, 3> menus_{};
  QMenu* recent_ = nullptr;
  QAction* clearRecent_ = nullptr;
  QStringList recentPaths_;
};

/// Puts the three menus into a menu bar.
void BuildMenuBar(QMenuBar* bar, const MainActions& actions);
/// Puts the five buttons into a toolbar, with the separator of button 3.
void BuildToolBar(QToolBar* bar, const MainActions& actions);

}  // namespace ordalis::ui
