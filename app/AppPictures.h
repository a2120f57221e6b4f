#pragma once
// The program's own pictures, drawn by code (no image files): the three
// image lists of the main form in the order the tree and tool-bar markup
// refer to them by "ImageIndex=".
//
// - List A, 16 x 16: the tree's node pictures and, at positions 4 and 5,
//   the warning and error marks the tree lays over a node (they cover only
//   the lower right quarter; the rest is transparent).
// - List B, 16 x 16: the tool-bar buttons.
// - List C, 32 x 32: the application icon and its variant.
//
// Every picture is an ARGB image with a transparent background, drawn the
// same way on every run; nothing reads fonts or files, so the pictures look
// the same on every system.
#include <QImage>
#include <QList>

namespace apppictures {

inline constexpr int kSmallSize = 16;
inline constexpr int kLargeSize = 32;

// List A.
enum TreePicture {
  kTreeRig = 0,
  kTreeFolder = 1,
  kTreeNote = 2,
  kTreeNote2 = 3,
  kTreeWarningMark = 4,
  kTreeErrorMark = 5,
  kTreeRig2 = 6,
  kTreePictureCount = 7
};

// List B.
enum ToolBarPicture {
  kBarFileNew = 0,
  kBarFileOpen,
  kBarFileSave,
  kBarCom1,
  kBarCom2,
  kBarCom3,
  kBarCom4,
  kBarCloneRead,
  kBarCloneWrite,
  kBarCloneInfo,
  kBarPen,
  kBarFill,
  kBarSlider,
  kBarPageTop,
  kBarPagePrevious,
  kBarPageNext,
  kBarPageLast,
  kBarPageZoom,
  kToolBarPictureCount
};

// List C.
enum IconPicture { kIconMain = 0, kIconMain2 = 1, kIconPictureCount = 2 };

QList<QImage> TreePictures();
QList<QImage> ToolBarPictures();
QList<QImage> IconPictures();

}  // namespace apppictures
