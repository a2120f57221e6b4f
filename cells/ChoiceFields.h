#pragma once
// The settings table: one row per setting that a set-mode, DTMF or message
// cell shows, and the one place that says where each lies. A row gives the
// cell id, where its bytes lie (an absolute image offset, most of them in
// the common settings block), which indexes of the cell reach them and how
// far apart, the field's shape (a choice byte and its bits, an integer, a
// text, a position, ...) with the list or the converter's parameters, the
// rule that greys the cell, whether other cells read the field (so that a
// change redraws every data cell), and the hook that adds a setting's own
// behaviour. Most rows are choice bytes: the list they offer, or the
// selector that picks the list from the image, the interface language and
// the destination.
//
// Pure data and small pure functions: nothing here reads the text tables,
// and only WriteChoiceValue writes to an image (the masked bits of one byte,
// never a value wider than the mask).
#include <cstdint>
#include <span>
#include <string>

#include "model/ImageAccess.h"

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

// What the row's bytes hold and which converter edits them.
enum class Shape : std::uint8_t {
  kChoice,        // the masked bits of one byte through the row's list
  kSymbol,        // two bytes, a position-report symbol through its list (selector kAprsSymbol)
  kInteger,       // one byte, minimum..maximum
  kHexByte,       // one byte in hexadecimal, minimum..maximum
  kUtcOffset,     // signed 16-bit minutes, no empty value
  kAlarmMemory,   // 16 bits: a memory of the GPS alarm's group
  kLatitude,      // four bytes through the GPS field dialog, in the position format
  kLongitude,     //
  kTimeHm,        // hour and minute bytes through the GPS field dialog
  kMinutes,       // 16 bits, thousandths of a minute
  kAltitude,      // 32 bits, tenths of a foot, in the altitude unit
  kCourse,        // 16 bits, degrees
  kSpeed,         // 16 bits, tenths of a knot, in the speed unit
  kMessage,       // text, half-width katakana kept
  kComment,       // a message whose longest entry the report's options shorten
  kFixedText,     // printable ASCII, blank padded (0xFF reads as a blank)
  kSymbolText,    // the two bytes of a symbol as characters of the symbol sets
  kSentences,     // the six NMEA sentence flag bytes
  kLogSentences,  // the GPS logger's sentence bits of one byte
  kBankLinks,     // a group of the 26 bank-link bits (4 bytes), items minimum..maximum
  kHomeVfo,       // display only: the home VFO frequency
  kHomeMemory,    // display only: the home memory channel
  kHomeRepeater,  // display only: the home repeater
};

// When the cell is drawn light grey (it stays editable).
struct GreyRule {
  enum class Kind : std::uint8_t {
    kNever,
    kUnlessEqual,  // grey unless the byte at `offset` holds `value`
    kUnlessSet,    // grey unless the byte at `offset` + the cell's index is not 0
  };
  Kind kind = Kind::kNever;
  std::int16_t offset = 0;  // in the common settings block
  std::uint8_t value = 0;
};

// A setting's own behaviour beside its shape.
enum class Hook : std::uint8_t {
  kNone,
  kAlarmType,    // a change resets the alarm group and memory
  kAlarmGroup,   // only with a group or memory alarm; a change resets the memory
  kAlarmMemory,  // only with a memory alarm and a group holding memories
  kGpsTxMode,    // a change to NMEA with a long sentence set drops the auto TX timer's 1
  kSentences,    // the same rule after a changed sentence set
};

struct ChoiceField {
  int cellId;
  const char* cellName;
  std::int64_t offset;  // absolute image offset of the field (of index 0 when stride is not 0)
  int firstIndex;       // the cell's indexes
  int lastIndex;
  int indexStride;    // bytes between the fields of index i and i + 1 (0: every index edits one
                      // field)
  std::uint8_t mask;  // the bits of the byte that hold the value (0xFF: the whole byte)
  const char* list;   // list key
  const char* listAlt;
  Selector selector;
  Shape shape = Shape::kChoice;
  int size = 1;              // bytes of the field
  std::int32_t minimum = 0;  // integers and hex bytes; bank links: the first item
  std::int32_t maximum = 0;  // integers and hex bytes; bank links: the last item
  GreyRule grey{};
  bool readByOthers = false;  // other cells of the page read it: a change redraws every data cell
  Hook hook = Hook::kNone;
  // Comments: the data-extension byte and what sends an altitude (a flag
  // byte, or an altitude field that is sent unless empty); -1 none.
  std::int16_t extension = -1;
  std::int16_t altitudeFlag = -1;
  std::int16_t altitudeField = -1;

  // Copies with one property more (for building the table).
  constexpr ChoiceField GreyUnless(std::int16_t at, std::uint8_t value) const {
    ChoiceField f = *this;
    f.grey = {GreyRule::Kind::kUnlessEqual, at, value};
    return f;
  }
  constexpr ChoiceField GreyUnlessSet(std::int16_t at) const {
    ChoiceField f = *this;
    f.grey = {GreyRule::Kind::kUnlessSet, at, 0};
    return f;
  }
  constexpr ChoiceField ReadByOthers() const {
    ChoiceField f = *this;
    f.readByOthers = true;
    return f;
  }
  constexpr ChoiceField WithHook(Hook h) const {
    ChoiceField f = *this;
    f.hook = h;
    return f;
  }
};

// Every row, in cell-id order (a cell may have more than one row).
std::span<const ChoiceField> ChoiceFields();
// The first row of a cell id; null when the cell edits no setting.
const ChoiceField* FindChoiceField(int cellId);

// What a selector looks at besides the image.
struct SelectorContext {
  bool japanese = false;  // the interface language is Japanese
  int destination = 16;   // destination code of the settings
};

// The list the row offers at a cell index, or null when the cell offers none
// now (the selector's condition does not hold, the index is outside the
// row, or the row is no choice).
const char* ChoiceListOf(const ChoiceField& field, int index,
                         const imageaccess::CommonBlock& common, const SelectorContext& context);
// The row of a cell at an index: the first whose indexes hold it and whose
// destination selector (if any) admits the destination. Null when none does.
const ChoiceField* FindRowAt(int cellId, int index, const SelectorContext& context);

// The image offset of the field at a cell index (-1 outside the row's indexes).
std::int64_t ChoiceByteOffset(const ChoiceField& field, int index);
// The bits of byte k (0..size - 1) of the field that the row edits: the
// mask of a choice byte, a bank-link group's own bits, else the whole byte.
std::uint8_t FieldBits(const ChoiceField& field, int k);
// The stored value: the masked bits, shifted down to bit 0.
std::uint32_t ReadChoiceValue(const cmcEeprom& image, const ChoiceField& field, int index);
// Stores a value into the masked bits and keeps the others; false (nothing
// written) for an index outside the row or a value wider than the mask.
bool WriteChoiceValue(cmcEeprom& image, const ChoiceField& field, int index, std::uint32_t value);

// The six NMEA sentence flags (0x31..0x36: RMC, GGA, GLL, GSA, VTG, GSV; a
// byte other than 0 counts as set) packed into 0..63 (RMC bit 4, GGA 3,
// GLL 2, GSA 1, VTG 0, GSV 5).
int PackSentenceFlags(const imageaccess::CommonBlock& common);
// The combination number of a packed sentence set; 255 for the sets of five
// or six sentences and for anything outside 0..63.
int SentenceCombinationNumber(int packed);
// The combination's text: the set sentences joined by ", " in the order
// RMC, GGA, GLL, GSA, VTG, GSV; "OFF" for none, "Dummy" for five or six
// sentences; empty outside 0..63.
std::string SentenceCombinationText(int packed);
// From this combination number on a sentence set is long: the auto TX
// timer then offers no 5-second interval.
inline constexpr int kLongSentenceSet = 42;

}  // namespace choicefield
