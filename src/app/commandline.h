// The command line: --help and --version answer without a window or a display, Qt's own options
// (-platform, -style, -session...) are left to Qt as in any Qt program, and anything else the program
// does not take is refused, all before the first window is made.
#pragma once

#include <optional>
#include <QStringList>

struct CommandLine {
    // The status to exit with when the command line asks for no window (help, version or a mistake),
    // after printing the answer; nothing when the program should start.
    std::optional<int> exitStatus;
    // Whether it chooses the window system or the display itself (-platform, -display).
    bool choosesDisplay = false;
    // Word lists to play with, as a file manager's "Open With" gives them.
    QStringList files;
};

CommandLine readCommandLine(int argc, char* argv[]);
