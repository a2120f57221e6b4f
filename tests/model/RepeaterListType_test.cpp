// The repeater-list entry types read from and written into records.
#include "model/RepeaterListType.h"

#include <gtest/gtest.h>

#include <string>

#include "model/datCh.h"

namespace {

datCh Repeater(std::uint32_t mode, const char* call, std::uint32_t duplex, bool used = true) {
  datCh r;
  r.rptMode = mode;
  SetText(r.rptCall, call);
  SetText(r.gwCall, "ABCDEF G");
  r.duplex = duplex;
  if (!used) r.flags &= ~datCh::kUsed;
  return r;
}

std::string Str(const datText<8>& text) { return std::string(text.data(), 8); }

TEST(RepeaterListTypeTest, TypeFromModeDuplexAndCallSign) {
  EXPECT_EQ(GetRepeaterListType(Repeater(0, "ABCDEF B", 1)), kRptTypeDvRepeater);
  EXPECT_EQ(GetRepeaterListType(Repeater(0, "", 1)), kRptTypeDvSimplex);
  EXPECT_EQ(GetRepeaterListType(Repeater(1, "QQ1FMR", 2)), kRptTypeFmRepeater);
  EXPECT_EQ(GetRepeaterListType(Repeater(2, "QQ1FMR", 1)), kRptTypeFmRepeater);  // FM-N
  EXPECT_EQ(GetRepeaterListType(Repeater(2, "", 0)), kRptTypeFmSimplex);
  EXPECT_EQ(GetRepeaterListType(Repeater(1, "", 0, false)), kRptTypeDvRepeater);  // unused
}

TEST(RepeaterListTypeTest, SettingATypeRewritesTheRecord) {
  const struct {
    std::uint32_t mode;
    const char* call;
    std::uint32_t duplex;
    int type;
    std::uint32_t modeAfter;
    const char* callAfter;
    const char* gatewayAfter;
    std::uint32_t duplexAfter;
  } cases[] = {
      {1, "", 2, 0, 0, "CALLSIGN", "ABCDEF G", 2},
      {0, "ABCDEF B", 1, 0, 0, "ABCDEF B", "ABCDEF G", 1},
      {0, "ABCDEF B", 1, 1, 0, "", "", 0},
      {0, "ABCDEF B", 0, 2, 1, "ABCDEF B", "ABCDEF G", 1},
      {2, "QQ1FMR", 2, 2, 2, "QQ1FMR", "ABCDEF G", 2},  // FM-N stays FM-N
      {0, "ABCDEF B", 1, 3, 1, "", "", 0},
      {2, "QQ1FMR", 2, 3, 2, "", "", 0},
  };
  for (const auto& c : cases) {
    datCh r = Repeater(c.mode, c.call, c.duplex);
    EXPECT_TRUE(SetRepeaterListType(c.type, r));
    EXPECT_EQ(r.rptMode, c.modeAfter) << c.type << " " << c.call;
    EXPECT_EQ(Str(r.rptCall), Str(Repeater(0, c.callAfter, 0).rptCall)) << c.type << " " << c.call;
    EXPECT_EQ(Str(r.gwCall), (std::string(c.gatewayAfter) + "        ").substr(0, 8));
    EXPECT_EQ(r.duplex, c.duplexAfter) << c.type << " " << c.call;
    EXPECT_EQ(GetRepeaterListType(r), c.type) << c.type << " " << c.call;
  }
  datCh r = Repeater(1, "QQ1FMR", 2);
  EXPECT_FALSE(SetRepeaterListType(4, r));
  EXPECT_EQ(r.rptMode, 1u);
  EXPECT_EQ(Str(r.rptCall), "QQ1FMR  ");
}

}  // namespace
