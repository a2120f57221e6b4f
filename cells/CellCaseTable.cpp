#include "cells/CellCaseTable.h"

#include <QString>
#include <utility>

#include "platform/Fatal.h"

void CellCaseTable::Register(std::int32_t id, CellCase cellCase) {
  if (id < 0 || id >= kSlots)
    platform::Fatal(QStringLiteral("Cell case outside the cell ids: %1.").arg(id));
  if (!cellCase) platform::Fatal(QStringLiteral("Empty cell case for cell id %1.").arg(id));
  if (slots_[static_cast<std::size_t>(id)])
    platform::Fatal(QStringLiteral("Cell case registered twice: cell id %1.").arg(id));
  slots_[static_cast<std::size_t>(id)] = std::move(cellCase);
}

const CellCase* CellCaseTable::Find(std::int32_t id) const {
  if (id < 0 || id >= kSlots) return nullptr;
  const CellCase& slot = slots_[static_cast<std::size_t>(id)];
  return slot ? &slot : nullptr;
}
