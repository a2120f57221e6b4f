#pragma once
// Call-sign lookups in the repeater and your-call lists. Repeater lookups
// answer 65535 and your-call lookups 300 when nothing matches. A repeater
// search runs over [from, to), clipped to the used part of the list; the
// whole-list forms search 0 .. total - 1. Texts are 8 call-sign characters
// (shorter texts are blank padded to `length`).
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

// 300 when the first `length` characters are blank; else the first entry
// whose 8-character call sign equals the text's first 8.
int FindYourCallSignAny(const cmcEeprom& image, const char* text, int length);
// 300 when the text begins with "/" or is blank; else the first entry whose
// call sign has the text's first 7 characters and as eighth the text's
// eighth or a blank.
int FindYourCallSignNoSlash(const cmcEeprom& image, const char* text, int length);
