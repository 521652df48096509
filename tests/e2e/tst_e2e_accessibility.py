#!/usr/bin/python3
# What a screen reader finds in the real program through the accessibility bus (AT-SPI), on a private
# session bus that says one listens: every window a frame (the about box a dialog) named by its title; the
# main menu's buttons by name; Hangman opened by pressing its button, its chances one item that follows the
# game, each word slot its letter or "blank", no nameless picture; the stop signs pressed, the exit question
# answered No. Usage: tst_e2e_accessibility.py <wordpot executable>
import os
import subprocess
import sys
import tempfile
import time

work = tempfile.TemporaryDirectory()
# The bus and the services it starts see no display and keep their files in the test's own folder.
env = {key: value for key, value in os.environ.items()
       if key not in ('DISPLAY', 'QT_QPA_PLATFORM', 'DBUS_SESSION_BUS_ADDRESS')}
env.update(HOME=work.name, XDG_RUNTIME_DIR=work.name)
bus = subprocess.Popen(['dbus-daemon', '--session', '--nofork', '--nopidfile', '--print-address=1'],
                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
os.environ.clear()
os.environ.update(env, DBUS_SESSION_BUS_ADDRESS=bus.stdout.readline().strip())
from gi.repository import Gio, GLib  # noqa: E402  (the bus's address is read on import)

# As a screen reader starting up: tell the desktop that assistive technology listens.
Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
    'org.a11y.Bus', '/org/a11y/bus', 'org.freedesktop.DBus.Properties', 'Set',
    GLib.Variant('(ssv)', ('org.a11y.Status', 'IsEnabled', GLib.Variant('b', True))),
    None, Gio.DBusCallFlags.NONE, -1, None)
import pyatspi  # noqa: E402

read, write = os.pipe()
xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write), '-screen', '0', '1024x768x24', '-nolisten', 'tcp'],
                        pass_fds=[write], stderr=subprocess.DEVNULL)
os.environ['DISPLAY'] = ':' + os.read(read, 64).decode().strip()
# Leaks are the unit tests' business (as in the other end-to-end tests): LeakSanitizer's stop at the exit
# now and then crashes on the program's X and audio threads.
asan = ':'.join(filter(None, [os.environ.get('ASAN_OPTIONS'), 'detect_leaks=0']))
wordpot = subprocess.Popen([sys.argv[1]], env=dict(os.environ, SDL_AUDIODRIVER='dummy', ASAN_OPTIONS=asan))


def check(condition, message):
    if not condition:
        print('FAIL:', message)
        sys.exit(1)


def wait(condition, timeout=10):
    """Polls until condition() gives something true, and returns it; an object may go while it is read."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            if result := condition():
                return result
        except Exception:
            pass
        time.sleep(0.05)
    return None


def below(accessible):
    for child in accessible:
        if child is not None:
            yield child
            yield from below(child)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def shown(title):
    """The showing window of this title, if there is one."""
    app = next((app for app in pyatspi.Registry.getDesktop(0) if app and app.name == 'Wordpot'), [])
    return next((window for window in app if window and window.name == title and showing(window)), None)


def window(title, role='frame'):
    found = wait(lambda: shown(title))
    check(found and found.getRoleName() == role, f'{title}: {found and found.getRoleName()}')
    return found


def names(parent, role):
    """The names of the showing items of a role, in the order a screen reader reads them."""
    return [item.name for item in below(parent) if item.getRoleName() == role and showing(item)]


def press(parent, name):
    item = next(item for item in below(parent) if item.name == name and showing(item))
    action = item.queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index('Press'))


try:
    main = window('Welcome to Wordpot')
    check(names(main, 'push button') == ["ABC's", 'Wordpot', 'Hangman', 'Stop'], names(main, 'push button'))
    press(main, 'Hangman')
    hangman = window('Hangman')
    labels = names(hangman, 'label')
    check(labels[0] == '15 chances left' and 3 <= labels.count('blank') == len(labels) - 1 <= 7, labels)
    check(all(item.name for item in below(hangman) if item.getRoleName() == 'image'), 'a nameless picture')
    # Letters pressed until one is found and one missed: its slots read the letter, the count what is left.
    found, misses = False, 0
    for letter in 'ETAOINSHRDLU':
        if found and misses:
            break
        press(hangman, letter)
        left = f'{14 - misses} chances left'
        labels = wait(lambda: (lambda now: (letter in now or left in now) and now)(names(hangman, 'label')))
        check(labels, f'{letter} changed neither a slot nor the count')
        found, misses = found or letter in labels, misses + (letter not in labels)
    check(found and misses and labels[0] == f'{15 - misses} chances left', labels)
    print('after a hit and', misses, 'misses:', labels)

    press(hangman, 'Stop')
    check(wait(lambda: shown('Hangman') is None), 'Hangman stays')
    press(main, 'Stop')  # which opens the question modally: the press is answered first
    question = window('Exit?')
    check(names(question, 'push button') == ['Yes', 'No'], names(question, 'push button'))
    press(question, 'No')
    check(wait(lambda: shown('Exit?') is None), 'the question stays')
    # Help, About by its keys: the pointer over the main menu gives it the keyboard.
    subprocess.run(['xdotool', 'mousemove', '512', '384', 'key', 'alt+h'], check=True)
    check(wait(lambda: 'About Wordpot' in names(main, 'menu item')), 'no Help menu')
    subprocess.run(['xdotool', 'key', 'Return'], check=True)
    window('About Wordpot', 'dialog')
    print('PASS')
finally:
    for process in (wordpot, xvfb, bus):
        process.terminate()
        process.wait()
