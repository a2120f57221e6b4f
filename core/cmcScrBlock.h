#pragma once
// One line of the sheets' small script language: a word, a blank, then
// fields separated by commas ("Only_USA 3", "x a, b ,c"). The word and every
// field are trimmed of blanks and tabs. A line without a blank gives its word
// and the same text again as field 0, as the script readers expect. Second
// bytes of double-byte characters are never separators. Asking for a field
// that does not exist gives the empty text, never a failure.
#include <string>
#include <string_view>
#include <vector>

class cmcScrBlock {
 public:
  explicit cmcScrBlock(std::string_view line);

  const std::string& Word() const { return word_; }
  int Count() const { return static_cast<int>(fields_.size()); }
  // Field i, or the empty text when i is negative or not below the count.
  const std::string& Field(int i) const;
  // Resizes the field list: new fields are empty, fields from n on go.
  void SetCount(int n);

 private:
  std::string word_;
  std::vector<std::string> fields_;
};
