#include "sheet/ColWidthStore.h"

#include <algorithm>
#include <set>
#include <span>

#include "core/TextFields.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"

namespace {

constexpr char kWidthsSubkey[] = "colwidth";
constexpr char kColCutName[] = "colcut";

// The sheets whose columns each view bit hides.
constexpr const char* kToneOwners[] = {"GI_Sheet_MemoryCH", "GI_Sheet_BankCH", "GI_Sheet_CallCh"};
constexpr const char* kStationOwners[] = {"GI_Sheet_Received_Callsign"};
constexpr int kFirstStationBit = 3;

std::span<const char* const> OwnersOf(int bit) {
  if (bit < 0 || bit >= ColWidthStore::kColumnGroupCount) return {};
  if (bit < kFirstStationBit) return kToneOwners;
  return kStationOwners;
}

// Calls fn(sheet key, group) for every pair of the list.
template <class Fn>
void ForEachPair(cmcGTex& texts, Fn fn) {
  for (int n = 0;; ++n) {
    const std::string line = texts.GetText(ColWidthStore::kListKey, n);
    if (!line.empty() && line[0] == '#') return;
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string_view view(line);
    const std::string_view group = core::TrimBlanksView(view.substr(colon + 1));
    if (!group.empty()) fn(core::TrimBlanksView(view.substr(0, colon)), group);
  }
}

}  // namespace

ColWidthStore::ColWidthStore(indEnviron& settings, cmcGTex& texts)
    : settings_(settings), texts_(texts) {}

std::string ColWidthStore::GroupOf(std::string_view sheetKey) const {
  std::string found;
  ForEachPair(texts_, [&](std::string_view key, std::string_view group) {
    if (found.empty() && key == sheetKey) found = std::string(group);
  });
  return found;
}

std::string ColWidthStore::GroupKey(std::string_view group) const {
  return settings_.UserKeyPath() + "\\Display\\" + std::string(group);
}

std::optional<int> ColWidthStore::ReadWidth(std::string_view group, int column) const {
  if (group.empty()) return std::nullopt;
  const std::int32_t value =
      settings_.RegReadInt(platform::RegRoot::CurrentUser, GroupKey(group) + "\\" + kWidthsSubkey,
                           std::to_string(column));
  if (value == -1) return std::nullopt;
  return std::clamp<int>(value, kMinWidth, kMaxWidth);
}

void ColWidthStore::WriteWidth(std::string_view group, int column, int width) {
  if (group.empty()) return;
  settings_.RegWriteInt(platform::RegRoot::CurrentUser, GroupKey(group) + "\\" + kWidthsSubkey,
                        std::to_string(column), width);
}

std::optional<int> ColWidthStore::ReadColCut(std::string_view group) const {
  if (group.empty()) return std::nullopt;
  const std::int32_t value =
      settings_.RegReadInt(platform::RegRoot::CurrentUser, GroupKey(group), kColCutName);
  if (value == -1) return std::nullopt;
  return value & kCutMaskBits;
}

void ColWidthStore::WriteColCut(std::string_view group, int mask) {
  if (group.empty()) return;
  settings_.RegWriteInt(platform::RegRoot::CurrentUser, GroupKey(group), kColCutName,
                        mask & kCutMaskBits);
}

void ColWidthStore::ResetWidths() {
  std::set<std::string> groups;
  ForEachPair(texts_,
              [&](std::string_view, std::string_view group) { groups.insert(std::string(group)); });
  for (const std::string& group : groups)
    settings_.RegDeleteKey(platform::RegRoot::CurrentUser, GroupKey(group), kWidthsSubkey);
}

bool ColWidthStore::ColumnGroupShown(int bit) const {
  for (const char* sheet : OwnersOf(bit)) {
    const std::string group = GroupOf(sheet);
    if (group.empty()) continue;
    return (ReadColCut(group).value_or(kAllColumnsShown) & (1 << bit)) != 0;
  }
  return bit >= 0 && bit < kColumnGroupCount;
}

bool ColWidthStore::ToggleColumnGroup(int bit) {
  if (OwnersOf(bit).empty()) return false;
  const bool shown = !ColumnGroupShown(bit);
  SetColumnGroup(bit, shown);
  return shown;
}

void ColWidthStore::SetColumnGroup(int bit, bool shown) {
  const std::span<const char* const> owners = OwnersOf(bit);
  if (owners.empty()) return;
  const auto apply = [&](int mask) { return shown ? mask | (1 << bit) : mask & ~(1 << bit); };
  for (const char* sheet : owners) {
    const std::string group = GroupOf(sheet);
    if (!group.empty()) WriteColCut(group, apply(ReadColCut(group).value_or(kAllColumnsShown)));
  }
  settings_.ViewCutBits = apply(settings_.ViewCutBits);
}
