// Where the context-help popup goes relative to the cursor and work area.
#include <gtest/gtest.h>

#include "app/cuiHtmlHelpPlacement.h"

namespace {

struct Case {
  QRect area;
  QPoint cursor;
  QPoint expected;
};

TEST(HelpPopupPlacement, CentredUnderTheCursorAndKeptInTheWorkArea) {
  const QRect hd(0, 0, 1920, 1040);
  const Case cases[] = {
      {hd, {1000, 500}, {850, 500}},                    // centred, below the cursor
      {hd, {100, 500}, {0, 500}},                       // half width does not fit left: area left
      {hd, {150, 500}, {0, 500}},                       // exactly fits
      {hd, {1850, 500}, {1620, 500}},                   // would pass the right edge
      {hd, {1000, 900}, {850, 600}},                    // would pass the bottom: above the cursor
      {hd, {1000, 740}, {850, 740}},                    // ends exactly at the (exclusive) bottom
      {QRect(0, 0, 800, 400), {400, 200}, {250, 100}},  // fits neither: ends at the bottom
      // A work area that does not start at 0 (second monitor, task bar on top).
      {QRect(1920, 40, 1280, 984), {1950, 60}, {1920, 60}},
      {QRect(1920, 40, 1280, 984), {3190, 1000}, {2900, 700}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "cursor " << c.cursor.x() << "," << c.cursor.y());
    EXPECT_EQ(PlaceHelpPopup(c.cursor, QSize(300, 300), c.area), c.expected);
  }
}

}  // namespace
