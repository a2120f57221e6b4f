#pragma once
// The two-line version file shipped beside the program: line 1 the version
// ("1.20"), line 2 the copyright years ("2014-2015"). Each line, trimmed of
// blanks and tabs, replaces its default when it is not empty. Lines end at
// LF, CR bytes are dropped, a line is cut at 8191 bytes.
//
// Never fails: a missing, unreadable or non-regular file (a folder, a pipe
// that could block) leaves both defaults; only the first 64 KiB are read, so
// a huge file costs nothing; a file with a NUL byte in its first two lines is
// not a text file and leaves both defaults (a NUL would cut the text short
// wherever it is formatted).
#include <cstddef>
#include <string>

struct VersionTexts {
  std::string version;
  std::string years;
};

inline constexpr std::size_t kVersionFileReadLimit = 64 * 1024;

// `path` is UTF-8.
VersionTexts ReadVersionFile(const std::string& path, const VersionTexts& defaults);
