#include "app/DialogTexts.h"

#include <QDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>

#include "core/FontSpec.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "sheet/QtFontColor.h"

namespace dialogtext {

QString Caption(cmcGTex& texts, std::string_view key, int n) {
  return ToDisplayText(texts.GetText(key, n));
}

QFont FontOf(cmcGTex& texts, std::string_view key) {
  FontSpec spec = DefaultFontSpec();
  ParseFontSpec(texts.GetFirst(key), spec);
  return ToQFont(spec);
}

QSize ButtonSize(cmcGTex& texts, const QFont& font) {
  const QFontMetrics metrics(font);
  return {metrics.horizontalAdvance(Caption(texts, "GI_AppInd_Opt_ComSel_SizeOfButtons")),
          2 * metrics.height()};
}

void SizeButtons(cmcGTex& texts, const QFont& font, std::initializer_list<QPushButton*> buttons) {
  const QSize size = ButtonSize(texts, font);
  for (QPushButton* button : buttons) {
    button->setFont(font);
    button->setFixedSize(size);
  }
}

OkCancel MakeOkCancel(QDialog* dialog, cmcGTex& texts, std::string_view buttonsKey,
                      const QFont& font) {
  OkCancel made{new QPushButton(Caption(texts, buttonsKey, 0), dialog),
                new QPushButton(Caption(texts, buttonsKey, 1), dialog), new QHBoxLayout};
  SizeButtons(texts, font, {made.ok, made.cancel});
  made.ok->setDefault(true);
  QObject::connect(made.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  made.row->addStretch(1);
  made.row->addWidget(made.ok);
  made.row->addWidget(made.cancel);
  return made;
}

}  // namespace dialogtext
