// kw-test: gui
// The "Cloning" window: it cannot be closed by the user, disables the main
// window while it shows, and paints the bar in segments.
#include "app/CloneProgressWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "platform/Monitors.h"

namespace {

CloneProgressWindow* OpenWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* p = dynamic_cast<CloneProgressWindow*>(w); p && p->isVisible()) return p;
  return nullptr;
}

class CloneProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main_.setGeometry(100, 100, 800, 600);
    main_.show();
  }
  void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  QWidget main_;
  CloneProgressWindowFactory factory_;
};

TEST_F(CloneProgressWindowTest, ShowsDisablesTheMainWindowAndRefusesToClose) {
  auto view = factory_.Open(&main_);
  QPointer<CloneProgressWindow> window = OpenWindow();
  ASSERT_FALSE(window.isNull());
  EXPECT_EQ(window->windowTitle(), "Cloning");
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::Tool));
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowSystemMenuHint));
  EXPECT_FALSE(main_.isEnabled());
  // 16 pixels of margin left and right, 8 above and below, around the
  // 256 x 16 bar and its one-pixel sunken frame.
  EXPECT_EQ(window->size(), QSize(256 + 2 + 32, 16 + 2 + 16));

  EXPECT_FALSE(window->close());
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window, &escape);
  EXPECT_TRUE(window->isVisible());

  view.reset();
  EXPECT_FALSE(window.isNull() || window->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(main_.isEnabled());
}

TEST_F(CloneProgressWindowTest, CentredOverTheMainWindow) {
  platform::FixedMonitors monitors(
      {{platform::ScreenRect{0, 0, 1920, 1080}, platform::ScreenRect{0, 0, 1920, 1040}}});
  monitors.SetWindowRect(&main_, platform::ScreenRect{100, 100, 901, 701});
  platform::ScopedMonitors scope(&monitors);
  auto view = factory_.Open(&main_);
  CloneProgressWindow* window = OpenWindow();
  ASSERT_NE(window, nullptr);
  // The offscreen platform adds its frame only once the window shows, so
  // allow those few pixels.
  const QPoint centre = window->frameGeometry().center();
  EXPECT_NEAR(centre.x(), 100 + 801 / 2, 3);
  EXPECT_NEAR(centre.y(), 100 + 601 / 2, 3);
}

TEST_F(CloneProgressWindowTest, BarPaintsSegmentsWithGaps) {
  auto view = factory_.Open(&main_);
  CloneProgressWindow* window = OpenWindow();
  ASSERT_NE(window, nullptr);
  CloneProgressBarWidget* bar = window->Bar();
  ASSERT_EQ(bar->size(), QSize(256, 16));
  const QColor highlight = bar->palette().color(QPalette::Highlight);
  const QColor base = bar->palette().color(QPalette::Base);
  ASSERT_NE(highlight, base);

  struct Case {
    std::int64_t data, total;
    int filled;
  };
  for (const Case& c : {Case{86464, 172928, 16}, Case{172928, 172928, 32}, Case{500, 0, 0}}) {
    SCOPED_TRACE(c.filled);
    view->SetProgress(c.data, c.total);
    const QImage image = bar->grab().toImage();
    for (int x = 0; x < 256; ++x) {
      for (int y : {0, 15}) {
        const bool gap = x % 8 == 7;
        const bool lit = !gap && x / 8 < c.filled;
        ASSERT_EQ(image.pixelColor(x, y), lit ? highlight : base) << "x " << x << " y " << y;
      }
    }
  }
}

}  // namespace
