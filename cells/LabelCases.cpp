#include "cells/LabelCases.h"

#include <QColor>
#include <string>
#include <string_view>

#include "cells/CellCaseTable.h"
#include "cells/CellHost.h"
#include "cells/EditorProtocol.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/cmcGTex.h"
#include "model/LayoutLists.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cuiCanvas.h"

namespace {

constexpr int kPillarGrey = 0x80;

// The format with its first "%s" replaced by the text and "%%" read as "%";
// nothing else of the format is interpreted.
std::string FillText(std::string_view format, std::string_view text) {
  std::string out;
  bool filled = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (format[i + 1] == 's' && !filled) {
        out += text;
        filled = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

void Show(indActiveCell& ctx, std::string text) { ctx.capsule.outputText = std::move(text); }

std::string TwoDigits(std::int64_t n) { return editor::ZeroPadded(n, 2); }

void ZeroBased(indActiveCell& ctx) { Show(ctx, std::to_string(ctx.index)); }
void OneBased(indActiveCell& ctx) {
  Show(ctx, std::to_string(static_cast<std::int64_t>(ctx.index) + 1));
}

void BankLetter(indActiveCell& ctx) {
  Show(ctx, std::string(1, static_cast<char>('A' + ctx.index)));
}

void PairInfo(indActiveCell& ctx) {
  const std::string n = TwoDigits(ctx.index);
  Show(ctx, " P" + n + " (" + n + "A-" + n + "B)");
}

// The lower 3/10 of the cell in dark grey: the pillar that separates
// column groups. It has no text.
void QuarterPillar(indActiveCell& ctx) {
  const QRect& r = ctx.capsule.cellRect;
  if (!ctx.capsule.canvas || r.isNull()) return;
  const int bottom = r.top() + r.height();  // the first row below the cell
  const int top = bottom - 3 * r.height() / 10;
  cuiCanvas& canvas = *ctx.capsule.canvas;
  const QColor brush = canvas.BrushColor();
  canvas.SetBrushColor(QColor(kPillarGrey, kPillarGrey, kPillarGrey));
  canvas.FillRect(QRect(r.left(), top, r.width(), bottom - top));
  canvas.SetBrushColor(brush);
}

void LinkPosition(indActiveCell& ctx) {
  Show(ctx, std::to_string(ctx.index % layout::kLinkPositions));
}

void EdgeLabel(indActiveCell& ctx) { Show(ctx, EdgeLabelText(ctx.index)); }

void GroupNumber(indActiveCell& ctx) { Show(ctx, TwoDigits(ctx.index)); }

void TopVersion(indActiveCell& ctx) {
  Show(ctx, FillText(ctx.texts.GetText("GI_Sys_TopPage", 0), ctx.host.VersionText()));
}

void TopCopyright(indActiveCell& ctx) {
  Show(ctx, FillText(ctx.texts.GetText("GI_Sys_TopPage", 1), ctx.host.YearsText()));
}

}  // namespace

std::string EdgeLabelText(int n) { return TwoDigits(n / 2) + (n % 2 == 0 ? 'A' : 'B'); }

void RegisterLabelCases(CellCaseTable& table) {
  table.Register(CL_Misc_ChNo_0Base, ZeroBased);
  table.Register(CL_Misc_ChNo_1Base, OneBased);
  table.Register(CL_Misc_BankNm, BankLetter);
  table.Register(CL_Misc_ChInfo_No, PairInfo);
  table.Register(CL_Misc_QuarterPillar, QuarterPillar);
  table.Register(CL_Misc_QuarterPillarSpecial, QuarterPillar);
  table.Register(CL_Misc_ChNo_PLink, LinkPosition);
  table.Register(CL_Misc_ChNo_Edge, EdgeLabel);
  table.Register(CL_Misc_GroupNm, GroupNumber);
  table.Register(CL_Top_Version, TopVersion);
  table.Register(CL_Top_Copyright, TopCopyright);
}
