#include "sheet/cuiPainterCanvas.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>

#include "core/TextTableChoice.h"
#include "platform/Cp932.h"

cuiPainterCanvas::cuiPainterCanvas(QPaintDevice* device) : device_(device) {}

cuiPainterCanvas::~cuiPainterCanvas() { End(); }

void cuiPainterCanvas::Attach(QPainter* painter) {
  End();
  painter_ = painter;
}

bool cuiPainterCanvas::Begin() {
  End();
  auto painter = std::make_unique<QPainter>();
  if (!device_ || !painter->begin(device_)) return false;
  own_ = std::move(painter);
  painter_ = own_.get();
  return true;
}

bool cuiPainterCanvas::End() {
  bool ended = true;
  if (own_) {
    ended = own_->end();
    own_.reset();
  }
  painter_ = nullptr;
  return ended;
}

void cuiPainterCanvas::SetFont(const QFont& font) {
  if (font == font_ && metrics_) return;
  font_ = font;
  metrics_.reset();
}

const QFontMetrics& cuiPainterCanvas::Metrics() const {
  if (!metrics_) {
    if (device_)
      metrics_.emplace(font_, device_);
    else
      metrics_.emplace(font_);
  }
  return *metrics_;
}

void cuiPainterCanvas::FillRect(const QRect& rect) {
  if (painter_ && !rect.isEmpty()) painter_->fillRect(rect, brushColor_);
}

void cuiPainterCanvas::Line(QPoint from, QPoint to) {
  if (!painter_) return;
  painter_->setPen(QPen(penColor_, penWidth_));
  painter_->drawLine(from, to);
}

void cuiPainterCanvas::Polygon(std::span<const QPoint> points) {
  if (!painter_ || points.empty()) return;
  painter_->setPen(QPen(penColor_, penWidth_));
  painter_->setBrush(brushStyle_ == BrushStyle::Solid ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
  painter_->drawPolygon(points.data(), static_cast<int>(points.size()));
  painter_->setBrush(Qt::NoBrush);
}

void cuiPainterCanvas::DrawText(const QString& text, int x, int y) {
  const QFontMetrics& fm = Metrics();
  if (brushStyle_ == BrushStyle::Solid)
    painter_->fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), brushColor_);
  painter_->setFont(font_);
  painter_->setPen(fontColor_);
  painter_->drawText(QPoint(x, y + fm.ascent()), text);
}

void cuiPainterCanvas::TextOut(int x, int y, std::string_view text) {
  if (!painter_ || text.empty()) return;
  DrawText(ToDisplayText(text), x, y);
}

void cuiPainterCanvas::TextRect(const QRect& clip, int x, int y, std::string_view text) {
  if (!painter_ || clip.isEmpty()) return;
  painter_->save();
  painter_->setClipRect(clip, Qt::IntersectClip);
  if (brushStyle_ == BrushStyle::Solid) painter_->fillRect(clip, brushColor_);
  if (!text.empty()) {
    const BrushStyle style = brushStyle_;
    brushStyle_ = BrushStyle::Clear;
    DrawText(ToDisplayText(text), x, y);
    brushStyle_ = style;
  }
  painter_->restore();
}

QSize cuiPainterCanvas::TextExtent(std::string_view text) const {
  const QFontMetrics& fm = Metrics();
  return {text.empty() ? 0 : fm.horizontalAdvance(ToDisplayText(text)), fm.height()};
}

void cuiPainterCanvas::Draw(int x, int y, const QImage& image) {
  if (painter_ && !image.isNull()) painter_->drawImage(QPoint(x, y), image);
}

int cuiPainterCanvas::PixelsPerInchX() const { return device_ ? device_->logicalDpiX() : 96; }

int cuiPainterCanvas::PixelsPerInchY() const { return device_ ? device_->logicalDpiY() : 96; }
