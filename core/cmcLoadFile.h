#pragma once
// Loads a whole text file as lines and walks its non-empty lines (the CSV
// import reads files this way). Lines keep their bytes (code page 932, no
// byte-order mark handling); a line ends at CR LF, LF or a lone CR, a final
// terminator adds no line and an unterminated last line counts.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class cmcLoadFile {
 public:
  // Larger files are refused (a text file of the program never comes near).
  static constexpr std::int64_t kMaxFileSize = 64 * 1024 * 1024;

  cmcLoadFile() = default;

  // 1 when the file was read; 0 when it is missing, not a regular file, larger
  // than kMaxFileSize or unreadable; then no lines are kept and the stored
  // name is empty. Either way the current index goes back to 0.
  int Load(const std::string& name);
  // The line at the current index (empty when there is none). Lines are
  // views into the loaded bytes, valid until the next Load.
  std::string_view GetLine() const { return GetLineAt(index_); }
  // Line i; empty when i is negative or not below the count.
  std::string_view GetLineAt(std::int32_t i) const {
    if (i < 0 || i >= Count()) return {};
    const Span& line = lines_[static_cast<std::size_t>(i)];
    return std::string_view(bytes_.get() + line.offset, line.length);
  }
  // Moves to the next non-empty line: 1; none left: index back to 0, 0.
  // (Inline: a walk over a large file calls it once per line.)
  int NextLine() {
    for (std::int32_t i = index_ + 1; i < Count(); ++i) {
      if (lines_[static_cast<std::size_t>(i)].length != 0) {
        index_ = i;
        return 1;
      }
    }
    index_ = 0;
    return 0;
  }

  std::int32_t Count() const { return count_; }
  std::int32_t Index() const { return index_; }
  const std::string& Name() const { return name_; }

  // Offsets fit 32 bits: files are at most kMaxFileSize bytes.
  struct Span {
    std::uint32_t offset;
    std::uint32_t length;
  };
  // Splits bytes into lines by the rules above.
  static std::vector<Span> SplitLines(std::string_view bytes);

 private:
  std::unique_ptr<char[]> bytes_;
  std::unique_ptr<Span[]> lines_;
  std::int32_t count_ = 0;
  std::string name_;
  std::int32_t index_ = 0;
};
