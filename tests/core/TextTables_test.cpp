// kw-test: label=texts
// The built-in tables keep their shape, and every key the code asks for is
// registered and present: the check runs over the generated line arrays and
// over the program's own sources.
#include "resources/text/TextTables.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/TextKeys.h"
#include "core/cmcGTex.h"
#include "support/BuiltInTextTables.h"

namespace {

using Named = kwtest::NamedTextTable;
constexpr const auto& kTables = kwtest::kBuiltInTextTables;

std::vector<std::string> Lines(const kwres::LineArray& a) {
  return std::vector<std::string>(a.lines, a.lines + a.count);
}

bool IsKey(const std::string& l) { return l.size() >= 2 && l[0] == '#'; }

std::vector<std::string> Keys(const kwres::LineArray& a) {
  std::vector<std::string> keys;
  for (const std::string& l : Lines(a))
    if (IsKey(l)) keys.push_back(l.substr(1));
  return keys;
}

// Key -> its block (values up to the next key line).
std::map<std::string, std::vector<std::string>> Blocks(const kwres::LineArray& a) {
  std::map<std::string, std::vector<std::string>> blocks;
  std::vector<std::string>* current = nullptr;
  for (const std::string& l : Lines(a)) {
    if (IsKey(l))
      current = &blocks[l.substr(1)];
    else if (current)
      current->push_back(l);
  }
  return blocks;
}

std::set<std::string> Set(const kwres::LineArray& a) {
  const auto l = Lines(a);
  return std::set<std::string>(l.begin(), l.end());
}

TEST(TextTables, ShapeOfEachTable) {
  for (const Named& t : kTables) {
    SCOPED_TRACE(t.name);
    const auto lines = Lines(*t.table);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "");
    EXPECT_EQ(lines.back(), "#End_Of_Ovl");
    const auto keys = Keys(*t.table);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "End_Of_Ovl"), 1);
    std::set<std::string> seen;
    for (const std::string& k : keys) EXPECT_TRUE(seen.insert(k).second) << "duplicate key " << k;
  }
}

TEST(TextTables, SameKeysInTheSameOrder) {
  const auto english = Keys(kwres::kTextEnglish);
  EXPECT_EQ(Keys(kwres::kTextJapanese), english);
  EXPECT_EQ(Keys(kwres::kTextMixed), english);
}

TEST(TextTables, NeutralAndMixedKeysAreWhatTheTablesHold) {
  const auto en = Blocks(kwres::kTextEnglish);
  const auto ja = Blocks(kwres::kTextJapanese);
  const auto mixed = Blocks(kwres::kTextMixed);
  const auto neutral = Set(kwres::kTextNeutralKeys);
  const auto mixedEnglish = Set(kwres::kTextMixedEnglishKeys);
  for (const std::string& k : neutral) EXPECT_TRUE(en.count(k)) << "neutral key " << k;
  for (const std::string& k : mixedEnglish) EXPECT_TRUE(en.count(k)) << "mixed key " << k;
  for (const auto& [key, block] : en) {
    if (key == "End_Of_Ovl") continue;
    // Each key is either Japanese (and then not an English copy) or neutral.
    if (neutral.count(key))
      EXPECT_EQ(ja.at(key), block) << key;
    else
      EXPECT_NE(ja.at(key), block) << key << " is an English copy in the Japanese table";
    EXPECT_EQ(mixed.at(key), mixedEnglish.count(key) ? block : ja.at(key)) << key;
  }
}

TEST(TextTables, ApplicationTitleIsTheSameEverywhere) {
  for (const Named& t : kTables) {
    cmcGTex gtex;
    gtex.SetSource(*t.table);
    EXPECT_EQ(gtex.GetFirst("GI_Sys_AppTitle"), "KW-3700") << t.name;
  }
}

TEST(TextTables, RegistryMatchesFixedKeysAndBaseStems) {
  EXPECT_TRUE(IsRegisteredTextKey("GI_Sys_AppTitle"));
  EXPECT_TRUE(IsRegisteredTextKey("CellModel_"));         // the stem of CellModel_*
  EXPECT_FALSE(IsRegisteredTextKey("CellModel_Basic_"));  // not a registered stem
  EXPECT_FALSE(IsRegisteredTextKey("GI_Sys_AppTitl"));
  EXPECT_FALSE(IsRegisteredTextKey(""));
}

TEST(TextTables, EveryRegisteredKeyIsPresent) {
  const auto keys = Keys(kwres::kTextEnglish);
  const std::set<std::string> present(keys.begin(), keys.end());
  const auto registry = RegisteredTextKeys();
  EXPECT_TRUE(std::is_sorted(registry.begin(), registry.end()));
  for (const std::string& entry : registry) {
    if (entry.back() == '*') continue;
    EXPECT_TRUE(present.count(entry)) << "registered key " << entry << " is missing";
  }
}

// Every "GI_..." or "CellModel_..." literal in the program's sources is a
// registered key, the stem of a registered composed-key base, or a key of the
// help-topic map.
TEST(TextTables, SourceScanFindsNoUnregisteredKeyLiteral) {
  const auto helpKeys = Keys(kwres::kHelpTopicMap);
  const std::set<std::string> helpMap(helpKeys.begin(), helpKeys.end());
  const QRegularExpression literal(QStringLiteral("\"((?:GI_|CellModel_)[A-Za-z0-9_%]*)\""));
  int files = 0;
  for (const char* folder : {"platform", "core", "model", "clone", "sheet", "cells", "app"}) {
    QDirIterator it(QStringLiteral(KW_SOURCE_DIR "/") + QLatin1String(folder),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
      ++files;
      int lineNo = 0;
      while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        ++lineNo;
        auto matches = literal.globalMatch(line);
        while (matches.hasNext()) {
          const std::string key = matches.next().captured(1).toStdString();
          EXPECT_TRUE(IsRegisteredTextKey(key) || helpMap.count(key))
              << path.toStdString() << ":" << lineNo << ": \"" << key
              << "\" is not in any resources/text/<area>.keys.txt";
        }
      }
    }
  }
  EXPECT_GT(files, 0);
}

}  // namespace
