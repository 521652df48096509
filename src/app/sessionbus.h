// Wordpot needs no message bus, and must not start one.
#pragma once

// With no session bus to join, libdbus launches one (dbus-launch) for SDL's audio and for Qt's menus: a
// daemon that outlives the program and a file under the home folder, forked from a program that already
// runs threads, so that the child may wait forever for a lock another thread held (the sanitizer build's
// allocator does) and the program hangs before its first window. Called first in main(), before any
// thread: with no bus about, it tells libdbus that there is none.
void refuseSessionBusLaunch();
