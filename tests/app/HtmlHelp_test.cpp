// kw-test: gui
// The help viewer: results, messages, the two windows and their handles.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>
#include <memory>

#include "app/cuiHtmlHelp.h"
#include "app/cuiHtmlHelpWindow.h"
#include "core/cmcGTex.h"
#include "platform/Monitors.h"
#include "resources/text/TextTables.h"
#include "support/ScratchDir.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using platform::mb::IconError;
using platform::mb::IconWarning;

// Copies the English pages into <scratch>/KW3700_ENG.chm, as the build puts
// them beside the program.
QString CopyBundle(const kwtest::ScratchDir& scratch, const QString& name = "KW3700_ENG.chm") {
  const QDir source(QStringLiteral(KW_SOURCE_DIR "/resources/help/en"));
  const QString target = scratch.File(name);
  QDir().mkpath(target);
  for (const QString& f : source.entryList(QDir::Files))
    QFile::copy(source.filePath(f), QDir(target).filePath(f));
  return target;
}

class HtmlHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    texts_.SetSource(kwres::kTextEnglish);
    help_ = std::make_unique<cuiHtmlHelp>(texts_);
    help_->SetCursorProvider([this] { return cursor_; });
    bundle_ = CopyBundle(scratch_);
  }

  cuiHtmlHelpWindow* Popup() const {
    return static_cast<cuiHtmlHelpWindow*>(help_->PopupWindow().data());
  }

  kwtest::ScratchDir scratch_;
  kwtest::ScriptedMessageBoxes boxes_;
  cmcGTex texts_;
  std::unique_ptr<cuiHtmlHelp> help_;
  QString bundle_;
  QPoint cursor_{400, 300};
};

TEST_F(HtmlHelpTest, TopicOpensTheDefaultPageWithALiveHandle) {
  QPointer<QWidget> window;
  EXPECT_EQ(help_->ShowTopic(bundle_, &window), 0);
  ASSERT_FALSE(window.isNull());
  EXPECT_TRUE(window->isVisible());
  auto* topic = static_cast<cuiHtmlHelpWindow*>(window.data());
  EXPECT_TRUE(topic->CurrentUrl().toLocalFile().endsWith("KW3700_ENG.chm/index.html"));
  EXPECT_FALSE(window->testAttribute(Qt::WA_QuitOnClose));
  EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_EQ(window->parentWidget(), nullptr);
  EXPECT_EQ(boxes_.Count(), 0u);

  // A second call reuses the window.
  QPointer<QWidget> again;
  EXPECT_EQ(help_->ShowTopic(bundle_, &again), 0);
  EXPECT_EQ(again.data(), window.data());
}

TEST_F(HtmlHelpTest, MissingBundleGivesOneAndNamesThePath) {
  struct Case {
    const char* what;
    QString path;
  };
  kwtest::ScratchDir noIndex;
  const QString withoutIndex = CopyBundle(noIndex);
  QFile::remove(QDir(withoutIndex).filePath("index.html"));
  kwtest::ScratchDir noMap;
  const QString withoutMap = CopyBundle(noMap);
  QFile::remove(QDir(withoutMap).filePath("contexts.txt"));
  const QString unicodePath =
      scratch_.File(QString::fromUtf8("ヘルプ/") + QString(300, 'x') + ".chm");
  const Case cases[] = {
      {"no folder", QStringLiteral("/nonexistent/KW3700_ENG.chm")},
      {"no index.html", withoutIndex},
      {"no contexts.txt", withoutMap},
      {"long non-ASCII path", unicodePath},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes_.Clear();
    boxes_.SetDefaultAnswer(platform::mb::IdOk);
    QPointer<QWidget> window;
    EXPECT_EQ(help_->ShowTopic(c.path, &window), 1);
    EXPECT_EQ(help_->ShowPopup(c.path, 1, &window), 1);
    ASSERT_EQ(boxes_.Count(), 2u);
    for (const auto& box : boxes_.Shown()) {
      EXPECT_EQ(box.text, "Cannot find the " + c.path + " file.");
      EXPECT_EQ(box.caption, "KW-3700");
      EXPECT_EQ(box.flags, IconError);
    }
    EXPECT_TRUE(window.isNull());
  }
}

TEST_F(HtmlHelpTest, PopupShowsTheContextTopicAtTheConfiguredSize) {
  QPointer<QWidget> window;
  EXPECT_EQ(help_->ShowPopup(bundle_, 1, &window), 0);
  ASSERT_FALSE(window.isNull());
  EXPECT_EQ(window->objectName(), "QuorPopupWindow");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(300, 300));
  const QUrl url = Popup()->CurrentUrl();
  EXPECT_TRUE(url.toLocalFile().endsWith("/memory-channels.html"));
  EXPECT_EQ(url.fragment(), "channel-number");
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window->testAttribute(Qt::WA_QuitOnClose));
  EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(HtmlHelpTest, UnknownContextGivesTwoAndShowsTheEarlierPopupAgain) {
  QPointer<QWidget> first;
  ASSERT_EQ(help_->ShowPopup(bundle_, 2, &first), 0);
  const QUrl shown = Popup()->CurrentUrl();
  for (int context : {0, 99999, -1}) {
    SCOPED_TRACE(context);
    boxes_.Clear();
    boxes_.Answer(platform::mb::IdOk);
    QPointer<QWidget> window;
    EXPECT_EQ(help_->ShowPopup(bundle_, context, &window), 2);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, "No Help topic is associated with this item.");
    EXPECT_EQ(boxes_.Last().caption, "KW-3700");
    EXPECT_EQ(boxes_.Last().flags, IconWarning);
    EXPECT_EQ(window.data(), first.data());
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(Popup()->CurrentUrl(), shown);
  }
  // Without an earlier popup nothing appears.
  help_.reset();
  cuiHtmlHelp fresh(texts_);
  boxes_.Answer(platform::mb::IdOk);
  QPointer<QWidget> window;
  EXPECT_EQ(fresh.ShowPopup(bundle_, 99999, &window), 2);
  EXPECT_TRUE(window.isNull());
}

TEST_F(HtmlHelpTest, BrokenMapRowsGiveTwo) {
  // A row for a page that is missing, and rows that point out of the bundle
  // at a file that does exist.
  QFile outside(scratch_.File("outside.html"));
  ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
  outside.write("<html><body>not help</body></html>");
  outside.close();
  QFile map(QDir(bundle_).filePath("contexts.txt"));
  ASSERT_TRUE(map.open(QIODevice::Append));
  map.write("5001\tno-such-page.html#x\n5002\t../outside.html\n5003\t" +
            QFile::encodeName(scratch_.File("outside.html")) + "\n5004 files.html\n");
  map.close();
  for (int context : {5001, 5002, 5003, 5004}) {
    SCOPED_TRACE(context);
    boxes_.Clear();
    boxes_.Answer(platform::mb::IdOk);
    EXPECT_EQ(help_->ShowPopup(bundle_, context, nullptr), 2);
    EXPECT_EQ(boxes_.Count(), 1u);
  }
}

TEST_F(HtmlHelpTest, UnavailableViewerGivesThreeSilently) {
  help_->SetViewerAvailable(false);
  QPointer<QWidget> window;
  EXPECT_EQ(help_->ShowTopic(bundle_, &window), 3);
  EXPECT_EQ(help_->ShowPopup(bundle_, 1, &window), 3);
  EXPECT_EQ(help_->ShowTopic("/nonexistent/KW3700_ENG.chm", &window), 3);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(boxes_.Count(), 0u);
  EXPECT_TRUE(help_->TopicWindow().isNull());
  EXPECT_TRUE(help_->PopupWindow().isNull());
}

TEST_F(HtmlHelpTest, ResizedPopupKeepsItsSizeAndMovesToTheCursor) {
  platform::FixedMonitors monitors(
      {{platform::ScreenRect{0, 0, 1920, 1080}, platform::ScreenRect{0, 0, 1920, 1040}}});
  platform::ScopedMonitors scope(&monitors);
  QPointer<QWidget> window;
  ASSERT_EQ(help_->ShowPopup(bundle_, 1, &window), 0);
  window->resize(420, 250);
  cursor_ = QPoint(500, 200);
  ASSERT_EQ(help_->ShowPopup(bundle_, 2, &window), 0);
  EXPECT_EQ(window->size(), QSize(420, 250));
  EXPECT_EQ(window->pos(), QPoint(500 - 210, 200));
  EXPECT_EQ(Popup()->CurrentUrl().fragment(), "frequency");
  // Near the bottom of the work area it opens above the cursor.
  cursor_ = QPoint(1000, 900);
  ASSERT_EQ(help_->ShowPopup(bundle_, 1, &window), 0);
  EXPECT_EQ(window->pos(), QPoint(1000 - 210, 900 - 250));
}

TEST_F(HtmlHelpTest, DestroyingTheHelpAccessClosesBothWindows) {
  QPointer<QWidget> topic, popup;
  ASSERT_EQ(help_->ShowTopic(bundle_, &topic), 0);
  ASSERT_EQ(help_->ShowPopup(bundle_, 1, &popup), 0);
  topic->setEnabled(false);
  popup->setEnabled(false);
  cuiHtmlHelp::EnableHelpWindows(topic, popup);
  EXPECT_TRUE(topic->isEnabled());
  EXPECT_TRUE(popup->isEnabled());
  help_.reset();
  EXPECT_TRUE(topic.isNull());
  EXPECT_TRUE(popup.isNull());
  cuiHtmlHelp::EnableHelpWindows(topic, popup);  // null handles are skipped
}

TEST_F(HtmlHelpTest, HelpWindowsNeverKeepTheProgramRunning) {
  // Closing the program's own window ends the event loop although both help
  // windows are still open.
  int lastClosed = 0;
  auto connection =
      QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [&] { ++lastClosed; });
  QWidget main;
  main.show();
  QPointer<QWidget> topic, popup;
  ASSERT_EQ(help_->ShowTopic(bundle_, &topic), 0);
  ASSERT_EQ(help_->ShowPopup(bundle_, 1, &popup), 0);
  QTimer::singleShot(0, &main, [&] { main.close(); });
  QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });  // safety net only
  const bool quitOnLast = QGuiApplication::quitOnLastWindowClosed();
  QGuiApplication::setQuitOnLastWindowClosed(true);
  EXPECT_EQ(QApplication::exec(), 0);
  QGuiApplication::setQuitOnLastWindowClosed(quitOnLast);
  QObject::disconnect(connection);
  EXPECT_EQ(lastClosed, 1);
}

TEST_F(HtmlHelpTest, UserClosedWindowsNullTheirHandles) {
  QPointer<QWidget> topic;
  ASSERT_EQ(help_->ShowTopic(bundle_, &topic), 0);
  topic->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(topic.isNull());
  EXPECT_TRUE(help_->TopicWindow().isNull());
  QPointer<QWidget> again;
  EXPECT_EQ(help_->ShowTopic(bundle_, &again), 0);
  EXPECT_FALSE(again.isNull());
}

TEST_F(HtmlHelpTest, LinksStayInsideTheBundle) {
  QPointer<QWidget> window;
  ASSERT_EQ(help_->ShowTopic(bundle_, &window), 0);
  auto* topic = static_cast<cuiHtmlHelpWindow*>(window.data());
  QFile outside(scratch_.File("outside.html"));
  ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
  outside.write("<html></html>");
  outside.close();
  struct Case {
    QUrl link;
    bool followed;
  };
  const Case cases[] = {
      {QUrl("files.html"), true},
      {QUrl("#csv"), true},
      {QUrl("cloning.html#no-answer"), true},
      {QUrl("../outside.html"), false},
      {QUrl::fromLocalFile(scratch_.File("outside.html")), false},
      {QUrl("https://example.org/"), false},
      {QUrl("missing.html"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link.toString().toStdString());
    const QUrl before = topic->CurrentUrl();
    EXPECT_EQ(topic->FollowLink(c.link), c.followed);
    if (!c.followed) {
      EXPECT_EQ(topic->CurrentUrl(), before);
    }
  }
  EXPECT_TRUE(topic->CurrentUrl().toLocalFile().endsWith("/cloning.html"));
  // Back returns along the pages followed.
  topic->Browser()->backward();
  EXPECT_TRUE(topic->CurrentUrl().toLocalFile().endsWith("/files.html"));
}

}  // namespace
