// The help bundles shipped with the program: both languages have the same
// pages, every context of the help-topic map leads to a page and anchor in
// both, and every link between pages resolves.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <set>
#include <string>

#include "app/cuiHtmlHelpBundle.h"
#include "resources/text/TextTables.h"

namespace {

const QString kHelpRoot = QStringLiteral(KW_SOURCE_DIR "/resources/help/");

QString ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

bool HasAnchor(const QString& page, const QString& anchor) {
  const QString html = ReadAll(page);
  return html.contains("name=\"" + anchor + "\"") && html.contains("id=\"" + anchor + "\"");
}

// Context numbers of the help-topic map, and the topic ids of its first
// section that have no context row.
struct HelpMap {
  std::set<int> contexts;
  std::set<std::string> topicsWithoutContext;
};

HelpMap ReadHelpMap() {
  std::set<std::string> topics;
  std::map<std::string, int> contextOf;
  int section = 0;
  for (std::size_t i = 0; i < kwres::kHelpTopicMap.count; ++i) {
    const std::string line = kwres::kHelpTopicMap.lines[i];
    if (line == "#GI_AppItem_Topic_ID") {
      section = 1;
      continue;
    }
    if (line == "#GI_AppItem_Context_ID") {
      section = 2;
      continue;
    }
    if (line.empty() || line[0] == '#') {
      section = 0;
      continue;
    }
    const auto tab = line.find('\t');
    if (tab == std::string::npos) continue;
    if (section == 1) topics.insert(line.substr(tab + 1));
    if (section == 2) contextOf[line.substr(0, tab)] = std::stoi(line.substr(tab + 1));
  }
  HelpMap map;
  for (const auto& [topic, number] : contextOf) map.contexts.insert(number);
  for (const std::string& t : topics)
    if (!contextOf.count(t)) map.topicsWithoutContext.insert(t);
  return map;
}

TEST(HelpBundle, BothLanguagesHoldTheSameFiles) {
  const QStringList en = QDir(kHelpRoot + "en").entryList(QDir::Files, QDir::Name);
  const QStringList ja = QDir(kHelpRoot + "ja").entryList(QDir::Files, QDir::Name);
  EXPECT_EQ(en, ja);
  EXPECT_TRUE(en.contains("index.html"));
  EXPECT_TRUE(en.contains("contexts.txt"));
  EXPECT_GE(en.size(), 10);
  // The same context rows in both.
  EXPECT_EQ(ReadAll(kHelpRoot + "en/contexts.txt"), ReadAll(kHelpRoot + "ja/contexts.txt"));
}

TEST(HelpBundle, TheBuildPutsBothBundlesBesideTheProgram) {
  // The program looks for its help files in its own folder.
  for (const char* name : {"KW3700_ENG.chm", "KW3700_JPN.chm"}) {
    const QString bundle = QStringLiteral(KW_PROGRAM_DIR "/") + name;
    const QString source = kHelpRoot + (QString(name).contains("ENG") ? "en" : "ja");
    EXPECT_EQ(QDir(bundle).entryList(QDir::Files, QDir::Name),
              QDir(source).entryList(QDir::Files, QDir::Name))
        << bundle.toStdString();
  }
}

TEST(HelpBundle, EveryContextOfTheMapResolvesInBothLanguages) {
  const HelpMap map = ReadHelpMap();
  EXPECT_TRUE(map.topicsWithoutContext.empty()) << *map.topicsWithoutContext.begin();
  EXPECT_TRUE(map.contexts.count(1));
  EXPECT_TRUE(map.contexts.count(2));
  EXPECT_FALSE(map.contexts.count(0));
  for (const char* lang : {"en", "ja"}) {
    SCOPED_TRACE(lang);
    cuiHtmlHelpBundle bundle;
    ASSERT_TRUE(bundle.Open(kHelpRoot + lang));
    for (int context : map.contexts) {
      SCOPED_TRACE(context);
      const auto url = bundle.ContextUrl(context);
      ASSERT_TRUE(url.has_value());
      ASSERT_FALSE(url->fragment().isEmpty());
      EXPECT_TRUE(HasAnchor(url->toLocalFile(), url->fragment()));
    }
    // Rows of the bundle's own map resolve too.
    for (const auto& [context, target] : bundle.Contexts()) {
      SCOPED_TRACE(context);
      EXPECT_GT(context, 0);
      const auto url = bundle.ContextUrl(context);
      ASSERT_TRUE(url.has_value());
      EXPECT_TRUE(HasAnchor(url->toLocalFile(), url->fragment()));
    }
  }
}

TEST(HelpBundle, EveryLinkResolvesInsideTheBundle) {
  static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
  for (const char* lang : {"en", "ja"}) {
    cuiHtmlHelpBundle bundle;
    ASSERT_TRUE(bundle.Open(kHelpRoot + lang));
    const QDir dir(bundle.Folder());
    for (const QString& page : dir.entryList({"*.html"}, QDir::Files)) {
      const QString html = ReadAll(dir.filePath(page));
      auto it = href.globalMatch(html);
      while (it.hasNext()) {
        const QString link = it.next().captured(1);
        SCOPED_TRACE((QString(lang) + "/" + page + " -> " + link).toStdString());
        const QUrl url = QUrl::fromLocalFile(dir.filePath(page)).resolved(QUrl(link));
        EXPECT_TRUE(bundle.Contains(url));
        if (url.hasFragment()) {
          EXPECT_TRUE(HasAnchor(url.toLocalFile(), url.fragment()));
        }
      }
    }
  }
}

TEST(HelpBundle, ContextLinesThatDoNotParseAreSkipped) {
  const auto rows = cuiHtmlHelpBundle::ParseContexts(
      "1\ta.html#x\r\n"
      "2\tb.html\n"
      "\n"
      "three\tc.html\n"
      "0\tzero.html\n"
      "-4\tneg.html\n"
      "5 d.html\n"
      "6\t\n"
      "7x\te.html\n"
      "\t8\n"
      "9\t#only-anchor\n"
      "1\ta2.html#y\n");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows.at(1), "a2.html#y");  // a later row replaces an earlier one
  EXPECT_EQ(rows.at(2), "b.html");
}

}  // namespace
