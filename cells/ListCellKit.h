#pragma once
// What the cases of the GPS-memory, DTMF, TX-message, call-sign and
// repeater-list sheets share: the converters' context of a call, the
// light-grey look of a field that does not apply to its record, the number
// cell of a list row, the name fields and fixed-size blocks kept in fixed
// areas of the image, and the new-entry row of the GPS, your-call and
// repeater lists.
//
// The new-entry row (the row after a list's last entry) holds no entry of
// the image. Its key cell inserts an entry before it acts, and only on a
// key the cell's converter acts on; every other request leaves the image as
// it was. Nothing is ever stored on that row: the entry is appended at the
// end of the sheet's group or list and the row's record then names it.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "cells/ConverterContext.h"

class cmcEeprom;

class indActiveCell;

namespace listcells {

// The converters' context: languages and switches from the settings, the
// document's date order from the host, the position format of the image.
// The channel, bank, scan-edge and link cases take it too.
ConverterContext ConvertersFor(const indActiveCell& ctx);

// Draws the cell's text light grey (0xC0C0C0) when it is being drawn; the
// cell stays editable.
void Grey(indActiveCell& ctx);
// Draws the cell's text olive (0x008080) when it is being drawn: a cell that
// only shows.
void Olive(indActiveCell& ctx);

// The row-number cell of a GPS, your-call or repeater sheet: value 0 of
// "GI_NewChTitle" on the new-entry row (index first + count of the list
// range), otherwise `number` in decimal.
void ShowListRowNumber(indActiveCell& ctx, std::int64_t number);
// The row is the new-entry row of its list sheet.
bool IsNewEntryRow(const indActiveCell& ctx);

// The key cells of the new-entry row, by the keys their converters act on:
// names take Enter (Space, Backspace, F2, the input method's start on a
// Japanese system) and typed printable characters; call signs Enter and
// "/", digits and letters.
bool NameConverterActsOn(const ConverterContext& converters, const indActiveCell& ctx);
bool CallSignConverterActsOn(const ConverterContext& converters, const indActiveCell& ctx);

// On the new-entry row: appends an entry to the sheet's group or list
// (events 52 and 44 follow) and loads it into the row's record with its used
// bit cleared, so that the row is edited as a blank entry. A full list shows
// "GI_AppMess_MemoryErr_Overflow" (event 22 posted (0, 1) before and (0, 0)
// after the box) and inserts nothing. False when nothing was inserted: the
// caller then drops the key.
bool InsertEntry(indActiveCell& ctx);

// A name held in a fixed area of the image: shown as its bytes cut at the
// field's length; an entry fills the field with blanks and copies the new
// bytes in. True when the field was written.
bool EditFixedName(indActiveCell& ctx, const ConverterContext& converters, std::int64_t address,
                   int length);

// The name of entry `entry` of a fixed table of names (16 bytes each from
// `firstName`, `count` entries) whose change renames the entry's tree node:
// event 50 with `page` and the label `label` makes of `labelEntry`.
using NodeLabel = std::string (*)(const cmcEeprom& image, int entry, bool leadingBlank);
void EditNodeName(indActiveCell& ctx, std::int64_t firstName, int entry, int count, int page,
                  NodeLabel label, int labelEntry);

// A byte of the image that the cell edits through a choice list: the row of
// the cell in the settings table (cells/ChoiceFields.h) at the cell's index,
// its list as the row's selector picks it. A changed value is written into
// the row's bits; an index outside the row, or a row that offers no list
// now, shows and writes nothing. True when the value was written.
bool EditChoiceByte(indActiveCell& ctx);

// A table of fixed-size blocks in the image (the DTMF memories, the TX
// messages): `count` entries, entry n the `size` bytes at address(n).
struct FixedBlockTable {
  int count;
  int size;
  std::int64_t (*address)(int entry);
};
// Edits the block in place: answers non-zero when it changed the bytes.
using BlockEditor = std::function<int(indActiveCell& ctx, std::span<std::uint8_t> block)>;
// The block of the row's entry (ctx.index) edited as text: `edit` gets a
// copy of the block's bytes, which is written back only when it answers a
// change. A row outside the table shows and writes nothing.
void EditFixedBlock(indActiveCell& ctx, const FixedBlockTable& table, const BlockEditor& edit);
// The same for the `size` bytes at `address`: true when they were written.
bool EditImageBlock(indActiveCell& ctx, std::int64_t address, int size, const BlockEditor& edit);

// The stored bytes of a record's name field as a text, and back (blank
// padded); the converters take names as texts.
std::string FieldText(std::span<const char> field);
void SetField(std::span<char> field, const std::string& text);

}  // namespace listcells
