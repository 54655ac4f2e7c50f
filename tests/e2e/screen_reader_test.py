# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""The built program read and played as a screen reader does: over the desktop's
accessibility bus, on a session bus of the test's own."""

import os
import subprocess
import sys
import time
import unittest

import harness as h

# Qt announces from 6.8 on; before, the window shows a notification that a reader speaks.
LISTENED = ("object:announcement", "object:state-changed:showing")


def start_buses(folder):
    """A session bus and the accessibility bus beside it, as a desktop session has them."""
    daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                              preexec_fn=h._end_with_the_test)
    address = daemon.stdout.readline().strip()
    env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address, XDG_RUNTIME_DIR=folder)
    env.pop("DISPLAY", None)
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                preexec_fn=h._end_with_the_test)
    return address, (launcher, daemon)


class ScreenReaderTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = os.path.join(os.environ.get("TMPDIR", "/tmp"), f"runeshot-a11y-{os.getpid()}")
        os.makedirs(cls.folder, mode=0o700, exist_ok=True)
        address, cls.buses = start_buses(cls.folder)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        import pyatspi  # connects to the bus named above, once
        from gi.repository import GLib
        cls.pyatspi, cls.context = pyatspi, GLib.MainContext.default()
        cls.heard = []
        pyatspi.Registry.registerEventListener(cls._hear, *LISTENED)

    @classmethod
    def tearDownClass(cls):
        for process in cls.buses:
            process.terminate()
            process.wait()

    @classmethod
    def _hear(cls, event):
        if event.type == LISTENED[0]:
            cls.heard.append(event.any_data)
        elif event.detail1 and event.source.getRole() == cls.pyatspi.ROLE_NOTIFICATION:
            cls.heard.append(event.source.name)

    def setUp(self):
        self.session = h.Session(self)
        type(self).heard.clear()
        self.game = self.session.launch(env={
            "DBUS_SESSION_BUS_ADDRESS": os.environ["DBUS_SESSION_BUS_ADDRESS"],
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })
        self.window = h.poll(self._window, 10, "the window on the accessibility bus")

    def _window(self):
        self._pump()
        desktop = self.pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == self.game.process.pid:
                return next(iter(app), None)
        return None

    def _pump(self):
        while self.context.iteration(False):
            pass

    def find(self, name, role=None):
        for child in self.window:
            if child.name == name and (role is None or child.getRole() == role):
                return child
        raise AssertionError(f"no {role or 'object'} named {name!r} in "
                             f"{[c.name for c in self.window]}")

    def names(self):
        return [child.name for child in self.window if self._showing(child)]

    def count(self, caption):
        """The count a caption labels, as the screen reader reads it."""
        for child in self.window:
            relations = child.getRelationSet()
            if relations and relations[0].getTarget(0).name == caption:
                return child.name
        raise AssertionError(f"nothing labelled {caption!r}")

    def _showing(self, child):
        return child.getState().contains(self.pyatspi.STATE_SHOWING)

    def press(self, name):
        button = self.find(name, self.pyatspi.ROLE_PUSH_BUTTON)
        action = button.queryAction()
        self.assertEqual(action.getName(0), "Press")
        action.doAction(0)

    def wait_until(self, condition, what, timeout=10):
        def check():
            self._pump()
            return condition()
        return h.poll(check, timeout, what)

    def hear(self, words, what, timeout=10):
        return self.wait_until(lambda: next((s for s in self.heard if words in s), None), what,
                               timeout)

    def test_the_status_bar_reads_and_its_commands_press_like_clicks(self):
        self.assertEqual(self.names()[:11],
                         ["SETTINGS", "Shooted :", "0", "Missed :", "0", "Time Left:", "100",
                          "s", "PAUSE", "NEW GAME", "QUIT"])
        self.assertEqual(self.count("Time Left:"), "100")
        for hidden in ("Ok", "Cancel", "Time is Over!"):
            self.assertFalse(self._showing(self.find(hidden)), hidden)

        self.press("NEW GAME")
        letter = self.window[0]
        self.wait_until(lambda: self._showing(letter), "the letter shown")
        self.hear(letter.name.split(",")[0], "the dealt letter spoken")
        self.wait_until(lambda: self.count("Time Left:") == "99", "the seconds moving")
        self.game.type(letter.name)
        self.wait_until(lambda: self.count("Shooted :") == "1", "the hit counted")
        self.hear("Hit, 1 shot", "the hit spoken")

        self.press("PAUSE")
        self.hear("Paused", "the pause spoken")
        self.press("SETTINGS")
        self.wait_until(lambda: self._showing(self.find("Cancel")), "the settings panel")
        self.press("Cancel")
        self.hear("Resumed", "the game resumed")
        self.press("QUIT")
        self.game.wait_for_exit()

    def test_a_miss_and_time_over_are_spoken(self):
        self.game.open_settings()
        self.game.type_length("5")
        self.press("Ok")
        self.hear("Missed", "the missed letter spoken", timeout=20)
        self.hear("Time is Over! 0 shot, 1 missed", "time over spoken", timeout=20)
        self.assertTrue(any(s.endswith("seconds left") for s in self.heard), self.heard)


if __name__ == "__main__":
    h.main()
