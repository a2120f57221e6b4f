#pragma once
// The field-dialog opener of the program: converters ask it (through
// FieldDialogOpener) and it builds the bit-selection dialog (cuiFBitsR) or
// the GPS field dialog (cuiFTextGps) at the cell, and the popup lists of
// choice cells (cuiFlector). The dialogs answer through
// the opening sheet's cell handler, or the registered default handler for a
// request without a sheet; they live on their own and delete themselves.
//
// The program installs one at start-up (InstallFieldDialogOpener) with the
// interface text table.
#include "sheet/FieldDialogFrame.h"
#include "sheet/FieldDialogOpener.h"

class cmcGTex;

class cuiFieldDialogs final : public FieldDialogOpener {
 public:
  // The text table must outlive the opener and its dialogs. Without a
  // resolver the sheet's or the default handler answers.
  explicit cuiFieldDialogs(cmcGTex& texts, DialogHandlerFor handlerFor = {});

  void OpenBits(const cmcCellCapsule& owner, std::uint32_t flags, int firstItem, int lastItem,
                int headerKind, int number1, int number2) override;
  void OpenGpsField(const cmcCellCapsule& owner, std::string_view text, int fieldKind) override;
  // The popup list (cuiFlector) at the cell; it needs the cell's grid.
  bool OpenChoiceList(const cmcCellCapsule& owner, std::string_view key, int listId,
                      int value) override;

 private:
  cmcGTex& texts_;
  DialogHandlerFor handlerFor_;
};
