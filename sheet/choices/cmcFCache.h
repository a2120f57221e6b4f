#pragma once
// The option text cache: one table per choice list and list id, built from
// the text table on first use and kept for the life of the cache (one
// interface language: the main controller builds a new cache when the
// language changes). Display texts are found by binary search, steps follow
// the list's reading order (column by column).
//
// A list without a single option of the asked id has no table; the miss is
// remembered, so drawing such a cell does not parse the list again: its text
// is empty, Lookup and Step answer 0 and the value stays. A value no option
// holds shows as "?" and its decimal value ("?7") and is never corrected.
// A missing list key is fatal through the text table.
//
// The cache does not own the text table; it must outlive the cache.
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "core/cmcHash.h"
#include "sheet/choices/ChoiceTable.h"

class cmcGTex;

class cmcFCache {
 public:
  static constexpr std::uint32_t kBuckets = 1031;

  explicit cmcFCache(cmcGTex& texts);
  cmcFCache(const cmcFCache&) = delete;
  cmcFCache& operator=(const cmcFCache&) = delete;

  // The text the cell of the value shows; builds the table on first use.
  // "?<value>" when no option holds the value; empty when the list has no
  // option of the id.
  std::string GetText(std::string_view key, int listId, int value);
  // 0 when no table has been built for the list and id (or it has none);
  // otherwise 1 with the text as GetText gives it.
  int Lookup(std::string_view key, int listId, int value, std::string& text) const;
  // 0 (out untouched) when no table has been built yet or the list has none;
  // otherwise 1 with the option after (+1) or before (-1) the value's in
  // reading order, wrapping; a value no option holds steps to the first.
  int Step(std::string_view key, int listId, int value, int direction, int& out) const;

  // The table, built on first use; null when the list has no option of the id.
  const choices::ChoiceTable* Table(std::string_view key, int listId);
  // A typed entry matched to the list (see choices::MatchTypedChoice).
  std::optional<int> MatchTyped(std::string_view key, int listId, std::string_view typed, int mode);

  cmcGTex& Texts() const { return texts_; }
  // How many lists have been read from the text table (tests).
  int ParseCount() const { return parses_; }

  // "?<value>": the text of a value no option holds.
  static std::string MissingText(int value);

 private:
  struct Entry {
    std::optional<choices::ChoiceTable> table;  // none: the list has no option of the id
  };
  static std::string Name(std::string_view key, int listId);
  const Entry* Find(std::string_view key, int listId) const;

  cmcGTex& texts_;
  cmcHash2<const Entry> index_{kBuckets};
  std::deque<Entry> entries_;  // every table, in the order they were built
  int parses_ = 0;
};
