#include "app/DialogTexts.h"

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

}  // namespace dialogtext
