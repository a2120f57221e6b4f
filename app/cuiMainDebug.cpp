// The main controller's debug windows and the compare snapshot they use.
#include "app/cuiDebugWin.h"
#include "app/cuiEeDebugWin.h"
#include "app/cuiMain.h"
#include "model/cmcEeprom.h"

void cuiMain::TakeCurrentSnapshot() { *compare_ = *image_; }

void cuiMain::OpenTraceWindow() {
  if (!form_) return;
  if (!traceWindow_) traceWindow_ = new cuiDebugWin(form_);
  traceWindow_->raise();
  traceWindow_->activateWindow();
}

void cuiMain::OpenImageWindow() {
  if (!form_) return;
  if (!imageWindow_) imageWindow_ = new cuiEeDebugWin(form_, texts_);
  imageWindow_->raise();
  imageWindow_->activateWindow();
}

cuiDebugWin* cuiMain::TraceWindow() const { return traceWindow_.data(); }

cuiEeDebugWin* cuiMain::ImageWindow() const { return imageWindow_.data(); }
