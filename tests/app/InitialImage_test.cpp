// The initial image of a destination: the default image's bytes through the
// loading passes and the fix-up, an empty bank table, the software area's
// head filled.
#include <gtest/gtest.h>

#include "app/ImagePasses.h"
#include "core/cmcEvMan.h"
#include "model/DefaultImage.h"
#include "model/LayoutImage.h"
#include "model/ListCounts.h"
#include "model/indDestination.h"

namespace {

TEST(InitialImageTest, IsTheDefaultImageOfItsDestinationWithAnEmptyBankTable) {
  ScopedEvMan bus;
  int bankTableEvents = 0;
  bus->AddListener(&bankTableEvents, [&bankTableEvents](const cmcEvent& e) {
    if (e.id == ev::DocumentEdited) ++bankTableEvents;
  });
  struct Case {
    int destination;
    int defaultImage;
    bool flag;
  } cases[] = {{5, 5, false}, {5, 5, true}, {16, 0, true}, {0, 0, false}, {-1, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.destination);
    const int before = bankTableEvents;
    const cmcEeprom image = imagepass::BuildInitialImage(indDestination(c.destination), c.flag);
    cmcEeprom expected = BuildDefaultImage(c.defaultImage);
    const std::uint8_t info = expected.GetByte(170870);
    expected.SetByte(170870, c.flag ? info | 0x08 : info & ~0x08);

    ASSERT_EQ(image.GetSize(), layout::kImageSize);
    int differing = 0;
    for (std::int64_t a = 0; a < kDefaultImageSize; ++a)
      differing += image.GetByte(a) != expected.GetByte(a);
    EXPECT_EQ(differing, 0);
    for (std::int64_t a = 0; a < 51; ++a)
      EXPECT_EQ(image.GetByte(172928 + a), image.GetByte(171904 + a)) << a;
    // The bank table event rebuilds the current image's table, not this one's.
    EXPECT_EQ(bankTableEvents, before + 1);
    for (std::int64_t a = 172979; a <= 178178; ++a) ASSERT_EQ(image.GetByte(a), 0xFF) << a;
    EXPECT_EQ(GetRptTotalCount(image), 0);
    EXPECT_EQ(GetYourCallCount(image), 0);
    for (std::int64_t a = layout::kMinImageSize; a < layout::kImageSize; a += 4096)
      EXPECT_EQ(image.GetByte(a), 0) << a;
  }
}

// Building the initial image leaves the destination in force as it was.
TEST(InitialImageTest, KeepsTheDestinationInForce) {
  ScopedDestination scope{indDestination(7)};
  imagepass::BuildInitialImage(indDestination(5), false);
  EXPECT_EQ(indDestination::Current().Code(), 7);
}

}  // namespace
