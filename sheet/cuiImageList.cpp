#include "sheet/cuiImageList.h"

#include <QPixmap>

#include "sheet/cuiCanvas.h"

cuiImageList::cuiImageList(int width, int height)
    : width_(width < 1 ? 1 : width), height_(height < 1 ? 1 : height) {}

int cuiImageList::Add(const QImage& image) {
  QImage copy = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (copy.isNull()) {
    copy = QImage(width_, height_, QImage::Format_ARGB32_Premultiplied);
    copy.fill(Qt::transparent);
  } else if (copy.width() != width_ || copy.height() != height_) {
    copy = copy.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  images_.push_back(std::move(copy));
  return Count() - 1;
}

int cuiImageList::AddStrip(const QImage& strip) {
  int added = 0;
  for (int x = 0; x + width_ <= strip.width(); x += width_, ++added)
    Add(strip.copy(x, 0, width_, height_));
  return added;
}

const QImage& cuiImageList::Image(int index) const {
  static const QImage kNone;
  return index >= 0 && index < Count() ? images_[static_cast<std::size_t>(index)] : kNone;
}

QIcon cuiImageList::Icon(int index) const {
  const QImage& image = Image(index);
  return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

void cuiImageList::Draw(cuiCanvas& canvas, int x, int y, int index) const {
  const QImage& image = Image(index);
  if (!image.isNull()) canvas.Draw(x, y, image);
}
