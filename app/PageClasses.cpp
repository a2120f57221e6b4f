#include "app/PageClasses.h"

#include <string>

#include "app/MainFrame.h"
#include "app/iuiSh_ChNewLists.h"
#include "app/iuiSh_ColCutA.h"
#include "app/iuiSh_ColCutBank.h"
#include "app/iuiSh_Common.h"

namespace {

// A creator for a page class that reads the document.
template <class Page>
MainFrame::SheetCreator DocumentPage(cuiMain& main) {
  return [&main](QWidget* parent, cmcGTex& texts, const std::string& key, cuiImageList* images) {
    return static_cast<cuiSheet*>(new Page(parent, texts, key, images, main));
  };
}

}  // namespace

void RegisterPageClasses(MainFrame& frame, cuiMain& main) {
  frame.RegisterSheetClass("St_Common", [](QWidget* parent, cmcGTex& texts, const std::string& key,
                                           cuiImageList* images) {
    return new iuiSh_Common(parent, texts, key, images);
  });
  frame.RegisterSheetClass("St_ColCut", DocumentPage<iuiSh_ColCut_A>(main));
  frame.RegisterSheetClass("St_PLink", DocumentPage<iuiSh_ColCut_A>(main));
  frame.RegisterSheetClass("St_CCBank", DocumentPage<iuiSh_ColCutBank>(main));
  frame.RegisterSheetClass("St_UrList", DocumentPage<iuiSh_ChNew_Ur>(main));
  frame.RegisterSheetClass("St_RptList", DocumentPage<iuiSh_ChNew_Rpt>(main));
  frame.RegisterSheetClass("St_ChGps", DocumentPage<iuiSh_ChNew_GpsMemory>(main));
}
