#include "app/cuiEeDebugWin.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/OwnedWindow.h"
#include "core/HexText.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "sheet/FieldDialogFrame.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace {

constexpr char kImageSheetKey[] = "GI_Sheet_EeDebugWin";
constexpr int kImageMinHeight = 200;
constexpr double kImageHeightShare = 0.8;
// The named cell models the sheet's markup uses.
constexpr const char* kImageCellModels[] = {"Basic", "iChN", "iChI", "iSp", "eWh"};

std::string EeHexDigit(int n) { return core::HexNumber(static_cast<std::uint64_t>(n)); }

}  // namespace

std::vector<std::string> cuiEeDebugWin::Markup(cmcGTex& texts) {
  std::string header = "|{($iChN)^(@ch0=0)}Adr|";
  std::string row = "|{($iChN)(%CL_EeDebugWin_Adr[@ch0])}DDDDD|";
  for (int n = 0; n < kBytesPerRow; ++n) {
    if (n > 0) {
      header += "|{($iSp)}";
      row += "|{($iSp)}";
    }
    header += "|{($iChI)}" + EeHexDigit(n);
    row += "|{($eWh)^(%CL_EeDebugWin_" + EeHexDigit(n) + "[@ch0])}DD";
  }
  std::vector<std::string> lines = {
      "",
      "#GI_Sheet_EeDebugWin_Style",
      "(FixedCols=3)(FixedRows=3)",
      "#GI_Sheet_EeDebugWin_BasicCell",
      "{($Basic)}",
      "#GI_Sheet_EeDebugWin_Cells",
      "",
      header,
      "",
      ":(LoopFrom " + std::to_string(kRows) + ")",
      row,
      ":(LoopTo)",
      "#",
      "#GI_PMenu_Edit_BasicCell",
      "{($Basic)(%CT_PopupMenu.)}",
      "#GI_PMenu_Edit_Body",
      "+Edit...\t\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
      "#",
  };
  for (const char* model : kImageCellModels) {
    const std::string key = std::string("CellModel_") + model;
    lines.push_back("#" + key);
    lines.push_back(texts.GetFirst(key));
  }
  lines.emplace_back("#End_Of_Ovl");
  return lines;
}

QPoint cuiEeDebugWin::CellOf(std::int64_t address) {
  return QPoint(kFirstByteCol + 2 * static_cast<int>(address % kBytesPerRow),
                kFirstByteRow + static_cast<int>(address / kBytesPerRow));
}

cuiEeDebugWin::cuiEeDebugWin(QWidget* mainForm, cmcGTex& texts)
    : QWidget(mainForm, Qt::Window), bus_(EvMan()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("EEPROM Debug Window"));
  markup_.SetSource(Markup(texts));

  auto* sheetHost = new QWidget(this);
  const QFont font = fielddialog::DialogFont(texts);
  setComp_ = new QPushButton(QStringLiteral("Set Comp"), this);
  redraw_ = new QPushButton(QStringLiteral("Redraw"), this);
  close_ = new QPushButton(ToDisplayText(texts.GetText("GI_AppInd_Button_OkCancel", 0)), this);
  for (QPushButton* button : {setComp_, redraw_, close_}) {
    button->setFont(font);
    button->setAutoDefault(false);
  }
  QObject::connect(setComp_, &QPushButton::clicked, this, [this] {
    bus_.Send(ev::DebugSnapshot);
    bus_.Post(ev::ImageWindowRebuild);
  });
  QObject::connect(redraw_, &QPushButton::clicked, this, [this] {
    bus_.Send(ev::ListNamesChanged);
    if (sheet_) sheet_->Grid()->InvalidateGrid();
  });
  QObject::connect(close_, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(setComp_);
  buttons->addWidget(redraw_);
  buttons->addStretch();
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(sheetHost, 1);
  layout->addLayout(buttons);

  sheet_ = new cuiSheet(sheetHost, nullptr, 0, 0, markup_, kImageSheetKey, nullptr);
  sheet_->Build();
  bus_.AddListener<cuiEeDebugWin, &cuiEeDebugWin::OnEvent>(this);

  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int frame = 2 * sheet_->Grid()->frameWidth() + 4;
  const int ownerHeight = mainForm ? mainForm->height() : 0;
  resize(sheet_->GetFullWidth() + scrollBar + frame,
         std::max(kImageMinHeight, static_cast<int>(kImageHeightShare * ownerHeight)));
  ownedwindow::CenterOver(this, mainForm);
  show();
  // Whatever frames and margins take besides (known once shown): every
  // column shows without scrolling sideways.
  const int missing = sheet_->Grid()->GridWidth() - sheet_->Grid()->viewport()->width();
  if (missing > 0) {
    resize(width() + missing, height());
    ownedwindow::CenterOver(this, mainForm);
  }
  sheet_->Grid()->setFocus();
}

cuiEeDebugWin::~cuiEeDebugWin() {
  bus_.RemoveListener<cuiEeDebugWin, &cuiEeDebugWin::OnEvent>(this);
  // The sheet's widgets are children of this window: the sheet goes first.
  if (sheet_) sheet_->Release();
  sheet_ = nullptr;
}

void cuiEeDebugWin::OnEvent(const cmcEvent& event) {
  if (!sheet_) return;
  switch (event.id) {
    case ev::ImageWindowRebuild: sheet_->Grid()->InvalidateGrid(); break;
    case ev::ImageWindowSelect: SelectAddress(static_cast<std::int64_t>(event.p2)); break;
    default: break;
  }
}

void cuiEeDebugWin::SelectAddress(std::int64_t address) {
  if (address < 0 || address >= static_cast<std::int64_t>(kRows) * kBytesPerRow) return;
  const QPoint cell = CellOf(address);
  sheet_->Grid()->MoveColRow(cell.x(), cell.y(), true, true);
}
