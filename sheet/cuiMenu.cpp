#include "sheet/cuiMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "platform/Cp932.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/ShortcutText.h"
#include "sheet/cuiImageList.h"

namespace {

// A cell that needs nothing of its base any more: the font and context-menu
// names it would find up the chain become its own.
void Detach(cmcCellObj& cell) {
  cell.font = cell.EffectiveFont();
  const std::string_view menu = cell.GetPopupMenuName(0);
  const std::string_view colCut = cell.GetPopupMenuName(1);
  cell.popupMenuName = menu.empty() ? std::nullopt : std::optional<std::string>(menu);
  cell.colCutPopupMenuName = colCut.empty() ? std::nullopt : std::optional<std::string>(colCut);
  cell.base = nullptr;
}

// "\t" and the shortcut text of an item whose binding is a shortcut.
QString ShortcutSuffix(const cmcCellObj& cell) {
  if (!cell.bindingText || TextToShortcuts(*cell.bindingText).isEmpty()) return {};
  return QLatin1Char('\t') + ToDisplayText(*cell.bindingText);
}

// Blanks before the first '+': the item's depth; -1 when the line has none.
int Depth(const std::string& line) {
  const std::size_t plus = line.find('+');
  return plus == std::string::npos ? -1 : static_cast<int>(plus);
}

}  // namespace

cuiMenu::cuiMenu(QWidget* owner, QWidget* root, cmcGTex& gtex, std::string key, ClickFn click)
    : owner_(owner),
      root_(root),
      gtex_(gtex),
      key_(std::move(key)),
      click_(std::move(click)),
      alive_(std::make_shared<char>(0)) {
  if (!click_) {
    std::weak_ptr<char> alive = alive_;
    click_ = [this, alive](const cmcCellObj& item) {
      if (!alive.expired()) DefaultClick(item);
    };
  }
  EvMan().AddListener(this, [this](const cmcEvent& event) { OnEvent(event); });
}

cuiMenu::~cuiMenu() {
  alive_.reset();
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener(this);
  if (root_) ClearItems(root_);
}

CellHandler cuiMenu::Handler() const { return handler_ ? handler_ : DefaultCellHandler(); }

std::vector<QAction*> cuiMenu::Actions(const QWidget* menu) const {
  std::vector<QAction*> out;
  if (!menu) return out;
  for (QAction* action : menu->actions())
    if (items_.count(action)) out.push_back(action);
  return out;
}

void cuiMenu::Build() {
  if (!root_) return;
  ClearItems(root_);
  basicCell_ = cmcCellObj();
  basicCell_.Parse(gtex_.GetFirst(key_ + "_BasicCell"), gtex_, nullptr, nullptr);
  AddItems(root_, key_ + "_Body", basicCell_, click_, this, true);
}

void cuiMenu::AddItems(QWidget* menu, const std::string& bodyKey, const cmcCellObj& basic,
                       const ClickFn& click, const void* contextOwner, bool shortcuts) {
  std::vector<std::string> lines;
  for (int i = 0;; ++i) {
    std::string line = gtex_.GetText(bodyKey, i);
    if (!line.empty() && line[0] == '#') break;
    if (Depth(line) >= 0) lines.push_back(std::move(line));  // no '+': not an item
  }
  // Each level: the first line fixes its depth; a deeper line makes the item
  // above a submenu head, a shallower one ends the level.
  struct Level {
    QWidget* menu;
    int depth;
  };
  std::vector<Level> levels;
  QAction* last = nullptr;
  for (const std::string& line : lines) {
    const int depth = Depth(line);
    if (levels.empty()) {
      levels.push_back({menu, depth});
    } else if (depth > levels.back().depth && last) {
      QMenu* sub = last->menu();
      if (!sub) {
        sub = new QMenu(root_);
        last->setMenu(sub);
        // A menu of the menu bar shows its items' states as they are when
        // it opens: the recent files, the view checks, what is possible now.
        if (levels.back().menu == root_ && qobject_cast<QMenuBar*>(root_.data())) {
          std::weak_ptr<char> alive = alive_;
          QObject::connect(sub, &QMenu::aboutToShow, sub, [this, alive] {
            if (!alive.expired()) Refresh();
          });
        }
      }
      levels.push_back({sub, depth});
    } else {
      while (levels.size() > 1 && depth < levels.back().depth) levels.pop_back();
    }
    last = AddItem(levels.back().menu, line, basic, click, contextOwner, shortcuts);
  }
}

QAction* cuiMenu::AddItem(QWidget* menu, const std::string& line, const cmcCellObj& basic,
                          const ClickFn& click, const void* contextOwner, bool shortcuts) {
  auto cell = std::make_shared<cmcCellObj>();
  const std::string_view text = std::string_view(line).substr(line.find('+') + 1);
  cell->Parse(text, gtex_, nullptr, &basic);
  Detach(*cell);
  auto* action = new QAction(menu);
  const std::string_view caption = cell->GetCaption();
  if (caption == "-") {
    action->setSeparator(true);
  } else {
    QString label = ToDisplayText(caption);
    if (cell->bindingText) {
      const QList<QKeySequence> keys = TextToShortcuts(*cell->bindingText);
      if (!keys.isEmpty()) {
        // Shown as the markup writes it ("Enter", "Del"); bound only in the
        // menu that owns the item (a mirror leaves the key to it).
        label += ShortcutSuffix(*cell);
        if (shortcuts) action->setShortcuts(keys);
      }
    }
    action->setText(label);
    if (images_ && cell->imageIndex >= 0) action->setIcon(images_->Icon(cell->imageIndex));
  }
  action->setData(QVariant::fromValue(static_cast<void*>(cell.get())));
  QObject::connect(action, &QAction::triggered, action, [click, cell] { click(*cell); });
  menu->addAction(action);
  items_[action] = Item{cell, contextOwner};
  return action;
}

bool cuiMenu::Mirrors(const QWidget* menu, std::intptr_t source) const {
  const auto* other = reinterpret_cast<const void*>(source);
  for (QAction* action : Actions(menu))
    if (items_.at(action).contextOwner == other) return true;
  return false;
}

void cuiMenu::ClearItems(QWidget* menu) {
  for (QAction* action : Actions(menu)) {
    if (QMenu* sub = action->menu()) {
      ClearItems(sub);
      sub->deleteLater();
    }
    items_.erase(action);
    // Disconnected and disabled at once: a click already queued does
    // nothing; the action itself goes when the event loop is back.
    action->disconnect();
    action->setEnabled(false);
    action->setShortcuts({});
    menu->removeAction(action);
    action->deleteLater();
  }
}

void cuiMenu::Refresh() {
  cachedOwner_.reset();
  if (root_) RefreshItems(root_);
}

void cuiMenu::RefreshItems(const QWidget* menu) {
  for (QAction* action : Actions(menu)) {
    auto it = items_.find(action);
    if (it == items_.end()) continue;
    RefreshItem(action, it->second);
    if (QMenu* sub = action->menu()) RefreshItems(sub);
  }
}

void cuiMenu::AskContext(const void* contextOwner) {
  if (cachedOwner_ && *cachedOwner_ == contextOwner) return;
  cachedOwner_ = contextOwner;
  context_.reset();
  cmcEvMan& bus = EvMan();
  const auto p1 = reinterpret_cast<std::intptr_t>(contextOwner);
  const cmcEvAnsList cells = bus.Query(ev::QueryCurrentCell, p1, 0);
  const cmcCellObj* answer = nullptr;
  for (const cmcEvAns& a : cells)
    if ((answer = a.DataAs<cmcCellObj>())) break;
  if (!answer) return;
  contextCell_ = *answer;
  context_ = std::make_unique<cmcCellCapsule>();
  context_->cell = &contextCell_;
  // Owned copies: the answers die with their lists.
  for (const cmcEvAns& a : bus.Query(ev::QuerySheetName, p1, 0))
    if (const std::string* text = a.Text()) {
      context_->sheetName = *text;
      break;
    }
  for (const cmcEvAns& a : bus.Query(ev::QuerySheetTitle, p1, 0))
    if (const std::string* text = a.Text()) {
      context_->sheetTitle = *text;
      break;
    }
}

void cuiMenu::RefreshItem(QAction* action, Item& item) {
  request_.Clear();
  request_.owner = owner_;
  request_.cell = item.cell.get();
  AskContext(item.contextOwner);
  request_.parent = context_.get();
  cmcCellObj& cell = *item.cell;
  for (int flag = userflag::kChecked; flag <= userflag::kCaptionUtf8; ++flag)
    cell.SetUserFlag(flag, false);
  Handler()(request_, 0);
  const bool checked = cell.UserFlag(userflag::kChecked);
  action->setCheckable(checked);
  action->setChecked(checked);
  action->setVisible(!cell.UserFlag(userflag::kHidden));
  action->setEnabled(!cell.UserFlag(userflag::kDisabled));
  if (cell.UserFlag(userflag::kCaptionReplaced) && !action->isSeparator()) {
    const QString text = cell.UserFlag(userflag::kCaptionUtf8)
                             ? QString::fromUtf8(cell.GetCaption().data(),
                                                 static_cast<qsizetype>(cell.GetCaption().size()))
                             : ToDisplayText(cell.GetCaption());
    const QString caption = text + ShortcutSuffix(cell);
    if (action->text() != caption) action->setText(caption);
  }
  if (images_ && cell.imageIndex >= 0 && !action->isSeparator())
    action->setIcon(images_->Icon(cell.imageIndex));
}

QAction* cuiMenu::FindItemByCellId(int cellId, QAction* start) const {
  const QWidget* menu = start ? start->menu() : root_.data();
  for (QAction* action : Actions(menu)) {
    const auto it = items_.find(action);
    if (it != items_.end() && it->second.cell->cellId == cellId) return action;
    if (action->menu())
      if (QAction* found = FindItemByCellId(cellId, action)) return found;
  }
  return nullptr;
}

const cmcCellObj* cuiMenu::CellOf(const QAction* action) const {
  const auto it = items_.find(action);
  return it == items_.end() ? nullptr : it->second.cell.get();
}

void cuiMenu::AddShortcutsTo(QWidget* widget) {
  if (!widget) return;
  for (auto& [action, item] : items_) {
    if (action->shortcuts().isEmpty()) continue;
    auto* a = const_cast<QAction*>(action);
    a->setShortcutContext(Qt::WidgetShortcut);
    widget->addAction(a);
  }
}

void cuiMenu::DefaultClick(const cmcCellObj& item) {
  std::weak_ptr<char> alive = alive_;
  cmcCellObj cell = item;
  cmcCellCapsule capsule;
  capsule.owner = owner_;
  capsule.cell = &cell;
  capsule.operation = cellop::kEnter;
  Handler()(capsule, 0);
  if (!alive.expired()) Refresh();
}

void cuiMenu::OnEvent(const cmcEvent& event) {
  switch (event.id) {
    case ev::MenusRefresh: Refresh(); break;
    case ev::SubmenuClear:
      if (QAction* head = FindItemByCellId(static_cast<int>(event.p2)))
        if (QMenu* sub = head->menu(); sub && (event.p1 == 0 || Mirrors(sub, event.p1)))
          ClearItems(sub);
      break;
    case ev::SubmenuRebuild: {
      const auto* source = reinterpret_cast<const cuiMenu*>(event.p1);
      const std::string* key = event.Text();
      QAction* head = FindItemByCellId(static_cast<int>(event.p2));
      if (!source || !key || !head) break;
      QMenu* sub = head->menu();
      if (sub) {
        ClearItems(sub);
      } else {
        sub = new QMenu(root_);
        head->setMenu(sub);
      }
      cmcCellObj basic;
      basic.Parse(gtex_.GetFirst(*key + "_BasicCell"), gtex_, nullptr, nullptr);
      AddItems(sub, *key + "_Body", basic, source->Click(), source, false);
      break;
    }
    default: break;
  }
}
