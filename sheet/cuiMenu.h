#pragma once
// A menu filled from the text table: the main window's menu bar or a
// sheet's context menu. Each markup line of K + "_Body" (up to the first
// value starting with '#') is one item; the blanks before its '+' give its
// depth, and a deeper line below an item makes that item a submenu head.
// The text after the '+' is a cell over the basic cell K + "_BasicCell":
// its caption is the item's text ("-" a separator), its binding text the
// item's shortcut, its image index the item's icon.
//
// Every item's checked, visible, enabled, caption and icon state come from
// the cell handler (event 9 refreshes them all). A click runs the caller's
// click closure, or by default the handler with Enter (13). Items whose
// cell is a context-menu item see, as parent capsule, a copy of the current
// cell of the sheet whose context menu they belong to (asked with event 12);
// no other sheet answers for them.
//
// Event 11 mirrors another menu (a sheet's context menu) under the item
// with a given cell id; event 10 clears such a submenu: any mirror when its
// first parameter is 0, else only a mirror of the menu it names (a sheet
// takes back its own mirror, never another sheet's). Mirrored items act
// through the other menu's click and register no shortcut (the context
// menu's own actions hold them). A line without '+' is skipped. Items go
// with deleteLater, disconnected first, so a menu may be cleared or
// destroyed from inside one of its own clicks.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

class QAction;
class QMenu;
class QWidget;
struct cmcEvent;
class cmcGTex;
class cuiImageList;

class cuiMenu {
 public:
  // The item's cell (a copy that stays valid for the click's length).
  using ClickFn = std::function<void(const cmcCellObj& item)>;

  // root: a QMenuBar or a QMenu whose items the menu owns. Without a click
  // closure, items run the default click.
  cuiMenu(QWidget* owner, QWidget* root, cmcGTex& gtex, std::string key, ClickFn click = {});
  ~cuiMenu();
  cuiMenu(const cuiMenu&) = delete;
  cuiMenu& operator=(const cuiMenu&) = delete;

  // The handler the menu asks; unset: the registered default handler.
  void SetCellHandler(CellHandler handler) { handler_ = std::move(handler); }
  void SetImageList(const cuiImageList* images) { images_ = images; }

  // Replaces every item with those of the markup.
  void Build();
  // Re-evaluates every item.
  void Refresh();
  // Depth-first search below start (or the root) for the item whose cell
  // has this cell id.
  QAction* FindItemByCellId(int cellId, QAction* start = nullptr) const;
  // The item's cell, or null.
  const cmcCellObj* CellOf(const QAction* action) const;
  // The items with shortcuts also act as shortcuts of the widget while it
  // has the focus (a sheet's grid).
  void AddShortcutsTo(QWidget* widget);
  // The default click: Enter on the item's cell, then a refresh.
  void DefaultClick(const cmcCellObj& item);

  const std::string& Key() const { return key_; }
  QWidget* Root() const { return root_; }
  QWidget* Owner() const { return owner_; }
  const cmcCellObj& BasicCell() const { return basicCell_; }
  const ClickFn& Click() const { return click_; }

 private:
  struct Item {
    std::shared_ptr<cmcCellObj> cell;
    const void* contextOwner = nullptr;  // the menu whose sheet answers event 12
  };

  std::vector<QAction*> Actions(const QWidget* menu) const;
  void AddItems(QWidget* menu, const std::string& bodyKey, const cmcCellObj& basic,
                const ClickFn& click, const void* contextOwner, bool shortcuts);
  QAction* AddItem(QWidget* menu, const std::string& line, const cmcCellObj& basic,
                   const ClickFn& click, const void* contextOwner, bool shortcuts);
  void ClearItems(QWidget* menu);
  // The submenu holds items mirrored from the menu at `source`.
  bool Mirrors(const QWidget* menu, std::intptr_t source) const;
  void RefreshItems(const QWidget* menu);
  void RefreshItem(QAction* action, Item& item);
  void AskContext(const void* contextOwner);
  void OnEvent(const cmcEvent& event);
  CellHandler Handler() const;

  QPointer<QWidget> owner_;
  QPointer<QWidget> root_;
  cmcGTex& gtex_;
  std::string key_;
  ClickFn click_;
  CellHandler handler_;
  const cuiImageList* images_ = nullptr;
  cmcCellObj basicCell_;
  std::map<const QAction*, Item> items_;
  std::optional<const void*> cachedOwner_;
  cmcCellCapsule request_;
  cmcCellObj contextCell_;
  std::unique_ptr<cmcCellCapsule> context_;
  std::shared_ptr<char> alive_;
};
