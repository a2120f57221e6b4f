#include "model/BandDefaults.h"

#include <iterator>

#include "model/LayoutImage.h"
#include "model/StepCode.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

namespace {

constexpr BandDefaultRow kRows[] = {
#include "resources/band-defaults/BandDefaultTable.inc"
};

std::uint32_t Be32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
         (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}

void PutBe32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v >> 24);
  p[1] = static_cast<std::uint8_t>(v >> 16);
  p[2] = static_cast<std::uint8_t>(v >> 8);
  p[3] = static_cast<std::uint8_t>(v);
}

}  // namespace

void DecodeBandDefault(const std::uint8_t b[17], datCh& r) {
  r.freq = Be32(&b[0]);
  r.offset = Be32(&b[4]);
  r.stepClass = b[8] & 0x0F;
  r.offsetStepClass = b[8] >> 4;
  r.mode = b[9];
  r.tuneStep = b[10];
  r.dvSql = b[11] >> 5;
  r.cancellerFreq = (((b[11] & 0x1Fu) << 4) | (b[12] >> 4)) * 10;
  r.duplex = (b[12] >> 2) & 3;
  r.dtcsPolarity = b[12] & 3;
  r.rptTone = b[13] >> 2;
  r.tsqlTone = ((b[13] & 3u) << 4) | (b[14] >> 4);
  r.toneMode = b[14] & 0x0F;
  r.dtcsCode = b[15];
  r.dvCsqlCode = b[16];
}

bool EncodeBandDefault(const datCh& r, std::uint8_t b[17]) {
  if (r.mode > 255 || r.tuneStep > 255 || r.dvSql > 7 || r.cancellerFreq / 10 > 511 ||
      r.duplex > 3 || r.dtcsPolarity > 3 || r.rptTone > 63 || r.tsqlTone > 63 || r.toneMode > 15 ||
      r.dtcsCode > 255 || r.dvCsqlCode > 255)
    return false;
  // Plain hertz here: any 32-bit count fits.
  const auto classes = stepcode::ChooseStepClass(r.freq, r.offset, false, 32, 32);
  if (!classes) return false;
  const std::uint32_t canceller = r.cancellerFreq / 10;
  PutBe32(&b[0], r.freq);
  PutBe32(&b[4], r.offset);
  b[8] = static_cast<std::uint8_t>((classes->offset << 4) | classes->freq);
  b[9] = static_cast<std::uint8_t>(r.mode);
  b[10] = static_cast<std::uint8_t>(r.tuneStep);
  b[11] = static_cast<std::uint8_t>((r.dvSql << 5) | (canceller >> 4));
  b[12] = static_cast<std::uint8_t>(((canceller & 0x0F) << 4) | (r.duplex << 2) | r.dtcsPolarity);
  b[13] = static_cast<std::uint8_t>((r.rptTone << 2) | (r.tsqlTone >> 4));
  b[14] = static_cast<std::uint8_t>(((r.tsqlTone & 0x0F) << 4) | r.toneMode);
  b[15] = static_cast<std::uint8_t>(r.dtcsCode);
  b[16] = static_cast<std::uint8_t>(r.dvCsqlCode);
  return true;
}

const BandDefaultRow* BandDefaultTable(int* count) {
  if (count) *count = static_cast<int>(std::size(kRows));
  return kRows;
}

std::optional<BandDefaultRow> FindBandDefaultRow(int destination, int record) {
  if (destination < 0 || destination > 15) destination = 16;
  for (const BandDefaultRow& row : kRows)
    if (row.destination == destination && row.record == record) return row;
  return std::nullopt;
}

datCh BandDefaultRecord(const BandDefaultRow& row) {
  datCh r;
  r.kind = itemkind::kBandDefault;
  r.index = static_cast<std::uint32_t>(row.record);
  r.freq = row.freq;
  r.offset = row.offset;
  r.mode = row.mode;
  r.tuneStep = row.tuneStep;
  r.duplex = row.duplex;
  r.toneMode = row.toneMode;
  r.rptTone = row.rptTone;
  r.tsqlTone = row.tsqlTone;
  r.dtcsCode = row.dtcsCode;
  r.dtcsPolarity = row.dtcsPolarity;
  r.dvSql = row.dvSql;
  r.dvCsqlCode = row.dvCsqlCode;
  r.cancellerFreq = row.cancellerFreq;
  if (const auto classes = stepcode::ChooseStepClass(r.freq, r.offset, false, 32, 32)) {
    r.stepClass = classes->freq;
    r.offsetStepClass = classes->offset;
  }
  return r;
}

bool WriteBandDefaults(cmcEeprom& image, int destination) {
  std::uint8_t bytes[layout::kBandDefaultCount][layout::kBandDefaultSize] = {};
  for (int record = 0; record < layout::kBandDefaultCount; ++record) {
    const auto row = FindBandDefaultRow(destination, record);
    if (!row || !EncodeBandDefault(BandDefaultRecord(*row), bytes[record])) return false;
  }
  if (image.GetSize() < layout::kMinImageSize) return false;
  image.SetBlock(layout::kBandDefaults, bytes, sizeof bytes);
  return true;
}
