#include "platform/FileDialogService.h"

#include <gtest/gtest.h>

#include "support/ScriptedFileDialogs.h"

using platform::FileDialogRequest;

TEST(FileDialogFilterTest, TableFiltersBecomeQtNameFilters) {
  struct Case {
    const char* filter;
    QStringList qt;
  };
  const Case cases[] = {
      {"Data files (*.icf)|*.icf|All files (*.*)|*.*", {"Data files (*.icf)", "All files (*)"}},
      {"CSV (*.csv)|*.csv", {"CSV (*.csv)"}},
      {"Text and CSV|*.txt;*.csv", {"Text and CSV (*.txt *.csv)"}},
      {"Everything|", {"Everything (*)"}},
      {"", {}},
      {"|*.icf", {"*.icf"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::ToQtNameFilters(platform::ParseFileFilter(c.filter)), c.qt) << c.filter;
}

TEST(FileDialogFilterTest, IndexAndDefaultExtension) {
  const QStringList filters = {"Data files (*.icf)", "All files (*)"};
  EXPECT_EQ(platform::QtNameFilterIndex(filters, "All files (*)"), 2);
  EXPECT_EQ(platform::QtNameFilterIndex(filters, "Other"), 1);
  const std::pair<const char*, const char*> cases[] = {
      {"/d/name", "/d/name.icf"},
      {"/d/name.icf", "/d/name.icf"},
      {"/d/name.csv", "/d/name.csv"},
      {"/d.x/name", "/d.x/name.icf"},
      {"", ""},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(platform::WithDefaultExtension(in, "icf"), out) << in;
  EXPECT_EQ(platform::WithDefaultExtension("/d/name", ""), "/d/name");
}

TEST(FileDialogServiceTest, HeadlessCancelsAndScriptsAnswerInOrder) {
  FileDialogRequest request;
  request.filterIndex = 2;
  const auto headless = platform::FileDialogs().Run(request);
  EXPECT_FALSE(headless.accepted);
  EXPECT_EQ(headless.filterIndex, 2);
  {
    kwtest::ScriptedFileDialogs script;
    script.Choose("/d/a.icf", 1);
    script.Cancel();
    request.kind = FileDialogRequest::Kind::Save;
    request.folder = "/d";
    const auto first = platform::FileDialogs().Run(request);
    EXPECT_TRUE(first.accepted);
    EXPECT_EQ(first.path, "/d/a.icf");
    EXPECT_EQ(first.filterIndex, 1);
    const auto second = platform::FileDialogs().Run(request);
    EXPECT_FALSE(second.accepted);
    EXPECT_EQ(second.filterIndex, 2);
    ASSERT_EQ(script.Count(), 2u);
    EXPECT_EQ(script.Last().folder, "/d");
  }
  EXPECT_FALSE(platform::FileDialogs().Run(request).accepted);
}
