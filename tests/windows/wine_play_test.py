# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""The Windows game from its unpacked zip, under Wine on an X server of its own, played
as the Linux program is: the same window at the same places, a hit, the buzzer of a wrong
key in SDL's disk-driver output, the countdown of NEW GAME, PAUSE, and QUIT."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness as h  # noqa: E402
import play_test  # noqa: E402

ZIP = os.environ.get("RUNESHOT_ZIP", "")
WINE = {
    "WINEPREFIX": os.environ.get("RUNESHOT_WINEPREFIX", ""),
    "WINEDEBUG": "-all",
    # No Mono or Gecko to offer, no menu entries to write.
    "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=",
    # The Windows game has the Windows platform plugin only.
    "QT_QPA_PLATFORM": None,
}
unpacked = None


def setUpModule():
    global unpacked
    folder = tempfile.mkdtemp(prefix="runeshot-wine-")
    unittest.addModuleCleanup(shutil.rmtree, folder, ignore_errors=True)
    with zipfile.ZipFile(ZIP) as z:
        z.extractall(folder)
        top = {name.split("/")[0] for name in z.namelist()}
    unpacked = os.path.join(folder, top.pop())
    h.PROGRAM_DIR = unpacked
    environment = dict(os.environ, **{k: v for k, v in WINE.items() if v is not None})
    environment.pop("DISPLAY", None)
    subprocess.run(["wineboot", "--init"], env=environment, check=True, timeout=300,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Wine's own services start with its server and outlive every program; started before
    # the first run, they are not taken for the game's.
    subprocess.run(["wineserver", "--persistent"], env=environment, check=True)
    unittest.addModuleCleanup(subprocess.run, ["wineserver", "--kill"], env=environment)
    subprocess.run(["wine", "cmd", "/c", "exit"], env=environment, check=True, timeout=120,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class WineProgram(h.Program):
    def command(self):
        return ["wine", os.path.join(self.folder, "runeshot.exe")]


class WineSession(h.Session):
    def launch(self, folder=None, env=None, window=True):
        self.runs += 1
        return WineProgram(self, folder or unpacked, dict(WINE, **(env or {})), self.runs,
                           window)


class WinePlayTest(play_test.PlayTest):
    def setUp(self):
        self.session = WineSession(self)
        self.game = self.session.launch()

    # What the settings panel does is the same code on both systems; its timing through
    # Wine's timers on shared cores is not what this suite tries.
    test_speed_and_a_three_second_length_chosen_in_settings_end_in_time_over = None


if __name__ == "__main__":
    if not os.path.isfile(ZIP) or not WINE["WINEPREFIX"]:
        print(f"RUNESHOT_ZIP does not name the zip ({ZIP!r}) or RUNESHOT_WINEPREFIX is unset",
              file=sys.stderr)
        sys.exit(2)
    h.PROGRAM = shutil.which("wine") or ""
    h.main()
