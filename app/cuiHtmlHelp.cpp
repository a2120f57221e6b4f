#include "app/cuiHtmlHelp.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <charconv>
#include <string>

#include "app/cuiHtmlHelpBundle.h"
#include "app/cuiHtmlHelpPlacement.h"
#include "app/cuiHtmlHelpWindow.h"
#include "core/AppMessageBox.h"
#include "core/WindowPlacement.h"
#include "core/cmcGTex.h"
#include "platform/Cp932.h"
#include "platform/MessageBoxService.h"
#include "platform/Monitors.h"

namespace {

constexpr int kFallbackPopupSize = 300;

int PositiveNumber(const std::string& text, int fallback) {
  int value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  while (first != last && *first == ' ') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && value > 0 ? value : fallback;
}

QRect WorkAreaAt(QPoint point) {
  const auto area =
      placement::GetPointMonitorWorkArea(platform::CurrentMonitors().List(), point.x(), point.y());
  if (area) return area->ToQRect();
  // No monitor list installed: ask the screens directly.
  QScreen* screen = QGuiApplication::screenAt(point);
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

cuiHtmlHelp::cuiHtmlHelp(cmcGTex& texts) : texts_(texts) {}

cuiHtmlHelp::~cuiHtmlHelp() {
  // Deleted at once (not deleteLater) so the handles the caller keeps are
  // null as soon as the help access is gone.
  delete topic_.data();
  delete popup_.data();
}

QPointer<QWidget> cuiHtmlHelp::TopicWindow() const { return QPointer<QWidget>(topic_.data()); }
QPointer<QWidget> cuiHtmlHelp::PopupWindow() const { return QPointer<QWidget>(popup_.data()); }

void cuiHtmlHelp::EnableHelpWindows(const QPointer<QWidget>& first,
                                    const QPointer<QWidget>& second) {
  if (first) first->setEnabled(true);
  if (second) second->setEnabled(true);
}

bool cuiHtmlHelp::ViewerAvailable() const {
  return viewerAvailable_ && qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

QStringList cuiHtmlHelp::ButtonTexts() {
  QStringList texts;
  for (int i = 0; i < 3; ++i)
    texts << platform::Cp932ToUnicode(texts_.GetText("GI_Sys_HtmlHelp_Buttons", i));
  return texts;
}

QSize cuiHtmlHelp::PopupDefaultSize() {
  return QSize(PositiveNumber(texts_.GetFirst("GI_Sys_HtmlHelp_Popup_Width"), kFallbackPopupSize),
               PositiveNumber(texts_.GetFirst("GI_Sys_HtmlHelp_Popup_Height"), kFallbackPopupSize));
}

int cuiHtmlHelp::ShowTopic(const QString& helpFile, QPointer<QWidget>* window) {
  int result = kUnavailable;
  if (ViewerAvailable()) {
    cuiHtmlHelpBundle bundle;
    if (!bundle.Open(helpFile)) {
      result = kNotFound;
    } else {
      if (!topic_) {
        topic_ = new cuiHtmlHelpWindow(cuiHtmlHelpWindow::Kind::Topic, ButtonTexts());
        topic_->resize(640, 480);
      }
      topic_->ShowPage(bundle, bundle.IndexUrl());
      topic_->show();
      topic_->raise();
      topic_->activateWindow();
      result = kShown;
    }
  }
  if (window) *window = TopicWindow();
  ReportError(result, helpFile);
  return result;
}

int cuiHtmlHelp::ShowPopup(const QString& helpFile, int context, QPointer<QWidget>* window) {
  int result = kUnavailable;
  if (ViewerAvailable()) {
    const bool hadPopup = !popup_.isNull();
    // An existing popup keeps its size (the user may have resized it) and is
    // hidden while the new topic is looked up.
    if (hadPopup) popup_->hide();

    cuiHtmlHelpBundle bundle;
    std::optional<QUrl> target;
    if (!bundle.Open(helpFile)) {
      result = kNotFound;
    } else if (!(target = bundle.ContextUrl(context))) {
      result = kNoTopic;
      if (hadPopup) {
        popup_->setAttribute(Qt::WA_ShowWithoutActivating, true);
        popup_->show();
      }
    } else {
      if (!popup_) {
        popup_ = new cuiHtmlHelpWindow(cuiHtmlHelpWindow::Kind::Popup, {});
        popup_->resize(PopupDefaultSize());
      }
      popup_->ShowPage(bundle, *target);
      const QPoint cursor = cursor_ ? cursor_() : QCursor::pos();
      popup_->move(PlaceHelpPopup(cursor, popup_->size(), WorkAreaAt(cursor)));
      popup_->setAttribute(Qt::WA_ShowWithoutActivating, false);
      popup_->show();
      popup_->raise();
      result = kShown;
    }
  }
  if (window) *window = PopupWindow();
  ReportError(result, helpFile);
  return result;
}

void cuiHtmlHelp::ReportError(int result, const QString& helpFile) {
  if (result != kNotFound && result != kNoTopic) return;
  const QString caption = platform::Cp932ToUnicode(texts_.GetFirst("GI_Sys_AppTitle"));
  QString text;
  unsigned flags = 0;
  if (result == kNotFound) {
    // The path goes in as Unicode: a long or non-ASCII path shows unchanged.
    text = platform::Cp932ToUnicode(texts_.GetText("GI_Sys_HtmlHelp_Error", 0));
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0) text.replace(at, 2, helpFile);
    flags = platform::mb::IconError;
  } else {
    text = platform::Cp932ToUnicode(texts_.GetText("GI_Sys_HtmlHelp_Error", 1));
    flags = platform::mb::IconWarning;
  }
  AppMessageBox(QApplication::activeWindow(), text, caption, flags);
}
