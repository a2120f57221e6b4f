#pragma once
// The base of the channel and list pages: a sheet whose columns the view
// options can hide. After the cells are made, every column whose cells a
// page reports cut (IsCutColumn; this base cuts nothing) becomes 0 pixels
// wide, its right rule line moves to the nearest shown column on its left
// (so a hidden group's closing rule stays visible), a 1-pixel separator just
// left of it goes as well, and its cells stop being data cells: a hidden
// column is never selected, edited, searched, stored or widened again.
//
// The page classes that derive from it listen to the event bus through
// OnPageEvent (added when built, removed when destroyed), beside the sheet's
// own listener.
#include <string>

#include "sheet/cuiSheet.h"

class cuiMain;
struct cmcEvent;

class iuiSh_ColCut : public cuiSheet {
 public:
  // The controller holds the document the page reads; it must outlive the
  // page.
  iuiSh_ColCut(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images,
               cuiMain& main);
  ~iuiSh_ColCut() override;

  void CreateCells(const std::string& cellsKey) override;
  // Whether the cell's column is to be hidden.
  virtual bool IsCutColumn(const cmcCellObj& cell) const;

 protected:
  virtual void OnPageEvent(const cmcEvent& event);
  // Hides the columns IsCutColumn reports.
  void CutColumns();
  cuiMain& Main() const { return main_; }

 private:
  cuiMain& main_;
  char listenerKey_ = 0;  // the address identifies this page's listener
};
