#pragma once
// The passes the document's images go through on their way in and out of the
// program, as free functions over explicit images: the main controller wraps
// them for its current, initial and write images.
//
// - BuildInitialImage: the image a new document starts from.
// - PrepareImage (on load): list counts from the order tables, lists put in
//   order, shared gateway calls resolved.
// - PrepareWriteImage (before a save or a clone write, on a copy): the order
//   tables and gateway references the radio and older programs read.
// - NormalizeImage: the destination fix-up against the initial image.
// - CorrectMarkedSettings: repairs what the warning check marks, when the
//   user agrees to save with a digest line.
// - CheckDataFile: the revision byte and format signature of a loaded image.
//
// Every pass takes the revision-3 layout and an image of at least
// layout::kMinImageSize bytes (the document's images always are); a smaller
// image is an internal failure. The passes that read the band plan (blank
// repeaters, the destination groups of the fix-up, the record checks) take
// the destination explicitly and install it for their run, so the item
// codec sees the same one; the caller's destination in force comes back
// afterwards. Damaged order tables never reach outside the lists: counts
// stay within 1500 repeaters and 300 your-call entries, and entries past
// the lists give blank records.
#include <cstdint>

#include "model/cmcEeprom.h"

class indDestination;

namespace imagepass {

// The initial image of a destination (codes outside 0..15 use default image
// 0 and destination 0's band plan): the full-size image of
// FullImageFromDefault (model/InitialImage.h), then PrepareImage and
// NormalizeImage on it. firstInfoFlag is the settings' first information
// flag (bit 3 of byte 170870).
cmcEeprom BuildInitialImage(const indDestination& destination, bool firstInfoFlag);

// The two loading passes. Group counts: the used length of the repeater order
// table (entries before the first 0xFFFF) is shared out from group 49 down,
// each group with a start below 1500 taking the entries from its start to
// the current length; a start past the length (a damaged table) gives that
// group 0 and leaves the length as it is. The your-call count is the number
// of entries before the first 0xFFFF. Then the lists are put in order from a
// copy of the image: position p takes the repeater (your-call entry) the
// order table names at p, or the blank record when the entry is 1500 (300)
// or more; each repeater takes the gateway call of the repeater its
// repeater word names (blanks for a word of 1500 or more).
void PrepareImage(cmcEeprom& image, const indDestination& destination);

// The write preparation: group starts (first index of each group with
// entries, else 0xFFFF), the identity repeater and your-call order tables for
// the used entries (0xFFFF after), and each repeater's word: its own index
// when its gateway call is not blank, else 65535; a gateway call equal to an
// earlier repeater's is stored once, the later repeater keeping only the
// earlier one's index.
void PrepareWriteImage(cmcEeprom& image);

// The destination fix-up against the initial image. Channels: frequency
// snapped to its band's step, a mode above 11 becomes 0, an undefined tone
// mode (2 or 15) makes the channel its band's default record, unused; the
// canceller frequency from the band default. Then event 45 is sent (when a
// bus is installed). The text areas lose unprintable bytes and double-byte
// characters (blanks instead); used repeaters are made consistent with their
// type; the destination's settings bytes are copied from the initial image;
// bit 3 of byte 170870 takes firstInfoFlag and bit 6 of byte 170871 the
// initial image's bit. `initial` may be `image` itself.
void NormalizeImage(cmcEeprom& image, const cmcEeprom& initial, const indDestination& destination,
                    bool firstInfoFlag);

// The correction of what the warning check marks, answering whether entries
// were deleted. Used memory channels failing a channel check (band, offset
// grid, air-band mode, tuning step) and used scan edges failing a scan-edge
// check take the initial image's record of their place, memory channels and
// edges marked unused (a call channel keeps the initial record's state); a
// selected channel that was reset is no longer selected, and the bank table
// is rebuilt. Repeaters, from the last down: a duplicate call sign deletes a
// digital repeater and blanks an analogue one's call sign; a digital
// repeater outside the destination's ranges gets frequency 0; one that then
// fails the frequency or duplex-without-call-sign check is deleted. Your-call
// entries with a duplicate (or blank) call sign are deleted, the later of
// two. fromSave: event 33 is posted after a deletion, else event 15.
bool CorrectMarkedSettings(cmcEeprom& image, const cmcEeprom& initial,
                           const indDestination& destination, bool fromSave);

// The data check of a loaded image of the given revision: true (fails) when
// the revision byte is not 1, 2 or 3, or, when checkFormatName is set, the
// 16-byte format signature is not "QuorCloneFormat3"; also when the image is
// too short to hold either.
bool CheckDataFile(const cmcEeprom& image, bool checkFormatName, int revision);

// The size an image must have to hold the software area.
bool ImageHoldsSoftwareArea(std::int32_t imageSize);
// The start-up self check: an image size that cannot hold the software area
// ends the program with its fixed message.
void SelfCheckImageSize(std::int32_t imageSize);

}  // namespace imagepass
