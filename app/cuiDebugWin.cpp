#include "app/cuiDebugWin.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/OwnedWindow.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"

namespace {

constexpr double kTraceHeightShare = 0.8;

}  // namespace

cuiDebugWin::cuiDebugWin(QWidget* mainForm) : QWidget(mainForm, Qt::Window), bus_(EvMan()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Free Debug Window"));
  memo_ = new QPlainTextEdit(this);
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(memo_);

  const int ownerHeight = mainForm ? mainForm->height() : 0;
  const int ownerWidth = mainForm ? mainForm->width() : 0;
  resize(std::max(kMinWidth, ownerWidth / 2), HeightFor(ownerHeight));
  ownedwindow::CenterOver(this, mainForm);
  bus_.AddListener<cuiDebugWin, &cuiDebugWin::OnEvent>(this);
  show();
}

cuiDebugWin::~cuiDebugWin() { bus_.RemoveListener<cuiDebugWin, &cuiDebugWin::OnEvent>(this); }

int cuiDebugWin::HeightFor(int mainFormHeight) {
  return std::max(kMinHeight, static_cast<int>(kTraceHeightShare * mainFormHeight));
}

void cuiDebugWin::OnEvent(const cmcEvent& event) {
  if (event.id != ev::TraceText) return;
  const std::string* text = event.Text();
  if (!text || memo_->textCursor().hasSelection()) return;
  memo_->appendPlainText(ToDisplayText(*text));
}
