// End to end: a filled destination-5 image saved as a revision-2 data file,
// read back with the document's checks and converted to revision 3 again
// keeps every entry, order table and group start.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DefaultInitialImage.h"
#include "core/dst_EtcData.h"
#include "core/indEnviron.h"
#include "model/DefaultImage.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/ListCounts.h"
#include "model/MemMapConvert.h"
#include "model/MemMapRevision.h"
#include "model/cmcIcfFile.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/ScratchDir.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

constexpr std::int64_t kTables = 0x28880;
constexpr std::int64_t kRptOrder = kTables;
constexpr std::int64_t kRptStarts = kTables + 3000;
constexpr std::int64_t kUrOrder = kTables + 3100;
constexpr std::int64_t kGpsOrder = kTables + 3795;
constexpr std::int64_t kGpsStarts = kTables + 4395;

void Set16(cmcEeprom& image, std::int64_t a, unsigned v) {
  image.SetByte(a, static_cast<std::uint8_t>(v >> 8));
  image.SetByte(a + 1, static_cast<std::uint8_t>(v));
}
unsigned Get16(const cmcEeprom& image, std::int64_t a) {
  return static_cast<unsigned>(image.GetByte(a)) << 8 | image.GetByte(a + 1);
}

// The group and your-call counts from the order tables, as a loaded image
// gets them (counts never below 0).
void CountsFromTables(cmcEeprom& image) {
  int length = 0;
  while (length < 1500 && Get16(image, kRptOrder + 2 * length) != 0xFFFF) ++length;
  for (int g = 49; g >= 0; --g) {
    SetRptGroupCount(image, g, 0);
    const int start = static_cast<int>(Get16(image, kRptStarts + 2 * g));
    if (start < 1500) {
      SetRptGroupCount(image, g, std::max(0, length - start));
      length = start;
    }
  }
  int urs = 0;
  while (urs < 300 && Get16(image, kUrOrder + 2 * urs) != 0xFFFF) ++urs;
  SetYourCallCount(image, urs);
}

template <std::size_t N>
std::string Text(const datText<N>& t) {
  return std::string(t.data(), N);
}

TEST(RevisionRoundTripTest, Revision2FileKeepsEveryEntry) {
  kwtest::ScriptedMessageBoxes boxes;
  boxes.SetDefaultAnswer(platform::mb::IdOk);
  ScopedDestination dest5{indDestination(5)};
  cmcEeprom image = kwtest::FullFromDefaultImage(BuildDefaultImage(5));

  // Channels.
  const std::uint32_t channels[] = {0, 1, 57, 999, 1000};
  for (std::uint32_t n : channels) {
    datCh ch(&image);
    ch.Load(itemkind::kChannel, n);
    ch.flags = datCh::kUsed;
    ch.freq = 144000000 + 12500 * n;
    ch.offset = 600000;
    ch.duplex = n % 3;
    ch.toneMode = n % 2;
    ch.mode = n % 2;
    SetText(ch.name, ("CH" + std::to_string(n)).c_str());
    ASSERT_TRUE(ch.Store(itemkind::kChannel, n)) << n;
  }
  // Repeaters in groups 0 (3 entries) and 4 (2 entries), distinct gateways.
  SetRptGroupCount(image, 0, 3);
  SetRptGroupCount(image, 4, 2);
  for (int i = 0; i < 5; ++i) {
    datCh r(&image);
    r.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
    r.flags = datCh::kUsed;
    r.freq = 439000000 + 25000 * i;
    r.offset = 7600000;
    r.duplex = 1;
    r.useFrom = i % 2;
    SetText(r.rptCall, ("JP1YI" + std::to_string(i) + "A").c_str());
    SetText(r.gwCall, ("JP1YI" + std::to_string(i) + "G").c_str());
    SetText(r.name, ("RPT " + std::to_string(i)).c_str());
    ASSERT_TRUE(r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i))) << i;
  }
  // Write preparation: group starts, order table, each repeater's own word.
  for (int g = 0; g < 50; ++g)
    Set16(image, kRptStarts + 2 * g,
          GetRptGroupCount(image, g) > 0 ? GetRptGroupFirst(image, g) : 0xFFFF);
  for (int p = 0; p < 1500; ++p) Set16(image, kRptOrder + 2 * p, p < 5 ? p : 0xFFFF);
  for (int i = 0; i < 5; ++i) Set16(image, 0xD040 + 50 * i + 5, static_cast<unsigned>(i));
  // Your calls.
  SetYourCallCount(image, 4);
  for (int i = 0; i < 4; ++i) {
    datCh y(&image);
    y.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
    SetText(y.urCall, ("JA1ABC" + std::to_string(i)).c_str());
    SetText(y.name, ("FRIEND " + std::to_string(i)).c_str());
    ASSERT_TRUE(y.Store(itemkind::kYourCall, static_cast<std::uint32_t>(i)));
  }
  for (int p = 0; p < 300; ++p) Set16(image, kUrOrder + 2 * p, p < 4 ? p : 0xFFFF);
  // GPS memories 0..2 in groups 0..2.
  for (int p = 0; p < 3; ++p) {
    Set16(image, kGpsOrder + 2 * p, static_cast<unsigned>(p));
    Set16(image, kGpsStarts + 2 * p, static_cast<unsigned>(p));
  }
  for (int p = 0; p < 3; ++p) {
    datCh g(&image);
    g.Load(itemkind::kBlankGpsNoDate, static_cast<std::uint32_t>(p));
    g.flags = datCh::kUsed;
    SetText(g.gpsName, ("PLACE " + std::to_string(p)).c_str());
    g.latitude = {0x35, 0x12, 0x34, 'N'};
    g.altitude = 100 * p;
    ASSERT_TRUE(g.Store(itemkind::kGpsMemory, static_cast<std::uint32_t>(p)));
  }

  // Save as revision 2.
  cmcEeprom rev2;
  const MemMapLoss loss = MemMapConvertImage(rev2, image, 2, 3);
  ASSERT_FALSE(loss.refused);
  EXPECT_FALSE(loss.Any());
  kwtest::ScratchDir dir;
  const std::string path = dir.FileStd("round.icf");
  dst_EtcData etc;
  etc.destination = 5;
  etc.firstFlag = 1;
  {
    cmcIcfFile writer;
    writer.SetImage(&rev2);
    writer.SetModel(0x3484);
    writer.SetSubCode(1);
    ASSERT_TRUE(writer.SetBytesPerLine(32));
    ASSERT_TRUE(writer.SetCheckKey(true, "712059386241"));
    writer.SetMapRev(2);
    writer.SetEtcData(indEnviron::EncodeEtcData(etc));
    ASSERT_EQ(writer.Write(path, MemMapRevisionOf(2).MemMapBlockList()), 0);
  }

  // Open it as the document does.
  cmcEeprom loaded;
  loaded.SetSize(MemMapMaxSize);
  cmcIcfFile reader;
  reader.SetImage(&loaded);
  reader.SetModel(0x3484);
  reader.SetSubCode(1);
  reader.SetMapRevCheck([](int rev) { return rev >= 1 && rev <= 3; });
  reader.SetEtcDataCheck([](std::uint32_t value, std::uint32_t&) {
    dst_EtcData record;
    return indEnviron::DecodeEtcData(value, record) && record.destination <= 16;
  });
  ASSERT_EQ(reader.Read(path, &MemMapRevisionOf(2).MemMapRangeList()), 0);
  EXPECT_EQ(reader.GetMapRev(), 2);
  EXPECT_EQ(reader.GetEtcData(), 0x144011u);
  EXPECT_EQ(boxes.Count(), 0u);

  cmcEeprom back;
  ASSERT_FALSE(MemMapConvertImage(back, loaded, 3, 2).refused);
  back.SetBlock(layout::kBandDefaults, back.Data() + 0x29F80, 51);
  CountsFromTables(back);

  for (std::int64_t t : {kRptOrder, kRptStarts, kUrOrder, kGpsOrder, kGpsStarts}) {
    const std::int64_t size = t == kRptOrder    ? 3000
                              : t == kRptStarts ? 100
                              : t == kGpsStarts ? 54
                                                : 600;
    EXPECT_EQ(0, std::memcmp(back.Data() + t, image.Data() + t, static_cast<size_t>(size))) << t;
  }
  for (int g = 0; g < 50; ++g)
    EXPECT_EQ(GetRptGroupCount(back, g), GetRptGroupCount(image, g)) << g;
  EXPECT_EQ(GetRptGroupCount(back, 4), 2);
  EXPECT_EQ(GetYourCallCount(back), 4);
  struct Kind {
    std::uint32_t kind;
    int count;
  } kinds[] = {{itemkind::kChannel, 1004},
               {itemkind::kRepeater, 5},
               {itemkind::kYourCall, 4},
               {itemkind::kGpsMemory, 3}};
  for (const Kind& k : kinds) {
    for (int i = 0; i < k.count; ++i) {
      datCh a(&image), b(&back);
      a.Load(k.kind, static_cast<std::uint32_t>(i));
      b.Load(k.kind, static_cast<std::uint32_t>(i));
      SCOPED_TRACE(std::to_string(k.kind) + "/" + std::to_string(i));
      EXPECT_EQ(a.IsUsed(), b.IsUsed());
      if (k.kind != itemkind::kChannel) {
        EXPECT_TRUE(b.IsUsed());
      }
      EXPECT_EQ(a.freq, b.freq);
      EXPECT_EQ(a.offset, b.offset);
      EXPECT_EQ(a.duplex, b.duplex);
      EXPECT_EQ(a.toneMode, b.toneMode);
      EXPECT_EQ(a.mode, b.mode);
      EXPECT_EQ(Text(a.name), Text(b.name));
      EXPECT_EQ(Text(a.urCall), Text(b.urCall));
      EXPECT_EQ(Text(a.rptCall), Text(b.rptCall));
      EXPECT_EQ(Text(a.gwCall), Text(b.gwCall));
      EXPECT_EQ(a.useFrom, b.useFrom);
      EXPECT_EQ(a.rptGroup, b.rptGroup);
      EXPECT_EQ(a.rptWord, b.rptWord);
      EXPECT_EQ(Text(a.gpsName), Text(b.gpsName));
      EXPECT_EQ(a.latitude, b.latitude);
      EXPECT_EQ(a.altitude, b.altitude);
      EXPECT_EQ(a.gpsGroup, b.gpsGroup);
    }
  }
}

}  // namespace
