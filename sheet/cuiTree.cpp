#include "sheet/cuiTree.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "platform/Cp932.h"
#include "sheet/QtFontColor.h"
#include "sheet/cuiImageList.h"

namespace {

// Item data role of a node's overlay number.
constexpr int kOverlayRole = Qt::UserRole + 1;

// A node: a view item that holds its cell.
class Node : public QTreeWidgetItem {
 public:
  static constexpr int kType = QTreeWidgetItem::UserType + 107;
  Node() : QTreeWidgetItem(kType) {}
  cmcCellObj cell;
};

// Characters before the first '+': the line's depth; -1 when it has none.
int Depth(const std::string& line) {
  const std::size_t plus = line.find('+');
  return plus == std::string::npos ? -1 : static_cast<int>(plus);
}

void Collect(QTreeWidgetItem* node, std::vector<QTreeWidgetItem*>& out) {
  out.push_back(node);
  for (int i = 0; i < node->childCount(); ++i) Collect(node->child(i), out);
}

}  // namespace

// Paints the node as usual, then its overlay image over the node's image;
// the selection is painted as in an active window, so it keeps its colour
// while the view has no focus.
class cuiTree::Delegate : public QStyledItemDelegate {
 public:
  explicit Delegate(cuiTree& tree) : QStyledItemDelegate(&tree), tree_(tree) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    opt.state |= QStyle::State_Active;
    QStyledItemDelegate::paint(painter, opt, index);
    const QVariant overlay = index.data(kOverlayRole);
    if (!overlay.isValid() || !tree_.images_) return;
    const int image = OverlayImage(overlay.toInt());
    if (image < 0) return;
    const QImage& picture = tree_.images_->Image(image);
    if (picture.isNull()) return;
    QStyleOptionViewItem icon = opt;
    initStyleOption(&icon, index);
    const QWidget* widget = icon.widget;
    QStyle* style = widget ? widget->style() : nullptr;
    QRect rect = style ? style->subElementRect(QStyle::SE_ItemViewItemDecoration, &icon, widget)
                       : QRect(icon.rect.topLeft(), icon.decorationSize);
    if (rect.isEmpty()) rect = QRect(icon.rect.topLeft(), icon.decorationSize);
    painter->drawImage(rect, picture);
  }

  static int OverlayImage(int overlay) {
    switch (overlay) {
      case kErrorOverlay: return kErrorImage;
      case kWarningOverlay: return kWarningImage;
      default: return -1;
    }
  }

 private:
  cuiTree& tree_;
};

cuiTree::cuiTree(QWidget* owner, cmcGTex& gtex, std::string key, const cuiImageList* images)
    : QTreeWidget(owner), owner_(owner), gtex_(gtex), key_(std::move(key)), images_(images) {
  setHeaderHidden(true);
  setColumnCount(1);
  // Captions are never cut short: a node wider than the panel scrolls
  // sideways.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setTextElideMode(Qt::ElideNone);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new Delegate(*this));
  if (images_) setIconSize(QSize(images_->Width(), images_->Height()));
  changeTask_.reset(new cmcTask);
  changeTask_->SetHandler([this](cmcTask&) { PollChange(); });
  connect(this, &QTreeWidget::currentItemChanged, this, [this] { OnCurrentChanged(); });
  EvMan().AddListener(&listenerKey_, [this](const cmcEvent& event) { OnEvent(event); });
}

cuiTree::~cuiTree() {
  closing_ = true;
  StopChange();
  onChange_ = {};
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener(&listenerKey_);
  // Clearing the items moves the current item: nothing may answer that now.
  disconnect(this, &QTreeWidget::currentItemChanged, this, nullptr);
  clear();
}

void cuiTree::Build() {
  StopChange();
  {
    const QSignalBlocker quiet(this);
    clear();
  }
  basicCell_ = cmcCellObj();
  basicCell_.Parse(gtex_.GetFirst(key_ + "_BasicCell"), gtex_, nullptr, nullptr);
  setFont(ToQFont(basicCell_.EffectiveFont()));
  QPalette pal = palette();
  pal.setColor(QPalette::Base, ToQColor(basicCell_.color, pal));
  pal.setColor(QPalette::Text, ToQColor(basicCell_.EffectiveFont().color, pal));
  setPalette(pal);

  std::vector<std::string> lines;
  const std::string bodyKey = key_ + "_Body";
  for (int i = 0;; ++i) {
    std::string line = gtex_.GetText(bodyKey, i);
    if (!line.empty() && line[0] == '#') break;
    if (Depth(line) >= 0) lines.push_back(std::move(line));  // no '+': not a node
  }
  // Each level: the first line fixes its depth; a deeper line opens a level
  // under the node just made, a shallower one closes levels until one is no
  // deeper than it (a line between two open depths then opens a level of its
  // own under that level's last node).
  struct Level {
    QTreeWidgetItem* parent;  // null: the roots
    int depth;
  };
  std::vector<Level> levels;
  QTreeWidgetItem* last = nullptr;
  for (const std::string& line : lines) {
    const int depth = Depth(line);
    if (levels.empty()) {
      levels.push_back({nullptr, depth});
    } else {
      while (levels.size() > 1 && depth < levels.back().depth) {
        last = levels.back().parent;
        levels.pop_back();
      }
      if (depth < levels.back().depth) break;  // shallower than the roots: the tree ends
      if (depth > levels.back().depth) levels.push_back({last, depth});
    }
    auto* node = new Node;
    node->cell.Parse(std::string_view(line).substr(static_cast<std::size_t>(depth) + 1), gtex_,
                     nullptr, &basicCell_);
    node->setText(0, ToDisplayText(node->cell.GetCaption()));
    SetNodeImage(node, node->cell.imageIndex);
    if (levels.back().parent)
      levels.back().parent->addChild(node);
    else
      addTopLevelItem(node);
    last = node;
  }
  if (QTreeWidgetItem* first = topLevelItem(0)) first->setExpanded(true);
  {
    const QSignalBlocker quiet(this);
    setCurrentItem(nullptr);
    clearSelection();
  }
}

cmcCellObj* cuiTree::CellOf(const QTreeWidgetItem* node) const {
  if (!node || node->type() != Node::kType) return nullptr;
  return &static_cast<Node*>(const_cast<QTreeWidgetItem*>(node))->cell;
}

cmcCellObj* cuiTree::GetSelectedCell() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? nullptr : CellOf(selected.front());
}

std::vector<QTreeWidgetItem*> cuiTree::Nodes() const {
  std::vector<QTreeWidgetItem*> out;
  for (int i = 0; i < topLevelItemCount(); ++i) Collect(topLevelItem(i), out);
  return out;
}

QTreeWidgetItem* cuiTree::NodeAt(int absoluteIndex) const {
  if (absoluteIndex < 0) return nullptr;
  const std::vector<QTreeWidgetItem*> nodes = Nodes();
  return absoluteIndex < static_cast<int>(nodes.size()) ? nodes[std::size_t(absoluteIndex)]
                                                        : nullptr;
}

QTreeWidgetItem* cuiTree::FindNodeByBinding(std::string_view bindingText) const {
  for (QTreeWidgetItem* node : Nodes()) {
    const cmcCellObj* cell = CellOf(node);
    if (cell && cell->bindingText && *cell->bindingText == bindingText) return node;
  }
  return nullptr;
}

void cuiTree::SelectNode(QTreeWidgetItem* node) {
  if (!node) {
    setCurrentItem(nullptr);
    clearSelection();
    return;
  }
  setCurrentItem(node);
  node->setSelected(true);
  scrollToItem(node);
}

std::string cuiTree::NodeText(const QTreeWidgetItem* node) const {
  const cmcCellObj* cell = CellOf(node);
  return cell ? std::string(cell->GetCaption()) : std::string();
}

void cuiTree::SetNodeText(QTreeWidgetItem* node, std::string_view text) {
  cmcCellObj* cell = CellOf(node);
  if (!cell) return;
  cell->SetCaption(text);
  node->setText(0, ToDisplayText(text));
}

void cuiTree::SetNodeImage(QTreeWidgetItem* node, int imageIndex) {
  cmcCellObj* cell = CellOf(node);
  if (!cell) return;
  cell->imageIndex = imageIndex;
  node->setIcon(0, images_ && imageIndex >= 0 ? images_->Icon(imageIndex) : QIcon());
}

int cuiTree::Overlay(const QTreeWidgetItem* node) const {
  if (!node) return kNoOverlay;
  const QVariant overlay = node->data(0, kOverlayRole);
  return overlay.isValid() ? overlay.toInt() : kNoOverlay;
}

void cuiTree::SetOverlay(QTreeWidgetItem* node, int overlay) {
  if (!node || Overlay(node) == overlay) return;
  node->setData(0, kOverlayRole, overlay == kNoOverlay ? QVariant() : QVariant(overlay));
}

void cuiTree::ClearMarks(QTreeWidgetItem* node) {
  if (!node) {
    for (int i = 0; i < topLevelItemCount(); ++i) ClearMarks(topLevelItem(i));
    return;
  }
  SetOverlay(node, kNoOverlay);
  for (int i = 0; i < node->childCount(); ++i) ClearMarks(node->child(i));
}

int cuiTree::MarkIds(QTreeWidgetItem* node, const Checker& checker, int overlay) {
  if (!checker) return 0;
  if (!node) {
    int count = 0;
    for (int i = 0; i < topLevelItemCount(); ++i)
      count += MarkIds(topLevelItem(i), checker, overlay);
    return count;
  }
  const cmcCellObj* cell = CellOf(node);
  const bool faulty = cell && cell->bindingText && checker(*cell->bindingText) >= 0;
  int below = 0;
  for (int i = 0; i < node->childCount(); ++i) below += MarkIds(node->child(i), checker, overlay);
  if (faulty || (below > 0 && !node->isExpanded())) SetOverlay(node, overlay);
  return below + (faulty ? 1 : 0);
}

void cuiTree::SetChangeDelay(int ms) { changeDelay_ = ms < 0 ? 0 : ms; }

void cuiTree::OnCurrentChanged() {
  if (closing_) return;
  if (changeDelay_ > 0) {
    changeCountdown_.Start(static_cast<std::uint32_t>(changeDelay_));
    changePending_ = true;
    if (changeTask_) changeTask_->SetInterval(kPollMs);
    return;
  }
  ChangeTick();
}

void cuiTree::StopChange() {
  changePending_ = false;
  changeCountdown_.Clear();
  if (changeTask_) changeTask_->SetInterval(-1);
}

void cuiTree::PollChange() {
  if (!changePending_ || changeCountdown_.GetRemain() > 0) return;
  ChangeTick();
}

void cuiTree::ChangeTick() {
  StopChange();
  if (closing_ || !onChange_) return;
  // A copy: the closure may replace itself or delete the tree.
  const ChangeFn change = onChange_;
  change();
}

void cuiTree::Close() {
  if (closing_) return;
  closing_ = true;
  StopChange();
  onChange_ = {};
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener(&listenerKey_);
  hide();
  deleteLater();
}

void cuiTree::OnEvent(const cmcEvent& event) {
  if (closing_) return;
  switch (event.id) {
    case ev::SheetDestroying:
      if (event.p2 == reinterpret_cast<std::intptr_t>(owner_)) Close();
      break;
    case ev::QueryTreeSelection: {
      const QList<QTreeWidgetItem*> selected = selectedItems();
      EvMan().AnswerStr(selected.isEmpty() ? std::string() : NodeText(selected.front()));
      break;
    }
    case ev::TreeSelectNode:
      if (const std::string* text = event.Text())
        if (QTreeWidgetItem* node = FindNodeByBinding(*text)) SelectNode(node);
      break;
    default: break;
  }
}
