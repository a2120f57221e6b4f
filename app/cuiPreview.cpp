#include "app/cuiPreview.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppPictures.h"
#include "app/DialogTexts.h"
#include "app/OwnedWindow.h"
#include "app/PrintPage.h"
#include "app/cuiPrinter.h"
#include "core/indEnviron.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiImageList.h"
#include "sheet/cuiPainterCanvas.h"
#include "sheet/cuiSheet.h"

namespace {

constexpr char kCaptionKey[] = "GI_AppInd_Preview_Caption";
constexpr char kSettingKey[] = "GI_AppInd_Preview_Setting_Caption";
constexpr char kButtonsKey[] = "GI_AppInd_Button_OkCancel";
const QColor kClientGrey(0x55, 0x55, 0x55);

cuiPreview* g_runningPreview = nullptr;

// The page bitmap: at its own size when zoomed (the scroll box scrolls it),
// else scaled to fit the client area, centred, keeping its proportions.
class PreviewPageView final : public QWidget {
 public:
  PreviewPageView(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {}
  void SetZoomed(bool on) {
    zoomed_ = on;
    if (on) resize(image_.size());
    update();
  }
  bool Zoomed() const { return zoomed_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (image_.isNull()) return;
    QPainter painter(this);
    if (zoomed_) {
      painter.drawImage(QPoint(0, 0), image_);
      return;
    }
    const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2),
                       fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
  }

 private:
  const QImage& image_;
  bool zoomed_ = false;
};

QToolButton* NavigationButton(QToolBar* bar, const cuiImageList& images, int picture,
                              const QString& hint) {
  auto* button = new QToolButton(bar);
  button->setIcon(images.Icon(picture));
  button->setToolTip(hint);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  bar->addWidget(button);
  return button;
}

QPushButton* ToolPushButton(QToolBar* bar, const QString& caption, int width) {
  auto* button = new QPushButton(caption, bar);
  button->setFixedWidth(width);
  button->setAutoDefault(false);
  button->setDefault(false);
  bar->addWidget(button);
  return button;
}

}  // namespace

cuiPreview* cuiPreview::Running() { return g_runningPreview; }

cuiPreview::cuiPreview(QWidget* owner, const QString& caption, const cuiImageList* images,
                       bool printAll, cuiPrinter& printer)
    : owner_(owner), printer_(printer), printAll_(printAll), images_(images) {
  if (!images_) {
    ownImages_ = std::make_unique<cuiImageList>(apppictures::kSmallSize, apppictures::kSmallSize);
    for (const QImage& picture : apppictures::ToolBarPictures()) ownImages_->Add(picture);
    images_ = ownImages_.get();
  }
  BuildWindow(caption);
}

cuiPreview::~cuiPreview() {
  if (g_runningPreview == this) g_runningPreview = previousRunning_;
  form_.reset();
}

QDialog* cuiPreview::Form() const { return form_.get(); }
QDialog* cuiPreview::SettingForm() const { return settingForm_.data(); }

void cuiPreview::BuildWindow(const QString& caption) {
  cmcGTex& texts = printer_.Texts();
  form_ = std::make_unique<QDialog>(nullptr);
  QDialog* form = form_.get();
  form->setObjectName(QStringLiteral("preview"));
  form->setWindowTitle(caption);
  form->setFont(dialogtext::FontOf(texts, "CellModel_BasicDialog"));
  form->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  form->setSizeGripEnabled(true);

  toolPanel_ = new QWidget(form);
  toolPanel_->setFixedHeight(kToolPanelHeight);
  auto* toolBox = new QHBoxLayout(toolPanel_);
  toolBox->setContentsMargins(0, 0, 0, 0);
  toolBar_ = new QToolBar(toolPanel_);
  toolBar_->setIconSize(QSize(images_->Width(), images_->Height()));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setContentsMargins(0, 0, 0, 0);
  toolBox->addWidget(toolBar_);

  printButton_ = ToolPushButton(toolBar_, dialogtext::Caption(texts, kCaptionKey, 0), kButtonWidth);
  toolBar_->addSeparator();
  settingButton_ =
      ToolPushButton(toolBar_, dialogtext::Caption(texts, kCaptionKey, 1), kButtonWidth);
  toolBar_->addSeparator();
  topButton_ = NavigationButton(toolBar_, *images_, apppictures::kBarPageTop,
                                dialogtext::Caption(texts, kCaptionKey, 2));
  previousButton_ = NavigationButton(toolBar_, *images_, apppictures::kBarPagePrevious,
                                     dialogtext::Caption(texts, kCaptionKey, 3));
  pageBox_ = new QLineEdit(toolBar_);
  pageBox_->setMaxLength(kPageBoxLength);
  pageBox_->setFixedWidth(kPageBoxWidth);
  pageBox_->setAlignment(Qt::AlignRight);
  // Digits only: every other character typed is dropped.
  pageBox_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), pageBox_));
  toolBar_->addWidget(pageBox_);
  countLabel_ = new QLabel(toolBar_);
  toolBar_->addWidget(countLabel_);
  nextButton_ = NavigationButton(toolBar_, *images_, apppictures::kBarPageNext,
                                 dialogtext::Caption(texts, kCaptionKey, 4));
  lastButton_ = NavigationButton(toolBar_, *images_, apppictures::kBarPageLast,
                                 dialogtext::Caption(texts, kCaptionKey, 5));
  toolBar_->addSeparator();
  zoomButton_ = NavigationButton(toolBar_, *images_, apppictures::kBarPageZoom,
                                 dialogtext::Caption(texts, kCaptionKey, 6));
  zoomButton_->setCheckable(true);
  QWidget::setTabOrder(printButton_, settingButton_);
  QWidget::setTabOrder(settingButton_, pageBox_);

  clientPanel_ = new QFrame(form);
  clientPanel_->setFrameShape(QFrame::Box);
  clientPanel_->setLineWidth(1);
  clientPanel_->setAutoFillBackground(true);
  QPalette grey = clientPanel_->palette();
  grey.setColor(QPalette::Window, kClientGrey);
  clientPanel_->setPalette(grey);
  auto* clientBox = new QVBoxLayout(clientPanel_);
  clientBox->setContentsMargins(1, 1, 1, 1);
  scroll_ = new QScrollArea(clientPanel_);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setPalette(grey);
  scroll_->setBackgroundRole(QPalette::Window);
  scroll_->viewport()->setAutoFillBackground(true);
  scroll_->viewport()->setPalette(grey);
  scroll_->setWidgetResizable(true);
  image_ = new PreviewPageView(bitmap_, scroll_);
  scroll_->setWidget(image_);
  clientBox->addWidget(scroll_);

  statusBar_ = new QStatusBar(form);
  statusBar_->setSizeGripEnabled(false);
  statusPanel_ = new QLabel(statusBar_);
  statusPanel_->setFixedWidth(kStatusPanelWidth);
  statusPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusBar_->addWidget(statusPanel_);

  auto* box = new QVBoxLayout(form);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(0);
  box->addWidget(toolPanel_);
  box->addWidget(clientPanel_, 1);
  box->addWidget(statusBar_);

  connect(printButton_, &QPushButton::clicked, this, [this] { ChoosePrint(); });
  connect(settingButton_, &QPushButton::clicked, this, [this] { RunSetting(); });
  connect(topButton_, &QToolButton::clicked, this, [this] { GoTo(0); });
  connect(previousButton_, &QToolButton::clicked, this, [this] { GoTo(current_ - 1); });
  connect(nextButton_, &QToolButton::clicked, this, [this] { GoTo(current_ + 1); });
  connect(lastButton_, &QToolButton::clicked, this, [this] { GoTo(last_); });
  connect(zoomButton_, &QToolButton::toggled, this, [this](bool on) { SetZoomed(on); });

  // Keys are the window's (its "key preview"): every part of it reports to
  // the filter first.
  form->installEventFilter(this);
  for (QWidget* child : form->findChildren<QWidget*>()) child->installEventFilter(this);
}

void cuiPreview::ResetPages(int pageCount) {
  pages_.clear();
  pages_.reserve(static_cast<std::size_t>(std::max(pageCount, 0)));
  current_ = 0;
  last_ = 0;
}

void cuiPreview::Prepare(int pageCount) {
  ResetPages(pageCount);
  const QPagedPaintDevice* device = printer_.Device();
  const int s = cuiSheet::ScreenPixelsPerInch();
  const int d = std::max(printer_.PrinterDpi(), 1);
  const QSize size = device ? printgeom::PreviewBitmapSize(device->width(), device->height(), s, d)
                            : QSize(1, 1);
  bitmap_ = QImage(size, QImage::Format_RGB32);
  ClearBitmap();
  if (zoomButton_->isChecked()) image_->resize(bitmap_.size());
  form_->resize(printgeom::PreviewWindowSize(bitmap_.size(), kToolPanelHeight,
                                             statusBar_->sizeHint().height()));
}

void cuiPreview::AddPage(const std::string& pageName, const printgeom::Box& area, int firstCol,
                         int firstRow, int colCount, int rowCount, const printgeom::Box& cells) {
  const int s = cuiSheet::ScreenPixelsPerInch();
  const int d = std::max(printer_.PrinterDpi(), 1);
  dst_Preview page;
  page.pageName = pageName;
  page.page = printgeom::ToScreen(area, s, d);
  page.cells = printgeom::ToScreen(cells, s, d);
  page.firstCol = firstCol;
  page.firstRow = firstRow;
  page.colCount = colCount;
  page.rowCount = rowCount;
  pages_.push_back(std::move(page));
  lastArea_ = area;
}

bool cuiPreview::Run() {
  last_ = PageCount() - 1;
  current_ = 0;
  ShowPage();
  ownedwindow::Attach(form_.get(), owner_);
  ownedwindow::CenterInWorkArea(form_.get(), owner_);
  form_->setWindowModality(Qt::WindowModal);
  previousRunning_ = g_runningPreview;
  g_runningPreview = this;
  pageBox_->setFocus();
  form_->exec();
  g_runningPreview = previousRunning_;
  return printChosen_;
}

bool cuiPreview::Zoomed() const { return zoomButton_->isChecked(); }

void cuiPreview::GoTo(int index) {
  if (pages_.empty()) return;
  current_ = std::clamp(index, 0, last_);
  ShowPage();
}

void cuiPreview::GoToTyped() {
  if (pages_.empty()) return;
  GoTo(printgeom::PageIndexOfText(pageBox_->text().toStdString(), PageCount()));
}

void cuiPreview::SetZoomed(bool on) {
  if (zoomButton_->isChecked() != on) {
    zoomButton_->setChecked(on);  // comes back here through toggled
    return;
  }
  auto* view = static_cast<PreviewPageView*>(image_);
  scroll_->setWidgetResizable(!on);
  view->SetZoomed(on);
}

void cuiPreview::ChoosePrint() {
  if (pages_.empty()) return;
  printChosen_ = true;
  form_->accept();
}

void cuiPreview::ClearBitmap() {
  if (bitmap_.isNull()) return;
  bitmap_.fill(Qt::white);
  QPainter painter(&bitmap_);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, bitmap_.width() - 1, bitmap_.height() - 1);
}

void cuiPreview::ShowPage() {
  ClearBitmap();
  const bool any = !pages_.empty();
  if (any) RenderPage(pages_[static_cast<std::size_t>(current_)]);
  image_->update();
  const bool first = !any || current_ <= 0;
  const bool last = !any || current_ >= last_;
  topButton_->setEnabled(!first);
  previousButton_->setEnabled(!first);
  nextButton_->setEnabled(!last);
  lastButton_->setEnabled(!last);
  printButton_->setEnabled(any);
  pageBox_->setEnabled(any);
  const int count = PageCount();
  const int shown = any ? current_ + 1 : 0;
  pageBox_->setText(QString::number(shown));
  pageBox_->setCursorPosition(pageBox_->text().size());
  countLabel_->setText(QStringLiteral(" / %1").arg(count));
  statusPanel_->setText(QStringLiteral(" %1 / %2").arg(shown).arg(count));
}

void cuiPreview::RenderPage(const dst_Preview& page) {
  indEnviron& settings = printer_.Settings();
  const std::int32_t savedCut = settings.ViewCutBits;
  const int s = cuiSheet::ScreenPixelsPerInch();
  const int points = settings.FontSizePrinter;

  QPainter painter(&bitmap_);
  cuiPainterCanvas canvas(&bitmap_);
  canvas.Attach(&painter);
  QWidget form;
  cuiSheet* sheet = printer_.CreateSheet(&form, page.pageName);
  if (sheet) {
    cuiCanvas* printerCanvas = printer_.PrinterCanvas() ? printer_.PrinterCanvas() : &canvas;
    sheet->SetPrintMode(printerCanvas, &canvas);
    sheet->SetBitmapMode(true);
    QFont cellFont;
    cellFont.setPointSize(points);
    canvas.SetFont(cellFont);
    sheet->SetFontSize(printgeom::FontHeight(points, s));
    sheet->Build();

    canvas.SetFont(printpage::FrameFont(*sheet, printgeom::FontHeight(printer_.FramePoints(), s)));
    const int t = canvas.TextExtent(" ").height();
    const printgeom::Frame frame =
        printpage::DrawFrame(canvas, page.page, t, printer_.FrameTextsOf(*sheet), true);
    const QPoint origin(frame.inner.left, frame.inner.top);
    const printgeom::Box measured = printpage::PageCells(*sheet, origin, page.firstCol,
                                                         page.firstRow, page.colCount,
                                                         page.rowCount, false);

    // The cells take the share of the page they take on paper.
    cuiGrid& grid = *sheet->Grid();
    std::vector<int> widths;
    for (int c = page.firstCol; c < page.firstCol + page.colCount; ++c)
      widths.push_back(grid.ColWidth(c));
    printgeom::AdjustColumns(
        widths, printgeom::ColumnAdjustDistance(page.cells.right, measured.right, page.page.right),
        measured.right > page.cells.right);
    for (int i = 0; i < page.colCount; ++i)
      grid.SetColWidth(page.firstCol + i, widths[static_cast<std::size_t>(i)]);
    std::vector<int> heights;
    for (int r = page.firstRow; r < page.firstRow + page.rowCount; ++r)
      heights.push_back(grid.RowHeight(r));
    printgeom::AdjustRows(heights, std::abs(page.cells.bottom - measured.bottom),
                          measured.bottom > page.cells.bottom);
    for (int i = 0; i < page.rowCount; ++i)
      grid.SetRowHeight(page.firstRow + i, heights[static_cast<std::size_t>(i)]);

    printpage::PageCells(*sheet, origin, page.firstCol, page.firstRow, page.colCount,
                         page.rowCount, true);
    // Released while still in print mode: a sheet on screen would store the
    // adjusted widths as the user's.
    sheet->Release();
  }
  canvas.Attach(nullptr);
  settings.ViewCutBits = savedCut;
}

void cuiPreview::RunSetting() {
  cmcGTex& texts = printer_.Texts();
  QDialog dialog(nullptr);
  dialog.setObjectName(QStringLiteral("previewSetting"));
  dialog.setFont(dialogtext::FontOf(texts, "CellModel_BasicDialog"));
  dialog.setWindowTitle(dialogtext::Caption(texts, kSettingKey, 0));
  dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* label = new QLabel(dialogtext::Caption(texts, kSettingKey, 1), &dialog);
  sizeBox_ = new QComboBox(&dialog);
  for (int i = 1; i <= kFontSizeChoices; ++i) sizeBox_->addItem(QString::number(i));
  sizeBox_->setCurrentIndex(
      std::clamp(printer_.Settings().FontSizePrinter - kFontSizeLowest, 0, kFontSizeChoices - 1));
  auto* ok = new QPushButton(dialogtext::Caption(texts, kButtonsKey, 0), &dialog);
  auto* cancel = new QPushButton(dialogtext::Caption(texts, kButtonsKey, 1), &dialog);
  ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(sizeBox_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* box = new QVBoxLayout(&dialog);
  box->addLayout(row);
  box->addLayout(buttons);
  box->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  dialog.adjustSize();
  ownedwindow::Attach(&dialog, form_.get());
  ownedwindow::CenterOver(&dialog, form_.get());
  dialog.setWindowModality(Qt::WindowModal);
  dialog.installEventFilter(this);
  settingForm_ = &dialog;
  const int result = dialog.exec();
  const int index = sizeBox_->currentIndex();
  settingForm_ = nullptr;
  sizeBox_ = nullptr;
  if (result == QDialog::Accepted) {
    ApplyFontSize(index);
  } else {
    pageBox_->setFocus();
  }
}

void cuiPreview::ApplyFontSize(int index) {
  printer_.Settings().FontSizePrinter = std::clamp(index, 0, kFontSizeChoices - 1) + kFontSizeLowest;
  // The distinct pages, in the order they first appear.
  std::vector<std::string> names;
  for (const dst_Preview& page : pages_)
    if (std::find(names.begin(), names.end(), page.pageName) == names.end())
      names.push_back(page.pageName);
  const printgeom::Box area = lastArea_;
  int total = 0;
  for (const std::string& name : names) total += printer_.PrintSheet(name, area, false, nullptr);
  ResetPages(total);
  for (const std::string& name : names) printer_.PrintSheet(name, area, false, this);
  last_ = PageCount() - 1;
  current_ = 0;
  ShowPage();
  pageBox_->setFocus();
}

bool cuiPreview::OnKey(QObject* watched, int key) {
  const bool zoomed = Zoomed();
  switch (key) {
    case Qt::Key_PageUp: GoTo(current_ - 1); return true;
    case Qt::Key_PageDown: GoTo(current_ + 1); return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (zoomed) {
        scroll_->verticalScrollBar()->triggerAction(key == Qt::Key_Up
                                                        ? QAbstractSlider::SliderSingleStepSub
                                                        : QAbstractSlider::SliderSingleStepAdd);
      } else {
        GoTo(current_ + (key == Qt::Key_Up ? -1 : 1));
      }
      return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
      if (!zoomed) return false;
      scroll_->horizontalScrollBar()->triggerAction(key == Qt::Key_Left
                                                        ? QAbstractSlider::SliderSingleStepSub
                                                        : QAbstractSlider::SliderSingleStepAdd);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (watched != pageBox_) return false;
      GoToTyped();
      return true;
    default: return false;
  }
}

bool cuiPreview::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && (watched == form_.get() || watched == settingForm_.data())) {
    printer_.EnableHelpWindows();
  } else if (event->type() == QEvent::KeyPress && settingForm_.isNull()) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    return OnKey(watched, key->key());
  }
  return QObject::eventFilter(watched, event);
}
