#pragma once
// A printer over small inline sheets with known column widths, for the
// printing and preview tests: scratch settings, the English table with the
// sheets put in front of it, an owner window, scripted message boxes, a
// manual clock and a scripted printer writing PDF files into a scratch
// folder.
//
// Sheets (page names are their keys):
//   GI_Sheet_T1      one fixed column of 100 pixels and two of 300: one page
//   GI_Sheet_T2      the same with four columns: two pages (2 + 2 columns)
//   GI_Sheet_T3      five columns: three pages (2 + 2 + 1)
//   GI_Sheet_J       five columns, the third joined to the second in the
//                    header row: bands 1, 2, 2
//   GI_Sheet_Wide    one column far wider than the paper (measured text),
//                    then a narrow one: two pages
//   GI_Sheet_NoPrint a sheet that does not print
// Every data cell's caption is unique ("a1", "b2" ...), every header names
// its column ("Alpha" ...), the fixed column holds the row names ("r1" ...).
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/PageReference.h"
#include "app/cuiPreview.h"
#include "app/cuiPrinter.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "resources/text/TextTables.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "support/ManualClock.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/ScriptedPrinter.h"

namespace kwtest {

// A sheet whose columns take the widths given (screen pixels, times the
// printer's scale when printing; -1 keeps a column's measured width).
class KnownWidthSheet final : public cuiSheet {
 public:
  KnownWidthSheet(QWidget* parent, cmcGTex& texts, const std::string& key, std::vector<int> widths)
      : cuiSheet(parent, nullptr, 0, 0, texts, key, nullptr), widths_(std::move(widths)) {}

  void CreateCells(const std::string& cellsKey) override {
    cuiSheet::CreateCells(cellsKey);
    const int unit = Printing() && !bitmapMode_ ? static_cast<int>(printScale_) : 1;
    for (std::size_t c = 0; c < widths_.size() && static_cast<int>(c) < grid_->ColCount(); ++c)
      if (widths_[c] >= 0) grid_->SetColWidth(static_cast<int>(c), widths_[c] * unit);
  }

 private:
  std::vector<int> widths_;
};

inline std::vector<std::string> PrintRigLines() {
  auto row = [](const std::string& name, int columns, const char* first) {
    std::string line = "{WH}" + name;
    for (int c = 0; c < columns; ++c)
      line += "|{WH}" + std::string(1, static_cast<char>('a' + c)) + first;
    return line;
  };
  auto sheet = [&](const std::string& key, const std::string& title, int columns,
                   const std::string& header, const std::string& extraStyle) {
    std::vector<std::string> lines = {
        "#" + key + "_Style",
        "(TitleString=" + title + ")(FixedCols=1)(FixedRows=1)" + extraStyle,
        "#" + key + "_BasicCell",
        "{($Basic)}",
        "#" + key + "_Cells",
        header,
    };
    for (int r = 1; r <= 3; ++r) lines.push_back(row("r" + std::to_string(r), columns, std::to_string(r).c_str()));
    lines.push_back("#");
    return lines;
  };
  const std::string names[] = {"Alpha", "Bravo", "Charlie", "Delta", "Echo"};
  auto header = [&](int columns) {
    std::string line = "{WH}No";
    for (int c = 0; c < columns; ++c) line += "|{WH}" + names[c];
    return line;
  };
  std::vector<std::string> lines = {""};
  for (const auto& part : {sheet("GI_Sheet_T1", " One Page", 2, header(2), ""),
                           sheet("GI_Sheet_T2", " Two Pages", 4, header(4), ""),
                           sheet("GI_Sheet_T3", " Three Pages", 5, header(5), ""),
                           sheet("GI_Sheet_J", " Joined", 5,
                                 "{WH}No|{WH}Alpha|{WH}Bravo|{+}|{WH}Delta|{WH}Echo", ""),
                           sheet("GI_Sheet_NoPrint", " Not Printed", 2, header(2), "(NoPrint)")})
    lines.insert(lines.end(), part.begin(), part.end());
  const std::vector<std::string> wide = {
      "#GI_Sheet_Wide_Style",
      "(TitleString= Wide)(FixedCols=1)(FixedRows=1)",
      "#GI_Sheet_Wide_BasicCell",
      "{($Basic)}",
      "#GI_Sheet_Wide_Cells",
      "{WH}No|{WH}" + std::string(120, 'M') + "|{WH}Short",
      "{WH}r1|{WH}w1|{WH}s1",
      "{WH}r2|{WH}w2|{WH}s2",
      "#",
  };
  lines.insert(lines.end(), wide.begin(), wide.end());
  for (std::size_t i = 1; i < kwres::kTextEnglish.count; ++i)
    lines.emplace_back(kwres::kTextEnglish.lines[i]);
  return lines;
}

class PrintRig {
 public:
  PrintRig() {
    env = std::make_unique<indEnviron>(indEnviron::kMutexName, kKey, kKey,
                                       ScratchEnvironOptions(dir));
    SelectTextTable(texts, TextTable::English);
    texts.Reset();
    texts.SetSource(PrintRigLines());
    owner.setWindowTitle(QStringLiteral("owner"));
    owner.resize(640, 480);
    owner.show();
    printer = std::make_unique<cuiPrinter>(
        &owner, *env, texts, "1.20",
        [this](QWidget* parent, const std::string& name) -> cuiSheet* {
          const PageReference ref = PageReference::Parse(name);
          const auto found = widths.find(ref.key);
          auto* sheet = new KnownWidthSheet(
              parent, texts, ref.key, found == widths.end() ? std::vector<int>{} : found->second);
          sheet->SetTitle(name);
          sheet->SetName(ref.rest);
          return sheet;
        });
  }
  ~PrintRig() {
    CloseSheet();
    printer.reset();
    SelectTextTable(texts, TextTable::English);
  }

  // Runs `act` on the preview once its window runs (the preview's modal
  // loop starts the zero-delay timer); an answer still waiting goes with the
  // rig.
  void WhenPreviewRuns(std::function<void(cuiPreview&)> act) {
    QTimer::singleShot(0, &context, [act = std::move(act)] {
      cuiPreview* preview = cuiPreview::Running();
      if (!preview) {
        ADD_FAILURE() << "no preview runs";
        return;
      }
      act(*preview);
    });
  }
  // The preview's answer: Print, or closing the window.
  void AnswerPreview(bool print) {
    WhenPreviewRuns([print](cuiPreview& preview) {
      if (print)
        preview.ChoosePrint();
      else
        preview.Form()->close();
    });
  }

  // The page count of one sheet as the printer counts it (outside a run).
  int CountPages(const std::string& name) {
    int count = -1;
    WhenPreviewRuns([&](cuiPreview& preview) {
      count = preview.PageCount();
      preview.Form()->close();
    });
    printer->Print(0, OpenSheet(name));
    CloseSheet();
    return count;
  }

  // A sheet "on screen" (built on the owner) to print.
  cuiSheet* OpenSheet(const std::string& name) {
    CloseSheet();
    screen = new KnownWidthSheet(&owner, texts, PageReference::Parse(name).key, {});
    screen->SetTitle(name);
    screen->Build();
    return screen;
  }
  void CloseSheet() {
    if (screen) screen->Release();
    screen = nullptr;
  }

  static constexpr char kKey[] = "Software\\Quor\\KW-3700";

  ScratchDir dir;
  QObject context;
  ScriptedMessageBoxes boxes;
  ManualClock clock{1000};
  ScopedEvMan bus;
  ScopedDefaultCellHandler handler{[](cmcCellCapsule&, int) { return 0; }};
  std::unique_ptr<indEnviron> env;
  cmcGTex texts;
  ScriptedPrinter pdf{dir.Path()};
  QWidget owner;
  std::map<std::string, std::vector<int>> widths = {
      {"GI_Sheet_T1", {100, 300, 300}},
      {"GI_Sheet_T2", {100, 300, 300, 300, 300}},
      {"GI_Sheet_T3", {100, 300, 300, 300, 300, 300}},
      {"GI_Sheet_J", {100, 300, 300, 300, 300, 300}},
      {"GI_Sheet_NoPrint", {100, 300, 300}},
  };
  std::unique_ptr<cuiPrinter> printer;
  cuiSheet* screen = nullptr;
};

}  // namespace kwtest
