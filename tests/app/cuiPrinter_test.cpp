// kw-test: gui
// kw-test: link=Qt6::Test
// Printing inline sheets into PDF files: what reaches paper, in which order
// and on how many pages, and how a run ends when the printer is missing,
// refused, cancelled or failing.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "PrintRig.h"
#include "app/PrintingDialog.h"
#include "support/PdfText.h"

namespace {

using kwtest::PrintRig;

class PrinterTest : public ::testing::Test {
 protected:
  // Prints every name of the list through the ticks, as the program's timer
  // would; Print itself must have answered busy.
  void RunTicks() {
    for (int i = 0; i < 100 && rig_.printer->Busy(); ++i) rig_.printer->Tick().OnTick();
    EXPECT_FALSE(rig_.printer->Busy());
  }
  void PrintAll(const std::vector<std::string>& names) {
    rig_.printer->ClearPageNames();
    for (const std::string& name : names) rig_.printer->AddPageName(name);
    rig_.printer->Print(1, rig_.OpenSheet("GI_Sheet_T1"));
  }
  std::vector<int> FirstColumns(const cuiPreview& preview) {
    std::vector<int> columns;
    for (const dst_Preview& page : preview.Pages()) columns.push_back(page.firstCol);
    return columns;
  }

  PrintRig rig_;
};

TEST_F(PrinterTest, NoPrinterShowsTheTwoLineBoxAndNothingElse) {
  rig_.pdf.SetNoPrinter(true);
  rig_.boxes.Answer(platform::mb::IdOk);
  rig_.printer->Print(0, rig_.OpenSheet("GI_Sheet_T1"));
  ASSERT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(rig_.boxes.Last().text, QStringLiteral("No Printer is connected.\nConnect a printer."));
  EXPECT_EQ(rig_.boxes.Last().caption, QStringLiteral("KW-3700"));
  EXPECT_EQ(rig_.boxes.Last().flags & 0xF0, platform::mb::IconError);
  EXPECT_EQ(rig_.pdf.Setups(), 0);
  EXPECT_TRUE(rig_.owner.isEnabled());
}

TEST_F(PrinterTest, CancelledSetUpOrClosedPreviewPrintsNothing) {
  for (const bool setUpAccepted : {false, true}) {
    SCOPED_TRACE(setUpAccepted ? "preview closed" : "set-up cancelled");
    rig_.pdf.AnswerSetup(setUpAccepted);
    bool previewRan = false;
    bool ownerDisabled = false;
    if (setUpAccepted) {
      rig_.WhenPreviewRuns([&](cuiPreview& preview) {
        previewRan = true;
        ownerDisabled = !rig_.owner.isEnabled();
        preview.Form()->close();
      });
    }
    rig_.printer->Print(0, rig_.OpenSheet("GI_Sheet_T1"));
    EXPECT_EQ(previewRan, setUpAccepted);
    EXPECT_EQ(ownerDisabled, setUpAccepted);
    EXPECT_TRUE(rig_.owner.isEnabled());
    EXPECT_EQ(rig_.printer->Dialog(), nullptr);
    EXPECT_EQ(rig_.boxes.Count(), 0u);
    for (const QString& path : rig_.pdf.Paths()) EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
  }
}

TEST_F(PrinterTest, PrintCurrentPutsEveryCellOnPaperOnceWithTheFixedColumnOnEveryPage) {
  int previewPages = 0;
  std::vector<int> columns;
  rig_.WhenPreviewRuns([&](cuiPreview& preview) {
    previewPages = preview.PageCount();
    columns = FirstColumns(preview);
    EXPECT_FALSE(rig_.owner.isEnabled());
    preview.ChoosePrint();
  });
  rig_.printer->Print(0, rig_.OpenSheet("GI_Sheet_T3"));
  rig_.pdf.Drop();
  EXPECT_EQ(previewPages, 3);
  EXPECT_EQ(columns, (std::vector<int>{1, 3, 5}));
  const QString path = rig_.pdf.LastPath();
  ASSERT_EQ(kwtest::PdfPageCount(path), previewPages);
  std::map<QString, int> seen;
  for (int page = 1; page <= previewPages; ++page) {
    SCOPED_TRACE(page);
    const QString text = kwtest::PdfPageText(path, page);
    EXPECT_TRUE(text.contains(QStringLiteral("Three Pages")));
    EXPECT_TRUE(text.contains(QStringLiteral("KW-3700 Rev.1.20")));
    EXPECT_TRUE(text.contains(QStringLiteral("Quor Inc.")));
    for (const QString& word : kwtest::PdfPageWords(path, page)) ++seen[word];
  }
  // The fixed column and header repeat on every page; every other cell
  // shows exactly once.
  for (const char* fixed : {"No", "r1", "r2", "r3"}) EXPECT_EQ(seen[QString::fromLatin1(fixed)], 3) << fixed;
  for (char column = 'a'; column <= 'e'; ++column)
    for (int row = 1; row <= 3; ++row) {
      const QString cell = QString(QChar(column)) + QString::number(row);
      EXPECT_EQ(seen[cell], 1) << cell.toStdString();
    }
  EXPECT_TRUE(rig_.owner.isEnabled());
  EXPECT_EQ(rig_.printer->Dialog(), nullptr);
}

TEST_F(PrinterTest, AColumnJoinedToItsLeftNeverStartsAPage) {
  std::vector<int> columns;
  std::vector<int> counts;
  rig_.WhenPreviewRuns([&](cuiPreview& preview) {
    columns = FirstColumns(preview);
    for (const dst_Preview& page : preview.Pages()) counts.push_back(page.colCount);
    preview.Form()->close();
  });
  rig_.printer->Print(0, rig_.OpenSheet("GI_Sheet_J"));
  EXPECT_EQ(columns, (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(counts, (std::vector<int>{1, 2, 2}));
}

TEST_F(PrinterTest, ATooWideSheetPrintsSmallerAndKeepsTheSmallerFontOnLaterPages) {
  std::vector<printgeom::Box> cells;
  rig_.WhenPreviewRuns([&](cuiPreview& preview) {
    for (const dst_Preview& page : preview.Pages()) cells.push_back(page.cells);
    preview.ChoosePrint();
  });
  rig_.printer->Print(0, rig_.OpenSheet("GI_Sheet_Wide"));
  rig_.pdf.Drop();
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(kwtest::PdfPageCount(rig_.pdf.LastPath()), 2);
  EXPECT_TRUE(kwtest::PdfPageText(rig_.pdf.LastPath(), 2).contains(QStringLiteral("s2")));
  // The first page's cells fit the paper only at a smaller font; the second
  // page's rows are just as high, so it kept that font.
  const printgeom::Box inner =
      printgeom::ToScreen(printgeom::PageFrame(rig_.printer->Area(), 116).inner, 96, 600);
  EXPECT_LE(cells[0].right, inner.right + 1);
  EXPECT_EQ(cells[1].Height(), cells[0].Height());
}

TEST_F(PrinterTest, TwoRunsInARowEachStartOnTheirFirstPage) {
  for (int run = 1; run <= 2; ++run) {
    rig_.AnswerPreview(true);
    rig_.printer->Print(0, rig_.OpenSheet("GI_Sheet_T2"));
  }
  rig_.pdf.Drop();
  ASSERT_EQ(rig_.pdf.Paths().size(), 2u);
  for (const QString& path : rig_.pdf.Paths()) {
    SCOPED_TRACE(path.toStdString());
    EXPECT_EQ(kwtest::PdfPageCount(path), 2);
    EXPECT_TRUE(kwtest::PdfPageText(path, 1).contains(QStringLiteral("a1")));
    EXPECT_TRUE(kwtest::PdfPageText(path, 2).contains(QStringLiteral("c1")));
  }
}

TEST_F(PrinterTest, ASheetWithoutPagesShowsBlankPaperAndSendsNothing) {
  bool checked = false;
  rig_.WhenPreviewRuns([&](cuiPreview& preview) {
    checked = true;
    EXPECT_EQ(preview.PageCount(), 0);
    EXPECT_EQ(preview.CountLabel()->text(), QStringLiteral(" / 0"));
    EXPECT_EQ(preview.StatusPanel()->text(), QStringLiteral(" 0 / 0"));
    for (QWidget* w : std::initializer_list<QWidget*>{preview.TopButton(), preview.PreviousButton(),
                                                      preview.NextButton(), preview.LastButton(),
                                                      preview.PrintButton()})
      EXPECT_FALSE(w->isEnabled());
    // The paper is white inside its black edge.
    const QImage& paper = preview.Bitmap();
    EXPECT_EQ(paper.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(paper.pixel(paper.width() / 2, paper.height() / 2), qRgb(255, 255, 255));
    preview.ChoosePrint();  // refused: nothing to print
    EXPECT_FALSE(preview.PrintChosen());
    preview.Form()->close();
  });
  rig_.printer->Print(0, rig_.OpenSheet("GI_Sheet_NoPrint"));
  rig_.pdf.Drop();
  EXPECT_TRUE(checked);
  EXPECT_FALSE(QFile::exists(rig_.pdf.LastPath()));
  EXPECT_TRUE(rig_.owner.isEnabled());
}

TEST_F(PrinterTest, MarginsThatLeaveNoRoomInsideTheFrameGiveNoPage) {
  // 148 mm top and bottom leave 1 mm of an A4 page: less than the frame.
  std::vector<std::string> lines = kwtest::PrintRigLines();
  lines.insert(lines.begin() + 1, {"#GI_Sys_Printer_Margins", "10,148,10,148"});
  rig_.texts.Reset();
  rig_.texts.SetSource(lines);
  int pages = -1;
  rig_.WhenPreviewRuns([&](cuiPreview& preview) {
    pages = preview.PageCount();
    preview.Form()->close();
  });
  rig_.printer->Print(0, rig_.OpenSheet("GI_Sheet_T2"));
  EXPECT_EQ(pages, 0);
  EXPECT_TRUE(rig_.owner.isEnabled());
}

TEST_F(PrinterTest, PrintAllPrintsTheListInOrderSkippingPagesThatDoNotPrint) {
  rig_.env->ViewCutBits = 5;
  int previewPages = 0;
  rig_.WhenPreviewRuns([&](cuiPreview& preview) {
    previewPages = preview.PageCount();
    EXPECT_TRUE(preview.PrintAll());
    preview.ChoosePrint();
  });
  PrintAll({"GI_Sheet_T2", "GI_Sheet_NoPrint", "GI_Sheet_T1"});
  EXPECT_TRUE(rig_.printer->Busy());
  EXPECT_FALSE(rig_.owner.isEnabled());
  ASSERT_NE(rig_.printer->Dialog(), nullptr);
  EXPECT_TRUE(rig_.printer->Dialog()->isVisible());
  RunTicks();
  rig_.pdf.Drop();
  EXPECT_EQ(previewPages, 3);
  const QString path = rig_.pdf.LastPath();
  ASSERT_EQ(kwtest::PdfPageCount(path), 3);
  EXPECT_TRUE(kwtest::PdfPageText(path, 1).contains(QStringLiteral("Two Pages")));
  EXPECT_TRUE(kwtest::PdfPageText(path, 2).contains(QStringLiteral("Two Pages")));
  EXPECT_TRUE(kwtest::PdfPageText(path, 3).contains(QStringLiteral("One Page")));
  EXPECT_EQ(rig_.env->ViewCutBits, 5);
  EXPECT_TRUE(rig_.printer->PageNames().empty());
  EXPECT_TRUE(rig_.owner.isEnabled());
  EXPECT_EQ(rig_.printer->Dialog(), nullptr);
}

// The print tick wakes the program only while a print of all pages runs.
TEST_F(PrinterTest, TheTickRunsOnlyWhileAllPagesPrint) {
  EXPECT_FALSE(rig_.printer->Tick().TimerActive());
  rig_.AnswerPreview(true);
  PrintAll({"GI_Sheet_T2", "GI_Sheet_T3"});
  ASSERT_TRUE(rig_.printer->Busy());
  EXPECT_TRUE(rig_.printer->Tick().TimerActive());
  RunTicks();
  EXPECT_FALSE(rig_.printer->Tick().TimerActive());
}

TEST_F(PrinterTest, CancelAfterTheFirstSheetKeepsItsPagesAndEndsTheRun) {
  rig_.AnswerPreview(true);
  PrintAll({"GI_Sheet_T2", "GI_Sheet_T3"});
  ASSERT_TRUE(rig_.printer->Busy());
  rig_.printer->Tick().OnTick();  // the first sheet
  EXPECT_TRUE(rig_.printer->Busy());
  EXPECT_FALSE(rig_.owner.isEnabled());
  ASSERT_NE(rig_.printer->Dialog(), nullptr);
  rig_.printer->Dialog()->CancelButton()->click();
  RunTicks();
  rig_.pdf.Drop();
  EXPECT_EQ(kwtest::PdfPageCount(rig_.pdf.LastPath()), 2);
  EXPECT_TRUE(rig_.owner.isEnabled());
  EXPECT_EQ(rig_.printer->Dialog(), nullptr);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
}

TEST_F(PrinterTest, APrinterThatCannotBeginEndsTheRunWithOneBox) {
  for (const int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    rig_.boxes.Clear();
    rig_.pdf.SetNextPath(rig_.dir.File(QStringLiteral("missing/print.pdf")));
    rig_.boxes.Answer(platform::mb::IdOk);
    rig_.AnswerPreview(true);
    if (mode == 0) {
      rig_.printer->Print(0, rig_.OpenSheet("GI_Sheet_T2"));
    } else {
      PrintAll({"GI_Sheet_T2", "GI_Sheet_T1"});
      RunTicks();
    }
    ASSERT_EQ(rig_.boxes.Count(), 1u);
    EXPECT_EQ(rig_.boxes.Last().text,
              QStringLiteral("Cannot print.\nCheck the printer or the output file."));
    EXPECT_EQ(rig_.boxes.Last().flags & 0xF0, platform::mb::IconError);
    EXPECT_TRUE(rig_.owner.isEnabled());
    EXPECT_EQ(rig_.printer->Dialog(), nullptr);
    EXPECT_FALSE(rig_.printer->Busy());
    EXPECT_TRUE(rig_.printer->PageNames().empty());
    // The tick has nothing left to do.
    rig_.printer->Tick().OnTick();
    EXPECT_EQ(rig_.boxes.Count(), 1u);
  }
}

}  // namespace
