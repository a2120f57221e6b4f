#pragma once
// Where the program registers its cell handler: sheets built without a
// handler of their own, menus and the tool bar call the one registered
// here. `sheet/` knows only this slot; the program fills it at start-up.
//
// Asking for it while none is registered is an internal failure (a sheet
// without behaviour would silently show nothing): a fixed message and exit
// code 3.
#include "sheet/cmcCellCapsule.h"

// Replaces the registered handler; an empty closure removes it.
void SetDefaultCellHandler(CellHandler handler);
bool HasDefaultCellHandler();
// The registered handler; fatal when none is.
const CellHandler& DefaultCellHandler();

// Registers a handler for the object's lifetime and brings the previous one
// back afterwards (tests, and the program's start-up).
class ScopedDefaultCellHandler {
 public:
  explicit ScopedDefaultCellHandler(CellHandler handler);
  ~ScopedDefaultCellHandler();
  ScopedDefaultCellHandler(const ScopedDefaultCellHandler&) = delete;
  ScopedDefaultCellHandler& operator=(const ScopedDefaultCellHandler&) = delete;

 private:
  CellHandler previous_;
};
