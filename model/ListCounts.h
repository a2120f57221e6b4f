#pragma once
// Counters and group arithmetic of the packed lists.
//
// Repeater list: 1500 records holding 50 groups one after the other; group g
// holds the indexes from the sum of the counts before it, for its count.
// Your-call list: 300 records and one count. GPS memories: 300 record slots
// reached through an order table of 300 positions in 27 groups, each group
// starting at its start word (0xFFFF when empty) and running to the next
// non-empty group's start, the last one to the end of the used prefix.
//
// Damaged tables are answered in range: counts are summed in 64 bits and
// every range is clipped to the list's capacity, so no caller reads or
// writes outside the lists.
#include <cstdint>

class cmcEeprom;

// Repeater groups. Counts read as stored (16 bits) but clipped so that the
// groups never reach past index 1499.
int GetRptGroupCount(const cmcEeprom& image, int g);    // 0 for g outside 0..49
void SetRptGroupCount(cmcEeprom& image, int g, int n);  // nothing for g outside 0..49
int GetRptTotalCount(const cmcEeprom& image);           // 0..1500
int GetRptGroupFirst(const cmcEeprom& image, int g);    // 0 for g outside 0..49
int GetRptGroupLast(const cmcEeprom& image, int g);     // first + count - 1 (first - 1 when empty)
int GetRptGroupOfIndex(const cmcEeprom& image, int i);  // 50 at or beyond the total

// Your-call list.
int GetYourCallCount(const cmcEeprom& image);  // 0..300
void SetYourCallCount(cmcEeprom& image, int n);

// GPS order.
inline constexpr int kGpsNoGroup = 27;  // a position outside every group
inline constexpr int kGpsNoUsedGroup = 65535;
int GpsOrderCount(const cmcEeprom& image);  // leading order words below 300
int GpsOrderRemain(const cmcEeprom& image);
int GpsFirstFreeSlot(const cmcEeprom& image);            // 300 when all are named
int GpsOrderSlot(const cmcEeprom& image, int position);  // the stored word (0xFFFF beyond 299)
int GpsGroupStart(const cmcEeprom& image, int g);        // the stored start word
int GpsGroupCount(const cmcEeprom& image, int g);
int GpsGroupFirst(const cmcEeprom& image, int g);
int GpsGroupLast(const cmcEeprom& image, int g);
int GpsGroupOfIndex(const cmcEeprom& image, int p);  // kGpsNoGroup outside every group
int GpsFirstUsedGroup(const cmcEeprom& image);       // kGpsNoUsedGroup when none

// GPS alarm (type, group, position within the group); type 3 names a memory.
struct GpsAlarm {
  std::uint8_t type = 0;
  std::uint8_t group = 0;
  std::uint16_t position = 0;
};
inline constexpr std::uint8_t kGpsAlarmMemory = 3;
GpsAlarm GetGpsAlarm(const cmcEeprom& image);
void SetGpsAlarm(cmcEeprom& image, const GpsAlarm& alarm);
// Rows of the alarm choice list: type 0 row 0, type 3 row 1, type 1 row 2,
// type 2 with group n row n + 3. A type-2 alarm names all memories as group
// 0 and GPS group g as g + 1, so its groups run 0..27 (rows 3..30, the last
// row for the last GPS group). Anything else answers row 0.
inline constexpr int kGpsAlarmLastGroup = 27;
int GpsAlarmToSelIndex(int type, int group);
// Row back to type and group; rows outside 0..30 give type 0.
GpsAlarm GpsAlarmFromSelIndex(int row);

// Selected repeater (0xFFFF none).
inline constexpr std::uint16_t kNoSelectedRepeater = 0xFFFF;
std::uint16_t GetSelectedRepeater(const cmcEeprom& image);
void SetSelectedRepeater(cmcEeprom& image, std::uint16_t index);

// Selected memory channel (0xFFFF none).
inline constexpr std::uint16_t kNoSelectedChannel = 0xFFFF;
std::uint16_t GetSelectedChannel(const cmcEeprom& image);
void SetSelectedChannel(cmcEeprom& image, std::uint16_t channel);
