#include "model/csv/CsvFields.h"

#include "core/SjisBytes.h"
#include "core/TextFields.h"
#include "model/csv/CsvTables.h"

namespace csv {
void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == separator) {
      fields.push_back(line.substr(start, i - start));
      start = ++i;
      continue;
    }
    i += core::SjisCharLength(line, i);
  }
  fields.push_back(line.substr(start));
}

int CsvFindColumns(std::string_view header, char separator, std::string_view title) {
  if (header.empty()) return -1;
  const std::string_view wanted = core::TrimBlanksView(title);
  std::vector<std::string_view> fields;
  SplitFields(header, separator, fields);
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (EqualNoCase(core::TrimBlanksView(fields[i]), wanted)) return static_cast<int>(i);
  return -1;
}

std::vector<int> FindColumns(std::string_view header, char separator,
                             const std::vector<const char*>& titles) {
  std::vector<int> columns;
  columns.reserve(titles.size());
  for (const char* title : titles) columns.push_back(CsvFindColumns(header, separator, title));
  return columns;
}

}  // namespace csv
