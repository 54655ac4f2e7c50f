# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""The program's sound on a real PulseAudio server that each test starts for itself, on a
socket of its own, playing into a null sink whose monitor is recorded: the server dies in
the middle of a game and comes back, appears only after the game started, or hangs when
the player quits."""

import array
import os
import shutil
import signal
import subprocess
import sys
import time
import unittest
import wave

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness as h  # noqa: E402

# No letter of the game is a digit: a wrong key, and the buzzer.
WRONG_KEY = "7"


def sound_samples(name):
    """How many samples of the sound are not silent."""
    with wave.open(os.path.join(h.PROGRAM_DIR, name)) as w:
        return sum(1 for s in array.array("h", w.readframes(w.getnframes())) if s)


class PulseServer:
    """A PulseAudio server with a null sink as its only sink, on a socket in `folder`."""

    def __init__(self, test, folder):
        self.test = test
        self.folder = os.path.join(folder, "pulse")
        os.mkdir(self.folder, 0o700)
        self.socket = os.path.join(self.folder, "native")
        # What a client needs to find this server and no other, and to write nothing into
        # its own home.
        self.client_env = {"PULSE_SERVER": "unix:" + self.socket,
                           "PULSE_COOKIE": os.path.join(self.folder, "cookie")}
        self.process = None
        self.recorders = []
        test.addCleanup(self.close)

    def _env(self):
        return dict(os.environ, XDG_RUNTIME_DIR=self.folder, HOME=self.folder,
                    **self.client_env)

    def start(self):
        self.process = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n",
             "--use-pid-file=false", "--log-target=stderr",
             "-L", f"module-native-protocol-unix socket={self.socket} auth-anonymous=1",
             "-L", "module-null-sink sink_name=null"],
            env=self._env(), preexec_fn=h._end_with_the_test, stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        h.poll(lambda: subprocess.run(["pactl", "info"], env=self._env(),
                                      stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL).returncode == 0,
               20, "the sound server")

    def kill(self):
        self.process.kill()
        self.process.wait()

    def record(self, path):
        """Records the null sink's monitor into `path` once it delivers data."""
        with open(path, "wb") as output:
            recorder = subprocess.Popen(
                ["parec", "-d", "null.monitor", "--raw", "--format=s16le", "--rate=44100",
                 "--channels=1"], env=self._env(), preexec_fn=h._end_with_the_test,
                stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.DEVNULL)
        self.recorders.append(recorder)
        h.poll(lambda: os.path.exists(path) and os.path.getsize(path) > 0, 20,
               "the recorder's first data")
        return Recorded(path)

    def close(self):
        for process in self.recorders + [self.process]:
            if process is not None and process.poll() is None:
                process.send_signal(signal.SIGCONT)
                process.kill()
                process.wait()


class Recorded:
    def __init__(self, path):
        self.path = path

    def sound_since(self, offset):
        """How many samples recorded after the byte `offset` are not silent."""
        with open(self.path, "rb") as f:
            f.seek(offset)
            data = f.read()
        return sum(1 for s in array.array("h", data[:len(data) // 2 * 2]) if s)

    def size(self):
        return os.path.getsize(self.path) // 2 * 2

    def hears(self, action, what):
        """Does `action` and waits until the buzzer has been recorded whole."""
        start = self.size()
        action()
        whole = sound_samples("wrong.wav")
        h.poll(lambda: self.sound_since(start) >= whole, 10, what)


class SoundServerTest(unittest.TestCase):
    def setUp(self):
        if not shutil.which("pulseaudio") or not shutil.which("parec"):
            self.skipTest("no PulseAudio server here (tools/install-deps test)")
        self.session = h.Session(self)
        self.server = PulseServer(self, self.session.folder)

    def launch(self):
        return self.session.launch(env={"SDL_AUDIODRIVER": "pulseaudio",
                                        "SDL_DISKAUDIOFILE": None, **self.server.client_env})

    def recording(self, name):
        return self.server.record(os.path.join(self.session.folder, name))

    def test_a_server_killed_mid_game_and_started_again_plays_the_next_sound(self):
        self.server.start()
        game = self.launch()
        game.click(h.NEW_GAME_AT)
        self.recording("before.raw").hears(lambda: game.type(WRONG_KEY), "the buzzer")

        self.server.kill()
        self.server.start()
        self.recording("after.raw").hears(lambda: game.type(WRONG_KEY),
                                          "the buzzer on the server started again")
        # Where the player looked for a new device before the server was back, it said so,
        # once.
        lines = game.stderr().splitlines()
        self.assertLessEqual(len(lines), 1, lines)
        self.assertTrue(all(line.startswith("runeshot: no sound device") for line in lines), lines)

    def test_a_game_started_without_a_server_plays_the_next_sound_once_one_runs(self):
        game = self.launch()
        game.click(h.NEW_GAME_AT)
        h.poll(lambda: "runeshot: no sound device" in game.stderr(), 10, "the missing device")
        # A device that failed to open is tried again a second later at the soonest.
        failed = time.monotonic()

        self.server.start()
        recorded = self.recording("after.raw")
        time.sleep(max(0.0, failed + 1.2 - time.monotonic()))
        recorded.hears(lambda: game.type(WRONG_KEY), "the buzzer once a server runs")
        self.assertEqual(len(game.stderr().splitlines()), 1, game.stderr())

    def test_quit_ends_the_program_at_once_while_the_server_hangs(self):
        # Started before the program, so that only the program's own children count as
        # left behind.
        self.server.start()
        recorded = self.recording("before.raw")
        game = self.launch()
        game.click(h.NEW_GAME_AT)
        recorded.hears(lambda: game.type(WRONG_KEY), "the buzzer")

        self.server.process.send_signal(signal.SIGSTOP)
        game.type(WRONG_KEY)
        asked = time.monotonic()
        game.click(h.QUIT_AT)
        self.assertEqual(game.wait_for_exit(timeout=30), 0)
        print(f"QUIT to exit with the server stopped: {time.monotonic() - asked:.3f} s",
              file=sys.stderr)
        self.assertEqual(game.left_behind(), set())


if __name__ == "__main__":
    h.main()
