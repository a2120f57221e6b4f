#pragma once
// The navigation tree: a tree view whose nodes are cells parsed from the
// text table. Each node's cell carries its image index and, in its binding
// text, the page reference that the cell handler opens when the node is
// chosen (the tree itself never calls the handler: its owner runs the
// selected node's cell with Enter).
//
// Markup: K + "_BasicCell" is the basic cell (the view takes its font and
// colours); the lines of K + "_Body" up to the first value starting with '#'
// are the nodes. The characters before a line's first '+' give its depth;
// the first line fixes the depth of the top level, a deeper line starts a
// child level under the node just made, a shallower one ends the level. A
// line without '+' is no node. The text after the '+' is a cell over the
// basic cell; its caption is the node's text.
//
// Marks: every node has an overlay drawn over its image, -1 none,
// kErrorOverlay (image 5 of the image list) or kWarningOverlay (image 4).
// The selection keeps its colour while the view has no focus.
//
// Events: 1 with p2 = the owner control deletes the tree (deleteLater; no
// event reaches it afterwards, so owners keep a QPointer); 28 answers the
// selected node's text (CP932, empty when nothing is selected); 29 selects
// the first node whose binding text equals the event's text. The tree
// listens under a key of its own, so a derived tree may add its own listener
// keyed by its `this`.
//
// Expanding and collapsing reach the owner through the view's own
// itemExpanded / itemCollapsed signals; a change of the current node reaches
// it through the change closure, after the change delay: a countdown on the
// program's millisecond clock (platform::GetTickCount), polled by a task, so
// a burst of moves reports once and tests drive it with their manual clock.
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/cmcTask.h"
#include "core/cmcTick.h"
#include "sheet/cmcCellObj.h"

struct cmcEvent;
class cmcGTex;
class cuiImageList;

class cuiTree : public QTreeWidget {
 public:
  // Overlay numbers and the images of the image list they show.
  static constexpr int kNoOverlay = -1;
  static constexpr int kErrorOverlay = 0;    // image 5
  static constexpr int kWarningOverlay = 1;  // image 4
  static constexpr int kErrorImage = 5;
  static constexpr int kWarningImage = 4;

  // Answers, for a node's binding text (its page reference), a non-negative
  // number when that page is faulty.
  using Checker = std::function<int(const std::string& bindingText)>;
  using ChangeFn = std::function<void()>;

  // The view is a child of the owner; the image list is not owned and must
  // outlive the tree.
  cuiTree(QWidget* owner, cmcGTex& gtex, std::string key, const cuiImageList* images);
  ~cuiTree() override;
  cuiTree(const cuiTree&) = delete;
  cuiTree& operator=(const cuiTree&) = delete;

  // Replaces every node with those of the markup; the first node is
  // expanded. Nothing is selected afterwards.
  void Build();
  // Stops answering events and changes, hides and goes with deleteLater
  // (safe from inside the tree's own handlers).
  void Close();

  // The selected node's cell, or null. Copy it before handing it to the
  // cell handler: the handler may rebuild the tree.
  cmcCellObj* GetSelectedCell() const;
  cmcCellObj* CellOf(const QTreeWidgetItem* node) const;

  // Nodes in absolute (depth-first) order: node 0 is the first root.
  std::vector<QTreeWidgetItem*> Nodes() const;
  QTreeWidgetItem* NodeAt(int absoluteIndex) const;
  // The first node, in absolute order, whose binding text is the text
  // (bytes compared), or null.
  QTreeWidgetItem* FindNodeByBinding(std::string_view bindingText) const;
  // Makes the node current and selected (null clears the selection).
  void SelectNode(QTreeWidgetItem* node);

  // The node's text (CP932) and a new one: the cell's caption and what the
  // view shows.
  std::string NodeText(const QTreeWidgetItem* node) const;
  void SetNodeText(QTreeWidgetItem* node, std::string_view text);
  // A new image for the node (normal and selected): the cell's image index
  // and what the view shows; -1 shows none.
  void SetNodeImage(QTreeWidgetItem* node, int imageIndex);

  // Overlays. A null node stands for every root.
  int Overlay(const QTreeWidgetItem* node) const;
  void SetOverlay(QTreeWidgetItem* node, int overlay);
  // The node and all its descendants lose their overlay.
  void ClearMarks(QTreeWidgetItem* node = nullptr);
  // Asks the checker for every node of the subtree whose cell has a binding
  // text; a faulty node gets the overlay, and so does a collapsed node with
  // faulty descendants. Returns the number of faulty nodes in the subtree.
  int MarkIds(QTreeWidgetItem* node, const Checker& checker, int overlay);

  // The change closure runs once the current node has stayed the same for
  // the delay (0: at once). PollChange runs a pending change whose delay has
  // run out (the poll task's tick); ChangeTick runs a pending change now.
  static constexpr int kPollMs = 10;
  void SetOnChange(ChangeFn fn) { onChange_ = std::move(fn); }
  void SetChangeDelay(int ms);
  int ChangeDelay() const { return changeDelay_; }
  bool ChangePending() const { return changePending_; }
  void PollChange();
  void ChangeTick();
  cmcTask& ChangeTask() { return *changeTask_; }

  const std::string& Key() const { return key_; }
  QWidget* Owner() const { return owner_; }
  const cmcCellObj& BasicCell() const { return basicCell_; }
  const cuiImageList* Images() const { return images_; }

 protected:
  // True once the tree is going (closed by its owner or being destroyed).
  bool Closing() const { return closing_; }

 private:
  class Delegate;

  void OnEvent(const cmcEvent& event);
  void OnCurrentChanged();
  void StopChange();

  QWidget* owner_;
  cmcGTex& gtex_;
  std::string key_;
  const cuiImageList* images_;
  cmcCellObj basicCell_;
  int changeDelay_ = 0;
  cmcTick changeCountdown_;
  bool changePending_ = false;
  std::unique_ptr<cmcTask, cmcTask::Releaser> changeTask_;
  ChangeFn onChange_;
  bool closing_ = false;
  char listenerKey_ = 0;  // the bus key of the tree's own listener
};
