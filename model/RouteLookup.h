#pragma once
// Call-sign and name lookups in the repeater and your-call lists. Repeater
// lookups answer 65535 and your-call lookups 300 when nothing matches. A
// repeater search runs over [from, to), clipped to the used part of the
// list; the whole-list forms search 0 .. total - 1; a your-call search runs
// below the your-call count. Call signs are 8 characters and names 16; a
// text is its first `length` bytes as stored (the caller gives at least that
// many), blank padded when shorter, and every byte counts, a NUL included.
// Nothing outside the lists is ever read, whatever the counts say.
#include <cstdint>

class cmcEeprom;

inline constexpr int kRptNotFound = 65535;
inline constexpr int kUrNotFound = 300;

// DV entry with a non-blank call sign whose first 7 characters equal the
// text's and whose module letter equals the text's, "A" and blank standing
// for each other.
int FindRptByPlainCall(const cmcEeprom& image, const char* text8, int from, int to);
// Text "/" + six characters + module letter: DV entry whose first 6 call-sign
// characters equal the text's characters 2..7 and whose module letter
// matches as above (the seventh call-sign character is not compared).
int FindRptBySlashForm(const cmcEeprom& image, const char* text8, int from, int to);
// 65535 unless the text begins with "/"; else the slash form over the list.
int FindRptBySlashCall(const cmcEeprom& image, const char* text, int length);
// First FM or FM-N entry with that call sign and frequency whose duplex is on.
int FindFmRptByCallFreq(const cmcEeprom& image, const char* call8, std::uint32_t freq, int from,
                        int to);
// 65535 for a blank call sign; else the first FM or FM-N entry with that call
// sign whose frequency lies in the same general range as `freq` (0 Hz
// counting as a range of its own).
int FindFmRptByCallRange(const cmcEeprom& image, const char* call8, std::uint32_t freq, int from,
                         int to);
// Text ending in "G" (a gateway call sign): among the DV entries with that
// gateway call sign and a call sign, the first whose call sign begins with
// the pair call sign's first 7 characters. Without a pair call sign (null):
// the first whose call sign is the text's first 7 characters with module
// "A" or blank, else the first with those 7 characters.
int FindRptByGatewayCall(const cmcEeprom& image, const char* text8, const char* pairCall8, int from,
                         int to);
// By mode over the whole list: 0 plain call sign, 1 slash form, 2 gateway
// call sign (with the optional pair call sign). 65535 when `length` is not
// 8..16, when characters 9..length are not blank, or for another mode.
int FindCallSignIndex(const cmcEeprom& image, const char* text, const char* pairCall, int length,
                      int mode);
inline constexpr int kCallModePlain = 0;
inline constexpr int kCallModeSlash = 1;
inline constexpr int kCallModeGateway = 2;
// A gateway call sign (eighth character "G") by mode 2 without a pair call
// sign; else a non-blank text by mode 0; else 65535.
int FindRptByCall(const cmcEeprom& image, const char* text, int length);
// As FindRptByCall on call2; a gateway call2 is paired with call1 when call1
// is not blank and `pairFlag` is 1.
int FindRptByCallPair(const cmcEeprom& image, const char* call1, const char* call2, int length,
                      int pairFlag);
// First DV entry whose 16-byte name equals the name.
int FindDvRptByName(const cmcEeprom& image, const char* name16);

// 300 when the first `length` characters are blank; else the first entry
// whose 8-character call sign equals the text's first 8.
int FindYourCallSignAny(const cmcEeprom& image, const char* text, int length);
// 300 when the text begins with "/" or is blank; else the first entry whose
// call sign has the text's first 7 characters and as eighth the text's
// eighth or a blank.
int FindYourCallSignNoSlash(const cmcEeprom& image, const char* text, int length);
// First entry whose 16-byte name equals the name.
int FindYourCallSign(const cmcEeprom& image, const char* name16);
// A text of 1..16 characters: first by name, then its first 8 characters as
// a call sign (FindYourCallSignNoSlash); 65535 when neither finds an entry,
// or for a length outside 1..16.
int LookupCallSignText(const cmcEeprom& image, const char* text, int length);
