#pragma once
// Windows that belong to an owner without being its Qt children. Disabling
// a widget disables its child windows too, so the program's printing
// windows have no parent widget: they sit over the owner's window (its
// transient child) and are placed by the placement rules.
class QWidget;

namespace ownedwindow {

// Makes the window a transient child of the owner's top-level window (so it
// stays above it and window modality blocks the owner). Creates the
// window's native handle when it has none yet.
void Attach(QWidget* window, QWidget* owner);
// Centres the window over the owner, kept on the owner's monitor.
void CenterOver(QWidget* window, QWidget* owner);
// Centres the window in the work area of the owner's monitor, cut to that
// work area.
void CenterInWorkArea(QWidget* window, QWidget* owner);

}  // namespace ownedwindow
