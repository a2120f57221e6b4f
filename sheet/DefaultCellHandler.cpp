#include "sheet/DefaultCellHandler.h"

#include <utility>

#include "platform/Fatal.h"

namespace {

CellHandler& Slot() {
  static CellHandler handler;
  return handler;
}

}  // namespace

void SetDefaultCellHandler(CellHandler handler) { Slot() = std::move(handler); }

bool HasDefaultCellHandler() { return static_cast<bool>(Slot()); }

const CellHandler& DefaultCellHandler() {
  if (!Slot()) platform::Fatal(QStringLiteral("No cell handler is registered."));
  return Slot();
}

ScopedDefaultCellHandler::ScopedDefaultCellHandler(CellHandler handler)
    : previous_(std::exchange(Slot(), std::move(handler))) {}

ScopedDefaultCellHandler::~ScopedDefaultCellHandler() { Slot() = std::move(previous_); }
