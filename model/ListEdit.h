#pragma once
// Insertion and deletion primitives of the packed lists. Each keeps the
// counts, order tables, group starts, the selected repeater and the GPS alarm
// consistent, and answers whether it changed anything: a refused call (full
// list, index outside its group, empty list) leaves the image byte for byte
// as it was. Callers still check capacity first to tell the user.
//
// New entries are the blank records of the codec: a blank repeater (its
// duplex and offset by the destination in force), "CALLSIGN" for a your-call
// sign, a GPS memory dated from the clock.
class cmcEeprom;
class cmcEvMan;

// Repeater list: i must lie in group g (for an insert, up to one past its
// last entry); an insert needs a total below 1500.
bool RptListInsert(cmcEeprom& image, int g, int i);
bool RptListDelete(cmcEeprom& image, int g, int i);

// Your-call list: insert at 0..count (count below 300), delete below count.
bool UrListInsert(cmcEeprom& image, int i);
bool UrListDelete(cmcEeprom& image, int i);

// GPS order: the group insert takes the first free slot for position p,
// which must lie in first(g)..first(g) + count(g); the delete needs p in
// group g. The memory forms also store a blank GPS memory at p after an
// insert; a deleted memory's slot is simply no longer named.
bool GpsGroupInsert(cmcEeprom& image, int g, int p);
bool GpsGroupDelete(cmcEeprom& image, int g, int p);
bool GpsMemInsert(cmcEeprom& image, int g, int p);
bool GpsMemDelete(cmcEeprom& image, int g, int p);

// The same, then after a change the list sheets are told: event 52 (insert)
// or 53 (delete), then event 44, both sent.
bool RptListInsertNotify(cmcEeprom& image, cmcEvMan& bus, int g, int i);
bool RptListDeleteNotify(cmcEeprom& image, cmcEvMan& bus, int g, int i);
bool UrListInsertNotify(cmcEeprom& image, cmcEvMan& bus, int i);
bool UrListDeleteNotify(cmcEeprom& image, cmcEvMan& bus, int i);
bool GpsMemInsertNotify(cmcEeprom& image, cmcEvMan& bus, int g, int p);
bool GpsMemDeleteNotify(cmcEeprom& image, cmcEvMan& bus, int g, int p);
