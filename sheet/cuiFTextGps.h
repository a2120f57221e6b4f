#pragma once
// The GPS field dialog: a small window at a GPS date, time or position cell
// with one masked field (GpsFieldModel), OK and Cancel. OK is enabled only
// while the field holds a valid value; it sends the value back to the cell
// in the fixed form (dates "yyyy/mm/dd", times with ":", positions as
// " dd\xB0mm.hh'N"). Cancel, Escape and the closing of the owner window
// (event 1) send nothing; closing the popups (event 24) sends the value only
// when it is valid and was changed.
//
// Built with new; the dialog deletes itself once its window is gone. It
// commits at most once.
#include <QPointer>
#include <QWidget>
#include <string>
#include <string_view>

#include "sheet/FieldDialogFrame.h"
#include "sheet/GpsFieldModel.h"
#include "sheet/cmcCellCapsule.h"

class MaskedLineEdit;
class QPushButton;
class cmcGTex;
struct cmcEvent;

class cuiFTextGps {
 public:
  cuiFTextGps(const cmcCellCapsule& owner, std::string_view initialText, int fieldKind,
              cmcGTex& texts, DialogHandlerFor handlerFor);
  ~cuiFTextGps();
  cuiFTextGps(const cuiFTextGps&) = delete;
  cuiFTextGps& operator=(const cuiFTextGps&) = delete;

  // OK (also Enter while OK is enabled).
  void Commit();
  // Cancel, Escape, the owner's closing.
  void Cancel();

  // For tests and the window's own wiring.
  QWidget* Form() const { return form_; }
  MaskedLineEdit* Edit() const { return edit_; }
  QPushButton* OkButton() const { return ok_; }
  const GpsFieldModel& Model() const { return model_; }

 private:
  void OnEvent(const cmcEvent& event);
  void Changed();
  void Send(const std::optional<std::string>& text);
  void Release();

  cmcCellCapsule parent_;
  DialogHandlerFor handlerFor_;
  GpsFieldModel model_;
  QPointer<QWidget> form_;
  MaskedLineEdit* edit_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool cancelled_ = false;
  bool committed_ = false;
  bool released_ = false;
};
