#include "app/cuiHtmlHelpPlacement.h"

QPoint PlaceHelpPopup(QPoint cursor, QSize size, const QRect& workArea) {
  const int width = size.width();
  const int height = size.height();
  const int areaLeft = workArea.x();
  const int areaTop = workArea.y();
  const int areaRight = workArea.x() + workArea.width();    // exclusive
  const int areaBottom = workArea.y() + workArea.height();  // exclusive

  int x = cursor.x() - width / 2 >= areaLeft ? cursor.x() - width / 2 : areaLeft;
  int y = cursor.y();
  if (y + height > areaBottom) {
    const bool fitsAbove = height <= cursor.y() - areaTop && cursor.y() < areaBottom;
    y = fitsAbove ? cursor.y() - height : areaBottom - height;
  }
  if (x + width > areaRight) x = areaRight - width;
  return QPoint(x, y);
}
