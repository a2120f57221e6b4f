// kw-test: gui
// The program's pictures: the three lists in the sizes and counts the tree,
// tool bar and window icon expect, each picture its own, the tree marks
// leaving the node picture under them visible.
#include "app/AppPictures.h"

#include <gtest/gtest.h>

namespace {

using namespace apppictures;

int OpaquePixels(const QImage& image, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += qAlpha(image.pixel(x, y)) > 0;
  return n;
}

TEST(AppPicturesTest, ListsHaveTheirCountsSizesAndDistinctPictures) {
  struct List {
    const char* name;
    QList<QImage> images;
    int count;
    int size;
  } lists[] = {
      {"tree", TreePictures(), kTreePictureCount, kSmallSize},
      {"tool bar", ToolBarPictures(), kToolBarPictureCount, kSmallSize},
      {"icons", IconPictures(), kIconPictureCount, kLargeSize},
  };
  EXPECT_EQ(kTreePictureCount, 7);
  EXPECT_EQ(kToolBarPictureCount, 18);
  for (const List& list : lists) {
    SCOPED_TRACE(list.name);
    ASSERT_EQ(list.images.size(), list.count);
    for (int i = 0; i < list.count; ++i) {
      const QImage& image = list.images[i];
      EXPECT_EQ(image.size(), QSize(list.size, list.size)) << i;
      EXPECT_TRUE(image.hasAlphaChannel()) << i;
      // Something is drawn, and the background stays transparent somewhere.
      const int opaque = OpaquePixels(image, image.rect());
      EXPECT_GT(opaque, list.size * list.size / 16) << i;
      EXPECT_LT(opaque, list.size * list.size) << i;
      for (int j = 0; j < i; ++j) EXPECT_NE(image, list.images[j]) << i << " equals " << j;
    }
  }
}

// The tree lays a mark over a node's picture: only its lower right quarter
// may cover the picture.
TEST(AppPicturesTest, TreeMarksCoverOnlyTheLowerRightCorner) {
  const QList<QImage> tree = TreePictures();
  for (int mark : {kTreeWarningMark, kTreeErrorMark}) {
    SCOPED_TRACE(mark);
    const QImage& image = tree[mark];
    EXPECT_EQ(OpaquePixels(image, QRect(0, 0, 16, 7)), 0);
    EXPECT_EQ(OpaquePixels(image, QRect(0, 0, 7, 16)), 0);
    EXPECT_GT(OpaquePixels(image, QRect(8, 8, 8, 8)), 30);
  }
}

TEST(AppPicturesTest, PicturesAreTheSameOnEveryCall) {
  EXPECT_EQ(TreePictures(), TreePictures());
  EXPECT_EQ(ToolBarPictures(), ToolBarPictures());
  EXPECT_EQ(IconPictures(), IconPictures());
}

}  // namespace
