#pragma once
// A drawing surface for cells: font, brush and pen, fills, lines, polygons,
// code page 932 text and its extent, images and the surface's resolution.
// Sheets, the tree's overlays, printing and print preview draw through it,
// so the same cell code paints the screen, a printer page or a bitmap.
//
// Texts are code page 932 bytes; an implementation converts them only where
// they reach its device. Rectangles follow Qt (left, top, width, height).
// The canvas also measures lines for core::GetTextExtentLines, so multi-line
// captions are sized the same way everywhere.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <span>
#include <string_view>

#include "core/TextExtent.h"

class QImage;

class cuiCanvas : public core::LineMeasurer {
 public:
  enum class BrushStyle { Solid, Clear };

  ~cuiCanvas() override = default;

  // Font and its colour (text is drawn in the font colour).
  virtual void SetFont(const QFont& font) = 0;
  virtual QFont Font() const = 0;
  virtual void SetFontColor(const QColor& color) = 0;
  virtual QColor FontColor() const = 0;

  // Brush: fills, polygon interiors and, when solid, the box behind text.
  virtual void SetBrushColor(const QColor& color) = 0;
  virtual QColor BrushColor() const = 0;
  virtual void SetBrushStyle(BrushStyle style) = 0;
  virtual BrushStyle GetBrushStyle() const = 0;

  // Pen: lines and polygon outlines.
  virtual void SetPenColor(const QColor& color) = 0;
  virtual QColor PenColor() const = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual int PenWidth() const = 0;

  // Fills the rectangle with the brush colour (whatever the brush style).
  virtual void FillRect(const QRect& rect) = 0;
  // A line from one point to the other, both ends included.
  virtual void Line(QPoint from, QPoint to) = 0;
  // A closed polygon: filled with the brush unless it is clear, outlined
  // with the pen.
  virtual void Polygon(std::span<const QPoint> points) = 0;

  // One line of text with its top-left corner at (x, y).
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // The same, clipped to the rectangle.
  virtual void TextRect(const QRect& clip, int x, int y, std::string_view text) = 0;
  // Size of one line of text in the current font.
  virtual QSize TextExtent(std::string_view text) const = 0;
  int TextWidth(std::string_view text) const { return TextExtent(text).width(); }
  int TextHeight(std::string_view text) const { return TextExtent(text).height(); }

  // The image with its top-left corner at (x, y).
  virtual void Draw(int x, int y, const QImage& image) = 0;

  // Resolution of the device, pixels per inch.
  virtual int PixelsPerInchX() const = 0;
  virtual int PixelsPerInchY() const = 0;

  // core::LineMeasurer.
  core::TextExtent MeasureLine(std::string_view line) const override {
    const QSize size = TextExtent(line);
    return {size.width(), size.height()};
  }
};
