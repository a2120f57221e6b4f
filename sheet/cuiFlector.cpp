#include "sheet/cuiFlector.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QWidget>

#include "core/TextTableChoice.h"
#include "core/WindowPlacement.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "platform/Cp932.h"
#include "platform/Monitors.h"
#include "sheet/FlectorPlacement.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace {

// Escape (on the window or its grid) and the window's going away by any
// other way - a click outside, a loss of activation, a hide after a pick -
// all end in the one release.
class CloseWatcher : public QObject {
 public:
  CloseWatcher(QObject* parent, cuiFlector& popup) : QObject(parent), popup_(popup) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
        popup_.Release();
        return true;
      case QEvent::Hide:
      case QEvent::Close:
      case QEvent::WindowDeactivate:
        if (watched == parent()) popup_.Release();
        return false;
      default: return false;
    }
  }

 private:
  cuiFlector& popup_;
};

}  // namespace

cuiFlector::cuiFlector(const cmcCellCapsule& owner, cmcGTex& texts, std::string key, int listId,
                       int value, DialogHandlerFor handlerFor)
    : parent_(owner),
      grid_(owner.owner),
      gridId_(owner.owner),
      ownerControl_(owner.sheet ? static_cast<const void*>(owner.sheet->Owner()) : nullptr),
      texts_(texts),
      key_(std::move(key)),
      listId_(listId),
      handlerFor_(std::move(handlerFor)) {
  // A request that outlives its sheet must not reach back into it.
  parent_.parent = nullptr;
  window_ = new QWidget(owner.owner, Qt::Popup | Qt::FramelessWindowHint);
  window_->setAttribute(Qt::WA_DeleteOnClose, false);
  window_->setWindowTitle(ToDisplayText(texts_.GetFirst("GI_Sys_AppTitle")));

  sheet_ = new cuiSheet(window_, &parent_, listId_, value, texts_, key_, owner.imageList);
  sheet_->SetReadOnly(true);
  sheet_->SetCellHandler(
      [this](cmcCellCapsule& capsule, int notify) { return HandleCell(capsule, notify); });
  sheet_->Build();

  auto* watcher = new CloseWatcher(window_, *this);
  window_->installEventFilter(watcher);
  sheet_->Grid()->installEventFilter(watcher);
  QObject::connect(window_, &QObject::destroyed, [this] {
    window_ = nullptr;
    delete this;
  });
  if (cmcEvMan* bus = EvManIfInstalled()) {
    bus->AddListener(this, [this](const cmcEvent& event) { OnEvent(event); });
  }
  Place();
  window_->show();
  window_->activateWindow();
  sheet_->Grid()->setFocus();
}

cuiFlector::~cuiFlector() {
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener(this);
  released_ = true;
  if (sheet_) {
    sheet_->Release();
    sheet_ = nullptr;
  }
}

void cuiFlector::Place() {
  cuiGrid* grid = sheet_->Grid();
  grid->SetScrollBarsEnabled(false);
  if (QLayout* layout = window_->layout()) layout->activate();
  const int width = sheet_->GetFullWidth();
  const int height = sheet_->GetFullHeight();

  QRect cell = parent_.cellRect;
  if (grid_) cell.moveTopLeft(grid_->mapToGlobal(cell.topLeft()));
  const platform::ScreenRect cellRect = platform::ScreenRect::FromQRect(cell);
  const auto area = placement::GetRectMonitorWorkArea(platform::CurrentMonitors().List(), cellRect);
  platform::ScreenRect place =
      platform::ScreenRect::FromSize(cellRect.left + 8, cellRect.bottom, width, height);
  if (area) {
    const placement::FlectorPlace fitted = placement::PlaceFlector(cellRect, width, height, *area);
    if (fitted.scrollBars) grid->SetScrollBarsEnabled(true);
    place = fitted.window;
  }
  window_->setGeometry(place.ToQRect());
  // Open at the top left, on the option of the value.
  const int col = grid->Col();
  const int row = grid->Row();
  grid->SetLeftCol(grid->FixedCols());
  grid->SetTopRow(grid->FixedRows());
  grid->MoveColRow(col, row, true, true);
}

int cuiFlector::HandleCell(cmcCellCapsule& capsule, int notify) {
  const CellHandler handler = released_ || !handlerFor_ ? CellHandler() : handlerFor_(parent_);
  if (!handler) {
    // Closing: the options only show their captions, and no pick goes out.
    capsule.outputText = capsule.cell ? std::string(capsule.cell->GetCaption()) : std::string();
    return kCellNothing;
  }
  return handler(capsule, notify);
}

void cuiFlector::OnEvent(const cmcEvent& event) {
  if (released_) return;
  const auto named = reinterpret_cast<const void*>(event.p2);
  if (event.id == ev::SheetDestroying && named && (named == gridId_ || named == ownerControl_)) {
    // The opening sheet goes: its cell and handler must not be reached again.
    parent_.sheet = nullptr;
    Release();
  } else if (event.id == ev::EndCellEditing) {
    Release();
  }
}

void cuiFlector::Release() {
  if (released_) return;
  released_ = true;
  if (sheet_) {
    sheet_->Release();
    sheet_ = nullptr;
  }
  if (window_) {
    window_->hide();
    window_->deleteLater();
  }
}
