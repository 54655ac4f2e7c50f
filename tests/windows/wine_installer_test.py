# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""The game's Windows installer under Wine, in a prefix of its own made fresh: installed
silently over an older build of itself (InstallTest), then, once the installed copy has been
played (wine_play_test.py), removed silently (UninstallTest). The installers' exit status
says nothing (the wrong stub installed nothing and still exited 0): the tests look at the
files and the registry Wine keeps in the prefix.
Run as: wine_installer_test.py InstallTest | UninstallTest | WingetManifestTest
With --screenshot PNG it only saves the installer's first page, run interactively."""

import filecmp
import glob
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

import wine_play_test as wine

SETUP = os.environ.get("RUNESHOT_SETUP", "")
STAGE = os.environ.get("RUNESHOT_STAGE", "")
ICON = os.environ.get("RUNESHOT_ICON", "")
WINGET = os.environ.get("RUNESHOT_WINGET", "")
PREFIX = wine.WINE["WINEPREFIX"]
VERSION = os.path.basename(SETUP).split("-")[1]
PACK_SETUP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                          "windows", "pack-setup")

DRIVE_C = os.path.join(PREFIX, "drive_c")
ENTRIES = r"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
ENTRY = ENTRIES + r"\\Runeshot"


def run_windows(*command):
    """Runs a Windows program and waits for every program it started to end: an
    uninstaller hands over to a copy of itself and returns at once."""
    environment = wine.wine_tools_environment()
    subprocess.run(["wine", *command], env=environment, timeout=300,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "--wait"], env=environment, timeout=300)


def windows_path(path):
    return "C:\\" + os.path.relpath(path, DRIVE_C).replace("/", "\\")


def drive_c_files():
    """Every file and folder on drive C but the user's Temp folder, where an uninstaller
    leaves the copy of itself it ran from, as on Windows."""
    return {path for path in wine.h.files_under(DRIVE_C)
            if not re.match(r"users/[^/]+/Temp(/|$)", path)}


def read_registry(name):
    """{key: {value line, ...}} of a registry file Wine keeps in the prefix (user.reg or
    system.reg), without the times Wine stamps on its keys."""
    keys, key = {}, None
    with open(os.path.join(PREFIX, name), encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("["):
                key = line[1:line.rindex("]")]
                keys[key] = set()
            elif key is not None and line and not line.startswith("#"):
                keys[key].add(line)
    return keys


def unescape(text):
    return re.sub(r"\\x([0-9a-fA-F]{1,4})|\\(.)",
                  lambda m: chr(int(m[1], 16)) if m[1] else m[2], text)


def values(lines):
    """A registry key's values: strings as str, DWORDs as int."""
    found = {}
    for line in lines:
        m = re.match(r'"((?:[^"\\]|\\.)*)"=(?:"((?:[^"\\]|\\.)*)"|dword:([0-9a-f]{8}))$', line)
        if m:
            found[unescape(m[1])] = unescape(m[2]) if m[3] is None else int(m[3], 16)
    return found


def read_shortcut(path):
    """Target, working folder, icon file and icon index of a Windows shortcut (.lnk)."""
    with open(path, "rb") as f:
        data = f.read()
    flags, = struct.unpack_from("<I", data, 0x14)
    icon_index, = struct.unpack_from("<i", data, 0x38)
    at, target = 0x4C, None
    if flags & 0x1:  # the target as a list of shell items
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & 0x2:  # the target as a path on a local drive
        size, _, info_flags, _, path_at = struct.unpack_from("<5I", data, at)
        if info_flags & 0x1:
            target = data[at + path_at:data.index(b"\0", at + path_at)].decode("cp1252")
        at += size
    strings = {}
    for bit, name in ((0x4, "name"), (0x8, "relative"), (0x10, "working"),
                      (0x20, "arguments"), (0x40, "icon")):
        if flags & bit:
            count, = struct.unpack_from("<H", data, at)
            # Wine counts a closing NUL in; Windows does not.
            strings[name] = data[at + 2:at + 2 + 2 * count].decode("utf-16-le").rstrip("\0")
            at += 2 + 2 * count
    return target, strings.get("working"), strings.get("icon"), icon_index


def shortcut():
    return os.path.join(wine.profile(), "AppData", "Roaming", "Microsoft", "Windows",
                        "Start Menu", "Programs", "Runeshot.lnk")


def make_older_setup(folder):
    """An older build of the installer: version 0.9.0, with a file the newer one no longer
    ships and another that it changed."""
    stage = os.path.join(folder, "runeshot-0.9.0-windows-x86_64")
    shutil.copytree(STAGE, stage)
    with open(os.path.join(stage, "retired.txt"), "w") as f:
        f.write("shipped by 0.9.0 only\n")
    with open(os.path.join(stage, "LICENSE.txt"), "a") as f:
        f.write("as 0.9.0 had it\n")
    setup = os.path.join(folder, "runeshot-0.9.0-windows-x86_64-setup.exe")
    subprocess.run([PACK_SETUP, stage, "0.9.0", ICON, setup], check=True,
                   stdout=subprocess.DEVNULL)
    return setup


class InstallTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(PREFIX, ignore_errors=True)
        run_windows("wineboot", "--init")
        cls.files_before = drive_c_files()
        cls.machine_before = read_registry("system.reg")
        folder = tempfile.mkdtemp(prefix="runeshot-setup-")
        cls.addClassCleanup(shutil.rmtree, folder)
        run_windows(make_older_setup(folder), "/S")
        cls.older_files = set(os.listdir(wine.installed_folder()))
        cls.older_version = values(read_registry("user.reg").get(ENTRY, ())).get("DisplayVersion")
        run_windows(SETUP, "/S")
        cls.user = read_registry("user.reg")

    def test_the_older_build_was_installed_first(self):
        self.assertIn("retired.txt", self.older_files)
        self.assertEqual(self.older_version, "0.9.0")

    def test_the_game_is_installed_in_the_players_programs_folder_and_nowhere_else(self):
        folder = wine.installed_folder()
        staged = set(wine.h.files_under(STAGE))
        installed = set(wine.h.files_under(folder))
        self.assertEqual(installed, staged | {"uninstall.exe"})
        # Each file is the newer build's, not the older one's.
        files = [path for path in staged if os.path.isfile(os.path.join(STAGE, path))]
        self.assertEqual(filecmp.cmpfiles(STAGE, folder, files, shallow=False)[1:], ([], []))
        profile_path = os.path.relpath(wine.profile(), DRIVE_C)
        programs = os.path.join(profile_path, "AppData", "Local", "Programs")
        expected = {programs, os.path.relpath(shortcut(), DRIVE_C)}
        expected |= {os.path.join(programs, "Runeshot", path) for path in installed}
        expected.add(os.path.join(programs, "Runeshot"))
        self.assertEqual(drive_c_files() - self.files_before, expected)

    def test_the_start_menu_shortcut_starts_the_game_in_its_folder_with_its_icon(self):
        folder = windows_path(wine.installed_folder())
        exe = folder + "\\runeshot.exe"
        self.assertEqual(read_shortcut(shortcut()), (exe, folder, exe, 0))

    def test_one_entry_in_the_players_installed_programs_names_the_newer_version(self):
        named = [key for key, lines in self.user.items()
                 if key.startswith(ENTRIES) and values(lines).get("DisplayName") == "Runeshot"]
        self.assertEqual(named, [ENTRY])
        entry = values(self.user[ENTRY])
        installed = wine.installed_folder()
        size_kb = sum(os.path.getsize(os.path.join(installed, path))
                      for path in wine.h.files_under(installed)) / 1024
        folder = windows_path(installed)
        uninstaller = f'"{folder}\\uninstall.exe"'
        self.assertLess(abs(entry.pop("EstimatedSize") - size_kb), size_kb / 10)
        self.assertEqual(entry, {
            "DisplayName": "Runeshot",
            "DisplayVersion": VERSION,
            "Publisher": "The Runeshot developers",
            "DisplayIcon": f"{folder}\\runeshot.exe,0",
            "InstallLocation": folder,
            "UninstallString": uninstaller,
            "QuietUninstallString": uninstaller + " /S",
            "NoModify": 1,
            "NoRepair": 1,
        })

    def test_the_machines_registry_gains_nothing(self):
        machine = read_registry("system.reg")
        # Wine describes the display and monitors afresh at every start.
        added = {(key, line) for key, lines in machine.items() for line in lines
                 if line not in self.machine_before.get(key, ())
                 and not key.startswith(r"System\\CurrentControlSet\\Control\\Class\\")}
        self.assertEqual(added, set())


class UninstallTest(unittest.TestCase):
    """After the installed copy was played: the uninstaller that the entry names, run
    silently, leaves no file, shortcut or entry of the game behind."""

    @classmethod
    def setUpClass(cls):
        entry = values(read_registry("user.reg")[ENTRY])
        cls.quiet = entry["QuietUninstallString"]
        uninstaller, switch = re.fullmatch(r'"([^"]+)" (/S)', cls.quiet).groups()
        run_windows(uninstaller, switch)
        cls.files = drive_c_files()
        cls.user = read_registry("user.reg")

    # A fresh prefix has neither the user's Programs folder nor a key for installed programs:
    # the installer made them, and they go with the game.
    def test_no_file_or_folder_of_the_game_is_left_on_drive_c(self):
        self.assertEqual({path for path in self.files if "runeshot" in path.lower()}, set())
        programs = os.path.dirname(wine.installed_folder())
        self.assertNotIn(os.path.relpath(programs, DRIVE_C), self.files)

    def test_no_key_or_value_of_the_game_is_left_in_the_players_registry(self):
        left = {(key, line) for key, lines in self.user.items() for line in lines | {key}
                if "runeshot" in line.lower()}
        self.assertEqual(left, set())
        self.assertNotIn(ENTRIES, self.user)

    def test_a_folder_chosen_with_d_keeps_only_what_the_player_put_in_it(self):
        folder = os.path.join(DRIVE_C, "Games", "Runeshot")
        run_windows(SETUP, "/S", "/D=" + windows_path(folder))
        self.assertTrue(os.path.isfile(os.path.join(folder, "runeshot.exe")))
        self.assertEqual(values(read_registry("user.reg")[ENTRY])["InstallLocation"],
                         windows_path(folder))
        with open(os.path.join(folder, "scores.txt"), "w") as f:
            f.write("the player's own\n")
        run_windows(os.path.join(folder, "uninstall.exe"), "/S")
        self.assertEqual(wine.h.files_under(os.path.join(DRIVE_C, "Games")),
                         ["Runeshot", os.path.join("Runeshot", "scores.txt")])
        self.assertNotIn(ENTRY, read_registry("user.reg"))


def screenshot(path):
    """The installer's first page under Wine, saved as a PNG at `path`. Wine draws the
    window's frame itself, as Windows does, when no window manager is asked to; it draws the
    frame's buttons and the dialog's text with its own faces (fonts-wine), which Debian's
    Wine 8 does not look for by itself, so they go where Windows keeps its own."""
    folder = tempfile.mkdtemp(prefix="runeshot-setup-shot-")
    x = wine.h.XServer(folder)
    environment = dict(wine.wine_tools_environment(), DISPLAY=x.display)
    try:
        shutil.rmtree(PREFIX, ignore_errors=True)
        run_windows("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                    "/d", "N", "/f")
        for face in glob.glob("/usr/share/wine/fonts/*.ttf"):
            shutil.copy(face, os.path.join(DRIVE_C, "windows", "Fonts"))
        subprocess.run(["xdotool", "mousemove", *map(str, wine.h.POINTER_PARKED)],
                       env=environment, check=True)
        subprocess.Popen(["wine", SETUP], env=environment, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)

        def geometry():
            found = subprocess.run(["xdotool", "search", "--name", "^Runeshot Setup",
                                    "getwindowgeometry", "--shell"], env=environment,
                                   capture_output=True, text=True).stdout
            fields = dict(line.split("=") for line in found.split())
            return fields and tuple(int(fields[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        left, top, width, height = wine.h.poll(geometry, 120, "the installer's window")

        # Drawn when two shots a moment apart agree and the licence's text is there.
        def settled():
            first = x.shot((left, top)).region((0, 0, width, height))
            wine.h.time.sleep(0.5)
            second = x.shot((left, top)).region((0, 0, width, height))
            return first == second and len({p for row in first for p in row}) > 8 and first
        wine.write_png(path, wine.h.poll(settled, 60, "the installer's first page"))
    finally:
        subprocess.run(["wineserver", "--kill"], env=environment)
        x.close()
        shutil.rmtree(folder, ignore_errors=True)


class WingetManifestTest(unittest.TestCase):
    def test_the_installer_manifest_names_this_installer_by_its_sha256(self):
        with open(SETUP, "rb") as f:
            digest = hashlib.sha256(f.read()).hexdigest().upper()
        manifests = glob.glob(os.path.join(WINGET, VERSION, "*.yaml"))
        self.assertEqual(len(manifests), 3)
        with open(os.path.join(WINGET, VERSION, "Runeshot.Runeshot.installer.yaml")) as f:
            installer = f.read()
        self.assertIn(f"InstallerSha256: {digest}\n", installer)
        self.assertIn(f"PackageVersion: {VERSION}\n", installer)
        self.assertIn(f"/{os.path.basename(SETUP)}\n", installer)


if __name__ == "__main__":
    if not os.path.isfile(SETUP) or not PREFIX:
        print(f"RUNESHOT_SETUP does not name the installer ({SETUP!r}) or RUNESHOT_WINEPREFIX "
              "is unset", file=sys.stderr)
        sys.exit(2)
    if sys.argv[1:2] == ["--screenshot"]:
        screenshot(sys.argv[2])
        sys.exit(0)
    unittest.main(verbosity=2)
