# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""The real program on an X server of its own, played from outside.

Clicks and keys go in as real X input (xdotool, through the XTEST extension), pictures
come back from the server's framebuffer, which Xvfb keeps in a file, and sound comes back
from SDL's disk driver, which writes the mixed output in real time while the program's
sound device is open and awake: a sound, then a little silence, and nothing at all while
the device sleeps or is closed. Every wait polls with a bounded timeout; no sleep stands in
for an event.
"""

import array
import ctypes
import functools
import os
import select
import signal
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import wave

PROGRAM = os.environ.get("RUNESHOT_PROGRAM", "")
PROGRAM_DIR = os.path.dirname(PROGRAM)
SOUNDS = ("shooted.wav", "wrong.wav", "boing.wav", "theend.wav")
SKIPPED = 77

# Window-relative pixels (15 twips a pixel) of the places the tests look at or click.
FIELD = (0, 33, 657, 287)
INPUT_LINE = (0, 320, 657, 17)
SHOOTED = (64, 8, 17, 17)
MISSED = (136, 8, 17, 25)
TIME_LEFT = (216, 8, 25, 17)
PAUSE_LABEL = (528, 8, 56, 17)
BANNER = (56, 112, 601, 140)
PANEL = (232, 40, 177, 241)
SETTINGS_AT = (310, 15)
NEW_GAME_AT = (445, 15)
PAUSE_AT = (540, 15)
QUIT_AT = (615, 15)
OK_AT = (368, 258)
SPEED_AT = (345, 118)
LENGTH_BOX_AT = (320, 194)

BLACK = 0x000000
WHITE = 0xFFFFFF
RED = 0xFF0000
YELLOW = 0xFFFF00
BODY = 0x7388AA
HATCH = 0x00C000
PALE_GREEN = 0xC0FFC0
PALE_YELLOW = 0xFFFFC0
TEAL = 0x004040
PANEL_GREEN = 0x008000

# Screen pixels, in the corner that the window never reaches.
SCREEN = (1024, 768)
POINTER_PARKED = (1023, 767)


class XServerUnavailable(Exception):
    pass


def poll(condition, timeout, what, interval=0.02):
    """condition()'s first true value, checked until `timeout` seconds have passed."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"still waiting after {timeout} s for {what}")
        time.sleep(interval)


def near(pixel, colour, tolerance):
    return all(abs(((pixel >> s) & 0xFF) - ((colour >> s) & 0xFF)) <= tolerance
               for s in (0, 8, 16))


class Shot:
    """One picture of the screen, read in window-relative pixels as 0xRRGGBB."""

    def __init__(self, pixels, stride, origin):
        self.pixels, self.stride, self.origin = pixels, stride, origin

    def pixel(self, x, y):
        return self.pixels[(self.origin[1] + y) * self.stride + self.origin[0] + x] & 0xFFFFFF

    def rows(self, rect):
        x, y, w, h = rect
        start = (self.origin[1] + y) * self.stride + self.origin[0] + x
        return [[p & 0xFFFFFF for p in self.pixels[start + r * self.stride:
                                                   start + r * self.stride + w]]
                for r in range(h)]

    def region(self, rect):
        return tuple(tuple(row) for row in self.rows(rect))

    def _where(self, rect, colour, tolerance):
        """(x, y) of the pixels in rect that show `colour`, or, when `colour` is a set,
        that show none of its colours."""
        def test(p):
            if isinstance(colour, set):
                return p not in colour
            return p == colour or (tolerance and near(p, colour, tolerance))
        return [(rect[0] + c, rect[1] + r) for r, row in enumerate(self.rows(rect))
                for c, p in enumerate(row) if test(p)]

    def count(self, rect, colour, tolerance=0):
        return len(self._where(rect, colour, tolerance))

    def box(self, rect, colour, tolerance=0):
        """(left, top, right, bottom) of the pixels that count() counts, or None."""
        found = self._where(rect, colour, tolerance)
        if not found:
            return None
        xs, ys = [x for x, _ in found], [y for _, y in found]
        return (min(xs), min(ys), max(xs), max(ys))


class XServer:
    """Xvfb on a display number it picks itself, keeping its screen in a file."""

    def __init__(self, folder):
        framebuffer_dir = os.path.join(folder, "framebuffer")
        os.mkdir(framebuffer_dir)
        ready_read, ready_write = os.pipe()
        try:
            with open(os.path.join(folder, "xvfb.log"), "wb") as log:
                # -noreset: the server would reset, and move the pointer, whenever its
                # last client leaves, as between two runs of the program.
                self.process = subprocess.Popen(
                    ["Xvfb", "-displayfd", str(ready_write), "-noreset", "-nolisten", "tcp",
                     "-screen", "0", "%dx%dx24" % SCREEN, "-fbdir", framebuffer_dir],
                    pass_fds=(ready_write,), preexec_fn=_end_with_the_test,
                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=log)
        except OSError as error:
            raise XServerUnavailable(f"cannot run Xvfb: {error}") from error
        finally:
            os.close(ready_write)
        # The server writes the number, then a line feed, and stops if the pipe is gone.
        reply = b""
        try:
            deadline = time.monotonic() + 15
            while not reply.endswith(b"\n"):
                readable, _, _ = select.select([ready_read], [], [],
                                               max(0, deadline - time.monotonic()))
                chunk = os.read(ready_read, 32) if readable else b""
                if not chunk:
                    break
                reply += chunk
        finally:
            os.close(ready_read)
        number = reply.decode().strip()
        if not number:
            self.close()
            with open(os.path.join(folder, "xvfb.log"), errors="replace") as log:
                raise XServerUnavailable("Xvfb did not start: " + log.read().strip())
        self.display = ":" + number
        self.screen = open(os.path.join(framebuffer_dir, "Xvfb_screen0"), "rb")
        header = struct.unpack(">25I", self.screen.read(100))
        header_size, byte_order, bits_per_pixel, bytes_per_line = (
            header[0], header[7], header[11], header[12])
        if bits_per_pixel != 32 or byte_order != 0 or sys.byteorder != "little":
            raise XServerUnavailable("unexpected framebuffer layout")
        self.height = header[5]
        self.pixel_offset = header_size + header[19] * 12
        self.stride = bytes_per_line // 4

    def shot(self, origin):
        data = os.pread(self.screen.fileno(), self.stride * 4 * self.height, self.pixel_offset)
        return Shot(memoryview(data).cast("I"), self.stride, origin)

    def close(self):
        if hasattr(self, "screen"):
            self.screen.close()
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class SessionBus:
    """A D-Bus session bus of the test's own, as every desktop gives its programs. Without
    one, where dbus-x11 is installed, the program's toolkit would start a bus itself, and
    that bus writes under the program's home."""

    def __init__(self, folder):
        self.log = open(os.path.join(folder, "session-bus.log"), "wb")
        self.process = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address",
             "--address=unix:path=" + os.path.join(folder, "session-bus")],
            preexec_fn=_end_with_the_test, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
            stderr=self.log)
        # The address is printed once the bus listens.
        self.address = self.process.stdout.readline().decode().strip()
        if not self.address:
            raise AssertionError(f"dbus-daemon ended with {self.process.wait()}")

    def close(self):
        self.process.terminate()
        self.process.wait()
        self.process.stdout.close()
        self.log.close()


def opening(name):
    """20 ms of a sound from 10 ms after its first sound sample on: found in a recording
    exactly where the program played it, since the files are in the device's format. A
    sound that cuts off another plays its first few milliseconds over the other's fading
    end."""
    with wave.open(os.path.join(PROGRAM_DIR, name)) as w:
        frames = w.readframes(w.getnframes())
    samples = array.array("h", frames)
    start = next(i for i, s in enumerate(samples) if s) + 441
    return frames[2 * start:2 * start + 1764]


class Recording:
    """What SDL's disk driver writes: 16-bit mono samples at 44.1 kHz, in real time. The
    driver starts its file over each time the program opens its device again, so it writes
    into a named pipe instead, and everything it wrote, in order, is kept at `path`."""

    def __init__(self, path):
        self.path = path
        self.pipe = path + ".pipe"
        os.mkfifo(self.pipe, 0o600)
        # Held open for writing too: the program's opening never waits for a reader, and
        # its closing never ends the collection.
        self._pipe = os.open(self.pipe, os.O_RDWR)
        self._stopping = False
        self._collector = threading.Thread(target=self._collect, daemon=True)
        self._collector.start()

    def _collect(self):
        while not self._stopping:
            readable, _, _ = select.select([self._pipe], [], [], 0.05)
            if readable:
                data = os.read(self._pipe, 65536)
                with open(self.path, "ab") as f:
                    f.write(data)

    def close(self):
        self._stopping = True
        self._collector.join()
        os.close(self._pipe)

    def size(self):
        try:
            return os.path.getsize(self.path) // 2 * 2
        except FileNotFoundError:
            return 0

    def read(self, start, end=None):
        try:
            with open(self.path, "rb") as f:
                f.seek(start)
                data = f.read() if end is None else f.read(end - start)
        except FileNotFoundError:
            return b""
        return data[:len(data) // 2 * 2]

    def wait_for(self, seconds):
        """What the program plays in the next `seconds`; nothing while its device sleeps."""
        start = self.size()
        time.sleep(seconds)
        return self.read(start)

    def wait_for_sound(self, start, probe, timeout=5):
        """Waits until `probe` is heard after the offset `start`."""
        return poll(lambda: probe in self.read(start), timeout, "a sound to be played")


def letter_at(shot, left_twips, colour=WHITE):
    """Whether the picture shows the letter in the column that `left_twips` gives it: its
    glyph starts within its side bearing of the label's Left."""
    box = shot.box(FIELD, colour)
    return box is not None and abs(box[0] - round(left_twips / 15)) <= 10


def silent(data):
    return not any(array.array("h", data))


FIRST_DEALS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "first_deals.txt")


def deals(count):
    """The first `count` letters dealt after start-up, as (Left in twips, letter), from the
    table that the core's tests hold the program's generator to."""
    with open(FIRST_DEALS) as table:
        rows = [line.split() for line in table if line.strip() and not line.startswith("#")]
    if count > len(rows):
        raise AssertionError(f"{FIRST_DEALS} pins {len(rows)} deals, not {count}")
    return [(float(left), letter) for left, letter in rows[:count]]


def xdotool(display, *args):
    subprocess.run(["xdotool", *map(str, args)], check=True, env=dict(os.environ, DISPLAY=display),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)


class _X11:
    """The few Xlib calls xdotool lacks: a window manager's iconify and restore."""

    def __init__(self):
        lib = ctypes.cdll.LoadLibrary("libX11.so.6")
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XInternAtom.restype = ctypes.c_ulong
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                        ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                        ctypes.c_void_p, ctypes.c_int]
        for name in ("XMapWindow", "XUnmapWindow"):
            getattr(lib, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        lib.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_int)]
        lib.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
        lib.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int,
                                            ctypes.POINTER(ctypes.c_int)]
        lib.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                               ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
        lib.XFree.argtypes = [ctypes.c_void_p]
        lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.lib = lib

    def _open(self, display):
        connection = self.lib.XOpenDisplay(display.encode())
        assert connection, f"cannot open {display}"
        return connection

    def add_keys(self, display, characters):
        """Gives each character a key of its own, as a keyboard layout that has them would.
        Without this xdotool maps a spare key for each character and takes it away again
        straight after the key press, and a program that reads the keyboard map only then
        finds nothing on that key."""
        lib = self.lib
        connection = self._open(display)
        try:
            low, high = ctypes.c_int(), ctypes.c_int()
            lib.XDisplayKeycodes(connection, ctypes.byref(low), ctypes.byref(high))
            per_key = ctypes.c_int()
            count = high.value - low.value + 1
            symbols = lib.XGetKeyboardMapping(connection, low.value, count, ctypes.byref(per_key))
            free = [low.value + k for k in range(count)
                    if not any(symbols[k * per_key.value + i] for i in range(per_key.value))]
            lib.XFree(symbols)
            for code, character in zip(reversed(free), characters):
                point = ord(character)
                symbol = (ctypes.c_ulong * 1)(point if point < 0x100 else 0x1000000 | point)
                lib.XChangeKeyboardMapping(connection, code, 1, symbol, 1)
            lib.XSync(connection, 0)
        finally:
            lib.XCloseDisplay(connection)

    def set_wm_state(self, display, window, iconic):
        """What a window manager does to iconify (unmap, WM_STATE Iconic) or restore
        (WM_STATE Normal, map) a window; without one, nothing else changes the state."""
        lib = self.lib
        connection = self._open(display)
        try:
            atom = lib.XInternAtom(connection, b"WM_STATE", 0)
            state = (ctypes.c_long * 2)(3 if iconic else 1, 0)
            lib.XChangeProperty(connection, window, atom, atom, 32, 0, state, 2)
            (lib.XUnmapWindow if iconic else lib.XMapWindow)(connection, window)
            lib.XSync(connection, 0)
        finally:
            lib.XCloseDisplay(connection)


def _end_with_the_test():
    """Run in each child: a test run that is killed takes its X server and program along."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None).prctl(PR_SET_PDEATHSIG, signal.SIGKILL, 0, 0, 0)


def _become_subreaper():
    """Orphans of the program are handed to this process, so a test can see any child the
    program left behind."""
    PR_SET_CHILD_SUBREAPER = 36
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)


def _children():
    mine = str(os.getpid())
    result = set()
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    fields = f.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            if fields[1] == mine and fields[0] != "Z":
                result.add(int(entry))
    return result


def files_under(folder):
    return sorted(os.path.relpath(os.path.join(root, name), folder)
                  for root, dirs, files in os.walk(folder) for name in dirs + files)


class Session:
    """A temporary folder and an X server for one test; runs of the program on it."""

    def __init__(self, test):
        self.test = test
        self.folder = tempfile.mkdtemp(prefix="runeshot-e2e-")
        test.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        self.x = XServer(self.folder)
        test.addCleanup(self.x.close)
        self.bus = SessionBus(self.folder)
        test.addCleanup(self.bus.close)
        # The pointer starts in the middle of the screen, over the window. It is kept off
        # the window, where it hovers over nothing and hides nothing, in the corner it
        # returns to after every click. (--sync would wait in vain for a move to where the
        # pointer already is.)
        xdotool(self.x.display, "mousemove", "--sync", *POINTER_PARKED)
        self.runs = 0

    def copy_program(self, doctor=None):
        """A folder of its own holding the program and its sounds; doctor(folder) may
        then spoil what lies beside the program."""
        folder = os.path.join(self.folder, "program")
        os.mkdir(folder)
        shutil.copy2(PROGRAM, folder)
        for name in SOUNDS:
            shutil.copy2(os.path.join(PROGRAM_DIR, name), folder)
        if doctor:
            doctor(folder)
        return folder

    def launch(self, folder=None, env=None, window=True):
        self.runs += 1
        return Program(self, folder, env or {}, self.runs, window)


class Program:
    """One run of the program, with a home, settings, cache and runtime folders of its own
    that must stay empty, as must its working folder."""

    def __init__(self, session, folder, env, run, window):
        self.session, self.test, self.x = session, session.test, session.x
        self.folder = folder or PROGRAM_DIR
        self.copied = folder is not None
        base = os.path.join(session.folder, f"run{run}")
        self.private = {name: os.path.join(base, name)
                        for name in ("home", "config", "cache", "data", "state", "runtime", "cwd")}
        for path in self.private.values():
            os.makedirs(path, mode=0o700)
        self.folder_before = files_under(self.folder) if self.copied else None
        self.recording = Recording(os.path.join(session.folder, f"sound{run}.raw"))
        self.test.addCleanup(self.recording.close)
        self.stderr_path = os.path.join(session.folder, f"stderr{run}.txt")
        environment = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "LANG": "C.UTF-8",
            "DISPLAY": self.x.display,
            "DBUS_SESSION_BUS_ADDRESS": session.bus.address,
            "QT_QPA_PLATFORM": "xcb",
            "HOME": self.private["home"],
            "XDG_CONFIG_HOME": self.private["config"],
            "XDG_CACHE_HOME": self.private["cache"],
            "XDG_DATA_HOME": self.private["data"],
            "XDG_STATE_HOME": self.private["state"],
            "XDG_RUNTIME_DIR": self.private["runtime"],
            "SDL_AUDIODRIVER": "disk",
            "SDL_DISKAUDIOFILE": self.recording.pipe,
        }
        # A sanitized build reads its options (leak suppressions among them) from these.
        for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in os.environ:
                environment[name] = os.environ[name]
        environment.update(env)
        self.environment = {k: v for k, v in environment.items() if v is not None}
        self.children_before = _children()
        with open(self.stderr_path, "wb") as stderr:
            self.process = subprocess.Popen(self.command(),
                                            cwd=self.private["cwd"], env=self.environment,
                                            preexec_fn=_end_with_the_test,
                                            stdin=subprocess.DEVNULL,
                                            stdout=subprocess.DEVNULL, stderr=stderr)
        self.test.addCleanup(self.close)
        if window:
            self._find_window()

    def command(self):
        return [os.path.join(self.folder, "runeshot")]

    def _find_window(self):
        def visible_window():
            if self.process.poll() is not None:
                raise AssertionError(f"the program ended with {self.process.returncode}: "
                                     + self.stderr())
            found = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid),
                 "--name", "^Runeshot$"], env=dict(os.environ, DISPLAY=self.x.display),
                capture_output=True, text=True)
            return found.stdout.split()
        self.window = int(poll(visible_window, 20, "the window")[0])
        self.origin, self.size = self.geometry()
        # With no window manager the keyboard stays wherever it was: give it to the window.
        self.xdotool("windowfocus", "--sync", self.window)
        self.wait_until(lambda s: s.count((1, 1, 655, 31), BODY) > 1000, 10, "the first paint")

    def xdotool(self, *args):
        xdotool(self.x.display, *args)

    def geometry(self):
        """((x, y), (width, height)) of the window's client area on the screen."""
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", str(self.window)],
                                  env=dict(os.environ, DISPLAY=self.x.display),
                                  capture_output=True, text=True, check=True).stdout
        values = dict(line.split("=") for line in geometry.split())
        return ((int(values["X"]), int(values["Y"])),
                (int(values["WIDTH"]), int(values["HEIGHT"])))

    def shot(self):
        return self.x.shot(self.origin)

    def click(self, at):
        self.xdotool("mousemove", "--sync", "--window", self.window, at[0], at[1], "click", "1",
                     "mousemove", "--sync", *POINTER_PARKED)

    def type(self, text, delay=12):
        beyond_latin1 = sorted({c for c in text if ord(c) > 0xFF})
        if beyond_latin1:
            _x11().add_keys(self.x.display, beyond_latin1)
        self.xdotool("type", "--delay", delay, "--", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", 12, *keys)

    def shots(self, timeout, what):
        """Pictures, one every 20 ms, until the caller has seen enough or `timeout` passes."""
        deadline = time.monotonic() + timeout
        while time.monotonic() <= deadline:
            yield self.shot()
            time.sleep(0.02)
        raise AssertionError(f"still waiting after {timeout} s for {what}")

    def wait_until(self, condition, timeout, what):
        """The first picture of which condition(picture) holds."""
        def check():
            shot = self.shot()
            return shot if condition(shot) else None
        return poll(check, timeout, what)

    def wait_for_change(self, rect, before, timeout, what):
        """The picture of rect once it differs from `before`."""
        return self.wait_until(lambda s: s.region(rect) != before, timeout, what).region(rect)

    def open_settings(self):
        self.click(SETTINGS_AT)
        self.wait_until(lambda s: s.count(PANEL, PANEL_GREEN) > 5000, 5, "the settings panel")

    def type_length(self, text):
        """Replaces the game length in the open panel's box with `text`, as a player would."""
        self.click(LENGTH_BOX_AT)
        self.key("ctrl+a", "BackSpace")
        if text:
            self.type(text, delay=0)

    def wait_for_letter(self, left_twips, colour=WHITE, timeout=5):
        return self.wait_until(lambda s: letter_at(s, left_twips, colour), timeout,
                               f"the letter at {left_twips} twips")

    def set_minimized(self, minimized):
        _x11().set_wm_state(self.x.display, self.window, minimized)

    def stderr(self):
        with open(self.stderr_path, errors="replace") as f:
            return f.read()

    def wait_for_exit(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program was still running after {timeout} s")

    def left_behind(self):
        """Processes the program started that outlived it."""
        return _children() - self.children_before - {self.process.pid}

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        written = {name: files_under(path) for name, path in self.private.items()}
        written = {name: files for name, files in written.items() if files}
        self.test.assertEqual(written, {}, "the program wrote files")
        if self.copied:
            self.test.assertEqual(files_under(self.folder), self.folder_before,
                                  "the program changed its own folder")


@functools.cache
def _x11():
    return _X11()


def main():
    """Runs the calling module's tests, or reports them skipped (exit code 77) when no
    X server can be started here."""
    if not PROGRAM or not os.access(PROGRAM, os.X_OK):
        print(f"RUNESHOT_PROGRAM does not name the built program: {PROGRAM!r}", file=sys.stderr)
        sys.exit(2)
    probe_folder = tempfile.mkdtemp(prefix="runeshot-e2e-probe-")
    try:
        XServer(probe_folder).close()
    except XServerUnavailable as error:
        print(f"SKIPPED: no virtual X server for the end-to-end tests ({error})")
        sys.exit(SKIPPED)
    finally:
        shutil.rmtree(probe_folder, ignore_errors=True)
    _become_subreaper()
    unittest.main(module="__main__", verbosity=2)
