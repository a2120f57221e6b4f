// Memory and call channels (kinds 1-3): the 49-byte record, the empty, skip
// and program-skip bitmaps and the bank assignment.
#include <array>
#include <cstring>

#include "model/CallSignPack.h"
#include "model/ImageAccess.h"
#include "model/LayoutLists.h"
#include "model/StepCode.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

using namespace layout;

namespace {

constexpr std::uint32_t kBankOff = 31;  // stored bank value for "no bank"

bool ChannelFieldsFit(const datCh& r) {
  return r.mode <= 15 && r.rptTone <= 63 && r.tsqlTone <= 63 && r.dtcsCode <= 255 &&
         r.tuneStep <= 15 && r.dvSql <= 7 && r.cancellerFreq / 10 <= 511 && r.toneMode <= 15 &&
         r.duplex <= 3 && r.dtcsPolarity <= 3 && r.dvCsqlCode <= 255 && r.skip <= 3;
}

}  // namespace

void datCh::LoadChannel(int n) {
  std::array<std::uint8_t, kChannelSize> b{};
  image_->GetBlock(ChannelAddress(n), b.data(), kChannelSize);

  flags = imageaccess::GetBit(*image_, kChannelEmptyBitmap, ChannelEmptyBit(n)) ? 0 : kUsed;
  stepClass = b[ch::kFreq] >> 5;
  offsetStepClass = (b[ch::kFreq] >> 2) & 0x07;
  const std::uint64_t freqCount = (static_cast<std::uint64_t>(b[0] & 0x03) << 16) |
                                  (static_cast<std::uint64_t>(b[1]) << 8) | b[2];
  freq = static_cast<std::uint32_t>(stepcode::DecodeStep(freqCount, stepClass));
  const std::uint64_t offsetCount =
      (static_cast<std::uint64_t>(b[ch::kOffset]) << 8) | b[ch::kOffset + 1];
  offset = static_cast<std::uint32_t>(stepcode::DecodeStep(offsetCount, offsetStepClass));
  rptTone = b[ch::kTones] >> 2;
  tsqlTone = ((b[ch::kTones] & 0x03u) << 4) | (b[ch::kTones + 1] >> 4);
  mode = b[ch::kTones + 1] & 0x0F;
  dtcsCode = b[ch::kDtcsCode];
  tuneStep = b[ch::kStepSqlCanceller] >> 4;
  dvSql = (b[ch::kStepSqlCanceller] >> 1) & 0x07;
  cancellerFreq = (((b[ch::kStepSqlCanceller] & 1u) << 8) | b[ch::kStepSqlCanceller + 1]) * 10;
  toneMode = b[ch::kToneDuplex] >> 4;
  duplex = (b[ch::kToneDuplex] >> 2) & 0x03;
  dtcsPolarity = b[ch::kToneDuplex] & 0x03;
  std::memcpy(name.data(), &b[ch::kName], name.size());
  dvCsqlCode = b[ch::kDvCsqlCode];
  callsign::UnpackText7(&b[ch::kUrCall], urCall.data());
  callsign::UnpackText7(&b[ch::kRpt1Call], rpt1Call.data());
  callsign::UnpackText7(&b[ch::kRpt2Call], rpt2Call.data());

  if (n >= kMemoryChannels) {  // call channels: never skipped, never in a bank
    skip = 0;
    bank = kBankNone;
    bankSlot = 0;
    return;
  }
  if (imageaccess::GetBit(*image_, kChannelPSkipBitmap, n))
    skip = 3;
  else
    skip = imageaccess::GetBit(*image_, kChannelSkipBitmap, n) ? 1 : 0;
  const std::int64_t assign = kChannelBankAssign + 2 * static_cast<std::int64_t>(n);
  bank = image_->GetByte(assign) & 0x1F;
  bankSlot = image_->GetByte(assign + 1);
  if (bank >= 26) {
    bank = kBankNone;
    bankSlot = 0;
  }
}

bool datCh::StoreChannel(int n) {
  const bool memory = n < kMemoryChannels;
  if (!ChannelFieldsFit(*this)) return false;
  if (memory && IsUsed() && bank < 26 && bankSlot > 255) return false;
  const auto classes =
      stepcode::ChooseStepClass(freq, offset, false, ch::kFreqCountBits, ch::kOffsetCountBits);
  if (!classes) return false;

  // From here on the store goes through; the record follows what is written.
  if (!IsUsed()) {
    bank = kBankNone;
    bankSlot = kBankNone;
    name.fill(' ');
  }
  if (!IsCall3Blank() && rpt1Call[7] == 'G') rpt1Call[7] = ' ';
  stepClass = classes->freq;
  offsetStepClass = classes->offset;

  std::array<std::uint8_t, kChannelSize> b{};
  const std::uint64_t freqCount = stepcode::EncodeStep(freq, stepClass);
  const std::uint64_t offsetCount = stepcode::EncodeStep(offset, offsetStepClass);
  b[0] = static_cast<std::uint8_t>((stepClass << 5) | (offsetStepClass << 2) |
                                   ((freqCount >> 16) & 0x03));
  b[1] = static_cast<std::uint8_t>(freqCount >> 8);
  b[2] = static_cast<std::uint8_t>(freqCount);
  b[ch::kOffset] = static_cast<std::uint8_t>(offsetCount >> 8);
  b[ch::kOffset + 1] = static_cast<std::uint8_t>(offsetCount);
  b[ch::kTones] = static_cast<std::uint8_t>((rptTone << 2) | (tsqlTone >> 4));
  b[ch::kTones + 1] = static_cast<std::uint8_t>(((tsqlTone & 0x0F) << 4) | mode);
  b[ch::kDtcsCode] = static_cast<std::uint8_t>(dtcsCode);
  const std::uint32_t canceller = cancellerFreq / 10;
  b[ch::kStepSqlCanceller] =
      static_cast<std::uint8_t>((tuneStep << 4) | (dvSql << 1) | (canceller >> 8));
  b[ch::kStepSqlCanceller + 1] = static_cast<std::uint8_t>(canceller);
  b[ch::kToneDuplex] = static_cast<std::uint8_t>((toneMode << 4) | (duplex << 2) | dtcsPolarity);
  std::memcpy(&b[ch::kName], name.data(), name.size());
  b[ch::kDvCsqlCode] = static_cast<std::uint8_t>(dvCsqlCode);
  callsign::PackText7(urCall.data(), &b[ch::kUrCall]);
  callsign::PackText7(rpt1Call.data(), &b[ch::kRpt1Call]);
  callsign::PackText7(rpt2Call.data(), &b[ch::kRpt2Call]);
  image_->SetBlock(ChannelAddress(n), b.data(), kChannelSize);

  imageaccess::SetBit(*image_, kChannelEmptyBitmap, ChannelEmptyBit(n), !IsUsed());
  if (!memory) return true;
  imageaccess::SetBit(*image_, kChannelSkipBitmap, n, (skip & 1) != 0);
  imageaccess::SetBit(*image_, kChannelPSkipBitmap, n, (skip & 2) != 0);
  const bool inBank = bank < 26;
  const std::int64_t assign = kChannelBankAssign + 2 * static_cast<std::int64_t>(n);
  image_->SetByte(assign, static_cast<std::uint8_t>((stepClass << 5) | (inBank ? bank : kBankOff)));
  image_->SetByte(assign + 1, static_cast<std::uint8_t>(inBank ? bankSlot : 0));
  return true;
}

int datCh::FindFreeChannel(int from) const {
  if (!HasImage() || from >= kMemoryChannels) return -1;
  for (int n = from < 0 ? 0 : from; n < kMemoryChannels; ++n)
    if (imageaccess::GetBit(*image_, kChannelEmptyBitmap, n)) return n;
  return -1;
}

int datCh::CountFreeChannels(std::uint32_t countKind) const {
  if (countKind != itemkind::kChannel || !HasImage()) return 0;
  int free = 0;
  for (int n = 0; n < kMemoryChannels; ++n)
    if (imageaccess::GetBit(*image_, kChannelEmptyBitmap, n)) ++free;
  return free;
}
