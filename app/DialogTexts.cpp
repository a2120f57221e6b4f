#include "app/DialogTexts.h"

#include <QFontMetrics>
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

}  // namespace dialogtext
