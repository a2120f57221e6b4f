#include "sheet/FieldDialogFrame.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include "core/FontSpec.h"
#include "core/WindowPlacement.h"
#include "core/cmcGTex.h"
#include "platform/Cp932.h"
#include "platform/Monitors.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/FlectorPlacement.h"
#include "sheet/QtFontColor.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiSheet.h"

namespace fielddialog {

namespace {

class EscapeFilter : public QObject {
 public:
  EscapeFilter(QObject* parent, std::function<void()> cancel)
      : QObject(parent), cancel_(std::move(cancel)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool escape = event->type() == QEvent::KeyPress &&
                        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    const bool close = event->type() == QEvent::Close && watched == parent();
    if (!escape && !close) return false;
    if (cancel_) cancel_();
    event->ignore();
    return true;
  }

 private:
  std::function<void()> cancel_;
};

QString Caption(cmcGTex& texts, std::string_view key, int n) {
  return platform::Cp932ToUnicode(texts.GetText(key, n));
}
}  // namespace

QFont DialogFont(cmcGTex& texts) {
  FontSpec spec = DefaultFontSpec();
  ParseFontSpec(texts.GetFirst("CellModel_BasicDialog"), spec);
  return ToQFont(spec);
}

QWidget* MakeForm(const cmcCellCapsule& owner) {
  QWidget* parent = owner.owner ? owner.owner->window() : nullptr;
  auto* form = new QWidget(parent, Qt::Tool | Qt::FramelessWindowHint);
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  return form;
}

void SetUpButtons(cmcGTex& texts, const QFont& font, QPushButton* ok, QPushButton* cancel) {
  ok->setText(Caption(texts, "GI_AppInd_Button_OkCancel", 0));
  cancel->setText(Caption(texts, "GI_AppInd_Button_OkCancel", 1));
  const QFontMetrics metrics(font);
  const QString sizing = Caption(texts, "GI_AppInd_Opt_ComSel_SizeOfButtons", 0);
  const QSize size(metrics.horizontalAdvance(sizing), 2 * metrics.height());
  for (QPushButton* b : {ok, cancel}) {
    b->setFont(font);
    b->setFixedSize(size);
  }
}

void PlaceAtCell(QWidget* form, const cmcCellCapsule& owner) {
  form->adjustSize();
  const QSize size = form->size();
  QRect cell = owner.cellRect;
  if (owner.owner) cell.moveTopLeft(owner.owner->mapToGlobal(cell.topLeft()));
  const platform::ScreenRect cellRect = platform::ScreenRect::FromQRect(cell);
  const auto area = placement::GetRectMonitorWorkArea(platform::CurrentMonitors().List(), cellRect);
  if (!area) {
    form->move(cellRect.left + 8, cellRect.bottom);
    return;
  }
  const placement::FlectorPlace place =
      placement::PlaceFlector(cellRect, size.width(), size.height(), *area);
  form->move(place.window.left, place.window.top);
}

void OnEscapeOrClose(QWidget* widget, std::function<void()> cancel) {
  widget->installEventFilter(new EscapeFilter(widget, std::move(cancel)));
}

CellHandler SheetOrDefaultHandler(const cmcCellCapsule& owner) {
  if (owner.sheet && owner.sheet->GetCellHandler()) return owner.sheet->GetCellHandler();
  return HasDefaultCellHandler() ? DefaultCellHandler() : CellHandler();
}

int SendResult(const cmcCellCapsule& owner, const DialogHandlerFor& handlerFor,
               const std::string& value) {
  const CellHandler handler = handlerFor ? handlerFor(owner) : CellHandler();
  if (!handler) return 0;
  cmcCellObj flex;
  flex.cellId = Flex0;
  cmcCellCapsule result;
  result.cell = &flex;
  cmcCellCapsule request = owner;
  request.parent = &result;
  request.mode = cellmode::kChoice;
  request.operation = cellop::kQuery;
  request.inputText = value;
  return handler(request, 1);
}

}  // namespace fielddialog
