#pragma once
// The canvas over QPainter, for any paint device: a widget's paint event
// (the grid attaches its painter for the length of one paint), an image, a
// printer or a PDF page (the canvas opens its own painter with Begin).
//
// Without a painter it still measures text for its device, so a sheet can
// size rows and columns before anything is shown; drawing calls then do
// nothing. Texts are converted from code page 932 with the display of the
// text table in force (the English table shows 0xB0 and 0xB7 as the degree
// sign and the middle dot).
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <memory>
#include <optional>

#include "sheet/cuiCanvas.h"

class QPaintDevice;
class QPainter;

class cuiPainterCanvas final : public cuiCanvas {
 public:
  // The device must outlive the canvas.
  explicit cuiPainterCanvas(QPaintDevice* device);
  ~cuiPainterCanvas() override;
  cuiPainterCanvas(const cuiPainterCanvas&) = delete;
  cuiPainterCanvas& operator=(const cuiPainterCanvas&) = delete;

  // Draws through a painter that is active on the device; nullptr detaches.
  // The painter stays the caller's.
  void Attach(QPainter* painter);
  // Opens a painter of its own on the device (false when the device refuses);
  // End closes it and tells whether the device finished its work (a printer
  // or PDF file that could not be written answers false). Without a painter
  // of its own, End only detaches and answers true.
  bool Begin();
  bool End();
  QPainter* Painter() const { return painter_; }
  QPaintDevice* Device() const { return device_; }

  void SetFont(const QFont& font) override;
  QFont Font() const override { return font_; }
  void SetFontColor(const QColor& color) override { fontColor_ = color; }
  QColor FontColor() const override { return fontColor_; }

  void SetBrushColor(const QColor& color) override { brushColor_ = color; }
  QColor BrushColor() const override { return brushColor_; }
  void SetBrushStyle(BrushStyle style) override { brushStyle_ = style; }
  BrushStyle GetBrushStyle() const override { return brushStyle_; }

  void SetPenColor(const QColor& color) override { penColor_ = color; }
  QColor PenColor() const override { return penColor_; }
  void SetPenWidth(int width) override { penWidth_ = width < 1 ? 1 : width; }
  int PenWidth() const override { return penWidth_; }

  void FillRect(const QRect& rect) override;
  void Line(QPoint from, QPoint to) override;
  void Polygon(std::span<const QPoint> points) override;
  void TextOut(int x, int y, std::string_view text) override;
  void TextRect(const QRect& clip, int x, int y, std::string_view text) override;
  QSize TextExtent(std::string_view text) const override;
  void Draw(int x, int y, const QImage& image) override;
  int PixelsPerInchX() const override;
  int PixelsPerInchY() const override;

 private:
  const QFontMetrics& Metrics() const;
  void DrawText(const QString& text, int x, int y);

  QPaintDevice* device_;
  QPainter* painter_ = nullptr;
  std::unique_ptr<QPainter> own_;
  QFont font_;
  mutable std::optional<QFontMetrics> metrics_;
  QColor fontColor_ = Qt::black;
  QColor brushColor_ = Qt::white;
  BrushStyle brushStyle_ = BrushStyle::Solid;
  QColor penColor_ = Qt::black;
  int penWidth_ = 1;
};
