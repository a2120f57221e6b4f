// kw-test: label=texts
// kw-test: link=kw_textgen_lib
// The table generator refuses bad sources, naming file and line.
#include "TextGen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/ScratchDir.h"

namespace {

struct File {
  const char* name;
  std::string bytes;
};

struct Result {
  std::string source;
  std::vector<std::string> errors;
};

Result Generate(const std::vector<File>& files) {
  kwtest::ScratchDir dir;
  std::filesystem::create_directories(dir.FileStd("helpmap"));
  for (const File& f : files) {
    std::ofstream out(dir.FileStd(f.name), std::ios::binary);
    out << f.bytes;
  }
  textgen::Diagnostics diag;
  diag.SetEcho(false);
  Result r;
  r.source = textgen::Generate(dir.Path().toStdString(), diag);
  for (const std::string& m : diag.Messages()) {
    // Keep the file name and what follows; the scratch folder differs per run.
    const auto slash = m.rfind('/', m.find(": error:"));
    r.errors.push_back(slash == std::string::npos ? m : m.substr(slash + 1));
  }
  return r;
}

const File kGoodEn{"a.en.txt", "#K\nText\n#N\n12\n"};
const File kGoodJa{"a.ja.txt", "#K\n\xe6\x96\x87\xe5\xad\x97\n"};  // 文字
const File kGoodNeutral{"a.neutral.txt", "# numbers\nN\n"};

TEST(TextGen, GoodSourcesGiveTablesWithCounts) {
  const Result r = Generate({kGoodEn,
                             kGoodJa,
                             kGoodNeutral,
                             {"a.mixed.txt", "K\n"},
                             {"a.keys.txt", "K\nGI_Base_*\n"},
                             {"b.en.txt", "#Deg\n10\\xB0 \\xB7 \\x41\n"},
                             {"b.neutral.txt", "Deg\n"}});
  ASSERT_TRUE(r.errors.empty()) << r.errors.front();
  // English: empty first line, area a then b, end key; 0xB0/0xB7 escapes.
  EXPECT_NE(
      r.source.find("kTextEnglishLines[] = {\n    \"\",\n    \"#K\",\n    \"Text\",\n"
                    "    \"#N\",\n    \"12\",\n    \"#Deg\",\n    \"10\\260 \\267 \\\\x41\",\n"
                    "    \"#End_Of_Ovl\",\n};"),
      std::string::npos)
      << r.source;
  EXPECT_NE(r.source.find("kTextEnglish = {kTextEnglishLines, 8}"), std::string::npos);
  // Japanese in CP932 (95 B6 8E 9A), neutral copied; mixed takes K from English.
  EXPECT_NE(r.source.find("\"#K\",\n    \"\\225\\266\\216\\232\",\n    \"#N\",\n    \"12\""),
            std::string::npos);
  EXPECT_NE(r.source.find("kTextMixedLines[] = {\n    \"\",\n    \"#K\",\n    \"Text\","),
            std::string::npos);
  EXPECT_NE(r.source.find("\"GI_Base_*\""), std::string::npos);
}

TEST(TextGen, LinesAreKeptByteExact) {
  // Leading and trailing blanks and tabs, empty values and a backslash that
  // is no escape all reach the table as they stand.
  const Result r = Generate({{"a.en.txt", "#Old\n [Old Form]\n#Tab\n\tx \n\n#Path\nC:\\x\\xb7\n"},
                             {"a.neutral.txt", "Old\nTab\nPath\n"}});
  ASSERT_TRUE(r.errors.empty()) << r.errors.front();
  EXPECT_NE(r.source.find("\"#Old\",\n    \" [Old Form]\",\n    \"#Tab\",\n    \"\\011x \",\n"
                          "    \"\",\n    \"#Path\",\n    \"C:\\\\x\\267\",\n"),
            std::string::npos)
      << r.source;
}

TEST(TextGen, BadSourcesNameFileAndLine) {
  const std::string longLine(8192, 'x');
  struct Case {
    const char* what;
    std::vector<File> files;
    const char* error;
  } cases[] = {
      {"carriage return",
       {{"a.en.txt", "#K\nText\r\n"}, kGoodNeutral},
       "a.en.txt:2: error: carriage return"},
      {"no CP932 byte",
       {{"a.en.txt", "#K\n5 \xe2\x82\xac\n"}},
       "a.en.txt:2: error: character '\xe2\x82\xac'"},
      {"line too long",
       {{"a.en.txt", "#K\n" + longLine + "\n"}},
       "a.en.txt:2: error: line of 8192 bytes"},
      {"invalid UTF-8", {{"a.en.txt", "#K\n\xff\n"}}, "a.en.txt:2: error: invalid UTF-8"},
      {"text before a key",
       {{"a.en.txt", "stray\n#K\nx\n"}, {"a.neutral.txt", "K\n"}},
       "a.en.txt:1: error: text before the first key line"},
      {"duplicate across areas",
       {kGoodEn, kGoodJa, kGoodNeutral, {"b.en.txt", "#K\nagain\n"}},
       "b.en.txt:1: error: duplicate key 'K'"},
      {"missing Japanese",
       {kGoodEn, kGoodNeutral},
       "a.en.txt:1: error: key 'K' has no Japanese text"},
      {"English copy",
       {kGoodEn, {"a.ja.txt", "#K\nText\n"}, kGoodNeutral},
       "a.ja.txt:1: error: key 'K' is identical to English"},
      {"unknown Japanese key",
       {kGoodEn, kGoodJa, kGoodNeutral, {"a.ja.txt", "#K\n\xe6\x96\x87\n#Z\nz\n"}},
       "a.ja.txt:3: error: key 'Z' is not in"},
      {"list end only in English",
       {{"a.en.txt", "#L\nx\ny\n#\n"}, {"a.ja.txt", "#L\n\xe6\x96\x87\n"}},
       "a.ja.txt:1: error: key 'L' must end its values with a lone"},
      {"neutral and Japanese",
       {kGoodEn, kGoodJa, {"a.neutral.txt", "N\nK\n"}},
       "a.ja.txt:1: error: key 'K' is declared neutral"},
      {"unknown mixed key",
       {kGoodEn, kGoodJa, kGoodNeutral, {"a.mixed.txt", "\nQ\n"}},
       "a.mixed.txt:2: error: mixed-table English key 'Q'"},
      {"end key in a source",
       {{"a.en.txt", "#End_Of_Ovl\n"}},
       "a.en.txt:1: error: \"#End_Of_Ovl\" is added"},
      {"unregistered key missing",
       {kGoodEn, kGoodJa, kGoodNeutral, {"a.keys.txt", "GI_Gone\n"}},
       "error: registered key 'GI_Gone' is in no area"},
      {"help row without a tab",
       {{"helpmap/x.txt", "#GI_AppItem_Topic_ID\nCL_A IDH1\n#\n"}},
       "x.txt:2: error: help-map row"},
      {"help section not closed",
       {{"helpmap/x.txt", "#GI_AppItem_Context_ID\nIDH1\t1\n"}},
       "x.txt:1: error: section 'GI_AppItem_Context_ID' is not closed"},
      {"bad file name",
       {kGoodEn, kGoodJa, kGoodNeutral, {"a.fr.txt", "#K\nTexte\n"}},
       "a.fr.txt:0: error: unknown kind 'fr'"},
  };
  for (const Case& c : cases) {
    const Result r = Generate(c.files);
    EXPECT_TRUE(r.source.empty()) << c.what;
    bool found = false;
    for (const std::string& e : r.errors) found = found || e.find(c.error) == 0;
    EXPECT_TRUE(found) << c.what << ": wanted \"" << c.error << "\", got "
                       << (r.errors.empty() ? std::string("no error") : r.errors.front());
  }
}

// A generated area in a second folder joins the written ones in name order;
// an area name in both folders is refused.
TEST(TextGen, ReadsAreasFromSeveralFolders) {
  kwtest::ScratchDir written, generated;
  auto put = [](const kwtest::ScratchDir& dir, const std::string& name, const std::string& text) {
    std::ofstream out(dir.FileStd(name), std::ios::binary);
    out << text;
  };
  put(written, "b.en.txt", "#B\n1\n");
  put(written, "b.neutral.txt", "B\n");
  put(generated, "a.en.txt", "#A\n2\n");
  put(generated, "a.neutral.txt", "A\n");
  put(generated, "a.keys.txt", "A\n");
  textgen::Diagnostics diag;
  diag.SetEcho(false);
  const std::string source = textgen::Generate(
      std::vector<std::string>{written.Path().toStdString(), generated.Path().toStdString()}, diag);
  ASSERT_FALSE(diag.Failed()) << diag.Messages().front();
  EXPECT_NE(source.find("\"#A\",\n    \"2\",\n    \"#B\""), std::string::npos) << source;

  put(generated, "b.en.txt", "#C\n3\n");
  textgen::Diagnostics twice;
  twice.SetEcho(false);
  EXPECT_TRUE(textgen::Generate(std::vector<std::string>{written.Path().toStdString(),
                                                         generated.Path().toStdString()},
                                twice)
                  .empty());
  ASSERT_TRUE(twice.Failed());
  EXPECT_NE(twice.Messages().front().find("area 'b' is also in"), std::string::npos)
      << twice.Messages().front();
}

}  // namespace
