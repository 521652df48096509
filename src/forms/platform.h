// The few window-system requests Qt has no portable call for, behind one small interface.
// Elsewhere they do nothing: the window flags already say enough there.
#pragma once

#include <QString>

class QWidget;

namespace platform {

// Why no window could be shown, when that is plain before the window system is asked (on X11 and Wayland:
// no display named and no platform chosen in the environment; a command line that chooses one is the
// caller's to see); empty otherwise, and always elsewhere. Qt itself would abort there, with advice that
// does not fit.
QString missingDisplay();

// Asks the window system to keep a top-level window out of the taskbar and the pager. Call it after the
// native window exists and before it is shown.
void keepOutOfTaskbar(QWidget* window);

} // namespace platform
