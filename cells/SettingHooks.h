#pragma once
// The behaviour some set-mode settings add to their row of the settings
// table (cells/ChoiceFields.h): the GPS alarm's type, group and memory, the
// GPS transmit mode and sentence set with the auto TX timer they govern, the
// bank links of a scan band, the home channels, which only show, and the
// position-report symbols, each a choice and an editable code over the same
// two bytes (table character and symbol character).
//
// The row runner (cells/SettingCases.h) asks a hook first whether the cell
// edits at all, runs the hooked shapes through these editors, and calls the
// after-change hook once a change has been stored.
#include "cells/ChoiceFields.h"

class indActiveCell;

namespace settinghooks {

// False when the hook has answered the request itself: the alarm group and
// memory without the alarm type they belong to show a light-grey empty
// text, the memory of a group without memories shows "---"; the cell then
// takes no key and no entry.
bool Admits(indActiveCell& ctx, const choicefield::ChoiceField& row);

// After a stored change: the alarm type resets the alarm group to the first
// used GPS group (numbered as the new type numbers groups; 0xFF when no
// group is used) and the alarm memory to 0; the alarm group resets the
// memory; the GPS TX mode NMEA and a changed sentence set move the auto TX
// timer from 1 to 2 when the sentence set is long, and redraw every data
// cell when they do.
void AfterChange(indActiveCell& ctx, const choicefield::ChoiceField& row);

// The hooked shapes; each answers whether it stored a change.
// The six sentence flag bytes through the NMEA sentence editor (0 or 1 stored).
bool EditSentences(indActiveCell& ctx, const choicefield::ChoiceField& row);
// The alarm memory: 0 to the alarm group's count - 1.
bool EditAlarmMemory(indActiveCell& ctx, const choicefield::ChoiceField& row);
// A group of the bank links of scan band ctx.index: bank b is bit b mod 8 of
// byte b / 8 of its four bytes; only the group's own bits change.
bool EditBankLinkGroup(indActiveCell& ctx, const choicefield::ChoiceField& row);
// The home VFO, memory channel and repeater, drawn olive; keys do nothing.
void ShowHomeChannel(indActiveCell& ctx, const choicefield::ChoiceField& row);

// The symbol as one of the selectable symbols (the list by symbol index; a
// code none of them is shows "---"). A pick writes the picked code; an
// overlay character of the stored code stays when the picked symbol is of
// the alternate table. Picking none (255) changes nothing, and Space or
// Backspace step past it.
bool EditSymbol(indActiveCell& ctx, const choicefield::ChoiceField& row);
// The symbol's two characters as a text: an entry whose first character is
// no table character ("/", "\", "0"-"9", "A"-"Z") or whose second is not
// one of "!".."~" is refused whole.
bool EditSymbolCode(indActiveCell& ctx, const choicefield::ChoiceField& row);

}  // namespace settinghooks
