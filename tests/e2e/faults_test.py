# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""The program where its surroundings fail it: no sound device, spoiled sound files, missing
typefaces, no display. It plays on where it can, says why where it cannot, and writes no
file in any case (every run here has a fresh home, settings, cache and runtime folder, and
the harness checks that they, and the program's own folder, are left as they were)."""

import os
import unittest

import harness as h

# The status bar's cells between its rules, and the rectangles of the captions in each.
CELLS = [(0, 80, [(8, 8, 81, 17), h.SHOOTED]),
         (80, 152, [(88, 8, 41, 17), h.MISSED]),
         (152, 248, [(160, 8, 57, 17), h.TIME_LEFT, (240, 8, 9, 17)]),
         (248, 424, [(296, 8, 128, 18)]),
         (424, 520, [(432, 8, 88, 18)]),
         (520, 592, [(528, 8, 64, 18)]),
         (592, 657, [(600, 8, 57, 18)])]
BAR_BACKGROUND = {h.BODY, h.HATCH, h.BLACK}


def font_config(folder, *font_dirs):
    path = os.path.join(folder, "fonts.conf")
    with open(path, "w") as f:
        f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n'
                "<fontconfig>\n" + "".join(f"  <dir>{d}</dir>\n" for d in font_dirs) +
                "</fontconfig>\n")
    return path


class FaultsTest(unittest.TestCase):
    def setUp(self):
        self.session = h.Session(self)

    def assert_hit_scores(self, game):
        before = game.shot().region(h.SHOOTED)
        game.type("G")
        game.wait_for_change(h.SHOOTED, before, 5, "the hit counter")
        return game.wait_for_letter(h.deals(1)[0][0])

    def assert_plays_silently_saying_why_once(self, env, why):
        game = self.session.launch(env=env)
        self.assert_hit_scores(game)
        start = game.shot().region(h.TIME_LEFT)
        game.click(h.NEW_GAME_AT)
        game.wait_for_change(h.TIME_LEFT, start, 5, "the countdown")
        lines = game.stderr().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertTrue(lines[0].startswith("runeshot: no sound device"), lines)
        self.assertIn(why, lines[0])
        self.assertFalse(os.path.exists(game.recording.path))
        game.click(h.QUIT_AT)
        self.assertEqual(game.wait_for_exit(), 0)

    def test_without_a_sound_device_the_game_plays_on_and_says_so_in_one_line(self):
        self.assert_plays_silently_saying_why_once({"SDL_AUDIODRIVER": "dsp"}, "dsp")

    def test_without_a_usable_sdl_library_the_game_plays_on_and_says_so_in_one_line(self):
        # The sound library is loaded only when the game first needs it; one that is not
        # a library at all stands for one missing or broken.
        folder = os.path.join(self.session.folder, "broken-sdl")
        os.mkdir(folder)
        with open(os.path.join(folder, "libSDL2-2.0.so.0"), "w") as f:
            f.write("not a library\n")
        self.assert_plays_silently_saying_why_once({"LD_LIBRARY_PATH": folder},
                                                   "libSDL2-2.0.so.0")

    def test_spoiled_sound_files_change_nothing_in_the_game(self):
        def spoil(folder):
            os.remove(os.path.join(folder, "shooted.wav"))
            open(os.path.join(folder, "wrong.wav"), "w").close()
            boing = os.path.join(folder, "boing.wav")
            os.truncate(boing, os.path.getsize(boing) // 2)
            with open(os.path.join(folder, "theend.wav"), "w") as f:
                f.write("this is no sound\n")

        game = self.session.launch(self.session.copy_program(spoil))
        recording = game.recording
        start = recording.size()
        shot = self.assert_hit_scores(game)
        game.type("1")
        # "b" falls from the top: missed after 3.6 s, dealt anew at 4.1 s, time over at 5 s.
        game.open_settings()
        game.type_length("5")
        game.click(h.OK_AT)
        game.wait_until(lambda s: s.count(h.FIELD, h.RED) > 50, 10, "the red missed letter")
        self.assertNotEqual(game.shot().region(h.MISSED), shot.region(h.MISSED))
        game.wait_for_letter(h.deals(2)[1][0])
        game.wait_until(lambda s: s.count(h.BANNER, h.YELLOW) > 500, 5, "time over")
        self.assertTrue(h.silent(recording.read(start)), "a spoiled file was played")
        self.assertEqual([line for line in game.stderr().splitlines()
                          if not line.startswith("CRITICAL: ")], [])
        game.click(h.QUIT_AT)
        self.assertEqual(game.wait_for_exit(), 0)

    def test_with_only_fallback_faces_the_captions_stay_in_their_places(self):
        dejavu = "/usr/share/fonts/truetype/dejavu"
        self.assertTrue(os.path.isdir(dejavu), "DejaVu fonts are missing")
        game = self.session.launch(
            env={"FONTCONFIG_FILE": font_config(self.session.folder, dejavu)})
        shot = self.assert_hit_scores(game)
        for left, right, captions in CELLS:
            for rect in captions:
                self.assertGreater(shot.count(rect, BAR_BACKGROUND), 10, f"no caption at {rect}")
            # Whatever is not the bar itself is caption, and lies inside the captions.
            text = shot.box((left + 1, 1, right - left - 1, 31), BAR_BACKGROUND)
            self.assertGreaterEqual(text[0], min(x for x, _, _, _ in captions), left)
            self.assertGreaterEqual(text[1], 8, left)
            self.assertLess(text[2], max(x + w for x, _, w, _ in captions), left)
            self.assertLess(text[3], max(y + hgt for _, y, _, hgt in captions), left)
        prompt = shot.box(h.INPUT_LINE, h.PALE_YELLOW, 40)
        self.assertLess(abs((prompt[0] + prompt[2]) / 2 - 328), 10, "the prompt is not centred")

    def test_with_no_fonts_at_all_the_game_still_plays(self):
        game = self.session.launch(env={"FONTCONFIG_FILE": font_config(self.session.folder)})
        start = game.recording.size()
        game.type("G")
        game.recording.wait_for_sound(start, h.opening("shooted.wav"))
        game.click(h.QUIT_AT)
        self.assertEqual(game.wait_for_exit(), 0)

    def test_without_a_display_it_says_so_in_one_line_and_fails(self):
        nowhere = os.path.join(self.session.folder, "no-server") + ":0"
        for display in (None, nowhere):
            game = self.session.launch(env={"DISPLAY": display}, window=False)
            self.assertEqual(game.wait_for_exit(), 1, "ended by a signal or with success")
            lines = game.stderr().splitlines()
            self.assertEqual(len(lines), 1, lines)
            self.assertRegex(lines[0], "^runeshot: cannot open the window: .*display")

    def test_a_terminate_request_ends_the_program_at_once(self):
        game = self.session.launch()
        game.click(h.NEW_GAME_AT)
        game.process.terminate()
        self.assertNotEqual(game.wait_for_exit(), None)
        self.assertEqual(game.left_behind(), set())


if __name__ == "__main__":
    h.main()
