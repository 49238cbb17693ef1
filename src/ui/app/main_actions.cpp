#include "ui/app/main_actions.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <vector>

#include "core/l10n/strings.h"
#include "ui/app/command_icons.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

struct CommandEntry {
  Command command;
  const char* name;  // the control's name, the action's object name
  int textId;
  int tipId;         // toolbar tool-tip; 0 for the menu-only commands
  const char* keys;  // portable shortcut text
};

constexpr CommandEntry kCommandTable[] = {
    {Command::kOpenApt, "mnuOuvrir", 4008, 4002, "Ctrl+O"},
    {Command::kSaveIso, "mnuSauver", 4009, 4003, "Ctrl+S"},
    {Command::kSelectDefinition, "mnuOuvrirProjet", 4010, 0, ""},
    {Command::kOpenIso, "mnuOuvrirISo", 4011, 0, "Ctrl+Shift+O"},
    {Command::kQuit, "mnuQuiter", 4012, 0, "Ctrl+Q"},
    {Command::kConvertText, "mnuExecute", 4014, 4005, "F5"},
    {Command::kConvertFile, "mnuExecuteFichier", 4015, 4006, "F6"},
    {Command::kStop, "mnuStop", 4043, 0, "Esc"},
    {Command::kLineMark, "mnuLineMark", 4044, 0, "F9"},
    {Command::kRenumber, "mnuRenum", 4016, 0, "Ctrl+R"},
    {Command::kSearch, "mnuchercheItem1", 4017, 0, "Ctrl+F"},
    {Command::kNext, "mnuchercheItem2", 4018, 0, "F3"},
    {Command::kReplaceAll, "mnuchercheItem3", 4019, 0, "Ctrl+H"},
    {Command::kCut, "mnuEditItem0", 4020, 0, "Ctrl+X"},
    {Command::kCopy, "mnuEditItem1", 4021, 0, "Ctrl+C"},
    {Command::kPaste, "mnuEditItem2", 4022, 0, "Ctrl+V"},
    {Command::kDisplay, "mnuVisu", 4023, 0, ""},
    {Command::kClearDisplay, "mnuNoVisu", 4024, 0, ""},
    {Command::kClearLabels, "mnuNoInfo", 4025, 0, ""},
    {Command::kHighlight, "mnuhighlight", 4026, 0, ""},
    {Command::kDefinitionEditor, "mnuDefPP", 4028, 4004, ""},
    {Command::kConfiguration, "mnuOptionLogiciel", 4033, 0, ""},
    {Command::kExportLog, "MnuLogFile", 4029, 0, ""},
    {Command::kClearLog, "mnuRazLog", 4030, 0, ""},
    {Command::kAbout, "mnuApropos", 4031, 0, ""},
    {Command::kVersion, "mnuVersion", 4032, 0, ""},
};
static_assert(std::size(kCommandTable) == kCommandCount);

constexpr int kFileMenu = 4007, kProcessMenu = 4013, kOptionsMenu = 4027;
constexpr int kRecentMenu = 4041, kClearRecent = 4042;
constexpr int kRecentShown = 10;

// The menus in order; kSeparator stands for a separator, kRecent for the recent-files submenu.
constexpr int kSeparator = -1, kRecent = -2;
constexpr int C(Command c) { return static_cast<int>(c); }
const std::vector<int> kFileItems = {
    C(Command::kOpenApt), C(Command::kSaveIso), kSeparator, C(Command::kSelectDefinition),
    kSeparator,           C(Command::kOpenIso), kRecent,    kSeparator,
    C(Command::kQuit)};
const std::vector<int> kProcessItems = {C(Command::kConvertText),
                                        C(Command::kConvertFile),
                                        C(Command::kStop),
                                        C(Command::kLineMark),
                                        kSeparator,
                                        C(Command::kRenumber),
                                        kSeparator,
                                        C(Command::kSearch),
                                        C(Command::kNext),
                                        C(Command::kReplaceAll),
                                        kSeparator,
                                        C(Command::kCut),
                                        C(Command::kCopy),
                                        C(Command::kPaste),
                                        kSeparator,
                                        C(Command::kDisplay),
                                        C(Command::kClearDisplay),
                                        C(Command::kClearLabels),
                                        C(Command::kHighlight)};
const std::vector<int> kOptionsItems = {C(Command::kDefinitionEditor),
                                        C(Command::kConfiguration),
                                        kSeparator,
                                        C(Command::kExportLog),
                                        C(Command::kClearLog),
                                        kSeparator,
                                        C(Command::kAbout),
                                        C(Command::kVersion)};

QString Text(const l10n::Strings& strings, int id) { return FromCp1252(strings.get(id)); }

}  // namespace

MainActions::MainActions(QWidget* window, const l10n::Strings& strings)
    : QObject(window), strings_(strings) {
  createActions(window);
  createMenus(window);
  setDisplayActive(false);
  setSearchEnabled(false);
  setRecentFiles({});
  applyTexts();
}

void MainActions::createActions(QWidget* window) {
  for (const CommandEntry& entry : kCommandTable) {
    auto* a = new QAction(CommandIcon(entry.command), QString(), window);
    a->setObjectName(entry.name);
    if (*entry.keys != '\0') a->setShortcut(QKeySequence(entry.keys, QKeySequence::PortableText));
    window->addAction(a);
    actions_[static_cast<int>(entry.command)] = a;
  }
}

void MainActions::createMenus(QWidget* window) {
  recent_ = new QMenu(window);
  recent_->setObjectName("mnuRecent");
  clearRecent_ = new QAction(this);
  clearRecent_->setObjectName("mnuRecentClear");
  connect(clearRecent_, &QAction::triggered, this, &MainActions::recentFilesCleared);
  const char* names[] = {"mnuFichier", "mnuTraitement", "mnuOptions"};
  const std::vector<int>* items[] = {&kFileItems, &kProcessItems, &kOptionsItems};
  for (int m = 0; m < 3; ++m) {
    menus_[m] = new QMenu(window);
    menus_[m]->setObjectName(names[m]);
    for (int item : *items[m]) {
      if (item == kSeparator) {
        menus_[m]->addSeparator();
      } else if (item == kRecent) {
        menus_[m]->addMenu(recent_);
      } else {
        menus_[m]->addAction(actions_[item]);
      }
    }
  }
}

QAction* MainActions::action(const QString& name) const {
  for (QAction* a : actions_) {
    if (a->objectName() == name) return a;
  }
  return nullptr;
}

void MainActions::applyTexts() {
  for (const CommandEntry& entry : kCommandTable) {
    QAction* a = action(entry.command);
    a->setText(Text(strings_, entry.textId));
    if (entry.tipId == 0) continue;
    QString tip = Text(strings_, entry.tipId);
    if (!a->shortcut().isEmpty()) {
      tip += " (" + a->shortcut().toString(QKeySequence::NativeText) + ")";
    }
    a->setToolTip(tip);
  }
  menus_[0]->setTitle(Text(strings_, kFileMenu));
  menus_[1]->setTitle(Text(strings_, kProcessMenu));
  menus_[2]->setTitle(Text(strings_, kOptionsMenu));
  recent_->setTitle(Text(strings_, kRecentMenu));
  clearRecent_->setText(Text(strings_, kClearRecent));
}

void MainActions::setRecentFiles(const QStringList& paths) {
  recentPaths_ = paths.mid(0, kRecentShown);
  fillRecentMenu();
}

void MainActions::fillRecentMenu() {
  recent_->clear();
  for (int i = 0; i < recentPaths_.size(); ++i) {
    const QString& path = recentPaths_[i];
    // Numbers 1-9 and 0 give each entry its own key.
    QString label = QString("&%1  %2").arg((i + 1) % 10).arg(QFileInfo(path).fileName());
    QAction* entry = recent_->addAction(label);
    entry->setObjectName(QString("mnuRecent%1").arg(i + 1));
    entry->setToolTip(path);
    entry->setStatusTip(path);
    connect(entry, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
  }
  if (!recentPaths_.isEmpty()) {
    recent_->addSeparator();
    recent_->addAction(clearRecent_);
  }
  recent_->setToolTipsVisible(true);
  recent_->setEnabled(!recentPaths_.isEmpty());
}

void MainActions::setDisplayActive(bool active) {
  for (Command c : {Command::kClearDisplay, Command::kClearLabels, Command::kHighlight}) {
    action(c)->setVisible(active);
    action(c)->setEnabled(active);
  }
}

void MainActions::setSearchEnabled(bool enabled) {
  action(Command::kNext)->setEnabled(enabled);
  action(Command::kReplaceAll)->setEnabled(enabled);
}

void BuildMenuBar(QMenuBar* bar, const MainActions& actions) {
  for (auto which :
       {MainActions::Menu::kFile, MainActions::Menu::kProcess, MainActions::Menu::kOptions}) {
    bar->addMenu(actions.menu(which));
  }
}

void BuildToolBar(QToolBar* bar, const MainActions& actions) {
  bar->setObjectName("Toolbar1");
  bar->addAction(actions.action(Command::kOpenApt));
  bar->addAction(actions.action(Command::kSaveIso));
  bar->addSeparator();
  bar->addAction(actions.action(Command::kDefinitionEditor));
  bar->addAction(actions.action(Command::kConvertText));
  bar->addAction(actions.action(Command::kConvertFile));
}

}  // namespace ordalis::ui
