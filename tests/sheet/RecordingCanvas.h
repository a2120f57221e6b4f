#pragma once
// A canvas that draws nothing and records what it was asked to draw, with
// fixed metrics: by default every byte 8 pixels wide, every line 16 pixels
// high, 96 pixels an inch (a test may set others).
#include <string>
#include <vector>

#include "sheet/cuiCanvas.h"

namespace kwtest {

class RecordingCanvas final : public cuiCanvas {
 public:
  struct Op {
    enum Kind { Fill, Line, Polygon, Text, Image } kind;
    QRect rect;                    // fill, text clip
    QPoint at;                     // text, image, line start
    std::string text;              // text
    QColor color;                  // fill: brush; text: font colour; line/polygon: pen
    std::vector<QPoint> points{};  // line: both ends; polygon: every corner
    int penWidth = 0;              // line, polygon
    QColor brush{};                // polygon: its fill (invalid when clear)
  };

  void SetFont(const QFont& font) override { font_ = font; }
  QFont Font() const override { return font_; }
  void SetFontColor(const QColor& color) override { fontColor_ = color; }
  QColor FontColor() const override { return fontColor_; }
  void SetBrushColor(const QColor& color) override { brush_ = color; }
  QColor BrushColor() const override { return brush_; }
  void SetBrushStyle(BrushStyle style) override { style_ = style; }
  BrushStyle GetBrushStyle() const override { return style_; }
  void SetPenColor(const QColor& color) override { pen_ = color; }
  QColor PenColor() const override { return pen_; }
  void SetPenWidth(int width) override { penWidth_ = width; }
  int PenWidth() const override { return penWidth_; }

  void FillRect(const QRect& rect) override { ops.push_back({Op::Fill, rect, {}, {}, brush_}); }
  void Line(QPoint from, QPoint to) override {
    ops.push_back({Op::Line, {}, from, {}, pen_, {from, to}, penWidth_});
  }
  void Polygon(std::span<const QPoint> points) override {
    ops.push_back({Op::Polygon,
                   {},
                   points.empty() ? QPoint() : points[0],
                   {},
                   pen_,
                   std::vector<QPoint>(points.begin(), points.end()),
                   penWidth_,
                   style_ == BrushStyle::Solid ? brush_ : QColor()});
  }
  void TextOut(int x, int y, std::string_view text) override {
    ops.push_back({Op::Text, {}, QPoint(x, y), std::string(text), fontColor_});
  }
  void TextRect(const QRect& clip, int x, int y, std::string_view text) override {
    ops.push_back({Op::Text, clip, QPoint(x, y), std::string(text), fontColor_});
  }
  QSize TextExtent(std::string_view text) const override {
    return {static_cast<int>(text.size()) * byteWidth, lineHeight};
  }
  void Draw(int x, int y, const QImage&) override {
    ops.push_back({Op::Image, {}, QPoint(x, y), {}, {}});
  }
  int PixelsPerInchX() const override { return pixelsPerInch; }
  int PixelsPerInchY() const override { return pixelsPerInch; }

  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const Op& op : ops)
      if (op.kind == Op::Text) out.push_back(op.text);
    return out;
  }

  // Ops of one kind, in order.
  std::vector<Op> OfKind(Op::Kind kind) const {
    std::vector<Op> out;
    for (const Op& op : ops)
      if (op.kind == kind) out.push_back(op);
    return out;
  }

  std::vector<Op> ops;
  int byteWidth = 8;
  int lineHeight = 16;
  int pixelsPerInch = 96;

 private:
  QFont font_;
  QColor fontColor_ = Qt::black;
  QColor brush_ = Qt::white;
  BrushStyle style_ = BrushStyle::Solid;
  QColor pen_ = Qt::black;
  int penWidth_ = 1;
};

}  // namespace kwtest
