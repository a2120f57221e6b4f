#pragma once
// The main window built by the TR-3700 controller over scratch settings
// (destination 0), the program's English table with a small test tree,
// menu, warning-check list and a 100-row page "GI_Sheet_P" put in front of
// it (or one of the program's own tables as it stands), the program's cell
// handler, scripted message boxes and a manual clock. Nothing is shown until
// a test shows the window.
#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/ProgramCellHandler.h"
#include "app/indMain.h"
#include "app/iuiTree.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/LocaleInfo.h"
#include "platform/StandardFolders.h"
#include "resources/text/TextTables.h"
#include "sheet/DefaultCellHandler.h"
#include "support/ManualClock.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"
#include "support/ScriptedMessageBoxes.h"

namespace kwtest {

inline std::vector<std::string> MainWindowTestLines() {
  std::vector<std::string> lines = {
      "#GI_Menu_Main_Body",
      "+&File\t\t{(%CL_Null)}",
      " +E&xit\t\t{(%CL_Menu_File_Exit)}",
      "+&Edit\t\t{(%CL_Menu_Edit_Top)}",
      "+&View\t\t{(%CL_Null)}",
      "+&Clone\t\t{(%CL_Null)}",
      "+C&all Sign\t\t{(%CL_Null)}",
      "+&Help\t\t{(%CL_Null)}",
      "#",
      "#GI_Tree_Main_Body",
      "+Radio\t\t{(ImageIndex=0)(%CallSheet:GI_Sheet_P)}",
      " +Memory CH\t\t{(ImageIndex=1)(%CallSheet:GI_Sheet_P,1)}",
      "   +  0 -  99\t\t{(ImageIndex=2)(%CallSheet:[St_ColCut]GI_Sheet_P,0,0)}",
      "   +100 - 199\t\t{(ImageIndex=2)(%CallSheet:[St_ColCut]GI_Sheet_P,1,100)}",
      " +Bank\t\t{(ImageIndex=1)(%CallSheet:GI_Sheet_P,2)}",
      "   +A\t\t{(ImageIndex=3)(%CallSheet:[St_CCBank]GI_Sheet_P,21)}",
      "   +C\t\t{(ImageIndex=3)(%CallSheet:[St_CCBank]GI_Sheet_P,23)}",
      "#",
      "#GI_WarningCheckList",
      "{(%CL_Check_MemoryCH0:[St_ColCut]GI_Sheet_P,0,0)}",
      "{(%CL_Check_MemoryCH1:[St_ColCut]GI_Sheet_P,1,100)}",
      "#",
      "#GI_Sheet_P_Style",
      "(TitleString= Page)(FixedCols=1)(FixedRows=1)",
      "#GI_Sheet_P_BasicCell",
      "{($Basic)}",
      "#GI_Sheet_P_Cells",
      "{($iChN)(@ch0=0)}CH|{($iChN)}Name",
      ":(LoopFrom 100)",
      "{($iChN)(%CT_Conv.CL_Mch_No[@ch0])}9999|{($eWh)(%CT_Conv.CL_Mch_Name[@ch0])}WWWWWWWW",
      ":(LoopTo)",
      "#",
  };
  // The program's English table after them: its own keys of the same names
  // are never reached.
  lines.insert(lines.begin(), "");
  for (std::size_t i = 1; i < kwres::kTextEnglish.count; ++i)
    lines.emplace_back(kwres::kTextEnglish.lines[i]);
  return lines;
}

// The lines of one of the program's tables.
inline std::vector<std::string> TableLines(const kwres::LineArray& table) {
  std::vector<std::string> lines;
  lines.reserve(table.count);
  for (std::size_t i = 0; i < table.count; ++i) lines.emplace_back(table.lines[i]);
  return lines;
}

// The program's own English table, nothing put in front of it.
inline std::vector<std::string> RealTableLines() { return TableLines(kwres::kTextEnglish); }

class MainWindowRig {
 public:
  // The table the window is built from (the test lines above by default).
  using Lines = std::vector<std::string> (*)();

  explicit MainWindowRig(Lines lines = MainWindowTestLines)
      : lines_(lines),
        folders_({dir_.FileStd("docs"), dir_.FileStd("prog"), dir_.FileStd("cwd")}) {
    env = NewEnviron();
    env->EtcData.destination = 0;
    env->WindowLeft = 10;
    env->WindowTop = 10;
    env->WindowWidth = 800;
    env->WindowHeight = 600;
  }
  ~MainWindowRig() {
    TakeDown();
    SelectTextTable(texts, TextTable::English);
  }

  // The window, the cell handler and the controller go, in that order (the
  // settings stay).
  void TakeDown() {
    window.reset();
    cellHandler.reset();
    cells.reset();
    main.reset();
  }

  // Settings over the rig's scratch files; a second one reads what the
  // first wrote when it went, as after a restart.
  std::unique_ptr<indEnviron> NewEnviron() const {
    return std::make_unique<indEnviron>(indEnviron::kMutexName, kKey, kKey,
                                        kwtest::ScratchEnvironOptions(dir_));
  }

  // The controller over the rig's table (or the lines given, such as
  // RealTableLines()), its cell handler, then the window.
  void Build() { BuildWith(lines_()); }
  void Build(const std::vector<std::string>& lines) { BuildWith(lines); }
  // Over one of the program's tables (null: the rig's table).
  void Build(const kwres::LineArray* table) {
    if (!table) return Build();
    BuildWith(TableLines(*table));
  }
  // The same over other table lines (the program's own table, or fixture
  // keys in front of it).
  void BuildWith(std::vector<std::string> lines) {
    main = std::make_unique<indMain>(*env, texts);
    texts.Reset();
    texts.SetSource(std::move(lines));
    cells = std::make_unique<ProgramCellHandler>(*env, texts, *main);
    cellHandler = std::make_unique<ScopedDefaultCellHandler>(cells->Frame().Handler());
    window = std::make_unique<MainFrame>(*env, texts);
    main->BuildMainWindow(*window);
  }

  // Selects the node and lets its change delay run out.
  void Choose(QTreeWidgetItem* node) {
    iuiTree& tree = *window->Tree();
    tree.SelectNode(node);
    clock.Advance(static_cast<std::uint32_t>(tree.ChangeDelay()));
    tree.PollChange();
  }

  QTreeWidgetItem* NodeOf(const std::string& reference) {
    return window->Tree()->FindNodeByBinding(reference);
  }

  static constexpr char kKey[] = "Software\\Quor\\KW-3700";

  Lines lines_;
  ScratchDir dir_;
  ScriptedMessageBoxes boxes;
  platform::ScopedLocaleInfo locale_{platform::LocaleInfo{}};
  platform::ScopedStandardFolders folders_;
  ManualClock clock{1000};
  ScopedEvMan bus;
  std::unique_ptr<indEnviron> env;
  cmcGTex texts;
  std::unique_ptr<indMain> main;
  std::unique_ptr<ProgramCellHandler> cells;
  std::unique_ptr<ScopedDefaultCellHandler> cellHandler;
  std::unique_ptr<MainFrame> window;
};

}  // namespace kwtest
