// What every run of the program (and every widget test) sets up before its first window: identity,
// style, the bundled fonts, the window icon and the classic keyboard and quitting rules.
#pragma once

namespace forms {
void prepareApplication();
} // namespace forms
