// kw-test: link=kw_test_cells_support
// The settings table as a whole: one case per call and set-mode cell, every
// field inside its area, every list value inside its field, the settings
// pages' indexes inside their rows; and a walk over every row and index of
// the sixteen default images in both interface languages: what each cell
// shows, how it steps, and that every pick and entry writes the row's own
// bytes (and its hook's) and can be undone byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "SettingCellsRig.h"
#include "cells/CallCases.h"
#include "cells/ChoiceFields.h"
#include "cells/PositionConverters.h"
#include "cells/rxformat/AprsSymbols.h"
#include "model/DefaultImage.h"
#include "model/InitialImage.h"
#include "model/indDestination.h"
#include "sheet/choices/ChoiceTable.h"
#include "sheet/choices/cmcFCache.h"

namespace {

using choicefield::ChoiceField;
using choicefield::Hook;
using choicefield::Shape;

constexpr int kFirstCallId = 306;
constexpr int kFirstSettingId = 353;
constexpr int kLastSettingId = 577;

bool FrameOwns(int id) { return id == 381 || id == 461 || (id >= 489 && id <= 491); }

bool IsSettingRow(const ChoiceField& f) {
  return f.cellId >= kFirstSettingId && f.cellId <= kLastSettingId;
}

TEST(SettingsTableStructure, EveryCallAndSetModeIdHasOneCase) {
  kwtest::CellFrameRig rig;  // the frame's own cases
  RegisterSettingCases(rig.table);
  RegisterCallCases(rig.table);
  for (int id = kFirstCallId; id <= kLastSettingId; ++id) EXPECT_TRUE(rig.table.IsFilled(id)) << id;
  // Every set-mode id but the frame's has a row of the table.
  for (int id = kFirstSettingId; id <= kLastSettingId; ++id)
    EXPECT_EQ(choicefield::FindChoiceField(id) != nullptr, !FrameOwns(id)) << id;
}

TEST(SettingsTableStructure, FieldsLieInTheCommonBlockOrTheirDeclaredArea) {
  struct Area {
    std::int64_t first, last;
  };
  const Area areas[] = {
      {0x29A9D, 0x29A9D + 0x4E2},  // the common settings block, as far as its settings reach
      {0x0C9C0, 0x0C9CF},          // the clone comment
      {0x2A27E, 0x2A27F},          // the weather channels of bands A and B
      {0x2A290, 0x2A297},          // the bank links of bands A and B
      {0x25EC6, 0x25EC7},          // the message page's selection and repeat
  };
  for (const ChoiceField& f : choicefield::ChoiceFields()) {
    for (int i = f.firstIndex; i <= f.lastIndex; ++i) {
      const std::int64_t first = choicefield::ChoiceByteOffset(f, i);
      const std::int64_t last = first + f.size - 1;
      const bool inside = std::any_of(std::begin(areas), std::end(areas), [&](const Area& a) {
        return first >= a.first && last <= a.last;
      });
      EXPECT_TRUE(inside) << f.cellName << "[" << i << "] at " << std::hex << first;
    }
  }
}

TEST(SettingsTableStructure, ListValuesFitTheirFields) {
  kwtest::SettingCellsRig r;
  cmcFCache& cache = r.rig.frame.ChoiceCache();
  for (const ChoiceField& f : choicefield::ChoiceFields()) {
    for (const char* list : {f.list, f.listAlt}) {
      if (!list) continue;
      const choices::ChoiceTable* table = cache.Table(list, Flex0);
      ASSERT_NE(table, nullptr) << list;
      const int shift = __builtin_ctz(f.mask);
      for (const choices::ChoiceOption& o : table->ByValue()) {
        if (f.shape == Shape::kSymbol) {
          EXPECT_TRUE(o.value == 255 || GetAprsSymbolCode(o.value)) << o.value;
        } else {
          EXPECT_LE(o.value, f.mask >> shift) << f.cellName << " " << list;
        }
      }
    }
  }
}

// The indexes the settings pages give their cells: the remote-microphone
// keys share a byte array, the two bands of the A/B band page are 0 and 1,
// every other cell is index 0.
TEST(SettingsTableStructure, ThePagesIndexesLieInsideTheirRows) {
  const struct {
    int id;
    std::vector<int> indexes;
  } multi[] = {
      {CL_Common_RemoteMicKey_Nor, {0, 1}},
      {CL_Common_RemoteMicKey_Tx, {0, 1}},
      {CL_Common_RemoteMicKey_Nor_UD, {2, 3}},
      {CL_Common_RemoteMicKey_Tx_UD, {2, 3}},
      {CL_Common_RemoteMicKey_Nor_BT, {4, 5, 6}},
      {CL_Common_RFPower, {0, 1}},
      {CL_Common_PauseTimer, {0, 1}},
      {CL_Common_ResumeTimer, {0, 1}},
      {CL_Common_TempSkipTimer, {0, 1}},
      {CL_Common_ProgramSkipScan, {0, 1}},
      {CL_Common_BankLink_A_J, {0, 1}},
      {CL_Common_BankLink_K_T, {0, 1}},
      {CL_Common_BankLink_U_Z, {0, 1}},
      {CL_Common_Wx_Alert, {0, 1}},
      {CL_Common_Wx_Ch, {0, 1}},
  };
  std::set<int> listed;
  for (const auto& m : multi) {
    listed.insert(m.id);
    for (const int index : m.indexes)
      EXPECT_NE(choicefield::FindRowAt(m.id, index, {false, 0}), nullptr)
          << m.id << "[" << index << "]";
  }
  for (const ChoiceField& f : choicefield::ChoiceFields()) {
    if (IsSettingRow(f) && !listed.count(f.cellId)) {
      EXPECT_TRUE(f.firstIndex == 0 && f.lastIndex == 0) << f.cellName;
    }
  }
  // The keys' arrays: 0x99.. and 0xA0.. hold one byte per index.
  EXPECT_EQ(choicefield::ChoiceByteOffset(
                *choicefield::FindRowAt(CL_Common_RemoteMicKey_Nor_UD, 3, {false, 0}), 3),
            0x29B39);
}

// ---- The walk ---------------------------------------------------------------

// The default image of a destination as a new document starts from it.
cmcEeprom DocumentImage(int destination) {
  return FullImageFromDefault(BuildDefaultImage(destination));
}

// The bytes a row's hook may write besides the row's own.
std::vector<std::int64_t> HookBytes(const ChoiceField& f) {
  const std::int64_t alarm = 0x29D7D, autoTx = 0x29AD4;
  switch (f.hook) {
    case Hook::kAlarmType: return {alarm + 1, alarm + 2, alarm + 3};
    case Hook::kAlarmGroup: return {alarm + 2, alarm + 3};
    case Hook::kGpsTxMode:
    case Hook::kSentences: return {autoTx};
    default: return {};
  }
}

bool IsMissingText(const std::string& text) {
  return text.size() >= 2 && text[0] == '?' && text[1] >= '0' && text[1] <= '9';
}

// An entry or a dialog's answer that changes the field, and the one that
// puts the start value back (from what the cell showed at the start).
struct Edit {
  bool dialog;  // a dialog's answer rather than a committed entry
  std::string change;
  std::string restore;
};

std::optional<Edit> EditFor(const ChoiceField& f, const cmcEeprom& image, std::int64_t at,
                            const std::string& shown) {
  auto digitsOf = [](const std::string& s) {
    std::string d;
    for (char c : s)
      if ((c >= '0' && c <= '9') || c == '-' || c == '.') d += c;
    return d;
  };
  std::array<std::uint8_t, 4> position{};
  image.GetBlock(at, position.data(), f.size >= 4 ? 4 : f.size);
  switch (f.shape) {
    case Shape::kInteger: {
      const int value = image.GetByte(at);
      return Edit{false, std::to_string(value == f.minimum ? f.minimum + 1 : f.minimum),
                  std::to_string(value)};
    }
    case Shape::kHexByte: return Edit{false, image.GetByte(at) == 0x20 ? "21" : "20", shown};
    case Shape::kUtcOffset: return Edit{false, "+9:00", shown};
    case Shape::kLatitude:
      return Edit{true,
                  " 35\xB0"
                  "39.12'N",
                  FormatLatitude(position, 1, 0, false)};
    case Shape::kLongitude:
      return Edit{true,
                  "139\xB0"
                  "44.45'E",
                  FormatLongitude(position, 1, 0, false)};
    case Shape::kTimeHm: return Edit{true, "12:34", shown};
    case Shape::kMinutes: return Edit{false, "1.25", digitsOf(shown)};
    case Shape::kAltitude:
    case Shape::kCourse:
    case Shape::kSpeed: return Edit{false, "90", digitsOf(shown)};
    case Shape::kMessage:
    case Shape::kComment:
    case Shape::kFixedText: return Edit{false, "TEST", shown};
    case Shape::kSymbolText: return Edit{false, "/-", shown};
    case Shape::kSentences:
    case Shape::kLogSentences:
    case Shape::kBankLinks: {
      // Start: nothing set in the default images.
      const int item = f.shape == Shape::kBankLinks ? f.minimum : 1;
      return Edit{true, std::to_string(1u << (26 - item)), "0"};
    }
    default: return std::nullopt;
  }
}

class SettingsWalk : public ::testing::Test {
 protected:
  void Walk(int destination, bool japanese) {
    ScopedDestination scope{indDestination(destination)};
    r_.rig.image = DocumentImage(destination);
    r_.rig.settings->EtcData.destination = static_cast<std::uint32_t>(destination);
    r_.UseJapanese(japanese);
    const choicefield::SelectorContext selector{japanese, destination};
    int walked = 0;
    for (const ChoiceField& f : choicefield::ChoiceFields()) {
      if (!IsSettingRow(f)) continue;
      for (int index = f.firstIndex; index <= f.lastIndex; ++index) {
        if (choicefield::FindRowAt(f.cellId, index, selector) != &f) continue;
        SCOPED_TRACE(std::string(f.cellName) + "[" + std::to_string(index) + "]");
        WalkCell(f, index, selector);
        ++walked;
        if (HasFailure()) return;
      }
    }
    // 220 set-mode cells and 16 further indexes; the auto repeater only
    // where the destination has one.
    EXPECT_GE(walked, 235);
  }

  // The areas set-mode cells write. Each request is checked and undone
  // there; the whole image is compared once per cell, which catches a write
  // anywhere else.
  struct Window {
    std::int64_t first, size;
  };
  static constexpr Window kWindows[] = {
      {0x29A9D, 0x4E3}, {0x0C9C0, 16}, {0x2A27E, 0x1A}, {0x25EC6, 2}};

  bool WindowsEqual(const cmcEeprom& start) const {
    for (const Window& w : kWindows)
      if (!std::equal(start.Data() + w.first, start.Data() + w.first + w.size,
                      r_.rig.image.Data() + w.first))
        return false;
    return true;
  }
  void RestoreWindows(const cmcEeprom& start) {
    for (const Window& w : kWindows)
      r_.rig.image.SetBlock(w.first, start.Data() + w.first, static_cast<int>(w.size));
  }

  // Only the row's bytes (of its bits) and its hook's differ from `start`.
  void ExpectOwnBytesOnly(const ChoiceField& f, std::int64_t at, const cmcEeprom& start) {
    const std::vector<std::int64_t> hook = HookBytes(f);
    for (const Window& window : kWindows) {
      const std::uint8_t* was0 = start.Data();
      const std::uint8_t* now0 = r_.rig.image.Data();
      const std::uint8_t* end = was0 + window.first + window.size;
      for (auto [w, n] = std::mismatch(was0 + window.first, end, now0 + window.first); w != end;
           std::tie(w, n) = std::mismatch(w + 1, end, n + 1)) {
        const std::int64_t a = w - was0;
        const std::uint8_t was = *w, now = *n;
        const std::int64_t k = a - at;
        const bool own = k >= 0 && k < f.size &&
                         ((was ^ now) & ~choicefield::FieldBits(f, static_cast<int>(k))) == 0;
        const bool hooked = std::find(hook.begin(), hook.end(), a) != hook.end();
        EXPECT_TRUE(own || hooked) << "byte " << std::hex << a << " changed";
        if (!own && !hooked) return;
      }
    }
  }

  void WalkCell(const ChoiceField& f, int index, const choicefield::SelectorContext& selector) {
    const std::int64_t at = choicefield::ChoiceByteOffset(f, index);
    const cmcEeprom start = r_.rig.image;
    const std::string shown = r_.Show(f.cellId, index);
    EXPECT_FALSE(IsMissingText(shown)) << shown;
    ASSERT_EQ(r_.rig.image, start) << "a display wrote";

    const char* list =
        choicefield::ChoiceListOf(f, index, imageaccess::CommonBlock(r_.rig.image), selector);
    cmcFCache& cache = r_.rig.frame.ChoiceCache();
    const choices::ChoiceTable* table = list ? cache.Table(list, Flex0) : nullptr;
    auto value = [&] {
      if (f.shape == Shape::kSymbol) {
        char code[2];
        r_.rig.image.GetBlock(at, code, 2);
        return FindAprsSymbolIndex(std::string_view(code, 2), true);
      }
      return static_cast<int>(choicefield::ReadChoiceValue(r_.rig.image, f, index));
    };
    const int startValue = table ? value() : 0;
    if (table) {
      const choices::ChoiceOption* option = table->Find(startValue);
      ASSERT_NE(option, nullptr) << startValue << " is not in " << list;
      EXPECT_EQ(shown, option->text);
    }

    // Space.
    r_.Key(f.cellId, cellop::kSpace, index);
    ExpectOwnBytesOnly(f, at, start);
    if (table) {
      int next = table->Step(startValue, 1).value;
      if (f.shape == Shape::kSymbol && next == 255) next = table->Step(next, 1).value;
      EXPECT_EQ(value(), next) << "Space from " << startValue;
    } else if (f.shape == Shape::kInteger || f.shape == Shape::kHexByte) {
      const int v = start.GetByte(at);
      EXPECT_EQ(r_.rig.image.GetByte(at), v == f.maximum ? f.minimum : v + 1);
    } else if (f.shape == Shape::kBankLinks) {
      EXPECT_FALSE(WindowsEqual(start)) << "Space sets every bank";
    } else if (f.shape != Shape::kUtcOffset && f.shape != Shape::kMinutes &&
               f.shape != Shape::kCourse && f.shape != Shape::kSpeed &&
               f.shape != Shape::kAltitude) {
      EXPECT_TRUE(WindowsEqual(start)) << "Space changed a field that does not step";
    }
    RestoreWindows(start);

    if (table) {
      for (const choices::ChoiceOption& o : table->ByValue()) {
        r_.Pick(f.cellId, o.value, index);
        ExpectOwnBytesOnly(f, at, start);
        if (!(f.shape == Shape::kSymbol && o.value == 255)) {
          EXPECT_EQ(value(), o.value);
        }
        r_.Pick(f.cellId, startValue, index);
        const bool hookResets =
            f.hook == Hook::kAlarmType || f.hook == Hook::kAlarmGroup || f.hook == Hook::kGpsTxMode;
        if (!hookResets) {
          EXPECT_TRUE(WindowsEqual(start)) << "re-picking " << startValue;
        }
        RestoreWindows(start);
      }
      EXPECT_EQ(r_.rig.image, start) << "a byte outside the settings' areas changed";
      return;
    }
    const std::optional<Edit> edit = EditFor(f, start, at, shown);
    if (!edit || f.hook == Hook::kAlarmMemory) {
      // Display only (or not applying now): nothing a user does changes it.
      r_.Commit(f.cellId, "1", index);
      r_.Answer(f.cellId, "1", index);
      r_.Key(f.cellId, cellop::kEnter, index);
      EXPECT_EQ(r_.rig.image, start);
      return;
    }
    auto apply = [&](const std::string& text) {
      if (edit->dialog)
        r_.Answer(f.cellId, text, index);
      else
        r_.Commit(f.cellId, text, index);
    };
    apply(edit->change);
    EXPECT_FALSE(WindowsEqual(start)) << "no change from " << edit->change;
    ExpectOwnBytesOnly(f, at, start);
    apply(edit->restore);
    EXPECT_TRUE(WindowsEqual(start)) << "not restored by " << edit->restore;
    EXPECT_EQ(r_.rig.image, start) << "a byte outside the settings' areas changed";
    r_.rig.image = start;
  }

  kwtest::SettingCellsRig r_;
};

TEST_F(SettingsWalk, EveryRowOfEveryDefaultImageInEnglish) {
  for (int d = 0; d < kDefaultImageCount && !HasFailure(); ++d) {
    SCOPED_TRACE("destination " + std::to_string(d));
    Walk(d, false);
  }
}

TEST_F(SettingsWalk, EveryRowOfEveryDefaultImageInJapanese) {
  for (int d = 0; d < kDefaultImageCount && !HasFailure(); ++d) {
    SCOPED_TRACE("destination " + std::to_string(d));
    Walk(d, true);
  }
}

}  // namespace
