#pragma once
// The program's main window as far as it is built: titled "KW-3700", placed
// where the settings say, and handing its placement back to the settings
// when it closes.
#include <QMainWindow>

class indEnviron;

class MainFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainFrame(indEnviron& env, QWidget* parent = nullptr);

  // Window left, top, width and height into the settings (the normal
  // placement when maximised or minimised).
  void StorePlacement();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  indEnviron& env_;
};
