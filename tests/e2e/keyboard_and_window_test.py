# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""Rough handling from outside: thousands of keys at full speed, a key held down, the
window minimized, restored and resized during a game."""

import unittest

import harness as h

# Everything above the input line, whose text cursor blinks.
ABOVE_INPUT_LINE = (0, 0, 657, 320)
# Keys that can never hit: "A" is never dealt, and the rest are no letters at all. A key
# lost in the storm then leaves its letter standing for good.
WRONG_KEYS = "A0123456789 .,;-=/"


def wrong_keys(count, offset=0):
    return "".join(WRONG_KEYS[(offset + i) % len(WRONG_KEYS)] for i in range(count))


class KeyboardAndWindowTest(unittest.TestCase):
    def setUp(self):
        self.session = h.Session(self)

    def test_a_storm_of_5000_keys_scores_exactly_the_right_letters(self):
        # Before the first game no timer runs, so only the keys decide what is shown: the
        # design-time "G", then the dealt letters, each hit by its own letter.
        right = ["G"] + [letter for _, letter in h.deals(40)]
        last_left = h.deals(41)[-1][0]

        reference = self.session.launch()
        reference.type("G")
        after_first = reference.wait_for_letter(h.deals(1)[0][0]).region(ABOVE_INPUT_LINE)
        reference.type("".join(right[1:]))
        after_all = reference.wait_for_letter(last_left).region(ABOVE_INPUT_LINE)
        reference.click(h.QUIT_AT)
        self.assertEqual(reference.wait_for_exit(), 0)

        game = self.session.launch()
        game.type(wrong_keys(2499) + "G", delay=0)
        game.wait_until(lambda s: s.region(ABOVE_INPUT_LINE) == after_first, 30,
                        "the window as after the one right key")
        storm = "".join(wrong_keys(61, k) + letter for k, letter in enumerate(right[1:]))
        storm = wrong_keys(2500 - len(storm)) + storm
        self.assertEqual(len(storm), 2500)
        game.type(storm, delay=0)
        game.wait_until(lambda s: s.region(ABOVE_INPUT_LINE) == after_all, 30,
                        "the window as after the right keys alone")
        game.click(h.PAUSE_AT)
        game.wait_until(lambda s: s.count(h.PAUSE_LABEL, h.RED, 40) > 10, 5, "PAUSED in red")

    def test_a_held_key_repeats_and_each_repeat_is_judged(self):
        game = self.session.launch()
        recording = game.recording
        before = game.shot()
        start = recording.size()
        wrong = h.opening("wrong.wav")
        game.xdotool("keydown", "G")
        try:
            h.poll(lambda: recording.read(start).count(wrong) >= 3, 10, "repeated keys")
        finally:
            game.xdotool("keyup", "G")
        # The first press hit the "G"; its repeats met the next letter, "b", and missed.
        self.assertNotEqual(h.deals(1)[0][1], "G")
        shot = game.wait_for_letter(h.deals(1)[0][0])
        self.assertNotEqual(shot.region(h.SHOOTED), before.region(h.SHOOTED))
        self.assertIn(h.opening("shooted.wav"), recording.read(start))
        game.type("b")
        game.wait_for_letter(h.deals(2)[1][0])

    def test_a_miss_pause_ending_while_minimized_pauses_the_game(self):
        game = self.session.launch()
        recording = game.recording
        game.click(h.NEW_GAME_AT)
        start = recording.size()
        game.set_minimized(True)
        # "G" falls to the bottom; the miss pause ends with the miss sound and the pause.
        recording.wait_for_sound(start, h.opening("boing.wav"), timeout=10)
        game.set_minimized(False)
        # The same handler dealt the next letter and paused, before the window showed again.
        paused = game.wait_until(lambda s: s.count(h.PAUSE_LABEL, h.RED, 40) > 10, 5,
                                 "PAUSED in red")
        self.assertTrue(h.letter_at(paused, h.deals(1)[0][0]))
        recording.wait_for(1.5)
        still = game.shot()
        self.assertEqual(still.region(h.TIME_LEFT), paused.region(h.TIME_LEFT))
        self.assertEqual(still.region(h.FIELD), paused.region(h.FIELD))

    def test_resizing_the_window_moves_nothing_and_the_game_goes_on(self):
        game = self.session.launch()
        game.click(h.NEW_GAME_AT)
        start = game.shot()
        counters = (0, 0, 200, 33)
        right_of_clock = (248, 0, 409, 33)

        def resize(width, height):
            game.xdotool("windowmove", "--sync", game.window, 0, 0,
                         "windowsize", "--sync", game.window, width, height)
            game.origin, size = game.geometry()
            self.assertEqual((game.origin, size), ((0, 0), (width, height)))

        resize(120, 40)
        corner = (0, 0, 120, 33)
        game.wait_until(lambda s: s.region(corner) == start.region(corner), 5,
                        "the corner of the status bar")
        self.assertIsNone(game.process.poll())

        resize(1000, 700)
        # The places right of and below the picture may reach the screen in separate patches.
        beyond = ((700, 100), (700, 10), (100, 400), (900, 650), (700, 330))
        shot = game.wait_until(lambda s: all(s.pixel(x, y) == h.TEAL for x, y in beyond), 5,
                               "the form's colour beyond the picture")
        self.assertEqual(shot.region(counters), start.region(counters))
        self.assertEqual(shot.region(right_of_clock), start.region(right_of_clock))
        self.assertGreater(shot.count((3, 323, 651, 14), h.BLACK), 651 * 14 * 8 // 10)
        self.assertEqual(shot.count((657, 0, 343, 33), h.BODY), 0, "the status bar grew")
        game.wait_for_change(h.TIME_LEFT, shot.region(h.TIME_LEFT), 5, "the countdown")


if __name__ == "__main__":
    h.main()
