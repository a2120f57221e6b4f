#include "tests/sheet/MainTableCheck.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <set>
#include <string_view>

#include "cells/names/CellNames.h"
#include "core/SjisBytes.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "sheet/ShortcutText.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace tablecheck {
namespace {

constexpr std::size_t kMaxLineBytes = 8191;
constexpr int kModelDepth = 8;

std::string Quote(std::string_view text) { return "\"" + std::string(text) + "\""; }

// --- names -----------------------------------------------------------------

const std::set<std::string, std::less<>>& CellIdNames() {
  static const std::set<std::string, std::less<>> names = [] {
    std::set<std::string, std::less<>> all;
    for (std::int32_t id = 0; id < kCellIdCount; ++id) all.emplace(GetCellIdName(id));
    return all;
  }();
  return names;
}

const std::set<std::string, std::less<>>& CategoryNames() {
  static const std::set<std::string, std::less<>> names = [] {
    std::set<std::string, std::less<>> all;
    for (std::int32_t c = 0; c < kCategoryCount; ++c) all.emplace(GetCategoryName(c));
    return all;
  }();
  return names;
}

// The parenthesised items inside the braces of a markup text.
std::vector<std::string> AttributeItems(std::string_view text) {
  std::vector<std::string> items;
  bool inBraces = false;
  std::size_t open = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = core::SjisCharLength(text, i);
    if (n == 1) {
      const char c = text[i];
      if (open != std::string_view::npos) {
        if (c == '\\' && i + 1 < text.size()) {
          i += 2;
          continue;
        }
        if (c == ')') {
          items.emplace_back(text.substr(open, i - open));
          open = std::string_view::npos;
        }
      } else if (c == '{' || c == '}') {
        inBraces = c == '{';
      } else if (inBraces && c == '(') {
        open = i + 1;
      } else if (inBraces && c == '\\') {
        i += 2;
        continue;
      }
    }
    i += n;
  }
  return items;
}

// Every category, cell-id and model name of a markup text (models followed
// into their own text) must exist; popup-menu names are collected.
void CheckNames(cmcGTex& gtex, std::string_view text, const std::string& where, Problems& problems,
                std::set<std::string>* menus, int depth = 0) {
  for (const std::string& item : AttributeItems(text)) {
    if (item.starts_with('%')) {
      std::string_view binding = std::string_view(item).substr(1);
      const std::size_t end = binding.find_first_of("[:");
      const std::size_t dot = binding.substr(0, end).find('.');
      if (dot != std::string_view::npos) {
        const std::string_view category = binding.substr(0, dot);
        if (!category.empty() && !CategoryNames().count(category))
          problems.push_back(where + ": unknown category " + Quote(category));
        binding.remove_prefix(dot + 1);
      }
      const std::string_view name = binding.substr(0, binding.find_first_of("[:"));
      if (!name.empty() && !CellIdNames().count(name))
        problems.push_back(where + ": unknown cell " + Quote(name));
    } else if (item.starts_with('$')) {
      const std::string key = "CellModel_" + item.substr(1);
      if (!gtex.HasKey(key)) {
        problems.push_back(where + ": unknown cell model " + Quote(item.substr(1)));
      } else if (depth < kModelDepth) {
        CheckNames(gtex, "{" + gtex.GetFirst(key) + "}", where, problems, menus, depth + 1);
      }
    } else if (menus && (item.starts_with("PopupMenu=") || item.starts_with("ColCut_PopupMenu="))) {
      const std::string name = item.substr(item.find('=') + 1);
      if (!name.empty()) menus->insert(name);
    }
  }
}

// Values of a key up to the first one starting with '#'; none (and a
// problem) when the key is missing.
std::vector<std::string> Values(cmcGTex& gtex, const std::string& key, Problems& problems) {
  std::vector<std::string> lines;
  if (!gtex.HasKey(key)) {
    problems.push_back("missing key " + Quote(key));
    return lines;
  }
  for (int n = 0;; ++n) {
    std::string line = gtex.GetText(key, n);
    if (!line.empty() && line[0] == '#') return lines;
    lines.push_back(std::move(line));
  }
}

// The basic cell of a tree, menu or tool bar, parsed once its names check.
bool ParseBasic(cmcGTex& gtex, const std::string& base, cmcCellObj& basic, Problems& problems) {
  const std::string key = base + "_BasicCell";
  if (!gtex.HasKey(key)) {
    problems.push_back("missing key " + Quote(key));
    return false;
  }
  const std::size_t before = problems.size();
  const std::string text = gtex.GetFirst(key);
  CheckNames(gtex, text, key, problems, nullptr);
  if (problems.size() != before) return false;
  basic.Parse(text, gtex, nullptr, nullptr);
  return true;
}

// One line of a tree or menu body: its depth and cell.
struct Line {
  int depth = 0;
  cmcCellObj cell;
  bool parsed = false;
};

std::vector<Line> ReadBody(cmcGTex& gtex, const std::string& base, const cmcCellObj& basic,
                           bool levelled, Problems& problems) {
  std::vector<Line> out;
  const std::vector<std::string> lines = Values(gtex, base + "_Body", problems);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string where = base + "_Body value " + std::to_string(i);
    Line line;
    std::string_view text = lines[i];
    if (levelled) {
      const std::size_t plus = text.find('+');
      if (plus == std::string_view::npos || text.find_first_not_of(' ') != plus) {
        problems.push_back(where + ": no '+' after the depth's blanks");
        out.push_back(std::move(line));
        continue;
      }
      line.depth = static_cast<int>(plus);
      text.remove_prefix(plus + 1);
    }
    const std::size_t before = problems.size();
    CheckNames(gtex, text, where, problems, nullptr);
    if (problems.size() == before) {
      if (!line.cell.Parse(text, gtex, nullptr, &basic).empty())
        problems.push_back(where + ": more than one cell");
      line.parsed = true;
    }
    out.push_back(std::move(line));
  }
  return out;
}

// --- the tree --------------------------------------------------------------

std::string Padded3(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%3d", n);
  return text;
}

std::vector<TreeNode> MakeTree() {
  std::vector<TreeNode> t;
  const auto add = [&](int depth, int image, std::string ref, std::string caption) {
    t.push_back({depth, image, std::move(ref), std::move(caption)});
  };
  add(0, 0, "GI_Sheet_TopPage", "");
  add(1, 1, "GI_Sheet_TreeTop", "Memory CH");
  add(2, 1, "GI_Sheet_TreeTop", "All");
  for (int n = 0; n < 10; ++n)
    add(3, 2, "[St_ColCut]GI_Sheet_MemoryCH," + std::to_string(n) + "," + std::to_string(100 * n),
        (n == 0 ? std::string("0") : std::to_string(100 * n)) + " - " +
            (n == 0 ? std::string(" 99") : std::to_string(100 * n + 99)));
  add(2, 1, "GI_Sheet_TreeTop", "Bank CH");
  add(3, 2, "GI_Sheet_BankName", "Bank Name");
  for (int b = 0; b < 26; ++b)
    add(3, 2, "[St_CCBank]GI_Sheet_BankCH," + std::to_string(21 + b),
        std::string(1, static_cast<char>('A' + b)) + ":");
  add(1, 2, "[St_ColCut]GI_Sheet_CallCh,47", "CALL CH");
  add(1, 2, "[St_ColCut]GI_Sheet_ScanEdge,48", "Program Scan Edge");
  add(1, 1, "GI_Sheet_TreeTop", "Program Scan Link");
  add(2, 2, "[St_ColCut]GI_Sheet_ScanLink_Name,50", "Program Scan Link Name");
  for (int k = 0; k < 10; ++k)
    add(2, 2,
        "[St_PLink]GI_Sheet_ScanLink," + std::to_string(51 + k) + "," + std::to_string(26 * k),
        "Link" + std::to_string(k));
  add(1, 2, "GI_Sheet_DTMF_Memory,71", "DTMF Memory");
  add(1, 1, "GI_Sheet_TreeTop", "Digital");
  add(2, 2, "[St_UrList]GI_Sheet_You_Callsign,120,UrCH", "Your Call Sign");
  add(2, 1, "GI_Sheet_RepeaterList_Top,121", "Repeater List");
  add(3, 2, "GI_Sheet_GroupName,122", "Group Name");
  for (int g = 0; g < 50; ++g) {
    char caption[8];
    std::snprintf(caption, sizeof caption, "%02d:", g + 1);
    add(3, 2,
        "[St_RptList]GI_Sheet_RepeaterList," + std::to_string(123 + g) + ",RptCH" + Padded3(g),
        caption);
  }
  add(2, 1, "GI_Sheet_TreeTop", "My Station");
  add(3, 2, "GI_Sheet_My_Callsign,200", "Call Sign");
  add(3, 2, "GI_Sheet_Message,201", "Message");
  add(2, 1, "GI_Sheet_TreeTop", "Transmitted Call Record");
  add(3, 2, "GI_Sheet_Txed_Call_From,210", "From (DV)");
  add(3, 2, "GI_Sheet_Txed_Call_FAnalog,211", "From (FM)");
  add(3, 2, "GI_Sheet_Txed_Call_To,212", "To");
  add(3, 2, "GI_Sheet_Txed_Call_Ref,213", "Reflector");
  add(2, 2, "[St_ColCut]GI_Sheet_Received_Callsign,215", "Received Call Record");
  add(2, 2, "[St_Common]GI_Sheet_Digital,216", "Digital Setting");
  add(1, 1, "GI_Sheet_TreeTop", "GPS");
  add(2, 1, "GI_Sheet_TreeTop,219", "GPS Memory");
  add(3, 2, "GI_Sheet_GPS_BankName,220", "Group Name");
  for (int g = 0; g < 27; ++g)
    add(3, 2,
        "[St_ChGps]GI_Sheet_GPS_BankCH," + std::to_string(221 + g) + ",GpsMemory" + Padded3(g),
        g == 0 ? std::string("(No Group)") : std::string(1, static_cast<char>('A' + g - 1)) + ":");
  add(2, 2, "[St_Common]GI_Sheet_GPS,248", "GPS Setting");
  add(1, 2, "[St_Common]GI_Sheet_Common,250", "Common Setting");
  add(1, 2, "[St_Common]GI_Sheet_AB_Band,251", "A/B Band Setting");
  return t;
}

// "[St_Type]Key,number,parameter" split up.
struct Reference {
  std::string type, key, number, parameter;
};

Reference Split(std::string_view text) {
  Reference r;
  if (text.starts_with('[')) {
    const std::size_t close = text.find(']');
    r.type = std::string(text.substr(1, close - 1));
    text.remove_prefix(close + 1);
  }
  const std::size_t comma = text.find(',');
  r.key = std::string(text.substr(0, comma));
  if (comma == std::string_view::npos) return r;
  text.remove_prefix(comma + 1);
  const std::size_t second = text.find(',');
  r.number = std::string(text.substr(0, second));
  if (second != std::string_view::npos) r.parameter = std::string(text.substr(second + 1));
  return r;
}

bool IsNumber(std::string_view text, int low, int high) {
  if (text.empty() || text.size() > 4) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= low && value <= high;
}

// A group parameter: the prefix, then a number right-aligned in three.
bool IsGroupParameter(std::string_view text, std::string_view prefix, int groups) {
  if (!text.starts_with(prefix) || text.size() != prefix.size() + 3) return false;
  const std::string_view digits = text.substr(text.find_first_not_of(' ', prefix.size()));
  return IsNumber(digits, 0, groups - 1);
}

void CheckReference(cmcGTex& gtex, const std::string& ref, const std::string& where,
                    Problems& problems) {
  const Reference r = Split(ref);
  for (const char* part : {"_Style", "_BasicCell", "_Cells"})
    if (!gtex.HasKey(r.key + part)) problems.push_back(where + ": no key " + r.key + part);
  if (!r.number.empty() && !IsNumber(r.number, 0, 252))
    problems.push_back(where + ": sheet number " + Quote(r.number));
  bool parameter = true;
  if (r.type == "St_RptList")
    parameter = IsGroupParameter(r.parameter, "RptCH", 50);
  else if (r.type == "St_ChGps")
    parameter = IsGroupParameter(r.parameter, "GpsMemory", 27);
  else if (r.type == "St_UrList")
    parameter = r.parameter == "UrCH";
  else if (r.type == "St_ColCut" || r.type == "St_PLink")
    parameter = r.parameter.empty() || IsNumber(r.parameter, 0, 999);
  else
    parameter = r.parameter.empty();
  if (!parameter) problems.push_back(where + ": load parameter " + Quote(r.parameter));
}

// --- menus -------------------------------------------------------------------

struct MenuItem {
  int depth;
  std::string caption;
  std::int32_t id;
  int index;
  std::string shortcut;
};

const std::vector<MenuItem>& ExpectedMainMenu() {
  static const std::vector<MenuItem> items = [] {
    std::vector<MenuItem> m;
    const auto add = [&](int depth, const char* caption, std::int32_t id, int index = 0,
                         const char* shortcut = "") {
      m.push_back({depth, caption, id, index, shortcut});
    };
    const auto sep = [&](int depth) { add(depth, "-", CL_None); };
    add(0, "&File", CL_Null);
    add(1, "&New", CL_Menu_File_New, 0, "Ctrl+N");
    add(1, "&Open...", CL_Menu_File_Open, 0, "Ctrl+O");
    add(1, "&Save", CL_Menu_File_Save, 0, "Ctrl+S");
    add(1, "Save &As...", CL_Menu_File_SaveAs);
    sep(1);
    add(1, "&Import...", CL_Menu_File_Import);
    add(1, "&Export...", CL_Menu_File_Export);
    add(1, "&Import", CL_Menu_File_Import_SubMenu);
    add(2, "&Group...", CL_Menu_File_Import_SubMenu_Grp);
    add(2, "&Bank...", CL_Menu_File_Import_SubMenu_Bank);
    add(2, "&All...", CL_Menu_File_Import_SubMenu_All);
    add(1, "&Export", CL_Menu_File_Export_SubMenu);
    add(2, "&Group...", CL_Menu_File_Export_SubMenu_Grp);
    add(2, "&Bank...", CL_Menu_File_Export_SubMenu_Bank);
    add(2, "&All...", CL_Menu_File_Export_SubMenu_All);
    sep(1);
    add(1, "&Print", CL_Null);
    add(2, "&Current Sheet...", CL_Menu_File_Print_Current);
    add(2, "&All...", CL_Menu_File_Print_All);
    sep(1);
    for (int n = 0; n < 4; ++n) add(1, "Recent File", CL_Menu_File_Recent, n);
    sep(1);
    add(1, "E&xit", CL_Menu_File_Exit, 0, "Alt+F4");
    add(0, "&View", CL_Null);
    add(1, "&Memory CH", CL_Null);
    add(2, "&Tone/TSQL/DTCS", CL_Menu_View_Tone_Cut);
    add(2, "&Digital", CL_Menu_View_Digital_Cut);
    add(2, "&Call Sign", CL_Menu_View_Call_Cut);
    add(1, "&Received Call Record", CL_Null);
    add(2, "&NMEA/Mobile Station", CL_Menu_View_Mobile_Cut);
    add(2, "&Fixed Station", CL_Menu_View_Fixed_Cut);
    add(2, "&Object/Item Station", CL_Menu_View_ObjItm_Cut);
    add(2, "&Weather Station", CL_Menu_View_WX_Cut);
    sep(1);
    add(1, "Font &Size", CL_None);
    add(2, "&1   60% (Small)", CL_Menu_View_FontSize, 60);
    add(2, "&2   80%", CL_Menu_View_FontSize, 80);
    add(2, "&3  100% (Standard)", CL_Menu_View_FontSize, 100);
    add(2, "&4  120%", CL_Menu_View_FontSize, 120);
    add(2, "&5  150% (Big)", CL_Menu_View_FontSize, 150);
    sep(1);
    add(1, "&Language", CL_None);
    add(2, "&English", CL_Menu_View_Language, 0);
    add(2, "&Japanese", CL_Menu_View_Language, 1);
    sep(1);
    add(1, "Toolbar", CL_Menu_View_ToolBar);
    add(0, "COM &Port", CL_Null);
    add(1, "&Setting...", CL_Menu_Port_Usb);
    add(0, "&Clone", CL_Null);
    add(1, "&Read <- TR", CL_Menu_Clone_Read);
    add(1, "&Write -> TR", CL_Menu_Clone_Write);
    sep(1);
    add(1, "&Information", CL_Menu_Clone_Info);
    add(0, "&Option", CL_Null);
    add(1, "&Call Sign Input", CL_Null);
    add(2, "&Repeater Setting Window Display", CL_Menu_CallSign_RptDialog);
    add(2, "&Auto Correct", CL_Menu_CallSign_AutoCorrect);
    add(0, "&Help", CL_Null);
    add(1, "&Contents", CL_Help_Contents, 0, "F1");
    sep(1);
    add(1, "&About KW-3700", CL_Help_About);
    return m;
  }();
  return items;
}

struct PopupItem {
  const char* caption;
  std::int32_t id;
  const char* shortcut;
};

const std::map<std::string, std::vector<PopupItem>>& ExpectedContextMenus() {
  static const std::map<std::string, std::vector<PopupItem>> menus = [] {
    const PopupItem edit{"Edit...", CL_PMenu_Edit, "Enter"};
    const PopupItem select{"Select...", CL_PMenu_Rpt_Set, "Shift+Enter"};
    const PopupItem copy{"Copy", CL_PMenu_Copy, "Ctrl+C"};
    const PopupItem paste{"Paste", CL_PMenu_Paste, "Ctrl+V"};
    const PopupItem up{"Up", CL_PMenu_CarryUp, "Ctrl+Up"};
    const PopupItem down{"Down", CL_PMenu_CarryDown, "Ctrl+Down"};
    const PopupItem clear{"Clear", CL_PMenu_Clear, ""};
    const PopupItem del{"Delete", CL_PMenu_Delete, "Del"};
    const PopupItem ins{"Insert", CL_PMenu_Insert, "Ins"};
    const PopupItem bankOff{"Bank OFF", CL_PMenu_BankOff, ""};
    const PopupItem help{"Help", CL_PMenu_Help, ""};
    const PopupItem sep{"-", CL_None, ""};
    std::map<std::string, std::vector<PopupItem>> m;
    m["GI_PMenu_Edit"] = {edit, sep, help};
    m["GI_PMenu_NoItem"] = {{"No item", CL_PMenu_NoItem, ""}};
    m["GI_PMenu_Channel_NO_TX"] = {edit, sep,   copy, paste, sep, up,  down,
                                   sep,  clear, del,  ins,   sep, help};
    m["GI_PMenu_Channel_NO_TX_DV"] = {edit, select, sep,   copy, paste, sep, up,
                                      down, sep,    clear, del,  ins,   sep, help};
    m["GI_PMenu_Channel_NO_TX_BankOFF"] = {edit,  sep, copy, paste, sep,     up,  down, sep,
                                           clear, del, ins,  sep,   bankOff, sep, help};
    m["GI_PMenu_Channel_NO_TX_BankOFF_DV"] = {edit, select, sep, copy, paste, sep,     up,  down,
                                              sep,  clear,  del, ins,  sep,   bankOff, sep, help};
    m["GI_PMenu_Channel_CALL"] = {edit, sep, copy, paste, sep, up, down, sep, clear, sep, help};
    m["GI_PMenu_Channel_CALL_DV"] = {edit, select, sep, copy,  paste, sep,
                                     up,   down,   sep, clear, sep,   help};
    m["GI_PMenu_Channel_New"] = {edit, sep, copy, paste, sep, up, down, sep, del, ins, sep, help};
    m["GI_PMenu_Channel_RptList"] = {edit,
                                     sep,
                                     copy,
                                     paste,
                                     sep,
                                     up,
                                     down,
                                     sep,
                                     del,
                                     ins,
                                     sep,
                                     {"USE(FROM) All No", CL_PMenu_RptUseFromAllNo, ""},
                                     {"USE(FROM) All Yes", CL_PMenu_RptUseFromAllYes, ""},
                                     sep,
                                     help};
    m["GI_PMenu_Delete2"] = {del, sep, help};
    m["GI_PMenu_HomeCH"] = {{"Clear", CL_PMenu_HomeCH_Clear, "Del"}, sep, help};
    m["GI_PMenu_Channel_CulCut_DV"] = {{"Tone/TSQL/DTCS", CL_PMenu_Tone_Cut, ""},
                                       {"Digital", CL_PMenu_Digital_Cut, ""},
                                       {"Call Sign", CL_PMenu_Call_Cut, ""}};
    m["GI_PMenu_ColCut_RxCallRec"] = {{"NMEA/Mobile Station", CL_PMenu_Mobile_Cut, ""},
                                      {"Fixed Station", CL_PMenu_Fixed_Cut, ""},
                                      {"Object/Item Station", CL_PMenu_ObjItm_Cut, ""},
                                      {"Weather Station", CL_PMenu_WX_Cut, ""}};
    m["GI_PMenu_Help"] = {help};
    return m;
  }();
  return menus;
}

void CheckShortcut(const cmcCellObj& cell, std::string_view want, const std::string& where,
                   Problems& problems) {
  const std::string have = cell.bindingText.value_or("");
  if (have != want)
    problems.push_back(where + ": shortcut " + Quote(have) + ", not " + Quote(want));
  if (!have.empty() && TextToShortcuts(have).isEmpty())
    problems.push_back(where + ": shortcut " + Quote(have) + " does not parse");
}

// --- sheets ------------------------------------------------------------------

using Column = std::vector<std::pair<std::int32_t, int>>;

struct SheetExpect {
  std::string key;
  int rows;  // -1: not fixed by the layout
  int category;
  std::map<int, Column> data;
  int headerRow = -1;                     // the column-header row, -1 for none
  std::vector<std::string> headers = {};  // English, from column 3
};

Column Run(std::int32_t id, int first, int count) {
  Column c;
  for (int i = 0; i < count; ++i) c.emplace_back(id, first + i);
  return c;
}

Column Then(Column c, std::int32_t id) {
  c.emplace_back(id, 0);
  return c;
}

std::map<int, Column> Runs(int firstCol, const std::vector<std::int32_t>& ids, int first,
                           int count) {
  std::map<int, Column> m;
  for (std::size_t i = 0; i < ids.size(); ++i)
    m[firstCol + static_cast<int>(i)] = Run(ids[i], first, count);
  return m;
}

const std::vector<std::int32_t> kMemoryIds = {
    CL_Mch_Freq,          CL_Mch_Dup,          CL_Mch_Offset_Freq,   CL_Mch_TS_Pitch,
    CL_Mch_Mode,          CL_Mch_Name,         CL_Mch_Scan_Skip,     CL_Mch_Decode,
    CL_Mch_TONE_Freq,     CL_Mch_TSQL_Freq,    CL_Mch_DTCS,          CL_Mch_DTCS_Polarity,
    CL_Mch_Digital_Sql,   CL_Mch_Digital_Code, CL_Mch_DYou_Callsign, CL_Mch_DRpt1_Callsign,
    CL_Mch_DRpt2_Callsign};
const std::vector<std::string> kMemoryHeaders = {"Operating\nFreq",
                                                 "DUP",
                                                 "Offset\nFreq",
                                                 "TS",
                                                 "Mode",
                                                 "Name",
                                                 "Skip",
                                                 "Tone",
                                                 "Repeater\nTone",
                                                 "TSQL\nFreq",
                                                 "DTCS",
                                                 "DTCS\nPolarity",
                                                 "DSQL",
                                                 "Code",
                                                 "Your",
                                                 "RPT1",
                                                 "RPT2"};

Column SettingsColumn(std::vector<std::pair<std::int32_t, int>> items) { return items; }

std::vector<SheetExpect> MakeSheets() {
  std::vector<SheetExpect> s;
  {
    std::vector<std::int32_t> ids = kMemoryIds;
    ids.push_back(CL_Mch_Bank_Group);
    ids.push_back(CL_Mch_Bank_ChNo);
    std::vector<std::string> headers = kMemoryHeaders;
    headers.push_back("Group");
    headers.push_back("Ch");
    s.push_back({"GI_Sheet_MemoryCH", 105, CT_Conv, Runs(3, ids, 0, 100), 3, headers});
  }
  {
    std::vector<std::int32_t> ids = {CL_Mch_Select_ChNo};
    ids.insert(ids.end(), kMemoryIds.begin(), kMemoryIds.end());
    std::vector<std::string> headers = {"CH\nSelect"};
    headers.insert(headers.end(), kMemoryHeaders.begin(), kMemoryHeaders.end());
    s.push_back({"GI_Sheet_BankCH", 105, CT_BankCh, Runs(3, ids, 0, 100), 3, headers});
  }
  {
    std::vector<std::int32_t> ids;
    std::vector<std::string> headers;
    for (std::size_t i = 0; i < kMemoryIds.size(); ++i)
      if (kMemoryIds[i] != CL_Mch_Scan_Skip) {
        ids.push_back(kMemoryIds[i]);
        headers.push_back(kMemoryHeaders[i]);
      }
    s.push_back({"GI_Sheet_CallCh", 9, CT_Conv, Runs(3, ids, 1000, 4), 3, headers});
  }
  s.push_back(
      {"GI_Sheet_ScanEdge",
       28,
       CT_Prog,
       Runs(3,
            {CL_PgSrch_Name, CL_PgSrch_Freq_Low, CL_PgSrch_Freq_High, CL_PgSrch_TS, CL_PgSrch_Mode},
            0, 25),
       1,
       {"Name", "Freq Low", "Freq High", "TS", "Mode"}});
  s.push_back(
      {"GI_Sheet_ScanLink_Name", 13, CT_Prog_Link, Runs(3, {CL_PgLink_Name}, 0, 10), 1, {"Name"}});
  s.push_back({"GI_Sheet_ScanLink", 29, CT_Prog_Link, Runs(3, {CL_PgLink_No}, 0, 26), 1, {"No."}});
  s.push_back({"GI_Sheet_BankName", 29, CT_None, Runs(3, {CL_Bank_Name}, 0, 26), 1, {"Name"}});
  s.push_back(
      {"GI_Sheet_GPS_BankName", 29, CT_None, Runs(3, {CL_Gps_Bank_Name}, 0, 26), 1, {"Name"}});
  s.push_back({"GI_Sheet_GroupName", 53, CT_None, Runs(3, {CL_Group_Name}, 0, 50), 1, {"Name"}});
  s.push_back({"GI_Sheet_DTMF_Memory",
               23,
               CT_None,
               {{3, Then(Run(CL_DTMF_Memory_Code, 0, 16), CL_Common_DTMF_SPEED)}},
               1,
               {"DTMF Code"}});
  s.push_back({"GI_Sheet_My_Callsign",
               9,
               CT_None,
               Runs(3, {CL_My_Callsign_Sel, CL_My_Callsign_Code, CL_My_Callsign2_Code}, 0, 6),
               1,
               {"Select", "Call Sign", "/"}});
  s.push_back({"GI_Sheet_Message",
               12,
               CT_None,
               {{3, Then(Run(CL_Tx_Message_Ch_No, 0, 5), CL_Tx_Message_Repeat)},
                {5, Run(CL_Tx_Message_Code, 0, 5)}},
               1,
               {"Select", "", "Message"}});
  // A loop without a count stands once on a plain sheet.
  s.push_back({"GI_Sheet_You_Callsign",
               4,
               CT_Urlist,
               Runs(3, {CL_You_Callsign_Name, CL_You_Callsign_Code}, 0, 1),
               1,
               {"Name", "Call Sign"}});
  s.push_back({"GI_Sheet_RepeaterList",
               6,
               CT_Rptlist,
               Runs(3,
                    {CL_Repeater_List_Type, CL_Repeater_List_Name, CL_Repeater_List_SubName,
                     CL_Repeater_List_R_Callsign_Code, CL_Repeater_List_G_Callsign_Code,
                     CL_Repeater_List_Freq, CL_Repeater_List_Dup, CL_Repeater_List_Offset_Freq,
                     CL_Repeater_List_Mode, CL_Repeater_List_Tone, CL_Repeater_List_Tone_Freq,
                     CL_Repeater_List_Rpt1use, CL_Repeater_List_Position, CL_Repeater_List_Latitude,
                     CL_Repeater_List_Longitude, CL_Repeater_List_UtcOffset},
                    0, 1),
               3,
               {"Type", "Name", "Sub Name", "Repeater\nCall Sign", "Gateway\nCall Sign",
                "Operating\nFreq", "DUP", "Offset\nFreq", "Mode", "Tone", "Repeater\nTone",
                "USE\n(FROM)", "Position", "Latitude", "Longitude", "UTC\nOffset"}});
  const std::vector<std::string> fromHeaders = {"Call Sign", "Name", "Operating\nFreq", "DUP",
                                                "Offset\nFreq"};
  s.push_back({"GI_Sheet_Txed_Call_From", 13, CT_TXCall_From,
               Runs(3,
                    {CL_TxCall_From_Callsign, CL_TxCall_From_Name, CL_TxCall_From_Freq,
                     CL_TxCall_From_Dup, CL_TxCall_From_Offset},
                    0, 10),
               1, fromHeaders});
  s.push_back({"GI_Sheet_Txed_Call_FAnalog", 13, CT_TXCall_FAnalog,
               Runs(3,
                    {CL_TxCall_FAnalog_Callsign, CL_TxCall_FAnalog_Name, CL_TxCall_FAnalog_Freq,
                     CL_TxCall_FAnalog_Dup, CL_TxCall_FAnalog_Offset},
                    0, 10),
               1, fromHeaders});
  s.push_back({"GI_Sheet_Txed_Call_To",
               23,
               CT_TXCall_To,
               Runs(3, {CL_TxCall_To_Callsign, CL_TxCall_To_Name}, 0, 20),
               1,
               {"Call Sign", "Name"}});
  s.push_back({"GI_Sheet_Txed_Call_Ref",
               8,
               CT_TXCall_Ref,
               Runs(3, {CL_TxCall_Ref_Callsign}, 0, 5),
               1,
               {"Call Sign"}});
  s.push_back({"GI_Sheet_Received_Callsign",
               57,
               CT_RXCall,
               Runs(3, {CL_Received_Callsign_Caller,       CL_Received_Callsign_Caller2,
                        CL_Received_Callsign_Called,       CL_Received_Callsign_RPT1,
                        CL_Received_Callsign_RPT2,         CL_Received_Callsign_Message,
                        CL_Received_Callsign_Status,       CL_Received_Callsign_Date,
                        CL_Received_Callsign_BK,           CL_Received_Callsign_EMR,
                        CL_Received_Callsign_Latitude,     CL_Received_Callsign_Longitude,
                        CL_Received_Callsign_Altitude,     CL_Received_Callsign_SSID,
                        CL_Received_Callsign_Symbol,       CL_Received_Callsign_Course,
                        CL_Received_Callsign_Speed,        CL_Received_Callsign_Power,
                        CL_Received_Callsign_Height,       CL_Received_Callsign_Gain,
                        CL_Received_Callsign_Directivity,  CL_Received_Callsign_ObjItemName,
                        CL_Received_Callsign_DataType,     CL_Received_Callsign_Temp,
                        CL_Received_Callsign_Rain,         CL_Received_Callsign_Rain24,
                        CL_Received_Callsign_RainMidnight, CL_Received_Callsign_WindDir,
                        CL_Received_Callsign_WindSpeed,    CL_Received_Callsign_GustSpeed,
                        CL_Received_Callsign_Barometric,   CL_Received_Callsign_Humidity,
                        CL_Received_Callsign_GpsTimestamp, CL_Received_Callsign_GpsMsg},
                    0, 50),
               5,
               {"Caller",
                "/",
                "Called",
                "Rx RPT1",
                "Rx RPT2",
                "Message",
                "Status",
                "Received date",
                "BK",
                "EMR",
                "Latitude",
                "Longitude",
                "Altitude",
                "SSID",
                "Symbol",
                "Course",
                "Speed",
                "Power",
                "Height",
                "Gain",
                "Directivity",
                "Object/Item Name",
                "Data Type",
                "Temperature",
                "Rainfall",
                "Rainfall (24 Hours)",
                "Rainfall (Midnight)",
                "Wind Direction",
                "Wind Speed",
                "Gust Speed",
                "Barometric",
                "Humidity",
                "GPS Time Stamp",
                "GPS Message"}});
  s.push_back({"GI_Sheet_GPS_BankCH",
               4,
               CT_Gps,
               Runs(3,
                    {CL_Gps_Name, CL_Gps_Date, CL_Gps_Time, CL_Gps_Latitude, CL_Gps_Longitude,
                     CL_Gps_Altitude, CL_Gps_Alarm},
                    0, 1),
               1,
               {"Name", "Date", "Time", "Latitude", "Longitude", "Altitude", "Alarm"}});
  // Settings pages: the value column top to bottom.
  s.push_back(
      {"GI_Sheet_Digital",
       -1,
       CT_None,
       {{3, SettingsColumn({{CL_Common_RxBass, 0},           {CL_Common_RxTreble, 0},
                            {CL_Common_RxBassBoost, 0},      {CL_Common_TxBass, 0},
                            {CL_Common_TxTreble, 0},         {CL_Common_Auto_Reply, 0},
                            {CL_Common_DV_Auto_Tx, 0},       {CL_Common_FastData, 0},
                            {CL_Common_FastData_GPSSpd, 0},  {CL_Common_FastData_PTTDelay, 0},
                            {CL_Common_Digital_Monitor, 0},  {CL_Common_Digital_RPT_Set, 0},
                            {CL_Common_DV_Auto_Detect, 0},   {CL_Common_RxRecord, 0},
                            {CL_Common_RX_CallSign_Disp, 0}, {CL_Common_RxPos_Indic, 0},
                            {CL_Common_RXPos_Disp, 0},       {CL_Common_RXPos_Disp_Tm, 0},
                            {CL_Common_ReplyPosDisp, 0},     {CL_Common_TX_CallSign_Disp, 0},
                            {CL_Common_Name_Size, 0},        {CL_Common_RXHis_CsName_Chg, 0},
                            {CL_Common_Standby_Beep, 0},     {CL_Common_EmrAfLevel, 0}})}}});
  s.push_back({"GI_Sheet_GPS",
               -1,
               CT_None,
               {{3, SettingsColumn({{CL_Common_GPS_Select, 0},
                                    {CL_Common_ManualPosLat, 0},
                                    {CL_Common_ManualPosLon, 0},
                                    {CL_Common_ManualPosAlt, 0},
                                    {CL_Common_CompassDirection, 0},
                                    {CL_Common_GPS_Correct, 0},
                                    {CL_Common_GPS_Out, 0},
                                    {CL_Common_PosRxSel, 0},
                                    {CL_Common_AlarmArea1, 0},
                                    {CL_Common_AlarmArea2, 0},
                                    {CL_Common_GPSAlarmType, 0},
                                    {CL_Common_GPSAlarmBank, 0},
                                    {CL_Common_AlarmCH, 0},
                                    {CL_Common_GPS_Tx, 0},
                                    {CL_Common_GPS_AutoTx, 0},
                                    {CL_Common_UnprotoAddress, 0},
                                    {CL_Common_DprsTxFmt, 0},
                                    {CL_Common_AprsSymbol_CH, 0},
                                    {CL_Common_AprsSymbolSel_1, 0},
                                    {CL_Common_AprsSymbolEdit_1, 0},
                                    {CL_Common_AprsSymbolSel_2, 0},
                                    {CL_Common_AprsSymbolEdit_2, 0},
                                    {CL_Common_AprsSymbolSel_3, 0},
                                    {CL_Common_AprsSymbolEdit_3, 0},
                                    {CL_Common_AprsSymbolSel_4, 0},
                                    {CL_Common_AprsSymbolEdit_4, 0},
                                    {CL_Common_SSID, 0},
                                    {CL_Common_AprsComment_CH, 0},
                                    {CL_Common_AprsComment_1, 0},
                                    {CL_Common_AprsComment_2, 0},
                                    {CL_Common_AprsComment_3, 0},
                                    {CL_Common_AprsComment_4, 0},
                                    {CL_Common_TimeStamp, 0},
                                    {CL_Common_Alt, 0},
                                    {CL_Common_DataExtension, 0},
                                    {CL_Common_PosPhgdPow, 0},
                                    {CL_Common_PosPhgdHeight, 0},
                                    {CL_Common_PosPhgdGain, 0},
                                    {CL_Common_PosPhgdDir, 0},
                                    {CL_Common_ObjName, 0},
                                    {CL_Common_ObjType, 0},
                                    {CL_Common_ObjSymbol, 0},
                                    {CL_Common_ObjSymbolEdit, 0},
                                    {CL_Common_ObjComment, 0},
                                    {CL_Common_ObjPosLat, 0},
                                    {CL_Common_ObjPosLon, 0},
                                    {CL_Common_ObjPosAlt, 0},
                                    {CL_Common_ObjDataExtension, 0},
                                    {CL_Common_ObjCourse, 0},
                                    {CL_Common_ObjSpd, 0},
                                    {CL_Common_ObjPhgdPow, 0},
                                    {CL_Common_ObjPhgdHeight, 0},
                                    {CL_Common_ObjPhgdGain, 0},
                                    {CL_Common_ObjPhgdDir, 0},
                                    {CL_Common_ObjSSID, 0},
                                    {CL_Common_ObjTimeStamp, 0},
                                    {CL_Common_ItmName, 0},
                                    {CL_Common_ItmType, 0},
                                    {CL_Common_ItmSymbol, 0},
                                    {CL_Common_ItmSymbolEdit, 0},
                                    {CL_Common_ItmComment, 0},
                                    {CL_Common_ItmPosLat, 0},
                                    {CL_Common_ItmPosLon, 0},
                                    {CL_Common_ItmPosAlt, 0},
                                    {CL_Common_ItmDataExtension, 0},
                                    {CL_Common_ItmCourse, 0},
                                    {CL_Common_ItmSpd, 0},
                                    {CL_Common_ItmPhgdPow, 0},
                                    {CL_Common_ItmPhgdHeight, 0},
                                    {CL_Common_ItmPhgdGain, 0},
                                    {CL_Common_ItmPhgdDir, 0},
                                    {CL_Common_ItmSSID, 0},
                                    {CL_Common_WxSymbol, 0},
                                    {CL_Common_WxSymbolEdit, 0},
                                    {CL_Common_WxSSID, 0},
                                    {CL_Common_WxComment, 0},
                                    {CL_Common_WxTimeStamp, 0},
                                    {CL_Common_GPS_ControlMode, 0},
                                    {CL_Common_GPS_Message_Code, 0},
                                    {CL_Common_GpsLogger, 0},
                                    {CL_Common_GpsLogInterval, 0},
                                    {CL_Common_GpsLogSentence, 0}})}}});
  s.push_back({"GI_Sheet_Common",
               -1,
               CT_None,
               {{3, SettingsColumn({{CL_Common_SqlAtt, 0},
                                    {CL_Common_SqlDelay, 0},
                                    {CL_Common_FanControl, 0},
                                    {CL_Common_AutoPowerOFF, 0},
                                    {CL_Common_DialSpeedUP, 0},
                                    {CL_Common_AutoRepeater, 0},
                                    {CL_Common_RemoteMicOtPtt, 0},
                                    {CL_Common_PTTLock, 0},
                                    {CL_Common_BusyLockout, 0},
                                    {CL_Common_TOT, 0},
                                    {CL_Common_ActiveBand, 0},
                                    {CL_Common_MicGainInt, 0},
                                    {CL_Common_TouchOp_Sub, 0},
                                    {CL_Common_KeyBoardType, 0},
                                    {CL_Common_GPSSpeed, 0},
                                    {CL_Common_LbusTot, 0},
                                    {CL_Common_UTCOffset, 0},
                                    {CL_Common_RemoteMicKey_Nor, 0},
                                    {CL_Common_RemoteMicKey_Nor, 1},
                                    {CL_Common_RemoteMicKey_Tx, 0},
                                    {CL_Common_RemoteMicKey_Tx, 1},
                                    {CL_Common_RemoteMicKey_Nor_UD, 2},
                                    {CL_Common_RemoteMicKey_Nor_UD, 3},
                                    {CL_Common_RemoteMicKey_Tx_UD, 2},
                                    {CL_Common_RemoteMicKey_Tx_UD, 3},
                                    {CL_Common_HmchVfo, 0},
                                    {CL_Common_HmchMr, 0},
                                    {CL_Common_HmchDr, 0},
                                    {CL_Common_Bluetooth, 0},
                                    {CL_Common_BtAutocon, 0},
                                    {CL_Common_BtAfOut, 0},
                                    {CL_Common_HsMode, 0},
                                    {CL_Common_VOX, 0},
                                    {CL_Common_VOX_SensLv, 0},
                                    {CL_Common_VOX_Delay, 0},
                                    {CL_Common_VOX_TOT, 0},
                                    {CL_Common_BtHsSaving, 0},
                                    {CL_Common_BtHsOtPtt, 0},
                                    {CL_Common_BtHsPttBeep_Off, 0},
                                    {CL_Common_BtHsKeyBeep, 0},
                                    {CL_Common_RemoteMicKey_Nor_BT, 4},
                                    {CL_Common_RemoteMicKey_Nor_BT, 5},
                                    {CL_Common_RemoteMicKey_Nor_BT, 6},
                                    {CL_Common_BtSerialFunc, 0},
                                    {CL_Common_CIV_Address, 0},
                                    {CL_Common_CIV_BaudRate, 0},
                                    {CL_Common_CIV_Transceive, 0},
                                    {CL_Common_CIV_BT_Transceive, 0},
                                    {CL_Common_Dimmer, 0},
                                    {CL_Common_LCDContrast, 0},
                                    {CL_Common_Scroll, 0},
                                    {CL_Common_OpeningMessage, 0},
                                    {CL_Common_Voltage, 0},
                                    {CL_Common_Clock_Volt, 0},
                                    {CL_Common_PositionFormat, 0},
                                    {CL_Common_Units, 0},
                                    {CL_Common_Speed_Units, 0},
                                    {CL_Common_Temp_Units, 0},
                                    {CL_Common_Baro_Units, 0},
                                    {CL_Common_Rain_Units, 0},
                                    {CL_Common_WidSpd_Units, 0},
                                    {CL_Common_DispLang, 0},
                                    {CL_Common_SysLang, 0},
                                    {CL_Common_Display_Type, 0},
                                    {CL_Common_BkltNgt_Control, 0},
                                    {CL_Common_BkltNgt_Lv, 0},
                                    {CL_Common_BkltNgt_StartTm, 0},
                                    {CL_Common_BkltNgt_EndTm, 0},
                                    {CL_Common_Auto_Dimmer, 0},
                                    {CL_Common_Auto_Dimmer_Tm, 0},
                                    {CL_Common_TouchOp_AutoDimmer, 0},
                                    {CL_Common_Dimmer_Ptt, 0},
                                    {CL_Common_Dimmer_DvRx, 0},
                                    {CL_Common_BeepLevel, 0},
                                    {CL_Common_KeyTouchBeep, 0},
                                    {CL_Common_HmchBeep, 0},
                                    {CL_Common_BandEdgeBeep, 0},
                                    {CL_Common_StopBeep, 0},
                                    {CL_Common_SubBandMute, 0},
                                    {CL_Common_SubBandMute_Tx, 0},
                                    {CL_Common_Scope_AF_out, 0},
                                    {CL_Common_Speech_RxCall, 0},
                                    {CL_Common_Speech_RxCs, 0},
                                    {CL_Common_Speech_Dial, 0},
                                    {CL_Common_Speech_Mode, 0},
                                    {CL_Common_Speech_Language, 0},
                                    {CL_Common_Speech_Alphabet, 0},
                                    {CL_Common_Speech_Speed, 0},
                                    {CL_Common_Speech_Level, 0},
                                    {CL_Common_RecMode, 0},
                                    {CL_Common_RecCondition, 0},
                                    {CL_Common_FileSplit, 0},
                                    {CL_Common_PttAutoRec, 0},
                                    {CL_Common_PlaySkipTime, 0},
                                    {CL_Common_VcTxRptTime, 0},
                                    {CL_Common_VcTxMon, 0},
                                    {CL_Common_RecMicSel, 0},
                                    {CL_Common_QsoLog, 0},
                                    {CL_Common_RxHisLog, 0},
                                    {CL_Common_CsvSepdec, 0},
                                    {CL_Common_CsvDate, 0},
                                    {CL_Common_SaveForm, 0},
                                    {CL_Common_ImExPort_CsvSepdec, 0},
                                    {CL_Common_ImExPort_CsvDate, 0},
                                    {CL_Common_RFPower, 0},
                                    {CL_Common_RFPower, 1},
                                    {CL_Common_ToneBurst, 0},
                                    {CL_Common_Hetero_lvhf, 0},
                                    {CL_Common_Hetero_luhf, 0},
                                    {CL_Common_Hetero_ruhf, 0},
                                    {CL_Common_MiniRPT_Hung, 0},
                                    {CL_Common_CloneComment, 0}})}}});
  {
    const Column ab = SettingsColumn({{CL_Common_PauseTimer, 0},
                                      {CL_Common_ResumeTimer, 0},
                                      {CL_Common_TempSkipTimer, 0},
                                      {CL_Common_ProgramSkipScan, 0},
                                      {CL_Common_BankLink_A_J, 0},
                                      {CL_Common_BankLink_K_T, 0},
                                      {CL_Common_BankLink_U_Z, 0},
                                      {CL_Common_Wx_Alert, 0},
                                      {CL_Common_Wx_Ch, 0}});
    Column a;
    Column b;
    for (const auto& [id, index] : ab) {
      a.emplace_back(id, 0);
      b.emplace_back(id, 1);
    }
    s.push_back({"GI_Sheet_AB_Band", -1, CT_None, {{3, a}, {5, b}}});
  }
  for (const char* key :
       {"GI_Sheet_TopPage", "GI_Sheet_TreeTop", "GI_Sheet_RepeaterList_Top", "GI_Sheet_CloneInfo"})
    s.push_back({key, -1, CT_None, {}});
  return s;
}

const std::vector<SheetExpect>& ExpectedSheets() {
  static const std::vector<SheetExpect> sheets = MakeSheets();
  return sheets;
}

// A hidden host for building sheets, with a bus of its own when none is
// installed.
struct Host {
  Host() { window.resize(800, 600); }
  std::unique_ptr<ScopedEvMan> bus{EvManIfInstalled() ? nullptr : new ScopedEvMan};
  QWidget window;
};

// The names of a sheet's three keys; false when one is missing or a name
// is unknown.
bool SheetNamesCheck(cmcGTex& gtex, const std::string& key, Problems& problems,
                     std::set<std::string>* menus) {
  const std::size_t before = problems.size();
  for (const char* part : {"_Style", "_BasicCell", "_Cells"}) {
    const std::vector<std::string> lines = Values(gtex, key + part, problems);
    for (std::size_t i = 0; i < lines.size(); ++i)
      CheckNames(gtex, lines[i], key + part + " value " + std::to_string(i), problems, menus);
  }
  return problems.size() == before;
}

// Builds a plain sheet over the table; null when its markup fails a check.
cuiSheet* BuildSheet(Host& host, cmcGTex& gtex, const std::string& key, Problems& problems,
                     std::set<std::string>* menus) {
  if (!SheetNamesCheck(gtex, key, problems, menus)) return nullptr;
  auto* sheet = new cuiSheet(&host.window, nullptr, 0, 0, gtex, key, nullptr);
  sheet->SetCellHandler([](cmcCellCapsule&, int) { return 0; });
  sheet->SetName("");
  sheet->Build();
  return sheet;
}

}  // namespace

const std::vector<TreeNode>& ExpectedTree() {
  static const std::vector<TreeNode> tree = MakeTree();
  return tree;
}

Problems CheckTree(cmcGTex& gtex, bool english) {
  Problems problems;
  cmcCellObj basic;
  if (!ParseBasic(gtex, "GI_Tree_Main", basic, problems)) return problems;
  const std::vector<Line> nodes = ReadBody(gtex, "GI_Tree_Main", basic, true, problems);
  const std::vector<TreeNode>& want = ExpectedTree();
  if (nodes.size() != want.size())
    problems.push_back("the tree has " + std::to_string(nodes.size()) + " nodes, not " +
                       std::to_string(want.size()));
  for (std::size_t i = 0; i < nodes.size() && i < want.size(); ++i) {
    if (!nodes[i].parsed) continue;
    const cmcCellObj& cell = nodes[i].cell;
    const std::string where = "tree node " + std::to_string(i) + " (" + want[i].reference + ")";
    if (nodes[i].depth != want[i].depth)
      problems.push_back(where + ": depth " + std::to_string(nodes[i].depth));
    if (cell.cellId != CallSheet) problems.push_back(where + ": does not bind CallSheet");
    if (cell.imageIndex < 0 || cell.imageIndex > 2 || cell.imageIndex != want[i].image)
      problems.push_back(where + ": image " + std::to_string(cell.imageIndex));
    const std::string ref = cell.bindingText.value_or("");
    if (ref != want[i].reference) problems.push_back(where + ": opens " + Quote(ref));
    CheckReference(gtex, ref, where, problems);
    if (cell.GetCaption().empty() != (i == 0))
      problems.push_back(where + ": caption " + Quote(cell.GetCaption()));
    if (english && cell.GetCaption() != want[i].english)
      problems.push_back(where + ": caption " + Quote(cell.GetCaption()) + ", not " +
                         Quote(want[i].english));
  }
  return problems;
}

Problems CheckMenus(cmcGTex& gtex, bool english) {
  Problems problems;
  // The main menu.
  cmcCellObj basic;
  if (ParseBasic(gtex, "GI_Menu_Main", basic, problems)) {
    const std::vector<Line> items = ReadBody(gtex, "GI_Menu_Main", basic, true, problems);
    const std::vector<MenuItem>& want = ExpectedMainMenu();
    if (items.size() != want.size())
      problems.push_back("the main menu has " + std::to_string(items.size()) + " items, not " +
                         std::to_string(want.size()));
    for (std::size_t i = 0; i < items.size() && i < want.size(); ++i) {
      if (!items[i].parsed) continue;
      const cmcCellObj& cell = items[i].cell;
      const std::string where =
          "main menu item " + std::to_string(i) + " " + Quote(want[i].caption);
      if (items[i].depth != want[i].depth)
        problems.push_back(where + ": depth " + std::to_string(items[i].depth));
      if (cell.cellId != want[i].id || cell.index != want[i].index)
        problems.push_back(where + ": binds " + std::string(GetCellIdName(cell.cellId)) + "[" +
                           std::to_string(cell.index) + "]");
      CheckShortcut(cell, want[i].shortcut, where, problems);
      if (english && cell.GetCaption() != want[i].caption)
        problems.push_back(where + ": caption " + Quote(cell.GetCaption()));
    }
  }
  // The tool bar: 17 lines, six buttons.
  cmcCellObj barBasic;
  if (ParseBasic(gtex, "GI_ToolBar_Main", barBasic, problems)) {
    const std::vector<Line> lines = ReadBody(gtex, "GI_ToolBar_Main", barBasic, false, problems);
    struct Button {
      const char* caption;
      int image;
      std::int32_t id;
    };
    std::vector<Button> want = {
        {"New", 0, CL_Menu_File_New},          {"Open", 1, CL_Menu_File_Open},
        {"Save", 2, CL_Menu_File_Save},        {"-", -1, CL_None},
        {"Clone Read", 7, CL_Menu_Clone_Read}, {"Clone Write", 8, CL_Menu_Clone_Write},
        {"Clone Info.", 9, CL_Menu_Clone_Info}};
    for (int n = 0; n < 10; ++n) want.push_back({"-", -1, CL_None});
    if (lines.size() != want.size())
      problems.push_back("the tool bar has " + std::to_string(lines.size()) + " lines, not " +
                         std::to_string(want.size()));
    for (std::size_t i = 0; i < lines.size() && i < want.size(); ++i) {
      if (!lines[i].parsed) continue;
      const cmcCellObj& cell = lines[i].cell;
      const std::string where = "tool-bar line " + std::to_string(i);
      const bool separator = cell.GetCaption() == "-";
      if (separator != (std::string_view(want[i].caption) == "-"))
        problems.push_back(where + ": caption " + Quote(cell.GetCaption()));
      else if (!separator && (cell.imageIndex != want[i].image || cell.cellId != want[i].id))
        problems.push_back(where + ": image " + std::to_string(cell.imageIndex) + ", " +
                           std::string(GetCellIdName(cell.cellId)));
      if (english && cell.GetCaption() != want[i].caption)
        problems.push_back(where + ": caption " + Quote(cell.GetCaption()));
    }
  }
  // The context menus.
  for (const auto& [key, want] : ExpectedContextMenus()) {
    const std::string basicKey = key + "_BasicCell";
    const std::string wantBasic =
        key == "GI_PMenu_NoItem" ? "{($Basic)}" : "{($Basic)(%CT_PopupMenu.)}";
    if (gtex.HasKey(basicKey) && gtex.GetFirst(basicKey) != wantBasic)
      problems.push_back(basicKey + " is " + Quote(gtex.GetFirst(basicKey)));
    cmcCellObj menuBasic;
    if (!ParseBasic(gtex, key, menuBasic, problems)) continue;
    const std::vector<Line> items = ReadBody(gtex, key, menuBasic, true, problems);
    if (items.size() != want.size())
      problems.push_back(key + " has " + std::to_string(items.size()) + " items, not " +
                         std::to_string(want.size()));
    for (std::size_t i = 0; i < items.size() && i < want.size(); ++i) {
      if (!items[i].parsed) continue;
      const cmcCellObj& cell = items[i].cell;
      const std::string where = key + " item " + std::to_string(i) + " " + Quote(want[i].caption);
      if (items[i].depth != 0) problems.push_back(where + ": not flat");
      if (cell.cellId != want[i].id || cell.index != 0)
        problems.push_back(where + ": binds " + std::string(GetCellIdName(cell.cellId)) + "[" +
                           std::to_string(cell.index) + "]");
      if (want[i].id != CL_None && cell.category != CT_PopupMenu)
        problems.push_back(where + ": not of the popup-menu category");
      CheckShortcut(cell, want[i].shortcut, where, problems);
      if (english && cell.GetCaption() != want[i].caption)
        problems.push_back(where + ": caption " + Quote(cell.GetCaption()));
    }
  }
  // Every menu a cell names exists.
  std::set<std::string> named;
  for (const SheetExpect& sheet : ExpectedSheets())
    for (const char* part : {"_Style", "_BasicCell", "_Cells"}) {
      Problems ignored;  // reported by the sheet check
      for (const std::string& line : Values(gtex, sheet.key + part, ignored))
        CheckNames(gtex, line, sheet.key, ignored, &named);
    }
  for (const std::string& menu : named)
    for (const char* part : {"_BasicCell", "_Body"})
      if (!gtex.HasKey(menu + part))
        problems.push_back("menu " + Quote(menu) + " is named but has no " + menu + part);
  return problems;
}

Problems CheckSheets(cmcGTex& gtex, bool english) {
  Problems problems;
  Host host;
  for (const SheetExpect& want : ExpectedSheets()) {
    cuiSheet* sheet = BuildSheet(host, gtex, want.key, problems, nullptr);
    if (!sheet) continue;
    const int rows = sheet->Grid()->RowCount();
    const int cols = sheet->Grid()->ColCount();
    if (want.rows >= 0 && rows != want.rows)
      problems.push_back(want.key + ": " + std::to_string(rows) + " rows, not " +
                         std::to_string(want.rows));
    if (english && want.headerRow >= 0 && want.headerRow < rows)
      for (std::size_t i = 0; i < want.headers.size(); ++i) {
        const int c = 3 + static_cast<int>(i);
        const std::string_view caption =
            c < cols ? sheet->GetCell(c, want.headerRow)->GetCaption() : std::string_view();
        if (caption != want.headers[i])
          problems.push_back(want.key + " column " + std::to_string(c) + ": header " +
                             Quote(caption) + ", not " + Quote(want.headers[i]));
      }
    for (int c = 0; c < cols; ++c) {
      Column data;
      for (int r = 0; r < rows; ++r) {
        if (!sheet->IsDataCell(c, r)) continue;
        const cmcCellObj& cell = *sheet->GetCell(c, r);
        data.emplace_back(cell.cellId, cell.index);
        const std::string where =
            want.key + " column " + std::to_string(c) + " row " + std::to_string(r);
        if (cell.cellId == CL_None) problems.push_back(where + ": a data cell without a cell id");
        if (cell.category != want.category)
          problems.push_back(where + ": category " + std::to_string(cell.category));
      }
      const auto found = want.data.find(c);
      const Column expected = found == want.data.end() ? Column{} : found->second;
      if (data == expected) continue;
      std::string detail;
      for (std::size_t i = 0; i < std::max(data.size(), expected.size()); ++i) {
        if (i < data.size() && i < expected.size() && data[i] == expected[i]) continue;
        const auto name = [](const Column& col, std::size_t k) {
          return k < col.size() ? std::string(GetCellIdName(col[k].first)) + "[" +
                                      std::to_string(col[k].second) + "]"
                                : std::string("nothing");
        };
        detail = "data cell " + std::to_string(i) + " binds " + name(data, i) + ", not " +
                 name(expected, i);
        break;
      }
      problems.push_back(want.key + " column " + std::to_string(c) + ": " + detail);
    }
    sheet->Release();
  }
  QApplication::processEvents();
  return problems;
}

Problems CheckMarkup(cmcGTex& gtex, const std::vector<std::string>& lines) {
  Problems problems;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].size() > kMaxLineBytes)
      problems.push_back("table line " + std::to_string(i) + " has " +
                         std::to_string(lines[i].size()) + " bytes");

  // The rows a settings page drops: each command's count covers whole items
  // or sections.
  struct Drop {
    std::string key;
    std::string command;
  };
  const std::vector<Drop> wantDrops = {{"GI_Sheet_Common", "Only_JPUSKR 2"},
                                       {"GI_Sheet_Common", "Only_M_REP 2"},
                                       {"GI_Sheet_AB_Band", "Only_USA 7"}};
  std::vector<Drop> drops;
  const std::string sectionGap = "|{H(Font=,,,%50,,,)}\\_";
  for (const SheetExpect& sheet : ExpectedSheets()) {
    Problems ignored;
    const std::vector<std::string> cells = Values(gtex, sheet.key + "_Cells", ignored);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string& line = cells[i];
      const std::size_t at = line.find("Only_");
      if (!line.starts_with(":(") || at == std::string::npos) continue;
      const std::string command = line.substr(at, line.find(')', at) - at);
      drops.push_back({sheet.key, command});
      const std::size_t space = command.find(' ');
      const int count = space == std::string::npos ? 0 : std::atoi(command.c_str() + space + 1);
      const std::string where = sheet.key + " " + Quote(command);
      const auto startsUnit = [&](std::size_t k) {
        return k >= cells.size() || cells[k].empty() || cells[k] == sectionGap;
      };
      if (count < 1 || !startsUnit(i + 1) || !startsUnit(i + 1 + static_cast<std::size_t>(count)))
        problems.push_back(where + ": does not drop whole items or sections");
    }
  }
  const auto same = [](const Drop& a, const Drop& b) {
    return a.key == b.key && a.command == b.command;
  };
  if (drops.size() != wantDrops.size() ||
      !std::equal(drops.begin(), drops.end(), wantDrops.begin(), same)) {
    std::string found;
    for (const Drop& d : drops) found += " " + d.key + ":" + Quote(d.command);
    problems.push_back("the dropping commands are" + (found.empty() ? " none" : found));
  }

  // The warning check's cells each name one tree page.
  Problems ignored;
  cmcCellObj treeBasic;
  std::multiset<std::string> pages;
  if (ParseBasic(gtex, "GI_Tree_Main", treeBasic, ignored))
    for (const Line& node : ReadBody(gtex, "GI_Tree_Main", treeBasic, true, ignored))
      if (node.parsed) pages.insert(node.cell.bindingText.value_or(""));
  const std::vector<std::string> checks = Values(gtex, "GI_WarningCheckList", problems);
  if (checks.size() != 89)
    problems.push_back("the warning check has " + std::to_string(checks.size()) + " cells, not 89");
  for (std::size_t i = 0; i < checks.size(); ++i) {
    const std::string where = "GI_WarningCheckList value " + std::to_string(i);
    const std::size_t before = problems.size();
    CheckNames(gtex, checks[i], where, problems, nullptr);
    if (problems.size() != before) continue;
    cmcCellObj cell;
    cell.Parse(checks[i], gtex, nullptr, nullptr);
    const std::string ref = cell.bindingText.value_or("");
    if (pages.count(ref) != 1)
      problems.push_back(where + ": " + Quote(ref) + " names " + std::to_string(pages.count(ref)) +
                         " tree nodes");
  }
  return problems;
}

Problems CheckAll(cmcGTex& gtex, const std::vector<std::string>& lines, bool english) {
  Problems all;
  for (Problems part : {CheckTree(gtex, english), CheckMenus(gtex, english),
                        CheckSheets(gtex, english), CheckMarkup(gtex, lines)})
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::map<std::string, Shape> Shapes(cmcGTex& gtex) {
  std::map<std::string, Shape> shapes;
  Problems ignored;
  const auto levelled = [&](const std::string& base, bool flat) {
    cmcCellObj basic;
    if (!ParseBasic(gtex, base, basic, ignored)) return;
    Shape& shape = shapes[base];
    for (const Line& line : ReadBody(gtex, base, basic, !flat, ignored))
      shape.emplace_back(line.depth, line.cell.category, line.cell.cellId, line.cell.index,
                         line.cell.imageIndex, line.cell.bindingText.value_or(""));
  };
  levelled("GI_Tree_Main", false);
  levelled("GI_Menu_Main", false);
  levelled("GI_ToolBar_Main", true);
  for (const auto& [key, items] : ExpectedContextMenus()) levelled(key, false);
  Host host;
  for (const SheetExpect& want : ExpectedSheets()) {
    cuiSheet* sheet = BuildSheet(host, gtex, want.key, ignored, nullptr);
    if (!sheet) continue;
    Shape& shape = shapes[want.key];
    const int rows = sheet->Grid()->RowCount();
    const int cols = sheet->Grid()->ColCount();
    shape.emplace_back(rows, cols, 0, 0, 0, "");
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        const cmcCellObj& cell = *sheet->GetCell(c, r);
        int rules = cell.ruleFlags;
        if (want.key == "GI_Sheet_Received_Callsign" && r == 5 && c == cols - 1)
          rules &= ~cellrule::kRightRuleMask;
        shape.emplace_back(cell.category, cell.cellId, cell.index, cell.layoutFlags, rules,
                           cell.bindingText.value_or(""));
      }
    sheet->Release();
  }
  QApplication::processEvents();
  return shapes;
}

int ReceivedCallLastHeaderRule(cmcGTex& gtex) {
  Host host;
  Problems ignored;
  cuiSheet* sheet = BuildSheet(host, gtex, "GI_Sheet_Received_Callsign", ignored, nullptr);
  if (!sheet) return -1;
  const int rule =
      static_cast<int>(sheet->GetCell(sheet->Grid()->ColCount() - 1, 5)->GetRightRule());
  sheet->Release();
  QApplication::processEvents();
  return rule;
}

}  // namespace tablecheck
