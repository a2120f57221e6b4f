#include "cells/SettingCases.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "cells/BitSetConverters.h"
#include "cells/CellCaseTable.h"
#include "cells/ChoiceFields.h"
#include "cells/CodeConverters.h"
#include "cells/CommonSettings.h"
#include "cells/ListCellKit.h"
#include "cells/NumberConverters.h"
#include "cells/PositionConverters.h"
#include "cells/SettingHooks.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "core/TextTableChoice.h"
#include "core/indEnviron.h"
#include "sheet/cmcCellCapsule.h"

namespace {

using choicefield::ChoiceField;
using choicefield::GreyRule;
using choicefield::Shape;

constexpr int kFirstSettingId = 353;
constexpr int kLastSettingId = 577;

// What a comment may hold: its field, less the data extension's 7 bytes
// when one is sent and the altitude's 8 when it is sent.
constexpr int kExtensionBytes = 7;
constexpr int kAltitudeBytes = 8;
constexpr std::uint8_t kUnsetCharacter = 0xFF;  // a name's character never set: a blank

choicefield::SelectorContext SelectorFor(const indActiveCell& ctx) {
  return {IsJapaneseUi(ctx.settings), static_cast<int>(ctx.settings.EtcData.destination)};
}

bool IsGrey(const imageaccess::CommonBlock& common, const ChoiceField& row, int index) {
  switch (row.grey.kind) {
    case GreyRule::Kind::kNever: return false;
    case GreyRule::Kind::kUnlessEqual: return common.Get8(row.grey.offset) != row.grey.value;
    case GreyRule::Kind::kUnlessSet: return common.Get8(row.grey.offset + index) == 0;
  }
  return false;
}

std::int32_t ReadBe16(std::span<const std::uint8_t> b) { return (b[0] << 8) | b[1]; }
void WriteBe16(std::span<std::uint8_t> b, std::int32_t v) {
  b[0] = static_cast<std::uint8_t>(v >> 8);
  b[1] = static_cast<std::uint8_t>(v);
}
std::int32_t ReadBe32(std::span<const std::uint8_t> b) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(b[0]) << 24) |
                                   (static_cast<std::uint32_t>(b[1]) << 16) |
                                   (static_cast<std::uint32_t>(b[2]) << 8) | b[3]);
}
void WriteBe32(std::span<std::uint8_t> b, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  b[0] = static_cast<std::uint8_t>(u >> 24);
  b[1] = static_cast<std::uint8_t>(u >> 16);
  b[2] = static_cast<std::uint8_t>(u >> 8);
  b[3] = static_cast<std::uint8_t>(u);
}

std::span<char> AsText(std::span<std::uint8_t> bytes) {
  return {reinterpret_cast<char*>(bytes.data()), bytes.size()};
}

int CommentLimit(const imageaccess::CommonBlock& common, const ChoiceField& row) {
  int limit = row.size;
  if (row.extension >= 0 && common.Get8(row.extension) != 0) limit -= kExtensionBytes;
  const bool altitudeSent =
      (row.altitudeFlag >= 0 && common.Get8(row.altitudeFlag) != 0) ||
      (row.altitudeField >= 0 &&
       static_cast<std::int32_t>(common.Get32(row.altitudeField)) != kNoAltitude);
  if (altitudeSent) limit -= kAltitudeBytes;
  return limit;
}

int GpsFieldKindOf(const ConverterContext& converters, Shape shape) {
  const bool seconds = converters.positionFormat != 0;
  if (shape == Shape::kLatitude)
    return seconds ? gpsfield::kLatitudeSeconds : gpsfield::kLatitudeHundredths;
  return seconds ? gpsfield::kLongitudeSeconds : gpsfield::kLongitudeHundredths;
}

// The shapes with a plain converter, over a copy of the field's bytes.
int EditBytes(indActiveCell& ctx, const ChoiceField& row, std::span<std::uint8_t> b) {
  cmcCellCapsule& capsule = ctx.capsule;
  int& status = ctx.status;
  const ConverterContext converters = listcells::ConvertersFor(ctx);
  switch (row.shape) {
    case Shape::kInteger: return EditInteger(capsule, b[0], row.minimum, row.maximum, status);
    case Shape::kHexByte: return EditHexBytes(capsule, b, row.minimum, row.maximum, status);
    case Shape::kUtcOffset: {
      std::int32_t minutes = static_cast<std::int16_t>(ReadBe16(b));
      if (EditUtcOffset(capsule, minutes, false, status) == 0) return 0;
      WriteBe16(b, minutes);
      return 1;
    }
    case Shape::kLatitude:
    case Shape::kLongitude:
      return EditGpsField(converters, capsule, b, 0, GpsFieldKindOf(converters, row.shape), status);
    case Shape::kTimeHm: return EditGpsField(converters, capsule, b, 0, gpsfield::kTimeHm, status);
    case Shape::kMinutes: return EditPosition(converters, capsule, b.first<2>(), status);
    case Shape::kAltitude: {
      std::int32_t tenths = ReadBe32(b);
      if (EditAltitude(converters, capsule, tenths, commonset::MetricAltitude(ctx.common),
                       status) == 0)
        return 0;
      WriteBe32(b, tenths);
      return 1;
    }
    case Shape::kCourse:
    case Shape::kSpeed: {
      std::int32_t value = ReadBe16(b);
      const int changed =
          row.shape == Shape::kCourse
              ? EditCourse(converters, capsule, value, status)
              : EditSpeed(converters, capsule, value, commonset::SpeedUnit(ctx.common), status);
      if (changed == 0) return 0;
      WriteBe16(b, value);
      return 1;
    }
    case Shape::kMessage: return EditMessageText(converters, capsule, AsText(b), -1, status);
    case Shape::kComment:
      return EditMessageText(converters, capsule, AsText(b), CommentLimit(ctx.common, row), status);
    case Shape::kFixedText:
      std::replace(b.begin(), b.end(), kUnsetCharacter, static_cast<std::uint8_t>(' '));
      return EditFixedText(converters, capsule, AsText(b), status);
    case Shape::kLogSentences: {
      std::uint32_t field = b[0];
      if (EditNmeaOutput(converters, capsule, field, status) == 0) return 0;
      b[0] = static_cast<std::uint8_t>(field);
      return 1;
    }
    default: return 0;
  }
}

// Runs the row's shape; true when it stored a change.
bool EditShape(indActiveCell& ctx, const ChoiceField& row) {
  switch (row.shape) {
    case Shape::kChoice: return listcells::EditChoiceByte(ctx);
    case Shape::kSentences: return settinghooks::EditSentences(ctx, row);
    case Shape::kAlarmMemory: return settinghooks::EditAlarmMemory(ctx, row);
    case Shape::kBankLinks: return settinghooks::EditBankLinkGroup(ctx, row);
    case Shape::kHomeVfo:
    case Shape::kHomeMemory:
    case Shape::kHomeRepeater: settinghooks::ShowHomeChannel(ctx, row); return false;
    case Shape::kSymbol: return settinghooks::EditSymbol(ctx, row);
    case Shape::kSymbolText: return settinghooks::EditSymbolCode(ctx, row);
    default:
      return listcells::EditImageBlock(ctx, choicefield::ChoiceByteOffset(row, ctx.index), row.size,
                                       [&row](indActiveCell& cell, std::span<std::uint8_t> b) {
                                         return EditBytes(cell, row, b);
                                       });
  }
}

// Ids the frame registers as cells without behaviour.
bool FrameOwns(int id) { return id == 381 || id == 461 || (id >= 489 && id <= 491); }

}  // namespace

void RunSettingRow(indActiveCell& ctx) {
  const ChoiceField* row = choicefield::FindRowAt(ctx.cellId, ctx.index, SelectorFor(ctx));
  if (!row) return;
  if (!settinghooks::Admits(ctx, *row)) return;
  if (IsGrey(ctx.common, *row, ctx.index)) listcells::Grey(ctx);
  if (!EditShape(ctx, *row)) return;
  settinghooks::AfterChange(ctx, *row);
  if (row->readByOthers) ctx.redrawMask |= redraw::kAllData;
}

void RegisterSettingCases(CellCaseTable& table) {
  int last = -1;
  for (const ChoiceField& row : choicefield::ChoiceFields()) {
    if (row.cellId < kFirstSettingId || row.cellId > kLastSettingId || row.cellId == last ||
        FrameOwns(row.cellId))
      continue;
    table.Register(row.cellId, RunSettingRow);
    last = row.cellId;
  }
}
