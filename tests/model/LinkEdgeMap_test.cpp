// kw-test: with=BlankListsImage.cpp
// Program links follow their scan edges when edges are renumbered.
#include "model/LinkEdgeMap.h"

#include <gtest/gtest.h>

#include <vector>

#include "BlankListsImage.h"
#include "model/ImageAccess.h"
#include "model/LayoutLists.h"

namespace {

using namespace layout;

std::int64_t LinkBase(int link) { return kLinkEdgeBitmaps + 4 * static_cast<std::int64_t>(link); }

std::vector<int> Members(const cmcEeprom& image, int link) {
  std::vector<int> edges;
  for (int e = 0; e < 32; ++e)
    if (imageaccess::GetBit(image, LinkBase(link), e)) edges.push_back(e);
  return edges;
}

class LinkEdgeMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image = kwtest::MakeBlankListsImage(0);
    for (int e : {1, 3}) imageaccess::SetBit(image, LinkBase(0), e, true);
    for (int e : {3, 24, 28}) imageaccess::SetBit(image, LinkBase(1), e, true);  // 28: no edge
  }
  cmcEeprom image;
};

TEST_F(LinkEdgeMapTest, DeletedEdgesLeaveEveryLinkAndLaterOnesMoveUp) {
  EdgeRenumbering map = IdentityEdgeRenumbering();
  map[1] = -1;
  for (int e = 2; e < kScanEdges; ++e) map[static_cast<std::size_t>(e)] = e - 1;
  RemapLinkEdges(image, map);
  EXPECT_EQ(Members(image, 0), (std::vector<int>{2}));
  EXPECT_EQ(Members(image, 1), (std::vector<int>{2, 23, 28}));
  EXPECT_TRUE(Members(image, 2).empty());
}

TEST_F(LinkEdgeMapTest, AnEdgePushedPastTheEndLeavesItsLinks) {
  EdgeRenumbering map{};
  for (int e = 0; e < kScanEdges; ++e) map[static_cast<std::size_t>(e)] = e + 1;  // 24 -> 25
  RemapLinkEdges(image, map);
  EXPECT_EQ(Members(image, 0), (std::vector<int>{2, 4}));
  EXPECT_EQ(Members(image, 1), (std::vector<int>{4, 28}));
}

TEST_F(LinkEdgeMapTest, ExchangedEdgesSwapTheirMemberships) {
  EdgeRenumbering map = IdentityEdgeRenumbering();
  map[3] = 4;
  map[4] = 3;
  RemapLinkEdges(image, map);
  EXPECT_EQ(Members(image, 0), (std::vector<int>{1, 4}));
  const cmcEeprom before = image;
  RemapLinkEdges(image, IdentityEdgeRenumbering());
  EXPECT_TRUE(before == image);
}

}  // namespace
