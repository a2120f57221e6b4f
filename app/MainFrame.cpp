#include "app/MainFrame.h"

#include <QCloseEvent>

#include "core/indEnviron.h"

MainFrame::MainFrame(indEnviron& env, QWidget* parent) : QMainWindow(parent), env_(env) {
  setWindowTitle(QStringLiteral("KW-3700"));
  // Left and top are the frame's corner, width and height the window's size,
  // the same pair StorePlacement reads back, so a placement never drifts.
  move(env_.WindowLeft, env_.WindowTop);
  resize(std::max(env_.WindowWidth, 1), std::max(env_.WindowHeight, 1));
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

void MainFrame::closeEvent(QCloseEvent* event) {
  StorePlacement();
  QMainWindow::closeEvent(event);
}
