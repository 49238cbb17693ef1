// The About and Version boxes, and the decimal-separator notice at start-up.
#include "ui/l10n/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "core/l10n/strings.h"
#include "ui/l10n/decimal_notice.h"
#include "unit/ui/scripted_dialogs.h"

namespace ordalis::ui {
namespace {

QString Label(const QWidget& box, const char* name) {
  const auto* label = box.findChild<QLabel*>(name);
  return label != nullptr ? label->text() : "<missing " + QString(name) + ">";
}

TEST(AboutBox, ShowsTitleVersionFromTheBuildAndLanguageInTheCurrentLanguage) {
  l10n::Strings strings;
  strings.setLanguage(l10n::kFrench);
  AboutBox version(AboutBox::Kind::kVersion, strings);
  EXPECT_EQ(version.windowTitle(), "A propos Ordalis");
  EXPECT_EQ(Label(version, "lblTitle"), "Ordalis");
  EXPECT_EQ(Label(version, "lblVersion"), "Version " + ProgramVersion());
  EXPECT_EQ(ProgramVersion(), QString("%1.%2.%3")
                                  .arg(ORDALIS_VERSION_MAJOR)
                                  .arg(ORDALIS_VERSION_MINOR)
                                  .arg(ORDALIS_VERSION_PATCH));
  EXPECT_EQ(Label(version, "LbLangue"), QString::fromUtf8("Français"));
  EXPECT_TRUE(Label(version, "lblBuild").startsWith("Qt "));
  EXPECT_FALSE(version.isModal());

  strings.setLanguage(l10n::kDebug);
  version.applyTexts();
  EXPECT_EQ(version.windowTitle(), "501 Ordalis");
  EXPECT_EQ(Label(version, "lblVersion"), "502 " + ProgramVersion());
  EXPECT_EQ(Label(version, "LbLangue"), "1");

  strings.setLanguage(l10n::kEnglish);
  AboutBox about(AboutBox::Kind::kAbout, strings);
  EXPECT_EQ(about.windowTitle(), "About Ordalis");
  EXPECT_TRUE(Label(about, "lblDescription").contains("ISO G-code"));
  EXPECT_EQ(Label(about, "LbLangue"), "English US");
  about.show();
  about.findChild<QPushButton*>("cmdOK")->click();
  EXPECT_FALSE(about.isVisible());
}

TEST(DecimalNotice, InformsOnlyWhenTheSystemDoesNotUseAPoint) {
  l10n::Strings strings;
  strings.setLanguage(l10n::kEnglish);
  test::ScriptedDesktopDialogs dialogs;
  EXPECT_FALSE(NoticeDecimalSeparator(".", strings, dialogs));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(NoticeDecimalSeparator(",", strings, dialogs));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].startsWith("Decimal point =  '.'\n\n"));
  EXPECT_TRUE(dialogs.messages[0].contains("','"));
  EXPECT_TRUE(NoticeDecimalSeparator("", strings, dialogs));  // unreadable counts as different
  EXPECT_TRUE(dialogs.messages[1].contains("unknown"));
}

TEST(AboutBox, Screenshots) {
  l10n::Strings strings;
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  const QString dir = QString(ORDALIS_SCREENSHOT_DIR) + "/";
  strings.setLanguage(l10n::kEnglish);
  AboutBox about(AboutBox::Kind::kAbout, strings);
  about.show();
  QApplication::processEvents();
  EXPECT_TRUE(about.grab().save(dir + "about_box.png"));
  strings.setLanguage(l10n::kFrench);
  AboutBox version(AboutBox::Kind::kVersion, strings);
  version.show();
  QApplication::processEvents();
  EXPECT_TRUE(version.grab().save(dir + "version_box_fr.png"));
}

}  // namespace
}  // namespace ordalis::ui
