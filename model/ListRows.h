#pragma once
// Row-range queries and clears behind the list edit commands, the sheet
// pages and the print-all dialog. Ranges are clipped to their list (a
// range with first > last is empty); bank table words of 1000 and above
// (free, claimed twice or damaged) name no channel and are never followed.
// The bank table is read as it stands: callers that have just changed
// channels rebuild it first (RebuildBankTable).
#include <cstdint>
#include <optional>

class cmcEeprom;
class cmcEvMan;

// No record of kind `kind` in first..last is used.
bool IsListRangeEmpty(const cmcEeprom& image, std::uint32_t kind, int first, int last);
// No slot of bank `bank` in first..last names a used memory channel.
bool IsBankRangeEmpty(const cmcEeprom& image, int bank, int first, int last);
// The first free slot (0xFFFF) of a bank; none for a full bank or a bank
// outside 0..25. A slot claimed twice is not free.
std::optional<int> FindFreeBankSlot(const cmcEeprom& image, int bank);
// Used memory channels 0..999 assigned to that bank slot.
int CountChannelsInBank(const cmcEeprom& image, int bank, int slot);

// Replaces rows first..last of a list by its blank records: GPS memories,
// repeaters and your-call signs by the blank entries of the codec (they
// stay in their list), other kinds by the initial image's records with the
// used bit cleared. Lists that cannot be pasted into (program links, the
// received calls, the call lists) are left alone. When a record was written,
// event 45 is sent and event 18 posted for each row. Answers the number of
// records written.
int ClearListRows(cmcEeprom& image, const cmcEeprom& initialImage, cmcEvMan& bus,
                  std::uint32_t kind, int first, int last);
// Erases the memory channels that slots first..last of a bank name (they
// become empty and leave the bank); a slot word that does not match its
// channel's own bank and slot is passed over. A selected channel among them
// becomes 0xFFFF. Answers the number of channels erased.
int ClearBankRows(cmcEeprom& image, int bank, int first, int last);

// A list page holds a used record: pages 0..9 the memory channels of that
// hundred, 21..46 bank A..Z, 47 the call channels, 48 the scan edges, 51..60
// the positions 1..25 of that program link; any other page answers true.
bool IsPageInUse(const cmcEeprom& image, int page);
// Some used memory channel is in a bank and at most 550 MHz.
bool AnyChannelInBank(const cmcEeprom& image);
