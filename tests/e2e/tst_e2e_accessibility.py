#!/usr/bin/python3
# What a screen reader finds in the real program, read through the accessibility bus (AT-SPI) on a private
# session bus that says one is listening: every window a frame (the about box a dialog) named by its title,
# the main menu's buttons by their names; Hangman opened by pressing its button through the bus, its
# chances one item that follows the game, each word slot read by its letter or as blank, and no nameless
# picture; the stop signs pressed through the bus, the exit question answered No, and the about box.
# Usage: tst_e2e_accessibility.py <wordpot executable>
import os
import re
import subprocess
import sys
import tempfile
import time

program = sys.argv[1]
work = tempfile.TemporaryDirectory()
# The bus and the services it starts (the accessibility bus and its registry) see no display and keep
# their files in the test's own folder.
env = {key: value for key, value in os.environ.items()
       if key not in ('DISPLAY', 'QT_QPA_PLATFORM', 'DBUS_SESSION_BUS_ADDRESS')}
env.update(HOME=work.name, XDG_RUNTIME_DIR=work.name)
bus = subprocess.Popen(['dbus-daemon', '--session', '--nofork', '--nopidfile', '--print-address=1'],
                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
env['DBUS_SESSION_BUS_ADDRESS'] = bus.stdout.readline().strip()
os.environ.clear()
os.environ.update(env)

from gi.repository import Gio, GLib  # noqa: E402  (they read the bus's address when imported)

# What a screen reader does when it starts: it tells the desktop that assistive technology is listening.
Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
    'org.a11y.Bus', '/org/a11y/bus', 'org.freedesktop.DBus.Properties', 'Set',
    GLib.Variant('(ssv)', ('org.a11y.Status', 'IsEnabled', GLib.Variant('b', True))),
    None, Gio.DBusCallFlags.NONE, -1, None)
import pyatspi  # noqa: E402

display_read, display_write = os.pipe()
xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(display_write), '-screen', '0', '1024x768x24',
                         '-nolisten', 'tcp'], pass_fds=[display_write], stderr=subprocess.DEVNULL)
os.close(display_write)
display = ':' + os.read(display_read, 64).decode().strip()
wordpot = subprocess.Popen([program], env=dict(env, DISPLAY=display, SDL_AUDIODRIVER='dummy'))


def fail(message):
    print('FAIL:', message)
    print(tree())
    sys.exit(1)


def wait_until(condition, timeout=10):
    """Polls until condition() gives something true, and returns it (None when the time is up)."""
    end = time.monotonic() + timeout
    while True:
        try:
            result = condition()
        except Exception:  # an object may go while it is read
            result = None
        if result or time.monotonic() > end:
            return result
        time.sleep(0.05)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((app for app in desktop if app is not None and app.name == 'Wordpot'), None)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def descendants(accessible):
    for child in accessible:
        if child is not None:
            yield child
            yield from descendants(child)


def window(name):
    """The showing window of this title."""
    app = application()
    return next((w for w in app if w is not None and w.name == name and showing(w)), None) if app else None


def controls(parent, role):
    """The names of the showing controls of a role, in the order a screen reader walks them."""
    return [c.name for c in descendants(parent) if c.getRoleName() == role and showing(c)]


def press(parent, name):
    """Presses a showing control by its name, as a screen reader's user does."""
    accessible = next(c for c in descendants(parent) if c.name == name and showing(c))
    action = accessible.queryAction()
    action.doAction(next(i for i in range(action.nActions) if action.getName(i) == 'Press'))


def tree():
    app = application()
    lines = []

    def walk(accessible, depth):
        lines.append('  ' * depth + f'{accessible.getRoleName()} "{accessible.name}"'
                     + ('' if showing(accessible) else ' (hidden)'))
        for child in accessible:
            if child is not None:
                walk(child, depth + 1)
    if app is not None:
        walk(app, 0)
    return '\n'.join(lines)


try:
    main = wait_until(lambda: window('Welcome to Wordpot'), 20)
    if main is None:
        fail('no main menu')
    if main.getRoleName() != 'frame':
        fail(f'the main menu is a {main.getRoleName()}')
    buttons = controls(main, 'push button')
    if buttons != ["ABC's", 'Wordpot', 'Hangman', 'Stop']:
        fail(f'main menu buttons: {buttons}')

    press(main, 'Hangman')
    hangman = wait_until(lambda: window('Hangman'))
    if hangman is None or hangman.getRoleName() != 'frame':
        fail('Hangman did not open as a frame')
    labels = wait_until(lambda: controls(hangman, 'label'))
    slots = [name for name in labels if name == 'blank']
    if '15 chances left' not in labels or not 3 <= len(slots) <= 7:
        fail(f'Hangman at the start: {labels}')
    nameless = [c.getRoleName() for c in descendants(hangman) if not c.name and c.getRoleName() == 'image']
    if nameless:
        fail(f'{len(nameless)} nameless pictures')

    # Letters pressed through the bus until one has been found in the word and one has missed: the slots
    # read the letter found, the count what is left.
    found, misses = None, 0
    for letter in 'ETAOINSHRDLUCMWFGYPBVKJXQZ':
        if found and misses:
            break
        left = f'{15 - misses - 1} chances left'
        press(hangman, letter)
        labels = wait_until(lambda: (lambda names: names if letter in names or left in names else None)(
            controls(hangman, 'label')))
        if labels is None:
            fail(f'{letter} changed neither a slot nor the count')
        if letter in labels:
            found = letter
        else:
            misses += 1
    labels = controls(hangman, 'label')
    print(f'{found} found, {misses} missed: {labels}')
    count = [name for name in labels if re.fullmatch(r'\d+ chances? left', name)]
    if not found or count != [f'{15 - misses} chances left']:
        fail('the slots and the count after the guesses')

    # The stop signs, pressed through the bus, close Hangman and ask before leaving.
    press(hangman, 'Stop')
    if not wait_until(lambda: window('Hangman') is None and window('Welcome to Wordpot')):
        fail('Hangman did not close')
    press(main, 'Stop')
    question = wait_until(lambda: window('Exit?'))
    if question is None or question.getRoleName() != 'frame' or \
            controls(question, 'push button') != ['Yes', 'No']:
        fail('the exit question')
    press(question, 'No')
    if not wait_until(lambda: window('Exit?') is None):
        fail('No did not close the question')

    # Help, About from the keyboard (the pointer over the main menu gives it the keys).
    keys = dict(env, DISPLAY=display)
    subprocess.run(['xdotool', 'mousemove', '512', '384', 'key', 'alt+h'], env=keys, check=True)
    if not wait_until(lambda: any(showing(c) for c in descendants(main) if c.name == 'About Wordpot')):
        fail('no Help menu')
    subprocess.run(['xdotool', 'key', 'Return'], env=keys, check=True)
    about = wait_until(lambda: window('About Wordpot'))
    if about is None or about.getRoleName() != 'dialog':
        fail('the about box is no dialog')
    print('PASS')
finally:
    for process in (wordpot, xvfb, bus):
        process.terminate()
        process.wait()
