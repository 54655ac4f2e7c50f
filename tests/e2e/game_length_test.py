# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""Game lengths typed into the real settings box, the odd ones included: each game ends, or
runs on, as the countdown's rules say."""

import time
import unittest

import harness as h


class GameLengthTest(unittest.TestCase):
    def setUp(self):
        self.game = h.Session(self).launch()
        self.hundred = self.game.shot().region(h.TIME_LEFT)

    def start_game(self, length):
        """Starts a game of the typed length with Ok."""
        self.game.open_settings()
        self.game.type_length(length)
        self.game.click(h.OK_AT)

    def clock_steps_until_time_over(self, timeout):
        """How often the time shown changes from the new game's "100" until the banner, and
        the time shown then."""
        shown = None
        for shot in self.game.shots(timeout, "time over"):
            now = shot.region(h.TIME_LEFT)
            if shown is None:
                # The previous game's banner and time stay until Ok has started this one.
                if now == self.hundred and shot.count(h.BANNER, h.YELLOW) == 0:
                    shown = [now]
                continue
            if shot.count(h.BANNER, h.YELLOW) > 500:
                # The window sends the banner and the time to the screen as separate
                # patches; a picture taken between the two can hold the one without the
                # other, so the time is read from the next picture.
                now = self.game.shot().region(h.TIME_LEFT)
                if now != shown[-1]:
                    shown.append(now)
                return len(shown) - 1, now
            if now != shown[-1]:
                shown.append(now)

    def test_lengths_read_as_zero_negative_or_tiny_end_on_the_first_tick(self):
        zero = None
        # A digit after the non-Latin texts shows they reached the box: without them the
        # length would read 5.
        for length in ("1e-9", "-5", "", "三十5", "٣٠5"):
            self.start_game(length)
            steps, shown = self.clock_steps_until_time_over(5)
            self.assertEqual(steps, 1, repr(length))
            zero = zero or shown
            self.assertEqual(shown, zero, f"{length!r} ends on another time than 0")

    def test_hexadecimal_and_octal_lengths_count_their_seconds(self):
        for length, seconds in (("&H5", 5), ("&O7", 7)):
            self.start_game(length)
            steps, _ = self.clock_steps_until_time_over(seconds + 5)
            self.assertEqual(steps, seconds, length)

    def test_a_ten_thousand_character_length_is_read_up_to_its_first_letter(self):
        self.start_game("2" + "x" * 9999)
        steps, _ = self.clock_steps_until_time_over(60)
        self.assertEqual(steps, 2)

    def test_a_length_beyond_any_number_keeps_the_game_running(self):
        game = self.game
        self.start_game("1e999")
        game.wait_until(lambda s: s.region(h.TIME_LEFT) == self.hundred, 5, "the new game")
        # The first tick replaces "100" with the largest number there is, minus one.
        game.wait_for_change(h.TIME_LEFT, self.hundred, 5, "the countdown")
        first = game.shot()
        end = time.monotonic() + 2.5
        while time.monotonic() < end:
            shot = game.shot()
            self.assertEqual(shot.count(h.BANNER, h.YELLOW), 0, "time over")
            time.sleep(0.05)
        self.assertNotEqual(shot.region(h.FIELD), first.region(h.FIELD), "the letter stood still")
        self.assertIsNone(game.process.poll())


if __name__ == "__main__":
    h.main()
