#include "app/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppPictures.h"
#include "app/PageReference.h"
#include "app/cuiMain.h"
#include "app/iuiTree.h"
#include "core/TextTableChoice.h"
#include "core/WindowPlacement.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/Cp932.h"
#include "sheet/QtFontColor.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiToolBar.h"

namespace {

constexpr char kMenuKey[] = "GI_Menu_Main";
constexpr char kToolBarKey[] = "GI_ToolBar_Main";
constexpr int kSmallImage = 16;
constexpr int kLargeImage = 32;

cuiSheet* PlainSheet(QWidget* parent, cmcGTex& texts, const std::string& key,
                     cuiImageList* images) {
  return new cuiSheet(parent, nullptr, 0, 0, texts, key, images);
}

// The stored bounds kept on a monitor and within its work area.
QRect PlacedBounds(const indEnviron& env) {
  int width = env.WindowWidth;
  int height = env.WindowHeight;
  if (width <= 0 || height <= 0) {
    width = MainFrame::kMinWidth;
    height = MainFrame::kMinHeight;
  }
  width = std::max(width, MainFrame::kMinWidth);
  height = std::max(height, MainFrame::kMinHeight);
  const placement::MonitorList monitors = platform::CurrentMonitors().List();
  // The stored values are a hand-edited file's: held to the desktop first.
  platform::ScreenRect rect =
      placement::StoredFormRect(env.WindowLeft, env.WindowTop, width, height, monitors);
  rect = placement::KeepFormOnScreen(rect, monitors);
  rect = placement::LimitFormSize(rect, std::nullopt, monitors);
  return rect.ToQRect();
}

}  // namespace

MainFrame::MainFrame(indEnviron& env, cmcGTex& texts, QWidget* parent)
    : QMainWindow(parent),
      env_(env),
      texts_(texts),
      listA_(kSmallImage, kSmallImage),
      listB_(kSmallImage, kSmallImage),
      listC_(kLargeImage, kLargeImage) {
  setObjectName(QStringLiteral("window"));
  setWindowTitle(ToDisplayText(texts_.GetFirst("GI_Sys_AppTitle")));
  cmcCellObj formCell;
  formCell.Parse(texts_.GetFirst("GI_Form_Main_BasicCell"), texts_, nullptr, nullptr);
  setFont(ToQFont(formCell.EffectiveFont()));
  setMinimumSize(kMinWidth, kMinHeight);
  // Left and top are the frame's corner, width and height the window's size,
  // the same pair StorePlacement reads back, so a placement never drifts.
  const QRect bounds = PlacedBounds(env_);
  move(bounds.topLeft());
  resize(bounds.size());

  for (const QImage& image : apppictures::TreePictures()) listA_.Add(image);
  for (const QImage& image : apppictures::ToolBarPictures()) listB_.Add(image);
  for (const QImage& image : apppictures::IconPictures()) listC_.Add(image);
  setWindowIcon(listC_.Icon(apppictures::kIconMain));
  creators_.clear();
}

MainFrame::~MainFrame() {
  controller_ = nullptr;  // it may be gone already
  CloseSheet();
  DeleteTree();
  buttons_.reset();
}

void MainFrame::BuildParts(cuiMain& controller) {
  controller_ = &controller;
  menu_ = std::make_unique<cuiMenu>(this, menuBar(), texts_, std::string(kMenuKey));
  menu_->SetImageList(&listB_);
  menu_->Build();

  toolBar_ = addToolBar(QStringLiteral("toolbar"));
  toolBar_->setObjectName(QStringLiteral("toolbar"));
  toolBar_->setIconSize(QSize(listB_.Width(), listB_.Height()));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setVisible(env_.ToolbarVisible != 0);
  buttons_ = std::make_unique<cuiToolBar>(toolBar_, texts_, std::string(kToolBarKey), &listB_);
  toolBar_->addWidget(buttons_->Control());
  buttons_->Populate();

  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(QStringLiteral("splitter"));
  splitter_->setHandleWidth(kSplitterHandle);
  splitter_->setChildrenCollapsible(false);
  treePanel_ = new QWidget(splitter_);
  treePanel_->setObjectName(QStringLiteral("treePanel"));
  treePanel_->setMinimumWidth(kMinTreeWidth);
  auto* treeBox = new QVBoxLayout(treePanel_);
  treeBox->setContentsMargins(0, 0, 0, 0);
  treeBox->setSpacing(0);
  sheetPanel_ = new QWidget(splitter_);
  sheetPanel_->setObjectName(QStringLiteral("sheet"));
  sheetPanel_->setMinimumWidth(kMinSheetWidth);
  splitter_->addWidget(treePanel_);
  splitter_->addWidget(sheetPanel_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  setCentralWidget(splitter_);
  const int treeWidth = std::max(kMinTreeWidth, env_.SplitterV);
  splitter_->setSizes({treeWidth, std::max(width() - treeWidth - kSplitterHandle, 1)});

  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("statusbar"));
  bar->setSizeGripEnabled(false);
  status0_ = new QLabel(bar);
  status1_ = new QLabel(bar);
  for (QLabel* panel : {status0_, status1_}) panel->setFrameShape(QFrame::NoFrame);
  bar->addWidget(status0_, 1);
  bar->addPermanentWidget(status1_);
  bar->installEventFilter(this);
  LayoutStatusPanels();
}

void MainFrame::ShowStatus(const QString& text) {
  if (status0_) status0_->setText(text);
}

int MainFrame::TreePanelWidth() const {
  if (!splitter_) return 0;
  const QList<int> sizes = splitter_->sizes();
  return sizes.isEmpty() ? 0 : sizes.front();
}

void MainFrame::LayoutStatusPanels() {
  QStatusBar* bar = statusBar();
  if (!status0_ || !status1_) return;
  const int side = bar->height();
  status1_->setFixedWidth(side);
  status0_->setMinimumWidth(std::max(kMinStatusPanel, bar->width() - side));
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == statusBar()) LayoutStatusPanels();
  return QMainWindow::eventFilter(watched, event);
}

void MainFrame::RebuildBars() {
  if (menu_) menu_->Build();
  if (buttons_) buttons_->Build(texts_, std::string(kToolBarKey), &listB_);
  if (toolBar_) toolBar_->setVisible(env_.ToolbarVisible != 0);
}

iuiTree& MainFrame::NewTree(const std::string& key) {
  // The old tree may be the one whose handler runs now.
  if (iuiTree* old = tree_.data()) {
    treePanel_->layout()->removeWidget(old);
    old->Close();
    tree_ = nullptr;
  }
  tree_ = new iuiTree(treePanel_, texts_, env_, key, &listA_);
  treePanel_->layout()->addWidget(tree_);
  tree_->hide();
  tree_->Build();
  return *tree_;
}

iuiTree* MainFrame::Tree() const { return tree_.data(); }

void MainFrame::DeleteTree() {
  delete tree_.data();
  tree_ = nullptr;
}

void MainFrame::RegisterSheetClass(const std::string& pageType, SheetCreator creator) {
  creators_[pageType] = std::move(creator);
}

cuiSheet* MainFrame::CreateSheet(QWidget* parent, const std::string& reference) {
  const PageReference ref = PageReference::Parse(reference);
  const auto found = ref.type.empty() ? creators_.end() : creators_.find(ref.type);
  const SheetCreator& creator = found != creators_.end() ? found->second : SheetCreator(PlainSheet);
  cuiSheet* sheet = creator ? creator(parent, texts_, ref.key, &listA_)
                            : PlainSheet(parent, texts_, ref.key, &listA_);
  // Every page keeps its widths and the column-cut mask, and its layout may
  // read the destination.
  sheet->SetSettings(&env_);
  sheet->SetTitle(reference);
  sheet->SetName(ref.rest);
  return sheet;
}

void MainFrame::OpenSheet(const std::string& reference, bool rebuild) {
  DropSheet();
  sheet_ = CreateSheet(sheetPanel_, reference);
  const auto saved = std::find_if(positions_.begin(), positions_.end(),
                                  [&](const SheetPosition& p) { return p.reference == reference; });
  if (saved != positions_.end())
    sheet_->SetStartCell(saved->col, saved->row, saved->leftCol, saved->topRow);
  sheet_->SetResetWidths(rebuild);
  sheet_->Build();
  if (!isVisible() || !isEnabled()) return;
  if (!focusOffTree_) {
    if (tree_) tree_->setFocus();
  } else if (cuiGrid* grid = sheet_->Grid(); grid && grid->isEnabled()) {
    grid->setFocus();
  }
}

void MainFrame::CloseSheet() {
  if (!sheet_) return;
  DropSheet();
  // The controller's tick opens the selected page again.
  if (controller_ && isVisible()) controller_->ArmTick();
}

void MainFrame::DropSheet() {
  if (!sheet_) return;
  if (cuiGrid* grid = sheet_->Grid(); grid && grid->isVisible()) {
    SheetPosition position{sheet_->GetTitle(), grid->Col(), grid->Row(), grid->LeftCol(),
                           grid->TopRow()};
    std::erase_if(positions_,
                  [&](const SheetPosition& p) { return p.reference == position.reference; });
    positions_.insert(positions_.begin(), std::move(position));
    focusOffTree_ = !tree_ || QApplication::focusWidget() != tree_.data();
  }
  cuiSheet* sheet = sheet_;
  sheet_ = nullptr;
  sheet->Release();
}

int MainFrame::CurrentSheetNumber() const {
  if (!sheet_) return kNoSheetNumber;
  return PageReference::Parse(sheet_->GetTitle()).number;
}

bool MainFrame::CloseAllowed() const {
  return isEnabled() && QApplication::activeModalWidget() == nullptr;
}

void MainFrame::StorePlacement() {
  QRect place(pos(), size());
  if ((isMaximized() || isMinimized() || isFullScreen()) && normalGeometry().isValid())
    place = normalGeometry();
  env_.WindowLeft = place.x();
  env_.WindowTop = place.y();
  env_.WindowWidth = place.width();
  env_.WindowHeight = place.height();
}

void MainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Shown without a page: the controller's tick opens one.
  if (controller_ && !sheet_) controller_->ArmTick();
}

void MainFrame::closeEvent(QCloseEvent* event) {
  if (!CloseAllowed() || (controller_ && !controller_->QueryClose())) {
    event->ignore();
    return;
  }
  StorePlacement();
  if (splitter_) env_.SplitterV = TreePanelWidth();
  if (controller_) controller_->OnMainFormClosed();
  CloseSheet();
  DeleteTree();
  event->accept();
  emit Closed();
}
