#include "cells/ListCellKit.h"

#include <QColor>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "cells/CellHost.h"
#include "cells/ChoiceFields.h"
#include "cells/ChoiceList.h"
#include "cells/EditorProtocol.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "core/AppMessageBox.h"
#include "core/ColorNames.h"
#include "core/EventIds.h"
#include "core/NumberText.h"
#include "core/TextFields.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
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

// The position-format byte of the common settings (0 hundredths of a
// minute, else seconds).
constexpr std::int64_t kPositionFormat = 0x58;

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
                                        ctx.common.Get8(kPositionFormat));
}

void Grey(indActiveCell& ctx) {
  if (!ctx.capsule.canvas) return;
  ctx.capsule.canvas->SetFontColor(
      QColor(color::Red(kLightGrey), color::Green(kLightGrey), color::Blue(kLightGrey)));
}

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

void EditChoiceByte(indActiveCell& ctx) {
  const choicefield::ChoiceField* field = choicefield::FindChoiceField(ctx.cellId);
  if (!field || choicefield::ChoiceByteOffset(*field, ctx.index) < 0) return;
  cmcEeprom& image = ctx.Image();
  auto value = static_cast<std::int32_t>(choicefield::ReadChoiceValue(image, *field, ctx.index));
  if (SelectChoice(ctx.Choices(), ctx.capsule, field->list, value, ctx.status) != 0)
    choicefield::WriteChoiceValue(image, *field, ctx.index, static_cast<std::uint32_t>(value));
}

void EditFixedBlock(indActiveCell& ctx, const FixedBlockTable& table, BlockEditor edit) {
  if (ctx.index < 0 || ctx.index >= table.count) return;
  cmcEeprom& image = ctx.Image();
  const std::int64_t address = table.address(ctx.index);
  std::vector<std::uint8_t> block(static_cast<std::size_t>(table.size));
  image.GetBlock(address, block.data(), table.size);
  if (edit(ctx, block) != 0) image.SetBlock(address, block.data(), table.size);
}

std::string FieldText(std::span<const char> field) {
  return std::string(field.data(), field.size());
}

void SetField(std::span<char> field, const std::string& text) {
  std::fill(field.begin(), field.end(), ' ');
  std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
}

}  // namespace listcells
