// The command line: --help and --version answer without a window or a display, and anything else
// the program does not take is refused, all before the first window is made.
#pragma once

#include <optional>

// The status to exit with when the command line asks for no window (help, version or a mistake),
// after printing the answer; nothing when the program should start.
std::optional<int> commandLineExitStatus(int argc, char* argv[]);
