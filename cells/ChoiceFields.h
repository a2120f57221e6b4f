#pragma once
// The choice fields: every byte of the memory image that a set-mode, DTMF or
// message cell edits through a choice list, as one table row: the cell id
// that shows it, where the byte lies, which indexes of the cell reach it,
// which bits of the byte hold the value, and the list the cell offers - or
// the selector that picks the list from the image, the interface language
// and the destination.
//
// Pure data and small pure functions: nothing here reads the text tables,
// and only WriteChoiceValue writes to an image (the masked bits of one byte,
// never a value wider than the mask).
#include <cstdint>
#include <span>

class cmcEeprom;

namespace choicefield {

// How a row's list is chosen.
enum class Selector : std::uint8_t {
  kFixed,           // always `list`
  kLanguage,        // `listAlt` with the Japanese interface, else `list`
  kLinearUnit,      // unit byte 0x59: 0 (metres) `list`, else `listAlt` (feet)
  kGpsAlarmBank,    // alarm type 0x2E0: 2 `list`, 3 `listAlt`, else no list
  kGpsAutoTx,       // `listAlt` with NMEA and a long sentence set, else `list`
  kDestination0,    // `list` for destination 0 only
  kDestinationB10,  // `list` for the destinations of group B and destination 10 only
  kRemoteMicKey,    // indexes 2 to 6 `listAlt`, the others `list`
  kAprsSymbol,      // two bytes, table and symbol character: `list` by symbol index
};

struct ChoiceField {
  int cellId;
  const char* cellName;
  std::int64_t offset;  // absolute image offset of the byte (of index 0 when indexStride is 1)
  int firstIndex;       // the cell's indexes
  int lastIndex;
  int indexStride;    // 1: the byte of index i is offset + i; 0: every index edits the same byte
  std::uint8_t mask;  // the bits of the byte that hold the value (0xFF: the whole byte)
  const char* list;   // list key
  const char* listAlt;
  Selector selector;
};

// Every row, in cell-id order (a cell may have more than one row).
std::span<const ChoiceField> ChoiceFields();
// The first row of a cell id; null when the cell edits no choice byte.
const ChoiceField* FindChoiceField(int cellId);

// What a selector looks at besides the image.
struct SelectorContext {
  bool japanese = false;  // the interface language is Japanese
  int destination = 16;   // destination code of the settings
};

// The list the row offers at a cell index, or null when the cell offers none
// now (the selector's condition does not hold, or the index is outside the row).
const char* ChoiceListOf(const ChoiceField& field, int index, const cmcEeprom& image,
                         const SelectorContext& context);

// The image offset of the byte at a cell index (-1 outside the row's indexes).
std::int64_t ChoiceByteOffset(const ChoiceField& field, int index);
// The stored value: the masked bits, shifted down to bit 0.
std::uint32_t ReadChoiceValue(const cmcEeprom& image, const ChoiceField& field, int index);
// Stores a value into the masked bits and keeps the others; false (nothing
// written) for an index outside the row or a value wider than the mask.
bool WriteChoiceValue(cmcEeprom& image, const ChoiceField& field, int index, std::uint32_t value);

// The six NMEA sentence flags (0x31..0x36: RMC, GGA, GLL, GSA, VTG, GSV, each
// 0 or 1) packed into 0..63 (RMC bit 4, GGA 3, GLL 2, GSA 1, VTG 0, GSV 5);
// 64 when a flag byte is neither 0 nor 1.
int PackSentenceFlags(const cmcEeprom& image);
// The combination number of a packed sentence set; 255 for the sets of five
// or six sentences and for anything outside 0..63.
int SentenceCombinationNumber(int packed);

}  // namespace choicefield
