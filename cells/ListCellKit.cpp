#include "cells/ListCellKit.h"

#include <QColor>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "cells/CellHost.h"
#include "cells/ChoiceFields.h"
#include "cells/ChoiceList.h"
#include "cells/CommonSettings.h"
#include "cells/EditorProtocol.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "core/AppMessageBox.h"
#include "core/ColorNames.h"
#include "core/EventIds.h"
#include "core/NumberText.h"
#include "core/TextFields.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "model/ItemKinds.h"
#include "model/LayoutFixedAreas.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "platform/MessageBoxService.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cuiCanvas.h"

namespace listcells {

namespace {

constexpr char kNewEntryTitle[] = "GI_NewChTitle";
constexpr char kListFull[] = "GI_AppMess_MemoryErr_Overflow";
constexpr char kAppTitle[] = "GI_Sys_AppTitle";

constexpr std::uint32_t kLightGrey = 0xC0C0C0;

// The sheet shows a list: a range whose last index follows from its first
// index and count (an empty list included). No answer of the sheet gives
// the all-zero range, which is none.
bool ShowsList(const ListRange& range) {
  return range.count >= 0 && range.last == range.first + range.count - 1;
}

bool IsFull(const indActiveCell& ctx, cmcEeprom& image) {
  switch (ctx.kind) {
    case itemkind::kGpsMemory: return GpsOrderRemain(image) <= 0;
    case itemkind::kRepeater: return GetRptTotalCount(image) >= layout::kRptCapacity;
    case itemkind::kYourCall: return GetYourCallCount(image) >= layout::kUrCapacity;
    default: return true;
  }
}

void ShowListFull(indActiveCell& ctx) {
  ctx.bus.Post(ev::SheetFlag, 0, 1);
  MessageBoxCp932(ctx.capsule.owner, ctx.texts.GetFirst(kListFull), ctx.texts.GetFirst(kAppTitle),
                  platform::mb::Ok | platform::mb::IconError);
  ctx.bus.Post(ev::SheetFlag, 0, 0);
}

bool Append(indActiveCell& ctx, cmcEeprom& image, int at) {
  switch (ctx.kind) {
    case itemkind::kGpsMemory: return GpsMemInsertNotify(image, ctx.bus, ctx.range.group, at);
    case itemkind::kRepeater: return RptListInsertNotify(image, ctx.bus, ctx.range.group, at);
    case itemkind::kYourCall: return UrListInsertNotify(image, ctx.bus, at);
    default: return false;
  }
}

}  // namespace

ConverterContext ConvertersFor(const indActiveCell& ctx) {
  return ConverterContext::FromSettings(ctx.settings, ctx.host.DateOrder(),
                                        commonset::PositionFormat(ctx.common));
}

namespace {

void DrawTextIn(indActiveCell& ctx, std::uint32_t rgb) {
  if (!ctx.capsule.canvas) return;
  ctx.capsule.canvas->SetFontColor(QColor(color::Red(rgb), color::Green(rgb), color::Blue(rgb)));
}

}  // namespace

void Grey(indActiveCell& ctx) { DrawTextIn(ctx, kLightGrey); }

void Olive(indActiveCell& ctx) { DrawTextIn(ctx, color::kOlive); }

bool IsNewEntryRow(const indActiveCell& ctx) {
  return ShowsList(ctx.range) && ctx.index == ctx.range.first + ctx.range.count;
}

void ShowListRowNumber(indActiveCell& ctx, std::int64_t number) {
  ctx.capsule.outputText = IsNewEntryRow(ctx) ? ctx.texts.GetFirst(kNewEntryTitle)
                                              : core::WriteFixedPoint(number, 0, '.');
}

bool NameConverterActsOn(const ConverterContext& converters, const indActiveCell& ctx) {
  const std::int32_t key = TextKey(converters, ctx.capsule);
  if (key == cellop::kEnter) return true;
  const char typed = editor::TypedChar(key);
  return typed >= 0x20 && typed <= 0x7E;
}

bool CallSignConverterActsOn(const ConverterContext& converters, const indActiveCell& ctx) {
  const std::int32_t key = TextKey(converters, ctx.capsule);
  if (key == cellop::kEnter) return true;
  const char typed = editor::TypedChar(key);
  return typed == '/' || editor::IsDigit(typed) || (typed >= 'A' && typed <= 'Z') ||
         (typed >= 'a' && typed <= 'z');
}

bool InsertEntry(indActiveCell& ctx) {
  if (!IsNewEntryRow(ctx)) return false;
  cmcEeprom& image = ctx.Image();
  if (IsFull(ctx, image)) {
    ShowListFull(ctx);
    return false;
  }
  const int at = ctx.range.first + ctx.range.count;
  if (!Append(ctx, image, at)) return false;
  ctx.LoadRecord(ctx.kind, static_cast<std::uint32_t>(at));
  ctx.record.flags &= ~datCh::kUsed;
  return true;
}

bool EditFixedName(indActiveCell& ctx, const ConverterContext& converters, std::int64_t address,
                   int length) {
  cmcEeprom& image = ctx.Image();
  std::string field(static_cast<std::size_t>(length), ' ');
  image.GetBlock(address, field.data(), length);
  std::string name = field;
  if (EditNameText(converters, ctx.capsule, name, length, ctx.status) == 0) return false;
  SetField(field, name);
  image.SetBlock(address, field.data(), length);
  return true;
}

void EditNodeName(indActiveCell& ctx, std::int64_t firstName, int entry, int count, int page,
                  NodeLabel label, int labelEntry) {
  if (entry < 0 || entry >= count) return;
  const std::int64_t address =
      firstName + static_cast<std::int64_t>(entry) * layout::kGroupNameSize;
  if (!EditFixedName(ctx, ConvertersFor(ctx), address, layout::kGroupNameSize)) return;
  ctx.bus.PostStr(ev::RenameTreeNode, 0, page, label(ctx.Image(), labelEntry, false));
}

bool EditChoiceByte(indActiveCell& ctx) {
  const choicefield::SelectorContext selector{IsJapaneseUi(ctx.settings),
                                              static_cast<int>(ctx.settings.EtcData.destination)};
  const choicefield::ChoiceField* field = choicefield::FindRowAt(ctx.cellId, ctx.index, selector);
  if (!field) return false;
  const char* list = choicefield::ChoiceListOf(*field, ctx.index, ctx.common, selector);
  if (!list) return false;
  cmcEeprom& image = ctx.Image();
  auto value = static_cast<std::int32_t>(choicefield::ReadChoiceValue(image, *field, ctx.index));
  if (SelectChoice(ctx.Choices(), ctx.capsule, list, value, ctx.status) == 0) return false;
  return choicefield::WriteChoiceValue(image, *field, ctx.index, static_cast<std::uint32_t>(value));
}

bool EditImageBlock(indActiveCell& ctx, std::int64_t address, int size, const BlockEditor& edit) {
  cmcEeprom& image = ctx.Image();
  std::vector<std::uint8_t> block(static_cast<std::size_t>(size));
  image.GetBlock(address, block.data(), size);
  if (edit(ctx, block) == 0) return false;
  image.SetBlock(address, block.data(), size);
  return true;
}

void EditFixedBlock(indActiveCell& ctx, const FixedBlockTable& table, const BlockEditor& edit) {
  if (ctx.index < 0 || ctx.index >= table.count) return;
  EditImageBlock(ctx, table.address(ctx.index), table.size, edit);
}

std::string FieldText(std::span<const char> field) {
  return std::string(field.data(), field.size());
}

void SetField(std::span<char> field, const std::string& text) {
  std::fill(field.begin(), field.end(), ' ');
  std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
}

}  // namespace listcells
