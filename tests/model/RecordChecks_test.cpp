// kw-test: with=BlankListsImage.cpp
// Checks of single list entries, as tables of records and expected verdicts.
#include "model/RecordChecks.h"

#include <gtest/gtest.h>

#include "BlankListsImage.h"
#include "model/BankTable.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace {

using Check = bool (*)(const datCh&);

// A record with the fields the channel and scan-edge checks read.
struct Rec {
  std::uint32_t index = 5;
  std::uint32_t freq = 145000000;
  std::uint32_t offset = 0;
  std::uint32_t mode = 0;
  std::uint32_t tuneStep = 0;
  std::uint32_t freq2 = 0;
  bool used = true;
};

datCh Make(std::uint32_t kind, const Rec& r) {
  datCh record;
  record.kind = kind;
  record.index = r.index;
  record.freq = r.freq;
  record.freq2 = r.freq2;
  record.offset = r.offset;
  record.mode = r.mode;
  record.tuneStep = r.tuneStep;
  if (!r.used) record.flags &= ~datCh::kUsed;
  return record;
}

struct Case {
  const char* what;
  Check check;
  int destination;
  std::uint32_t kind;
  Rec rec;
  bool faulty;
};

constexpr std::uint32_t kCh = itemkind::kChannel;
constexpr std::uint32_t kEdge = itemkind::kScanEdge;
constexpr std::uint32_t kAir = 127000000;

const Case kCases[] = {
    // Range: the ends themselves pass.
    {"118 MHz", ChCheckFreqOutOfRange, 0, kCh, {.freq = 118000000}, false},
    {"550 MHz", ChCheckFreqOutOfRange, 0, kCh, {.freq = 550000000}, false},
    {"117.999999 MHz", ChCheckFreqOutOfRange, 0, kCh, {.freq = 117999999}, true},
    {"550.000001 MHz", ChCheckFreqOutOfRange, 0, kCh, {.freq = 550000001}, true},
    {"unused, out of range",
     ChCheckFreqOutOfRange,
     0,
     kCh,
     {.freq = 50000000, .used = false},
     false},
    // Grid of the duplex offset.
    {"air, offset 0", ChCheckStepGrid, 0, kCh, {.freq = kAir, .offset = 0}, false},
    {"air, offset 8333", ChCheckStepGrid, 0, kCh, {.freq = kAir, .offset = 8333}, false},
    {"air, offset 8334", ChCheckStepGrid, 0, kCh, {.freq = kAir, .offset = 8334}, true},
    {"air, offset 33333", ChCheckStepGrid, 0, kCh, {.freq = kAir, .offset = 33333}, false},
    {"VHF, offset 6250", ChCheckStepGrid, 0, kCh, {.offset = 6250}, false},
    {"VHF, offset 5000", ChCheckStepGrid, 0, kCh, {.offset = 5000}, false},
    {"VHF, offset 6000", ChCheckStepGrid, 0, kCh, {.offset = 6000}, true},
    // Limits.
    {"0 Hz", ChCheckFreqLimits, 0, kCh, {.freq = 0}, false},
    {"30 kHz", ChCheckFreqLimits, 0, kCh, {.freq = 30000}, false},
    {"29999 Hz", ChCheckFreqLimits, 0, kCh, {.freq = 29999}, true},
    {"1399995000 Hz", ChCheckFreqLimits, 0, kCh, {.freq = 1399995000}, false},
    {"1399995001 Hz", ChCheckFreqLimits, 0, kCh, {.freq = 1399995001}, true},
    // Band: destination 16 never fires; call channels by their half.
    {"dest 16, 50 MHz", ChCheckFreqBand, 16, kCh, {.freq = 50000000}, false},
    {"dest 16, call 1000 at 433",
     ChCheckFreqBand,
     16,
     kCh,
     {.index = 1000, .freq = 433000000},
     false},
    {"dest 0, 50 MHz", ChCheckFreqBand, 0, kCh, {.freq = 50000000}, true},
    {"dest 0, 433 MHz", ChCheckFreqBand, 0, kCh, {.freq = 433000000}, false},
    {"dest 0, call 1000 at 433", ChCheckFreqBand, 0, kCh, {.index = 1000, .freq = 433000000}, true},
    {"dest 0, call 1001 at 145",
     ChCheckFreqBand,
     0,
     kCh,
     {.index = 1001, .freq = 145000000},
     false},
    {"dest 0, call 1002 at 145", ChCheckFreqBand, 0, kCh, {.index = 1002, .freq = 145000000}, true},
    {"dest 0, call 1003 at 433",
     ChCheckFreqBand,
     0,
     kCh,
     {.index = 1003, .freq = 433000000},
     false},
    {"call channel kind, 1002 at 145",
     ChCheckFreqBand,
     0,
     itemkind::kCallChannel,
     {.index = 1002, .freq = 145000000},
     true},
    // Air-band modes.
    {"air, AM", ChCheckAirbandMode, 0, kCh, {.freq = kAir, .mode = 3}, false},
    {"air, AM-N", ChCheckAirbandMode, 0, kCh, {.freq = kAir, .mode = 4}, false},
    {"air, FM", ChCheckAirbandMode, 0, kCh, {.freq = kAir, .mode = 0}, true},
    {"VHF, AM", ChCheckAirbandMode, 0, kCh, {.mode = 3}, true},
    {"VHF, FM", ChCheckAirbandMode, 0, kCh, {.mode = 0}, false},
    // Tuning steps.
    {"VHF, step 2", ChCheckTuneStep, 2, kCh, {.tuneStep = 2}, true},
    {"VHF, step 0", ChCheckTuneStep, 0, kCh, {.tuneStep = 0}, false},
    {"VHF, auto step, dest 0", ChCheckTuneStep, 0, kCh, {.tuneStep = 14}, true},
    {"VHF, auto step, dest 2", ChCheckTuneStep, 2, kCh, {.tuneStep = 14}, false},
    {"air, step 2", ChCheckTuneStep, 0, kCh, {.freq = kAir, .tuneStep = 2}, false},
    {"air, step 3", ChCheckTuneStep, 0, kCh, {.freq = kAir, .tuneStep = 3}, false},
    {"air, step 8", ChCheckTuneStep, 0, kCh, {.freq = kAir, .tuneStep = 8}, false},
    {"air, auto step", ChCheckTuneStep, 0, kCh, {.freq = kAir, .tuneStep = 14}, false},
    // Scan edges.
    {"edge high out of band",
     ChCheckFreq2Band,
     0,
     kEdge,
     {.freq = 145000000, .freq2 = 50000000},
     true},
    {"edge high in band",
     ChCheckFreq2Band,
     0,
     kEdge,
     {.freq = 50000000, .freq2 = 146000000},
     false},
    {"edge low out of band",
     ChCheckFreq1Band,
     0,
     kEdge,
     {.freq = 50000000, .freq2 = 146000000},
     true},
    {"edge low, dest 16", ChCheckFreq1Band, 16, kEdge, {.freq = 50000000}, false},
    {"edge auto step, dest 0",
     ChCheckScanEdgeAutoStep,
     0,
     kEdge,
     {.tuneStep = 14, .freq2 = 146000000},
     true},
    {"edge auto step, dest 2",
     ChCheckScanEdgeAutoStep,
     2,
     kEdge,
     {.tuneStep = 14, .freq2 = 146000000},
     false},
    {"edge auto step, air",
     ChCheckScanEdgeAutoStep,
     0,
     kEdge,
     {.tuneStep = 14, .freq2 = kAir},
     false},
    {"edge auto step, unused",
     ChCheckScanEdgeAutoStep,
     0,
     kEdge,
     {.tuneStep = 14, .freq2 = 146000000, .used = false},
     false},
};

TEST(RecordChecksTest, ChannelAndScanEdgeChecks) {
  for (const Case& c : kCases) {
    ScopedDestination destination{indDestination(c.destination)};
    EXPECT_EQ(c.check(Make(c.kind, c.rec)), c.faulty) << c.what;
  }
}

TEST(RecordChecksTest, AirBandTuningStepsThatFail) {
  ScopedDestination destination{indDestination(0)};
  for (std::uint32_t step = 0; step < 16; ++step) {
    const bool bad = step <= 1 || (step >= 4 && step <= 7) || step == 9 || step == 10;
    EXPECT_EQ(ChCheckTuneStep(Make(kCh, {.freq = kAir, .tuneStep = step})), bad) << step;
  }
}

class ListChecksTest : public ::testing::Test {
 protected:
  void SetUp() override { image = kwtest::MakeBlankListsImage(0); }

  datCh Channel(int n, int bank, int slot) {
    datCh ch(&image);
    ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    ch.flags |= datCh::kUsed;
    ch.freq = 145000000;
    ch.bank = static_cast<std::uint32_t>(bank);
    ch.bankSlot = static_cast<std::uint32_t>(slot);
    EXPECT_TRUE(ch.StoreSelf());
    return ch;
  }

  int AddRepeater(std::uint32_t type, const char* call, std::uint32_t freq,
                  std::uint32_t duplex = 0) {
    const int i = GetRptTotalCount(image);
    EXPECT_TRUE(RptListInsert(image, 0, i));
    datCh r(&image);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    r.rptMode = type;
    SetText(r.rptCall, call);
    r.freq = freq;
    r.duplex = duplex;
    EXPECT_TRUE(r.StoreSelf());
    return i;
  }

  datCh Repeater(int i) {
    datCh r(&image);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    return r;
  }

  int AddYourCall(const char* call) {
    const int i = GetYourCallCount(image);
    EXPECT_TRUE(UrListInsert(image, i));
    datCh r(&image);
    r.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
    SetText(r.urCall, call);
    EXPECT_TRUE(r.StoreSelf());
    return i;
  }

  ScopedDestination destination{indDestination(0)};
  cmcEeprom image;
};

TEST_F(ListChecksTest, ASlotClaimedTwiceFailsBothChannels) {
  const datCh a = Channel(10, 0, 5);
  const datCh b = Channel(11, 0, 5);
  const datCh c = Channel(12, 0, 6);
  const datCh none = Channel(13, datCh::kBankNone, 0);
  RebuildBankTable(image);
  EXPECT_TRUE(ChCheckBankSlot(a));
  EXPECT_TRUE(ChCheckBankSlot(b));
  EXPECT_FALSE(ChCheckBankSlot(c));
  EXPECT_FALSE(ChCheckBankSlot(none));
  datCh unbound = a;
  unbound.SetImage(nullptr);
  EXPECT_FALSE(ChCheckBankSlot(unbound));
}

TEST_F(ListChecksTest, DuplicateRepeatersByTypeAndRange) {
  const int dvBlankModule = AddRepeater(0, "ABCDEF  ", 439000000, 1);
  const int dvA = AddRepeater(0, "ABCDEF A", 439000000, 1);
  const int dvB = AddRepeater(0, "ABCDEF B", 439000000, 1);
  const int fm1 = AddRepeater(1, "QQ1FMR  ", 146940000, 1);
  const int fm2 = AddRepeater(2, "QQ1FMR  ", 147000000, 1);     // FM-N, same range
  const int fm3 = AddRepeater(1, "QQ1FMR  ", 446000000, 1);     // other range
  const int dvSame = AddRepeater(0, "QQ1FMR  ", 439000000, 1);  // DV ignores the FM ones
  const int blank = AddRepeater(0, "        ", 439000000, 0);
  EXPECT_FALSE(ChCheckDuplicateRpt(Repeater(dvBlankModule)));
  EXPECT_TRUE(ChCheckDuplicateRpt(Repeater(dvA)));
  EXPECT_FALSE(ChCheckDuplicateRpt(Repeater(dvB)));
  EXPECT_FALSE(ChCheckDuplicateRpt(Repeater(fm1)));
  EXPECT_TRUE(ChCheckDuplicateRpt(Repeater(fm2)));
  EXPECT_FALSE(ChCheckDuplicateRpt(Repeater(fm3)));
  EXPECT_FALSE(ChCheckDuplicateRpt(Repeater(dvSame)));
  EXPECT_FALSE(ChCheckDuplicateRpt(Repeater(blank)));
  // An entry past the list, whose own call sign the search cannot reach,
  // clashes only with a listed entry.
  datCh past = Repeater(dvB);
  past.index = 1400;
  SetText(past.rptCall, "ZZ9ZZZ Z");
  EXPECT_FALSE(ChCheckDuplicateRpt(past));
  SetText(past.rptCall, "ABCDEF A");
  EXPECT_TRUE(ChCheckDuplicateRpt(past));
}

TEST_F(ListChecksTest, RepeaterFrequencyByType) {
  const struct {
    std::uint32_t type;
    const char* call;
    std::uint32_t freq, duplex;
    int destination;
    bool badFreq, dupWithoutCall;
  } cases[] = {
      {0, "ABCDEF B", 0, 0, 0, false, false},           // DV repeater may be 0 Hz
      {0, "        ", 0, 0, 0, true, false},            // DV simplex may not
      {0, "        ", 439000000, 1, 0, false, true},    // DV simplex with duplex
      {1, "QQ1FMR  ", 0, 1, 0, true, false},            // FM repeater
      {2, "        ", 0, 0, 0, true, false},            // FM simplex
      {1, "QQ1FMR  ", 600000000, 1, 0, true, false},    // outside the general ranges
      {1, "QQ1FMR  ", 600000000, 1, 16, false, false},  // no destination, no range
      {1, "QQ1FMR  ", 146940000, 1, 0, false, false},
  };
  for (const auto& c : cases) {
    ScopedDestination d{indDestination(c.destination)};
    const datCh r = Repeater(AddRepeater(c.type, c.call, c.freq, c.duplex));
    EXPECT_EQ(ChCheckRptFreq(r), c.badFreq) << c.type << " " << c.call << " " << c.freq;
    EXPECT_EQ(ChCheckRptDupWithoutCall(r), c.dupWithoutCall) << c.type << " " << c.call;
  }
}

TEST_F(ListChecksTest, YourCallSignsBlankOrRepeated) {
  const int first = AddYourCall("QQ1XYZ  ");
  const int other = AddYourCall("QQ1XYZ B");
  const int again = AddYourCall("QQ1XYZ  ");
  const int blank = AddYourCall("        ");
  auto entry = [&](int i) {
    datCh r(&image);
    r.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
    return r;
  };
  EXPECT_FALSE(ChCheckDuplicateUr(entry(first)));
  EXPECT_FALSE(ChCheckDuplicateUr(entry(other)));
  EXPECT_TRUE(ChCheckDuplicateUr(entry(again)));
  EXPECT_TRUE(ChCheckDuplicateUr(entry(blank)));
}

}  // namespace
