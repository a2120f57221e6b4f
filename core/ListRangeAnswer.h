#pragma once
// The answer of a list sheet to the list-range query (ev::QueryListRange):
// the repeater or GPS group the sheet shows, the first list index of its
// first row and the number of entries it shows. The sheet answers it as typed
// data (cmcEvMan::AnswerData); the cell handler reads it back with
// cmcEvAns::DataAs<ListRangeAnswer>(). An answer without this record, or no
// answer at all, means "no list sheet".
#include <cstdint>

struct ListRangeAnswer {
  std::int32_t group = 0;
  std::int32_t first = 0;
  std::int32_t count = 0;
  bool operator==(const ListRangeAnswer&) const = default;
};
