#pragma once
// Reading a data file for the document without touching it: the read and
// checks that Open and the initial setup dialog share. The file is parsed
// into a scratch image of the largest layout size, then checked in this
// order, the first failure ending it:
//
// - the header's model words (the document's model words 1 and 2);
// - "#MapRev=" 1..3 (above 3: the file is of a newer layout, code 9; any
//   other value 5);
// - "#EtcData=" decodes with matching check bits and names destination
//   0..16, or 0..15 when a destination is required (10 otherwise; a file
//   without the line reads as destination 0);
// - every record well formed and inside the image (6, 8);
// - the image's layout byte and format signature for the file's revision
//   (8, the data check);
// - the records fill the revision's clone ranges exactly (7 or 8).
//
// A refusal is shown in the data file's message box (nothing for 0) and
// the content is left as it was. On success the image is converted from
// the file's revision to the current layout, full size; the software area
// beyond the clone range is 0xFF (the loading passes rebuild it).
#include <cstdint>
#include <string>

#include "core/dst_EtcData.h"
#include "model/cmcEeprom.h"

struct DataFileContent {
  cmcEeprom image;          // the file's image in the current layout
  int revision = 3;         // the file's layout revision, 1..3
  dst_EtcData destination;  // the file's destination record, decoded
};

// 0, or the data file's error code (1..10), already shown.
int ReadDataFileChecked(const std::string& path, std::uint32_t model, std::uint32_t subCode,
                        DataFileContent& content, bool destinationRequired = false);
