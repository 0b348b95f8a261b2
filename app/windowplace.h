// Where a new top-level window opens when the program does not centre it.
#pragma once

#include <QPoint>

#include <optional>

class QWidget;

namespace app {

// Puts `window`, a top-level widget not yet shown, where the platform itself would put a new
// top-level window now. On X11 and Wayland the window manager or compositor already does, and
// this leaves the window alone. On Windows Qt would centre it, so this asks Windows for its
// default place (the next cascading position of CW_USEDEFAULT) and moves the frame there.
void placeAsNewWindow(QWidget &window);

#ifdef Q_OS_WIN
// Windows' default place as asked, in native pixels, where its top left lies on a screen;
// otherwise, or if Windows gave none, the top left of the primary screen's work area: the window
// opens on a screen whatever happens. Windows only.
QPoint onScreenOrPrimaryWorkArea(std::optional<QPoint> asked);
#endif

} // namespace app
