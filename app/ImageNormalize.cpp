// The destination fix-up a loaded, read or imported image goes through: what
// the radio of this destination cannot hold is put right, and the settings
// that belong to the destination come from the initial image.
#include <array>

#include "app/ImagePasses.h"
#include "core/EventIds.h"
#include "core/SjisCleaners.h"
#include "core/cmcEvMan.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/StepCode.h"
#include "model/datCh.h"
#include "model/indDestination.h"

using namespace layout;

namespace imagepass {
namespace {

constexpr std::uint32_t kHighestMode = 11;
constexpr std::uint32_t kBlankRptToneIndex = 8;

// Text areas: the five 20-byte texts of the settings and one in the common
// settings.
constexpr int kTextSize = 20;
constexpr std::array<std::int64_t, 6> kTextAreas = {0x25E62, 0x25E76, 0x25E8A,
                                                    0x25E9E, 0x25EB2, 0x29D91};

// Settings that depend on the destination, copied from the initial image.
enum class When { Always, NotGroupBNor10, NotDest0 };
struct SettingsSpan {
  std::int64_t offset;
  int length;
  When when;
};
constexpr SettingsSpan kDestinationSettings[] = {
    {170653, 1, When::Always},   {170654, 1, When::Always},  {170656, 1, When::NotGroupBNor10},
    {170657, 1, When::NotDest0}, {170699, 1, When::Always},  {170700, 1, When::Always},
    {170717, 2, When::NotDest0}, {170784, 1, When::Always},  {170856, 15, When::Always},
    {170872, 6, When::Always},   {170878, 2, When::Always},  {170880, 2, When::Always},
    {170882, 80, When::Always},  {170962, 1, When::Always},  {170963, 420, When::Always},
    {171383, 4, When::Always},   {171387, 2, When::Always},  {171881, 1, When::Always},
    {171882, 2, When::Always},   {171884, 1, When::Always},  {171885, 1, When::Always},
    {171904, 102, When::Always}, {172006, 96, When::Always}, {172102, 352, When::Always},
    {172454, 57, When::Always},  {172511, 57, When::Always}, {172568, 16, When::Always},
    {172584, 16, When::Always},  {172600, 4, When::Always},  {172604, 8, When::Always},
    {172612, 26, When::Always},  {172638, 26, When::Always}, {172664, 1, When::Always},
    {172665, 1, When::Always},   {172666, 2, When::Always},  {172668, 2, When::Always},
    {172670, 2, When::NotDest0}, {172672, 2, When::Always},  {172674, 6, When::Always},
    {172680, 6, When::Always},   {172686, 1, When::Always},  {172687, 1, When::Always},
    {172736, 2, When::Always},   {172738, 1, When::Always},  {172864, 1, When::Always},
    {172912, 16, When::Always},
};
constexpr int kLongestSettingsSpan = 420;
constexpr bool SpansFitBuffer() {
  for (const SettingsSpan& span : kDestinationSettings)
    if (span.length > kLongestSettingsSpan) return false;
  return true;
}
static_assert(SpansFitBuffer());

// Byte 170870 bit 3: the first information flag of the settings; byte
// 170871 bit 6 always comes from the initial image.
constexpr std::int64_t kInfoFlagByte = 170870;
constexpr std::uint8_t kInfoFlagBit = 0x08;
constexpr std::int64_t kInitialBitByte = 170871;
constexpr std::uint8_t kInitialBit = 0x40;

// Tone modes 2 and 15 are not defined; every other code is a mode the
// channel sheets and CSV files know (tone, TSQL, DTCS, their reverse and
// split forms), so only these two are reset.
bool IsUndefinedToneMode(std::uint32_t toneMode) { return toneMode == 2 || toneMode == 15; }

bool Applies(When when, const indDestination& destination) {
  switch (when) {
    case When::Always: return true;
    case When::NotGroupBNor10: return !destination.IsGroupB() && destination.Code() != 10;
    case When::NotDest0: return !destination.IsDest0();
  }
  return true;
}

void FixChannels(cmcEeprom& image, const cmcEeprom& initial) {
  // Item kind 15 maps every band index above 1 to record 2; loading only
  // reads the initial image.
  std::array<datCh, kBandDefaultCount> defaults;
  for (int r = 0; r < kBandDefaultCount; ++r) {
    defaults[static_cast<std::size_t>(r)].SetImage(const_cast<cmcEeprom*>(&initial));
    defaults[static_cast<std::size_t>(r)].Load(itemkind::kBandDefault,
                                               static_cast<std::uint32_t>(r));
  }
  datCh channel(&image);
  for (int n = 0; n < kAllChannels; ++n) {
    channel.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    const int band = indDestination::BandIndex(channel.freq);
    const datCh& bandDefault = defaults[static_cast<std::size_t>(band < 2 ? band : 2)];
    channel.freq = static_cast<std::uint32_t>(
        stepcode::SnapToChannelStep(channel.freq, !indDestination::IsAirBand(channel.freq), false));
    if (channel.mode > kHighestMode) channel.mode = 0;
    if (IsUndefinedToneMode(channel.toneMode)) {
      channel = bandDefault;
      channel.SetImage(&image);
      channel.kind = itemkind::kChannel;
      channel.index = static_cast<std::uint32_t>(n);
      channel.flags &= ~datCh::kUsed;
    }
    channel.cancellerFreq = bandDefault.cancellerFreq;
    channel.Store(itemkind::kChannel, static_cast<std::uint32_t>(n));
  }
}

void CleanTexts(cmcEeprom& image) {
  for (std::int64_t address : kTextAreas) {
    std::array<std::uint8_t, kTextSize> field;
    image.GetBlock(address, field.data(), kTextSize);
    const bool invalid = core::ReplaceInvalidSjisBuf(field, ' ');
    const bool doubleByte = core::ReplaceDoubleByteBuf(field, ' ');
    if (invalid || doubleByte) image.SetBlock(address, field.data(), kTextSize);
  }
}

void FixRepeaters(cmcEeprom& image) {
  datCh r(&image);
  for (int i = 0; i < kRptCapacity; ++i) {
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    if (!r.IsUsed()) continue;
    const bool digital = r.rptMode == rpt::kTypeDv;
    const bool blankCall = IsBlankText(r.rptCall);
    if (digital) {
      if (blankCall) {
        SetText(r.rptCall, "");
        SetText(r.gwCall, "");
        r.duplex = 0;
        r.offset = 0;
      }
      r.rptToneMode = 0;
      r.rptToneIndex = kBlankRptToneIndex;
    } else if (r.duplex != 0) {
      SetText(r.gwCall, "");
    } else {
      SetText(r.rptCall, "");
      SetText(r.gwCall, "");
      r.offset = 0;
    }
    r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }
}

void CopyDestinationSettings(cmcEeprom& image, const cmcEeprom& initial,
                             const indDestination& destination, bool firstInfoFlag) {
  if (&image != &initial) {
    std::array<std::uint8_t, kLongestSettingsSpan> bytes;
    for (const SettingsSpan& span : kDestinationSettings) {
      if (!Applies(span.when, destination)) continue;
      initial.GetBlock(span.offset, bytes.data(), span.length);
      image.SetBlock(span.offset, bytes.data(), span.length);
    }
  }
  const std::uint8_t info = image.GetByte(kInfoFlagByte);
  image.SetByte(kInfoFlagByte, static_cast<std::uint8_t>(firstInfoFlag ? info | kInfoFlagBit
                                                                       : info & ~kInfoFlagBit));
  const std::uint8_t keep = image.GetByte(kInitialBitByte) & ~kInitialBit;
  image.SetByte(kInitialBitByte,
                static_cast<std::uint8_t>(keep | (initial.GetByte(kInitialBitByte) & kInitialBit)));
}

}  // namespace

void NormalizeImage(cmcEeprom& image, const cmcEeprom& initial, const indDestination& destination,
                    bool firstInfoFlag) {
  ScopedDestination scope{destination};
  FixChannels(image, initial);
  if (cmcEvMan* bus = EvManIfInstalled()) bus->Send(ev::DocumentEdited);
  CleanTexts(image);
  FixRepeaters(image);
  CopyDestinationSettings(image, initial, destination, firstInfoFlag);
}

}  // namespace imagepass
