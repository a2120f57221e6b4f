#include "cells/SettingHooks.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "cells/BitSetConverters.h"
#include "cells/CommonSettings.h"
#include "cells/LabelCases.h"
#include "cells/ListCellKit.h"
#include "cells/NumberConverters.h"
#include "cells/SixFlags.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "core/NumberText.h"
#include "core/TextFields.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "sheet/FBitsModel.h"
#include "sheet/cmcCellCapsule.h"

namespace settinghooks {
namespace {

using choicefield::ChoiceField;
using choicefield::Hook;
using choicefield::Shape;

constexpr std::uint8_t kAlarmTypeGroup = 2;
constexpr std::uint8_t kNoAlarmGroup = 0xFF;  // stored when no GPS group is used
constexpr int kAutoTxShortest = 1;            // the interval a long sentence set cannot keep
constexpr int kAutoTxNext = 2;
constexpr char kNothing[] = "---";
constexpr char kPartJoin[] = " / ";

// The auto TX timer cannot send a long NMEA sentence set every 5 seconds:
// with NMEA and a long set, 1 becomes 2. True when it changed.
bool DropShortestAutoTx(indActiveCell& ctx) {
  imageaccess::CommonBlock& common = ctx.common;
  if (commonset::GpsTxMode(common) != commonset::kGpsTxNmea) return false;
  const int number = choicefield::SentenceCombinationNumber(choicefield::PackSentenceFlags(common));
  if (number < choicefield::kLongSentenceSet || commonset::GpsAutoTx(common) != kAutoTxShortest)
    return false;
  commonset::SetGpsAutoTx(common, kAutoTxNext);
  return true;
}

void ResetAlarmGroup(indActiveCell& ctx) {
  cmcEeprom& image = ctx.Image();
  GpsAlarm alarm = GetGpsAlarm(image);
  const int first = GpsFirstUsedGroup(image);
  if (first == kGpsNoUsedGroup) {
    alarm.group = kNoAlarmGroup;
  } else {
    // The group alarm counts its groups from 1 (0 is every memory).
    alarm.group = static_cast<std::uint8_t>(alarm.type == kAlarmTypeGroup ? first + 1 : first);
  }
  alarm.position = 0;
  SetGpsAlarm(image, alarm);
}

void ShowBlankGrey(indActiveCell& ctx) {
  ctx.capsule.outputText.clear();
  listcells::Grey(ctx);
}

std::string Trimmed(std::string_view bytes) {
  return std::string(core::TrimRightBlanksView(bytes));
}

// A memory channel, or above them the scan-edge end n + 1000, labelled as
// the scan-edge sheet labels it.
std::string HomeMemoryText(std::uint16_t channel) {
  if (channel == kNoSelectedChannel) return kNothing;
  if (channel < layout::kMemoryChannels) return core::WriteFixedPoint(channel, 0, '.');
  return EdgeLabelText(channel - layout::kMemoryChannels);
}

std::string HomeRepeaterText(const indActiveCell& ctx, const cmcEeprom& image) {
  const std::uint16_t index = GetSelectedRepeater(image);
  if (index == kNoSelectedRepeater || index >= GetRptTotalCount(image)) return kNothing;
  const datCh entry = LoadDetached(image, itemkind::kRepeater, index);
  if (!entry.IsUsed()) return kNothing;
  std::string text;
  auto add = [&text](const std::string& part) {
    if (!text.empty()) text += kPartJoin;
    text += part;
  };
  if (!IsBlankText(entry.name)) add(Trimmed({entry.name.data(), entry.name.size()}));
  if (!IsBlankText(entry.rptCall)) add(Trimmed({entry.rptCall.data(), entry.rptCall.size()}));
  add(core::FormatFrequencyText(entry.freq, '.'));
  return listcells::ConvertersFor(ctx).japaneseUi ? text : ShowAsSingleByte(text);
}

}  // namespace

bool Admits(indActiveCell& ctx, const ChoiceField& row) {
  const GpsAlarm alarm = GetGpsAlarm(ctx.Image());
  switch (row.hook) {
    case Hook::kAlarmGroup:
      if (alarm.type == kAlarmTypeGroup || alarm.type == kGpsAlarmMemory) return true;
      ShowBlankGrey(ctx);
      return false;
    case Hook::kAlarmMemory:
      if (alarm.type != kGpsAlarmMemory) {
        ShowBlankGrey(ctx);
        return false;
      }
      if (GpsGroupCount(ctx.Image(), alarm.group) > 0) return true;
      ctx.capsule.outputText = kNothing;
      return false;
    default: return true;
  }
}

void AfterChange(indActiveCell& ctx, const ChoiceField& row) {
  switch (row.hook) {
    case Hook::kAlarmType: ResetAlarmGroup(ctx); return;
    case Hook::kAlarmGroup: {
      GpsAlarm alarm = GetGpsAlarm(ctx.Image());
      alarm.position = 0;
      SetGpsAlarm(ctx.Image(), alarm);
      return;
    }
    case Hook::kGpsTxMode:
    case Hook::kSentences:
      if (DropShortestAutoTx(ctx)) ctx.redrawMask |= redraw::kAllData;
      return;
    default: return;
  }
}

bool EditSentences(indActiveCell& ctx, const ChoiceField& row) {
  return listcells::EditImageBlock(
      ctx, row.offset, row.size, [](indActiveCell& cell, std::span<std::uint8_t> bytes) {
        SixFlags flags{};
        for (std::size_t i = 0; i < flags.size(); ++i) flags[i] = bytes[i];
        std::uint32_t packed = PackSixFlags(flags);
        if (EditNmeaSentences(listcells::ConvertersFor(cell), cell.capsule, packed, cell.status) ==
            0)
          return 0;
        flags = UnpackSixFlags(static_cast<std::uint8_t>(packed));
        for (std::size_t i = 0; i < flags.size(); ++i) bytes[i] = flags[i];
        return 1;
      });
}

bool EditAlarmMemory(indActiveCell& ctx, const ChoiceField& row) {
  const GpsAlarm alarm = GetGpsAlarm(ctx.Image());
  const int last = GpsGroupCount(ctx.Image(), alarm.group) - 1;
  return listcells::EditImageBlock(
      ctx, row.offset, row.size, [last](indActiveCell& cell, std::span<std::uint8_t> bytes) {
        std::int32_t memory = (bytes[0] << 8) | bytes[1];
        if (EditInteger(cell.capsule, memory, 0, last, cell.status) == 0) return 0;
        bytes[0] = static_cast<std::uint8_t>(memory >> 8);
        bytes[1] = static_cast<std::uint8_t>(memory);
        return 1;
      });
}

bool EditBankLinkGroup(indActiveCell& ctx, const ChoiceField& row) {
  const std::int64_t at = choicefield::ChoiceByteOffset(row, ctx.index);
  const int first = row.minimum;
  const int last = row.maximum;
  return listcells::EditImageBlock(
      ctx, at, row.size, [first, last](indActiveCell& cell, std::span<std::uint8_t> bytes) {
        // Bank (item - 1) goes to the field bit the converter keeps item in:
        // the first item in the highest.
        auto bankBit = [&bytes](int bank) { return (bytes[bank / 8] >> (bank % 8)) & 1u; };
        std::uint32_t field = 0;
        for (int item = first; item <= last; ++item) field |= bankBit(item - 1) << (last - item);
        if (EditBankLinks(listcells::ConvertersFor(cell), cell.capsule, field, first, last,
                          bitheader::kLetters, cell.status) == 0)
          return 0;
        for (int item = first; item <= last; ++item) {
          const int bank = item - 1;
          const auto mask = static_cast<std::uint8_t>(1u << (bank % 8));
          const bool on = (field >> (last - item)) & 1u;
          std::uint8_t& byte = bytes[static_cast<std::size_t>(bank / 8)];
          byte = static_cast<std::uint8_t>(on ? (byte | mask) : (byte & ~mask));
        }
        return 1;
      });
}

void ShowHomeChannel(indActiveCell& ctx, const ChoiceField& row) {
  const cmcEeprom& image = ctx.Image();
  listcells::Olive(ctx);
  switch (row.shape) {
    case Shape::kHomeVfo: {
      const std::uint32_t hertz = commonset::HomeVfo(ctx.common);
      ctx.capsule.outputText = hertz == 0 ? kNothing : core::FormatFrequencyText(hertz, '.');
      return;
    }
    case Shape::kHomeMemory:
      ctx.capsule.outputText = HomeMemoryText(GetSelectedChannel(image));
      return;
    case Shape::kHomeRepeater: ctx.capsule.outputText = HomeRepeaterText(ctx, image); return;
    default: return;
  }
}

}  // namespace settinghooks
