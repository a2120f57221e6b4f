#pragma once
// The digital-voice call-sign dialogs of one request: the "Call Sign
// Setting" selector on one call-sign field of a channel, and the "Repeater
// Setting" dialog on a whole channel record (which runs the selector for
// its access repeater and called station, and the "Repeater Select" form
// for RPT2).
//
// Each form is window-modal to its opener (the owner window, or the Repeater
// Setting form for the forms it opens), so help windows stay usable; when a
// form shows, the help windows are enabled again through the closure given.
// Forms run through RunModalForm (app/ModalRunner.h) and are released with
// deleteLater once their result is read. The decisions are those of
// DvCallSignPicker and DvRouteEditor; the caller's field or record changes
// only on OK, and the image never does (the caller stores).
//
// Placement: with left = top = -1 a form opens at the cell of the request
// like a popup choice list; else at (left, top), kept inside its monitor's
// work area.
#include <QStringList>
#include <functional>
#include <span>

#include "app/DocumentContext.h"
#include "cells/CellHost.h"
#include "model/DvRoute.h"

class QDialog;
class QPoint;
class QWidget;
class cmcCellCapsule;
class datCh;
class indEnviron;

class indDvSet {
 public:
  // `owner` (may be null), the document's parts and the settings must
  // outlive the object. With `exclusion` repeaters on frequencies the
  // destination refuses count as unusable.
  indDvSet(QWidget* owner, const DocumentContext& document, indEnviron& settings, bool exclusion,
           std::function<void()> enableHelpWindows = {});

  // The selector on a channel's call sign: kind 0 UR, 1 RPT1, 2 RPT2 (with
  // the channel's RPT1 as `second`). True when OK gave a new value (then in
  // `field`). Another kind is an internal failure.
  bool CallSignSettingDialog(const cmcCellCapsule* capsule, int kind, CallSignField& field,
                             const CallSignField* second, int left, int top);
  // The selector on a station name: kind 3 called station (reachable from
  // `accessName`), 4 access repeater. Another kind is an internal failure.
  bool CallSignSettingDialog(const cmcCellCapsule* capsule, int kind, RouteName& name,
                             const RouteName& accessName, int left, int top);
  // The Repeater Setting dialog on a channel whose route summary is filled
  // (GetDvRouteStatus). True when OK gave the channel a new record.
  bool RepeaterSettingDialog(const cmcCellCapsule* capsule, datCh& record, int left, int top);

 private:
  bool RunSelector(const cmcCellCapsule* capsule, int kind, std::span<char> value,
                   const CallSignField* second, const RouteName* accessName, int left, int top,
                   QWidget* opener);
  int RunRpt2Select(QWidget* opener, const QStringList& choices, int selected, const QPoint& at);
  void Place(QDialog& form, const cmcCellCapsule* capsule, int left, int top) const;

  QWidget* owner_;
  DocumentContext document_;
  indEnviron& settings_;
  bool exclusion_;
  std::function<void()> enableHelpWindows_;
};
