#pragma once
// Reading of the UTF-8 text-table sources into CP932 lines, with every error
// reported as "file:line: message" so a bad source stops the build clearly.
#include <map>
#include <string>
#include <vector>

namespace textgen {

// A line of a source, already in code page 932, and where it came from.
struct SourceLine {
  std::string bytes;
  std::string file;
  int line = 0;
};

// A key with its value lines, as one area file gives it.
struct KeyBlock {
  std::string key;     // without the "#"
  SourceLine keyLine;  // the "#key" line itself
  std::vector<SourceLine> values;
};

// Collects errors instead of stopping at the first, so one build run names
// every faulty line.
class Diagnostics {
 public:
  void Error(const std::string& file, int line, const std::string& message);
  void Error(const std::string& message);
  void Error(const SourceLine& where, const std::string& message) {
    Error(where.file, where.line, message);
  }
  bool Failed() const { return !messages_.empty(); }
  int Count() const { return static_cast<int>(messages_.size()); }
  // Every error as printed: "file:line: error: message".
  const std::vector<std::string>& Messages() const { return messages_; }
  // Off: collect only (tests).
  void SetEcho(bool echo) { echo_ = echo; }

 private:
  std::vector<std::string> messages_;
  bool echo_ = true;
};

// Longest line the readers return; a longer source line is refused.
constexpr std::size_t kMaxLineBytes = 8191;

// Reads a UTF-8 file and converts each line to CP932. "\xB0" and "\xB7" stand
// for those single bytes; every other character must have a CP932 byte.
// Refuses CR, NUL, invalid UTF-8 and lines over kMaxLineBytes bytes.
std::vector<SourceLine> ReadSourceLines(const std::string& path, Diagnostics& diag);

// One line of UTF-8 (with the same "\xB0" and "\xB7" escapes) appended to
// bytes in CP932; false, with the fault reported at file:number, on the same
// faults as ReadSourceLines.
bool Utf8ToCp932Line(const std::string& text, const std::string& file, int number,
                     std::string& bytes, Diagnostics& diag);

// Splits lines into key blocks; lines before the first key are an error.
std::vector<KeyBlock> SplitBlocks(const std::vector<SourceLine>& lines, Diagnostics& diag);

// A list file: one entry a line; blank lines and lines starting with "#" are
// comments. Entries keep their source position.
std::vector<SourceLine> ReadListFile(const std::string& path, Diagnostics& diag);

// True for a key line: "#" followed by at least one character.
inline bool IsKeyLine(const std::string& line) { return line.size() >= 2 && line[0] == '#'; }

}  // namespace textgen
