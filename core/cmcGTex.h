#pragma once
// Keyed text-table readers. A table is a sequence of CP932 lines: "#key" lines
// start a key, the lines after it are its values 0, 1, 2... (numbering runs on
// into the following lines, key lines included), a lone "#" closes a list.
// Keys are indexed lazily, only as far as a search needs; keys found deep in
// the list move to its front, and each key caches the last value position
// read, so sequential and repeated look-ups stay cheap.
//
// Unlike the tables of old, every source carries its line count: a look-up
// that runs off the end takes the missing-key failure path instead of reading
// past the array.
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace kwres {
struct LineArray;
}

// Shared engine of cmcGTex and cmcHelpGTex.
class cmcGTexReader {
 public:
  // Longest line a look-up returns; a longer line is cut there.
  static constexpr std::size_t kMaxLine = 8191;

  cmcGTexReader() = default;
  ~cmcGTexReader() = default;
  cmcGTexReader(const cmcGTexReader&) = delete;
  cmcGTexReader& operator=(const cmcGTexReader&) = delete;

  // Takes a line array once: 1, or 0 (keeping the first) when one is set.
  // The lines must outlive the reader (or its next Reset).
  int SetSource(const char* const* lines, std::size_t count);
  int SetSource(const kwres::LineArray& table);
  // The same over lines built at run time; the reader keeps its own copy.
  int SetSource(std::vector<std::string> lines);

  // Value n (from 0) of the key. A missing key, or a value at or past the
  // end of the source, is fatal: "GTEX Error !\nThe index '<key>' was not
  // found." and exit code 3.
  std::string GetText(std::string_view key, int n);
  // Whether the key is in the source (a look-up that never fails).
  bool HasKey(std::string_view key);

  // Introspection for tests and benchmarks.
  std::size_t KeyCount() const { return keyCount_; }
  std::size_t ScanPosition() const { return scanPos_; }
  std::size_t LinesRead() const { return linesRead_; }
  bool MoreKeys() const { return moreKeys_; }
  std::string_view HeadKey() const;

 protected:
  void ResetReader();

 private:
  struct Node {
    std::string key;
    std::size_t valuePos = 0;  // line of value 0
    int cachedValue = 0;       // value number at cachedPos
    std::size_t cachedPos = 0;
    Node* next = nullptr;
  };

  bool Open();
  // Reads the line at the position into line_ (cut at kMaxLine) and advances.
  bool ReadLine();
  Node* FindKey(std::string_view key);
  [[noreturn]] void Fail(std::string_view key) const;

  int sourceKind_ = 0;  // 0 none, 1 line array
  bool open_ = false;
  const char* const* lines_ = nullptr;
  std::size_t count_ = 0;
  std::vector<std::string> owned_;
  std::vector<const char*> ownedPtrs_;

  std::size_t pos_ = 0;
  std::string line_;
  std::size_t scanPos_ = 0;
  std::size_t keyCount_ = 0;
  std::deque<Node> nodes_;  // storage; the list order runs through next
  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  bool moreKeys_ = true;
  std::size_t linesRead_ = 0;
};

// The interface text table reader.
class cmcGTex : public cmcGTexReader {
 public:
  // Value 0 of the key: single texts and "CellModel_" attribute sets.
  std::string GetFirst(std::string_view key) { return GetText(key, 0); }
  // Back to the freshly built state (before a new SetSource on a language switch).
  void Reset() { ResetReader(); }
};

// Values 0, 1, 2... of the key up to the first value beginning with "#",
// joined with "\n".
std::string GetGTexLines(cmcGTex& gtex, std::string_view key);
