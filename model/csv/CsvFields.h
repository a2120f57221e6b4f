#pragma once
// Fields of a CSV line and the columns of a header. A line is split at the
// separator once; a separator right after a lead byte belongs to that
// double-byte character (as every splitter of code page 932 texts reads
// it). Header titles are matched trimmed and without regard to ASCII letter
// case; the first equal title wins.
#include <string_view>
#include <vector>

namespace csv {

// The fields of a line (views into it); an empty line has one empty field.
void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields);

// The index of the first field equal to the title, or -1 (also for an empty
// header line).
int CsvFindColumns(std::string_view header, char separator, std::string_view title);

// A row's fields, read by column index: a column of -1 is not found; a
// column past the row's end reads empty.
class CsvRow {
 public:
  void Set(std::string_view line, char separator) { SplitFields(line, separator, fields_); }
  std::string_view Get(int column) const {
    return column >= 0 && static_cast<std::size_t>(column) < fields_.size()
               ? fields_[static_cast<std::size_t>(column)]
               : std::string_view();
  }

 private:
  std::vector<std::string_view> fields_;
};

// The column of each title of a list (-1 where missing), in the list's order.
std::vector<int> FindColumns(std::string_view header, char separator,
                             const std::vector<const char*>& titles);

}  // namespace csv
