#include "TextGen.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace textgen {
namespace {

const char* const kEndKey = "End_Of_Ovl";
const char* const kTopicKey = "GI_AppItem_Topic_ID";
const char* const kContextKey = "GI_AppItem_Context_ID";

struct Area {
  std::string name;
  std::string en, ja, neutral, mixed, keys;
};

std::string Where(const SourceLine& l) { return l.file + ":" + std::to_string(l.line); }

// Area files are "<area>.<kind>.txt"; areas are taken in byte order of their
// names, over every source folder (an area lives in one folder only).
std::vector<Area> FindAreas(const std::vector<fs::path>& dirs, Diagnostics& diag) {
  std::map<std::string, Area> areas;
  std::map<std::string, fs::path> areaFolder;
  for (const fs::path& dir : dirs)
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (!entry.is_regular_file()) continue;
      const std::string file = entry.path().filename().string();
      if (entry.path().extension() != ".txt") continue;
      const std::string stem = file.substr(0, file.size() - 4);
      const auto dot = stem.rfind('.');
      if (dot == std::string::npos || dot == 0) {
        diag.Error(entry.path().string(), 0, "name is not <area>.<en|ja|neutral|mixed|keys>.txt");
        continue;
      }
      const std::string name = stem.substr(0, dot);
      const std::string kind = stem.substr(dot + 1);
      const auto [where, first] = areaFolder.emplace(name, dir);
      if (!first && where->second != dir) {
        diag.Error(entry.path().string(), 0,
                   "area '" + name + "' is also in " + where->second.string());
        continue;
      }
      Area& a = areas[name];
      a.name = name;
      const std::string path = entry.path().string();
      if (kind == "en")
        a.en = path;
      else if (kind == "ja")
        a.ja = path;
      else if (kind == "neutral")
        a.neutral = path;
      else if (kind == "mixed")
        a.mixed = path;
      else if (kind == "keys")
        a.keys = path;
      else
        diag.Error(path, 0, "unknown kind '" + kind + "' (en, ja, neutral, mixed or keys)");
    }
  std::vector<Area> out;
  for (auto& [name, area] : areas) {
    // An area may only register keys that other areas define.
    if (area.en.empty() && (!area.ja.empty() || !area.neutral.empty() || !area.mixed.empty())) {
      diag.Error("area '" + name + "' has no " + name + ".en.txt");
      continue;
    }
    out.push_back(area);
  }
  return out;
}

struct Tables {
  std::vector<std::string> english{""}, japanese{""}, mixed{""};
  std::vector<std::string> neutral, mixedEnglish, registry, helpMap;
};

void Append(std::vector<std::string>& table, const KeyBlock& block) {
  table.push_back("#" + block.key);
  for (const SourceLine& v : block.values) table.push_back(v.bytes);
}

bool EndsList(const KeyBlock& b) { return !b.values.empty() && b.values.back().bytes == "#"; }

bool SameBlock(const KeyBlock& a, const KeyBlock& b) {
  if (a.values.size() != b.values.size()) return false;
  for (std::size_t i = 0; i < a.values.size(); ++i)
    if (a.values[i].bytes != b.values[i].bytes) return false;
  return true;
}

void BuildTextTables(const std::vector<Area>& areas, Tables& t, Diagnostics& diag) {
  std::map<std::string, SourceLine> seen;  // every English key and where it is
  for (const Area& area : areas) {
    std::vector<KeyBlock> english;
    if (!area.en.empty()) english = SplitBlocks(ReadSourceLines(area.en, diag), diag);
    std::map<std::string, const KeyBlock*> enByKey;
    for (const KeyBlock& b : english) {
      if (b.key == kEndKey) {
        diag.Error(b.keyLine, "\"#End_Of_Ovl\" is added by the generator; remove it");
        continue;
      }
      auto [it, fresh] = seen.emplace(b.key, b.keyLine);
      if (!fresh) {
        diag.Error(b.keyLine, "duplicate key '" + b.key + "' (first at " + Where(it->second) + ")");
        continue;
      }
      enByKey[b.key] = &b;
    }

    std::set<std::string> neutral;
    if (!area.neutral.empty()) {
      for (const SourceLine& l : ReadListFile(area.neutral, diag)) {
        if (!enByKey.count(l.bytes))
          diag.Error(l, "neutral key '" + l.bytes + "' is not in " + area.en);
        else if (!neutral.insert(l.bytes).second)
          diag.Error(l, "neutral key '" + l.bytes + "' listed twice");
        else
          t.neutral.push_back(l.bytes);
      }
    }

    std::map<std::string, KeyBlock> jaByKey;
    if (!area.ja.empty()) {
      for (KeyBlock& b : SplitBlocks(ReadSourceLines(area.ja, diag), diag)) {
        if (!enByKey.count(b.key)) {
          diag.Error(b.keyLine, "key '" + b.key + "' is not in " + area.en);
        } else if (neutral.count(b.key)) {
          diag.Error(b.keyLine,
                     "key '" + b.key + "' is declared neutral; it takes the English text");
        } else if (EndsList(b) != EndsList(*enByKey[b.key])) {
          diag.Error(b.keyLine, "key '" + b.key +
                                    "' must end its values with a lone \"#\" exactly when "
                                    "the English text does");
        } else if (SameBlock(b, *enByKey[b.key])) {
          diag.Error(b.keyLine, "key '" + b.key + "' is identical to English; declare it in " +
                                    area.name + ".neutral.txt instead");
        } else {
          const std::string key = b.key;
          const SourceLine where = b.keyLine;
          if (!jaByKey.emplace(key, std::move(b)).second)
            diag.Error(where, "duplicate key '" + key + "'");
        }
      }
    }

    std::set<std::string> mixedEnglish;
    if (!area.mixed.empty()) {
      for (const SourceLine& l : ReadListFile(area.mixed, diag)) {
        if (!enByKey.count(l.bytes))
          diag.Error(l, "mixed-table English key '" + l.bytes + "' is not in " + area.en);
        else if (neutral.count(l.bytes))
          diag.Error(l, "key '" + l.bytes + "' is neutral and English in every table already");
        else if (!mixedEnglish.insert(l.bytes).second)
          diag.Error(l, "key '" + l.bytes + "' listed twice");
        else
          t.mixedEnglish.push_back(l.bytes);
      }
    }

    for (const KeyBlock& b : english) {
      if (!enByKey.count(b.key) || enByKey[b.key] != &b) continue;
      Append(t.english, b);
      const KeyBlock* ja = &b;
      if (!neutral.count(b.key)) {
        auto it = jaByKey.find(b.key);
        if (it == jaByKey.end()) {
          diag.Error(b.keyLine, "key '" + b.key + "' has no Japanese text in " + area.name +
                                    ".ja.txt and is not declared neutral");
        } else {
          ja = &it->second;
        }
      }
      Append(t.japanese, *ja);
      Append(t.mixed, mixedEnglish.count(b.key) ? b : *ja);
    }

    if (!area.keys.empty()) {
      for (const SourceLine& l : ReadListFile(area.keys, diag)) {
        const std::string& k = l.bytes;
        if (k.find_first_of(" \t") != std::string::npos) {
          diag.Error(l, "registry entry with a blank");
        } else if (k.back() == '*') {
          if (k.size() < 2)
            diag.Error(l, "empty composed-key base");
          else
            t.registry.push_back(k);
        } else {
          t.registry.push_back(k);
        }
      }
    }
  }
  t.english.push_back(std::string("#") + kEndKey);
  t.japanese.push_back(std::string("#") + kEndKey);
  t.mixed.push_back(std::string("#") + kEndKey);

  // Every fixed key the code asks for must exist (the tables share their keys).
  std::set<std::string> registered;
  for (const std::string& k : t.registry) {
    if (!registered.insert(k).second) continue;  // two areas may register one shared key
    if (k.back() != '*' && !seen.count(k) && k != kEndKey)
      diag.Error("registered key '" + k + "' is in no area's .en.txt");
  }
  std::sort(t.registry.begin(), t.registry.end());
  t.registry.erase(std::unique(t.registry.begin(), t.registry.end()), t.registry.end());
}

// The help map: each file holds the two sections, each closed by a lone "#";
// rows of all files (of every folder's helpmap/) are merged per section in
// file-name order.
void BuildHelpMap(const std::vector<fs::path>& dirs, Tables& t, Diagnostics& diag) {
  std::vector<std::pair<std::string, std::string>> named;  // file name, path
  for (const fs::path& folder : dirs) {
    const fs::path dir = folder / "helpmap";
    if (!fs::is_directory(dir)) continue;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.is_regular_file() && e.path().extension() == ".txt")
        named.emplace_back(e.path().filename().string(), e.path().string());
  }
  std::sort(named.begin(), named.end());
  std::vector<std::string> files;
  for (const auto& n : named) files.push_back(n.second);
  std::vector<std::string> topics, contexts;
  for (const std::string& f : files) {
    for (const KeyBlock& b : SplitBlocks(ReadSourceLines(f, diag), diag)) {
      std::vector<std::string>* rows = nullptr;
      if (b.key == kTopicKey)
        rows = &topics;
      else if (b.key == kContextKey)
        rows = &contexts;
      else {
        diag.Error(b.keyLine,
                   "help-map section must be " + std::string(kTopicKey) + " or " + kContextKey);
        continue;
      }
      if (b.values.empty() || b.values.back().bytes != "#") {
        diag.Error(b.keyLine, "section '" + b.key + "' is not closed by a lone \"#\"");
        continue;
      }
      for (std::size_t i = 0; i + 1 < b.values.size(); ++i) {
        const SourceLine& row = b.values[i];
        const auto tab = row.bytes.find('\t');
        if (tab == std::string::npos || tab == 0 || tab + 1 == row.bytes.size() ||
            row.bytes.find('\t', tab + 1) != std::string::npos)
          diag.Error(row, "help-map row must be <name><TAB><value>");
        else if (row.bytes == "#")
          diag.Error(row, "lone \"#\" inside a section");
        else
          rows->push_back(row.bytes);
      }
    }
  }
  t.helpMap.push_back(std::string("#") + kTopicKey);
  t.helpMap.insert(t.helpMap.end(), topics.begin(), topics.end());
  t.helpMap.push_back("#");
  t.helpMap.push_back(std::string("#") + kContextKey);
  t.helpMap.insert(t.helpMap.end(), contexts.begin(), contexts.end());
  t.helpMap.push_back("#");
}

void Emit(std::ostringstream& os, const char* name, const std::vector<std::string>& lines) {
  os << "namespace {\nconst char* const " << name << "Lines[] = {\n";
  if (lines.empty()) os << "    nullptr,\n";
  for (const std::string& l : lines) os << "    " << CppLiteral(l) << ",\n";
  os << "};\n}  // namespace\nconst LineArray " << name << " = {" << name << "Lines, "
     << lines.size() << "};\n\n";
}

}  // namespace

std::string Generate(const std::string& sourceDir, Diagnostics& diag) {
  return Generate(std::vector<std::string>{sourceDir}, diag);
}

std::string Generate(const std::vector<std::string>& sourceDirs, Diagnostics& diag) {
  Tables t;
  std::vector<fs::path> dirs;
  for (const std::string& d : sourceDirs) {
    if (!fs::is_directory(d))
      diag.Error(d, 0, "not a folder");
    else
      dirs.emplace_back(d);
  }
  if (diag.Failed()) return {};
  BuildTextTables(FindAreas(dirs, diag), t, diag);
  BuildHelpMap(dirs, t, diag);
  if (diag.Failed()) return {};

  std::ostringstream os;
  os << "// Generated by kw_textgen from resources/text. Do not edit.\n"
        "#include \"resources/text/TextTables.h\"\n\nnamespace kwres {\n\n";
  Emit(os, "kTextEnglish", t.english);
  Emit(os, "kTextJapanese", t.japanese);
  Emit(os, "kTextMixed", t.mixed);
  Emit(os, "kHelpTopicMap", t.helpMap);
  Emit(os, "kTextNeutralKeys", t.neutral);
  Emit(os, "kTextMixedEnglishKeys", t.mixedEnglish);
  Emit(os, "kTextKeyRegistry", t.registry);
  os << "}  // namespace kwres\n";
  return os.str();
}

std::string CppLiteral(const std::string& bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b == '"' || b == '\\') {
      out += '\\';
      out += ch;
    } else if (b >= 0x20 && b < 0x7F && b != '?') {
      out += ch;
    } else {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\%03o", b);
      out += esc;
    }
  }
  return out + "\"";
}

}  // namespace textgen
