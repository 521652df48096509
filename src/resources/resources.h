// The program's built-in resources: pictures, bitmaps, cursors, the alert sound and the bundled fonts.
#pragma once

namespace resources {
// Makes the built-in resources available; safe to call more than once.
void init();
} // namespace resources
