#include "core/HalfWidth.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/HalfWidthTable.h"
#include "core/SjisBytes.h"
#include "platform/Cp932.h"

using namespace core;

namespace {

std::string Cp932(const char16_t* s) { return platform::UnicodeToCp932(QString::fromUtf16(s)); }

struct ListingEntry {
  std::uint16_t pair;
  QString character;
  std::vector<std::uint8_t> result;
  QString rule;
};

std::vector<ListingEntry> ReadListing() {
  QFile file(QStringLiteral(KW_SOURCE_DIR "/resources/fullwidth/halfwidth.txt"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "halfwidth.txt missing";
  std::vector<ListingEntry> entries;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    const QStringList f = line.split(u'\t');
    EXPECT_EQ(f.size(), 4) << line.toStdString();
    if (f.size() != 4) continue;
    ListingEntry e;
    e.pair = static_cast<std::uint16_t>(f[0].toUInt(nullptr, 16));
    e.character = f[1];
    for (const QString& b : f[2].split(u' '))
      e.result.push_back(static_cast<std::uint8_t>(b.toUInt(nullptr, 16)));
    e.rule = f[3];
    entries.push_back(e);
  }
  return entries;
}

}  // namespace

TEST(HalfWidth, FoldsFullWidthAsciiKanaAndPunctuation) {
  struct Case {
    const char16_t* text;
    std::string expected;
  } cases[] = {
      {u"Ａ＼～", "A\\~"},
      {u"　", " "},
      {u"ガが", "\xB6\xDE\xB6\xDE"},
      {u"パヴ", "\xCA\xDF\xB3\xDE"},
      {u"ー。・「」、", "\xB0\xA1\xA5\xA2\xA3\xA4"},
      {u"’”", "'\""},
      {u"ァぁヲを", "\xA7\xA7\xA6\xA6"},
      // no half-width form: removed as double-byte characters
      {u"AヵヶヮヰヱゎゐゑB", "AB"},
      {u"漢字Z", "Z"},
      {u"ｶﾞ A ", "\xB6\xDE A "},  // already half width; blanks kept
  };
  for (const auto& c : cases)
    EXPECT_EQ(HalfWidthText(Cp932(c.text)), c.expected) << QString::fromUtf16(c.text).toStdString();
}

TEST(HalfWidth, RemovesInvalidBytesFirst) {
  EXPECT_EQ(HalfWidthText("A\x80"
                          "B\x82\x20"
                          "C\x82"),
            "ABC");
  // An extension-row pair goes whole, its second byte ("@") with it.
  EXPECT_EQ(HalfWidthText(Cp932(u"1ⅰ2")), "12");
}

TEST(HalfWidth, FieldKeepsItsLengthTextDoesNotPad) {
  // The default face name of the Japanese system, 15 bytes.
  const std::string face = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
  ASSERT_EQ(face, Cp932(u"ＭＳ Ｐゴシック"));
  std::vector<std::uint8_t> field(face.begin(), face.end());
  EXPECT_TRUE(ToHalfWidthBuf(field));
  EXPECT_EQ(AsText(field), "\x4D\x53\x20\x50\xBA\xDE\xBC\xAF\xB8      ");

  std::string text = face;
  EXPECT_TRUE(ToHalfWidth(text));
  EXPECT_EQ(text, "\x4D\x53\x20\x50\xBA\xDE\xBC\xAF\xB8");
  EXPECT_FALSE(ToHalfWidth(text));
  std::vector<std::uint8_t> plain{'A', 'B', ' '};
  EXPECT_FALSE(ToHalfWidthBuf(plain));
}

TEST(HalfWidth, WidgetTextReachesAnEightByteField) {
  std::array<std::uint8_t, 8> field{};
  const std::string entered = HalfWidthText(Cp932(u"ＪＡ１ガ漢"));
  EXPECT_FALSE(CopyToBlankField(field, entered));
  EXPECT_EQ(AsText(field), "JA1\xB6\xDE   ");
}

TEST(HalfWidthTable, MatchesItsListingAndDecodesThroughIconv) {
  const std::vector<ListingEntry> listing = ReadListing();
  const auto table = HalfWidthTable();
  ASSERT_EQ(listing.size(), table.size()) << "run resources/fullwidth/generate.py table";
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ListingEntry& e = listing[i];
    const HalfWidthEntry& t = table[i];
    SCOPED_TRACE(QString::number(e.pair, 16).toStdString());
    EXPECT_EQ(t.pair, e.pair);
    ASSERT_EQ(t.length, e.result.size());
    for (std::size_t k = 0; k < e.result.size(); ++k) EXPECT_EQ(t.bytes[k], e.result[k]);
    if (i > 0) {
      EXPECT_LT(table[i - 1].pair, t.pair);
    }

    // The pair is what the listing says, through iconv.
    const std::uint8_t lead = static_cast<std::uint8_t>(e.pair >> 8);
    EXPECT_TRUE(IsSjisLeadByte(lead));
    const std::string pair{static_cast<char>(lead), static_cast<char>(e.pair & 0xFF)};
    EXPECT_EQ(platform::Cp932ToUnicode(pair), e.character);

    // Every result byte is one the radio shows, and the result is the
    // compatibility form of the (katakana) character.
    std::string result;
    for (std::uint8_t b : e.result) {
      EXPECT_TRUE(IsAsciiPrintable(b) || IsHalfKana(b));
      result.push_back(static_cast<char>(b));
    }
    if (e.rule == QLatin1String("choice")) continue;
    QString expected = e.character;
    if (e.rule.startsWith(QLatin1String("kana"))) expected[0] = QChar(expected[0].unicode() + 0x60);
    EXPECT_EQ(platform::Cp932ToUnicode(result).normalized(QString::NormalizationForm_KC),
              expected.normalized(QString::NormalizationForm_KC));
  }
}
