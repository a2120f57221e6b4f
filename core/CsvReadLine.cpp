#include "core/CsvReadLine.h"

namespace core {

bool CsvReadLine(QIODevice& file, std::string& line, std::size_t maxLength) {
  line.clear();
  bool any = false;
  char c = 0;
  while (file.getChar(&c)) {
    any = true;
    if (c == '\n') break;
    if (c == '\r') continue;
    if (line.size() < maxLength) line.push_back(c);
  }
  return any;
}

}  // namespace core
