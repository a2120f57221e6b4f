#pragma once
// Converters of the image's text fields: names (double-byte characters
// allowed), fixed texts and messages (folded to the radio's single-byte
// characters). They keep the editor protocol of cells/EditorProtocol.h with
// the text rule for keys: Space, Backspace and F2 open the editor like Enter
// (and the input method's start, 0x10007, on a Japanese system); a typed
// printable character (0x21..0x7E) opens it with that character. Texts
// never step.
//
// Each returns 1 when it replaced the text and writes the handler's result
// word into status. Texts are code page 932 bytes; no scan splits a
// double-byte character or reads past a field.
#include <cstdint>
#include <span>
#include <string>

#include "sheet/cmcCellCapsule.h"

struct ConverterContext;

// The text keys: Enter for Space, Backspace, F2, Enter and (on a Japanese
// system) the input method's start; the typed character otherwise; 0 for
// none or without an owner control.
std::int32_t TextKey(const ConverterContext& ctx, const cmcCellCapsule& capsule);

// A name held as a text. An entry (mode 1 or 2) replaces it: bytes that are
// no character become blanks, trailing blanks go, and it is cut to the
// maximum length without splitting a double-byte character. A plain text
// query (no owner control, no entry) under a non-Japanese interface shows
// each double-byte character as "==" and each half-width katakana as "_".
int EditNameText(const ConverterContext& ctx, cmcCellCapsule& capsule, std::string& name,
                 int maxLength, int& status);

// A fixed-length field of printable ASCII: full-width characters fold to
// half-width, other double-byte characters and half-width katakana go, the
// rest is blank-padded. Shown right-trimmed.
int EditFixedText(const ConverterContext& ctx, cmcCellCapsule& capsule, std::span<char> field,
                  int& status);

// A fixed-length message field (half-width katakana allowed): full-width
// characters fold to half-width, at most maxEntry bytes are kept (the field
// length when maxEntry is negative or larger), the rest is blank-padded.
// Shown right-trimmed, with the code-page rule of EditNameText.
int EditMessageText(const ConverterContext& ctx, cmcCellCapsule& capsule, std::span<char> field,
                    int maxEntry, int& status);

// The code-page rule for a plain text query under a non-Japanese interface.
std::string ShowAsSingleByte(std::string_view text);
