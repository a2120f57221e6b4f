#pragma once
// Small inline text tables for sheet and menu tests, a shown host window for
// a sheet, and the 105-row test sheet shaped like a memory-channel page:
// three spacer/header rows, a group header and a spacer (the five fixed
// rows), then a loop of 100 body rows (channel number, frequency, name).
#include <QApplication>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/sheet/ScriptedCellHandler.h"

namespace kwtest {

// Cell models and the Edit context menu, as the program's tables hold them.
inline std::vector<std::string> CommonSheetLines() {
  return {
      "#CellModel_Basic",
      "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
      "#CellModel_eWh",
      "S<_WHB",
      "#CellModel_iChN",
      ">-WHB(Color=clOlive)(Font=,,clWhite,,,fsBold,)",
      "#CellModel_bMn",
      "<~WH(Color=clMenu)(PopupMenu=)",
      "#GI_PMenu_Edit_BasicCell",
      "{($Basic)(%CT_PopupMenu.)}",
      "#GI_PMenu_Edit_Body",
      "+Edit...\t\t{(%CL_PMenu_Edit:Enter)}",
      "+-",
      "+Help\t\t\t{(%CL_PMenu_Help)}",
      "#",
  };
}

// The test sheet "GI_Sheet_Test" (style given).
inline std::vector<std::string> TestSheetLines(
    const std::string& style = "(TitleString= Test)(FixedCols=1)(FixedRows=5)(MultiSelect=Line)",
    int loop = 100) {
  return {
      "#GI_Sheet_Test_Style",
      style,
      "#GI_Sheet_Test_BasicCell",
      "{($Basic)}",
      "#GI_Sheet_Test_Cells",
      "",
      "{($iChN)(@ch0=0)}CH|{($iChN)}Frequency|{($iChN)}Name",
      "",
      "{($iChN)}|{($iChN)}Group|{($iChN)}",
      "",
      ":(LoopFrom " + std::to_string(loop) + ")",
      "{($iChN)(%CT_Conv.CL_Mch_No[@ch0])}9999|{($eWh)(%CT_Conv.CL_Mch_Freq[@ch0])}9999.999999|"
      "{($eWh)(%CT_Conv.CL_Mch_Name[@ch0])}WWWWWWWW",
      ":(LoopTo)",
      "#",
  };
}

// A table: the empty first line, the given lines, the common ones, the end.
inline void LoadTable(cmcGTex& gtex, const std::vector<std::string>& lines) {
  std::vector<std::string> all{""};
  all.insert(all.end(), lines.begin(), lines.end());
  const std::vector<std::string> common = CommonSheetLines();
  all.insert(all.end(), common.begin(), common.end());
  all.push_back("#End_Of_Ovl");
  gtex.Reset();
  gtex.SetSource(std::move(all));
}

// A shown, active host window with a bus, a table and a scripted handler;
// sheets are built on the host.
class SheetHost {
 public:
  SheetHost() {
    window.resize(640, 480);
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
  }
  ~SheetHost() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Builds a sheet on the host (owned by the caller, ended with Release).
  template <class Sheet = cuiSheet>
  Sheet* Build(const std::string& key, std::string_view name = "1,100",
               const cmcCellCapsule* templateCapsule = nullptr, bool readOnly = false,
               int startCellId = 0, int startIndex = 0, QWidget* owner = nullptr) {
    auto* sheet = new Sheet(owner ? owner : &window, templateCapsule, startCellId, startIndex, gtex,
                            key, nullptr);
    sheet->SetCellHandler(handler.Handler());
    sheet->SetReadOnly(readOnly);
    sheet->SetName(name);
    sheet->SetTitle("[St_ColCut]" + key + "," + std::string(name));
    sheet->Build();
    QApplication::processEvents();
    sheet->Grid()->setFocus();
    QApplication::processEvents();
    return sheet;
  }

  ScopedEvMan bus;
  cmcGTex gtex;
  ScriptedCellHandler handler;
  QWidget window;
};

}  // namespace kwtest
