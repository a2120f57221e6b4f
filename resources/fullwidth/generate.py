#!/usr/bin/env python3
"""Builds the full-width to half-width table of code page 932 texts.

    generate.py listing   writes halfwidth.txt from Unicode's wide and narrow
                          pairs plus the choices below (deterministic)
    generate.py table     writes core/HalfWidthTable.cpp from halfwidth.txt
    generate.py           both, in that order

halfwidth.txt is the editable source: one entry a line, the CP932 pair, the
character as UTF-8, the half-width result bytes and the rule that produced it.
Edit the choices here and run both steps, or edit the listing by hand and run
"table"; a test checks that the compiled table matches the listing and that
every entry decodes through iconv as the listing says.

Rules, in order, for every pair whose lead byte is in the radio's lead class
(81..9F, E0..EF; other lead bytes are removed as invalid before mapping):
  1. hiragana become katakana (the mapping folds to katakana);
  2. a character with a <wide> decomposition becomes that character;
  3. a character that is the target of a <narrow> decomposition becomes the
     narrow character;
  4. a character whose canonical decomposition is a base and the voiced or
     semi-voiced combining mark becomes the narrow base and the narrow mark;
  5. the choices below.
The result must be one or two single bytes of code page 932 (printable ASCII
or half-width katakana) that decode back to exactly the result characters;
anything else stays unmapped and is removed later as a double-byte character.
"""
import os
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
LISTING = os.path.join(HERE, "halfwidth.txt")
TABLE = os.path.join(HERE, "..", "..", "core", "HalfWidthTable.cpp")

# Choices the Unicode pairs do not make. Each is recorded in the listing.
CHOICES = {
    "\u2019": ("'", "right single quotation mark as the apostrophe an input method gives in full width"),
    "\u201D": ('"', "right double quotation mark as the quotation mark an input method gives in full width"),
    "\u309B": ("\uFF9E", "spacing voiced sound mark as the half-width voiced mark"),
    "\u309C": ("\uFF9F", "spacing semi-voiced sound mark as the half-width semi-voiced mark"),
}
# Left unmapped on purpose (removed as double-byte characters).
UNMAPPED = {
    "\u30F5": "small ka: no half-width form",
    "\u30F6": "small ke: no half-width form",
    "\u30EE": "small wa: no half-width form",
    "\u30F0": "wi: no half-width form",
    "\u30F1": "we: no half-width form",
    "\u2018": "left single quotation mark: only the closing form is mapped",
    "\u201C": "left double quotation mark: only the closing form is mapped",
    "\uFFE5": "full-width yen sign: byte 5C reads as a backslash here",
    "\uFFE3": "full-width macron: byte 7E reads as a tilde here",
}

LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xF0))
TRAILS = list(range(0x40, 0x7F)) + list(range(0x80, 0xFD))


def narrow_targets():
    targets = {}
    for cp in range(0x110000):
        d = unicodedata.decomposition(chr(cp))
        if d.startswith("<narrow> "):
            parts = d.split()[1:]
            if len(parts) == 1:
                targets.setdefault(chr(int(parts[0], 16)), chr(cp))
    return targets


def single_bytes(text):
    """CP932 bytes of text when every character is one single byte that
    decodes back to it, else None."""
    out = b""
    for ch in text:
        try:
            b = ch.encode("cp932")
        except UnicodeEncodeError:
            return None
        if len(b) != 1 or b.decode("cp932") != ch:
            return None
        v = b[0]
        if not (0x20 <= v <= 0x7E or 0xA1 <= v <= 0xDF):
            return None
        out += b
    return out


def map_char(ch, narrow):
    if ch in UNMAPPED:
        return None, None
    if ch in CHOICES:
        return CHOICES[ch][0], "choice"
    rule = ""
    c = ch
    if 0x3041 <= ord(c) <= 0x3096:
        c = chr(ord(c) + 0x60)
        rule = "kana "
    if c in UNMAPPED:
        return None, None
    d = unicodedata.decomposition(c)
    if d.startswith("<wide> ") and len(d.split()) == 2:
        return chr(int(d.split()[1], 16)), rule + "wide"
    if c in narrow:
        return narrow[c], rule + "narrow"
    nfd = unicodedata.normalize("NFD", c)
    if len(nfd) == 2 and nfd[1] in ("\u3099", "\u309A") and nfd[0] in narrow and nfd[1] in narrow:
        return narrow[nfd[0]] + narrow[nfd[1]], rule + "narrow+mark"
    return None, None


def write_listing():
    narrow = narrow_targets()
    rows = []
    for lead in LEADS:
        for trail in TRAILS:
            pair = bytes([lead, trail])
            try:
                ch = pair.decode("cp932")
            except UnicodeDecodeError:
                continue
            result, rule = map_char(ch, narrow)
            if result is None:
                continue
            b = single_bytes(result)
            if b is None:
                continue
            rows.append((pair.hex().upper(), ch, " ".join("%02X" % v for v in b), rule))
    with open(LISTING, "w", encoding="utf-8", newline="\n") as f:
        f.write("# Full-width to half-width table of code page 932 texts.\n")
        f.write("# Written by generate.py (see there for the rules); the table in\n")
        f.write("# core/HalfWidthTable.cpp is built from this file.\n")
        f.write("#\n# Choices:\n")
        for ch, (res, why) in CHOICES.items():
            f.write("#   U+%04X %s -> %s: %s\n" % (ord(ch), ch, res, why))
        f.write("# Left unmapped (removed as double-byte characters):\n")
        for ch, why in UNMAPPED.items():
            f.write("#   U+%04X %s: %s\n" % (ord(ch), ch, why))
        f.write("#\n# pair\tchar\tresult\trule\n")
        for pair, ch, res, rule in rows:
            f.write("%s\t%s\t%s\t%s\n" % (pair, ch, res, rule))
    return len(rows)


def read_listing():
    entries = []
    with open(LISTING, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            pair = int(fields[0], 16)
            result = [int(x, 16) for x in fields[2].split()]
            if not 1 <= len(result) <= 2:
                sys.exit("bad result in line: " + line)
            entries.append((pair, result))
    entries.sort()
    for a, b in zip(entries, entries[1:]):
        if a[0] == b[0]:
            sys.exit("pair %04X listed twice" % a[0])
    return entries


def write_table():
    entries = read_listing()
    with open(TABLE, "w", encoding="utf-8", newline="\n") as f:
        f.write("// Written by resources/fullwidth/generate.py from resources/fullwidth/halfwidth.txt.\n")
        f.write("// Edit the listing (or the generator's choices) and run the generator again.\n")
        f.write('#include "core/HalfWidthTable.h"\n\nnamespace core {\nnamespace {\n\n')
        f.write("constexpr HalfWidthEntry kEntries[] = {\n")
        for pair, result in entries:
            second = "0x%02X" % result[1] if len(result) == 2 else "0x00"
            f.write("    {0x%04X, %d, {0x%02X, %s}},\n" % (pair, len(result), result[0], second))
        f.write("};\n\n}  // namespace\n\n")
        f.write("std::span<const HalfWidthEntry> HalfWidthTable() { return kEntries; }\n\n")
        f.write("}  // namespace core\n")
    return len(entries)


def main(argv):
    steps = argv[1:] or ["listing", "table"]
    for step in steps:
        if step == "listing":
            print("listing: %d entries" % write_listing())
        elif step == "table":
            print("table: %d entries" % write_table())
        else:
            sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
