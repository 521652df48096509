// The few window-system requests Qt has no portable call for, behind one small interface.
// Elsewhere they do nothing: the window flags already say enough there.
#pragma once

class QWidget;

namespace platform {

// Asks the window system to keep a top-level window out of the taskbar and the pager. Call it after the
// native window exists and before it is shown.
void keepOutOfTaskbar(QWidget* window);

} // namespace platform
