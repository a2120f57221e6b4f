#pragma once
// Converters of flag sets edited in the bit-selection dialog: the banks
// linked into a scan, the NMEA sentences the radio sends and those its GPS
// logger records. The dialog numbers its items first..last and keeps item k
// in bit 26 - k of its flag word; these converters move a stored field into
// that word and back, touching only the field's own bits.
//
// Each returns 1 when it replaced the value and writes the handler's result
// word into status (1 when it opened the dialog).
#include <cstdint>

#include "sheet/FBitsModel.h"
#include "sheet/cmcCellCapsule.h"

struct ConverterContext;

// Items k of first..last (0 <= first <= last <= 26) of a field that keeps
// the first item in its highest used bit: the dialog's flag word and back.
// FieldFromFlags keeps the field's bits above the items.
std::uint32_t FlagsFromField(std::uint32_t field, int firstItem, int lastItem);
std::uint32_t FieldFromFlags(std::uint32_t field, std::uint32_t flags, int firstItem, int lastItem);
inline bool IsFlagSet(std::uint32_t flags, int item) { return (flags >> (26 - item)) & 1u; }

// Bank links: banks A-J, K-T, U-Z are items 1-10, 11-20, 21-26, lettered
// (header kind 3) or numbered. The text shows each item's letter or digit
// when set, "_" when clear. A typed letter or digit toggles that item ("0"
// is item 10); Space clears all when any is set, else sets all; Backspace
// inverts all; Enter opens the dialog.
int EditBankLinks(const ConverterContext& ctx, cmcCellCapsule& capsule, std::uint32_t& field,
                  int firstItem, int lastItem, int headerKind, int& status);

// The NMEA sentence set: the six flags packed as the settings cells pack
// them (RMC bit 4, GGA 3, GLL 2, GSA 1, VTG 0, GSV 5), items 1..6 RMC, GGA,
// GLL, GSA, VTG, GSV. Shown as the set names joined by ", ", "OFF" for none.
// Enter and Space open the dialog.
int EditNmeaSentences(const ConverterContext& ctx, cmcCellCapsule& capsule, std::uint32_t& packed,
                      int& status);
// The logger's sentence set: items 1..4 RMC, GGA, VTG, GSA, RMC in bit 3.
int EditNmeaOutput(const ConverterContext& ctx, cmcCellCapsule& capsule, std::uint32_t& field,
                   int& status);
