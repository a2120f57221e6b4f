// The copy buffer: paste rules, clamping to each list, and records that
// outlive the image they were copied from.
#include "model/cmcClipCh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"

namespace {

std::unique_ptr<cmcEeprom> NewImage() {
  auto image = std::make_unique<cmcEeprom>();
  image->SetSize(layout::kImageSize);
  image->Fill(0xFF);
  for (int b = 0; b < layout::kBankCount * layout::kBankSlots; ++b) {
    image->SetByte(layout::kBankTable + 2 * b, 0xFF);
    image->SetByte(layout::kBankTable + 2 * b + 1, 0xFF);
  }
  return image;
}

void StoreChannel(cmcEeprom& image, int n, std::uint32_t freq, const char* name, int bank = 255,
                  int slot = 0) {
  datCh ch(&image);
  ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
  ch.flags = datCh::kUsed;
  ch.freq = freq;
  ch.offset = 600000;
  ch.mode = 0;
  ch.toneMode = 0;
  ch.duplex = 0;
  ch.bank = static_cast<std::uint32_t>(bank);
  ch.bankSlot = static_cast<std::uint32_t>(slot);
  ch.tuneStep = 0;
  SetText(ch.name, name);
  ASSERT_TRUE(ch.Store(itemkind::kChannel, static_cast<std::uint32_t>(n)));
  if (bank < 26) {
    image.SetByte(layout::BankTableEntry(bank, slot), static_cast<std::uint8_t>(n >> 8));
    image.SetByte(layout::BankTableEntry(bank, slot) + 1, static_cast<std::uint8_t>(n));
  }
}

void StoreEdge(cmcEeprom& image, int n, std::uint32_t low) {
  datCh e(&image);
  e.Load(itemkind::kScanEdge, static_cast<std::uint32_t>(n));
  e.flags = datCh::kUsed;
  e.freq = low;
  e.freq2 = low + 1000000;
  SetText(e.name, "EDGE");
  ASSERT_TRUE(e.Store(itemkind::kScanEdge, static_cast<std::uint32_t>(n)));
}

datCh Load(cmcEeprom& image, std::uint32_t kind, int n) {
  datCh r(&image);
  r.Load(kind, static_cast<std::uint32_t>(n));
  return r;
}

TEST(ClipChTest, PasteOnlyIntoTheSameKind) {
  auto image = NewImage();
  StoreChannel(*image, 3, 145000000, "ONE");
  datClipCh clip;
  EXPECT_FALSE(clip.CanPaste(0));
  clip.Copy(*image, itemkind::kChannel, 3, 1);
  const cmcEeprom before = *image;
  EXPECT_EQ(clip.Paste(*image, itemkind::kScanEdge, 0, 1), 0);
  EXPECT_EQ(*image, before);
  // The base buffer pastes into any kind it holds; the document's only into lists.
  clip.Copy(*image, itemkind::kRxCall, 0, 2);
  EXPECT_FALSE(clip.CanPaste(itemkind::kRxCall));
  EXPECT_EQ(clip.Paste(*image, itemkind::kRxCall, 0, 2), 0);
}

TEST(ClipChTest, PasteWritesAsManyAsAllowed) {
  auto image = NewImage();
  for (int n = 0; n < 3; ++n) StoreChannel(*image, n, 145000000 + 25000 * n, "ROW");
  datClipCh clip;
  clip.Copy(*image, itemkind::kChannel, 0, 3);
  ASSERT_EQ(clip.Count(), 3);
  EXPECT_EQ(clip.PasteGuarded(*image, itemkind::kChannel, 999, 1), 1);
  EXPECT_EQ(Load(*image, itemkind::kChannel, 999).freq, 145000000u);
  EXPECT_FALSE(Load(*image, itemkind::kChannel, 1000).IsUsed());
  // Kind 1 reaches the call channels: 3 rows at 1002 write 2.
  EXPECT_EQ(clip.Paste(*image, itemkind::kChannel, 1002, 3), 2);
  EXPECT_EQ(Load(*image, itemkind::kChannel, 1003).freq, 145025000u);
}

TEST(ClipChTest, ScanEdgesPastedNearTheEndStayInTheirList) {
  auto image = NewImage();
  for (int n = 0; n < 5; ++n) StoreEdge(*image, n, 150000000 + 2000000 * n);
  datClipCh clip;
  clip.Copy(*image, itemkind::kScanEdge, 0, 5);
  const std::int64_t region16 = 0xD018 + 4;
  const cmcEeprom before = *image;
  EXPECT_EQ(clip.Paste(*image, itemkind::kScanEdge, 22, 5), 3);
  EXPECT_EQ(Load(*image, itemkind::kScanEdge, 24).freq, 154000000u);
  EXPECT_EQ(0, std::memcmp(image->Data() + region16, before.Data() + region16, 0x24));
  // Copying past the last edge is clamped too.
  clip.Copy(*image, itemkind::kScanEdge, 22, 5);
  EXPECT_EQ(clip.Count(), 3);
  clip.Copy(*image, itemkind::kScanEdge, 25, 1);
  EXPECT_EQ(clip.Count(), 0);
}

TEST(ClipChTest, CopyClamps) {
  auto image = NewImage();
  datClipCh clip;
  struct Case {
    std::uint32_t kind, first;
    int count, held;
  } cases[] = {
      {itemkind::kBankChannel, 1000, 10, 4},  // 1004 channels, not 2600 bank slots
      {itemkind::kBankChannel, 1004, 1, 0},  {itemkind::kChannel, 1003, 2, 1},
      {itemkind::kRepeater, 1498, 5, 2},     {itemkind::kYourCall, 0, -1, 0},
      {itemkind::kGpsMemory, 299, 1, 1},     {itemkind::kNone, 0, 5, 0},
      {itemkind::kBandDefault, 0, 3, 0},
  };
  for (const Case& c : cases) {
    clip.Copy(*image, c.kind, c.first, c.count);
    EXPECT_EQ(clip.Count(), c.held) << c.kind << "/" << c.first;
  }
  datCh r;
  EXPECT_FALSE(clip.GetRecord(-1, r));
  clip.Copy(*image, itemkind::kChannel, 0, 2);
  EXPECT_TRUE(clip.GetRecord(1, r));
  EXPECT_FALSE(clip.GetRecord(2, r));
  EXPECT_EQ(r.Image(), nullptr);
}

TEST(ClipChTest, BankRowsLoseTheirBank) {
  auto image = NewImage();
  StoreChannel(*image, 10, 145500000, "BANKED", 2, 98);
  StoreChannel(*image, 11, 146500000, "TWICE", 2, 99);
  image->SetByte(layout::BankTableEntry(2, 99), 0xFF);  // claimed twice
  image->SetByte(layout::BankTableEntry(2, 99) + 1, 0xFE);
  datClipCh clip;
  clip.CopyBank(*image, itemkind::kChannel, 2, 98, 5);
  ASSERT_EQ(clip.Count(), 2);
  EXPECT_EQ(clip.Paste(*image, itemkind::kChannel, 500, 2), 2);
  const datCh pasted = Load(*image, itemkind::kChannel, 500);
  EXPECT_TRUE(pasted.IsUsed());
  EXPECT_EQ(pasted.freq, 145500000u);
  EXPECT_EQ(pasted.bank, datCh::kBankNone);
  EXPECT_EQ(std::string(pasted.name.data(), 6), "BANKED");
  EXPECT_FALSE(Load(*image, itemkind::kChannel, 501).IsUsed());
  // Bank channels keep their own kind.
  clip.CopyBank(*image, itemkind::kBankChannel, 2, 98, 1);
  EXPECT_FALSE(clip.CanPaste(itemkind::kChannel));
  EXPECT_TRUE(clip.CanPaste(itemkind::kBankChannel));
  for (int bank : {-1, 26}) {
    clip.CopyBank(*image, itemkind::kChannel, bank, 0, 3);
    EXPECT_EQ(clip.Count(), 0) << bank;
  }
  clip.CopyBank(*image, itemkind::kChannel, 0, 100, 1);
  EXPECT_EQ(clip.Count(), 0);
}

TEST(ClipChTest, EmptyRowPastesAsEmpty) {
  auto image = NewImage();
  StoreChannel(*image, 7, 145000000, "FULL");
  datClipCh clip;
  clip.Copy(*image, itemkind::kChannel, 6, 1);  // channel 6 is empty
  EXPECT_EQ(clip.Paste(*image, itemkind::kChannel, 7, 1), 1);
  EXPECT_FALSE(Load(*image, itemkind::kChannel, 7).IsUsed());
}

// The buffered records never point into the image they came from.
TEST(ClipChTest, PasteAfterTheSourceImageIsGone) {
  auto source = NewImage();
  StoreChannel(*source, 1, 147000000, "GONE");
  datClipCh clip;
  clip.Copy(*source, itemkind::kChannel, 0, 3);
  source->SetSize(16);
  source.reset();
  auto target = NewImage();
  EXPECT_EQ(clip.Paste(*target, itemkind::kChannel, 100, 3), 3);
  EXPECT_EQ(Load(*target, itemkind::kChannel, 101).freq, 147000000u);
  datCh r;
  ASSERT_TRUE(clip.GetRecord(1, r));
  EXPECT_EQ(r.Image(), nullptr);
}

}  // namespace
