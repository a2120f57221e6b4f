// kw-test: gui
// The painter canvas draws and measures code page 932 text on any device,
// measures without a painter, and the image list keeps its images at one
// size and draws nothing for an index it does not hold.
#include "sheet/cuiPainterCanvas.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <array>

#include "sheet/cuiImageList.h"

namespace {

QImage Blank(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

int CountColor(const QImage& image, QRgb color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == color;
  return n;
}

TEST(cuiPainterCanvas, FillsLinesAndPolygonsWhereAsked) {
  QImage image = Blank(20, 20);
  cuiPainterCanvas canvas(&image);
  ASSERT_TRUE(canvas.Begin());
  canvas.SetBrushColor(Qt::red);
  canvas.FillRect(QRect(2, 3, 4, 5));
  canvas.SetPenColor(Qt::blue);
  canvas.Line(QPoint(0, 19), QPoint(19, 19));
  const std::array<QPoint, 3> triangle{QPoint(10, 0), QPoint(19, 9), QPoint(10, 9)};
  canvas.SetBrushColor(Qt::green);
  canvas.SetPenColor(Qt::green);
  canvas.Polygon(triangle);
  canvas.End();
  EXPECT_EQ(CountColor(image, qRgb(255, 0, 0)), 4 * 5);
  EXPECT_EQ(image.pixel(2, 3), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(6, 3), qRgb(255, 255, 255));
  EXPECT_EQ(CountColor(image, qRgb(0, 0, 255)), 20);
  EXPECT_EQ(image.pixel(15, 8), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(11, 0), qRgb(255, 255, 255));
}

TEST(cuiPainterCanvas, MeasuresCodePage932TextWithOrWithoutAPainter) {
  QImage image = Blank(200, 40);
  cuiPainterCanvas canvas(&image);
  QFont font;
  font.setPixelSize(14);
  canvas.SetFont(font);
  const QFontMetrics fm(font, &image);
  // "\x82\xa0" is a hiragana "a"; the extent is that of the Unicode text.
  EXPECT_EQ(canvas.TextExtent("A\x82\xa0"),
            QSize(fm.horizontalAdvance(QString::fromUtf8("A\u3042")), fm.height()));
  // An empty text still has the font's height, so empty cells size rows.
  EXPECT_EQ(canvas.TextExtent(""), QSize(0, fm.height()));
  const core::TextExtent lines = core::GetTextExtentLines(canvas, "AB\nA");
  EXPECT_EQ(lines.width, canvas.TextWidth("AB"));
  EXPECT_EQ(lines.height, 2 * fm.height());
  // Drawing without a painter does nothing and does not fail.
  canvas.TextOut(0, 0, "A");
  canvas.FillRect(QRect(0, 0, 10, 10));
  EXPECT_EQ(CountColor(image, qRgb(255, 255, 255)), 200 * 40);
}

TEST(cuiPainterCanvas, TextBoxFollowsTheBrushAndClippingHolds) {
  QImage image = Blank(100, 30);
  cuiPainterCanvas canvas(&image);
  ASSERT_TRUE(canvas.Begin());
  QFont font;
  font.setPixelSize(12);
  canvas.SetFont(font);
  canvas.SetFontColor(Qt::black);
  canvas.SetBrushColor(Qt::yellow);
  canvas.TextOut(0, 0, "W");  // solid brush: the box behind the text is filled
  const QSize box = canvas.TextExtent("W");
  canvas.SetBrushStyle(cuiCanvas::BrushStyle::Clear);
  canvas.TextRect(QRect(50, 0, 3, 30), 50, 0, "WWWW");
  canvas.End();
  EXPECT_EQ(image.pixel(box.width() - 1, box.height() - 1), qRgb(255, 255, 0));
  for (int y = 0; y < 30; ++y)
    for (int x = 53; x < 100; ++x) ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x;
}

TEST(cuiPainterCanvas, APdfPageReportsItsResolutionAndTakesDrawing) {
  // Printing draws on a page at the printer's resolution; stored widths and
  // fonts scale by it.
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setResolution(600);
  cuiPainterCanvas canvas(&pdf);
  EXPECT_EQ(canvas.PixelsPerInchY(), 600);
  QFont font;
  font.setPointSize(10);
  canvas.SetFont(font);
  // 10 points at 600 pixels an inch: a line of about 83 pixels and more.
  EXPECT_GE(canvas.TextHeight("A"), 83);
  ASSERT_TRUE(canvas.Begin());
  canvas.SetBrushColor(Qt::black);
  canvas.FillRect(QRect(0, 0, 600, 20));
  canvas.TextOut(0, 40, "KW-3700");
  canvas.End();
  EXPECT_TRUE(buffer.data().startsWith("%PDF"));
}

TEST(cuiImageList, KeepsOneSizeAndIgnoresUnknownIndexes) {
  cuiImageList list(4, 4);
  QImage big(8, 8, QImage::Format_RGB32);
  big.fill(Qt::red);
  EXPECT_EQ(list.Add(big), 0);
  QImage strip(12, 4, QImage::Format_RGB32);
  strip.fill(Qt::blue);
  EXPECT_EQ(list.AddStrip(strip), 3);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Image(0).size(), QSize(4, 4));
  EXPECT_TRUE(list.Image(4).isNull());
  EXPECT_TRUE(list.Image(-1).isNull());
  EXPECT_TRUE(list.Icon(9).isNull());

  QImage target = Blank(10, 10);
  cuiPainterCanvas canvas(&target);
  ASSERT_TRUE(canvas.Begin());
  list.Draw(canvas, 2, 2, 0);
  list.Draw(canvas, 0, 0, 7);
  canvas.End();
  EXPECT_EQ(CountColor(target, qRgb(255, 0, 0)), 16);
  EXPECT_EQ(target.pixel(2, 2), qRgb(255, 0, 0));
}

}  // namespace
