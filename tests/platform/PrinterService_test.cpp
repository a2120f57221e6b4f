// kw-test: gui
// kw-test: link=platform_gui
// The printer seam: none without a service, a scoped service in force only
// for its scope, and the Qt service's printer and set-up dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include "platform/PrinterService.h"
#include "platform/gui/QtPrinterService.h"
#include "support/ScratchDir.h"

namespace {

class OnePrinter final : public platform::PrinterService {
 public:
  QPagedPaintDevice* Printer() override { return &printer; }
  bool Setup(QObject*) override { return true; }
  QPrinter printer;
};

// Answers the next modal dialog once the loop runs.
void AnswerDialog(bool accept) {
  QTimer::singleShot(0, [accept] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    if (accept)
      dialog->accept();
    else
      dialog->reject();
  });
}

TEST(PrinterServiceTest, NoServiceMeansNoPrinterAndAScopeRestoresTheOldOne) {
  EXPECT_EQ(platform::Printers().Printer(), nullptr);
  EXPECT_FALSE(platform::Printers().Setup(nullptr));
  OnePrinter one;
  {
    platform::ScopedPrinterService scope(&one);
    EXPECT_EQ(platform::Printers().Printer(), &one.printer);
  }
  EXPECT_EQ(platform::Printers().Printer(), nullptr);
}

TEST(PrinterServiceTest, QtServiceKeepsOnePrinterAndReportsTheSetUpAnswer) {
  kwtest::ScratchDir dir;
  platform::QtPrinterService service;
  auto* printer = static_cast<QPrinter*>(service.Printer());
  ASSERT_NE(printer, nullptr);
  EXPECT_EQ(service.Printer(), printer);  // the same printer every time
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(dir.File("out.pdf"));
  printer->setCopyCount(3);

  AnswerDialog(false);
  EXPECT_FALSE(service.Setup(nullptr));
  AnswerDialog(true);
  EXPECT_TRUE(service.Setup(nullptr));
  EXPECT_EQ(printer->copyCount(), 1);
}

}  // namespace
