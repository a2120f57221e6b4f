#pragma once
// The bit-selection dialog: a small window at a flag-set cell with one
// header cell and one check cell per item, OK and Cancel. Space, Backspace
// and a click toggle an item. The NMEA sentence set (header kind 4) takes
// one to four sentences and the logger's set (kind 5) at least one: other
// sets show the error marker on every check cell and disable OK. OK sends
// the flag word (item k in bit 26 - k) in decimal back to the cell like a
// popup choice; Cancel, Escape and the owner's closing (event 1) send
// nothing; closing the popups (event 24) sends only a set OK would accept
// that differs from the one the dialog opened with.
//
// Its sheet is built from markup the dialog writes into a private text
// table. Built with new; the dialog deletes itself once its window is gone
// and commits at most once.
#include <QPointer>
#include <QWidget>
#include <cstdint>

#include "core/cmcGTex.h"
#include "sheet/FBitsModel.h"
#include "sheet/FieldDialogFrame.h"
#include "sheet/cmcCellCapsule.h"

class QPushButton;
class cuiSheet;
struct cmcEvent;

class cuiFBitsR {
 public:
  cuiFBitsR(const cmcCellCapsule& owner, cmcGTex& texts, std::uint32_t flags, int firstItem,
            int lastItem, int headerKind, int number1, int number2, DialogHandlerFor handlerFor);
  ~cuiFBitsR();
  cuiFBitsR(const cuiFBitsR&) = delete;
  cuiFBitsR& operator=(const cuiFBitsR&) = delete;

  void Commit();
  void Cancel();

  // The dialog sheet's own cell handler.
  int HandleCell(cmcCellCapsule& capsule, int notify);

  // For tests and the window's own wiring.
  QWidget* Form() const { return form_; }
  cuiSheet* Sheet() const { return sheet_; }
  QPushButton* OkButton() const { return ok_; }
  const FBitsModel& Model() const { return model_; }
  int Number1() const { return number1_; }
  int Number2() const { return number2_; }

 private:
  void OnEvent(const cmcEvent& event);
  void Send(bool send);
  void Release();

  cmcCellCapsule parent_;
  DialogHandlerFor handlerFor_;
  FBitsModel model_;
  std::uint32_t initialFlags_;
  int number1_;
  int number2_;
  cmcGTex markup_;
  QPointer<QWidget> form_;
  cuiSheet* sheet_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool cancelled_ = false;
  bool committed_ = false;
  bool released_ = false;
};
