// kw-test: gui
// Every page the tree offers, in each interface table, opens with data
// columns wide enough for what their cells can show.
//
// The rule: at 100 % font size and with no stored widths, each column that
// shows a converter's text (a cell with a cell id below the header rows,
// with any columns joined on to it) is at least as wide as the widest text
// that converter can show, plus the margins (the width the sheet gives a
// 'W' sample). A cell drawn wrapped ('=') breaks its text into lines at
// the column's width, so it is measured as drawn: its column is wide
// enough when the text, broken there, fits the cell's height. The texts are
// found through the cell handler, as a user would meet them: every data
// cell's display text on every page; and on the first page of each sheet,
// for each data column, every choice its cell steps through with Space and,
// where Enter opens the in-place editor, the display after committing a text
// of the editor's full length in each of the widest characters (so a DTMF
// code shows 24 digits "#" or "D", a 16-character name 16 "W"; a number
// column shows its own numbers, such as "M00"). A markup sample is the text
// the sheet measures, so the samples must be at least that wide.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cells/names/CellNames.h"
#include "resources/text/TextTables.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"
#include "tests/app/MainWindowRig.h"

namespace {

// Committed as editor texts: the widest characters of the converters'
// character sets. "W" stands for every letter and sign of a name or call
// sign; "#", "D" and "8" for codes and numbers; a full-width W (0x82 0x76 in
// code page 932) for Japanese names.
const char* const kWideCharacters[] = {"W", "#", "D", "8", "\x82\x76"};
constexpr int kLongestProbe = 64;  // bytes; an editor without a limit gets this many
constexpr int kMostSteps = 64;     // Space presses per choice cell

struct Narrow {
  std::string page;
  std::string cell;  // cell id name
  int col = 0;
  int width = 0;  // as built
  int needed = 0;
};

class ColumnCheck {
 public:
  explicit ColumnCheck(std::vector<std::string> lines) {
    // Wide enough that no column is cut to the window.
    rig_.env->WindowWidth = 4000;
    rig_.env->WindowHeight = 1000;
    rig_.BuildWith(std::move(lines));
  }

  // The columns narrower than their texts, over every page of the tree.
  std::vector<Narrow> Run() {
    std::vector<std::string> pages;
    for (QTreeWidgetItem* node : rig_.window->Tree()->Nodes()) {
      const cmcCellObj* cell = rig_.window->Tree()->CellOf(node);
      if (!cell || !cell->bindingText) continue;
      if (std::find(pages.begin(), pages.end(), *cell->bindingText) == pages.end())
        pages.push_back(*cell->bindingText);
    }
    EXPECT_FALSE(pages.empty());
    std::vector<Narrow> narrow;
    std::set<std::string> probedSheets;
    for (const std::string& page : pages) {
      rig_.main->OpenSheet(page);
      cuiSheet* sheet = rig_.main->CurrentSheet();
      if (!sheet || !sheet->Grid()) {
        ADD_FAILURE() << page << " opens no sheet";
        continue;
      }
      const bool probe = probedSheets.insert(sheet->GetKey()).second;
      CheckSheet(*sheet, page, probe, narrow);
    }
    rig_.main->CloseSheet();
    return narrow;
  }

  kwtest::MainWindowRig& Rig() { return rig_; }

 private:
  void CheckSheet(cuiSheet& sheet, const std::string& page, bool probe,
                  std::vector<Narrow>& narrow) {
    cuiGrid& grid = *sheet.Grid();
    // Widths as built, before any probe could refit them.
    std::vector<int> built;
    for (int c = 0; c < grid.ColCount(); ++c) built.push_back(grid.ColWidth(c));
    // Every cell with a cell id below the header rows shows a converter's
    // text, in its own column and the columns joined on to it.
    std::vector<Shown> shown;
    for (int r = grid.FixedRows(); r < grid.RowCount(); ++r) {
      for (int c = 0; c < grid.ColCount(); ++c) {
        const cmcCellObj* cell = sheet.GetCell(c, r);
        if (cell->cellId == CL_None || cell->HasLayout(celllayout::kJoinLeft)) continue;
        int room = built[static_cast<std::size_t>(c)];
        for (int j = c + 1; j < grid.ColCount() && sheet.GetCell(j, r)->HasLayout(celllayout::kJoinLeft);
             ++j)
          room += built[static_cast<std::size_t>(j)];
        shown.push_back({c, r, room, grid.RowHeight(r), cell->HasLayout(celllayout::kWrapped),
                         cell->cellId});
      }
    }
    // The widest text of each cell id in each column: the displays of all
    // its cells, and on the first page of a sheet what its first cell shows
    // over its choices and widest texts.
    std::map<std::pair<int, std::int32_t>, int> widest;
    for (const Shown& s : shown) {
      int& w = widest[{s.col, s.cellId}];
      w = std::max(w, NeededWidth(sheet, s));
    }
    if (probe) {
      std::set<std::pair<int, std::int32_t>> probed;
      for (const Shown& s : shown)
        if (probed.insert({s.col, s.cellId}).second) {
          int& w = widest[{s.col, s.cellId}];
          w = std::max(w, ProbeCell(sheet, s));
        }
    }
    // The header rows: every caption fits its column with the columns
    // joined on to it (a column cut by the view shows nothing).
    for (int r = 0; r < grid.FixedRows(); ++r) {
      for (int c = 0; c < grid.ColCount(); ++c) {
        const cmcCellObj* cell = sheet.GetCell(c, r);
        if (cell->HasLayout(celllayout::kJoinLeft) || cell->GetCaption().empty()) continue;
        int room = built[static_cast<std::size_t>(c)];
        for (int j = c + 1;
             j < grid.ColCount() && sheet.GetCell(j, r)->HasLayout(celllayout::kJoinLeft); ++j)
          room += built[static_cast<std::size_t>(j)];
        if (room == 0) continue;
        const int needed = sheet.DisplayTextWidth(c, r);
        if (needed > room)
          narrow.push_back({page, "header \"" + std::string(cell->GetCaption()) + "\"", c, room, needed});
      }
    }
    std::set<std::pair<int, std::int32_t>> reported;
    for (const Shown& s : shown) {
      const int needed = widest[{s.col, s.cellId}];
      if (needed > s.room && reported.insert({s.col, s.cellId}).second)
        narrow.push_back({page, std::string(GetCellIdName(s.cellId)), s.col, s.room, needed});
    }
  }

  // A data cell as built: where it lies, the width of its column with the
  // columns joined on to it, its row's height and whether it is drawn
  // wrapped.
  struct Shown {
    int col, row, room, height;
    bool wrapped;
    std::int32_t cellId;
  };

  // The column width the cell's display needs: its text on one line plus
  // the margins; for a cell drawn wrapped, the least width at which its
  // text, broken as drawn, fits the cell's height.
  static int NeededWidth(cuiSheet& sheet, const Shown& s) {
    const int oneLine = sheet.DisplayTextWidth(s.col, s.row);
    if (!s.wrapped) return oneLine;
    const auto fits = [&](int width) {
      return sheet.DisplayTextHeight(s.col, s.row, width) <= s.height;
    };
    int high = 2 * std::max(oneLine, s.room);
    if (!fits(high)) return high;  // not even that: the cell is too low
    int low = 0;                   // the least width that fits is above low
    while (high - low > 1) {
      const int middle = low + (high - low) / 2;
      (fits(middle) ? high : low) = middle;
    }
    return high;
  }

  // The widest display of one cell over its choices and its widest texts.
  static int ProbeCell(cuiSheet& sheet, const Shown& s) {
    const int col = s.col;
    const int row = s.row;
    int widest = NeededWidth(sheet, s);
    // Choices: Space steps through them and comes back to the first.
    const std::string start = DisplayOf(sheet, col, row);
    for (int step = 0; step < kMostSteps; ++step) {
      sheet.DoCellAction(col, row, cellop::kSpace, 0, nullptr);
      if (sheet.EditorVisible()) {
        sheet.CancelEditor(false);
        break;
      }
      widest = std::max(widest, NeededWidth(sheet, s));
      if (DisplayOf(sheet, col, row) == start) break;
    }
    // Free texts: Enter opens the editor with its length limit.
    sheet.DoCellAction(col, row, cellop::kEnter, 0, nullptr);
    if (!sheet.EditorVisible()) return widest;
    int length = sheet.Editor()->MaxBytes();
    if (length <= 0 || length > kLongestProbe) length = kLongestProbe;
    sheet.CancelEditor(false);
    for (const char* wide : kWideCharacters) {
      std::string text;
      while (static_cast<int>(text.size() + std::char_traits<char>::length(wide)) <= length)
        text += wide;
      sheet.DoCellAction(col, row, cellop::kEnter, 0, &text);
      if (sheet.EditorVisible()) sheet.CancelEditor(false);
      widest = std::max(widest, NeededWidth(sheet, s));
    }
    return widest;
  }

  static std::string DisplayOf(cuiSheet& sheet, int col, int row) {
    cmcCellCapsule capsule;
    sheet.PrepareCapsule(col, row, capsule);
    sheet.GetCellHandler()(capsule, 0);
    return capsule.outputText;
  }

  kwtest::MainWindowRig rig_;
};

std::string Describe(const std::vector<Narrow>& narrow) {
  std::string out;
  for (const Narrow& n : narrow)
    out += "  " + n.page + ": column " + std::to_string(n.col) + " (" + n.cell + ") is " +
           std::to_string(n.width) + " wide, its texts need " + std::to_string(n.needed) + "\n";
  return out;
}

TEST(ColumnWidthsTest, EveryPageOfTheTreeFitsItsTexts) {
  const struct Case {
    const char* name;
    const kwres::LineArray& table;
  } cases[] = {
      {"English", kwres::kTextEnglish},
      {"Japanese", kwres::kTextJapanese},
      {"mixed", kwres::kTextMixed},
  };
  for (const Case& c : cases) {
    ColumnCheck check(kwtest::TableLines(c.table));
    const std::vector<Narrow> narrow = check.Run();
    EXPECT_TRUE(narrow.empty()) << c.name << " table:\n" << Describe(narrow);
  }
}

// The check itself: a DTMF page whose code column was sized for 20 digits
// fails it, at that column only.
TEST(ColumnWidthsTest, ACodeColumnSizedForTwentyDigitsFails) {
  std::vector<std::string> lines = {
      "",
      "#GI_Sheet_DTMF_Memory_Cells",
      "",
      "|{($iChN)^!B(@ch0=0)}CH|{($iSp)}|{($iChI)}DTMF Code",
      "",
      ":(LoopFrom 16)",
      "|{($iChN)^(%CL_DTMF_ChNo[@ch0])}99|{($iSp)}|{($eWh)<(%CL_DTMF_Memory_Code[@ch0])}"
      "99999999999999999999",
      ":(LoopTo)",
      "#",
  };
  const std::vector<std::string> english = kwtest::TableLines(kwres::kTextEnglish);
  lines.insert(lines.end(), english.begin() + 1, english.end());
  ColumnCheck check(std::move(lines));
  const std::vector<Narrow> narrow = check.Run();
  ASSERT_EQ(narrow.size(), 1u) << Describe(narrow);
  EXPECT_EQ(narrow[0].page, "GI_Sheet_DTMF_Memory,71");
  EXPECT_EQ(narrow[0].cell, "CL_DTMF_Memory_Code");
}

// A comment cell drawn wrapped is held to its text as drawn: each line is
// broken at nine tenths of the column's width, and the lines must fit the
// rows the sample gives it. 43 "W" fit two lines 25 "W" wide; two lines
// 22 wide hold fewer a line as drawn and need a third, and a single line
// of all 43 sends the last of them to a second line.
TEST(ColumnWidthsTest, AWrappedCommentIsMeasuredAsDrawn) {
  const struct Case {
    std::string sample;
    bool fits;
  } cases[] = {
      {std::string(25, 'W') + "\\n" + std::string(18, 'W'), true},
      {std::string(22, 'W') + "\\n" + std::string(21, 'W'), false},
      {std::string(43, 'W'), false},
  };
  const std::vector<std::string> english = kwtest::TableLines(kwres::kTextEnglish);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sample);
    std::vector<std::string> lines = {
        "",
        "#GI_Sheet_GPS_Cells",
        "|{($iCR)-}Comment (No.1)||{($eWh)=~I(%CL_Common_AprsComment_1)}" + c.sample,
        "#",
    };
    lines.insert(lines.end(), english.begin() + 1, english.end());
    ColumnCheck check(std::move(lines));
    const std::vector<Narrow> narrow = check.Run();
    if (c.fits) {
      EXPECT_TRUE(narrow.empty()) << Describe(narrow);
      continue;
    }
    ASSERT_EQ(narrow.size(), 1u) << Describe(narrow);
    EXPECT_EQ(narrow[0].page, "[St_Common]GI_Sheet_GPS,248");
    EXPECT_EQ(narrow[0].cell, "CL_Common_AprsComment_1");
  }
}

}  // namespace
