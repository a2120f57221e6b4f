// kw-test: gui
// The main controller's document over scratch settings, the program's text
// tables, an installed bus and injected system folders and regional settings.
#include "app/cuiMain.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/MainController.h"
#include "app/indMain.h"
#include "clone/indCloneMan.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/cmcTick.h"
#include "core/indEnviron.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"
#include "platform/LocaleInfo.h"
#include "platform/StandardFolders.h"
#include "support/ManualClock.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

constexpr char kKey[] = "Software\\Quor\\KW-3700";

platform::LocaleInfo EnglishSystem() { return platform::LocaleInfo{}; }

platform::LocaleInfo JapaneseSystem() {
  platform::LocaleInfo info;
  info.languageId = 0x0411;
  info.shortDateFormat = "yyyy/MM/dd";
  return info;
}

class cuiMainTest : public ::testing::Test {
 protected:
  cuiMainTest() : folders_({dir_.FileStd("docs"), dir_.FileStd("prog"), dir_.FileStd("cwd")}) {
    const indEnviron::Options o = kwtest::ScratchEnvironOptions(dir_);
    env_ = std::make_unique<indEnviron>(indEnviron::kMutexName, kKey, kKey, o);
  }
  ~cuiMainTest() override { SelectTextTable(gtex_, TextTable::English); }

  std::unique_ptr<indMain> Make() { return std::make_unique<indMain>(*env_, gtex_); }

  kwtest::ScratchDir dir_;
  kwtest::ScriptedMessageBoxes boxes_;
  platform::ScopedLocaleInfo locale_{EnglishSystem()};
  platform::ScopedStandardFolders folders_;
  std::unique_ptr<indEnviron> env_;
  cmcGTex gtex_;
  ScopedEvMan bus_;
};

TEST_F(cuiMainTest, ANewDocumentIsEmptyUntitledAndNotModified) {
  const int listeners = bus_->ListenerCount();
  {
    auto main = Make();
    EXPECT_EQ(bus_->ListenerCount(), listeners + 2);

    cmcEeprom zero;
    zero.SetSize(0x40000);
    EXPECT_EQ(main->ImageSize(), 0x40000);
    EXPECT_EQ(main->Image(), zero);
    EXPECT_EQ(main->InitialImage(), zero);
    EXPECT_EQ(main->SavedImage(), zero);
    EXPECT_EQ(main->DocumentRevision(), 3u);
    EXPECT_FALSE(main->IsModified());
    EXPECT_TRUE(main->IsUntitled());
    EXPECT_EQ(main->Title(), QString()) << "the constructor sets no title";

    main->UpdateTitle();
    EXPECT_EQ(main->Title(), QStringLiteral("Untitled - KW-3700"));
    EXPECT_EQ(main->GetSaveFileName(), dir_.FileStd("docs") + "/Untitled");

    const cuiMain::ModelRecord& model = main->Model();
    EXPECT_EQ(model.lastAddress, 172927u);
    EXPECT_EQ(model.word16, 16u);
    EXPECT_EQ(model.modelWord1, 0x3484u);
    EXPECT_EQ(model.modelWord2, 1u);
    EXPECT_EQ(model.key, "712059386241");
    EXPECT_EQ(model.cleared, (std::array<std::uint32_t, 4>{}));
    EXPECT_EQ(main->RegionRecord(), (std::array<std::uint32_t, 4>{0, 172927, 1, 0}));

    EXPECT_EQ(main->VersionText(), "1.20");
    EXPECT_EQ(main->YearsText(), "2014-2015");
    EXPECT_TRUE(main->Phase().firstIdentify);
    EXPECT_FALSE(main->CloneMan().IsBusy());
    EXPECT_FALSE(main->TickTask().TimerActive());
    EXPECT_EQ(main->CheckDelay(), nullptr);

    // The commands' context is the document itself, not a copy.
    DocumentContext context = main->Context();
    EXPECT_EQ(&context.image, &main->Image());
    EXPECT_EQ(&context.initial, &main->InitialImage());
    EXPECT_EQ(&context.bus, &bus_.Bus());

    EXPECT_EQ(main->ApplicationIconImage().size(), QSize(32, 32));
    EXPECT_EQ(main->RigIconImage().size(), QSize(16, 16));
    EXPECT_FALSE(main->ApplicationIcon().isNull());
    EXPECT_EQ(main->ModelName(), "TR-3700");
  }
  EXPECT_EQ(bus_->ListenerCount(), listeners);

  // The generic controller keeps the base key and no model words.
  cuiMain base(*env_, gtex_, 0x40000);
  EXPECT_EQ(base.Model().key, "530817264903");
  EXPECT_EQ(base.Model().key, cmcIcfFile::kDefaultKey);
  EXPECT_EQ(base.Model().modelWord1, 0u);
  EXPECT_EQ(base.Model().lastAddress, 0u);
}

// The settings' last folder, else the documents folder, else the working one.
TEST_F(cuiMainTest, UntitledDocumentsAreNamedInTheDefaultFolder) {
  struct Case {
    std::string lastFolder;
    std::string documents;
    std::string current;
    std::string saveName;
  } cases[] = {
      {"/data/radio", "/home/u/Documents", "/cwd", "/data/radio/Untitled"},
      {"", "/home/u/Documents", "/cwd", "/home/u/Documents/Untitled"},
      {"", "", "/cwd", "/cwd/Untitled"},
      {"/data/", "", "/cwd", "/data/Untitled"},
      {"", "", "/", "/Untitled"},
      {"", "", "", "Untitled"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.saveName);
    platform::ScopedStandardFolders folders({c.documents, "", c.current});
    env_->CurrentDirectory = c.lastFolder;
    auto main = Make();
    EXPECT_EQ(main->GetSaveFileName(), c.saveName);
    main->SetFileName("/x/radio.icf");
    EXPECT_EQ(main->GetSaveFileName(), "/x/radio.icf");
  }
}

TEST_F(cuiMainTest, TitleNamesTheFileAndAnOldLayout) {
  auto main = Make();
  auto form = std::make_unique<QWidget>();
  main->SetMainForm(form.get());
  EXPECT_EQ(form->windowTitle(), QString()) << "no title made yet";

  main->SetDocumentRevision(2);
  main->SetFileName(dir_.FileStd("radio.icf"));
  EXPECT_EQ(main->Title(), QStringLiteral("radio.icf [Old Form] - KW-3700"));
  EXPECT_EQ(form->windowTitle(), main->Title());

  main->SetDocumentRevision(3);
  main->UpdateTitle();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("radio.icf - KW-3700"));

  // A name that is not ASCII keeps its characters.
  main->SetFileName(dir_.FileStd("無線機.icf"));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("無線機.icf - KW-3700"));

  // A later form gets the title made so far; a form deleted first is let go.
  auto second = std::make_unique<QWidget>();
  main->SetMainForm(second.get());
  EXPECT_EQ(second->windowTitle(), main->Title());
  second.reset();
  EXPECT_EQ(main->MainForm(), nullptr);
  main->SetFileName("");
  EXPECT_EQ(main->Title(), QStringLiteral("Untitled - KW-3700"));
}

TEST_F(cuiMainTest, JapaneseTitleTexts) {
  platform::ScopedLocaleInfo system(JapaneseSystem());
  env_->Language = 1;
  auto main = Make();
  main->SetDocumentRevision(1);
  main->ClearModified();
  EXPECT_EQ(main->Title(), QStringLiteral("無題 [旧形式] - KW-3700"));
  EXPECT_EQ(main->GetSaveFileName(), dir_.FileStd("docs") + "/無題");
}

// Once set, the flag stays until the document is saved or cleared, even
// when the bytes go back; a change that never set it is found by comparing.
TEST_F(cuiMainTest, ModifiedFollowsTheBytesAndTheFlag) {
  auto main = Make();
  cmcEeprom& image = main->Image();
  EXPECT_FALSE(main->IsModified());

  image.SetByte(0x1234, 7);
  EXPECT_FALSE(main->ModifiedFlag()) << "found only when asked";
  EXPECT_TRUE(main->IsModified());
  EXPECT_TRUE(main->ModifiedFlag());
  EXPECT_EQ(main->Title(), QStringLiteral("Untitled - KW-3700"));
  image.SetByte(0x1234, 0);
  EXPECT_TRUE(main->IsModified());

  main->ClearModified();
  EXPECT_FALSE(main->IsModified());
  image.SetByte(0x3FFFF, 1);
  main->ClearModified();
  EXPECT_FALSE(main->IsModified()) << "the snapshot took the new bytes";
  EXPECT_EQ(main->SavedImage(), main->Image());

  main->SetModified();
  EXPECT_TRUE(main->IsModified());
  main->ClearModified();

  // Back to the initial image: a difference from the snapshot.
  main->ResetImageToInitial();
  EXPECT_EQ(main->Image(), main->InitialImage());
  EXPECT_TRUE(main->IsModified());

  // A snapshot of the initial image, kept apart from it.
  main->TakeCompareSnapshot();
  main->InitialImage().SetByte(5, 9);
  EXPECT_EQ(main->CompareImage().GetByte(5), 0);
}

TEST_F(cuiMainTest, RegionalFormatsComeFromTheSystem) {
  platform::LocaleInfo info;
  info.shortDateFormat = "dd.MM.yyyy";
  info.dateSeparator = '.';
  info.decimal = ',';
  info.listSeparator = ',';
  platform::ScopedLocaleInfo system(info);
  auto main = Make();
  EXPECT_EQ(main->GetDateOrder(), DateOrder::DayMonthYear);
  EXPECT_EQ(main->ShortDateFormat(), "dd.mm.yyyy");
  EXPECT_EQ(main->DateSeparator(), '.');
  EXPECT_EQ(main->TimeFormat(), "hh:nn:ss");
  EXPECT_EQ(main->CsvDecimal(), ',');
  EXPECT_EQ(main->CsvSeparator(), ';');
}

TEST_F(cuiMainTest, VersionFileBesideTheProgram) {
  ASSERT_TRUE(QDir().mkpath(dir_.File(QStringLiteral("prog"))));
  QFile file(dir_.File(QStringLiteral("prog/KW3700.dat")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(" 1.30 \r\n 2020 ");
  file.close();
  auto main = Make();
  EXPECT_EQ(main->VersionText(), "1.30");
  EXPECT_EQ(main->YearsText(), "2020");

  // No program folder known: the built-in texts.
  platform::ScopedStandardFolders none({"", "", ""});
  auto other = Make();
  EXPECT_EQ(other->VersionText(), "1.20");
}

// The Japanese setting gives the Japanese table on a Japanese system and the
// mixed one elsewhere; the English setting gives English.
TEST_F(cuiMainTest, InterfaceTableFollowsTheSettingAndTheSystem) {
  struct Case {
    std::int32_t setting;
    bool japaneseSystem;
    TextTable table;
  } cases[] = {
      {1, true, TextTable::Japanese},
      {1, false, TextTable::Mixed},
      {0, true, TextTable::English},
      {0, false, TextTable::English},
  };
  for (const Case& c : cases) {
    platform::ScopedLocaleInfo system(c.japaneseSystem ? JapaneseSystem() : EnglishSystem());
    env_->Language = c.setting;
    SelectTextTable(gtex_,
                    c.table == TextTable::English ? TextTable::Japanese : TextTable::English);
    auto main = Make();
    EXPECT_EQ(CurrentTextTable(), c.table) << c.setting << c.japaneseSystem;
  }
}

// Exactly the software area's head comes from the initial image, then the
// tree hears that list names changed.
TEST_F(cuiMainTest, AfterImageLoadTakesTheSoftwareHeadFromTheInitialImage) {
  auto main = Make();
  for (std::int64_t a = 0; a < main->ImageSize(); ++a)
    main->InitialImage().SetByte(a, static_cast<std::uint8_t>(a * 7 + 1));
  int listNamesChanged = 0;
  bus_->AddListener(this, [&](const cmcEvent& e) {
    if (e.id == ev::ListNamesChanged) ++listNamesChanged;
  });

  cmcEeprom loaded;
  loaded.SetSize(main->ImageSize());
  loaded.Fill(0xEE);
  // What the head copy and then the loading passes and the fix-up make of it.
  cmcEeprom expected = loaded;
  for (std::int64_t a = 0x2A380; a <= 0x2A3B2; ++a)
    expected.SetByte(a, main->InitialImage().GetByte(a));
  main->PrepareImage(expected);
  main->NormalizeImage(expected);
  listNamesChanged = 0;

  main->AfterImageLoad(loaded);
  EXPECT_EQ(listNamesChanged, 1);
  for (std::int64_t a = 0; a < loaded.GetSize(); ++a) {
    if (loaded.GetByte(a) != expected.GetByte(a)) {
      ADD_FAILURE() << "byte " << std::hex << a;
      break;
    }
  }
  EXPECT_EQ(main->Image().GetByte(0x2A380), 0) << "only the given image changes";
  bus_->RemoveListener(this);
}

TEST_F(cuiMainTest, StatusMessagesReachTheSink) {
  auto main = Make();
  bus_->SendStr(ev::StatusMessage, 0xFF000008, 0xFF00000F, "Dropped");  // no sink yet
  std::vector<QString> shown;
  main->SetStatusSink([&](const QString& text) { shown.push_back(text); });
  bus_->SendStr(ev::StatusMessage, 0xFF000008, 0xFF00000F, "Copied 3 channels.");
  bus_->PostStr(ev::StatusMessage, 0xFF000008, 0xFF00000F, "\x83\x52\x83\x73\x81\x5B");
  bus_->Send(ev::StatusMessage);
  bus_->Drain();
  EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("Copied 3 channels."), QString(),
                                         QStringLiteral("コピー")}));
}

// Every edit restarts the 250 ms countdown.
TEST_F(cuiMainTest, CheckDelayRestartsOnEveryEdit) {
  kwtest::ManualClock clock(1000);
  auto main = Make();
  main->StartCheckDelay();
  ASSERT_NE(main->CheckDelay(), nullptr);
  cmcTick* delay = main->CheckDelay();
  clock.Advance(200);
  main->StartCheckDelay();
  EXPECT_EQ(main->CheckDelay(), delay) << "one countdown, restarted";
  EXPECT_EQ(delay->GetRemain(), 250u);
  clock.Advance(249);
  EXPECT_EQ(delay->GetRemain(), 1u);
  clock.Advance(1);
  EXPECT_EQ(delay->GetRemain(), 0u);
  EXPECT_FALSE(delay->IsRunning());
}

// The program reaches the installed controller; a test can put its own in
// for a while.
TEST_F(cuiMainTest, TheInstalledControllerCanBeRepointed) {
  EXPECT_EQ(ControllerIfInstalled(), nullptr);
  {
    ScopedController program(*env_, gtex_);
    EXPECT_NE(dynamic_cast<indMain*>(&Controller()), nullptr);
    EXPECT_EQ(&Controller(), &program.Get());
    {
      ScopedController own(std::make_unique<cuiMain>(*env_, gtex_, 0x100));
      EXPECT_EQ(Controller().ImageSize(), 0x100);
    }
    EXPECT_EQ(&Controller(), &program.Get());
  }
  EXPECT_EQ(ControllerIfInstalled(), nullptr);
}

TEST(cuiMainDeathTest, UsingTheControllerBeforeItIsBuiltIsFatal) {
  EXPECT_EXIT(Controller().SetModified(), ::testing::ExitedWithCode(3),
              "Main controller is not built !");
}

}  // namespace
