#include "sheet/cuiToolBar.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "platform/Cp932.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cuiImageList.h"

namespace {

constexpr int kIndent = 4;
// The image index a button shows (a dynamic property of its action).
constexpr const char* kShownImage = "cellImage";

}  // namespace

cuiToolBar::cuiToolBar(QWidget* owner, cmcGTex& gtex, std::string key, const cuiImageList* images)
    : owner_(owner),
      gtex_(&gtex),
      key_(std::move(key)),
      images_(images),
      alive_(std::make_shared<char>(0)) {
  auto* control = new QWidget(owner);
  auto* layout = new QVBoxLayout(control);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  control_ = control;
  EvMan().AddListener(this, [this](const cmcEvent& event) { OnEvent(event); });
}

cuiToolBar::~cuiToolBar() {
  alive_.reset();
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener(this);
  Clear();
  if (control_) {
    control_->hide();
    control_->deleteLater();
  }
}

CellHandler cuiToolBar::Handler() const { return handler_ ? handler_ : DefaultCellHandler(); }

void cuiToolBar::Build(cmcGTex& gtex, std::string key, const cuiImageList* images) {
  gtex_ = &gtex;
  key_ = std::move(key);
  images_ = images;
  Populate();
}

void cuiToolBar::Clear() {
  for (Entry& entry : entries_) {
    if (!entry.action) continue;
    // Disconnected and disabled at once: a click already queued does
    // nothing; the action goes when the event loop is back.
    entry.action->disconnect();
    entry.action->setEnabled(false);
    entry.action->deleteLater();
  }
  entries_.clear();
  for (QPointer<QToolBar>& row : rows_) {
    if (!row) continue;
    row->hide();
    row->deleteLater();
  }
  rows_.clear();
}

QToolBar* cuiToolBar::AddRow() {
  auto* row = new QToolBar(control_);
  row->setMovable(false);
  row->setFloatable(false);
  row->setToolButtonStyle(Qt::ToolButtonIconOnly);
  row->setContentsMargins(kIndent, 0, 0, 0);
  if (images_) row->setIconSize(QSize(images_->Width(), images_->Height()));
  control_->layout()->addWidget(row);
  rows_.emplace_back(row);
  return row;
}

void cuiToolBar::Populate(ClickFn click) {
  if (!control_) return;
  Clear();
  if (!click) {
    std::weak_ptr<char> alive = alive_;
    click = [this, alive](const cmcCellObj& button) {
      if (!alive.expired()) DefaultClick(button);
    };
  }
  basicCell_ = cmcCellObj();
  basicCell_.Parse(gtex_->GetFirst(key_ + "_BasicCell"), *gtex_, nullptr, nullptr);
  std::vector<std::string> lines;
  const std::string bodyKey = key_ + "_Body";
  for (int i = 0;; ++i) {
    std::string line = gtex_->GetText(bodyKey, i);
    if (!line.empty() && line[0] == '#') break;
    lines.push_back(std::move(line));
  }
  QToolBar* row = AddRow();
  for (const std::string& line : lines) {
    auto cell = std::make_shared<cmcCellObj>();
    cell->Parse(line, *gtex_, nullptr, &basicCell_);
    const std::string_view caption = cell->GetCaption();
    if (caption == "/") {
      row = AddRow();
      entries_.push_back({nullptr, nullptr});
      continue;
    }
    if (caption == "-") {
      entries_.push_back({row->addSeparator(), nullptr});
      continue;
    }
    // The cell outlives its base: it takes the font and menu names it would
    // find there.
    cell->font = cell->EffectiveFont();
    const std::string_view menu = cell->GetPopupMenuName(0);
    cell->popupMenuName = menu.empty() ? std::nullopt : std::optional<std::string>(menu);
    cell->base = nullptr;
    auto* action = new QAction(row);
    const QString tip = ToDisplayText(caption);
    action->setText(tip);
    action->setToolTip(tip);
    if (images_ && cell->imageIndex >= 0) {
      action->setIcon(images_->Icon(cell->imageIndex));
      action->setProperty(kShownImage, cell->imageIndex);
    }
    QPointer<QAction> guard(action);
    QObject::connect(action, &QAction::triggered, action,
                     [this, guard, cell, click] { Clicked(guard, cell, click); });
    row->addAction(action);
    // Raised buttons, not flat ones.
    if (auto* button = qobject_cast<QToolButton*>(row->widgetForAction(action)))
      button->setAutoRaise(false);
    entries_.push_back({action, cell});
  }
  for (QPointer<QToolBar>& bar : rows_) ShowSeparatorsBetweenButtons(bar);
}

void cuiToolBar::ShowSeparatorsBetweenButtons(QToolBar* row) {
  // The program's body ends in a run of separators, and a row may start with
  // one: only one separator between two buttons is drawn, so no stray lines
  // stand at an end or beside each other. The separators stay in the bar's
  // line order.
  bool buttonBefore = false;
  QAction* pending = nullptr;
  for (QAction* action : row->actions()) {
    if (action->isSeparator()) {
      action->setVisible(false);
      if (buttonBefore && !pending) pending = action;
      continue;
    }
    if (pending) pending->setVisible(true);
    pending = nullptr;
    buttonBefore = true;
  }
}

void cuiToolBar::Clicked(QAction* action, const std::shared_ptr<cmcCellObj>& cell,
                         const ClickFn& click) {
  std::weak_ptr<char> alive = alive_;
  QPointer<QAction> guard(action);
  // The closure and the cell are held for the call: the click may rebuild
  // the bar.
  const ClickFn run = click;
  const std::shared_ptr<cmcCellObj> keep = cell;
  run(*keep);
  // Qt toggled a check button by itself: the cell says what it shows.
  if (!alive.expired() && guard && CellOf(guard) == keep.get()) RefreshButton(guard, *keep);
}

void cuiToolBar::DefaultClick(const cmcCellObj& button) {
  cmcCellObj cell = button;
  cmcCellCapsule capsule;
  capsule.owner = owner_;
  capsule.cell = &cell;
  capsule.operation = cellop::kEnter;
  Handler()(capsule, 0);
}

void cuiToolBar::Refresh() {
  std::weak_ptr<char> alive = alive_;
  // A copy: the handler may rebuild the bar.
  const std::vector<Entry> entries = entries_;
  for (const Entry& entry : entries) {
    if (alive.expired()) return;
    if (entry.action && entry.cell) RefreshButton(entry.action, *entry.cell);
  }
}

void cuiToolBar::RefreshButton(QAction* action, cmcCellObj& cell) {
  if (!action) return;
  QPointer<QAction> guard(action);
  cmcCellCapsule capsule;
  capsule.owner = owner_;
  capsule.cell = &cell;
  for (int flag = userflag::kChecked; flag <= userflag::kCaptionReplaced; ++flag)
    cell.SetUserFlag(flag, false);
  Handler()(capsule, 0);
  if (!guard) return;
  const bool checked = cell.UserFlag(userflag::kChecked);
  guard->setCheckable(checked);
  guard->setChecked(checked);
  guard->setEnabled(!cell.UserFlag(userflag::kDisabled));
  if (images_ && cell.imageIndex >= 0) {
    const QVariant shown = guard->property(kShownImage);
    if (!shown.isValid() || shown.toInt() != cell.imageIndex) {
      guard->setIcon(images_->Icon(cell.imageIndex));
      guard->setProperty(kShownImage, cell.imageIndex);
    }
  }
}

std::vector<QToolBar*> cuiToolBar::Rows() const {
  std::vector<QToolBar*> out;
  for (const QPointer<QToolBar>& row : rows_)
    if (row) out.push_back(row);
  return out;
}

std::vector<QAction*> cuiToolBar::Actions() const {
  std::vector<QAction*> out;
  for (const Entry& entry : entries_)
    if (entry.action) out.push_back(entry.action);
  return out;
}

QAction* cuiToolBar::FindButtonByCellId(int cellId) const {
  for (const Entry& entry : entries_)
    if (entry.action && entry.cell && entry.cell->cellId == cellId) return entry.action;
  return nullptr;
}

const cmcCellObj* cuiToolBar::CellOf(const QAction* action) const {
  if (!action) return nullptr;
  for (const Entry& entry : entries_)
    if (entry.action == action) return entry.cell.get();
  return nullptr;
}

void cuiToolBar::OnEvent(const cmcEvent& event) {
  if (event.id == ev::ToolBarRefreshStates) Refresh();
}
