#pragma once
// The system's regional settings that the program reads: the language id of
// the system (primary language in the low 10 bits, Japanese = 0x11), the short
// date format and separators, the decimal character and the list separator.
// Read once from the system locale; tests install their own.
#include <cstdint>
#include <string>

class QLocale;

namespace platform {

struct LocaleInfo {
  std::uint16_t languageId = 0x0409;  // primary | (sublanguage << 10)
  std::string shortDateFormat = "M/d/yyyy";
  char dateSeparator = '/';
  char timeSeparator = ':';
  char decimal = '.';
  char listSeparator = ',';

  bool IsJapanese() const { return (languageId & 0x3FF) == 0x11; }

  // Pure: derives every field from a Qt locale. Qt has no list separator:
  // ";" where the decimal is ",", else ",".
  static LocaleInfo FromQLocale(const QLocale& locale);
};

// The locale in force: QLocale::system() read once, unless a test installed one.
const LocaleInfo& CurrentLocaleInfo();

class ScopedLocaleInfo {
 public:
  explicit ScopedLocaleInfo(const LocaleInfo& info);
  ~ScopedLocaleInfo();
  ScopedLocaleInfo(const ScopedLocaleInfo&) = delete;
  ScopedLocaleInfo& operator=(const ScopedLocaleInfo&) = delete;

 private:
  const LocaleInfo* previous_;
  LocaleInfo info_;
};

}  // namespace platform
