// kw-test: label=locale
#include "platform/LocaleInfo.h"

#include <gtest/gtest.h>

#include <QLocale>

TEST(LocaleInfoTest, SeparatorsAndLanguageFromAQtLocale) {
  struct Case {
    const char* name;
    char decimal;
    char list;
    bool japanese;
    std::uint16_t primary;
  };
  const Case cases[] = {
      {"de_DE", ',', ';', false, 0x07},
      {"en_US", '.', ',', false, 0x09},
      {"ja_JP", '.', ',', true, 0x11},
      {"fr_FR", ',', ';', false, 0x0C},
  };
  for (const Case& c : cases) {
    const auto info = platform::LocaleInfo::FromQLocale(QLocale(QString::fromLatin1(c.name)));
    EXPECT_EQ(info.decimal, c.decimal) << c.name;
    EXPECT_EQ(info.listSeparator, c.list) << c.name;
    EXPECT_EQ(info.IsJapanese(), c.japanese) << c.name;
    EXPECT_EQ(info.languageId & 0x3FF, c.primary) << c.name;
  }
  const auto de = platform::LocaleInfo::FromQLocale(QLocale(QStringLiteral("de_DE")));
  EXPECT_EQ(de.dateSeparator, '.');
  EXPECT_EQ(de.timeSeparator, ':');
}

// Whatever the process locale is, the one read from the system stays put
// while a test installs its own.
TEST(LocaleInfoTest, ScopedOverrideAndTheSystemValue) {
  const platform::LocaleInfo system = platform::CurrentLocaleInfo();
  EXPECT_EQ(system.decimal, platform::LocaleInfo::FromQLocale(QLocale::system()).decimal);
  {
    platform::LocaleInfo japanese;
    japanese.languageId = 0x0411;
    platform::ScopedLocaleInfo scope(japanese);
    EXPECT_TRUE(platform::CurrentLocaleInfo().IsJapanese());
  }
  EXPECT_EQ(platform::CurrentLocaleInfo().languageId, system.languageId);
}
