// kw-test: gui
// New, Open, Save and Save As as a user meets them: the real main window
// (settings destination 5), the menu items and tool-bar buttons, scripted
// message boxes and file dialogs, data files in a scratch folder. Every
// refused file and failed write shows one message and changes nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/ImagePasses.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "platform/MessageBoxService.h"
#include "tests/app/DocumentRig.h"

namespace {

using kwtest::DocumentRig;
namespace mb = platform::mb;

constexpr std::int64_t kCommentAddress = 0xC9C0;
const dst_EtcData kRigRecord{kwtest::kRigDestination, 1, 0, 0};

// Everything a refused command must leave as it was.
struct DocumentState {
  cmcEeprom image;
  std::string name;
  QString title;
  bool modified;
  std::uint32_t revision;
  std::vector<std::string> recent;
  std::string folder;
  std::string settingsFolder;
  dst_EtcData destination;
  bool operator==(const DocumentState&) const = default;
};

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_.Build();
    rig_.bus->AddListener(this, [this](const cmcEvent& e) {
      if (e.id == ev::ListNamesChanged) ++listNameEvents_;
    });
  }
  void TearDown() override { rig_.bus->RemoveListener(this); }

  indMain& Main() { return *rig_.main; }

  DocumentState State() {
    DocumentState s{Main().Image(),     Main().FileName(),       Main().Title(),
                    Main().ModifiedFlag(), Main().DocumentRevision(), {},
                    Main().DefaultFolder(), rig_.env->CurrentDirectory, rig_.env->EtcData};
    for (int i = 0; i < rig_.env->Recent.Count(); ++i) s.recent.push_back(rig_.env->Recent.GetName(i));
    return s;
  }

  // A fixture file of the default image of a destination.
  std::string Fixture(const std::string& name, int revision = 3,
                      dst_EtcData record = kRigRecord) {
    const std::string path = rig_.Path(name);
    EXPECT_TRUE(kwtest::WriteFixtureFile(
        path, kwtest::DefaultDocumentImage(static_cast<int>(
                  record.destination < 16 ? record.destination : 0)),
        revision, record));
    return path;
  }

  void Open(const std::string& path) {
    rig_.dialogs.Choose(QString::fromStdString(path));
    rig_.Press(CL_Menu_File_Open);
  }

  // Save As to a path in the filter of a revision (position 1: 3, 2: 2, 3: 1).
  void SaveAs(const std::string& path, int revision) {
    rig_.dialogs.Choose(QString::fromStdString(path), MemMapRevisionPos(revision));
    rig_.Press(CL_Menu_File_SaveAs);
  }

  // Marks the document modified through an edit of a channel name.
  void Edit(const char* name = "EDITED") {
    datCh ch(&Main().Image());
    ch.Load(itemkind::kChannel, 0);
    ch.flags |= datCh::kUsed;
    ch.name.fill(' ');
    std::copy(name, name + std::strlen(name), ch.name.begin());
    ASSERT_TRUE(ch.StoreSelf());
    Main().SetModified();
  }

  // Lists of distinct entries (alike call signs would be marked).
  void AddRepeaters(int count) {
    cmcEeprom& image = Main().Image();
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(RptListInsert(image, 0, i));
      datCh r(&image);
      r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
      char call[16];
      std::snprintf(call, sizeof call, "R%07d", i);
      std::copy(call, call + 8, r.rptCall.begin());
      ASSERT_TRUE(r.StoreSelf());
    }
  }
  void AddYourCalls(int count) {
    cmcEeprom& image = Main().Image();
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(UrListInsert(image, i));
      datCh u(&image);
      u.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
      char call[16];
      std::snprintf(call, sizeof call, "U%07d", i);
      std::copy(call, call + 8, u.urCall.begin());
      ASSERT_TRUE(u.StoreSelf());
    }
  }
  // Each new memory goes first in the list, so list order is the reverse of
  // slot order: "GPS000" (slot 0) ends last.
  void AddGpsMemories(int count) {
    cmcEeprom& image = Main().Image();
    for (int p = 0; p < count; ++p) {
      ASSERT_TRUE(GpsMemInsert(image, 0, 0));
      datCh g(&image);
      g.Load(itemkind::kGpsMemory, 0);
      char name[32];
      std::snprintf(name, sizeof name, "GPS%03d          ", p);
      std::copy(name, name + 16, g.gpsName.begin());
      ASSERT_TRUE(g.StoreSelf());
    }
  }
  void ExpectNoMarks() {
    int errors = -1, warnings = -1;
    Main().RunWarningCheck(&errors, &warnings);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(warnings, 0);
  }

  QString BoxText(std::size_t i) const {
    return i < rig_.boxes.Count() ? rig_.boxes.Shown()[i].text : QString();
  }

  DocumentRig rig_;
  int listNameEvents_ = 0;
};

// --- file text --------------------------------------------------------------

TEST_F(FileCommandsTest, TheFileTextOfEachRevision) {
  const std::uint8_t comment[16] = {0x4D, 0x59, 0x20, 0x52, 0x49, 0x47, 0x07, 0xB1,
                                    0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
  Main().Image().SetBlock(kCommentAddress, comment, sizeof comment);
  struct Case {
    int revision;
    std::size_t records;
    std::vector<std::string> lastRecords;
    std::int64_t last;
  };
  const Case cases[] = {
      {3, 5405, {"0002A34010", "0002A35010", "0002A36020"}, 0x2A37F},
      {2, 4631, {"000242A020"}, 0x242BF},
      {1, 8155, {"0003FB2020"}, 0x3FB3F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.revision);
    const std::string path = rig_.Path("rev" + std::to_string(c.revision) + ".icf");
    if (c.revision != 3) rig_.boxes.Answer(mb::IdYes);
    SaveAs(path, c.revision);
    EXPECT_EQ(Main().FileName(), path);
    const kwtest::FileContent file = kwtest::ReadFileLines(path, "712059386241");
    ASSERT_GE(file.heads.size(), 5u);
    EXPECT_EQ(file.heads[0], "34840001");
    EXPECT_EQ(file.heads[1], "#Comment=MY RIG \xB1");
    EXPECT_EQ(file.heads[2], "#MapRev=" + std::to_string(c.revision));
    EXPECT_EQ(file.heads[3], "#EtcData=144011");
    EXPECT_TRUE(file.wellFormed);
    EXPECT_TRUE(file.hasDigest);
    EXPECT_TRUE(file.digestMatches);
    EXPECT_TRUE(kwtest::CoversExactly(file, c.last));
    ASSERT_EQ(file.recordHeads.size(), c.records);
    const std::vector<std::string> tail(file.recordHeads.end() - c.lastRecords.size(),
                                        file.recordHeads.end());
    EXPECT_EQ(tail, c.lastRecords);
    EXPECT_EQ(file.ByteAt(MemMapRevisionOf(c.revision).Region(50)), c.revision);
  }
  EXPECT_EQ(rig_.boxes.Count(), 2u);
}

// The check line: written for clean data and after the correction; left out
// for errors (after saying so) and for warnings the user keeps.
TEST_F(FileCommandsTest, TheCheckLineFollowsTheWarningCheck) {
  enum class Data { Clean, Errors, Warnings };
  struct Case {
    const char* name;
    Data data;
    std::vector<int> answers;
    const char* box;  // the first words of the one box, or "" for none
    bool digest;
    int yourCallsAfter;
  };
  const Case cases[] = {
      {"clean", Data::Clean, {}, "", true, 0},
      {"errors", Data::Errors, {mb::IdOk}, "Some settings are marked as errors.", false, 0},
      {"warnings kept", Data::Warnings, {mb::IdNo}, "Some settings are marked with warnings.",
       false, 2},
      {"warnings corrected", Data::Warnings, {mb::IdYes},
       "Some settings are marked with warnings.", true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rig_.boxes.Clear();
    cmcEeprom& image = Main().Image();
    image = Main().InitialImage();
    if (c.data == Data::Errors) {
      datCh ch(&image);
      ch.Load(itemkind::kChannel, 3);
      ch.flags |= datCh::kUsed;
      ch.freq = 600000000;  // outside every band
      ASSERT_TRUE(ch.StoreSelf());
    }
    if (c.data == Data::Warnings) {
      // Two your-call signs alike: the correction deletes the second.
      for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(UrListInsert(image, i));
        datCh call(&image);
        call.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
        const char sign[] = "JA1XYZ  ";
        std::copy(sign, sign + 8, call.urCall.begin());
        ASSERT_TRUE(call.StoreSelf());
      }
    }
    for (int answer : c.answers) rig_.boxes.Answer(answer);
    const std::string path = rig_.Path(std::string(c.name) + ".icf");
    SaveAs(path, 3);
    ASSERT_EQ(rig_.boxes.Count(), c.answers.size());
    if (*c.box) {
      EXPECT_TRUE(BoxText(0).startsWith(QString::fromLatin1(c.box))) << BoxText(0).toStdString();
    }
    const kwtest::FileContent file = kwtest::ReadFileLines(path, "712059386241");
    EXPECT_EQ(file.hasDigest, c.digest);
    if (c.digest) {
      EXPECT_TRUE(file.digestMatches);
    }
    EXPECT_EQ(GetYourCallCount(Main().Image()), c.yourCallsAfter);
    EXPECT_FALSE(Main().IsModified());
  }
}

// --- confirm-save -------------------------------------------------------------

TEST_F(FileCommandsTest, ConfirmSaveAsksNamesTheFileAndFollowsTheAnswer) {
  // Unmodified: go on without a box.
  EXPECT_EQ(Main().ConfirmSaveChanges(false), mb::IdYes);
  EXPECT_EQ(rig_.boxes.Count(), 0u);

  struct Case {
    const char* name;
    bool named;
    bool askWriteFile;
    int answer;
    bool dialogCancelled;  // Yes: the save dialog opens and is cancelled
    const char* question;
    int result;
  };
  const Case cases[] = {
      {"untitled yes", false, false, mb::IdYes, true, "Save changes to Untitled?", mb::IdCancel},
      {"untitled no", false, false, mb::IdNo, false, "Save changes to Untitled?", mb::IdYes},
      {"untitled cancel", false, false, mb::IdCancel, false, "Save changes to Untitled?",
       mb::IdCancel},
      {"same file", true, false, mb::IdNo, false, "Save changes to radio.icf?", mb::IdYes},
      {"another file yes", true, true, mb::IdYes, true, "Save changes?", mb::IdCancel},
  };
  const std::string radio = Fixture("radio.icf");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rig_.boxes.Clear();
    if (c.named) Main().SetFileName(radio);
    else Main().SetFileName("");
    Edit();
    rig_.boxes.Answer(c.answer);
    const std::size_t dialogs = rig_.dialogs.Count();
    if (c.dialogCancelled) rig_.dialogs.Cancel();
    EXPECT_EQ(Main().ConfirmSaveChanges(c.askWriteFile), c.result);
    ASSERT_EQ(rig_.boxes.Count(), 1u);
    EXPECT_EQ(BoxText(0), QString::fromLatin1(c.question));
    EXPECT_EQ(rig_.boxes.Last().flags, mb::YesNoCancel | mb::IconWarning);
    EXPECT_EQ(rig_.dialogs.Count(), dialogs + (c.dialogCancelled ? 1u : 0u));
  }
}

TEST_F(FileCommandsTest, AYesSavesAndGoesOn) {
  const std::string path = Fixture("radio.icf");
  Open(path);
  Edit("SAVED");
  rig_.boxes.Answer(mb::IdYes);
  EXPECT_EQ(Main().ConfirmSaveChanges(false), mb::IdYes);
  EXPECT_FALSE(Main().IsModified());
  EXPECT_NE(kwtest::ReadAll(path).indexOf("534156454420"), -1);  // "SAVED " in a record
}

// --- New ----------------------------------------------------------------------

TEST_F(FileCommandsTest, NewGivesTheInitialImageUntitled) {
  Open(Fixture("radio.icf"));
  Edit();
  rig_.boxes.Answer(mb::IdNo);
  listNameEvents_ = 0;
  rig_.Press(CL_Menu_File_New, true);
  EXPECT_EQ(Main().Image(), Main().InitialImage());
  EXPECT_EQ(Main().InitialImage(),
            imagepass::BuildInitialImage(Main().SettingsDestination(), false));
  EXPECT_EQ(rig_.window->windowTitle(), QStringLiteral("Untitled - KW-3700"));
  EXPECT_FALSE(Main().IsModified());
  EXPECT_EQ(Main().DocumentRevision(), 3u);
  EXPECT_EQ(listNameEvents_, 1);
}

// --- Open -----------------------------------------------------------------------

TEST_F(FileCommandsTest, OpenTakesAGoodFileOfEachRevision) {
  for (int revision : {3, 2, 1}) {
    SCOPED_TRACE(revision);
    const std::string path = Fixture("good" + std::to_string(revision) + ".icf", revision);
    listNameEvents_ = 0;
    Open(path);
    EXPECT_EQ(rig_.boxes.Count(), 0u);
    EXPECT_EQ(Main().FileName(), path);
    EXPECT_FALSE(Main().IsModified());
    EXPECT_EQ(Main().DocumentRevision(), static_cast<std::uint32_t>(revision));
    EXPECT_EQ(rig_.env->Recent.GetName(0), path);
    EXPECT_EQ(rig_.env->CurrentDirectory, rig_.dir_.Path().toStdString());
    EXPECT_EQ(Main().DefaultFolder(), rig_.dir_.Path().toStdString());
    EXPECT_GE(listNameEvents_, 1);
    const QString name = QFileInfo(QString::fromStdString(path)).fileName();
    EXPECT_EQ(rig_.window->windowTitle(),
              name + (revision < 3 ? QStringLiteral(" [Old Form]") : QString()) +
                  QStringLiteral(" - KW-3700"));
    EXPECT_EQ(Main().Image().GetByte(layout::kLayoutByte), 3);
  }
  // Save As offers the filter of the document's revision.
  Open(Fixture("good2b.icf", 2));
  rig_.dialogs.Cancel();
  rig_.Press(CL_Menu_File_SaveAs);
  EXPECT_EQ(rig_.dialogs.Last().filterIndex, 2);
  EXPECT_EQ(rig_.dialogs.Last().fileName, QStringLiteral("good2b.icf"));
}

TEST_F(FileCommandsTest, ARefusedFileChangesNothing) {
  const std::string good = Fixture("good.icf");
  const QByteArray goodText = kwtest::ReadAll(good);
  // Another document open, modified, so that nothing may leak into it.
  Open(Fixture("before.icf"));
  Edit();
  const int firstRecord = goodText.indexOf("\r\n00000000") + 2;
  struct Case {
    const char* name;
    QByteArray what;  // text replaced in the good file ("" : no file at all)
    QByteArray with;
    const char* message;
  };
  const Case cases[] = {
      {"missing", "", "", "The file cannot be opened."},
      {"other model", "34840001", "34850001", "This file is for another model."},
      {"other kind", "34840001", "34840002", "This file is of an unknown kind."},
      {"unknown layout", "#MapRev=3", "#MapRev=0", "The memory layout of this file is not supported."},
      {"newer layout", "#MapRev=3", "#MapRev=4",
       "This file was made for a newer version of the transceiver."},
      {"damaged record", goodText.mid(firstRecord, 12), goodText.mid(firstRecord, 11) + "G",
       "The file is damaged or is not a data file."},
      {"record missing", goodText.mid(firstRecord, 76), "", "Some data is missing from the file."},
      {"bad check bits", "#EtcData=144011", "#EtcData=144010",
       "The destination setting of this file is not supported."},
      // The signature "QuorCloneFormat3" lies at 0x2A370 (the record at 0x2A360).
      {"bad signature", "51756F72436C6F6E65466F726D617433", "51756F72436C6F6E65466F726D617434",
       "The file holds data outside the memory area."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = rig_.Path(std::string(c.name) + ".icf");
    if (!c.what.isEmpty()) {
      ASSERT_TRUE(kwtest::EditFile(good, path, c.what, c.with));
    }
    rig_.boxes.Clear();
    rig_.boxes.Answer(mb::IdNo);  // "Save changes?": keep the open document
    rig_.boxes.Answer(mb::IdOk);
    const DocumentState before = State();
    EXPECT_EQ(Main().OpenIcfFile(path), 1);
    ASSERT_EQ(rig_.boxes.Count(), 2u);
    EXPECT_EQ(BoxText(1), QStringLiteral("File error.\n\n") + QString::fromLatin1(c.message));
    EXPECT_TRUE(State() == before);
  }
}

TEST_F(FileCommandsTest, AFileOfAnotherDestinationAsksFirst) {
  const std::string path = Fixture("dest0.icf", 3, dst_EtcData{0, 1, 1, 0});
  const DocumentState before = State();
  const QString question = QStringLiteral(
      "The file's destination differs from the setting.\n"
      "Yes: use it. No: keep the setting and open the file untitled.");

  rig_.boxes.Answer(mb::IdCancel);
  EXPECT_EQ(Main().OpenIcfFile(path), 1);
  EXPECT_EQ(BoxText(0), question);
  EXPECT_EQ(rig_.boxes.Last().flags, mb::YesNoCancel | mb::IconWarning | mb::DefButton2);
  EXPECT_TRUE(State() == before);

  rig_.boxes.Answer(mb::IdNo);
  EXPECT_EQ(Main().OpenIcfFile(path), 0);
  EXPECT_TRUE(Main().IsUntitled());
  EXPECT_TRUE(Main().IsModified());
  EXPECT_EQ(rig_.env->EtcData, kRigRecord);
  EXPECT_EQ(rig_.env->Recent.GetName(0), path);

  rig_.boxes.Answer(mb::IdNo);  // "Save changes?" of the untitled document
  rig_.boxes.Answer(mb::IdYes);
  EXPECT_EQ(Main().OpenIcfFile(path), 0);
  EXPECT_EQ(Main().FileName(), path);
  EXPECT_FALSE(Main().IsModified());
  EXPECT_EQ(rig_.env->EtcData.destination, 0u);
  EXPECT_EQ(Main().InitialImage(),
            imagepass::BuildInitialImage(Main().SettingsDestination(), false));
  EXPECT_EQ(rig_.boxes.Count(), 4u);
}

// A file saved before the setup names no destination: its data is loaded
// for the user's destination, which it never replaces.
TEST_F(FileCommandsTest, AFileWithoutDestinationKeepsTheSettings) {
  const std::string path = rig_.Path("none.icf");
  ASSERT_TRUE(kwtest::WriteFixtureFile(path, kwtest::DefaultDocumentImage(0), 3,
                                       dst_EtcData{16, 1, 0, 0}));
  ASSERT_NE(kwtest::ReadAll(path).indexOf("#EtcData=404010"), -1);
  EXPECT_EQ(Main().OpenIcfFile(path), 0);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
  EXPECT_EQ(rig_.env->EtcData, kRigRecord);
  EXPECT_TRUE(Main().IsUntitled());
  EXPECT_TRUE(Main().IsModified());
}

// --- Save and Save As -------------------------------------------------------------

TEST_F(FileCommandsTest, SaveRewritesANamedFileAndAsksForAName) {
  // Untitled: Save (the tool-bar button) opens the save dialog.
  rig_.dialogs.Cancel();
  rig_.Press(CL_Menu_File_Save, true);
  EXPECT_EQ(rig_.dialogs.Count(), 1u);
  EXPECT_EQ(rig_.dialogs.Last().kind, platform::FileDialogRequest::Kind::Save);
  EXPECT_EQ(rig_.dialogs.Last().fileName, QStringLiteral("Untitled"));
  EXPECT_EQ(rig_.dialogs.Last().filterIndex, 1);

  const std::string path = Fixture("radio.icf");
  Open(path);
  Edit("INPLACE");
  rig_.Press(CL_Menu_File_Save);
  EXPECT_EQ(rig_.dialogs.Count(), 2u);  // the open dialog only
  EXPECT_EQ(Main().FileName(), path);
  EXPECT_FALSE(Main().IsModified());
  EXPECT_NE(kwtest::ReadAll(path).indexOf("494E504C414345"), -1);  // "INPLACE"
  EXPECT_EQ(QDir(rig_.dir_.Path()).entryList(QDir::Files).size(), 1);
}

TEST_F(FileCommandsTest, AFailedWriteKeepsTheOldFileAndTheDocument) {
  const std::string path = Fixture("radio.icf");
  Open(path);
  Edit();
  const QByteArray old = kwtest::ReadAll(path);
  const DocumentState before = State();
  Main().SetDataFileWriteFault([](int line) { return line < 100; });
  rig_.boxes.Answer(mb::IdOk);
  rig_.Press(CL_Menu_File_Save);
  ASSERT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(BoxText(0), QStringLiteral("File error.\n\nThe file cannot be written."));
  EXPECT_EQ(kwtest::ReadAll(path), old);
  EXPECT_EQ(QDir(rig_.dir_.Path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  EXPECT_TRUE(State() == before);

  // Saving from the close question fails the same way: the window stays.
  rig_.boxes.Answer(mb::IdYes);
  rig_.boxes.Answer(mb::IdOk);
  EXPECT_EQ(Main().ConfirmSaveChanges(false), mb::IdCancel);
  EXPECT_EQ(kwtest::ReadAll(path), old);
}

// Each revision reopens as the document it left, list by list.
TEST_F(FileCommandsTest, SaveAsEachRevisionReopensEqual) {
  AddRepeaters(3);
  AddYourCalls(3);
  AddGpsMemories(3);
  Edit();
  ExpectNoMarks();
  for (int revision : {3, 2, 1}) {
    SCOPED_TRACE(revision);
    const std::string path = rig_.Path("each" + std::to_string(revision) + ".icf");
    if (revision != 3) rig_.boxes.Answer(mb::IdYes);
    SaveAs(path, revision);
    cmcEeprom saved = Main().Image();
    EXPECT_EQ(Main().DocumentRevision(), static_cast<std::uint32_t>(revision));
    ASSERT_EQ(Main().OpenIcfFile(path), 0);
    cmcEeprom reopened = Main().Image();
    for (std::uint32_t kind : {itemkind::kChannel, itemkind::kScanEdge, itemkind::kRepeater,
                               itemkind::kYourCall, itemkind::kGpsMemory}) {
      const std::uint32_t last = kind == itemkind::kChannel || kind == itemkind::kScanEdge
                                     ? datCh::KindMax(kind)
                                     : 2;
      for (std::uint32_t i = datCh::KindMin(kind); i <= last; ++i) {
        datCh a(&saved), b(&reopened);
        a.Load(kind, i);
        b.Load(kind, i);
        ASSERT_EQ(a.freq, b.freq) << kind << " " << i;
        ASSERT_EQ(a.name, b.name) << kind << " " << i;
        ASSERT_EQ(a.flags, b.flags) << kind << " " << i;
        ASSERT_EQ(a.rptCall, b.rptCall) << kind << " " << i;
        ASSERT_EQ(a.urCall, b.urCall) << kind << " " << i;
        ASSERT_EQ(a.gpsName, b.gpsName) << kind << " " << i;
      }
    }
    EXPECT_EQ(GetRptTotalCount(reopened), 3);
    EXPECT_EQ(GetYourCallCount(reopened), 3);
    EXPECT_EQ(GpsOrderCount(reopened), 3);
    EXPECT_TRUE(std::equal(saved.Data() + layout::kCommonSettings,
                           saved.Data() + layout::kCloneLast + 1,
                           reopened.Data() + layout::kCommonSettings));
  }
}

TEST_F(FileCommandsTest, AnOldFormatAsksWithItsNameAndNoChoosesAgain) {
  const std::string path = rig_.Path("old.icf");
  rig_.dialogs.Choose(QString::fromStdString(path), MemMapRevisionPos(2));
  rig_.dialogs.Choose(QString::fromStdString(path), MemMapRevisionPos(1));
  rig_.boxes.Answer(mb::IdNo);
  rig_.boxes.Answer(mb::IdCancel);
  const DocumentState before = State();
  rig_.Press(CL_Menu_File_SaveAs);
  ASSERT_EQ(rig_.boxes.Count(), 2u);
  EXPECT_TRUE(BoxText(0).startsWith(QStringLiteral(
      "Save in the old format 1.10?\nData it cannot hold is lost.\nNo: choose another format.")));
  EXPECT_TRUE(BoxText(1).startsWith(QStringLiteral("Save in the old format 1.00 - 1.05?")));
  EXPECT_EQ(rig_.boxes.Last().flags, mb::YesNoCancel | mb::IconWarning | mb::DefButton2);
  EXPECT_EQ(rig_.dialogs.Count(), 2u);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
  EXPECT_TRUE(State() == before);
}

// The old-format question says what goes before anything is lost.
TEST_F(FileCommandsTest, TheOldFormatQuestionListsTheLosses) {
  // A document as a file of revision 2 gives it: the old layout holds all
  // its settings.
  ASSERT_EQ(Main().OpenIcfFile(Fixture("base2.icf", 2)), 0);
  const std::string same = rig_.Path("same.icf");
  rig_.boxes.Answer(mb::IdCancel);
  SaveAs(same, 2);
  ASSERT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(BoxText(0), QStringLiteral("Save in the old format 1.10?\nData it cannot hold is "
                                       "lost.\nNo: choose another format."));

  // Beyond the old capacities: 1201 repeaters, 201 your-call signs, 201 GPS
  // memories in reverse slot order, a used channel with tone mode 8.
  AddRepeaters(1201);
  AddYourCalls(201);
  AddGpsMemories(201);
  cmcEeprom& image = Main().Image();
  datCh ch(&image);
  ch.Load(itemkind::kChannel, 7);
  ch.flags |= datCh::kUsed;
  ch.toneMode = 8;
  ASSERT_TRUE(ch.StoreSelf());
  ASSERT_EQ(GpsOrderCount(image), 201);
  Main().SetModified();
  ExpectNoMarks();

  const std::string lossy = rig_.Path("lossy.icf");
  rig_.boxes.Clear();
  rig_.boxes.Answer(mb::IdYes);
  SaveAs(lossy, 2);
  ASSERT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(BoxText(0), QStringLiteral("Save in the old format 1.10?\nData it cannot hold is "
                                       "lost.\nNo: choose another format.\n\nLost:\n"
                                       " - 1 repeaters\n - 1 your call signs\n"
                                       " - 1 GPS memories\n - 1 memory channels changed"));
  // The document is what the file holds: the last GPS memory in list order
  // (the first one inserted) is gone.
  EXPECT_EQ(GetRptTotalCount(Main().Image()), 1200);
  EXPECT_EQ(GetYourCallCount(Main().Image()), 200);
  ASSERT_EQ(GpsOrderCount(Main().Image()), 200);
  datCh first(&Main().Image()), last(&Main().Image());
  first.Load(itemkind::kGpsMemory, 0);
  last.Load(itemkind::kGpsMemory, 199);
  EXPECT_EQ(std::string(first.gpsName.data(), 6), "GPS200");
  EXPECT_EQ(std::string(last.gpsName.data(), 6), "GPS001");
  datCh toned(&Main().Image());
  toned.Load(itemkind::kChannel, 7);
  EXPECT_EQ(toned.toneMode, 0u);
  EXPECT_EQ(Main().FileName(), lossy);
  EXPECT_EQ(Main().DocumentRevision(), 2u);
}

// --- recent files -----------------------------------------------------------

TEST_F(FileCommandsTest, TheRecentListKeepsTheOpenedFilesOverARestart) {
  const std::string a = Fixture("a.icf");
  const std::string b = Fixture("b.icf");
  Open(a);
  Open(b);
  ASSERT_EQ(rig_.env->Recent.Count(), 2);
  EXPECT_EQ(rig_.env->Recent.GetName(0), b);
  EXPECT_EQ(rig_.env->Recent.GetName(1), a);

  ASSERT_TRUE(QFile::remove(QString::fromStdString(a)));
  rig_.boxes.Answer(mb::IdOk);
  const DocumentState before = State();
  EXPECT_EQ(Main().OpenIcfFile(a), 1);
  EXPECT_EQ(BoxText(0), QStringLiteral("File error.\n\nThe file cannot be opened."));
  EXPECT_TRUE(State() == before);

  // A restart: the window and the controller go, the settings are written
  // when their object goes, and read again by the next one.
  rig_.TakeDown();
  rig_.env.reset();
  const auto restarted = rig_.NewEnviron();
  ASSERT_EQ(restarted->Recent.Count(), 2);
  EXPECT_EQ(restarted->Recent.GetName(0), b);
  EXPECT_EQ(restarted->Recent.GetName(1), a);
  EXPECT_EQ(restarted->CurrentDirectory, rig_.dir_.Path().toStdString());
}

}  // namespace
