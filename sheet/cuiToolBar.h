#pragma once
// The main window's tool bar, built from the text table: one entry per line
// of K + "_Body" (up to the first value starting with '#'), each a cell over
// the basic cell K + "_BasicCell" whose state and action come from the cell
// handler, like the menu items that share its cell ids.
//
// A line's caption (the text before its braces, trimmed) decides what it is:
// "-" a separator, "/" the start of a new row, anything else a button with
// the cell's image, the caption as its tool tip and a click that runs the
// handler with Enter (13, notify 0) or the caller's click closure.
//
// All rows live in one control that stays the same widget across rebuilds,
// so the owner places it once. Event 23 refreshes the buttons: a cell that
// answers "checked" makes its button a pressed check button, "disabled"
// disables it. A click refreshes its button from the cell once the handler
// has returned (a check button would otherwise keep the state Qt toggled it
// to). Buttons go with deleteLater, disconnected first, so the bar may be
// rebuilt or destroyed from inside one of its own clicks.
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

class QAction;
class QToolBar;
class QWidget;
struct cmcEvent;
class cmcGTex;
class cuiImageList;

class cuiToolBar {
 public:
  // The button's cell (a copy that stays valid for the click's length).
  using ClickFn = std::function<void(const cmcCellObj& button)>;

  // Creates the control on the owner, empty until Populate or Build.
  cuiToolBar(QWidget* owner, cmcGTex& gtex, std::string key, const cuiImageList* images);
  ~cuiToolBar();
  cuiToolBar(const cuiToolBar&) = delete;
  cuiToolBar& operator=(const cuiToolBar&) = delete;

  // The handler the bar asks; unset: the registered default handler.
  void SetCellHandler(CellHandler handler) { handler_ = std::move(handler); }

  // Takes the table, key and image list and populates the bar anew with the
  // default click.
  void Build(cmcGTex& gtex, std::string key, const cuiImageList* images);
  // Replaces the entries with those of the markup. Without a click closure,
  // buttons run the default click.
  void Populate(ClickFn click = {});
  // Re-evaluates every button.
  void Refresh();
  // Enter on the button's cell (notify 0).
  void DefaultClick(const cmcCellObj& button);

  // The control holding every row: a child of the owner that goes with the
  // bar.
  QWidget* Control() const { return control_; }
  std::vector<QToolBar*> Rows() const;
  // Body lines read by the last Populate (separators and row breaks count).
  int LineCount() const { return static_cast<int>(entries_.size()); }
  // Buttons and separators in line order (row breaks have none).
  std::vector<QAction*> Actions() const;
  // The first button whose cell has this cell id, or null.
  QAction* FindButtonByCellId(int cellId) const;
  // The button's cell, or null.
  const cmcCellObj* CellOf(const QAction* action) const;

  const std::string& Key() const { return key_; }
  QWidget* Owner() const { return owner_; }
  const cmcCellObj& BasicCell() const { return basicCell_; }

 private:
  struct Entry {
    QPointer<QAction> action;          // null for a row break
    std::shared_ptr<cmcCellObj> cell;  // null for separators and row breaks
  };

  void Clear();
  QToolBar* AddRow();
  static void ShowSeparatorsBetweenButtons(QToolBar* row);
  void RefreshButton(QAction* action, cmcCellObj& cell);
  void Clicked(QAction* action, const std::shared_ptr<cmcCellObj>& cell, const ClickFn& click);
  void OnEvent(const cmcEvent& event);
  CellHandler Handler() const;

  QPointer<QWidget> owner_;
  cmcGTex* gtex_;
  std::string key_;
  const cuiImageList* images_;
  QPointer<QWidget> control_;
  CellHandler handler_;
  cmcCellObj basicCell_;
  std::vector<Entry> entries_;
  std::vector<QPointer<QToolBar>> rows_;
  std::shared_ptr<char> alive_;
};
