#include "core/cmcRecent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Entries(cmcRecent& r) {
  std::vector<std::string> out;
  for (std::int32_t i = 0; i < r.Count(); ++i) out.push_back(r.GetName(i));
  return out;
}

}  // namespace

TEST(cmcRecentTest, AddingMovesAnEqualNameAndKeepsTheCapacity) {
  cmcRecent r(10);
  r.AddTop("/d/a.icf");
  r.AddTop("/d/b.icf");
  r.AddTop("/d/a.icf");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"/d/a.icf", "/d/b.icf"}));
  // Linux names are case-sensitive: another spelling is another file.
  r.AddTop("/d/A.ICF");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"/d/A.ICF", "/d/a.icf", "/d/b.icf"}));

  cmcRecent full(10);
  for (int i = 0; i < 11; ++i) full.AddTop("/f" + std::to_string(i) + ".icf");
  EXPECT_EQ(full.Count(), 10);
  EXPECT_EQ(full.GetName(0), "/f10.icf");
  EXPECT_EQ(full.GetName(9), "/f1.icf");

  cmcRecent appended(3);
  for (const char* n : {"/a", "/b", "/a", "/c", "/d"}) appended.Append(n);
  EXPECT_EQ(Entries(appended), (std::vector<std::string>{"/b", "/a", "/c"}));
}

TEST(cmcRecentTest, EmptyNamesAreNeverKept) {
  cmcRecent r(10);
  for (const char* n : {"/d/a.icf", "", "/d/b.icf"}) r.Append(n);
  r.AddTop("");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"/d/a.icf", "/d/b.icf"}));
  r.Remove("/d/a.icf");
  EXPECT_EQ(Entries(r), (std::vector<std::string>{"/d/b.icf"}));
  r.Clear();
  EXPECT_EQ(r.Count(), 0);
}

TEST(cmcRecentTest, DisplayShowsTheBareNameInTheGivenFolder) {
  cmcRecent r(10);
  r.Append("/d/a.icf");
  r.Append("/a.icf");
  r.Append("rel.icf");
  r.Append("/d\\x/c:d.icf");
  struct Case {
    std::int32_t index;
    const char* folder;
    const char* shown;
  };
  const Case cases[] = {
      {0, "/d", "a.icf"},         {0, "/d/", "a.icf"},     {0, "/d//", "a.icf"},
      {0, "/D", "/d/a.icf"},      {0, "/", "/d/a.icf"},    {0, "", "/d/a.icf"},
      {1, "/", "a.icf"},          {1, "", "/a.icf"},        // saved and shown as the full path
      {2, "", "rel.icf"},         {3, "/d\\x", "c:d.icf"},  // "\" and ":" are name characters
      {3, "/d", "/d\\x/c:d.icf"}, {4, "/d", ""},           {-1, "/d", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(r.GetDisplay(c.index, c.folder), c.shown) << c.index << " in " << c.folder;
}

TEST(cmcRecentTest, FolderOfAPath) {
  const std::pair<const char*, const char*> cases[] = {
      {"/d/a.icf", "/d"}, {"/a.icf", "/"}, {"a.icf", ""}, {"/d/e/", "/d/e"}, {"//a", "/"},
  };
  for (const auto& [path, folder] : cases) EXPECT_EQ(cmcRecent::FolderOf(path), folder) << path;
}
