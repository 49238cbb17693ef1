// The main window's actions on a bare window: names, menus, shortcuts, captions by language,
// recent files and the commands that come and go.
#include "ui/app/main_actions.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include "core/l10n/strings.h"

namespace ordalis::ui {
namespace {

class MainActionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strings.setLanguage(l10n::kEnglish);
    actions = new MainActions(&window, strings);
    BuildMenuBar(window.menuBar(), *actions);
    toolbar = window.addToolBar("tools");
    BuildToolBar(toolbar, *actions);
    window.resize(700, 300);
  }

  /// The object names of a menu's items, "-" for a separator, ">name" for a submenu.
  static QStringList Items(const QMenu* menu) {
    QStringList names;
    for (QAction* a : menu->actions()) {
      if (a->isSeparator()) {
        names << "-";
      } else if (a->menu() != nullptr) {
        names << ">" + a->menu()->objectName();
      } else {
        names << a->objectName();
      }
    }
    return names;
  }

  l10n::Strings strings;
  QMainWindow window;
  MainActions* actions = nullptr;
  QToolBar* toolbar = nullptr;
};

TEST_F(MainActionsTest, MenusHoldEveryItemInItsPlace) {
  using M = MainActions::Menu;
  EXPECT_EQ(Items(actions->menu(M::kFile)),
            QStringList({"mnuOuvrir", "mnuSauver", "-", "mnuOuvrirProjet", "-", "mnuOuvrirISo",
                         ">mnuRecent", "-", "mnuQuiter"}));
  EXPECT_EQ(Items(actions->menu(M::kProcess)),
            QStringList({"mnuExecute", "mnuExecuteFichier", "mnuStop", "mnuLineMark", "-",
                         "mnuRenum", "-", "mnuchercheItem1", "mnuchercheItem2", "mnuchercheItem3",
                         "-", "mnuEditItem0", "mnuEditItem1", "mnuEditItem2", "-", "mnuVisu",
                         "mnuNoVisu", "mnuNoInfo", "mnuhighlight"}));
  EXPECT_EQ(Items(actions->menu(M::kOptions)),
            QStringList({"mnuDefPP", "mnuOptionLogiciel", "-", "MnuLogFile", "mnuRazLog", "-",
                         "mnuApropos", "mnuVersion"}));
  QStringList bar;
  for (QAction* a : window.menuBar()->actions()) bar << a->menu()->objectName();
  EXPECT_EQ(bar, QStringList({"mnuFichier", "mnuTraitement", "mnuOptions"}));
  for (int c = 0; c < kCommandCount; ++c) {
    QAction* a = actions->action(static_cast<Command>(c));
    EXPECT_EQ(actions->action(a->objectName()), a);
    EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
  }
}

TEST_F(MainActionsTest, ToolbarHoldsTheFiveButtonsWithTheirTips) {
  const QList<QAction*> buttons = toolbar->actions();
  ASSERT_EQ(buttons.size(), 6);
  EXPECT_EQ(buttons[0], actions->action(Command::kOpenApt));
  EXPECT_EQ(buttons[1], actions->action(Command::kSaveIso));
  EXPECT_TRUE(buttons[2]->isSeparator());
  EXPECT_EQ(buttons[3], actions->action(Command::kDefinitionEditor));
  EXPECT_EQ(buttons[4], actions->action(Command::kConvertText));
  EXPECT_EQ(buttons[5], actions->action(Command::kConvertFile));
  EXPECT_EQ(buttons[0]->toolTip(), "open APT file (Ctrl+O)");
  EXPECT_EQ(buttons[3]->toolTip(), "Postprocessor Configuration");
  EXPECT_EQ(buttons[5]->toolTip(), "Postprocess file from... (F6)");
}

TEST_F(MainActionsTest, ShortcutsAreShownAndWorkOnTheWindow) {
  const std::pair<Command, const char*> keys[] = {
      {Command::kOpenApt, "Ctrl+O"},  {Command::kOpenIso, "Ctrl+Shift+O"},
      {Command::kSaveIso, "Ctrl+S"},  {Command::kConvertText, "F5"},
      {Command::kConvertFile, "F6"},  {Command::kSearch, "Ctrl+F"},
      {Command::kNext, "F3"},         {Command::kReplaceAll, "Ctrl+H"},
      {Command::kRenumber, "Ctrl+R"}, {Command::kLineMark, "F9"},
      {Command::kStop, "Esc"},        {Command::kQuit, "Ctrl+Q"}};
  for (const auto& [command, text] : keys) {
    EXPECT_EQ(actions->action(command)->shortcut().toString(), text) << text;
  }
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  QSignalSpy convert(actions->action(Command::kConvertText), &QAction::triggered);
  QSignalSpy stop(actions->action(Command::kStop), &QAction::triggered);
  QSignalSpy open(actions->action(Command::kOpenIso), &QAction::triggered);
  QTest::keyClick(&window, Qt::Key_F5);
  QTest::keyClick(&window, Qt::Key_Escape);
  QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(convert.count(), 1);
  EXPECT_EQ(stop.count(), 1);
  EXPECT_EQ(open.count(), 1);
}

TEST_F(MainActionsTest, CaptionsFollowTheLanguageAndDebugShowsTheIds) {
  struct Case {
    int language;
    const char* open;
    const char* process;
    const char* tip;
  };
  for (const Case& c :
       {Case{l10n::kFrench, "&Ouvrir fichier APT", "&Traitement", "Ouvrir fichier APT (Ctrl+O)"},
        Case{l10n::kItalian, "", "", ""}, Case{l10n::kDebug, "4008", "4013", "4002 (Ctrl+O)"},
        Case{l10n::kEnglish, "&Open APT file", "&Process", "open APT file (Ctrl+O)"}}) {
    strings.setLanguage(c.language);
    actions->applyTexts();
    const QString open = actions->action("mnuOuvrir")->text();
    if (*c.open == '\0') {
      EXPECT_FALSE(open.isEmpty());  // Italian: some text of its own, whatever it is
      EXPECT_NE(open, "&Open APT file");
      continue;
    }
    EXPECT_EQ(open, c.open) << c.language;
    EXPECT_EQ(actions->menu(MainActions::Menu::kProcess)->title(), c.process);
    EXPECT_EQ(actions->action(Command::kOpenApt)->toolTip(), c.tip);
  }
  strings.setLanguage(l10n::kDebug);
  actions->applyTexts();
  for (int c = 0; c < kCommandCount; ++c) {
    bool number = false;
    actions->action(static_cast<Command>(c))->text().toInt(&number);
    EXPECT_TRUE(number) << c;
  }
  EXPECT_EQ(actions->recentMenu()->title(), "4041");
}

TEST_F(MainActionsTest, RecentFilesOpenAndClearFromTheSubmenu) {
  EXPECT_FALSE(actions->recentMenu()->isEnabled());
  actions->setRecentFiles({"/work/parts/bracket.apt", "/work/parts/plate.nc"});
  EXPECT_TRUE(actions->recentMenu()->isEnabled());
  const QStringList items = Items(actions->recentMenu());
  EXPECT_EQ(items, QStringList({"mnuRecent1", "mnuRecent2", "-", "mnuRecentClear"}));
  EXPECT_EQ(actions->recentMenu()->actions()[1]->text(), "&2  plate.nc");

  QSignalSpy chosen(actions, &MainActions::recentFileChosen);
  QSignalSpy cleared(actions, &MainActions::recentFilesCleared);
  actions->recentMenu()->actions()[1]->trigger();
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].toString(), "/work/parts/plate.nc");
  actions->recentMenu()->actions()[3]->trigger();
  EXPECT_EQ(cleared.count(), 1);

  QStringList many;
  for (int i = 0; i < 14; ++i) many << QString("/p/f%1.apt").arg(i);
  actions->setRecentFiles(many);
  EXPECT_EQ(actions->recentFiles().size(), 10);
  EXPECT_EQ(actions->recentMenu()->actions()[9]->text(), "&0  f9.apt");
  actions->setRecentFiles({});
  EXPECT_TRUE(actions->recentMenu()->actions().isEmpty());
  EXPECT_FALSE(actions->recentMenu()->isEnabled());
}

TEST_F(MainActionsTest, DisplayCommandsAndSearchCommandsComeAndGo) {
  for (const char* name : {"mnuNoVisu", "mnuNoInfo", "mnuhighlight"}) {
    EXPECT_FALSE(actions->action(name)->isVisible()) << name;
  }
  EXPECT_FALSE(actions->action(Command::kNext)->isEnabled());
  EXPECT_FALSE(actions->action(Command::kReplaceAll)->isEnabled());
  EXPECT_TRUE(actions->action(Command::kSearch)->isEnabled());
  actions->setDisplayActive(true);
  actions->setSearchEnabled(true);
  for (const char* name : {"mnuNoVisu", "mnuNoInfo", "mnuhighlight"}) {
    EXPECT_TRUE(actions->action(name)->isVisible() && actions->action(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(actions->action(Command::kReplaceAll)->isEnabled());
  actions->setDisplayActive(false);
  EXPECT_FALSE(actions->action("mnuhighlight")->isEnabled());
}

TEST_F(MainActionsTest, Screenshots) {
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  const QString dir = QString(ORDALIS_SCREENSHOT_DIR) + "/";
  actions->setRecentFiles({"/work/parts/bracket.apt"});
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.grab().save(dir + "actions_toolbar.png"));
  // Every icon at 48 and 24 pixels, side by side, to judge them.
  QPixmap sheet(kCommandCount * 52, 84);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  for (int c = 0; c < kCommandCount; ++c) {
    const QIcon icon = actions->action(static_cast<Command>(c))->icon();
    painter.drawPixmap(c * 52 + 2, 2, icon.pixmap(48, 48));
    painter.drawPixmap(c * 52 + 14, 56, icon.pixmap(24, 24));
  }
  painter.end();
  EXPECT_TRUE(sheet.save(dir + "command_icons.png"));
  for (int language : {l10n::kEnglish, l10n::kFrench}) {
    strings.setLanguage(language);
    actions->applyTexts();
    const QString suffix = language == l10n::kEnglish ? "en" : "fr";
    const char* names[] = {"file", "process", "options"};
    for (int m = 0; m < 3; ++m) {
      QMenu* menu = actions->menu(static_cast<MainActions::Menu>(m));
      menu->popup(window.mapToGlobal(QPoint(10, 10)));
      QTest::qWait(20);
      EXPECT_TRUE(menu->grab().save(dir + QString("menu_%1_%2.png").arg(names[m], suffix)));
      menu->hide();
    }
  }
}

}  // namespace
}  // namespace ordalis::ui
