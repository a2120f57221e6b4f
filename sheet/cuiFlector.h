#pragma once
// The popup choice list: a frameless popup window at a choice cell showing
// the list's own sheet read-only, on the option of the cell's value. Keys and
// the mouse move over the options; Enter or a click sends the opening request
// back to the opening cell's handler, linked to a capsule whose cell is the
// chosen option (mode 2), and closes the popup.
//
// The window is a child of the opening cell's grid, so it can never outlive
// it. It closes without a request on Escape, on a click outside or a loss of
// activation, when the opening sheet goes (event 1 naming its grid or the
// control the sheet sits on) and when the popups are closed (event 24). Once
// closing, it sends nothing.
//
// Built with new; it deletes itself once its window is gone. Nothing frees it
// or its sheet inside their own handlers: Release() closes the window and
// leaves the freeing to the event loop.
#include <QPointer>
#include <string>

#include "sheet/FieldDialogFrame.h"
#include "sheet/cmcCellCapsule.h"

class QWidget;
class cmcGTex;
class cuiSheet;
struct cmcEvent;

class cuiFlector {
 public:
  // owner: the opening request (its owner control is the grid of the cell);
  // key: the list ("GI_Sheet_Sel_..."); listId: the cell id of its options;
  // value: the cell's current value. The text table must outlive the popup.
  cuiFlector(const cmcCellCapsule& owner, cmcGTex& texts, std::string key, int listId, int value,
             DialogHandlerFor handlerFor);
  ~cuiFlector();
  cuiFlector(const cuiFlector&) = delete;
  cuiFlector& operator=(const cuiFlector&) = delete;

  // Closes the popup without a request; the window and the sheet are freed
  // by the event loop. Further calls do nothing.
  void Release();

  QWidget* Window() const { return window_; }
  cuiSheet* Sheet() const { return sheet_; }
  bool Released() const { return released_; }
  const std::string& Key() const { return key_; }

 private:
  int HandleCell(cmcCellCapsule& capsule, int notify);
  void OnEvent(const cmcEvent& event);
  void Place();

  cmcCellCapsule parent_;     // the opening request
  QPointer<QWidget> grid_;    // the opening cell's grid (the window's parent)
  const void* gridId_;        // the same, compared only
  const void* ownerControl_;  // the control the opening sheet sits on (compared only)
  cmcGTex& texts_;
  std::string key_;
  int listId_;
  DialogHandlerFor handlerFor_;
  QPointer<QWidget> window_;
  cuiSheet* sheet_ = nullptr;
  bool released_ = false;
};
