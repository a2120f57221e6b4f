#pragma once
// The program's help viewer: opens a help bundle (see cuiHtmlHelpBundle) at
// its default topic, or shows the topic of one context number in a small
// popup placed at the mouse cursor.
//
// Result codes: 0 shown, 1 the help file (bundle) was not found, 2 it holds
// no topic for the item, 3 no viewer is available (no widget application).
// Results 1 and 2 are reported in a message box; 0 and 3 show nothing.
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class cmcGTex;
class cuiHtmlHelpWindow;

class cuiHtmlHelp {
 public:
  enum Result { kShown = 0, kNotFound = 1, kNoTopic = 2, kUnavailable = 3 };

  // `texts` gives the captions and messages; it must outlive this object.
  explicit cuiHtmlHelp(cmcGTex& texts);
  // Closes both help windows; handles the caller kept become null.
  ~cuiHtmlHelp();
  cuiHtmlHelp(const cuiHtmlHelp&) = delete;
  cuiHtmlHelp& operator=(const cuiHtmlHelp&) = delete;

  // Opens index.html of the bundle at `helpFile` in the topic window.
  // *window receives the topic window (null when there is none).
  int ShowTopic(const QString& helpFile, QPointer<QWidget>* window);

  // Shows the page and anchor of `context` in the popup window. *window
  // receives the popup (the earlier one when this call found no topic).
  int ShowPopup(const QString& helpFile, int context, QPointer<QWidget>* window);

  // Test seams: a viewer that is not available, and where the cursor is.
  void SetViewerAvailable(bool available) { viewerAvailable_ = available; }
  void SetCursorProvider(std::function<QPoint()> provider) { cursor_ = std::move(provider); }

  QPointer<QWidget> TopicWindow() const;
  QPointer<QWidget> PopupWindow() const;

  // Enables each handle that is still a window again (a modal dialog
  // disables the other windows while it runs).
  static void EnableHelpWindows(const QPointer<QWidget>& first, const QPointer<QWidget>& second);

 private:
  bool ViewerAvailable() const;
  void ReportError(int result, const QString& helpFile);
  QStringList ButtonTexts();
  QSize PopupDefaultSize();

  cmcGTex& texts_;
  bool viewerAvailable_ = true;
  std::function<QPoint()> cursor_;
  QPointer<cuiHtmlHelpWindow> topic_;
  QPointer<cuiHtmlHelpWindow> popup_;
};
