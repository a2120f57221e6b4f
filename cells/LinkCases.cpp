#include "cells/LinkCases.h"

#include <QColor>
#include <array>

#include "cells/CellCaseTable.h"
#include "cells/ChannelCaseKit.h"
#include "cells/ChoiceList.h"
#include "cells/NumberConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/ColorNames.h"
#include "core/cmcEvMan.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cuiCanvas.h"

namespace {

using namespace channelcase;

constexpr int kNameBytes = 16;

// The link's name; a change renames the link's tree node.
void LinkName(indActiveCell& ctx) {
  if (ctx.index < 0 || ctx.index >= layout::kLinks) return;
  cmcEeprom& image = ctx.Image();
  const std::int64_t at = layout::kLinkNames + static_cast<std::int64_t>(kNameBytes) * ctx.index;
  std::array<char, kNameBytes> name{};
  image.GetBlock(at, name.data(), kNameBytes);
  if (!EditNameField(ctx, name)) return;
  image.SetBlock(at, name.data(), kNameBytes);
  ctx.bus.Send(ev::GroupRenamed, 0, ctx.index);
}

// The position names a scan edge that is in use.
bool HoldsUsedEdge(const indActiveCell& ctx) {
  return ctx.record.IsUsed() &&
         ctx.record.linkEdge < static_cast<std::uint32_t>(layout::kScanEdges) &&
         (ctx.record.flags & datCh::kLinkEdgeUsed) != 0;
}

// The name of the position's edge. The name belongs to the scan edge, so
// the edge is stored (a link position itself keeps only its membership).
void EdgeNameFromLink(indActiveCell& ctx) {
  if (!HoldsUsedEdge(ctx)) {
    ctx.capsule.outputText.clear();
    return;
  }
  if (!EditNameField(ctx, ctx.record.name)) return;
  datCh edge(&ctx.Image());
  edge.Load(itemkind::kScanEdge, ctx.record.linkEdge);
  edge.name = ctx.record.name;
  edge.StoreSelf();
  ctx.LoadRecord(itemkind::kLinkPosition, static_cast<std::uint32_t>(ctx.index));
}

// One end of the position's edge, shown as the frequency cells show it;
// nothing can be typed here.
void EdgeEndFromLink(indActiveCell& ctx) {
  if (!HoldsUsedEdge(ctx)) return;
  cmcCellCapsule shown;
  std::uint32_t hz = ctx.cellId == CL_Pglink_Edge_A ? ctx.record.linkFreq2 : ctx.record.linkFreq1;
  int status = 0;
  EditFrequency(shown, hz, kLowestMHz, kHighestMHz, false, status);
  ctx.capsule.outputText = shown.outputText;
}

// The edge a link position holds. Only the first row of a link (its "Add"
// row, which starts empty) takes a choice: the chosen edge joins the link.
// The other rows show their edge olive and take no keys; an edge leaves a
// link through the row commands.
void LinkEdge(indActiveCell& ctx) {
  const bool addRow = ctx.index % layout::kLinkPositions == 0;
  cmcCellCapsule& c = ctx.capsule;
  if (!addRow) {
    if (c.canvas) {
      constexpr std::uint32_t kOlive = color::kOlive;
      c.canvas->SetFontColor(QColor(color::Red(kOlive), color::Green(kOlive), color::Blue(kOlive)));
    }
    if (c.operation >= 1 && c.operation <= 0x7E) c.operation = 0;
  } else if (c.operation == cellop::kSpace || c.operation == cellop::kBackspace) {
    c.operation = cellop::kEnter;
  }
  std::int32_t edge = addRow ? static_cast<std::int32_t>(datCh::kNoEdge)
                             : static_cast<std::int32_t>(ctx.record.linkEdge);
  if (!SelectChoice(ctx.Choices(), c, "GI_Sheet_Sel_Pg_Link", edge, ctx.status)) return;
  if (edge < 0 || edge >= layout::kScanEdges) return;
  ctx.record.linkEdge = static_cast<std::uint32_t>(edge);
  ctx.record.linkMember = 1;
  if (ctx.record.Store(itemkind::kLinkPosition, static_cast<std::uint32_t>(ctx.index)))
    ctx.redrawMask |= redraw::kAllData;
}

}  // namespace

void RegisterLinkCases(CellCaseTable& table) {
  table.Register(CL_PgLink_Name, LinkName);
  table.Register(CL_PgLink_No, LinkEdge);
  table.Register(CL_Pglink_ScanName, EdgeNameFromLink);
  table.Register(CL_Pglink_Edge_A, EdgeEndFromLink);
  table.Register(CL_Pglink_Edge_B, EdgeEndFromLink);
}
