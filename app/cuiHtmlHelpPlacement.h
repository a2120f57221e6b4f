#pragma once
// Where the context-help popup goes: under the cursor, centred on it, kept
// inside the work area of the monitor under the cursor.
#include <QPoint>
#include <QRect>
#include <QSize>

// Top-left corner of a popup of `size` for the cursor at `cursor` inside
// `workArea`. The work area's right and bottom edges are exclusive
// (left + width, top + height), as are the popup's.
// - Horizontally the popup is centred on the cursor when its half width fits
//   left of the cursor, else it starts at the area's left; a right edge past
//   the area moves it left to end at the area's right.
// - Vertically it starts at the cursor; when it would pass the area's bottom
//   it goes above the cursor if it fits there, else it ends at the bottom.
QPoint PlaceHelpPopup(QPoint cursor, QSize size, const QRect& workArea);
