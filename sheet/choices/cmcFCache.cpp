#include "sheet/choices/cmcFCache.h"

#include "sheet/choices/ChoiceOptions.h"
#include "sheet/choices/TypedChoice.h"

cmcFCache::cmcFCache(cmcGTex& texts) : texts_(texts) {}

std::string cmcFCache::Name(std::string_view key, int listId) {
  return std::string(key) + "#" + std::to_string(listId);
}

std::string cmcFCache::MissingText(int value) { return "?" + std::to_string(value); }

const cmcFCache::Entry* cmcFCache::Find(std::string_view key, int listId) const {
  const auto* node = index_.Find(Name(key, listId));
  return node ? node->value : nullptr;
}

const choices::ChoiceTable* cmcFCache::Table(std::string_view key, int listId) {
  const Entry* entry = Find(key, listId);
  if (!entry) {
    ++parses_;
    Entry& made = entries_.emplace_back(Entry{choices::ReadChoiceTable(texts_, key, listId)});
    index_.Insert(Name(key, listId), &made);
    entry = &made;
  }
  return entry->table ? &*entry->table : nullptr;
}

std::string cmcFCache::GetText(std::string_view key, int listId, int value) {
  const choices::ChoiceTable* table = Table(key, listId);
  if (!table) return {};
  const choices::ChoiceOption* option = table->Find(value);
  return option ? option->text : MissingText(value);
}

int cmcFCache::Lookup(std::string_view key, int listId, int value, std::string& text) const {
  const Entry* entry = Find(key, listId);
  if (!entry || !entry->table) return 0;
  const choices::ChoiceOption* option = entry->table->Find(value);
  text = option ? option->text : MissingText(value);
  return 1;
}

int cmcFCache::Step(std::string_view key, int listId, int value, int direction, int& out) const {
  const Entry* entry = Find(key, listId);
  if (!entry || !entry->table) return 0;
  out = entry->table->Step(value, direction).value;
  return 1;
}

std::optional<int> cmcFCache::MatchTyped(std::string_view key, int listId, std::string_view typed,
                                         int mode) {
  const choices::ChoiceTable* table = Table(key, listId);
  if (!table) return std::nullopt;
  std::vector<choices::TypedOption> options;
  for (const choices::ChoiceOption& o : table->ParseOrder()) options.push_back({o.value, o.text});
  return choices::MatchTypedChoice(options, typed, mode);
}
