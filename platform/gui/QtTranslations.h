#pragma once
// Qt's own texts in the system's language: the standard buttons of message
// boxes ("Yes", "No", "Cancel") and the file dialog. The program's texts come
// from its text tables and follow the interface-language setting; Qt's follow
// only the system, as a system's own boxes do. The translations are Qt's
// (Debian's qt6-translations-l10n) from Qt's translations folder; for a
// language Qt has none of, Qt's own English stays.
#include <QLocale>
#include <QTranslator>

namespace platform {

class QtTranslations {
 public:
  // Installs the translation of `locale` into the running application; it is
  // removed again when the object goes. An application must exist.
  explicit QtTranslations(const QLocale& locale = QLocale::system());
  ~QtTranslations();
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;

  // A translation was found and installed.
  bool Installed() const { return installed_; }

 private:
  QTranslator translator_;
  bool installed_ = false;
};

}  // namespace platform
