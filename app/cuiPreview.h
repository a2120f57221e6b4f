#pragma once
// The print preview: a window-modal window that shows every page of a print
// run at screen resolution on one paper-sized bitmap, with the printer's
// frame, page breaks and fonts, its columns and rows adjusted so that the
// cells fill the same share of the page as on paper. The user pages through
// (tool buttons, the page box, Page Up / Page Down, Up / Down), zooms, may
// change the printer font size (which lays the pages out again) and finally
// chooses Print or closes the window.
//
// The window has no parent widget: it sits over the owner's window (its
// transient child), centred in the work area of the owner's monitor. The
// owner stays disabled while it runs; the program's help windows are enabled
// again when it shows.
//
// Pages are records (page name, page and cell rectangles on the bitmap, the
// band's first column and row and their counts); a page is rendered from its
// record when shown. With no page at all the paper stays blank and only
// Setting and closing are possible.
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "app/PrintGeometry.h"

class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QToolBar;
class QToolButton;
class QWidget;
class cuiImageList;
class cuiPrinter;

// One page of the preview. Rectangles are on the bitmap (printer pixels
// times the screen's pixels per inch over the printer's).
struct dst_Preview {
  std::string pageName;
  printgeom::Box page;   // the printable area
  printgeom::Box cells;  // where the printer put the cells
  int firstCol = 0;
  int firstRow = 0;
  int colCount = 0;
  int rowCount = 0;
};

class cuiPreview : public QObject {
 public:
  static constexpr int kToolPanelHeight = 25;
  static constexpr int kButtonWidth = 70;
  static constexpr int kPageBoxWidth = 30;
  static constexpr int kPageBoxLength = 3;
  static constexpr int kStatusPanelWidth = 80;
  static constexpr int kFontSizeLowest = 8;
  static constexpr int kFontSizeChoices = 5;

  // The window, built and hidden. `images` gives the tool buttons' pictures
  // (13 to 17; null: the program's own); the printer renders and counts.
  cuiPreview(QWidget* owner, const QString& caption, const cuiImageList* images, bool printAll,
             cuiPrinter& printer);
  ~cuiPreview() override;
  cuiPreview(const cuiPreview&) = delete;
  cuiPreview& operator=(const cuiPreview&) = delete;

  // Room for the pages of a run, the bitmap for the printer's page and the
  // window's size.
  void Prepare(int pageCount);
  // One more page (rectangles in printer pixels).
  void AddPage(const std::string& pageName, const printgeom::Box& area, int firstCol, int firstRow,
               int colCount, int rowCount, const printgeom::Box& cells);
  // Shows the first page and runs the window; true when the user chose Print.
  bool Run();

  // --- what the window does (its buttons and keys call these) -------------
  void GoTo(int index);
  void GoToTyped();
  void SetZoomed(bool on);
  // The font-size dialog; OK lays the pages out again.
  void RunSetting();
  // Puts choice `index` (0: 8 points) in force and lays the pages out again.
  void ApplyFontSize(int index);
  void ChoosePrint();

  // --- state, for the printer and for tests -------------------------------
  int PageCount() const { return static_cast<int>(pages_.size()); }
  int CurrentPage() const { return current_; }
  int LastPage() const { return last_; }
  bool PrintChosen() const { return printChosen_; }
  bool PrintAll() const { return printAll_; }
  bool Zoomed() const;
  const std::vector<dst_Preview>& Pages() const { return pages_; }
  const QImage& Bitmap() const { return bitmap_; }
  QDialog* Form() const;
  QPushButton* PrintButton() const { return printButton_; }
  QPushButton* SettingButton() const { return settingButton_; }
  QToolButton* TopButton() const { return topButton_; }
  QToolButton* PreviousButton() const { return previousButton_; }
  QToolButton* NextButton() const { return nextButton_; }
  QToolButton* LastButton() const { return lastButton_; }
  QToolButton* ZoomButton() const { return zoomButton_; }
  QLineEdit* PageBox() const { return pageBox_; }
  QLabel* CountLabel() const { return countLabel_; }
  QLabel* StatusPanel() const { return statusPanel_; }
  QScrollArea* ScrollBox() const { return scroll_; }
  QWidget* ToolPanel() const { return toolPanel_; }
  QStatusBar* StatusBar() const { return statusBar_; }
  // The font-size dialog and its list while it is open.
  QDialog* SettingForm() const;
  QComboBox* SizeBox() const { return sizeBox_; }
  // The preview whose window runs (null when none).
  static cuiPreview* Running();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWindow(const QString& caption);
  void ResetPages(int pageCount);
  void ShowPage();
  void RenderPage(const dst_Preview& page);
  void ClearBitmap();
  bool OnKey(QObject* watched, int key);

  QWidget* owner_;
  cuiPrinter& printer_;
  bool printAll_;
  std::unique_ptr<cuiImageList> ownImages_;
  const cuiImageList* images_;
  std::unique_ptr<QDialog> form_;
  QWidget* toolPanel_ = nullptr;
  QFrame* clientPanel_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QWidget* image_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QToolButton* topButton_ = nullptr;
  QToolButton* previousButton_ = nullptr;
  QToolButton* nextButton_ = nullptr;
  QToolButton* lastButton_ = nullptr;
  QToolButton* zoomButton_ = nullptr;
  QLineEdit* pageBox_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QPushButton* printButton_ = nullptr;
  QPushButton* settingButton_ = nullptr;
  QPointer<QDialog> settingForm_;
  QComboBox* sizeBox_ = nullptr;
  QImage bitmap_;
  std::vector<dst_Preview> pages_;
  bool printChosen_ = false;
  int current_ = 0;
  int last_ = 0;
  printgeom::Box lastArea_;
  cuiPreview* previousRunning_ = nullptr;
};
