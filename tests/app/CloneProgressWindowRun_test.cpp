// kw-test: gui
// kw-test: link=radioemu
// The real "Cloning" window during a read from the emulated radio: one
// window, the main window disabled while it shows, close requests and
// Escape ignored, gone after the run.
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "app/CloneProgressWindow.h"
#include "clone/CloneManFixture.h"

namespace clonetest {
namespace {

std::vector<CloneProgressWindow*> ProgressWindows() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  std::vector<CloneProgressWindow*> found;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* p = dynamic_cast<CloneProgressWindow*>(w)) found.push_back(p);
  return found;
}

class CloneProgressWindowRun : public CloneManFixture {
 protected:
  void SetUp() override {
    CloneManFixture::SetUp();
    man_->SetProgressFactory(&factory_);
    man_->SetMainWindow(&main_);
    man_->SetReadHandler([](dst_CDrv_Result&) {});
    main_.resize(640, 480);
    main_.show();
  }
  CloneProgressWindowFactory factory_;
  QWidget main_;
};

TEST_F(CloneProgressWindowRun, ShowsWhileDataMovesAndGoesAfterwards) {
  Outcome out;
  ASSERT_EQ(man_->StartRead(Range(0, 0x3FFF), Adopt(out)), 1);
  auto windows = ProgressWindows();
  ASSERT_EQ(windows.size(), 1u);
  QPointer<CloneProgressWindow> window = windows[0];
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(main_.isEnabled());

  bool poked = false;
  ASSERT_TRUE(Pump([&] {
    if (!poked && window && window->Bar()->Filled() > 0) {
      EXPECT_FALSE(window->close());
      QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(window, &escape);
      EXPECT_TRUE(window->isVisible());
      EXPECT_EQ(ProgressWindows().size(), 1u);
      poked = true;
    }
    return !man_->IsBusy();
  }));
  EXPECT_TRUE(poked);
  EXPECT_EQ(out.code, 0);
  EXPECT_TRUE(ProgressWindows().empty());
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(main_.isEnabled());
  EXPECT_TRUE(MemoryEquals(document_, 0x3FFF));
}

}  // namespace
}  // namespace clonetest
