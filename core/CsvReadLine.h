#pragma once
// Reads a text file one line at a time, byte by byte: a line ends at LF
// (not kept) or at the end of the file; every CR byte is dropped wherever it
// stands (a lone CR does not end a line, unlike cmcLoadFile). Bytes are kept
// as they are (code page 932, no byte-order mark handling).
//
// A line longer than the limit is cut there; the rest of it, up to its LF,
// is read and dropped, so the next call starts at the next line. Never reads
// more than one line ahead and never blocks beyond what the device does.
#include <QIODevice>
#include <cstddef>
#include <string>

namespace core {

// The longest line kept, as for the text tables' lines.
inline constexpr std::size_t kCsvLineMax = 8191;

// Reads the next line into `line` (cleared first). False when the device was
// already at its end (or unreadable) before the first byte: no line then.
// A last line without LF is a line; an empty line between two LFs is one.
bool CsvReadLine(QIODevice& file, std::string& line, std::size_t maxLength = kCsvLineMax);

}  // namespace core
