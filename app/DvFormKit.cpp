#include "app/DvFormKit.h"

#include <QDialog>
#include <QWidget>

#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "sheet/FieldDialogFrame.h"

namespace dvform {

QString TableText(cmcGTex& texts, std::string_view key, int n) {
  return ToDisplayText(texts.GetText(key, n));
}

void SetUpForm(QDialog& form, const char* objectName, cmcGTex& texts, std::string_view captionKey,
               int n) {
  form.setObjectName(QLatin1String(objectName));
  form.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  form.setFont(fielddialog::DialogFont(texts));
  form.setWindowTitle(TableText(texts, captionKey, n));
}

void SetBackground(QWidget* widget, QPalette::ColorRole role) {
  QPalette p = widget->palette();
  const QColor color = QPalette().color(QPalette::Active, role);
  for (const QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    p.setColor(group, QPalette::Base, color);
  widget->setPalette(p);
}

}  // namespace dvform
