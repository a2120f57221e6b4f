#include "platform/gui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace platform {

QtTranslations::QtTranslations(const QLocale& locale) {
  // "qt_<language>" gathers the catalogues of every Qt module.
  if (translator_.load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installed_ = QCoreApplication::installTranslator(&translator_);
}

QtTranslations::~QtTranslations() {
  if (installed_) QCoreApplication::removeTranslator(&translator_);
}

}  // namespace platform
