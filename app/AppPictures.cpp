// The pictures are drawn on a 16 (or 32) pixel grid: rectangles on whole
// pixels for crisp edges at the size they are shown, smoothing only for
// round and slanted shapes. One palette for all of them.
#include "app/AppPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <functional>

namespace apppictures {
namespace {

const QColor kInk(0x26, 0x2B, 0x33);
const QColor kBody(0x4B, 0x57, 0x66);
const QColor kBodyLight(0x71, 0x80, 0x92);
const QColor kPanel(0x1C, 0x22, 0x28);
const QColor kLcd(0x9B, 0xE5, 0x6E);
const QColor kAmber(0xFF, 0xB3, 0x47);
const QColor kKnob(0xC9, 0xCF, 0xD6);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kPaperEdge(0x6B, 0x72, 0x7C);
const QColor kPaperFold(0xD5, 0xDA, 0xE0);
const QColor kLine(0x8F, 0xA8, 0xC8);
const QColor kFolder(0xF2, 0xC2, 0x4E);
const QColor kFolderLight(0xFA, 0xDC, 0x8A);
const QColor kFolderEdge(0xB0, 0x80, 0x1E);
const QColor kGreen(0x2E, 0xA0, 0x43);
const QColor kRed(0xD7, 0x3A, 0x31);
const QColor kBlue(0x2F, 0x6F, 0xD0);
const QColor kYellow(0xF5, 0xC2, 0x1B);
const QColor kMetal(0xB8, 0xC0, 0xC8);

using Draw = std::function<void(QPainter&)>;

QImage Paint(int size, const Draw& draw) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  draw(painter);
  painter.end();
  return image;
}

void Smooth(QPainter& p, bool on) { p.setRenderHint(QPainter::Antialiasing, on); }

// A filled rectangle with a one-pixel outline, on whole pixels.
void Box(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& edge) {
  p.fillRect(x, y, w, h, edge);
  p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void ClearPixel(QPainter& p, int x, int y) {
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.fillRect(x, y, 1, 1, Qt::transparent);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Polygon(QPainter& p, std::initializer_list<QPointF> points, const QColor& fill,
             const QColor& edge, qreal width = 1.0) {
  Smooth(p, true);
  p.setPen(QPen(edge, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(fill);
  p.drawPolygon(QPolygonF(QList<QPointF>(points)));
  Smooth(p, false);
}

void Disc(QPainter& p, QPointF centre, qreal radius, const QColor& fill, const QColor& edge) {
  Smooth(p, true);
  p.setPen(QPen(edge, 1.0));
  p.setBrush(fill);
  p.drawEllipse(centre, radius, radius);
  Smooth(p, false);
}

// A shape given as rows of pixel spans {y, first x, last x}: its border
// pixels (those with a 4-neighbour outside the shape) in the edge colour,
// the rest in the fill colour. Crisp at 16 pixels where a smoothed outline
// would blur.
struct Span {
  int y, x0, x1;
};
void PixelShape(QPainter& p, std::initializer_list<Span> spans, const QColor& fill,
                const QColor& edge) {
  constexpr int kGrid = kSmallSize;
  std::array<std::array<bool, kGrid>, kGrid> in{};
  auto inside = [&in](int x, int y) {
    return x >= 0 && y >= 0 && x < kGrid && y < kGrid &&
           in[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
  };
  for (const Span& s : spans)
    for (int x = s.x0; x <= s.x1; ++x)
      if (x >= 0 && x < kGrid && s.y >= 0 && s.y < kGrid)
        in[static_cast<std::size_t>(s.y)][static_cast<std::size_t>(x)] = true;
  for (int y = 0; y < kGrid; ++y)
    for (int x = 0; x < kGrid; ++x) {
      if (!inside(x, y)) continue;
      const bool border =
          !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      p.fillRect(x, y, 1, 1, border ? edge : fill);
    }
}

// An 8 x 8 disc whose top left pixel is (x, y).
void PixelDisc(QPainter& p, int x, int y, const QColor& fill, const QColor& edge) {
  PixelShape(p,
             {{y, x + 2, x + 5},
              {y + 1, x + 1, x + 6},
              {y + 2, x, x + 7},
              {y + 3, x, x + 7},
              {y + 4, x, x + 7},
              {y + 5, x, x + 7},
              {y + 6, x + 1, x + 6},
              {y + 7, x + 2, x + 5}},
             fill, edge);
}

// Digits 1-4 and "i", three pixels wide and five high, row by row (bit 2 is
// the left column).
void Glyph(QPainter& p, char c, int x, int y, const QColor& colour) {
  static const std::array<std::array<int, 5>, 5> kRows = {{
      {2, 6, 2, 2, 7},  // 1
      {6, 1, 2, 4, 7},  // 2
      {6, 1, 2, 1, 6},  // 3
      {5, 5, 7, 1, 1},  // 4
      {2, 0, 2, 2, 2},  // i
  }};
  const int index = c == 'i' ? 4 : c - '1';
  if (index < 0 || index > 4) return;
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 3; ++col)
      if (kRows[static_cast<std::size_t>(index)][static_cast<std::size_t>(row)] & (4 >> col))
        p.fillRect(x + col, y + row, 1, 1, colour);
}

// The transceiver front, 14 x h pixels at (x, y): body, display, knob.
void Rig16(QPainter& p, int x, int y, int h, const QColor& display) {
  Box(p, x, y, 14, h, kBody, kInk);
  p.fillRect(x + 1, y + 1, 12, 1, kBodyLight);
  for (QPoint corner :
       {QPoint(x, y), QPoint(x + 13, y), QPoint(x, y + h - 1), QPoint(x + 13, y + h - 1)})
    ClearPixel(p, corner.x(), corner.y());
  const int panelH = h >= 8 ? 4 : 3;
  const int panelY = y + (h - panelH) / 2 + (h >= 8 ? 0 : 1);
  Box(p, x + 2, panelY, 6, panelH, display, kPanel);
  // The knob: a rounded square, with a pointer dot when there is room.
  const int knob = h >= 8 ? 4 : 3;
  const int knobX = x + 9;
  const int knobY = y + (h - knob) / 2;
  p.fillRect(knobX, knobY, knob, knob, kKnob);
  if (knob == 4) {
    for (QPoint c : {QPoint(knobX, knobY), QPoint(knobX + 3, knobY), QPoint(knobX, knobY + 3),
                     QPoint(knobX + 3, knobY + 3)})
      p.fillRect(c.x(), c.y(), 1, 1, kBody);
    p.fillRect(knobX + 1, knobY + 1, 1, 1, kInk);
  }
}

void Page(QPainter& p, int left, int right, const QColor& fill) {
  Polygon(p,
          {QPointF(left + 0.5, 1.5), QPointF(right - 3.5, 1.5), QPointF(right + 0.5, 5.5),
           QPointF(right + 0.5, 14.5), QPointF(left + 0.5, 14.5)},
          fill, kPaperEdge);
  Polygon(p, {QPointF(right - 3.5, 1.5), QPointF(right - 3.5, 5.5), QPointF(right + 0.5, 5.5)},
          kPaperFold, kPaperEdge);
}

void Folder(QPainter& p) {
  p.fillRect(1, 2, 6, 3, kFolderEdge);
  p.fillRect(2, 3, 4, 2, kFolder);
  Box(p, 1, 4, 14, 10, kFolder, kFolderEdge);
  p.fillRect(2, 5, 12, 1, kFolderLight);
}

// ---- list A ----

void TreeRig(QPainter& p) { Rig16(p, 1, 4, 9, kLcd); }
void TreeRig2(QPainter& p) { Rig16(p, 1, 4, 9, kAmber); }
void TreeFolder(QPainter& p) { Folder(p); }

void TreeNote(QPainter& p) {
  Page(p, 2, 13, kPaper);
  for (int y : {7, 9, 11}) p.fillRect(5, y, 6, 1, kLine);
  p.fillRect(5, 13, 4, 1, kLine);
}

void TreeNote2(QPainter& p) {
  Page(p, 2, 13, kPaper);
  p.fillRect(4, 6, 8, 2, kLine);
  for (int y : {9, 11}) p.fillRect(4, y, 8, 1, kLine);
  p.fillRect(7, 6, 1, 7, kBlue);
}

void TreeWarningMark(QPainter& p) {
  PixelShape(p,
             {{7, 11, 11},
              {8, 10, 12},
              {9, 10, 12},
              {10, 9, 13},
              {11, 9, 13},
              {12, 8, 14},
              {13, 8, 14},
              {14, 7, 15},
              {15, 7, 15}},
             kYellow, QColor(0x7A, 0x5A, 0x00));
  p.fillRect(11, 9, 1, 4, kInk);
  p.fillRect(11, 14, 1, 1, kInk);
}

void TreeErrorMark(QPainter& p) {
  PixelDisc(p, 8, 8, kRed, QColor(0x80, 0x18, 0x12));
  for (int k = 0; k < 4; ++k) {
    p.fillRect(10 + k, 10 + k, 1, 1, Qt::white);
    p.fillRect(13 - k, 10 + k, 1, 1, Qt::white);
  }
}

// ---- list B ----

void BarNew(QPainter& p) {
  Page(p, 2, 12, kPaper);
  p.fillRect(11, 8, 3, 7, kInk);
  p.fillRect(9, 10, 7, 3, kInk);
  p.fillRect(12, 9, 1, 5, kGreen);
  p.fillRect(10, 11, 5, 1, kGreen);
}

void BarOpen(QPainter& p) {
  Folder(p);
  Polygon(p, {QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)},
          kFolderLight, kFolderEdge);
}

void BarSave(QPainter& p) {
  Box(p, 1, 1, 14, 14, kBlue, kInk);
  ClearPixel(p, 14, 1);
  p.fillRect(4, 1, 8, 5, kInk);
  p.fillRect(5, 2, 6, 3, kMetal);
  p.fillRect(9, 2, 1, 3, kInk);
  Box(p, 3, 8, 10, 7, kPaper, kInk);
  p.fillRect(5, 10, 6, 1, kLine);
  p.fillRect(5, 12, 6, 1, kLine);
}

void BarCom(QPainter& p, char digit) {
  Polygon(p, {QPointF(0.5, 1.5), QPointF(13.5, 1.5), QPointF(11.5, 7.5), QPointF(2.5, 7.5)}, kMetal,
          kInk);
  for (int x : {3, 5, 7, 9, 11}) p.fillRect(x, 3, 1, 1, kInk);
  for (int x : {4, 6, 8, 10}) p.fillRect(x, 5, 1, 1, kInk);
  p.fillRect(5, 8, 3, 6, kInk);
  PixelDisc(p, 8, 8, kBlue, QColor(0x17, 0x3C, 0x78));
  Glyph(p, digit, 10, 9, Qt::white);
}

void SmallRig(QPainter& p) { Rig16(p, 1, 9, 6, kLcd); }

void BarCloneRead(QPainter& p) {
  SmallRig(p);
  PixelShape(
      p, {{0, 7, 8}, {1, 6, 9}, {2, 5, 10}, {3, 4, 11}, {4, 6, 9}, {5, 6, 9}, {6, 6, 9}, {7, 6, 9}},
      kGreen, QColor(0x15, 0x5A, 0x24));
}

void BarCloneWrite(QPainter& p) {
  SmallRig(p);
  PixelShape(
      p, {{0, 6, 9}, {1, 6, 9}, {2, 6, 9}, {3, 6, 9}, {4, 4, 11}, {5, 5, 10}, {6, 6, 9}, {7, 7, 8}},
      kRed, QColor(0x80, 0x18, 0x12));
}

void BarCloneInfo(QPainter& p) {
  SmallRig(p);
  PixelDisc(p, 4, 0, kBlue, QColor(0x17, 0x3C, 0x78));
  Glyph(p, 'i', 6, 1, Qt::white);
}

void BarPen(QPainter& p) {
  Smooth(p, true);
  p.translate(8, 8);
  p.rotate(-45);
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(kYellow);
  p.drawRect(QRectF(-6.5, -2, 9, 4));
  p.setBrush(QColor(0xE8, 0x9A, 0xA8));
  p.drawRect(QRectF(-8, -2, 1.5, 4));
  p.setBrush(QColor(0xF1, 0xD9, 0xB0));
  p.drawPolygon(QPolygonF({QPointF(2.5, -2), QPointF(7, 0), QPointF(2.5, 2)}));
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({QPointF(5.6, -0.6), QPointF(7, 0), QPointF(5.6, 0.6)}));
  p.resetTransform();
  Smooth(p, false);
}

void BarFill(QPainter& p) {
  Polygon(p, {QPointF(2.5, 6.5), QPointF(10.5, 6.5), QPointF(9.5, 14.5), QPointF(3.5, 14.5)},
          kMetal, kInk);
  Smooth(p, true);
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(3.5, 2.5, 6, 8), 0, 180 * 16);
  Smooth(p, false);
  p.fillRect(3, 7, 7, 2, kBlue);
  Polygon(p, {QPointF(12.5, 8.5), QPointF(14.5, 12), QPointF(12.5, 14.5), QPointF(10.5, 12)}, kBlue,
          QColor(0x17, 0x3C, 0x78));
}

void BarSlider(QPainter& p) {
  p.fillRect(1, 7, 14, 2, kPaperEdge);
  for (int x : {2, 5, 8, 11, 14}) p.fillRect(x, 11, 1, 2, kPaperEdge);
  Box(p, 6, 3, 4, 7, kKnob, kInk);
  p.fillRect(7, 4, 2, 1, kPaper);
}

void Triangle(QPainter& p, qreal tipX, qreal baseX) {
  Polygon(p, {QPointF(tipX, 8), QPointF(baseX, 3.5), QPointF(baseX, 12.5)}, kBlue,
          QColor(0x17, 0x3C, 0x78));
}

void BarPageTop(QPainter& p) {
  p.fillRect(3, 3, 2, 10, kInk);
  Triangle(p, 5.5, 12.5);
}
void BarPagePrevious(QPainter& p) { Triangle(p, 4.5, 11.5); }
void BarPageNext(QPainter& p) { Triangle(p, 11.5, 4.5); }
void BarPageLast(QPainter& p) {
  p.fillRect(11, 3, 2, 10, kInk);
  Triangle(p, 10.5, 3.5);
}

void BarZoom(QPainter& p) {
  Smooth(p, true);
  p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10, 10), QPointF(14, 14));
  p.setPen(QPen(kInk, 1.4));
  p.setBrush(QColor(0xCF, 0xE3, 0xFA));
  p.drawEllipse(QPointF(6.5, 6.5), 4.6, 4.6);
  Smooth(p, false);
}

// ---- list C ----

void Icon(QPainter& p, const QColor& display) {
  Smooth(p, true);
  // Radio waves from the antenna corner.
  p.setPen(QPen(kBlue, 2.0, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (qreal r : {4.0, 8.0}) p.drawArc(QRectF(26 - r, 8 - r, 2 * r, 2 * r), 20 * 16, 80 * 16);
  p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(26, 8), QPointF(26, 12));
  // Body.
  p.setPen(QPen(kInk, 1.4));
  p.setBrush(kBody);
  p.drawRoundedRect(QRectF(1.5, 11.5, 29, 16), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(kBodyLight);
  p.drawRoundedRect(QRectF(3, 13, 26, 2), 1, 1);
  Smooth(p, false);
  // Display with a few segments, three buttons, the knob.
  Box(p, 4, 15, 15, 8, display, kPanel);
  for (int x : {6, 9, 12, 15}) p.fillRect(x, 17, 2, 4, display.darker(260));
  for (int x : {5, 10, 15}) Box(p, x, 24, 4, 2, kKnob, kInk);
  Disc(p, QPointF(24.5, 19.5), 4.5, kKnob, kInk);
  Smooth(p, true);
  p.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(24.5, 19.5), QPointF(24.5, 16.2));
  Smooth(p, false);
}

QList<QImage> PaintAll(int size, std::initializer_list<Draw> draws) {
  QList<QImage> images;
  for (const Draw& draw : draws) images.append(Paint(size, draw));
  return images;
}

}  // namespace

QList<QImage> TreePictures() {
  return PaintAll(kSmallSize, {TreeRig, TreeFolder, TreeNote, TreeNote2, TreeWarningMark,
                               TreeErrorMark, TreeRig2});
}

QList<QImage> ToolBarPictures() {
  return PaintAll(kSmallSize, {
                                  BarNew,
                                  BarOpen,
                                  BarSave,
                                  [](QPainter& p) { BarCom(p, '1'); },
                                  [](QPainter& p) { BarCom(p, '2'); },
                                  [](QPainter& p) { BarCom(p, '3'); },
                                  [](QPainter& p) { BarCom(p, '4'); },
                                  BarCloneRead,
                                  BarCloneWrite,
                                  BarCloneInfo,
                                  BarPen,
                                  BarFill,
                                  BarSlider,
                                  BarPageTop,
                                  BarPagePrevious,
                                  BarPageNext,
                                  BarPageLast,
                                  BarZoom,
                              });
}

QList<QImage> IconPictures() {
  return PaintAll(kLargeSize,
                  {[](QPainter& p) { Icon(p, kLcd); }, [](QPainter& p) { Icon(p, kAmber); }});
}

}  // namespace apppictures
