#include "app/iuiTree.h"

#include <string_view>

#include "app/PageReference.h"
#include "core/EventIds.h"
#include "core/SjisCleaners.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/indEnviron.h"

namespace {

// The page types whose nodes take the names of their lists.
constexpr std::string_view kRenamedTypes[] = {"St_CCBank", "St_ChGps", "St_PLink", "St_RptList"};

// The sheet number of a node that takes its list's name, or -1.
int RenamedNumber(const cmcCellObj* cell) {
  if (!cell || !cell->bindingText) return -1;
  const PageReference ref = PageReference::Parse(*cell->bindingText);
  for (std::string_view type : kRenamedTypes)
    if (ref.type == type) return ref.number;
  return -1;
}

}  // namespace

iuiTree::iuiTree(QWidget* parent, cmcGTex& texts, const indEnviron& settings, std::string key,
                 const cuiImageList* images)
    : cuiTree(parent, texts, std::move(key), images), settings_(settings) {
  setObjectName(QStringLiteral("tree"));
  EvMan().AddListener<iuiTree, &iuiTree::OnEvent>(this);
}

iuiTree::~iuiTree() {
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener<iuiTree, &iuiTree::OnEvent>(this);
}

void iuiTree::OnEvent(const cmcEvent& event) {
  if (Closing() || event.id != ev::RenameTreeNode) return;
  const std::string* text = event.Text();
  if (!text) return;
  std::string caption = *text;
  if (!IsJapaneseUi(settings_)) {
    core::ReplaceDoubleByte(caption, '=');
    core::ReplaceHalfKana(caption, '_');
  }
  for (QTreeWidgetItem* node : Nodes()) {
    const cmcCellObj* cell = CellOf(node);
    const int number = RenamedNumber(cell);
    if (number < 0 || number != event.p2) continue;
    // The caption goes in, and the selected image follows the image.
    SetNodeText(node, caption);
    SetNodeImage(node, cell->imageIndex);
  }
}
