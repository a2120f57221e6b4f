#pragma once
// The program's two icons, drawn in code: the application icon (the front
// panel of a mobile transceiver, 32 x 32) and the small rig icon (16 x 16)
// that the main tree's top node and the window use. Plain images, so they can
// be made before any window exists; turn them into a QIcon where one is shown.
#include <QImage>

QImage DrawApplicationIcon();
QImage DrawRigIcon();
