// The destination fix-up: channels, text areas, repeaters and the settings
// that come from the initial image.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/ImagePasses.h"
#include "core/cmcEvMan.h"
#include "model/ImageAccess.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace {

using namespace layout;

const cmcEeprom& Initial() {
  static const cmcEeprom initial = imagepass::BuildInitialImage(indDestination(0), false);
  return initial;
}

const indDestination& Dest0() {
  static const indDestination destination(0);
  return destination;
}

template <std::size_t N>
std::string Text(const datText<N>& t) {
  return std::string(t.data(), N);
}

datCh Load(cmcEeprom& image, std::uint32_t kind, int i) {
  datCh r(&image);
  r.Load(kind, static_cast<std::uint32_t>(i));
  return r;
}

datCh BandDefault(int record) {
  cmcEeprom initial = Initial();
  return Load(initial, itemkind::kBandDefault, record);
}

void StoreChannel(cmcEeprom& image, int n, std::uint32_t freq, std::uint32_t mode,
                  std::uint32_t toneMode) {
  datCh ch(&image);
  ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
  ch.flags = datCh::kUsed;
  ch.freq = freq;
  ch.offset = 600000;
  ch.mode = mode;
  ch.toneMode = toneMode;
  ch.cancellerFreq = 5110;
  SetText(ch.name, ("CH " + std::to_string(n)).c_str());
  ASSERT_TRUE(ch.Store(itemkind::kChannel, static_cast<std::uint32_t>(n))) << n;
}

// The channel's frequency written as a raw step class and count, as another
// program or a damaged file may hold it.
void SetRawFreq(cmcEeprom& image, int n, std::uint32_t stepClass, std::uint32_t count) {
  const std::int64_t a = ChannelAddress(n);
  const std::uint8_t offsetClass = image.GetByte(a) & 0x1C;
  image.SetByte(a,
                static_cast<std::uint8_t>((stepClass << 5) | offsetClass | ((count >> 16) & 0x03)));
  image.SetByte(a + 1, static_cast<std::uint8_t>(count >> 8));
  image.SetByte(a + 2, static_cast<std::uint8_t>(count));
}

TEST(NormalizeImageTest, OnlyUndefinedToneModesResetAChannel) {
  cmcEeprom image = Initial();
  for (int m = 0; m < 16; ++m) StoreChannel(image, m, 145000000, 0, static_cast<std::uint32_t>(m));
  imagepass::NormalizeImage(image, Initial(), Dest0(), false);
  const datCh bandDefault = BandDefault(1);
  for (int m = 0; m < 16; ++m) {
    SCOPED_TRACE(m);
    const datCh ch = Load(image, itemkind::kChannel, m);
    if (m == 2 || m == 15) {
      EXPECT_FALSE(ch.IsUsed());
      EXPECT_EQ(ch.freq, bandDefault.freq);
      EXPECT_EQ(ch.toneMode, bandDefault.toneMode);
      EXPECT_EQ(Text(ch.name), std::string(16, ' '));
    } else {
      EXPECT_TRUE(ch.IsUsed());
      EXPECT_EQ(ch.toneMode, static_cast<std::uint32_t>(m));
      EXPECT_EQ(ch.freq, 145000000u);
      std::string name = "CH " + std::to_string(m);
      name.resize(16, ' ');
      EXPECT_EQ(Text(ch.name), name);
    }
  }
}

TEST(NormalizeImageTest, ChannelsTakeTheirBandsDefaultsModeAndGrid) {
  struct Case {
    const char* what;
    int channel;
    std::uint32_t freq;
    std::uint32_t mode;
    std::uint32_t toneMode;
    // Expected.
    bool used;
    int bandDefault;  // record whose fields the channel takes (-1: none)
    std::uint32_t expectFreq;
    std::uint32_t expectMode;
  } cases[] = {
      {"air band reset", 20, 120000000, 3, 2, false, 0, 0, 0},
      {"UHF reset", 21, 435000000, 0, 15, false, 2, 0, 0},
      {"call channel reset, still in its place", 1002, 435000000, 0, 2, false, 2, 0, 0},
      {"mode 12 becomes 0", 22, 145000000, 12, 0, true, -1, 145000000, 0},
      {"mode 15 becomes 0", 23, 145000000, 15, 1, true, -1, 145000000, 0},
      {"mode 11 stays", 24, 145000000, 11, 0, true, -1, 145000000, 11},
  };
  cmcEeprom image = Initial();
  for (const Case& c : cases) StoreChannel(image, c.channel, c.freq, c.mode, c.toneMode);
  imagepass::NormalizeImage(image, Initial(), Dest0(), false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const datCh ch = Load(image, itemkind::kChannel, c.channel);
    EXPECT_EQ(ch.IsUsed(), c.used);
    if (c.bandDefault >= 0) {
      const datCh d = BandDefault(c.bandDefault);
      EXPECT_EQ(ch.freq, d.freq);
      EXPECT_EQ(ch.mode, d.mode);
      EXPECT_EQ(ch.toneMode, d.toneMode);
      EXPECT_EQ(ch.offset, d.offset);
    } else {
      EXPECT_EQ(ch.freq, c.expectFreq);
      EXPECT_EQ(ch.mode, c.expectMode);
    }
  }
}

TEST(NormalizeImageTest, FrequenciesSnapToTheirBandsGridAndCancellerFollowsTheBand) {
  cmcEeprom image = Initial();
  StoreChannel(image, 30, 145000000, 0, 0);
  SetRawFreq(image, 30, 2, 17401);  // 145008333 Hz: 8.33 kHz outside the air band
  StoreChannel(image, 31, 120000000, 3, 0);
  SetRawFreq(image, 31, 0, 23601);  // 118005000 Hz: 5 kHz inside the air band
  ASSERT_EQ(Load(image, itemkind::kChannel, 30).freq, 145008333u);
  ASSERT_EQ(Load(image, itemkind::kChannel, 31).freq, 118005000u);
  ASSERT_NE(BandDefault(1).cancellerFreq, 5110u);

  imagepass::NormalizeImage(image, Initial(), Dest0(), false);
  const datCh vhf = Load(image, itemkind::kChannel, 30);
  EXPECT_EQ(vhf.freq, 145010000u);
  EXPECT_EQ(vhf.cancellerFreq, BandDefault(1).cancellerFreq);
  const datCh air = Load(image, itemkind::kChannel, 31);
  EXPECT_EQ(air.freq, 118008333u);
  EXPECT_EQ(air.cancellerFreq, BandDefault(0).cancellerFreq);
}

TEST(NormalizeImageTest, TextAreasKeepOnlyWhatTheRadioShows) {
  const std::int64_t areas[] = {0x25E62, 0x25EB2, 0x29D91};
  struct Case {
    std::string in, out;
  } cases[] = {
      {"A\x07"
       "B",
       "A B"},
      {"\x82\xA0kana \xB1\xB2", "  kana \xB1\xB2"},  // double-byte pair out, half-width kana in
      {"ok \x81", "ok  "},                           // a lead byte alone at the end
      {"\xFF\xFE\x7F", "   "},
      {"Plain ASCII ~!", "Plain ASCII ~!"},
  };
  for (const Case& c : cases) {
    cmcEeprom image = Initial();
    std::string field = c.in;
    field.resize(20, ' ');
    for (std::int64_t a : areas) image.SetBlock(a, field.data(), 20);
    imagepass::NormalizeImage(image, Initial(), Dest0(), false);
    std::string expected = c.out;
    expected.resize(20, ' ');
    for (std::int64_t a : areas) {
      std::string got(20, '\0');
      image.GetBlock(a, got.data(), 20);
      EXPECT_EQ(got, expected) << "area " << a;
    }
  }
}

TEST(NormalizeImageTest, RepeatersAreMadeConsistentWithTheirType) {
  struct Case {
    const char* what;
    std::uint32_t type;
    const char* call;
    const char* gateway;
    std::uint32_t duplex;
    std::uint32_t offset;
    // Expected.
    const char* expectCall;
    const char* expectGateway;
    std::uint32_t expectDuplex;
    std::uint32_t expectOffset;
    std::uint32_t expectToneMode;
    std::uint32_t expectToneIndex;
  } cases[] = {
      {"digital with call", rpt::kTypeDv, "JP1YIU A", "JP1YIU G", 2, 5000000, "JP1YIU A",
       "JP1YIU G", 2, 5000000, 0, 8},
      {"digital without call", rpt::kTypeDv, "", "JP1YIU G", 2, 5000000, "        ", "        ", 0,
       0, 0, 8},
      {"analogue with duplex", rpt::kTypeFm, "JR1ABC  ", "JR1ABC G", 1, 600000, "JR1ABC  ",
       "        ", 1, 600000, 1, 20},
      {"analogue simplex", rpt::kTypeFmN, "JR1DEF  ", "JR1DEF G", 0, 600000, "        ", "        ",
       0, 0, 1, 20},
  };
  cmcEeprom image = Initial();
  const int n = static_cast<int>(std::size(cases));
  SetRptGroupCount(image, 0, n);  // the last case is stored again past the list below
  auto store = [&](int i, const Case& c) {
    datCh r(&image);
    r.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
    r.rptMode = c.type;
    r.freq = 439500000;
    r.duplex = c.duplex;
    r.offset = c.offset;
    r.rptToneMode = 1;
    r.rptToneIndex = 20;
    SetText(r.rptCall, c.call);
    SetText(r.gwCall, c.gateway);
    ASSERT_TRUE(r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i)));
  };
  for (int i = 0; i < n; ++i) store(i, cases[i]);
  store(n, cases[n - 1]);  // unused: left alone
  imagepass::NormalizeImage(image, Initial(), Dest0(), false);
  for (int i = 0; i < n; ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.what);
    const datCh r = Load(image, itemkind::kRepeater, i);
    EXPECT_EQ(Text(r.rptCall), c.expectCall);
    EXPECT_EQ(Text(r.gwCall), c.expectGateway);
    EXPECT_EQ(r.duplex, c.expectDuplex);
    EXPECT_EQ(r.offset, c.expectOffset);
    EXPECT_EQ(r.rptToneMode, c.expectToneMode);
    EXPECT_EQ(r.rptToneIndex, c.expectToneIndex);
  }
  const datCh unused = Load(image, itemkind::kRepeater, n);
  EXPECT_EQ(Text(unused.rptCall), "JR1DEF  ");
  EXPECT_EQ(Text(unused.gwCall), "JR1DEF G");
}

TEST(NormalizeImageTest, DestinationSettingsComeFromTheInitialImage) {
  struct Span {
    std::int64_t offset;
    int length;
  };
  const Span always[] = {{170653, 1}, {170963, 420}, {172912, 16}};
  const std::int64_t outside[] = {170655, 170698, 171880, 172900};
  struct Case {
    int destination;
    bool b170656, b170657, b170717, b172670;
  } cases[] = {
      {0, true, false, false, false},  // destination 0
      {2, false, true, true, true},    // group B
      {10, false, true, true, true},  {5, true, true, true, true},
      {16, true, true, true, true},  // none
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.destination);
    cmcEeprom image = Initial();
    cmcEeprom initial = Initial();
    for (std::int64_t a = 170600; a < 172928; ++a) {
      image.SetByte(a, 0x55);
      initial.SetByte(a, 0xAA);
    }
    imagepass::NormalizeImage(image, initial, indDestination(c.destination), false);
    auto copied = [&](std::int64_t a) { return image.GetByte(a) == 0xAA; };
    for (const Span& s : always)
      for (std::int64_t a = s.offset; a < s.offset + s.length; ++a) EXPECT_TRUE(copied(a)) << a;
    for (std::int64_t a : outside) EXPECT_FALSE(copied(a)) << a;
    EXPECT_EQ(copied(170656), c.b170656);
    EXPECT_EQ(copied(170657), c.b170657);
    EXPECT_EQ(copied(170717) && copied(170718), c.b170717);
    EXPECT_EQ(copied(172670) && copied(172671), c.b172670);
  }
}

TEST(NormalizeImageTest, InformationBitsComeFromTheFlagAndTheInitialImage) {
  struct Case {
    bool flag;
    std::uint8_t initial170870, initial170871, image170871;
    std::uint8_t expect170870, expect170871;
  } cases[] = {
      {true, 0x00, 0x40, 0xBF, 0x08, 0xFF},
      {false, 0xFF, 0x00, 0xFF, 0xF7, 0xBF},
      {true, 0xF0, 0x40, 0x00, 0xF8, 0x40},
  };
  for (const Case& c : cases) {
    cmcEeprom image = Initial();
    cmcEeprom initial = Initial();
    initial.SetByte(170870, c.initial170870);
    initial.SetByte(170871, c.initial170871);
    image.SetByte(170870, 0x5A);
    image.SetByte(170871, c.image170871);
    imagepass::NormalizeImage(image, initial, Dest0(), c.flag);
    EXPECT_EQ(image.GetByte(170870), c.expect170870);
    EXPECT_EQ(image.GetByte(170871), c.expect170871);
  }
}

TEST(NormalizeImageTest, SendsTheBankTableEventOnceAndLeavesTheInitialImageAsItIs) {
  const cmcEeprom& initial = Initial();  // built (and its event sent) before listening
  ScopedEvMan bus;
  int sent = 0;
  bus->AddListener(&sent, [&sent](const cmcEvent& e) {
    if (e.id == ev::DocumentEdited) ++sent;
  });
  cmcEeprom image = initial;
  imagepass::NormalizeImage(image, initial, Dest0(), false);
  EXPECT_EQ(sent, 1);
  EXPECT_TRUE(image == initial);
}

}  // namespace
