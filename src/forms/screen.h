// The application-wide mouse pointer: one value, arrow or hourglass, not a stack of overrides.
#pragma once

namespace Screen {

enum class MousePointer { Default, Hourglass };

void setMousePointer(MousePointer pointer);
MousePointer mousePointer();

} // namespace Screen
