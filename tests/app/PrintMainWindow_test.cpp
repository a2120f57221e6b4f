// kw-test: gui
// kw-test: link=Qt6::Test
// Printing from the real main window (offscreen) through the controller:
// the current sheet and every tree page, into PDF files, with the set-up
// and the preview answered by script. The document is never touched.
#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include "app/MainFrame.h"
#include "app/PageReference.h"
#include "app/cuiPreview.h"
#include "app/cuiPrinter.h"
#include "model/BankTable.h"
#include "model/ItemKinds.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "sheet/cuiSheet.h"
#include "support/PdfText.h"
#include "support/ScriptedPrinter.h"
#include "tests/app/MainWindowRig.h"

namespace {

constexpr char kPage0[] = "[St_ColCut]GI_Sheet_P,0,0";
// The program's own memory-channel page "0 - 99" and bank page "A".
constexpr char kMemory0[] = "[St_ColCut]GI_Sheet_MemoryCH,0,0";
constexpr char kBankA[] = "[St_CCBank]GI_Sheet_BankCH,21";
const char* const kNames[] = {"PRTALPHA", "PRTBRAVO", "PRTDELTA"};

class PrintMainWindowTest : public ::testing::Test {
 protected:
  void Build(const std::vector<std::string>& lines = kwtest::MainWindowTestLines()) {
    rig_.Build(lines);
    rig_.window->show();
    QApplication::processEvents();
    rig_.main->Printer()->Tick().SetInterval(-1);  // the test runs the ticks
    if (!rig_.main->CurrentSheet()) rig_.main->TickTask().OnTick();  // opens the selected page
  }

  // Channels 0..2 used, each with a name and a frequency of its own.
  void UseChannels() {
    for (int i = 0; i < 3; ++i) {
      datCh ch(&rig_.main->Image());
      ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(i));
      ch.flags |= datCh::kUsed;
      ch.freq = 145010000u + 10000u * static_cast<std::uint32_t>(i);
      std::fill(ch.name.begin(), ch.name.end(), ' ');
      std::memcpy(ch.name.data(), kNames[i], std::strlen(kNames[i]));
      ASSERT_TRUE(ch.StoreSelf());
    }
  }

  // The channel in bank A, in its first slot.
  void PutChannelInBankA(int channel) {
    datCh ch(&rig_.main->Image());
    ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(channel));
    ch.bank = 0;
    ch.bankSlot = 0;
    ASSERT_TRUE(ch.StoreSelf());
    RebuildBankTable(rig_.main->Image());
  }

  // Answers the preview with Print and notes its page count.
  void PrintFromPreview(int* pages) {
    QTimer::singleShot(0, &context_, [pages] {
      cuiPreview* preview = cuiPreview::Running();
      ASSERT_NE(preview, nullptr);
      *pages = preview->PageCount();
      preview->ChoosePrint();
    });
  }

  // Prints the open page with the preview answered Print; the file's path.
  QString PrintCurrentPage(int* pages) {
    PrintFromPreview(pages);
    rig_.main->PrintCurrent();
    pdf_.Drop();
    return pdf_.LastPath();
  }
  // Prints every page of the tree with the preview answered Print and the
  // run's ticks driven to its end; the file's path.
  QString PrintAllPages(int* pages) {
    PrintFromPreview(pages);
    rig_.main->PrintAll();
    RunTicks();
    pdf_.Drop();
    return pdf_.LastPath();
  }
  // Every page of the file carries the program's title and the maker.
  static void ExpectFrameOnEveryPage(const QString& path, int pages) {
    for (int page = 1; page <= pages; ++page) {
      SCOPED_TRACE(page);
      const QString text = kwtest::PdfPageText(path, page);
      EXPECT_TRUE(text.contains(QStringLiteral("KW-3700 Rev.")));
      EXPECT_TRUE(text.contains(QStringLiteral("Quor Inc.")));
    }
  }

  void RunTicks() {
    cuiPrinter& printer = *rig_.main->Printer();
    for (int i = 0; i < 200 && printer.Busy(); ++i) printer.Tick().OnTick();
    EXPECT_FALSE(printer.Busy());
  }

  // How often the text shows in the whole file.
  static int Occurrences(const QString& path, const QString& text) {
    int count = 0;
    for (const QString& page : kwtest::PdfPageTexts(path)) count += static_cast<int>(page.count(text));
    return count;
  }

  // A title as the PDF's text gives it back: ligatures as their letters,
  // each run of blanks as one, none at the ends.
  static std::string Squeezed(const QString& title) {
    return title.normalized(QString::NormalizationForm_KC).simplified().toStdString();
  }
  // Titles so, a run of one title counted once.
  static std::vector<std::string> Squeezed(const std::vector<std::string>& titles) {
    std::vector<std::string> out;
    for (const std::string& t : titles) {
      const std::string title = Squeezed(QString::fromStdString(t));
      if (out.empty() || out.back() != title) out.push_back(title);
    }
    return out;
  }

  // The sheet titles at the head of the pages of a file, a run of pages of
  // one title counted once.
  static std::vector<std::string> PageTitles(const QString& path) {
    std::vector<std::string> titles;
    for (const QString& text : kwtest::PdfPageTexts(path))
      titles.push_back(text.left(text.indexOf(QStringLiteral("KW-3700 Rev."))).toStdString());
    return Squeezed(titles);
  }

  // The binding texts of the tree's pages, in tree order.
  std::vector<std::string> TreePages() {
    std::vector<std::string> pages;
    const iuiTree& tree = *rig_.window->Tree();
    for (QTreeWidgetItem* node : tree.Nodes())
      if (const cmcCellObj* cell = tree.CellOf(node); cell && cell->bindingText)
        pages.push_back(*cell->bindingText);
    return pages;
  }

  // Whether the page prints under the current choices, and its title.
  bool PagePrints(const std::string& reference, std::string* title = nullptr) {
    QWidget parent;
    cuiSheet* sheet = rig_.window->CreateSheet(&parent, reference);
    sheet->SetSettings(rig_.env.get());
    const std::int32_t cut = rig_.env->ViewCutBits;
    sheet->Build();
    const bool prints = sheet->CanPrint();
    if (title) *title = sheet->GetTitleText();
    sheet->Release();
    rig_.env->ViewCutBits = cut;
    return prints;
  }

  kwtest::MainWindowRig rig_;
  QObject context_;  // a test's pending answers go with it
  kwtest::ScratchDir out_;
  kwtest::ScriptedPrinter pdf_{out_.Path()};
};

TEST_F(PrintMainWindowTest, PrintCurrentPrintsTheOpenPageAndLeavesTheDocumentAlone) {
  Build();
  UseChannels();
  const cmcEeprom before = rig_.main->Image();
  rig_.Choose(rig_.NodeOf(kPage0));
  ASSERT_NE(rig_.main->CurrentSheet(), nullptr);
  int pages = 0;
  const QString path = PrintCurrentPage(&pages);
  ASSERT_GT(pages, 0);
  EXPECT_EQ(kwtest::PdfPageCount(path), pages);
  ExpectFrameOnEveryPage(path, pages);
  for (int page = 1; page <= pages; ++page)
    EXPECT_TRUE(kwtest::PdfPageText(path, page).contains(QStringLiteral("Page")));  // the title
  for (const char* name : kNames) EXPECT_EQ(Occurrences(path, QString::fromLatin1(name)), 1) << name;
  EXPECT_TRUE(rig_.main->PrintChoiceMemory());
  EXPECT_TRUE(rig_.main->PrintChoiceBank());
  EXPECT_TRUE(rig_.window->isEnabled());
  EXPECT_TRUE(rig_.main->Image() == before);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
}

TEST_F(PrintMainWindowTest, PrintAllPrintsEveryPrintablePageInTreeOrder) {
  Build();
  UseChannels();
  const cmcEeprom before = rig_.main->Image();
  rig_.env->ViewCutBits = 3;
  // The pages that print, by their titles in tree order.
  std::vector<std::string> printable;
  for (const std::string& page : TreePages()) {
    std::string title;
    if (PagePrints(page, &title)) printable.push_back(title);
  }
  ASSERT_FALSE(printable.empty());
  int pages = 0;
  PrintFromPreview(&pages);
  rig_.main->PrintAll();
  EXPECT_FALSE(rig_.window->isEnabled());
  RunTicks();
  pdf_.Drop();

  const QString path = pdf_.LastPath();
  ASSERT_EQ(kwtest::PdfPageCount(path), pages);
  ASSERT_GE(pages, static_cast<int>(printable.size()));
  EXPECT_EQ(rig_.env->ViewCutBits, 3);
  EXPECT_TRUE(rig_.window->isEnabled());
  EXPECT_TRUE(rig_.main->Image() == before);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
}

// Over the program's own tree, with the two print-all choices cleared: no
// memory-channel or bank page prints, though they are in use and print
// with the choices set; every other printable page still does.
TEST_F(PrintMainWindowTest, BothChoicesClearedStillPrintTheOtherPages) {
  Build(kwtest::RealTableLines());
  UseChannels();
  PutChannelInBankA(1);
  ASSERT_TRUE(PagePrints(kMemory0));
  ASSERT_TRUE(PagePrints(kBankA));
  rig_.main->SetPrintChoiceMemory(false);
  rig_.main->SetPrintChoiceBank(false);
  std::vector<std::string> printable;  // their titles
  for (const std::string& page : TreePages()) {
    const PageReference ref = PageReference::Parse(page);
    const bool channelPage =
        (ref.number >= 0 && ref.number <= 9) || (ref.number >= 21 && ref.number <= 46);
    std::string title;
    if (PagePrints(page, &title)) {
      EXPECT_FALSE(channelPage) << page;
      printable.push_back(title);
    } else {
      EXPECT_NE(ref.type, "St_Common") << page << ": a settings page always prints";
    }
  }
  ASSERT_FALSE(printable.empty());
  int pages = 0;
  const QString path = PrintAllPages(&pages);
  EXPECT_EQ(kwtest::PdfPageCount(path), pages);
  EXPECT_EQ(PageTitles(path), Squeezed(printable));
  for (const char* name : kNames) EXPECT_EQ(Occurrences(path, QString::fromLatin1(name)), 0);
  EXPECT_TRUE(rig_.window->isEnabled());
}

// The program's own tree and pages with both choices set: the used memory
// channel and bank pages and the other printable pages print, in tree
// order; the top page, the folders, unused channel pages and empty lists
// do not.
TEST_F(PrintMainWindowTest, PrintAllOverTheProgramsTreeSkipsTheTopPageAndFolders) {
  Build(kwtest::RealTableLines());
  UseChannels();
  PutChannelInBankA(1);
  const cmcEeprom before = rig_.main->Image();
  std::vector<std::string> printable;  // their titles
  for (const std::string& page : TreePages()) {
    SCOPED_TRACE(page);
    const PageReference ref = PageReference::Parse(page);
    std::string title;
    const bool printing = PagePrints(page, &title);
    if (ref.key == "GI_Sheet_TopPage" || ref.key == "GI_Sheet_TreeTop") {
      EXPECT_FALSE(printing);
    } else if (ref.type == "St_UrList" || ref.type == "St_RptList" || ref.type == "St_ChGps") {
      EXPECT_FALSE(printing) << "an empty list";
    } else if (ref.key == "GI_Sheet_MemoryCH") {
      EXPECT_EQ(printing, page == kMemory0);
    } else if (ref.key == "GI_Sheet_BankCH") {
      EXPECT_EQ(printing, page == kBankA);
    } else if (ref.type == "St_Common") {
      EXPECT_TRUE(printing);
    }
    if (printing) printable.push_back(title);
  }
  ASSERT_FALSE(printable.empty());
  int pages = 0;
  const QString path = PrintAllPages(&pages);
  EXPECT_EQ(kwtest::PdfPageCount(path), pages);
  EXPECT_GE(pages, static_cast<int>(printable.size()));
  EXPECT_EQ(PageTitles(path), Squeezed(printable));
  EXPECT_EQ(Occurrences(path, QString::fromLatin1(kNames[0])), 1);
  EXPECT_EQ(Occurrences(path, QString::fromLatin1(kNames[1])), 2);  // and in bank A
  EXPECT_TRUE(rig_.window->isEnabled());
  EXPECT_TRUE(rig_.main->Image() == before);
}

// The memory-channel page "0 - 99" of the program's own tree: each used
// channel's frequency once, on pages that each repeat the fixed columns.
TEST_F(PrintMainWindowTest, PrintCurrentOfTheFirstMemoryChannelPage) {
  Build(kwtest::RealTableLines());
  UseChannels();
  QTreeWidgetItem* node = rig_.NodeOf(kMemory0);
  ASSERT_NE(node, nullptr);
  rig_.Choose(node);
  int pages = 0;
  const QString path = PrintCurrentPage(&pages);
  ASSERT_GT(pages, 0);
  EXPECT_EQ(kwtest::PdfPageCount(path), pages);
  ExpectFrameOnEveryPage(path, pages);
  // The fixed columns: the "CH" heading starts a line on every page.
  const QRegularExpression fixedHeading(QStringLiteral("(^|\\n)CH\\s"));
  for (int page = 1; page <= pages; ++page)
    EXPECT_TRUE(kwtest::PdfPageText(path, page).contains(fixedHeading)) << "page " << page;
  for (const char* frequency : {"145.010", "145.020", "145.030"})
    EXPECT_EQ(Occurrences(path, QString::fromLatin1(frequency)), 1) << frequency;
}

}  // namespace
