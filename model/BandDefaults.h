#pragma once
// Band-default records: the settings a new channel takes in a band (record 0
// the air band, 1 for 137-174 MHz, 2 for the rest), three 17-byte records in
// the software area. Their values per destination come from the editable
// table resources/band-defaults/BandDefaultTable.inc.
//
//   byte 0-3  freq Hz            8   bits 7-4 offset class, 3-0 freq class
//   4-7       offset Hz          9   mode            10 tuning step
//   11        bits 7-5 digital squelch, 4-0 + byte 12 bits 7-4: canceller/10
//   12        bits 3-2 duplex, 1-0 polarity
//   13        bits 7-2 repeater tone, 1-0 + byte 14 bits 7-4 tone-squelch tone
//   14        bits 3-0 tone mode  15 digital code   16 code-squelch code
#include <cstdint>
#include <optional>

class cmcEeprom;
class datCh;

struct BandDefaultRow {
  int destination;  // 0..16
  int record;       // 0..2
  std::uint32_t freq;
  std::uint32_t offset;
  std::uint32_t mode;
  std::uint32_t tuneStep;
  std::uint32_t duplex;
  std::uint32_t toneMode;
  std::uint32_t rptTone;
  std::uint32_t tsqlTone;
  std::uint32_t dtcsCode;
  std::uint32_t dtcsPolarity;
  std::uint32_t dvSql;
  std::uint32_t dvCsqlCode;
  std::uint32_t cancellerFreq;
};

// Fields of a 17-byte record into a record (classes included).
void DecodeBandDefault(const std::uint8_t bytes[17], datCh& record);
// The record's fields into 17 bytes, classes chosen from freq and offset;
// false (bytes untouched) when a field does not fit its bits.
bool EncodeBandDefault(const datCh& record, std::uint8_t bytes[17]);

// The table row of (destination, record); destinations outside 0..15 use 16.
std::optional<BandDefaultRow> FindBandDefaultRow(int destination, int record);
const BandDefaultRow* BandDefaultTable(int* count);
// The record a row describes (used, classes chosen).
datCh BandDefaultRecord(const BandDefaultRow& row);
// Writes the destination's three records at 0x2A380; false when the table
// lacks a row or a row does not encode (nothing written then).
bool WriteBandDefaults(cmcEeprom& image, int destination);
