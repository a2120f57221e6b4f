#pragma once
// The program's main window: menu bar, tool bar, a splitter with the tree
// panel on the left and the sheet panel on the right, and a status bar of
// two panels (the second as wide as the bar is high, the first the rest but
// at least 100 pixels). It holds the parts the main controller works with:
// the three image lists (A: tree and sheet marks, B: tool bar, C: the 32-pixel
// icons), the tree, the open sheet with the positions of the pages left
// (one record per page reference, newest first), and the sheet factory that
// turns a page type into a sheet class (a plain cuiSheet for every type
// nobody registered).
//
// Placement: the stored frame corner and size, kept on a monitor and within
// its work area, at least 400 x 200 (sizes of 0 or less give 400 x 200); the
// tree panel at least 8 pixels, the sheet panel always visible.
//
// Closing: refused while the window is disabled (a clone run) or a modal
// dialog of the program is open; otherwise the document's close query runs
// first, and only once it agrees are the placement and the splitter stored,
// the tick stopped, the sheet and the tree deleted and `Closed` emitted.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sheet/cuiImageList.h"

class QLabel;
class QSplitter;
class QToolBar;
class cmcGTex;
class cuiMain;
class cuiMenu;
class cuiSheet;
class cuiToolBar;
class iuiTree;
class indEnviron;

class MainFrame : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kMinWidth = 400;
  static constexpr int kMinHeight = 200;
  static constexpr int kMinTreeWidth = 8;
  static constexpr int kMinSheetWidth = 100;
  static constexpr int kSplitterHandle = 3;
  static constexpr int kMinStatusPanel = 100;
  static constexpr int kNoSheetNumber = 253;

  // A sheet class: builds the sheet (not yet named or built) on the parent.
  using SheetCreator = std::function<cuiSheet*(QWidget* parent, cmcGTex& texts,
                                               const std::string& key, cuiImageList* images)>;

  struct SheetPosition {
    std::string reference;
    int col = 0;
    int row = 0;
    int leftCol = 0;
    int topRow = 0;
  };

  // Title, font, stored bounds and the three image lists; no parts yet.
  MainFrame(indEnviron& env, cmcGTex& texts, QWidget* parent = nullptr);
  ~MainFrame() override;

  // Builds menu, tool bar, splitter with the two panels and the status bar
  // from the text table, for the controller.
  void BuildParts(cuiMain& controller);

  // Window left, top, width and height into the settings (the normal
  // placement when maximised or minimised).
  void StorePlacement();

  cuiImageList& ListA() { return listA_; }
  cuiImageList& ListB() { return listB_; }
  cuiImageList& ListC() { return listC_; }
  cuiMenu* Menu() const { return menu_.get(); }
  // The holder of the tool bar's rows (what the window places and hides).
  QToolBar* ToolBar() const { return toolBar_; }
  cuiToolBar* Buttons() const { return buttons_.get(); }
  QSplitter* Splitter() const { return splitter_; }
  QWidget* TreePanel() const { return treePanel_; }
  QWidget* SheetPanel() const { return sheetPanel_; }
  QLabel* StatusPanel(int i) const { return i == 0 ? status0_ : status1_; }
  void ShowStatus(const QString& text);
  int TreePanelWidth() const;

  // --- tree ---------------------------------------------------------------
  // (Re)creates the tree on the tree panel, built and hidden; an old tree
  // stops answering at once and goes with deleteLater.
  iuiTree& NewTree(const std::string& key);
  // Builds the menu and the tool bar again from the text table (their old
  // items go with deleteLater); the tool bar is placed when the settings
  // show it.
  void RebuildBars();
  iuiTree* Tree() const;
  void DeleteTree();

  // --- sheets -------------------------------------------------------------
  void RegisterSheetClass(const std::string& pageType, SheetCreator creator);
  // The sheet a page reference names, on the parent: its class by page type,
  // given the window's settings, titled with the reference, named with the
  // text after the key.
  cuiSheet* CreateSheet(QWidget* parent, const std::string& reference);
  // Closes the open sheet and opens the page; a saved position of the page
  // comes back.
  void OpenSheet(const std::string& reference, bool rebuild);
  // Remembers the open sheet's position and deletes it.
  void CloseSheet();
  cuiSheet* CurrentSheet() const { return sheet_; }
  // The open sheet's number; kNoSheetNumber without one.
  int CurrentSheetNumber() const;
  const std::vector<SheetPosition>& SheetPositions() const { return positions_; }

  // Whether the window may close now (not disabled, no modal dialog open).
  bool CloseAllowed() const;

 signals:
  // The close was accepted: the program ends its loop.
  void Closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayoutStatusPanels();
  // CloseSheet without waking the controller's tick (a page follows).
  void DropSheet();

  indEnviron& env_;
  cmcGTex& texts_;
  cuiMain* controller_ = nullptr;
  cuiImageList listA_;
  cuiImageList listB_;
  cuiImageList listC_;
  std::unique_ptr<cuiMenu> menu_;
  QToolBar* toolBar_ = nullptr;
  std::unique_ptr<cuiToolBar> buttons_;
  QSplitter* splitter_ = nullptr;
  QWidget* treePanel_ = nullptr;
  QWidget* sheetPanel_ = nullptr;
  QLabel* status0_ = nullptr;
  QLabel* status1_ = nullptr;
  QPointer<iuiTree> tree_;  // a child of the tree panel; may close itself
  cuiSheet* sheet_ = nullptr;
  bool focusOffTree_ = false;
  std::vector<SheetPosition> positions_;
  std::map<std::string, SheetCreator> creators_;
};
