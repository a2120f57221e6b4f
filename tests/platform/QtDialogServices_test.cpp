// kw-test: gui
// kw-test: link=platform_gui
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/gui/QtFileDialogService.h"
#include "platform/gui/QtMessageBoxService.h"
#include "support/ScratchDir.h"

using platform::MessageBoxRequest;
namespace mb = platform::mb;

TEST(QtMessageBoxServiceTest, FlagsGiveIconButtonsAndDefault) {
  struct Case {
    unsigned flags;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
  };
  const Case cases[] = {
      {mb::Ok, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok},
      {mb::Ok | mb::IconError, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok,
       QMessageBox::Ok},
      {mb::OkCancel | mb::IconWarning, QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel,
       QMessageBox::Ok, QMessageBox::Cancel},
      {mb::OkCancel | mb::IconWarning | mb::DefButton2, QMessageBox::Warning,
       QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Cancel},
      {mb::YesNoCancel | mb::IconWarning | mb::DefButton3, QMessageBox::Warning,
       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel,
       QMessageBox::Cancel},
      {mb::YesNo | mb::IconQuestion | mb::DefButton2, QMessageBox::Question,
       QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::No},
      {mb::YesNo | mb::IconInformation | mb::DefButton3, QMessageBox::Information,
       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    QMessageBox box;
    MessageBoxRequest request;
    request.text = QStringLiteral("<b>not markup</b>");
    request.caption = QStringLiteral("KW-3700");
    request.flags = c.flags;
    platform::QtMessageBoxService::Configure(box, request);
    EXPECT_EQ(box.icon(), c.icon);
    EXPECT_EQ(box.standardButtons(), c.buttons);
    EXPECT_EQ(box.standardButton(box.defaultButton()), c.defaultButton);
    EXPECT_EQ(box.standardButton(box.escapeButton()), c.escapeButton);
    EXPECT_EQ(box.windowTitle(), "KW-3700");
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
  }
  EXPECT_EQ(platform::QtMessageBoxService::AnswerFor(QMessageBox::Ok), mb::IdOk);
  EXPECT_EQ(platform::QtMessageBoxService::AnswerFor(QMessageBox::Yes), mb::IdYes);
  EXPECT_EQ(platform::QtMessageBoxService::AnswerFor(QMessageBox::No), mb::IdNo);
  EXPECT_EQ(platform::QtMessageBoxService::AnswerFor(QMessageBox::Cancel), mb::IdCancel);
}

// The box shows centred on the work area and answers the button pressed.
TEST(QtMessageBoxServiceTest, ShowsCentredAndAnswersTheButtonPressed) {
  struct Case {
    unsigned flags;
    QMessageBox::StandardButton press;
    int answer;
  };
  const Case cases[] = {
      {mb::YesNoCancel | mb::IconWarning, QMessageBox::No, mb::IdNo},
      {mb::YesNoCancel | mb::IconWarning, QMessageBox::Yes, mb::IdYes},
      {mb::OkCancel, QMessageBox::Cancel, mb::IdCancel},
      {mb::Ok, QMessageBox::Ok, mb::IdOk},
  };
  for (const Case& c : cases) {
    platform::QtMessageBoxService service;
    MessageBoxRequest request;
    request.text = QStringLiteral("Save the changes?");
    request.flags = c.flags;
    request.workArea = QRect(100, 50, 600, 400);
    QPoint centre;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      centre = box->frameGeometry().center();
      box->button(c.press)->click();
    });
    EXPECT_EQ(service.Show(request), c.answer);
    EXPECT_LE(std::abs(centre.x() - 400), 2);
    EXPECT_LE(std::abs(centre.y() - 250), 2);
  }
}

TEST(QtFileDialogServiceTest, TheDialogIsSetUpFromTheRequest) {
  kwtest::ScratchDir dir;
  platform::FileDialogRequest request;
  request.kind = platform::FileDialogRequest::Kind::Save;
  request.title = QStringLiteral("Save As");
  request.folder = dir.Path();
  request.fileName = QStringLiteral("mine");
  request.filter = QStringLiteral("Data files (*.icf)|*.icf|All files (*.*)|*.*");
  request.filterIndex = 2;
  request.defaultExtension = QStringLiteral("icf");
  QFileDialog dialog;
  platform::QtFileDialogService::Configure(dialog, request);
  EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog.windowTitle(), "Save As");
  EXPECT_EQ(dialog.nameFilters(), (QStringList{"Data files (*.icf)", "All files (*)"}));
  EXPECT_EQ(dialog.selectedNameFilter(), "All files (*)");
  EXPECT_EQ(dialog.defaultSuffix(), "icf");
  EXPECT_EQ(dialog.directory().absolutePath(), dir.Path());

  request.kind = platform::FileDialogRequest::Kind::Open;
  request.filterIndex = 9;  // out of range: the first
  QFileDialog open;
  platform::QtFileDialogService::Configure(open, request);
  EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(open.selectedNameFilter(), "Data files (*.icf)");
}

TEST(QtFileDialogServiceTest, AnAcceptedSaveDialogGivesThePathAndFilter) {
  kwtest::ScratchDir dir;
  platform::FileDialogRequest request;
  request.kind = platform::FileDialogRequest::Kind::Save;
  request.folder = dir.Path();
  request.fileName = QStringLiteral("mine");
  request.filter = QStringLiteral("Data files (*.icf)|*.icf|All files (*.*)|*.*");
  request.filterIndex = 1;
  request.defaultExtension = QStringLiteral("icf");
  platform::QtFileDialogService service;
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const auto result = service.Run(request);
  EXPECT_TRUE(result.accepted);
  EXPECT_EQ(result.path, dir.File("mine.icf"));
  EXPECT_EQ(result.filterIndex, 1);
}
