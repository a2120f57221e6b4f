// kw_symbolgen <choice-list-source-dir> <unlisted.txt> <output.cpp>
// Writes the position-report symbol names (SymbolNames.h) as CP932 byte
// strings: the 74 options of the symbol choice list in the order of the
// selectable codes, then the unlisted symbols, then the omnidirectional
// word of the directivity list. Fails, naming file and line, when a name has
// no CP932 form, holds "," or ";", a code repeats or a list is not as
// expected; then it writes nothing.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ChoiceSource.h"
#include "SelectableSymbolCodes.h"
#include "TextGen.h"
#include "TextSource.h"

namespace {

const char* const kSymbolList = "GI_Sheet_Sel_Common_APRS_Symbol";
const char* const kDirectivityList = "GI_Sheet_Sel_Common_PhgdDir";

struct Row {
  char table = 0;
  char symbol = 0;
  std::string english;  // CP932
  std::string japanese;
};

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

// A name goes into CSV fields unchanged, so it holds no field separator.
bool ConvertName(const std::string& utf8, const std::string& file, int line, std::string& out,
                 textgen::Diagnostics& diag) {
  if (utf8.empty()) {
    diag.Error(file, line, "empty symbol name");
    return false;
  }
  if (utf8.find_first_of(",;") != std::string::npos) {
    diag.Error(file, line, "a symbol name holds no \",\" or \";\"");
    return false;
  }
  return textgen::Utf8ToCp932Line(utf8, file, line, out, diag);
}

void ReadUnlisted(const std::string& path, std::vector<Row>& rows, textgen::Diagnostics& diag) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    diag.Error(path, 0, "cannot open the file");
    return;
  }
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    const std::string t = Trim(text);
    if (t.empty() || t[0] == '#') continue;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
      const auto bar = t.find('|', start);
      fields.push_back(Trim(t.substr(start, bar == std::string::npos ? bar : bar - start)));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    if (fields.size() != 3 || fields[0].size() != 2) {
      diag.Error(path, number, "expected <table><symbol> | <English> | <Japanese>");
      continue;
    }
    Row row;
    row.table = fields[0][0];
    row.symbol = fields[0][1];
    if ((row.table != '/' && row.table != '\\') || row.symbol < '!' || row.symbol > '~') {
      diag.Error(path, number, "the table is \"/\" or \"\\\" and the symbol \"!\" to \"~\"");
      continue;
    }
    if (ConvertName(fields[1], path, number, row.english, diag) &&
        ConvertName(fields[2], path, number, row.japanese, diag)) {
      rows.push_back(std::move(row));
    }
  }
}

const choicegen::ChoiceList* FindList(const std::vector<choicegen::ChoiceList>& lists,
                                      const std::string& key) {
  for (const auto& l : lists)
    if (l.key == key) return &l;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <choice-list-source-dir> <unlisted.txt> <output.cpp>\n",
                 argv[0]);
    return 2;
  }
  textgen::Diagnostics diag;
  const auto lists = choicegen::ReadChoiceSources(argv[1], diag);
  std::vector<Row> rows;
  std::string omniEnglish, omniJapanese;

  const choicegen::ChoiceList* symbols = FindList(lists, kSymbolList);
  if (!symbols) diag.Error(std::string("no list ") + kSymbolList);
  if (symbols) {
    for (int index = 0; index < aprscodes::kSelectableCount; ++index) {
      const choicegen::Option* option = nullptr;
      for (const auto& o : symbols->options)
        if (o.value == index) option = &o;
      if (!option) {
        diag.Error(symbols->file, symbols->line,
                   "symbol index " + std::to_string(index) + " has no option");
        continue;
      }
      Row row;
      row.table = aprscodes::kSelectable[static_cast<std::size_t>(index)].table;
      row.symbol = aprscodes::kSelectable[static_cast<std::size_t>(index)].symbol;
      if (ConvertName(option->english, symbols->file, option->line, row.english, diag) &&
          ConvertName(option->japanese, symbols->file, option->line, row.japanese, diag)) {
        rows.push_back(std::move(row));
      }
    }
  }
  ReadUnlisted(argv[2], rows, diag);

  std::set<std::pair<char, char>> seen;
  for (const Row& r : rows)
    if (!seen.insert({r.table, r.symbol}).second)
      diag.Error(std::string("symbol ") + r.table + r.symbol + " is named twice");

  const choicegen::ChoiceList* directivity = FindList(lists, kDirectivityList);
  const choicegen::Option* omni = nullptr;
  if (directivity)
    for (const auto& o : directivity->options)
      if (o.value == 0) omni = &o;
  if (!omni) {
    diag.Error(std::string("no option 0 in ") + kDirectivityList);
  } else {
    ConvertName(omni->english, directivity->file, omni->line, omniEnglish, diag);
    ConvertName(omni->japanese, directivity->file, omni->line, omniJapanese, diag);
  }

  if (diag.Failed()) {
    std::fprintf(stderr, "symbol names: %d error(s); nothing written\n", diag.Count());
    return 1;
  }

  std::ostringstream os;
  os << "// Generated by kw_symbolgen from resources/choice-lists and\n"
        "// resources/symbol-names/unlisted.txt. Do not edit.\n"
        "#include \"resources/symbol-names/SymbolNames.h\"\n\n"
        "namespace kwres {\n\n"
        "const SymbolNameRow kSymbolNameRows[] = {\n";
  for (const Row& r : rows) {
    os << "    {" << textgen::CppLiteral(std::string(1, r.table)) << "[0], "
       << textgen::CppLiteral(std::string(1, r.symbol)) << "[0], "
       << textgen::CppLiteral(r.english) << ", " << textgen::CppLiteral(r.japanese) << "},\n";
  }
  os << "};\nconst std::size_t kSymbolNameRowCount = " << rows.size() << ";\n\n"
     << "const char* const kOmniEnglish = " << textgen::CppLiteral(omniEnglish) << ";\n"
     << "const char* const kOmniJapanese = " << textgen::CppLiteral(omniJapanese) << ";\n\n"
     << "}  // namespace kwres\n";

  const std::filesystem::path out = argv[3];
  std::filesystem::create_directories(out.parent_path());
  const std::string text = os.str();
  {
    std::ifstream old(out, std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(old)),
                             std::istreambuf_iterator<char>());
    if (old && before == text) return 0;
  }
  const std::filesystem::path tmp = out.string() + ".tmp";
  {
    std::ofstream file(tmp, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file) {
      std::fprintf(stderr, "cannot write %s\n", tmp.string().c_str());
      return 1;
    }
  }
  std::filesystem::rename(tmp, out);
  return 0;
}
