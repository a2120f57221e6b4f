// Repeaters (kind 7) and the blank repeater (kind 18).
#include <array>
#include <cstring>

#include "model/CallSignPack.h"
#include "model/ImageAccess.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/StepCode.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"

using namespace layout;

namespace {

std::int64_t GatewayAddress(int i) {
  return kRptGatewayCalls + static_cast<std::int64_t>(kPackedCallSize) * i;
}

bool RepeaterFieldsFit(const datCh& r) {
  return r.rptMode <= 3 && r.duplex <= 3 && r.rptToneMode <= 3 && r.positionMode <= 3 &&
         r.rptToneIndex <= 255 && r.utcOffset <= 0xFFFF && r.rptWord <= 0xFFFF && r.useFrom <= 1;
}

}  // namespace

// The repeater's own fields, without touching kind, index and used bit: the
// call lists decode a found repeater into their record this way.
void datCh::DecodeRepeaterFields(int i) {
  std::array<std::uint8_t, kRptSize> b{};
  image_->GetBlock(RptAddress(i), b.data(), kRptSize);
  stepClass = b[rpt::kFreq] >> 7;
  offsetStepClass = (b[rpt::kFreq] >> 6) & 1;
  freq = static_cast<std::uint32_t>(stepcode::DecodeFreq(&b[rpt::kFreq]));
  const std::uint64_t offsetCount =
      (static_cast<std::uint64_t>(b[rpt::kOffset]) << 8) | b[rpt::kOffset + 1];
  offset = static_cast<std::uint32_t>(stepcode::DecodeStep(offsetCount, offsetStepClass));
  rptWord = (static_cast<std::uint32_t>(b[rpt::kWord]) << 8) | b[rpt::kWord + 1];
  const std::uint8_t typeByte = b[rpt::kTypeDuplex];
  rptMode = typeByte >> 6;
  duplex = (typeByte >> 4) & 3;
  rptToneMode = (typeByte >> 2) & 3;
  positionMode = typeByte & 3;
  rptToneIndex = b[rpt::kToneIndex];
  callsign::UnpackText7(&b[rpt::kCall], rptCall.data());
  std::memcpy(name.data(), &b[rpt::kName], name.size());
  std::memcpy(subName.data(), &b[rpt::kSubName], subName.size());
  std::memcpy(latitude.data(), &b[rpt::kLatitude], latitude.size());
  std::memcpy(longitude.data(), &b[rpt::kLongitude], longitude.size());
  utcOffset = (static_cast<std::uint32_t>(b[rpt::kUtcOffset]) << 8) | b[rpt::kUtcOffset + 1];
  std::uint8_t gateway[kPackedCallSize];
  image_->GetBlock(GatewayAddress(i), gateway, kPackedCallSize);
  callsign::UnpackText7(gateway, gwCall.data());
  useFrom = imageaccess::GetBit(*image_, kRptUseFromBitmap, i) ? 1 : 0;
  rptGroup = static_cast<std::uint32_t>(GetRptGroupOfIndex(*image_, i));
}

void datCh::LoadRepeater(int i) {
  DecodeRepeaterFields(i);
  flags = i < GetRptTotalCount(*image_) ? kUsed : 0;
}

bool datCh::StoreRepeater(int i) {
  if (!RepeaterFieldsFit(*this)) return false;
  const auto classes =
      stepcode::ChooseStepClass(freq, offset, true, rpt::kFreqCountBits, rpt::kOffsetCountBits);
  if (!classes || classes->freq > 1 || classes->offset > 1) return false;
  stepClass = classes->freq;
  offsetStepClass = classes->offset;

  std::array<std::uint8_t, kRptSize> b{};
  image_->GetBlock(RptAddress(i), b.data(), kRptSize);
  const std::uint64_t freqCount = stepcode::EncodeStep(freq, stepClass);
  const std::uint64_t offsetCount = stepcode::EncodeStep(offset, offsetStepClass);
  b[rpt::kFreq] =
      static_cast<std::uint8_t>((stepClass << 7) | (offsetStepClass << 6) |
                                (b[rpt::kFreq] & rpt::kFreeBitsMask) | ((freqCount >> 16) & 0x07));
  b[rpt::kFreq + 1] = static_cast<std::uint8_t>(freqCount >> 8);
  b[rpt::kFreq + 2] = static_cast<std::uint8_t>(freqCount);
  b[rpt::kOffset] = static_cast<std::uint8_t>(offsetCount >> 8);
  b[rpt::kOffset + 1] = static_cast<std::uint8_t>(offsetCount);
  b[rpt::kWord] = static_cast<std::uint8_t>(rptWord >> 8);
  b[rpt::kWord + 1] = static_cast<std::uint8_t>(rptWord);
  b[rpt::kTypeDuplex] =
      static_cast<std::uint8_t>((rptMode << 6) | (duplex << 4) | (rptToneMode << 2) | positionMode);
  b[rpt::kToneIndex] = static_cast<std::uint8_t>(rptToneIndex);
  callsign::PackText7(rptCall.data(), &b[rpt::kCall]);
  std::memcpy(&b[rpt::kName], name.data(), name.size());
  std::memcpy(&b[rpt::kSubName], subName.data(), subName.size());
  std::memcpy(&b[rpt::kLatitude], latitude.data(), latitude.size());
  std::memcpy(&b[rpt::kLongitude], longitude.data(), longitude.size());
  b[rpt::kUtcOffset] = static_cast<std::uint8_t>(utcOffset >> 8);
  b[rpt::kUtcOffset + 1] = static_cast<std::uint8_t>(utcOffset);
  image_->SetBlock(RptAddress(i), b.data(), kRptSize);

  std::uint8_t gateway[kPackedCallSize];
  callsign::PackText7(gwCall.data(), gateway);
  image_->SetBlock(GatewayAddress(i), gateway, kPackedCallSize);
  imageaccess::SetBit(*image_, kRptUseFromBitmap, i, useFrom != 0);
  return true;
}

void datCh::LoadBlankRepeater(std::uint32_t i) {
  const indDestination& destination = indDestination::Current();
  flags = 0;
  SetText(rptCall, "CALLSIGN");
  if (destination.IsGroupB()) {
    offset = 5000000;
    duplex = 1;
  }
  rptToneIndex = 8;
  latitude = {0, 0, 0, 'N'};
  longitude = {0, 0, 0, static_cast<std::uint8_t>(destination.IsDest0() ? 'W' : 'E')};
  utcOffset = 32767;
  rptGroup = HasImage() && i < static_cast<std::uint32_t>(kRptCapacity)
                 ? static_cast<std::uint32_t>(GetRptGroupOfIndex(*image_, static_cast<int>(i)))
                 : static_cast<std::uint32_t>(kRptGroups);
  rptWord = 65535;
}
