#pragma once
// The channel pages of fixed length ("St_ColCut", "St_PLink"): memory
// channels by the hundred, call channels, scan edges, scan-link names, the
// scan links and the received calls. The load parameter of the page
// reference is the page's first item: every cell's index is offset by it
// ("GI_Sheet_MemoryCH,1,100" shows channels 100..199; scan link k starts at
// position 26k). A scan-link page (numbers 51..60) is titled with its link's
// label.
//
// The view options hide column groups through the mask in force (the
// settings' ViewCutBits, loaded from the page's group when the page is
// built): a column whose cells bind an id of a hidden group is cut. Groups:
// 0 tone, 1 digital squelch, 2 call signs of the channel pages; 3 mobile,
// 4 fixed, 5 object and item, 6 weather stations of the received calls. A
// set bit shows its group; without settings nothing is cut.
//
// A page prints when the sheet allows it and its list holds a used entry
// (IsPageInUse); memory-channel pages (0..9) and bank pages (21..46) print
// only while the controller's memory-channel or bank-channel print choice
// is set. It answers the title query (ev::QuerySheetKind, std::string) and
// the two number queries (ev::QueryListNumber, ev::QueryListNumber2, its
// sheet number as std::int32_t).
#include <string>
#include <string_view>

#include "app/iuiSh_ColCut.h"

class iuiSh_ColCut_A : public iuiSh_ColCut {
 public:
  iuiSh_ColCut_A(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images,
                 cuiMain& main);

  void SetName(std::string_view name) override;
  void SetStyleItem(std::string_view item) override;
  bool IsCutColumn(const cmcCellObj& cell) const override;
  bool IsPrintable() const override;
  bool CanPrint() const override;

  // The view group (0..6) whose option hides a column of this cell id; -1
  // for an id of no group.
  static int ViewGroupOf(std::int32_t cellId);

 protected:
  void OnPageEvent(const cmcEvent& event) override;
};
