# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""The Windows game from its unpacked zip, or as its installer left it in the Wine prefix
(RUNESHOT_INSTALLED=1), under Wine on an X server of its own, played as the Linux program
is: the same window at the same places, a hit, the buzzer of a wrong key in SDL's
disk-driver output, the countdown of NEW GAME, a game length and speed chosen in the
settings panel, PAUSE, and QUIT.
With --screenshot PNG it only saves the window as it opens."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness as h  # noqa: E402
import play_test  # noqa: E402

ZIP = os.environ.get("RUNESHOT_ZIP", "")
INSTALLED = os.environ.get("RUNESHOT_INSTALLED") == "1"
WINE = {
    "WINEPREFIX": os.environ.get("RUNESHOT_WINEPREFIX", ""),
    "WINEDEBUG": "-all",
    # No Mono or Gecko to offer, no menu entries to write.
    "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=",
    # The Windows game has the Windows platform plugin only.
    "QT_QPA_PLATFORM": None,
    # Wine draws through Mesa here, which would keep a shader cache in the home.
    "MESA_SHADER_CACHE_DISABLE": "true",
}
game_folder = None


def wine_tools_environment():
    environment = dict(os.environ, **{k: v for k, v in WINE.items() if v is not None})
    environment.pop("DISPLAY", None)
    return environment


def stop_wine():
    """Wine's server and the desktop it starts keep the X display they first saw, so each
    test's X server gets a Wine of its own."""
    for how in ("--kill", "--wait"):
        subprocess.run(["wineserver", how], env=wine_tools_environment(), timeout=60)


def profile():
    """The Wine user's profile folder (drive_c/users/NAME)."""
    users = os.path.join(WINE["WINEPREFIX"], "drive_c", "users")
    names = [name for name in os.listdir(users) if name != "Public"]
    if len(names) != 1:
        raise AssertionError(f"no single user profile in the Wine prefix: {names}")
    return os.path.join(users, names[0])


def installed_folder():
    """Where the installer puts the game unless told otherwise."""
    return os.path.join(profile(), "AppData", "Local", "Programs", "Runeshot")


def setUpModule():
    global game_folder
    if INSTALLED:
        game_folder = installed_folder()
    else:
        folder = tempfile.mkdtemp(prefix="runeshot-wine-")
        unittest.addModuleCleanup(shutil.rmtree, folder, ignore_errors=True)
        with zipfile.ZipFile(ZIP) as z:
            z.extractall(folder)
            top = {name.split("/")[0] for name in z.namelist()}
        game_folder = os.path.join(folder, top.pop())
    h.PROGRAM_DIR = game_folder
    # Wine's first start of a prefix once gave up at once (exit status 53) and started on the
    # next try: it is tried twice before the tests count it as failed.
    for tries_left in (1, 0):
        boot = subprocess.run(["wineboot", "--init"], env=wine_tools_environment(), timeout=300,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if boot.returncode == 0 or tries_left == 0:
            boot.check_returncode()
            break
        stop_wine()
    stop_wine()


def is_wine_service(pid):
    """Wine's server and its own programs (services, explorer, ...) outlive every program."""
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            command = f.read()
    except OSError:
        return False
    return command.startswith((b"C:\\windows\\", b"/usr/lib/wine/"))


class ResourcesTest(unittest.TestCase):
    def test_the_program_carries_its_icon_and_version_for_explorer(self):
        with open(os.path.join(game_folder, "runeshot.exe"), "rb") as f:
            program = f.read()
        version = os.path.basename(ZIP).split("-")[1]
        for text in ("FileVersion", "ProductVersion", version, "Runeshot"):
            self.assertTrue(text.encode("utf-16-le") in program, text)
        # The 32-pixel icon's bitmap header: twice as high, for its mask; 24 bits a pixel.
        self.assertTrue(struct.pack("<IiiHH", 40, 32, 64, 1, 24) in program, "the icon")


class WineProgram(h.Program):
    """A Windows program's home is its profile in the Wine prefix: that stays as it was."""

    def __init__(self, *args):
        self.profiles = os.path.join(WINE["WINEPREFIX"], "drive_c", "users")
        self.profiles_before = h.files_under(self.profiles)
        super().__init__(*args)

    def close(self):
        super().close()
        self.test.assertEqual(h.files_under(self.profiles), self.profiles_before,
                              "the program wrote files in its profile")

    def command(self):
        return ["wine", os.path.join(self.folder, "runeshot.exe")]

    def left_behind(self):
        return {pid for pid in super().left_behind() if not is_wine_service(pid)}


class WineSession(h.Session):
    def __init__(self, test):
        super().__init__(test)
        test.addCleanup(stop_wine)

    def launch(self, folder=None, env=None, window=True):
        self.runs += 1
        return WineProgram(self, folder or game_folder, dict(WINE, **(env or {})), self.runs,
                           window)


class WinePlayTest(play_test.PlayTest):
    def setUp(self):
        self.session = WineSession(self)
        self.game = self.session.launch()


def write_png(path, rows):
    """Rows of 0xRRGGBB pixels as an 8-bit RGB PNG."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    raw = b"".join(b"\0" + b"".join(struct.pack(">I", p)[1:] for p in row) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def screenshot(path):
    """The window at start under Wine, saved as a PNG at `path`."""
    shooter = unittest.TestCase()
    setUpModule()
    try:
        game = WineSession(shooter).launch()
        write_png(path, game.shot().rows((0, 0) + game.size))
    finally:
        shooter.doCleanups()
        unittest.case.doModuleCleanups()


if __name__ == "__main__":
    if not os.path.isfile(ZIP) or not WINE["WINEPREFIX"]:
        print(f"RUNESHOT_ZIP does not name the zip ({ZIP!r}) or RUNESHOT_WINEPREFIX is unset",
              file=sys.stderr)
        sys.exit(2)
    if sys.argv[1:2] == ["--screenshot"]:
        screenshot(sys.argv[2])
        sys.exit(0)
    h.PROGRAM = shutil.which("wine") or ""
    h.main()
