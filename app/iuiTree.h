#pragma once
// The main window's navigation tree: the general tree built from
// "GI_Tree_Main" (its node 0 is the model's root), which also listens to
// event 50: the group nodes (banks, GPS groups, scan links, repeater groups)
// with the event's sheet number take the event's text as their caption.
#include <string>

#include "sheet/cuiTree.h"

class QWidget;
class cmcGTex;
class cuiImageList;
class indEnviron;
struct cmcEvent;

class iuiTree : public cuiTree {
 public:
  // The parent, texts, settings and images must outlive the tree.
  iuiTree(QWidget* parent, cmcGTex& texts, const indEnviron& settings, std::string key,
          const cuiImageList* images);
  ~iuiTree() override;

  // The first root: the model's node.
  QTreeWidgetItem* Node0() const { return topLevelItem(0); }

 private:
  void OnEvent(const cmcEvent& event);

  const indEnviron& settings_;
};
