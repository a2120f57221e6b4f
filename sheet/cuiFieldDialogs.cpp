#include "sheet/cuiFieldDialogs.h"

#include "sheet/cuiFBitsR.h"
#include "sheet/cuiFTextGps.h"
#include "sheet/cuiFlector.h"

cuiFieldDialogs::cuiFieldDialogs(cmcGTex& texts, DialogHandlerFor handlerFor)
    : texts_(texts),
      handlerFor_(handlerFor ? std::move(handlerFor)
                             : DialogHandlerFor(&fielddialog::SheetOrDefaultHandler)) {}

void cuiFieldDialogs::OpenBits(const cmcCellCapsule& owner, std::uint32_t flags, int firstItem,
                               int lastItem, int headerKind, int number1, int number2) {
  new cuiFBitsR(owner, texts_, flags, firstItem, lastItem, headerKind, number1, number2,
                handlerFor_);
}

void cuiFieldDialogs::OpenGpsField(const cmcCellCapsule& owner, std::string_view text,
                                   int fieldKind) {
  new cuiFTextGps(owner, text, fieldKind, texts_, handlerFor_);
}

bool cuiFieldDialogs::OpenChoiceList(const cmcCellCapsule& owner, std::string_view key, int listId,
                                     int value) {
  if (!owner.owner) return false;
  new cuiFlector(owner, texts_, std::string(key), listId, value, handlerFor_);
  return true;
}
