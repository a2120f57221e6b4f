#pragma once
// The "Cloning" window: a tool window with a sunken frame around the painted
// bar. It cannot be closed by the user (close requests and Escape are
// ignored); the clone manager closes it when the run ends.
#include <QPointer>
#include <QWidget>
#include <cstdint>

#include "clone/CloneProgress.h"

class CloneProgressBarWidget : public QWidget {
 public:
  explicit CloneProgressBarWidget(QWidget* parent);
  void SetProgress(std::int64_t dataBytes, std::int64_t totalBytes);
  int Filled() const { return filled_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int filled_ = 0;
};

class CloneProgressWindow : public QWidget {
 public:
  CloneProgressWindow();
  CloneProgressBarWidget* Bar() const { return bar_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  CloneProgressBarWidget* bar_;
};

// Opens CloneProgressWindow for the clone manager.
class CloneProgressWindowFactory final : public CloneProgressFactory {
 public:
  std::unique_ptr<CloneProgressView> Open(QObject* mainWindow) override;
  QObject* ActiveWindow() override;
};
