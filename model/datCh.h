#pragma once
// The item record: one decoded list entry of a memory image (a channel, a
// scan edge, a link position, a GPS memory, a repeater, a call sign, a
// received call, a band default or a blank entry), loaded by item kind and
// index and stored back into the same place.
//
// The record is bound to a cmcEeprom (not owned), so every access is bounds
// checked. An index outside its kind's range (see IsValidItem) loads as the
// cleared record with the used bit clear and stores nothing. A field that does
// not fit its bits, or a frequency no step class can hold, makes Store write
// nothing and answer false: the image is never left half written.
//
// Text fields are code page 932 bytes padded with blanks, not terminated.
#include <array>
#include <cstdint>

#include "core/TextFields.h"
#include "model/ItemKinds.h"

class cmcEeprom;

template <std::size_t N>
using datText = std::array<char, N>;

// Received-call history fields (kind 9). The meaning of the values belongs to
// the received-call formatters; the codec only moves bytes.
struct datRxCall {
  datText<8> caller{};                 // record bytes 0-7
  datText<4> callerNote{};             // 8-11
  datText<8> called{};                 // 12-19
  datText<8> rpt1{};                   // 20-27
  datText<8> rpt2{};                   // 28-35
  std::uint32_t frequency = 0;         // 36-39, received frequency in Hz
  std::array<std::uint8_t, 3> date{};  // 40-42, BCD day, month, year
  std::array<std::uint8_t, 3> time{};  // 43-45, BCD hour, minute, second
  datText<20> message{};
  std::uint8_t status = 0;  // BK 0x20, EMR 0x08
  // Position record.
  std::array<std::uint8_t, 4> latitude{};      // 0-3
  std::array<std::uint8_t, 4> longitude{};     // 4-7
  std::uint32_t altitude = 0;                  // 8-11
  datText<2> ssid{};                           // 12-13
  datText<2> symbol{};                         // 14-15
  std::array<std::uint8_t, 4> gpsTimestamp{};  // 25-28
  std::uint8_t dataType = 0;                   // 29
  datText<43> gpsMessage{};                    // 49-91
  // By data type (byte 29); a loaded entry has the empty markers where its
  // type carries no value (65535, 0xFF bytes, blanks, 32767).
  std::uint16_t course = 0;
  std::uint16_t speed = 0;
  std::array<std::uint8_t, 4> phg{};  // power, height, gain, directivity
  datText<9> objItemName{};
  std::uint8_t objState = 0;
  std::uint8_t objSubType = 0;  // 40
  std::uint16_t temperature = 0;
  std::uint16_t rain = 0, rain24 = 0, rainMidnight = 0;
  std::uint16_t windDir = 0, windSpeed = 0, gustSpeed = 0;
  std::uint32_t barometric = 0;
  std::uint8_t humidity = 0;
};

class datCh {
 public:
  // Flag bits.
  static constexpr std::uint32_t kUsed = 1;
  static constexpr std::uint32_t kLinkEdgeUsed = 6;  // kind 5: bits 1 and 2

  static constexpr std::uint32_t kBankNone = 255;
  static constexpr std::uint32_t kNoEdge = 255;

  datCh();
  explicit datCh(cmcEeprom* image);

  void SetImage(cmcEeprom* image) { image_ = image; }
  cmcEeprom* Image() const { return image_; }

  // All bytes 0, the used bit set, no bank, blanks in the text fields; the
  // image is kept.
  void Clear();

  // Clear, then kind and index, then decode. Kinds above 19 give the default
  // record with kind and index set.
  void Load(std::uint32_t kind, std::uint32_t index);
  // Encodes kinds 1-8 (kind 0: the record's own kind); answers whether it
  // wrote. Channels and scan edges may change the record (an unused channel
  // loses its name and bank; RPT1's "G" gives way to a set RPT2; step
  // classes are chosen from the frequencies).
  bool Store(std::uint32_t kind, std::uint32_t index);
  bool StoreSelf() { return Store(kind, index); }
  void Reload() { Load(kind, index); }
  // Store then load, so that the record shows exactly what the image holds.
  bool StoreAndReload();
  // Decodes through a scratch record and takes everything from flags on,
  // keeping this record's kind, index and image.
  void LoadInto(std::uint32_t kind, std::uint32_t index);

  // The kind table {lowest, highest, flags}: rows 1..13, row 0 all zero.
  static std::uint32_t KindMin(std::uint32_t kind);
  static std::uint32_t KindMax(std::uint32_t kind);
  static std::uint32_t KindFlag(std::uint32_t kind);
  // 0 and 100000000 for kinds of 14 and above.
  static std::uint32_t KindMinChecked(std::uint32_t kind);
  static std::uint32_t KindMaxChecked(std::uint32_t kind);
  // Whether (kind, index) names an item of the image lists (kinds 1-13);
  // kinds 0 and 14-19 accept any index.
  static bool IsValidItem(std::uint32_t kind, std::uint32_t index);

  // First memory channel at or after `from` (below 1000) whose used bit is
  // clear; -1 when none.
  int FindFreeChannel(int from) const;
  // Kind 1: unused memory channels among 0..999; 0 for other kinds.
  int CountFreeChannels(std::uint32_t kind) const;
  bool IsCall3Blank() const;
  static bool IsValidRptGroupIndex(int g) { return g >= 0 && g < 50; }
  bool IsUsed() const { return (flags & kUsed) != 0; }

  // Identity.
  std::uint32_t kind = 0;
  std::uint32_t index = 0;

  // Fields (LoadInto copies from here on).
  std::uint32_t flags = kUsed;
  std::uint32_t freq = 0;
  std::uint32_t freq2 = 0;
  std::uint32_t linkFreq1 = 0;
  std::uint32_t linkFreq2 = 0;
  std::uint32_t duplex = 0;
  std::uint32_t offset = 0;
  std::uint32_t toneMode = 0;
  std::uint32_t bank = kBankNone;
  std::uint32_t bankSlot = kBankNone;
  std::uint32_t skip = 0;
  std::uint32_t mode = 0;
  std::uint32_t rptTone = 0;
  std::uint32_t tsqlTone = 0;
  std::uint32_t dtcsCode = 0;
  std::uint32_t dtcsPolarity = 0;
  std::uint32_t tuneStep = 0;
  std::uint32_t stepClass = 0;
  std::uint32_t stepClass2 = 0;
  std::uint32_t offsetStepClass = 0;
  datText<16> name{};
  std::uint32_t cancellerFreq = 0;
  std::uint32_t dvSql = 0;
  std::uint32_t dvCsqlCode = 0;
  datText<8> urCall{};
  datText<16> urRoute{};
  datText<8> rpt1Call{};
  datText<17> rpt1Route{};
  datText<8> rpt2Call{};
  datText<17> rpt2Route{};
  std::uint32_t linkEdge = kNoEdge;
  std::uint32_t linkMember = 0;
  datText<16> gpsName{};
  std::array<std::uint8_t, 3> gpsDate{};
  std::array<std::uint8_t, 3> gpsTime{};
  std::array<std::uint8_t, 4> latitude{};
  std::array<std::uint8_t, 4> longitude{};
  std::int32_t altitude = 0;
  std::uint32_t gpsGroup = 0;
  datText<8> subName{};
  std::uint32_t rptMode = 0;
  datText<8> rptCall{};
  datText<8> gwCall{};
  std::uint32_t rptToneMode = 0;
  std::uint32_t rptToneIndex = 0;
  std::uint32_t useFrom = 0;
  std::uint32_t positionMode = 0;
  std::uint32_t utcOffset = 0;
  std::uint32_t rptGroup = 0;
  std::uint32_t rptWord = 0;
  datText<8> listCall{};
  std::uint32_t listFound = 0;
  datRxCall rx{};

  // Route fields filled by the digital-voice route logic (display only; the
  // codec clears them and never stores them).
  std::uint32_t urRouteIndex = 0;
  std::uint32_t rpt1RouteIndex = 0;
  std::uint32_t rpt2RouteIndex = 0;
  std::uint32_t routeKind = 0;
  datText<11> routeKindText{};
  datText<16> routeDestName{};
  std::uint32_t routeDestIndex = 0;
  datText<16> routeAccessName{};
  std::uint32_t routeAccessIndex = 0;
  datText<16> routeRpt2Name{};
  std::uint32_t routeRpt2Index = 0;
  std::uint32_t routeRpt2Mode = 0;

 private:
  void BlankTexts();
  bool HasImage() const;
  void LoadChannel(int n);
  bool StoreChannel(int n);
  void LoadScanEdge(int n);
  bool StoreScanEdge(int n);
  void LoadLinkPosition(int i);
  bool StoreLinkPosition(int i);
  void LoadGps(int position);
  bool StoreGps(int position);
  void LoadRepeater(int i);
  void DecodeRepeaterFields(int i);
  bool StoreRepeater(int i);
  void LoadYourCall(int i);
  bool StoreYourCall(int i);
  void LoadRxCall(int i);
  void LoadCallList(std::uint32_t listKind, int i);
  void LoadBandDefault(std::uint32_t i);
  void LoadBlankGps(std::uint32_t position, bool withClock);
  void LoadBlankRepeater(std::uint32_t i);
  void LoadBlankYourCall();

  cmcEeprom* image_ = nullptr;
};

// Item (kind, index) of a read-only image, decoded into a record that is
// left unbound (Load only reads the image).
datCh LoadDetached(const cmcEeprom& image, std::uint32_t kind, std::uint32_t index);

// Sets the record's step classes for a frequency and offset as a channel
// (or repeater) stores them; false (classes unchanged) when no class fits
// the record's fields.
bool ChooseStepClass(datCh& record, std::uint64_t freq, std::uint64_t offset, bool isRepeater);
// Sets the classes of a scan edge's two ends (stepClass2 high, stepClass low).
bool ChooseEdgeStepClasses(datCh& record, std::uint64_t freqHigh, std::uint64_t freqLow);

// Blank-padded copy of a text into a fixed field (cut when longer).
template <std::size_t N>
void SetText(datText<N>& field, const char* text) {
  std::size_t i = 0;
  for (; i < N && text[i] != '\0'; ++i) field[i] = text[i];
  for (; i < N; ++i) field[i] = ' ';
}

template <std::size_t N>
bool IsBlankText(const datText<N>& field) {
  return core::IsBlankField(std::string_view(field.data(), N));
}
