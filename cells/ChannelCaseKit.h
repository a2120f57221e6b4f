#pragma once
// What the cases of the channel, bank, scan-edge and link sheets share: the
// grey look of a field the record does not use, the blank text of an empty
// row, name fields kept as blank-padded bytes, bank-slot claims, the message
// a case shows (with the sheets told to ignore the mouse meanwhile), and the
// free channel a new bank row takes. The converters' context of a call is
// listcells::ConvertersFor (cells/ListCellKit.h).
#include <cstdint>
#include <span>
#include <string_view>

class indActiveCell;

namespace channelcase {

// Above this a channel is a placeholder: its row shows blank until a
// frequency is typed.
// The DV operating mode's value.
inline constexpr std::uint32_t kModeDv = 5;

inline constexpr std::uint32_t kHighestHz = 550'000'000;
// The range a channel, scan-edge or link frequency is typed in.
inline constexpr double kLowestMHz = 118.0;
inline constexpr double kHighestMHz = 550.0;
// The frequency a channel chosen for a bank slot gets while it has none.
inline constexpr std::uint32_t kPlaceholderHz = 550'005'000;

// The record holds no channel, or only a placeholder.
bool IsBlankChannel(const indActiveCell& ctx);
// A bank sheet's cell (its slot is ctx.index of bank ctx.bankNo).
bool IsBankCell(const indActiveCell& ctx);
// How many channels claim the bank slot of a bank cell: 0 free, 1 one,
// 2 for a slot claimed twice (or a damaged word). 0 outside bank sheets.
int SlotClaims(indActiveCell& ctx);

// Light grey text for this drawing when `grey`; the cell stays editable.
void Grey(indActiveCell& ctx, bool grey);
// An unused record shows nothing unless the editor is being opened.
void BlankUnused(indActiveCell& ctx);

// Shows the text of a key under the application's title with the error
// icon; event 22 is posted (0, 1) before and (0, 0) after.
void ShowCaseMessage(indActiveCell& ctx, std::string_view key);

// A bank row without a channel takes the first unused memory channel: the
// record becomes that channel in this bank at this slot. With none free the
// "no channel" message is shown and false answered; nothing changes then.
bool TakeFreeChannel(indActiveCell& ctx);

// A blank-padded name field through the name converter: shown cut at the
// field, and on a change blank-filled and the new bytes copied in. Answers
// whether it changed.
bool EditNameField(indActiveCell& ctx, std::span<char> field);

}  // namespace channelcase
