#pragma once
// A list of images of one size: the cell markers of sheets, the tree's node
// and overlay images and the tool bar's buttons, addressed by index.
//
// Every image is kept at the list's size (a larger or smaller one is scaled
// when added). An index outside the list draws nothing and reads as a null
// image; the list never fails.
#include <QIcon>
#include <QImage>
#include <vector>

class cuiCanvas;

class cuiImageList {
 public:
  cuiImageList(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }

  // Appends the image; its index is returned.
  int Add(const QImage& image);
  // Cuts a strip of images laid side by side (each Width() wide) and adds
  // them in order; the number added is returned.
  int AddStrip(const QImage& strip);
  void Clear() { images_.clear(); }

  const QImage& Image(int index) const;
  QIcon Icon(int index) const;
  // Draws image `index` with its top-left corner at (x, y).
  void Draw(cuiCanvas& canvas, int x, int y, int index) const;

 private:
  int width_;
  int height_;
  std::vector<QImage> images_;
};
