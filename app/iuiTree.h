#pragma once
// The main window's navigation tree: a tree view whose nodes are cells
// parsed from the text table (K + "_BasicCell" and K + "_Body"), each with
// its image index and, in its binding text, the page reference its node
// opens. It listens to the event bus: event 1 with its parent releases it
// (the owner deletes it), 28 answers the selected node's caption, 29 selects
// the node with the given reference, 50 renames the group nodes (banks, GPS
// groups, scan links, repeater groups) with the given sheet number.
//
// Overlay marks: a node shows overlay 0 (the error mark, image 5) or 1 (the
// warning mark, image 4) over its image; MarkIds marks a node that is faulty
// itself, or a collapsed node with faulty descendants.
//
// Selection changes are reported after a change delay: a countdown on the
// program's clock, polled by a task, so a burst of moves reports once.
// Expanding and collapsing are reported at once.
#include <QObject>
#include <QPointer>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/cmcTask.h"
#include "core/cmcTick.h"
#include "sheet/cmcCellObj.h"

class QWidget;
class cmcGTex;
class cuiImageList;
class indEnviron;
struct cmcEvent;

class iuiTree {
 public:
  static constexpr int kErrorOverlay = 0;
  static constexpr int kWarningOverlay = 1;
  static constexpr int kNoOverlay = -1;
  static constexpr int kErrorImage = 5;
  static constexpr int kWarningImage = 4;
  static constexpr int kPollMs = 10;

  using Notify = std::function<void()>;
  using Checker = std::function<bool(std::string_view reference)>;

  // The parent, texts, settings and images must outlive the tree.
  iuiTree(QWidget* parent, cmcGTex& texts, const indEnviron& settings, std::string key,
          const cuiImageList* images);
  ~iuiTree();
  iuiTree(const iuiTree&) = delete;
  iuiTree& operator=(const iuiTree&) = delete;

  // Fills the tree from the table; the first node is expanded.
  void Build();

  QTreeWidget* View() const;
  // Depth-first, node 0 first.
  std::vector<QTreeWidgetItem*> Nodes() const;
  QTreeWidgetItem* Node0() const;
  cmcCellObj* CellOf(const QTreeWidgetItem* node) const;
  cmcCellObj* GetSelectedCell() const;
  // The first node (depth-first) whose binding text equals the reference.
  QTreeWidgetItem* FindNode(std::string_view reference) const;
  void Select(QTreeWidgetItem* node);

  void SetCaption(QTreeWidgetItem* node, const std::string& cp932);
  void SetImage(QTreeWidgetItem* node, int image);
  int ImageOf(const QTreeWidgetItem* node) const;

  // Marks.
  void ClearMarks(QTreeWidgetItem* node);
  int MarkIds(QTreeWidgetItem* node, const Checker& faulty, int overlay);
  int OverlayOf(const QTreeWidgetItem* node) const;

  // Reactions: the change handler runs once the change delay after the last
  // selection change has run out; the expand handler at once.
  void SetChangeDelay(int ms) { changeDelayMs_ = ms; }
  int ChangeDelay() const { return changeDelayMs_; }
  void SetChangeHandler(Notify handler) { onChange_ = std::move(handler); }
  void SetExpandHandler(Notify handler) { onExpand_ = std::move(handler); }
  // One poll of the change delay (the task's tick).
  void PollChange();
  bool ChangePending() const { return changePending_; }
  cmcTask& ChangeTask() { return *changeTask_; }

 private:
  struct Node;
  void AddLevel(QTreeWidgetItem* parent, const std::vector<std::string>& lines, std::size_t& at,
                int depth);
  void UpdateIcon(QTreeWidgetItem* node) const;
  void OnEvent(const cmcEvent& event);
  void OnSelectionChanged();
  bool RenamedKind(const cmcCellObj& cell) const;

  QWidget* parent_;
  cmcGTex& texts_;
  const indEnviron& settings_;
  std::string key_;
  const cuiImageList* images_;
  QPointer<QTreeWidget> view_;  // deleted with the tree, or earlier with its parent
  cmcCellObj basic_;
  std::vector<std::unique_ptr<cmcCellObj>> cells_;
  int changeDelayMs_ = 0;
  cmcTick changeDelay_;
  bool changePending_ = false;
  std::unique_ptr<cmcTask, cmcTask::Releaser> changeTask_;
  Notify onChange_;
  Notify onExpand_;
  std::vector<QMetaObject::Connection> connections_;
};
