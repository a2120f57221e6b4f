#pragma once
// The memory image window: a window of the main form (a Qt::Window child,
// so it closes with it) showing the whole image buffer as a sheet of 16,384
// rows of 16 bytes, centred over the main form and shown when it is made.
// The sheet's cells are the memory debug cells of the program's cell
// handler (address, and one cell per byte: typed hexadecimal or the bit
// dialog writes the byte, red where it differs from the compare snapshot,
// F3/F4 search the next difference).
//
// The sheet is built from markup the window writes into its own text table
// (GI_Sheet_EeDebugWin + _Style, _BasicCell, _Cells, the cell models it
// uses copied from the program's table, and an "Edit..." context menu).
// Byte n of row r sits at column 3 + 2n, row 3 + r (a spacer column
// between bytes).
//
// Buttons: "Set Comp" sends event 8 (the compare snapshot becomes the
// current image) and posts event 26; "Redraw" sends event 30 and repaints;
// the close button (value 0 of "GI_AppInd_Button_OkCancel") closes the
// window. Events: 26 repaints every cell; 27 makes the byte at address p2
// current and scrolls it into view (an address outside the sheet does
// nothing).
//
// Built with new; the window frees itself when it is closed (and with the
// main form), leaving the event bus and releasing its sheet first. An event
// bus must be installed (EvMan()) and outlive the window; the program's
// text table must outlive it too.
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "core/cmcGTex.h"

class QPushButton;
class cmcEvMan;
class cuiSheet;
struct cmcEvent;

class cuiEeDebugWin : public QWidget {
 public:
  static constexpr int kRows = 16384;
  static constexpr int kBytesPerRow = 16;
  static constexpr int kFirstByteCol = 3;
  static constexpr int kFirstByteRow = 3;

  cuiEeDebugWin(QWidget* mainForm, cmcGTex& texts);
  ~cuiEeDebugWin() override;
  cuiEeDebugWin(const cuiEeDebugWin&) = delete;
  cuiEeDebugWin& operator=(const cuiEeDebugWin&) = delete;

  // The sheet's table lines, with the named cell models taken from the
  // program's table.
  static std::vector<std::string> Markup(cmcGTex& texts);
  // The grid position (column, row) of a byte's cell.
  static QPoint CellOf(std::int64_t address);

  cuiSheet* Sheet() const { return sheet_; }
  QPushButton* CloseButton() const { return close_; }
  QPushButton* SetCompButton() const { return setComp_; }
  QPushButton* RedrawButton() const { return redraw_; }

 private:
  void OnEvent(const cmcEvent& event);
  void SelectAddress(std::int64_t address);

  cmcEvMan& bus_;
  cmcGTex markup_;
  cuiSheet* sheet_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* setComp_ = nullptr;
  QPushButton* redraw_ = nullptr;
};
