#include "app/iuiTree.h"

#include <QHeaderView>
#include <QPainter>
#include <QTreeWidget>

#include "app/PageReference.h"
#include "core/EventIds.h"
#include "core/SjisCleaners.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/Cp932.h"
#include "sheet/QtFontColor.h"
#include "sheet/cuiImageList.h"

namespace {

constexpr int kCellRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kOverlayRole = Qt::UserRole + 2;

// The page types whose nodes take the names of their lists.
constexpr std::string_view kRenamedTypes[] = {"St_CCBank", "St_ChGps", "St_PLink", "St_RptList"};

int DepthOf(std::string_view line) {
  const std::size_t plus = line.find('+');
  return plus == std::string_view::npos ? -1 : static_cast<int>(plus);
}

void Walk(QTreeWidgetItem* node, std::vector<QTreeWidgetItem*>& out) {
  out.push_back(node);
  for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), out);
}

}  // namespace

iuiTree::iuiTree(QWidget* parent, cmcGTex& texts, const indEnviron& settings, std::string key,
                 const cuiImageList* images)
    : parent_(parent),
      texts_(texts),
      settings_(settings),
      key_(std::move(key)),
      images_(images),
      view_(new QTreeWidget(parent)),
      changeTask_(new cmcTask) {
  view_->setObjectName(QStringLiteral("tree"));
  view_->setHeaderHidden(true);
  view_->setColumnCount(1);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  if (images_) view_->setIconSize(QSize(images_->Width(), images_->Height()));
  connections_.push_back(QObject::connect(view_.data(), &QTreeWidget::currentItemChanged, view_,
                                          [this] { OnSelectionChanged(); }));
  for (auto signal : {&QTreeWidget::itemExpanded, &QTreeWidget::itemCollapsed})
    connections_.push_back(
        QObject::connect(view_.data(), signal, view_.data(), [this](QTreeWidgetItem* node) {
          UpdateIcon(node);
          if (onExpand_) onExpand_();
        }));
  changeTask_->SetHandler([this](cmcTask&) { PollChange(); });
  EvMan().AddListener<iuiTree, &iuiTree::OnEvent>(this);
}

iuiTree::~iuiTree() {
  EvMan().RemoveListener<iuiTree, &iuiTree::OnEvent>(this);
  for (const auto& c : connections_) QObject::disconnect(c);
  delete view_.data();
}

void iuiTree::Build() {
  view_->clear();
  cells_.clear();
  basic_.Reset(nullptr);
  basic_.Parse(texts_.GetFirst(key_ + "_BasicCell"), texts_, nullptr, nullptr);
  view_->setFont(ToQFont(basic_.EffectiveFont()));

  std::vector<std::string> lines;
  const std::string body = key_ + "_Body";
  for (int n = 0;; ++n) {
    std::string line = texts_.GetText(body, n);
    if (!line.empty() && line.front() == '#') break;
    if (DepthOf(line) >= 0) lines.push_back(std::move(line));
  }
  std::size_t at = 0;
  if (!lines.empty()) AddLevel(nullptr, lines, at, DepthOf(lines.front()));
  if (QTreeWidgetItem* first = Node0()) first->setExpanded(true);
}

void iuiTree::AddLevel(QTreeWidgetItem* parent, const std::vector<std::string>& lines,
                       std::size_t& at, int depth) {
  QTreeWidgetItem* last = nullptr;
  while (at < lines.size()) {
    const int d = DepthOf(lines[at]);
    if (d < depth) return;
    if (d > depth && last) {
      AddLevel(last, lines, at, d);
      continue;
    }
    const std::string& line = lines[at++];
    auto cell = std::make_unique<cmcCellObj>();
    cell->Parse(std::string_view(line).substr(static_cast<std::size_t>(d) + 1), texts_, nullptr,
                &basic_);
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(view_.data());
    node->setData(0, kCellRole, static_cast<int>(cells_.size()));
    node->setData(0, kImageRole, cell->imageIndex);
    node->setData(0, kOverlayRole, kNoOverlay);
    node->setText(0, platform::Cp932ToUnicode(cell->GetCaption(), CurrentTextDisplay()));
    cells_.push_back(std::move(cell));
    UpdateIcon(node);
    last = node;
  }
}

QTreeWidget* iuiTree::View() const { return view_; }

std::vector<QTreeWidgetItem*> iuiTree::Nodes() const {
  std::vector<QTreeWidgetItem*> out;
  for (int i = 0; i < view_->topLevelItemCount(); ++i) Walk(view_->topLevelItem(i), out);
  return out;
}

QTreeWidgetItem* iuiTree::Node0() const {
  return view_->topLevelItemCount() > 0 ? view_->topLevelItem(0) : nullptr;
}

cmcCellObj* iuiTree::CellOf(const QTreeWidgetItem* node) const {
  if (!node) return nullptr;
  bool ok = false;
  const int i = node->data(0, kCellRole).toInt(&ok);
  return ok && i >= 0 && i < static_cast<int>(cells_.size()) ? cells_[i].get() : nullptr;
}

cmcCellObj* iuiTree::GetSelectedCell() const { return CellOf(view_->currentItem()); }

QTreeWidgetItem* iuiTree::FindNode(std::string_view reference) const {
  for (QTreeWidgetItem* node : Nodes()) {
    const cmcCellObj* cell = CellOf(node);
    if (cell && cell->bindingText && *cell->bindingText == reference) return node;
  }
  return nullptr;
}

void iuiTree::Select(QTreeWidgetItem* node) {
  if (node) view_->setCurrentItem(node);
}

void iuiTree::SetCaption(QTreeWidgetItem* node, const std::string& cp932) {
  if (node) node->setText(0, platform::Cp932ToUnicode(cp932, CurrentTextDisplay()));
}

void iuiTree::SetImage(QTreeWidgetItem* node, int image) {
  if (!node) return;
  node->setData(0, kImageRole, image);
  UpdateIcon(node);
}

int iuiTree::ImageOf(const QTreeWidgetItem* node) const {
  return node ? node->data(0, kImageRole).toInt() : -1;
}

int iuiTree::OverlayOf(const QTreeWidgetItem* node) const {
  return node ? node->data(0, kOverlayRole).toInt() : kNoOverlay;
}

void iuiTree::ClearMarks(QTreeWidgetItem* node) {
  if (!node) return;
  node->setData(0, kOverlayRole, kNoOverlay);
  UpdateIcon(node);
  for (int i = 0; i < node->childCount(); ++i) ClearMarks(node->child(i));
}

int iuiTree::MarkIds(QTreeWidgetItem* node, const Checker& faulty, int overlay) {
  if (!node) return 0;
  int below = 0;
  for (int i = 0; i < node->childCount(); ++i) below += MarkIds(node->child(i), faulty, overlay);
  const cmcCellObj* cell = CellOf(node);
  const bool self = cell && cell->bindingText && faulty(*cell->bindingText);
  if (self || (below > 0 && !node->isExpanded())) {
    node->setData(0, kOverlayRole, overlay);
    UpdateIcon(node);
  }
  return below + (self ? 1 : 0);
}

void iuiTree::UpdateIcon(QTreeWidgetItem* node) const {
  if (!images_ || !node) return;
  const int image = node->data(0, kImageRole).toInt();
  const int overlay = node->data(0, kOverlayRole).toInt();
  QImage picture = images_->Image(image);
  if (picture.isNull()) {
    node->setIcon(0, QIcon());
    return;
  }
  if (overlay != kNoOverlay) {
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&picture);
    painter.drawImage(0, 0, images_->Image(overlay == kErrorOverlay ? kErrorImage : kWarningImage));
  }
  node->setIcon(0, QIcon(QPixmap::fromImage(picture)));
}

void iuiTree::OnSelectionChanged() {
  changeDelay_.Start(static_cast<std::uint32_t>(std::max(changeDelayMs_, 0)));
  changePending_ = true;
  changeTask_->SetInterval(kPollMs);
}

void iuiTree::PollChange() {
  if (!changePending_ || changeDelay_.GetRemain() > 0) return;
  changePending_ = false;
  changeTask_->SetInterval(-1);
  if (onChange_) onChange_();
}

bool iuiTree::RenamedKind(const cmcCellObj& cell) const {
  if (!cell.bindingText) return false;
  const PageReference ref = PageReference::Parse(*cell.bindingText);
  for (std::string_view type : kRenamedTypes)
    if (ref.type == type) return true;
  return false;
}

void iuiTree::OnEvent(const cmcEvent& event) {
  switch (event.id) {
    case ev::QueryTreeSelection: {
      const QTreeWidgetItem* node = view_->currentItem();
      const cmcCellObj* cell = CellOf(node);
      EvMan().AnswerStr(cell ? cell->GetCaption() : std::string_view());
      break;
    }
    case ev::TreeSelectNode:
      if (const std::string* text = event.Text()) Select(FindNode(*text));
      break;
    case ev::RenameTreeNode: {
      const std::string* text = event.Text();
      if (!text) break;
      std::string caption = *text;
      if (!IsJapaneseUi(settings_)) {
        core::ReplaceDoubleByte(caption, '=');
        core::ReplaceHalfKana(caption, '_');
      }
      for (QTreeWidgetItem* node : Nodes()) {
        const cmcCellObj* cell = CellOf(node);
        if (!cell || !RenamedKind(*cell)) continue;
        if (PageReference::Parse(*cell->bindingText).number != event.p2) continue;
        SetCaption(node, caption);
      }
      break;
    }
    default: break;
  }
}
