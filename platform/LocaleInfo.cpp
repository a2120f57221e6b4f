#include "platform/LocaleInfo.h"

#include <QLocale>
#include <QString>

namespace platform {
namespace {

// Primary language ids of the languages Qt reports (the rest count as English).
std::uint16_t PrimaryLanguageId(QLocale::Language language) {
  switch (language) {
    case QLocale::Japanese: return 0x11;
    case QLocale::English: return 0x09;
    case QLocale::German: return 0x07;
    case QLocale::French: return 0x0C;
    case QLocale::Spanish: return 0x0A;
    case QLocale::Italian: return 0x10;
    case QLocale::Dutch: return 0x13;
    case QLocale::Portuguese: return 0x16;
    case QLocale::Russian: return 0x19;
    case QLocale::Polish: return 0x15;
    case QLocale::Swedish: return 0x1D;
    case QLocale::Chinese: return 0x04;
    case QLocale::Korean: return 0x12;
    default: return 0x09;
  }
}

char FirstSeparator(const QString& format, char fallback) {
  for (QChar c : format) {
    if (!c.isLetter() && c.unicode() < 0x80 && c != QLatin1Char(' ') && c != QLatin1Char('\''))
      return static_cast<char>(c.unicode());
  }
  return fallback;
}

char AsciiOr(const QString& s, char fallback) {
  if (s.size() == 1 && s.at(0).unicode() < 0x80) return static_cast<char>(s.at(0).unicode());
  return fallback;
}

const LocaleInfo* g_override = nullptr;

}  // namespace

LocaleInfo LocaleInfo::FromQLocale(const QLocale& locale) {
  LocaleInfo info;
  info.languageId = static_cast<std::uint16_t>(PrimaryLanguageId(locale.language()) | (1u << 10));
  const QString date = locale.dateFormat(QLocale::ShortFormat);
  info.shortDateFormat = date.toStdString();
  info.dateSeparator = FirstSeparator(date, '/');
  info.timeSeparator = FirstSeparator(locale.timeFormat(QLocale::ShortFormat), ':');
  info.decimal = AsciiOr(locale.decimalPoint(), '.');
  info.listSeparator = info.decimal == ',' ? ';' : ',';
  return info;
}

const LocaleInfo& CurrentLocaleInfo() {
  if (g_override) return *g_override;
  static const LocaleInfo system = LocaleInfo::FromQLocale(QLocale::system());
  return system;
}

ScopedLocaleInfo::ScopedLocaleInfo(const LocaleInfo& info) : previous_(g_override), info_(info) {
  g_override = &info_;
}

ScopedLocaleInfo::~ScopedLocaleInfo() { g_override = previous_; }

}  // namespace platform
