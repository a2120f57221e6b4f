#include "app/CloneProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "clone/CloneProgressBar.h"
#include "core/WindowPlacement.h"
#include "platform/Monitors.h"

namespace {

constexpr int kMarginX = 16;
constexpr int kMarginY = 8;

// Centres the form over its parent form, kept on the parent's monitor.
void CenterOver(QWidget* form, QWidget* parent) {
  if (!parent) return;
  platform::Monitors& monitors = platform::CurrentMonitors();
  const platform::ScreenRect parentRect = monitors.WindowRect(parent).value_or(
      platform::ScreenRect::FromQRect(parent->frameGeometry()));
  const platform::ScreenRect formRect = platform::ScreenRect::FromQRect(form->frameGeometry());
  const platform::ScreenRect placed = placement::CenterForm(formRect, parentRect, monitors.List());
  form->move(placed.left, placed.top);
}

class WidgetView final : public CloneProgressView {
 public:
  WidgetView(CloneProgressWindow* window, QWidget* mainWindow)
      : window_(window),
        main_(mainWindow),
        mainWasEnabled_(mainWindow && mainWindow->isEnabled()) {}

  ~WidgetView() override {
    if (window_) {
      window_->hide();
      window_->deleteLater();
    }
    // Give back what the window took; the controller re-enables the main
    // window on the close event anyway.
    if (main_ && mainWasEnabled_) main_->setEnabled(true);
  }

  void SetProgress(std::int64_t dataBytes, std::int64_t totalBytes) override {
    if (window_) window_->Bar()->SetProgress(dataBytes, totalBytes);
  }

 private:
  QPointer<CloneProgressWindow> window_;
  QPointer<QWidget> main_;
  bool mainWasEnabled_;
};

}  // namespace

CloneProgressBarWidget::CloneProgressBarWidget(QWidget* parent) : QWidget(parent) {
  setFixedSize(clonebar::kWidth, clonebar::kHeight);
}

void CloneProgressBarWidget::SetProgress(std::int64_t dataBytes, std::int64_t totalBytes) {
  filled_ = clonebar::FilledSegments(dataBytes, totalBytes);
  update();
}

void CloneProgressBarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor highlight = palette().color(QPalette::Highlight);
  const QColor base = palette().color(QPalette::Base);
  const QRect client = rect();
  for (const clonebar::Rect& r : clonebar::Rects(client.left(), client.right(), filled_)) {
    painter.fillRect(QRect(r.left, client.top(), r.right - r.left, client.height()),
                     r.highlight ? highlight : base);
  }
}

CloneProgressWindow::CloneProgressWindow() : QWidget(nullptr) {
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(QStringLiteral("Cloning"));
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* frame = new QFrame(this);
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame->setLineWidth(1);
  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(0, 0, 0, 0);
  bar_ = new CloneProgressBarWidget(frame);
  inner->addWidget(bar_);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(kMarginX, kMarginY, kMarginX, kMarginY);
  outer->addWidget(frame);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

void CloneProgressWindow::closeEvent(QCloseEvent* event) {
  // No cancel: the run ends by success, error or time-out.
  event->ignore();
}

void CloneProgressWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

std::unique_ptr<CloneProgressView> CloneProgressWindowFactory::Open(QObject* mainWindow) {
  auto* main = qobject_cast<QWidget*>(mainWindow);
  if (main) main = main->window();
  auto* window = new CloneProgressWindow;
  window->adjustSize();
  auto view = std::make_unique<WidgetView>(window, main);
  window->show();
  CenterOver(window, main);  // after show(), when the frame is known
  if (main) main->setEnabled(false);
  return view;
}

QObject* CloneProgressWindowFactory::ActiveWindow() { return QApplication::activeWindow(); }
