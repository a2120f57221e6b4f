// The controller's print commands: the printer over the main window, print
// the current sheet and print every tree page.
#include <QTreeWidget>

#include "app/MainFrame.h"
#include "app/cuiHtmlHelp.h"
#include "app/cuiMain.h"
#include "app/cuiPrinter.h"
#include "app/iuiTree.h"
#include "sheet/cmcCellObj.h"

void cuiMain::MakePrinter(MainFrame& frame) {
  QPointer<MainFrame> window(&frame);
  printer_ = std::make_unique<cuiPrinter>(
      &frame, settings_, texts_, version_,
      [window](QWidget* parent, const std::string& pageName) -> cuiSheet* {
        return window ? window->CreateSheet(parent, pageName) : nullptr;
      },
      &frame.ListB());
  printer_->SetHelpEnabler([this] { EnableHelpWindows(); });
}

void cuiMain::PrintCurrent() {
  SetPrintChoiceMemory(true);
  SetPrintChoiceBank(true);
  if (printer_) printer_->Print(0, CurrentSheet());
}

void cuiMain::PrintAll() {
  if (!printer_ || printer_->Busy() || !window_ || !window_->Tree()) return;
  printer_->ClearPageNames();
  const iuiTree& tree = *window_->Tree();
  for (QTreeWidgetItem* node : tree.Nodes()) {
    const cmcCellObj* cell = tree.CellOf(node);
    if (cell && cell->bindingText && !cell->bindingText->empty())
      printer_->AddPageName(*cell->bindingText);
  }
  printer_->Print(1, CurrentSheet());
}
