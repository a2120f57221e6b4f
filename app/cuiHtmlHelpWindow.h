#pragma once
// The two kinds of help window: the topic window (a browser with Back,
// Forward and Contents) and the context popup ("QuorPopupWindow"). Both are
// parentless, free themselves when closed, never keep the program running,
// and follow links only inside their help bundle.
#include <QString>
#include <QUrl>
#include <QWidget>

#include "app/cuiHtmlHelpBundle.h"

class QTextBrowser;
class QToolButton;

class cuiHtmlHelpWindow : public QWidget {
 public:
  enum class Kind { Topic, Popup };

  static constexpr const char* kPopupName = "QuorPopupWindow";
  static constexpr const char* kTopicName = "HelpTopicWindow";

  // buttonTexts: Back, Forward, Contents (used by the topic window only).
  cuiHtmlHelpWindow(Kind kind, const QStringList& buttonTexts);

  Kind GetKind() const { return kind_; }
  // Shows `url` of `bundle`; links followed later stay inside that bundle.
  void ShowPage(const cuiHtmlHelpBundle& bundle, const QUrl& url);
  QUrl CurrentUrl() const;
  QTextBrowser* Browser() const { return browser_; }

  // Follows a link: pages of the bundle open here, anything else is ignored.
  // Returns whether the link was followed.
  bool FollowLink(const QUrl& link);

 private:
  void UpdateButtons();

  Kind kind_;
  cuiHtmlHelpBundle bundle_;
  QTextBrowser* browser_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
  QToolButton* contents_ = nullptr;
};
