// The configuration dialog's language names and the start-up decimal-separator notice.
#include <gtest/gtest.h>

#include "core/l10n/decimal_separator.h"
#include "core/l10n/language_choice.h"
#include "core/l10n/strings.h"

namespace ordalis::l10n {
namespace {

TEST(LanguageChoice, TheDialogsNamesMapBothWays) {
  const auto offered = OfferedLanguages();
  ASSERT_EQ(offered.size(), 4u);
  EXPECT_EQ(offered[0].name,
            "Fran\xE7"
            "ais");
  EXPECT_EQ(offered[3].name, "Debug Menu");
  struct Case {
    std::string_view name;
    int id;
  };
  for (const Case& c : {Case{"Fran\xE7"
                             "ais",
                             1036},
                        Case{"English US", 1033}, Case{"Italiano IT", 1040},
                        Case{"Debug Menu", 1096}, Case{"German", 1031}}) {
    EXPECT_EQ(LanguageIdOfName(c.name), c.id) << c.name;
    EXPECT_EQ(LanguageNameOf(c.id), c.name) << c.id;
  }
  EXPECT_EQ(LanguageIdOfName("english us"), -1);
  EXPECT_EQ(LanguageIdOfName(""), -1);
  EXPECT_EQ(LanguageNameOf(1024), "");
}

TEST(DecimalSeparator, ReadsALocaleWithoutTouchingTheProgramsOwn) {
  EXPECT_EQ(LocaleDecimalSeparator("C"), ".");
  EXPECT_EQ(LocaleDecimalSeparator("no_such_locale.XYZ"), "");
  EXPECT_FALSE(DecimalSeparatorNeedsNotice("."));
  EXPECT_TRUE(DecimalSeparatorNeedsNotice(","));
  EXPECT_TRUE(DecimalSeparatorNeedsNotice(""));  // unreadable counts as different
}

TEST(DecimalSeparator, TheNoticeKeepsTheAuthorsLineInEveryLanguageAndOnlyInforms) {
  Strings strings;
  strings.setLanguage(kEnglish);
  const std::string english = DecimalSeparatorNotice(strings, ",");
  EXPECT_EQ(english.rfind("Decimal point =  '.'\n\n", 0), 0u) << english;
  EXPECT_NE(english.find("Decimal separator of the system: ','"), std::string::npos);
  EXPECT_NE(english.find("nothing needs to change"), std::string::npos);

  strings.setLanguage(kFrench);
  const std::string french = DecimalSeparatorNotice(strings, "");
  EXPECT_EQ(french.rfind("Decimal point =  '.'", 0), 0u);
  EXPECT_NE(french.find("S\xE9parateur d\xE9"
                        "cimal du syst\xE8me : inconnu"),
            std::string::npos);

  strings.setLanguage(kDebug);
  EXPECT_EQ(DecimalSeparatorNotice(strings, ","), "Decimal point =  '.'\n\n9031 ','\n9032");
}

}  // namespace
}  // namespace ordalis::l10n
