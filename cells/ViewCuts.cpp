#include "cells/ViewCuts.h"

#include "cells/indActiveCell.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/indEnviron.h"
#include "sheet/ColWidthStore.h"

namespace viewcut {

bool Shown(const indEnviron& settings, int bit) {
  return bit >= 0 && bit < kGroupCount && (settings.ViewCutBits & (1 << bit)) != 0;
}

void Toggle(indActiveCell& ctx, int bit) {
  if (bit < 0 || bit >= kGroupCount) return;
  ctx.bus.Send(ev::EndCellEditing, 0, 0);
  ColWidthStore(ctx.settings, ctx.texts).SetColumnGroup(bit, !Shown(ctx.settings, bit));
  ctx.bus.Post(ev::ReopenSheet, 1, 0);
}

}  // namespace viewcut
