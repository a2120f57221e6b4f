// Every choice field of the sixteen default images holds a member of the list
// its cell offers, in both interface languages: the set-mode bytes, the DTMF
// and message selections, the GPS alarm row, and every channel, scan-edge,
// program-link, repeater and band-default record (mode and step checked
// against the band's plain list).
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cells/ChoiceFields.h"
#include "cells/RecordChoiceLists.h"
#include "cells/rxformat/AprsSymbols.h"
#include "model/BandDefaults.h"
#include "model/DefaultImage.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/ListCounts.h"
#include "model/RepeaterListType.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/ChoiceListSource.h"

namespace {

using kwtest::SourceHasValue;

// The sixteen images as a document holds them: the default image in a
// full-size image whose software area carries the destination's band
// defaults and empty list counts. Built once per test program.
const std::vector<cmcEeprom>& Images() {
  static const std::vector<cmcEeprom> images = [] {
    std::vector<cmcEeprom> all;
    for (int d = 0; d < kDefaultImageCount; ++d) {
      const cmcEeprom defaults = BuildDefaultImage(d);
      cmcEeprom image;
      image.SetSize(layout::kImageSize);
      image.Fill(0);
      image.SetBlock(0, defaults.Data(), defaults.GetSize());
      EXPECT_TRUE(WriteBandDefaults(image, d));
      all.push_back(std::move(image));
    }
    return all;
  }();
  return images;
}

// Runs a check over every destination's image (one test process for all
// sixteen keeps the suite fast).
class DefaultImageMembership : public ::testing::Test {
 protected:
  template <typename Check>
  void ForEachImage(Check check) {
    for (int d = 0; d < kDefaultImageCount; ++d) {
      SCOPED_TRACE("destination " + std::to_string(d));
      destination_ = d;
      image_ = Images()[static_cast<std::size_t>(d)];
      check();
      if (HasFailure()) return;
    }
  }
  int Destination() const { return destination_; }
  bool GroupB() const { return indDestination(destination_).IsGroupB(); }
  int destination_ = 0;
  cmcEeprom image_;
};

TEST_F(DefaultImageMembership, ChoiceBytesHoldMembersInBothLanguages) {
  ForEachImage([&] {
    for (const choicefield::ChoiceField& f : choicefield::ChoiceFields()) {
      // Symbol fields store a two-byte code: one of the selectable symbols.
      if (f.selector == choicefield::Selector::kAprsSymbol) {
        char code[2];
        image_.GetBlock(f.offset, code, 2);
        const int index = FindAprsSymbolIndex(std::string_view(code, 2), true);
        EXPECT_TRUE(index != 255 && SourceHasValue(f.list, index))
            << f.cellName << " holds " << std::string(code, 2);
        continue;
      }
      for (int index = f.firstIndex; index <= f.lastIndex; ++index) {
        for (const bool japanese : {false, true}) {
          const char* list = choicefield::ChoiceListOf(f, index, imageaccess::CommonBlock(image_),
                                                       {japanese, Destination()});
          if (!list) continue;
          const auto value = static_cast<int>(choicefield::ReadChoiceValue(image_, f, index));
          EXPECT_TRUE(SourceHasValue(list, value))
              << f.cellName << "[" << index << "] = " << value << " is not in " << list
              << (japanese ? " (Japanese)" : "") << ", destination " << Destination();
        }
      }
    }
  });
}

TEST_F(DefaultImageMembership, GpsAlarmRowIsAMember) {
  ForEachImage([&] {
    const GpsAlarm alarm = GetGpsAlarm(image_);
    EXPECT_TRUE(
        SourceHasValue("GI_Sheet_Sel_GPS_Alarm", GpsAlarmToSelIndex(alarm.type, alarm.group)));
  });
}

void ExpectChannelFields(const datCh& r, bool groupB, const std::string& what) {
  const std::int64_t f = r.freq;
  const struct {
    const char* list;
    std::uint32_t value;
  } fields[] = {
      {recordlists::PlainChannelModeList(f), r.mode},
      {recordlists::PlainChannelStepList(f, groupB), r.tuneStep},
      {"GI_Sheet_Sel_Mch_Dup", r.duplex},
      {"GI_Sheet_Sel_Mch_TSQL", r.toneMode},
      {"GI_Sheet_Sel_Mch_TFreq", r.rptTone},
      {"GI_Sheet_Sel_Mch_TFreq", r.tsqlTone},
      {"GI_Sheet_Sel_Mch_DTCS", r.dtcsCode},
      {"GI_Sheet_Sel_Mch_DTCS_Polarity", r.dtcsPolarity},
      {"GI_Sheet_Sel_Mch_DSQL", r.dvSql},
      {"GI_Sheet_Sel_Mch_Scan_Skip", r.skip},
      {"GI_Sheet_Sel_Mch_Bank_Group", r.bank},
  };
  for (const auto& field : fields)
    EXPECT_TRUE(SourceHasValue(field.list, static_cast<int>(field.value)))
        << what << ": " << field.value << " is not in " << field.list;
}

TEST_F(DefaultImageMembership, ChannelsAndBandDefaultsHoldPlainBandValues) {
  ForEachImage([&] {
    ScopedDestination scope{indDestination(Destination())};
    for (std::uint32_t i = 0; i < 1004; ++i) {
      datCh r(&image_);
      r.Load(itemkind::kChannel, i);
      // The records decode (an unreadable image would give cleared records).
      if (i == 0) {
        ASSERT_NE(r.freq, 0u);
      }
      ExpectChannelFields(r, GroupB(), "channel " + std::to_string(i));
      if (HasFailure()) return;  // one broken template would repeat 1004 times
    }
    for (std::uint32_t band = 0; band < 3; ++band) {
      datCh r(&image_);
      r.Load(itemkind::kBandDefault, band);
      ASSERT_NE(r.freq, 0u);
      ExpectChannelFields(r, GroupB(), "band default " + std::to_string(band));
    }
  });
}

TEST_F(DefaultImageMembership, ScanEdgesLinksAndRepeatersHoldMembers) {
  ForEachImage([&] {
    ScopedDestination scope{indDestination(Destination())};
    for (std::uint32_t i = 0; i < 25; ++i) {
      datCh r(&image_);
      r.Load(itemkind::kScanEdge, i);
      const char* step = recordlists::ScanEdgeStepList(r.freq, r.freq2, r.tuneStep, GroupB());
      const char* mode = recordlists::ScanEdgeModeList(r.freq, r.freq2);
      EXPECT_TRUE(SourceHasValue(step, static_cast<int>(r.tuneStep)))
          << "edge " << i << " " << step;
      EXPECT_TRUE(SourceHasValue(mode, static_cast<int>(r.mode))) << "edge " << i << " " << mode;
    }
    for (std::uint32_t i = 0; i < 260; ++i) {
      datCh r(&image_);
      r.Load(itemkind::kLinkPosition, i);
      EXPECT_TRUE(SourceHasValue("GI_Sheet_Sel_Pg_Link", static_cast<int>(r.linkEdge))) << i;
    }
    for (std::uint32_t i = 0; i < 1500; ++i) {
      datCh r(&image_);
      r.Load(itemkind::kRepeater, i);
      const int type = GetRepeaterListType(r);
      const struct {
        const char* list;
        std::uint32_t value;
      } fields[] = {
          {recordlists::RepeaterModeList(type), r.rptMode},
          {recordlists::RepeaterDupList(type), r.duplex},
          {"GI_Sheet_Sel_Rpt_Type", static_cast<std::uint32_t>(type)},
          {"GI_Sheet_Sel_Rpt_Tone", r.rptToneMode},
          {"GI_Sheet_Sel_Mch_TFreq", r.rptToneIndex},
          {"GI_Sheet_Sel_Rpt_Rpt1use", r.useFrom},
          {"GI_Sheet_Sel_Rpt_Position", r.positionMode},
      };
      for (const auto& field : fields)
        EXPECT_TRUE(SourceHasValue(field.list, static_cast<int>(field.value)))
            << "repeater " << i << ": " << field.value << " is not in " << field.list;
      if (HasFailure()) return;
    }
  });
}

}  // namespace
