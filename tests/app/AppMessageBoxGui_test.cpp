// kw-test: gui
// kw-test: label=texts
// kw-test: link=core
// The message box on the real widget service and the screens Qt reports.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "core/AppMessageBox.h"
#include "platform/gui/QtMessageBoxService.h"
#include "platform/gui/QtMonitors.h"

namespace {

TEST(QtMonitors, ListsTheScreensWithTheirWorkAreas) {
  platform::QtMonitors monitors;
  const auto list = monitors.List();
  ASSERT_EQ(list.size(), static_cast<std::size_t>(QGuiApplication::screens().size()));
  ASSERT_FALSE(list.empty());
  const QScreen* primary = QGuiApplication::primaryScreen();
  EXPECT_EQ(list.front().geometry.ToQRect(), primary->geometry());
  EXPECT_EQ(list.front().workArea.ToQRect(), primary->availableGeometry());

  QWidget window;
  window.setGeometry(40, 50, 300, 200);
  window.show();
  const auto rect = monitors.WindowRect(&window);
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->ToQRect(), window.frameGeometry());
  QObject plain;
  EXPECT_FALSE(monitors.WindowRect(&plain));
  EXPECT_FALSE(monitors.WindowRect(nullptr));
}

TEST(AppMessageBoxGui, LongMessageIsCutCentredAndAnswered) {
  platform::QtMonitors monitors;
  platform::ScopedMonitors monitorScope(&monitors);
  platform::QtMessageBoxService service;
  platform::ScopedMessageBoxService serviceScope(&service);
  QWidget owner;
  owner.setGeometry(10, 10, 200, 100);
  owner.show();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();

  QString shownText;
  QPoint shownCentre;
  bool seen = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || seen) return;
    seen = true;
    shownText = box->text();
    shownCentre = box->frameGeometry().center();
    box->button(QMessageBox::No)->click();
  });
  poll.start();
  const int answer = MessageBoxCp932(&owner, std::string(1200, 'm'), "KW-3700", 0x34);
  poll.stop();
  ASSERT_TRUE(seen);
  EXPECT_EQ(answer, 7);  // No
  EXPECT_EQ(shownText, QString(998, QLatin1Char('m')) + QChar(0x2026));
  // The widget service centres the box on the work area it was given, also
  // after Qt settled the box's size on showing it.
  EXPECT_TRUE(area.contains(shownCentre));
  EXPECT_LE((shownCentre - area.center()).manhattanLength(), 4)
      << shownCentre.x() << "," << shownCentre.y();
}

}  // namespace
