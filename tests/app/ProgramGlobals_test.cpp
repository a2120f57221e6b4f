// kw-test: gui
// The program's globals as main() builds them, over scratch settings, an
// injected system and a version file beside the "program".
#include "app/ProgramGlobals.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <memory>

#include "app/MainController.h"
#include "app/cuiMain.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/LocaleInfo.h"
#include "platform/StandardFolders.h"
#include "sheet/cmcCellObj.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

constexpr char kKey[] = "Software\\Quor\\KW-3700";

TEST(ProgramGlobalsTest, BuiltInOrderTheyGiveTheDocumentItsFormatsAndParseTheTables) {
  kwtest::ScratchDir dir;
  kwtest::ScriptedMessageBoxes boxes;
  ASSERT_TRUE(QDir().mkpath(dir.File(QStringLiteral("prog"))));
  QFile version(dir.File(QStringLiteral("prog/KW3700.dat")));
  ASSERT_TRUE(version.open(QIODevice::WriteOnly));
  version.write("1.31\r\n2016-2026\r\n");
  version.close();
  platform::ScopedStandardFolders folders(
      {dir.FileStd("docs"), dir.FileStd("prog"), dir.FileStd("cwd")});

  platform::LocaleInfo system;  // a German system
  system.languageId = 0x0407;
  system.shortDateFormat = "dd.MM.yyyy";
  system.dateSeparator = '.';
  system.decimal = ',';
  system.listSeparator = ',';
  platform::ScopedLocaleInfo systemScope(system);

  const indEnviron::Options o = kwtest::ScratchEnvironOptions(dir);
  indEnviron env(indEnviron::kMutexName, kKey, kKey, o);
  env.Language = 1;  // Japanese
  {
    ProgramGlobals globals(env);
    cuiMain& main = Controller();
    EXPECT_EQ(&main, &globals.Controller());
    EXPECT_EQ(main.VersionText(), "1.31");
    EXPECT_EQ(main.YearsText(), "2016-2026");
    EXPECT_EQ(main.GetDateOrder(), DateOrder::DayMonthYear);
    EXPECT_EQ(main.ShortDateFormat(), "dd.mm.yyyy");
    EXPECT_EQ(main.CsvDecimal(), ',');
    EXPECT_EQ(main.CsvSeparator(), ';');
    EXPECT_EQ(CurrentTextTable(), TextTable::Mixed);
    EXPECT_EQ(EvMan().ListenerCount(), 2) << "the controller's two listeners";

    const std::string_view row =
        "{($iChN)(@ch0=0)}\\(@ch0)|{($eWh)(%CT_Conv.CL_Mch_Freq[@ch0])}9999.999999";
    CellVariables variables{};
    cmcCellObj number;
    const std::string_view rest = number.Parse(row, globals.Texts(), &variables, nullptr);
    EXPECT_EQ(number.GetCaption(), "0");
    EXPECT_FALSE(number.IsDataCell());
    cmcCellObj data;
    EXPECT_EQ(data.Parse(rest, globals.Texts(), &variables, nullptr), "");
    EXPECT_TRUE(data.IsDataCell());
    EXPECT_EQ(data.GetCellId(), (CellIdRecord{2, 230, 0}));
    EXPECT_EQ(data.GetCaption(), "9999.999999");
  }
  // Gone in reverse: the controller left the bus before the bus went.
  EXPECT_EQ(ControllerIfInstalled(), nullptr);
  EXPECT_EQ(EvManIfInstalled(), nullptr);
  SelectTextTable(*std::make_unique<cmcGTex>(), TextTable::English);
}

}  // namespace
