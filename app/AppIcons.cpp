#include "app/AppIcons.h"

#include <QPainter>

namespace {

// The transceiver's face scaled to a square of `size` pixels: a dark body,
// a green display on the left, a large knob on the right and a row of keys.
QImage DrawRig(int size, bool keys) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size / 32.0;
  p.setPen(QPen(QColor(20, 20, 24), 1.0 * s));
  p.setBrush(QColor(58, 60, 66));
  p.drawRoundedRect(QRectF(1 * s, 8 * s, 30 * s, 17 * s), 3 * s, 3 * s);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 220, 120));
  p.drawRect(QRectF(4 * s, 11 * s, 15 * s, 7 * s));
  p.setBrush(QColor(30, 70, 30));
  p.drawRect(QRectF(6 * s, 13 * s, 7 * s, 2 * s));
  p.setBrush(QColor(170, 172, 178));
  p.drawEllipse(QPointF(25 * s, 16.5 * s), 4.2 * s, 4.2 * s);
  p.setBrush(QColor(90, 92, 98));
  p.drawEllipse(QPointF(25 * s, 16.5 * s), 1.6 * s, 1.6 * s);
  if (keys) {
    p.setBrush(QColor(200, 200, 205));
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF((4 + 4 * i) * s, 20 * s, 3 * s, 2 * s));
  }
  return image;
}

}  // namespace

QImage DrawApplicationIcon() { return DrawRig(32, true); }

QImage DrawRigIcon() { return DrawRig(16, false); }
