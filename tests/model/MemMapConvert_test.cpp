// Layout revisions and their converters: tables, edge cases, the loss report,
// and that nothing is read or written outside an image.
#include "model/MemMapConvert.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/MemMapRevision.h"

namespace {

const MemMapRevision& R3 = MemMapRevisionOf(3);
const MemMapRevision& R2 = MemMapRevisionOf(2);
const MemMapRevision& R1 = MemMapRevisionOf(1);

// Offsets inside an image of a revision.
std::int64_t Tables(const MemMapRevision& r) { return r.Region(27); }
std::int64_t Settings(const MemMapRevision& r) { return r.Region(29); }

unsigned Get16(const cmcEeprom& image, std::int64_t a) {
  return static_cast<unsigned>(image.GetByte(a)) << 8 | image.GetByte(a + 1);
}
void Set16(cmcEeprom& image, std::int64_t a, unsigned v) {
  image.SetByte(a, static_cast<std::uint8_t>(v >> 8));
  image.SetByte(a + 1, static_cast<std::uint8_t>(v));
}

cmcEeprom Blank() {
  cmcEeprom image;
  image.SetSize(0x40000);
  image.Fill(0xFF);
  return image;
}

// A revision-3 image with n repeaters in the given groups (starts), your
// calls and GPS memories listed 0..count-1, every record with distinct bytes.
struct Rev3 {
  cmcEeprom image = Blank();

  Rev3() {
    for (std::int64_t a = 0; a < 0xC040; ++a)
      image.SetByte(a, static_cast<std::uint8_t>(a * 7 + 3));
    // Every channel used with tone modes 0..7 (byte 10, bits 7-4).
    for (int n = 0; n < 1004; ++n) {
      const std::int64_t at = n < 1000 ? 49 * n : 0xBF68 + 49 * (n - 1000);
      image.SetByte(at + 10,
                    static_cast<std::uint8_t>((n % 8) << 4 | (image.GetByte(at + 10) & 0x0F)));
    }
    for (int b = 0; b < 0x7E; ++b) image.SetByte(R3.Region(5) + b, 0);
    Set16(image, Settings(R3) + 151, 0xFFFF);
    image.SetByte(Settings(R3) + 104, 0);
    // Set-mode records with tone codes revision 2 knows.
    for (std::int64_t a = R3.Region(31); a < R3.Region(35); ++a) image.SetByte(a, 0);
  }
  std::int64_t Repeater(int i) const { return R3.Region(18) + 50 * i; }
  std::int64_t Gateway(int i) const { return R3.Region(18) + 75000 + 7 * i; }
  void Repeaters(int n, std::initializer_list<std::pair<int, int>> groupStarts) {
    for (int i = 0; i < n; ++i) {
      for (int k = 0; k < 50; ++k) image.SetByte(Repeater(i) + k, static_cast<std::uint8_t>(i + k));
      Set16(image, Repeater(i) + 5, 0xFFFF);
      image.SetByte(Repeater(i) + 7, 0x00);  // type DV, tone mode 0
      for (int k = 0; k < 7; ++k)
        image.SetByte(Gateway(i) + k, static_cast<std::uint8_t>(i * 3 + k));
      Set16(image, Tables(R3) + 2 * i, static_cast<unsigned>(i));
    }
    for (int g = 0; g < 50; ++g) Set16(image, Tables(R3) + 3000 + 2 * g, 0xFFFF);
    for (auto [g, start] : groupStarts)
      Set16(image, Tables(R3) + 3000 + 2 * g, static_cast<unsigned>(start));
    for (int g = 0; g < 50; ++g)
      for (int k = 0; k < 16; ++k)
        image.SetByte(R3.Region(18) + 85500 + 16 * g + k, static_cast<std::uint8_t>('A' + g % 26));
  }
  void YourCalls(int n) {
    for (int i = 0; i < n; ++i) {
      for (int k = 0; k < 8; ++k)
        image.SetByte(R3.Region(19) + 72 + 8 * i + k,
                      static_cast<std::uint8_t>('0' + (i + k) % 40));
      for (int k = 0; k < 16; ++k)
        image.SetByte(R3.Region(19) + 72 + 2400 + 16 * i + k, static_cast<std::uint8_t>(i + k));
      Set16(image, Tables(R3) + 3100 + 2 * i, static_cast<unsigned>(i));
    }
  }
  // GPS memories at list positions 0..n-1 stored in the given slots.
  void Gps(int n, int slotOffset = 0,
           std::initializer_list<std::pair<int, int>> groupStarts = {{0, 0}}) {
    for (int p = 0; p < n; ++p) {
      const int slot = (p + slotOffset) % 300;
      for (int k = 0; k < 34; ++k)
        image.SetByte(R3.Region(25) + 34 * slot + k, static_cast<std::uint8_t>(p + k));
      Set16(image, Tables(R3) + 3795 + 2 * p, static_cast<unsigned>(slot));
    }
    for (int g = 0; g < 27; ++g) Set16(image, Tables(R3) + 4395 + 2 * g, 0xFFFF);
    for (auto [g, start] : groupStarts)
      Set16(image, Tables(R3) + 4395 + 2 * g, static_cast<unsigned>(start));
  }
};

cmcEeprom Convert(const cmcEeprom& source, int to, int from, MemMapLoss* loss = nullptr) {
  cmcEeprom out;
  const MemMapLoss l = MemMapConvertImage(out, source, to, from);
  if (loss) *loss = l;
  EXPECT_FALSE(l.refused);
  return out;
}

TEST(MemMapRevisionTest, Tables) {
  EXPECT_EQ(MemMapMaxSize, 0x414E9);
  EXPECT_STREQ(MemMapRevisionName(1), "1.00 - 1.05");
  EXPECT_STREQ(MemMapRevisionName(2), "1.10");
  EXPECT_STREQ(MemMapRevisionName(3), "1.20 -");
  EXPECT_STREQ(MemMapRevisionName(7), "1.20 -");
  EXPECT_EQ(MemMapRevisionAt(1), 3);
  EXPECT_EQ(MemMapRevisionAt(3), 1);
  EXPECT_EQ(MemMapRevisionPos(1), 3);
  EXPECT_EQ(MemMapRevisionPos(0), 1);
  EXPECT_EQ(MemMapRevisionOf(0).Id(), 3);
  EXPECT_EQ(MemMapRevisionOf(4).Id(), 3);
  const std::int32_t last[] = {0, 260927, 148159, 172927};
  for (int rev = 1; rev <= 3; ++rev) {
    const MemMapRevision& r = MemMapRevisionOf(rev);
    EXPECT_EQ(r.LastCloneAddress(), last[rev]);
    EXPECT_EQ(r.MemMapImageSize(), 0x40000);
    // The blocks cut the clone range without gaps and end with (1, 0).
    const MemRangeList& blocks = r.MemMapBlockList();
    ASSERT_EQ(blocks.size(), 12u);
    EXPECT_TRUE(blocks.back().IsEnd());
    EXPECT_EQ(blocks.front().first, 0);
    for (size_t i = 1; i + 1 < blocks.size(); ++i)
      EXPECT_EQ(blocks[i].first, blocks[i - 1].last + 1);
    EXPECT_EQ(blocks[10].last, last[rev]);
    EXPECT_EQ(RangeByteCount(r.MemMapRangeList()), last[rev] + 1);
    // Every region's size is the distance to the next.
    for (int g = 0; g + 1 < kMemMapRegionCount; ++g) EXPECT_GE(r.RegionDistance(g, g + 1), 0) << g;
    // Region 27 and 29 piece tables add up to their regions.
    EXPECT_EQ(r.Capacities().tables.end, r.RegionDistance(27, 28));
    EXPECT_EQ(r.Capacities().settings.size, r.RegionDistance(29, 30));
    EXPECT_EQ(r.Capacities().region33RecordSize * 2, r.RegionDistance(33, 34));
  }
  cmcEeprom image = Blank();
  std::int32_t offset = -5;
  EXPECT_EQ(R3.RegionOffset(57, &offset), 1);
  EXPECT_EQ(offset, -5);
  std::uint8_t b = 0;
  EXPECT_EQ(R3.Read(image, 57, 0, &b, 1), 1);
  EXPECT_EQ(R3.Write(image, -1, 0, &b, 1), 1);
  EXPECT_EQ(R3.Read(image, 56, 0x180, &b, 1), 1);  // leaves the image
  EXPECT_EQ(R3.RegionPtr(image, 57), nullptr);
  EXPECT_EQ(R3.Write(image, 50, 0, "\x03", 1), 0);
  EXPECT_EQ(MemMapReadRegion50Byte(image, 3), 3);
  cmcEeprom tiny;
  tiny.SetSize(100);
  EXPECT_EQ(MemMapReadRegion50Byte(tiny, 3), -1);
  EXPECT_EQ(MemMapRegion53Ptr(tiny, 3), nullptr);
  EXPECT_EQ(MemMapRegion53Ptr(image, 2), image.Data() + 0x242B0);
}

TEST(MemMapConvertTest, StepsAndCopies) {
  Rev3 src;
  src.Repeaters(10, {{0, 0}});
  const cmcEeprom viaTwo = Convert(Convert(src.image, 2, 3), 1, 2);
  EXPECT_EQ(Convert(src.image, 1, 3), viaTwo);
  EXPECT_EQ(Convert(viaTwo, 2, 2), viaTwo);
  // Target and source may be one image.
  cmcEeprom same = src.image;
  MemMapConvertImage(same, same, 2, 3);
  EXPECT_EQ(same, Convert(src.image, 2, 3));
  MemMapConvertImage(same, same, 3, 3);
  EXPECT_EQ(same, Convert(src.image, 2, 3));
}

TEST(MemMapConvertTest, SoftwareAreaAndRevisionByte) {
  cmcEeprom src = Blank();
  for (std::int64_t a = 0; a < 0x40000; ++a) src.SetByte(a, static_cast<std::uint8_t>(a));
  src.SetByte(R3.Region(50), 3);
  const cmcEeprom r2 = Convert(src, 2, 3);
  const cmcEeprom r1 = Convert(src, 1, 3);
  const cmcEeprom back = Convert(r1, 3, 1);
  struct Case {
    const cmcEeprom* image;
    const MemMapRevision* rev;
  } cases[] = {{&r2, &R2}, {&r1, &R1}, {&back, &R3}};
  for (const Case& c : cases) {
    EXPECT_EQ(MemMapReadRegion50Byte(*c.image, c.rev->Id()), c.rev->Id());
    for (std::int64_t a = c.rev->Region(54); a < 0x40000; ++a)
      ASSERT_EQ(c.image->GetByte(a), 0xFF) << "revision " << c.rev->Id() << " at " << a;
  }
}

TEST(MemMapConvertTest, SignatureMovesBetweenRevisions1And2) {
  cmcEeprom r1 = Blank();
  std::memcpy(r1.Data() + 0x24290, "QuorCloneFormat1", 16);
  const cmcEeprom r2 = Convert(r1, 2, 1);
  EXPECT_EQ(0, std::memcmp(r2.Data() + 0x242B0, "QuorCloneFormat1", 16));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(r2.GetByte(0x24290 + i), 0xFF);
  cmcEeprom r2b = Blank();
  std::memcpy(r2b.Data() + 0x242B0, "QuorCloneFormat2", 16);
  const cmcEeprom back = Convert(r2b, 1, 2);
  EXPECT_EQ(0, std::memcmp(back.Data() + 0x24290, "QuorCloneFormat2", 16));
  for (int i = 16; i < 32; ++i) EXPECT_EQ(back.GetByte(0x24290 + i), 0xFF);
}

TEST(MemMapConvertTest, Revision1And2Settings) {
  cmcEeprom r2 = Blank();
  const std::int64_t base = Tables(R2);
  r2.SetByte(base + 3230, 3);
  r2.SetByte(base + 3235, 2);
  r2.SetByte(R2.Region(18) + 7, 0x08);       // repeater tone mode 2
  r2.SetByte(R2.Region(18) + 50 + 7, 0x04);  // tone mode 1 stays
  MemMapLoss loss;
  const cmcEeprom r1 = Convert(r2, 1, 2, &loss);
  EXPECT_EQ(r1.GetByte(base + 3147), 0xFF);
  EXPECT_EQ(r1.GetByte(base + 3307), 2);
  EXPECT_EQ(r1.GetByte(base + 3230), 2);
  EXPECT_EQ(r1.GetByte(base + 3235), 1);
  EXPECT_EQ(r1.GetByte(R1.Region(18) + 7), 0x04);
  EXPECT_EQ(r1.GetByte(R1.Region(18) + 57), 0x04);
  EXPECT_GE(loss.toneCodes, 1);
  const cmcEeprom up = Convert(r1, 2, 1);
  EXPECT_EQ(up.GetByte(base + 3147), 1);
  EXPECT_EQ(up.GetByte(base + 3148), 240);
  EXPECT_EQ(up.GetByte(base + 3173), 0);
}

TEST(MemMapConvertTest, ChannelToneModes) {
  Rev3 src;
  src.image.SetByte(10, 0x8A);       // channel 0 used, tone mode 8
  src.image.SetByte(49 + 10, 0x9B);  // channel 1 unused, tone mode 9
  src.image.SetByte(R3.Region(5), 0x02);
  src.image.SetByte(0xBF68 + 49 * 2 + 10, 0xF1);     // call channel 1002, used
  src.image.SetByte(R3.Region(31) + 17 + 14, 0x3C);  // band default record 1, code 12
  src.image.SetByte(R3.Region(34) + 57 + 14, 0x08);
  MemMapLoss loss;
  const cmcEeprom r2 = Convert(src.image, 2, 3, &loss);
  EXPECT_EQ(r2.GetByte(10), 0x0A);
  EXPECT_EQ(r2.GetByte(49 + 10), 0x9B);
  EXPECT_EQ(r2.GetByte(0xBF68 + 49 * 2 + 10), 0x01);
  EXPECT_EQ(r2.GetByte(R2.Region(31) + 17 + 14), 0x30);
  EXPECT_EQ(r2.GetByte(R2.Region(34) + 57 + 14), 0x00);
  EXPECT_EQ(loss.toneCodes, 4);
}

TEST(MemMapConvertTest, OrderTablesAndSettingsEdges) {
  Rev3 src;
  src.YourCalls(201);
  src.Gps(201);
  Set16(src.image, Settings(R3) + 151, 1199);
  src.image.SetByte(Settings(R3) + 104, 1);
  MemMapLoss loss;
  cmcEeprom r2 = Convert(src.image, 2, 3, &loss);
  EXPECT_EQ(r2.GetByte(Tables(R2) + 2460 + 199), 199);
  EXPECT_EQ(r2.GetByte(Tables(R2) + 2755 + 199), 199);
  EXPECT_EQ(Get16(r2, Settings(R2) + 151), 1199u);
  EXPECT_EQ(r2.GetByte(Settings(R2) + 104), 0);
  EXPECT_EQ(loss.yourCalls, 1);
  EXPECT_EQ(loss.gpsMemories, 1);

  Set16(src.image, Tables(R3) + 3100, 200);
  Set16(src.image, Settings(R3) + 151, 1200);
  src.image.SetByte(Settings(R3) + 104, 0);
  r2 = Convert(src.image, 2, 3);
  EXPECT_EQ(r2.GetByte(Tables(R2) + 2460), 0xFF);
  EXPECT_EQ(Get16(r2, Settings(R2) + 151), 0xFFFFu);
  EXPECT_EQ(r2.GetByte(Settings(R2) + 104), 0);

  r2.SetByte(Tables(R2) + 2460, 254);
  r2.SetByte(Tables(R2) + 2461, 255);
  r2.SetByte(Settings(R2) + 104, 7);
  const cmcEeprom up = Convert(r2, 3, 2);
  EXPECT_EQ(Get16(up, Tables(R3) + 3100), 254u);
  EXPECT_EQ(Get16(up, Tables(R3) + 3102), 0xFFFFu);
  EXPECT_EQ(up.GetByte(Settings(R3) + 104), 7);
  // New settings of revision 3.
  const std::uint8_t expect[] = {0, 0, 0, 0, 0, 0, 3, 18, 0, 6, 0};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(up.GetByte(Settings(R3) + 180 + i), expect[i]) << i;
  for (int i = 11; i < 20; ++i) EXPECT_EQ(up.GetByte(Settings(R3) + 180 + i), 0xFF) << i;
}

TEST(MemMapConvertTest, GpsMemoriesKeptInListOrder) {
  Rev3 src;
  src.Gps(250, 100, {{0, 0}, {3, 120}, {5, 210}});  // slots 100..299, 0..49
  MemMapLoss loss;
  const cmcEeprom r2 = Convert(src.image, 2, 3, &loss);
  EXPECT_EQ(loss.gpsMemories, 50);
  for (int p = 0; p < 200; ++p) {
    EXPECT_EQ(r2.GetByte(Tables(R2) + 2755 + p), p);
    EXPECT_EQ(r2.GetByte(R2.Region(25) + 34 * p), static_cast<std::uint8_t>(p)) << p;
  }
  EXPECT_EQ(r2.GetByte(Tables(R2) + 2955 + 0), 0);
  EXPECT_EQ(r2.GetByte(Tables(R2) + 2955 + 3), 120);
  EXPECT_EQ(r2.GetByte(Tables(R2) + 2955 + 5), 0xFF);
}

// Group starts past the kept list, and groups 30..49 whose repeaters lie
// below 1200 (they must not join the last kept group).
TEST(MemMapConvertTest, RepeaterGroupsGoingDown) {
  Rev3 src;
  src.Repeaters(100, {{0, 0}, {1, 40}, {29, 60}, {30, 70}, {49, 90}});
  MemMapLoss loss;
  cmcEeprom r2 = Convert(src.image, 2, 3, &loss);
  EXPECT_EQ(Get16(r2, Tables(R2) + 2400), 0u);
  EXPECT_EQ(Get16(r2, Tables(R2) + 2402), 40u);
  EXPECT_EQ(Get16(r2, Tables(R2) + 2400 + 58), 60u);
  EXPECT_EQ(Get16(r2, Tables(R2) + 2 * 69), 69u);
  EXPECT_EQ(Get16(r2, Tables(R2) + 2 * 70), 0xFFFFu);
  EXPECT_EQ(loss.repeaters, 30);
  EXPECT_EQ(loss.groups, 2);
  // Back up: groups 30..49 are empty, the count rule gives 70 - 60 for group 29.
  const cmcEeprom up = Convert(r2, 3, 2);
  for (int g = 30; g < 50; ++g) EXPECT_EQ(Get16(up, Tables(R3) + 3000 + 2 * g), 0xFFFFu);
  EXPECT_EQ(Get16(up, Tables(R3) + 2 * 69), 69u);
  EXPECT_EQ(Get16(up, Tables(R3) + 2 * 70), 0xFFFFu);

  // A full list: group 29 starting at 1250 lies past the kept 1200.
  Rev3 full;
  full.Repeaters(1500, {{0, 0}, {28, 1100}, {29, 1250}});
  r2 = Convert(full.image, 2, 3, &loss);
  EXPECT_EQ(Get16(r2, Tables(R2) + 2400 + 56), 1100u);
  EXPECT_EQ(Get16(r2, Tables(R2) + 2400 + 58), 0xFFFFu);
  EXPECT_EQ(loss.repeaters, 300);
  EXPECT_EQ(loss.groups, 1);

  // A revision-2 start of 1200 or more becomes empty going up.
  Set16(r2, Tables(R2) + 2400 + 56, 1200);
  const cmcEeprom up2 = Convert(r2, 3, 2, &loss);
  EXPECT_EQ(Get16(up2, Tables(R3) + 3000 + 56), 0xFFFFu);
  EXPECT_EQ(loss.groups, 1);
}

TEST(MemMapConvertTest, GatewayReferencesAndUseFrom) {
  Rev3 src;
  src.Repeaters(6, {{0, 0}});
  Set16(src.image, src.Repeater(2) + 5, 0);       // refers to repeater 0's gateway
  Set16(src.image, src.Repeater(3) + 5, 1400);    // a repeater beyond revision 2
  Set16(src.image, src.Repeater(4) + 5, 0xFFFE);  // past the list: none
  src.image.SetByte(R3.Region(28), 0xFF);         // USE(FROM) of 0..7
  MemMapLoss loss;
  const cmcEeprom r2 = Convert(src.image, 2, 3, &loss);
  const std::int64_t gw = R2.Region(18) + 60000;
  EXPECT_EQ(Get16(r2, R2.Region(18) + 100 + 5), 2u);
  EXPECT_EQ(0, std::memcmp(r2.Data() + gw + 14, src.image.Data() + src.Gateway(0), 7));
  EXPECT_EQ(Get16(r2, R2.Region(18) + 150 + 5), 3u);
  EXPECT_EQ(0, std::memcmp(r2.Data() + gw + 21, src.image.Data() + src.Gateway(1400), 7));
  EXPECT_EQ(Get16(r2, R2.Region(18) + 200 + 5), 0xFFFFu);
  const std::uint8_t blanks[7] = {0x40, 0x81, 0x02, 0x04, 0x08, 0x10, 0x20};
  EXPECT_EQ(0, std::memcmp(r2.Data() + gw + 28, blanks, 7));
  EXPECT_EQ(0, std::memcmp(r2.Data() + gw + 35, src.image.Data() + src.Gateway(5), 7));
  // USE(FROM) survives for listed repeaters only.
  EXPECT_EQ(r2.GetByte(R2.Region(28)), 0x3F);
}

TEST(MemMapConvertTest, GpsReferencesInCommonSettings) {
  struct Case {
    std::uint8_t ref1[4];
    std::uint8_t ref2[4];
    std::uint8_t want1[3];
    std::uint8_t want2[3];
  } cases[] = {
      {{1, 2, 0, 5}, {3, 2, 0, 5}, {1, 2, 5}, {3, 2, 5}},         // group 2 starts at 150: 155
      {{1, 2, 0, 60}, {3, 2, 0, 60}, {0, 255, 255}, {0, 0, 0}},   // 210: past revision 2
      {{1, 2, 0, 60}, {2, 2, 1, 60}, {0, 255, 255}, {2, 2, 60}},  // type 2 keeps the low byte
      {{1, 30, 0, 4}, {3, 30, 0, 4}, {1, 30, 255}, {0, 0, 0}},    // group byte 27 or more
      {{1, 255, 0xFF, 0xFF}, {1, 255, 0, 9}, {1, 255, 255}, {1, 255, 9}},
      {{1, 4, 0xFF, 0xFF}, {3, 4, 0xFF, 0xFF}, {0, 255, 255}, {0, 0, 0}},  // empty group
  };
  for (const Case& c : cases) {
    Rev3 src;
    src.Gps(250, 0, {{0, 0}, {2, 150}});
    std::memcpy(src.image.Data() + Settings(R3) + 732, c.ref1, 4);
    std::memcpy(src.image.Data() + Settings(R3) + 736, c.ref2, 4);
    const cmcEeprom r2 = Convert(src.image, 2, 3);
    EXPECT_EQ(0, std::memcmp(r2.Data() + Settings(R2) + 710, c.want1, 3))
        << int(c.ref1[1]) << "/" << int(c.ref1[3]);
    EXPECT_EQ(0, std::memcmp(r2.Data() + Settings(R2) + 713, c.want2, 3))
        << int(c.ref2[0]) << "/" << int(c.ref2[3]);
  }
  // Going up the index byte widens.
  cmcEeprom r2 = Blank();
  const std::uint8_t refs[6] = {1, 2, 9, 3, 4, 255};
  std::memcpy(r2.Data() + Settings(R2) + 710, refs, 6);
  const cmcEeprom up = Convert(r2, 3, 2);
  EXPECT_EQ(Get16(up, Settings(R3) + 734), 9u);
  EXPECT_EQ(Get16(up, Settings(R3) + 738), 0xFFFFu);
}

TEST(MemMapConvertTest, Region33Indexes) {
  Rev3 src;
  const std::int64_t rec0 = R3.Region(33), rec1 = R3.Region(33) + 176;
  for (int k = 0; k < 176; ++k) {
    src.image.SetByte(rec0 + k, static_cast<std::uint8_t>(k));
    src.image.SetByte(rec1 + k, static_cast<std::uint8_t>(k + 1));
  }
  Set16(src.image, rec0 + 74, 199);
  Set16(src.image, rec1 + 74, 200);
  MemMapLoss loss;
  const cmcEeprom r2 = Convert(src.image, 2, 3, &loss);
  EXPECT_EQ(r2.GetByte(R2.Region(33) + 74), 199);
  EXPECT_EQ(r2.GetByte(R2.Region(33) + 175 + 74), 255);
  EXPECT_EQ(r2.GetByte(R2.Region(33) + 75), 76);  // bytes after the index close up
  EXPECT_EQ(r2.GetByte(R2.Region(33) + 174), 175);
  EXPECT_EQ(loss.references, 1);
  const cmcEeprom up = Convert(r2, 3, 2);
  EXPECT_EQ(Get16(up, rec0 + 74), 199u);
  EXPECT_EQ(Get16(up, rec1 + 74), 0xFFFFu);
  EXPECT_EQ(0, std::memcmp(up.Data() + rec0 + 76, src.image.Data() + rec0 + 76, 100));
}

// Tables full of values past their lists never lead outside an image.
TEST(MemMapConvertTest, WildTableValuesStayInside) {
  cmcEeprom wild;
  wild.SetSize(0x40000);
  for (std::int64_t a = 0; a < 0x40000; ++a)
    wild.SetByte(a, static_cast<std::uint8_t>(0xF0 | (a & 0x0F)));
  for (int p = 0; p < 300; ++p) Set16(wild, Tables(R3) + 3795 + 2 * p, 300 + p);  // 300..0xFFFE
  for (int from = 1; from <= 3; ++from)
    for (int to = 1; to <= 3; ++to) {
      cmcEeprom out;
      const MemMapLoss loss = MemMapConvertImage(out, wild, to, from);
      EXPECT_FALSE(loss.refused);
      EXPECT_EQ(out.GetSize(), 0x40000);
    }
  Rev3 src;
  src.Gps(10);
  Set16(src.image, Tables(R3) + 3795 + 2 * 5, 300);  // the walk stops here
  MemMapLoss loss;
  const cmcEeprom r2 = Convert(src.image, 2, 3, &loss);
  EXPECT_EQ(r2.GetByte(Tables(R2) + 2755 + 4), 4);
  EXPECT_EQ(r2.GetByte(Tables(R2) + 2755 + 5), 0xFF);
}

TEST(MemMapConvertTest, UndersizedSourceIsRefused) {
  cmcEeprom small;
  small.SetSize(0x2A37F);  // one byte short of revision 3's converted area
  cmcEeprom target = Blank();
  target.SetByte(0, 0x42);
  const cmcEeprom before = target;
  EXPECT_TRUE(MemMapConvertImage(target, small, 2, 3).refused);
  EXPECT_TRUE(MemMapConvertImage(target, small, 1, 3).refused);
  EXPECT_EQ(target, before);
  cmcEeprom exact;
  exact.SetSize(0x2A380);
  EXPECT_FALSE(MemMapConvertImage(target, exact, 2, 3).refused);
  cmcEeprom small2;
  small2.SetSize(0x242BF);
  cmcEeprom t2 = before;
  EXPECT_TRUE(MemMapConvertImage(t2, small2, 3, 2).refused);
  EXPECT_TRUE(MemMapConvertImage(t2, small2, 1, 2).refused);
  EXPECT_EQ(t2, before);
}

// Within the revision-2 capacities nothing is lost through 3 -> 2 -> 3.
TEST(MemMapConvertTest, RoundTripWithinCapacities) {
  Rev3 src;
  src.Repeaters(1200, {{0, 0}, {5, 300}, {29, 1100}});
  src.YourCalls(200);
  src.Gps(200, 0, {{0, 0}, {26, 150}});
  MemMapLoss loss;
  const cmcEeprom back = Convert(Convert(src.image, 2, 3, &loss), 3, 2);
  EXPECT_FALSE(loss.Any());
  const std::int64_t t = Tables(R3);
  struct Area {
    const char* name;
    std::int64_t at, size;
  } areas[] = {
      {"channels", 0, 0xC02C},
      {"bitmaps, banks, names, edges", 0xC040, 0x1000},
      {"repeaters", R3.Region(18), 50 * 1200},
      {"gateways", R3.Region(18) + 75000, 7 * 1200},
      {"group names", R3.Region(18) + 85500, 16 * 30},
      {"your calls", R3.Region(19), 72 + 8 * 200},
      {"your names", R3.Region(19) + 72 + 2400, 16 * 200},
      {"regions 20-23", R3.Region(20), R3.RegionDistance(20, 24)},
      {"gps", R3.Region(25), 34 * 200},
      {"gps names", R3.Region(25) + 10200, 16 * 26},
      {"repeater order", t, 2 * 1500},
      {"group starts", t + 3000, 2 * 50},
      {"your-call order", t + 3100, 2 * 300},
      {"list orders", t + 3700, 95},
      {"gps order", t + 3795, 2 * 300},
      {"gps group starts", t + 4395, 2 * 27},
      {"use from", R3.Region(28), 150},
      {"settings", R3.Region(29), 180},
  };
  for (const Area& a : areas)
    EXPECT_EQ(0,
              std::memcmp(back.Data() + a.at, src.image.Data() + a.at, static_cast<size_t>(a.size)))
        << a.name;
}

}  // namespace
