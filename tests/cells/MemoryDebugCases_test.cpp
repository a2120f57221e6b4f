// kw-test: link=kw_test_cells_support
// The memory debug window's cells: addresses, bytes against the compare
// snapshot, the difference search, and requests at the image's edges.
#include "cells/MemoryDebugCases.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CapsuleKit.h"
#include "cells/names/CellNames.h"
#include "core/ColorNames.h"
#include "core/EventIds.h"
#include "support/cells/CellFrameRig.h"

namespace {

constexpr std::int32_t kF3 = cellop::FunctionKey(3);
constexpr std::int32_t kF4 = cellop::FunctionKey(4);
constexpr std::int32_t kImageSize = 0x40000;

class MemoryDebugCasesTest : public ::testing::Test {
 protected:
  MemoryDebugCasesTest() {
    RegisterMemoryDebugCases(rig_.table);
    rig_.image.SetSize(kImageSize);
    compare_ = rig_.image;
    rig_.host.compareImage = &compare_;
  }

  struct Answer {
    std::string text;
    std::uint32_t color;
    std::int32_t status;
  };

  // Runs the cell of the byte (or of its row's address) as a sheet does.
  Answer Run(std::int32_t cellId, std::int32_t index, std::int32_t key,
             std::optional<std::string> entry = std::nullopt) {
    cmcCellObj cell;
    cell.category = CT_Null;
    cell.cellId = cellId;
    cell.index = index;
    cmcCellCapsule capsule = kwtest::Key(key);
    capsule.cell = &cell;
    if (entry) {
      capsule.mode = cellmode::kCommit;
      capsule.inputText = *entry;
    }
    const std::int32_t status = rig_.frame.Handle(capsule, 1);
    return {capsule.outputText, cell.EffectiveFont().color, status};
  }
  Answer RunByte(std::int64_t address, std::int32_t key,
                 std::optional<std::string> entry = std::nullopt) {
    return Run(CL_EeDebugWin_0 + static_cast<std::int32_t>(address % 16),
               static_cast<std::int32_t>(address / 16), key, std::move(entry));
  }

  // The addresses of the event-27 posts delivered since the last call.
  std::vector<std::intptr_t> Selections() {
    rig_.Drain();
    std::vector<std::intptr_t> found;
    for (const auto& e : rig_.events) {
      if (e.id != ev::ImageWindowSelect) continue;
      EXPECT_EQ(e.mode, cmcEvent::Posted);
      EXPECT_EQ(e.p1, 0);
      found.push_back(e.p2);
    }
    rig_.events.clear();
    return found;
  }

  kwtest::CellFrameRig rig_;
  cmcEeprom compare_;
};

TEST_F(MemoryDebugCasesTest, RowsShowTheirAddressAndBytes) {
  EXPECT_EQ(Run(CL_EeDebugWin_Adr, 0, cellop::kQuery).text, "   0");
  EXPECT_EQ(Run(CL_EeDebugWin_Adr, 1, cellop::kQuery).text, "  10");
  EXPECT_EQ(Run(CL_EeDebugWin_Adr, 0x2A38, cellop::kQuery).text, "2A380");
  EXPECT_EQ(Run(CL_EeDebugWin_Adr, 0x3FFF, cellop::kQuery).text, "3FFF0");

  rig_.image.SetByte(0x2A38F, 0xA5);
  compare_.SetByte(0x2A38F, 0xA5);
  EXPECT_EQ(Run(CL_EeDebugWin_F, 0x2A38, cellop::kQuery).text, "A5");
  EXPECT_EQ(Run(CL_EeDebugWin_0, 0x2A38, cellop::kQuery).text, "00");
}

TEST_F(MemoryDebugCasesTest, AnEntryWritesTheByteAndADifferenceIsRed) {
  const Answer equal = RunByte(0x1234, cellop::kQuery);
  EXPECT_NE(equal.color, color::kRed);

  const Answer typed = RunByte(0x1234, '7');
  EXPECT_EQ(typed.status, kCellOpenEditor);
  EXPECT_EQ(rig_.image.GetByte(0x1234), 0);

  const Answer stored = RunByte(0x1234, cellop::kQuery, "7F");
  EXPECT_EQ(rig_.image.GetByte(0x1234), 0x7F);
  EXPECT_EQ(stored.text, "7F");
  EXPECT_EQ(stored.color, color::kRed);
  EXPECT_EQ(compare_.GetByte(0x1234), 0);
  EXPECT_GT(rig_.host.checkDelayStarts, 0);

  // Only that byte changed; a bad entry changes nothing.
  cmcEeprom expected = compare_;
  expected.SetByte(0x1234, 0x7F);
  EXPECT_EQ(rig_.image, expected);
  for (const char* bad : {"", "7G", "123", "x"}) {
    RunByte(0x1234, cellop::kQuery, bad);
    EXPECT_EQ(rig_.image, expected) << bad;
  }
  // Equal to the snapshot again: no longer red.
  EXPECT_NE(RunByte(0x1234, cellop::kQuery, "0").color, color::kRed);
}

TEST_F(MemoryDebugCasesTest, SearchesFindTheNextDifferenceOnceRoundAtMost) {
  struct Case {
    const char* what;
    std::vector<std::int64_t> differences;
    std::int64_t from;
    std::int32_t key;
    std::vector<std::intptr_t> found;
  };
  const Case cases[] = {
      {"forward", {0x2A37F}, 0x10, kF3, {0x2A37F}},
      {"backward, wrapping past 0", {0x2A37F}, 0x10, kF4, {0x2A37F}},
      {"forward, wrapping past the end", {0x08}, 0x10, kF3, {0x08}},
      {"the nearest of two, forward", {0x05, 0x20}, 0x10, kF3, {0x20}},
      {"the nearest of two, backward", {0x05, 0x20}, 0x10, kF4, {0x05}},
      {"the last searched byte", {0x2B86F}, 0x2B86F - 1, kF3, {0x2B86F}},
      {"the start byte alone, after a lap", {0x10}, 0x10, kF3, {0x10}},
      {"equal images", {}, 0x10, kF3, {}},
      {"equal images, backward", {}, 0x10, kF4, {}},
      {"past the searched span", {0x2B870, 0x3FFFF}, 0x10, kF3, {}},
      {"from past the span, forward", {0x11}, 0x30000, kF3, {0x11}},
      {"from past the span, backward", {0x11}, 0x30000, kF4, {0x11}},
  };
  for (const Case& c : cases) {
    rig_.image = compare_;
    for (std::int64_t a : c.differences) rig_.image.SetByte(a, 0x5A);
    const cmcEeprom before = rig_.image;
    RunByte(c.from, c.key);
    EXPECT_EQ(Selections(), c.found) << c.what;
    EXPECT_EQ(rig_.image, before) << c.what;
  }
  // The address cell and queries search nothing.
  rig_.image.SetByte(0x20, 1);
  Run(CL_EeDebugWin_Adr, 1, kF3);
  RunByte(0x10, cellop::kQuery);
  EXPECT_TRUE(Selections().empty());
}

// A row past the end of the image or the snapshot, a negative index, a
// missing snapshot: nothing is read outside either image (which would end
// the program), nothing is written, nothing is found.
TEST_F(MemoryDebugCasesTest, RequestsStayInsideTheImages) {
  rig_.image.SetSize(0x2B869);
  const cmcEeprom before = rig_.image;
  for (std::int32_t index : {0x2B86, 0x2B87, 0x3FFF, -1}) {
    for (std::int32_t id = CL_EeDebugWin_0; id <= CL_EeDebugWin_F; ++id) {
      const Answer a = Run(id, index, cellop::kQuery, "12");
      const std::int64_t address = static_cast<std::int64_t>(index) * 16 + (id - CL_EeDebugWin_0);
      if (address >= 0 && address < 0x2B869) {
        EXPECT_EQ(a.text, "12");
        rig_.image.SetByte(address, 0);
      } else {
        EXPECT_EQ(a.text, "") << index << " " << id;
      }
      Run(id, index, kF3);
      Run(id, index, kF4);
    }
  }
  EXPECT_EQ(rig_.image, before);
  EXPECT_EQ(Run(CL_EeDebugWin_Adr, -1, cellop::kQuery).text, "");

  // A snapshot shorter than the image: bytes past it are not red and are
  // never found.
  rig_.image.SetSize(kImageSize);
  compare_.SetSize(0x100);
  rig_.image.SetByte(0x200, 1);
  EXPECT_NE(RunByte(0x200, cellop::kQuery).color, color::kRed);
  RunByte(0x10, kF3);
  EXPECT_TRUE(Selections().empty());
  rig_.image.SetByte(0x80, 1);
  RunByte(0x10, kF4);
  EXPECT_EQ(Selections(), std::vector<std::intptr_t>{0x80});

  // No snapshot at all (an empty one, or none kept).
  compare_ = cmcEeprom();
  EXPECT_NE(RunByte(0x80, cellop::kQuery).color, color::kRed);
  RunByte(0x10, kF3);
  rig_.host.compareImage = nullptr;
  EXPECT_NE(RunByte(0x80, cellop::kQuery).color, color::kRed);
  RunByte(0x10, kF4);
  EXPECT_TRUE(Selections().empty());
}

}  // namespace
