#pragma once
// The part of a list that a GPS-group, repeater-group or your-call sheet
// shows: {group, first index, last index, count}. Such sheets show one row
// more than the list holds; that row (and every row of an empty list) is
// "past the range" and is where a new entry is typed.
//
// An empty list is {g, first, first - 1, 0}; "no range" is all zero. Users
// test the count: a count of 0 means no rows. Ranges are clipped to the
// list's capacity and never name an index outside it; a bad group, a bad
// answer of the sheet or no answer gives the all-zero range.
//
// The active sheet's group comes from the list-range query (ev::QueryListRange)
// on the installed event bus; the lists are read from the given image.
#include <cstdint>

class cmcEeprom;
class cmcEvMan;

struct ListRange {
  std::int32_t group = 0;
  std::int32_t first = 0;
  std::int32_t last = 0;
  std::int32_t count = 0;
  bool operator==(const ListRange&) const = default;
};

// Repeater group g (0..49) from the group counts; all zero for another g.
ListRange GetRptGroupRange(const cmcEeprom& image, int g);
// {0, 0, n - 1, n}, n the your-call count.
ListRange GetYourCallRange(const cmcEeprom& image);
// The repeater group the sheet answers (its first word), or all zero.
ListRange GetActiveRptGroupRange(const cmcEeprom& image, cmcEvMan& bus);
// {g, first position of GPS group g, first + c - 1, c} with g and c the
// group and count the sheet answers; all zero without an answer or for a
// group outside 0..26 or a negative count.
ListRange GetActiveGpsGroupRange(const cmcEeprom& image, cmcEvMan& bus);
// Kind 6 the active GPS group, 7 the active repeater group, 8 the your-call
// list; every other kind all zero (no query is made).
ListRange GetListRangeByKind(const cmcEeprom& image, cmcEvMan& bus, std::uint32_t kind);

// The index lies after the range's last index, or the range has no rows.
bool IsPastRange(std::int64_t index, const ListRange& range);
// IsPastRange for kinds 6, 7 and 8; false for every other kind.
bool IsPastRangeByKind(std::uint32_t kind, std::int64_t index, const ListRange& range);
