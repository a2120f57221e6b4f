#include "ChoiceSource.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace choicegen {
namespace {

const char* const kSelPrefix = "GI_Sheet_Sel_";
const char* const kSubBandMuteKey = "GI_Sheet_Common_SubBandMute";

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsListKey(const std::string& key) {
  if (key == kSubBandMuteKey) return true;
  const std::string prefix = kSelPrefix;
  if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) return false;
  return std::all_of(key.begin(), key.end(), IsNameChar);
}

std::optional<int> ReadNumber(const std::string& s, int max) {
  if (s.empty() || s.size() > 5) return std::nullopt;
  int v = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  if (v > max) return std::nullopt;
  return v;
}

// A caption goes into the markup as it stands, so it may hold nothing the
// markup reads specially: no braces, no backslash but the two byte escapes of
// the text sources, no control characters.
std::string CaptionFault(const std::string& text) {
  if (text.empty()) return "empty caption";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x20 || b == 0x7F) return "control character in a caption";
    if (b == '{' || b == '}') return "brace in a caption";
    if (b == '\\') {
      if (text.compare(i, 4, "\\xB0") == 0 || text.compare(i, 4, "\\xB7") == 0) {
        i += 3;
        continue;
      }
      return "backslash in a caption (only \\xB0 and \\xB7 are allowed)";
    }
  }
  return {};
}

std::string CellTextFault(const std::string& text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b > 0x7E) return "a cell text is printable ASCII";
    if (b == '{' || b == '}') return "brace in a cell text";
  }
  return {};
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const auto bar = line.find('|', start);
    fields.push_back(Trim(line.substr(start, bar == std::string::npos ? bar : bar - start)));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return fields;
}

class BlockReader {
 public:
  BlockReader(const std::string& file, textgen::Diagnostics& diag) : file_(file), diag_(diag) {}

  void Line(int n, const std::string& raw) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') return;
    const auto blank = line.find_first_of(" \t");
    const std::string word = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? std::string() : Trim(line.substr(blank));
    if (word == "list") {
      Finish();
      current_.emplace();
      current_->file = file_;
      current_->line = n;
      current_->key = rest;
      if (!IsListKey(rest))
        Error(n, "list key must be \"GI_Sheet_Sel_<name>\" or \"" + std::string(kSubBandMuteKey) +
                     "\", not '" + rest + "'");
      seen_.clear();
      return;
    }
    if (!current_) {
      Error(n, "text before the first \"list\" line");
      return;
    }
    if (word[0] >= '0' && word[0] <= '9') {
      Option(n, line);
      return;
    }
    if (word != "id" && word != "columns" && word != "class" && word != "authored" &&
        word != "source") {
      Error(n, "unknown line '" + word +
                   "' (list, id, columns, class, authored, source or an option)");
      return;
    }
    if (!seen_.insert(word).second) {
      Error(n, "'" + word + "' given twice for " + current_->key);
      return;
    }
    if (!current_->options.empty()) {
      Error(n, "'" + word + "' after the first option");
      return;
    }
    if (word == "id") {
      current_->listId = rest;
      if (!IsKnownListId(rest)) Error(n, "unknown list id '" + rest + "'");
    } else if (word == "columns") {
      const auto parts = SplitWords(rest);
      const auto count = parts.empty() ? std::nullopt : ReadNumber(parts[0], 99);
      if (!count || *count < 1 || parts.size() > 2 || (parts.size() == 2 && parts[1] != "spacers"))
        Error(n, "columns must be a count from 1, optionally followed by \"spacers\"");
      else {
        current_->columns = *count;
        current_->spacers = parts.size() == 2;
      }
    } else if (word == "class") {
      if (rest == "given")
        current_->listClass = ListClass::kGiven;
      else if (rest == "derived")
        current_->listClass = ListClass::kDerived;
      else if (rest == "authored")
        current_->listClass = ListClass::kAuthored;
      else
        Error(n, "class must be given, derived or authored");
    } else if (word == "authored") {
      if (rest.empty()) Error(n, "the authored mark needs its reason");
      current_->authored = rest;
    } else {
      if (rest.empty()) Error(n, "empty source");
      current_->source = rest;
    }
  }

  std::vector<ChoiceList> Take() {
    Finish();
    return std::move(lists_);
  }

 private:
  static std::vector<std::string> SplitWords(const std::string& s) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < s.size()) {
      const auto start = s.find_first_not_of(" \t", i);
      if (start == std::string::npos) break;
      const auto end = s.find_first_of(" \t", start);
      words.push_back(s.substr(start, end == std::string::npos ? end : end - start));
      i = end == std::string::npos ? s.size() : end;
    }
    return words;
  }

  void Option(int n, const std::string& line) {
    const auto fields = SplitFields(line);
    if (fields.size() < 3 || fields.size() > 4) {
      Error(n, "an option is \"value | English | Japanese\" with an optional \"| cell=text\"");
      return;
    }
    choicegen::Option o;
    o.line = n;
    const auto value = ReadNumber(fields[0], 255);
    if (!value) {
      Error(n, "option value must be a decimal number from 0 to 255, not '" + fields[0] + "'");
      return;
    }
    o.value = *value;
    o.english = fields[1];
    o.japanese = fields[2] == "=" ? fields[1] : fields[2];
    for (const std::string* text : {&o.english, &o.japanese}) {
      const std::string fault = CaptionFault(*text);
      if (!fault.empty()) Error(n, fault);
    }
    if (fields.size() == 4) {
      if (fields[3].compare(0, 5, "cell=") != 0) {
        Error(n, "the fourth field of an option is \"cell=<text>\"");
        return;
      }
      o.hasCellText = true;
      o.cellText = fields[3].substr(5);
      const std::string fault = CellTextFault(o.cellText);
      if (!fault.empty()) Error(n, fault);
    }
    current_->options.push_back(o);
  }

  void Finish() {
    if (!current_) return;
    ChoiceList& l = *current_;
    if (l.listId.empty()) Error(l.line, l.key + " has no \"id\" line");
    if (seen_.count("class") == 0) Error(l.line, l.key + " has no \"class\" line");
    const bool authored = l.listClass == ListClass::kAuthored;
    if (authored && l.authored.empty())
      Error(l.line, l.key + " is authored and needs its \"authored\" mark with the reason");
    if (!authored && !l.authored.empty())
      Error(l.line, l.key + " is not of class authored but carries the authored mark");
    if (authored && !l.source.empty())
      Error(l.line, l.key + ": an authored list names no source; its mark says why");
    if (l.options.empty()) Error(l.line, l.key + " has no option");
    std::set<int> values;
    for (const choicegen::Option& o : l.options)
      if (!values.insert(o.value).second)
        Error(o.line, "value " + std::to_string(o.value) + " twice in " + l.key);
    if (!l.options.empty()) {
      const int n = static_cast<int>(l.options.size());
      if (l.columns > n)
        Error(l.line, l.key + " has more columns than options");
      else if ((n + l.Rows() - 1) / l.Rows() != l.columns)
        Error(l.line, l.key + ": " + std::to_string(n) + " options do not fill " +
                          std::to_string(l.columns) + " columns");
      if (l.spacers && l.columns < 2) Error(l.line, l.key + ": spacers need two columns or more");
    }
    lists_.push_back(std::move(l));
    current_.reset();
  }

  void Error(int line, const std::string& message) { diag_.Error(file_, line, message); }

  std::string file_;
  textgen::Diagnostics& diag_;
  std::optional<ChoiceList> current_;
  std::set<std::string> seen_;
  std::vector<ChoiceList> lists_;
};

}  // namespace

bool ChoiceList::Neutral() const {
  return std::all_of(options.begin(), options.end(),
                     [](const Option& o) { return o.english == o.japanese; });
}

int ChoiceList::Rows() const {
  const int n = static_cast<int>(options.size());
  return columns < 1 ? n : (n + columns - 1) / columns;
}

bool IsKnownListId(const std::string& id) {
  return id == "Flex0" || id == "CL_FlexMark_Mch" || id == "CL_FlexMark_PgSrch" ||
         id == "CL_FlexMark_RptDup";
}

std::vector<ChoiceList> ParseChoiceSource(const std::string& text, const std::string& file,
                                          textgen::Diagnostics& diag) {
  BlockReader reader(file, diag);
  std::size_t start = 0;
  int n = 0;
  while (start < text.size()) {
    const auto end = text.find('\n', start);
    const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    ++n;
    if (line.find('\r') != std::string::npos)
      diag.Error(file, n, "carriage return (lines end with LF only)");
    else
      reader.Line(n, line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return reader.Take();
}

std::vector<ChoiceList> ReadChoiceSources(const std::string& folder, textgen::Diagnostics& diag) {
  std::vector<std::string> files;
  if (!fs::is_directory(folder)) {
    diag.Error(folder, 0, "not a folder");
    return {};
  }
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file() && e.path().extension() == ".txt") files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  std::vector<ChoiceList> all;
  std::map<std::string, std::string> where;  // key -> file:line
  for (const std::string& f : files) {
    std::ifstream in(f, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
      diag.Error(f, 0, "cannot read");
      continue;
    }
    for (ChoiceList& l : ParseChoiceSource(text, f, diag)) {
      const std::string here = l.file + ":" + std::to_string(l.line);
      const auto [it, fresh] = where.emplace(l.key, here);
      if (!fresh) {
        diag.Error(l.file, l.line, "list " + l.key + " is also at " + it->second);
        continue;
      }
      all.push_back(std::move(l));
    }
  }
  return all;
}

}  // namespace choicegen
