# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

"""The built program under a virtual X display, played with real clicks and keys: what it
shows, what it plays and how it ends."""

import unittest

import harness as h


class PlayTest(unittest.TestCase):
    def setUp(self):
        self.session = h.Session(self)
        self.game = self.session.launch()

    def test_window_opens_with_the_status_bar_and_input_line_as_designed(self):
        shot = self.game.shot()
        self.assertEqual(self.game.size, (657, 337))
        cells = [0, 80, 152, 248, 424, 520, 592, 656]
        for left, right in zip(cells, cells[1:]):
            cell = (left + 1, 1, right - left - 1, 31)
            self.assertGreater(shot.count(cell, h.BODY), 50, f"body in cell at {left}")
            self.assertGreater(shot.count(cell, h.HATCH), 50, f"hatch in cell at {left}")
        for x in cells[1:-1]:
            rule = (x, 0, 1, 33)
            self.assertEqual(shot.count(rule, h.BLACK) + shot.count(rule, h.HATCH), 33, x)
            self.assertGreaterEqual(shot.count(rule, h.BLACK), 24, x)
        self.assertEqual(shot.count((0, 0, 657, 1), h.BLACK), 657)
        self.assertEqual(shot.count((0, 32, 657, 1), h.BLACK), 657)
        captions = [((8, 8, 56, 17), 0xFFC080), (h.SHOOTED, h.WHITE), ((88, 8, 41, 17), 0xFFC080),
                    (h.MISSED, h.WHITE), ((160, 8, 57, 17), h.PALE_YELLOW),
                    (h.TIME_LEFT, h.PALE_GREEN), ((240, 8, 9, 17), 0x80FFFF),
                    ((296, 8, 77, 16), h.WHITE), ((432, 8, 83, 16), h.PALE_GREEN),
                    (h.PAUSE_LABEL, h.PALE_GREEN), ((600, 8, 53, 16), h.PALE_GREEN)]
        for rect, colour in captions:
            self.assertGreaterEqual(shot.count(rect, colour, 40), 4, f"caption at {rect}")

        # Only the starfield between the bar and the input line: no letter, banner or panel.
        for colour in (h.WHITE, h.RED, h.YELLOW, h.PANEL_GREEN):
            self.assertEqual(shot.count(h.FIELD, colour), 0, hex(colour))
        left_third, middle_third, right_third = ((x, 320, 219, 17) for x in (0, 219, 438))
        self.assertGreater(shot.count(middle_third, h.PALE_YELLOW, 40), 20)
        self.assertEqual(shot.count(left_third, h.PALE_YELLOW, 40), 0)
        self.assertEqual(shot.count(right_third, h.PALE_YELLOW, 40), 0)
        inside = (3, 323, 651, 14)
        self.assertGreater(shot.count(inside, h.BLACK), 651 * 14 * 8 // 10)

    def test_the_hidden_g_scores_before_the_first_game_and_every_key_is_heard(self):
        game, recording = self.game, self.game.recording
        self.assertTrue(h.silent(recording.wait_for(0.5)), "sound while nothing happens")
        before = game.shot()

        start = recording.size()
        game.type("G")
        game.wait_for_change(h.SHOOTED, before.region(h.SHOOTED), 5, "the hit counter")
        recording.wait_for_sound(start, h.opening("shooted.wav"))
        first_left, first_letter = h.deals(1)[0]
        shot = game.wait_for_letter(first_left)
        self.assertNotEqual(first_letter, "1")

        start = recording.size()
        game.type("1")
        recording.wait_for_sound(start, h.opening("wrong.wav"))
        after = game.shot()
        self.assertEqual(after.region(h.SHOOTED), shot.region(h.SHOOTED))
        self.assertEqual(after.region(h.FIELD), shot.region(h.FIELD))
        h.poll(lambda: h.silent(recording.wait_for(0.3)), 5, "silence after the sounds")

    def test_pause_twice_shows_paused_in_red_then_pause_in_green_and_runs_the_clock(self):
        game = self.game
        start = game.shot()
        game.click(h.PAUSE_AT)
        game.wait_until(lambda s: s.count(h.PAUSE_LABEL, h.RED, 40) > 10, 5, "PAUSED in red")
        self.assertEqual(game.shot().count(h.PAUSE_LABEL, h.PALE_GREEN, 40), 0)
        self.assertEqual(game.shot().region(h.TIME_LEFT), start.region(h.TIME_LEFT))

        game.click(h.PAUSE_AT)
        game.wait_until(lambda s: s.count(h.PAUSE_LABEL, h.RED, 40) == 0, 5, "PAUSE again")
        self.assertGreater(game.shot().count(h.PAUSE_LABEL, h.PALE_GREEN, 40), 10)
        # Resuming before any game starts the countdown all the same.
        game.wait_for_change(h.TIME_LEFT, start.region(h.TIME_LEFT), 5, "the countdown")

    def test_new_game_counts_down_and_a_letter_reaching_the_bottom_is_missed(self):
        game, recording = self.game, self.game.recording
        start = game.shot()
        begin = recording.size()
        game.click(h.NEW_GAME_AT)
        game.wait_for_letter(4320)
        game.wait_for_change(h.TIME_LEFT, start.region(h.TIME_LEFT), 5, "the countdown")

        game.wait_until(lambda s: s.count(h.FIELD, h.RED) > 50, 10, "the red missed letter")
        self.assertNotEqual(game.shot().region(h.MISSED), start.region(h.MISSED))
        recording.wait_for_sound(begin, h.opening("boing.wav"))
        game.wait_for_letter(h.deals(1)[0][0])
        self.assertEqual(game.shot().count(h.FIELD, h.RED), 0)

    def test_speed_and_a_three_second_length_chosen_in_settings_end_in_time_over(self):
        game, recording = self.game, self.game.recording
        hundred = game.shot().region(h.TIME_LEFT)
        game.open_settings()
        self.assertGreater(game.shot().count(h.PAUSE_LABEL, h.RED, 40), 10)
        game.click(h.SPEED_AT)
        game.type_length("3")
        begin = recording.size()
        game.click(h.OK_AT)

        # At 100 ms a step, "G" reaches the bottom in 14 steps, before the clock's second
        # step; at the normal 200 ms it would take until after it.
        shown, missed_at = [hundred], None
        for shot in game.shots(10, "time over"):
            if shot.region(h.TIME_LEFT) != shown[-1]:
                shown.append(shot.region(h.TIME_LEFT))
            if missed_at is None and shot.count(h.FIELD, h.RED) > 50:
                missed_at = len(shown) - 1
            if shot.count(h.BANNER, h.YELLOW) > 500:
                break
            self.assertLess(len(shown), 5, "the game went on past its length")
        self.assertEqual(missed_at, 1, "clock steps shown when the first letter was missed")
        self.assertEqual(len(shown) - 1, 3, "clock steps until time over")
        recording.wait_for_sound(begin, h.opening("theend.wav"))
        shot = game.shot()
        self.assertEqual(shot.count(h.FIELD, h.WHITE), 0, "the letter is hidden at time over")
        self.assertEqual(shot.count(h.FIELD, h.RED), 0, "the letter is hidden at time over")
        self.assertEqual(shot.count(h.PANEL, h.PANEL_GREEN), 0, "the panel is closed")

    def test_quit_ends_the_program_with_status_0_and_leaves_no_process(self):
        game = self.game
        game.click(h.NEW_GAME_AT)
        game.click(h.QUIT_AT)
        self.assertEqual(game.wait_for_exit(), 0)
        self.assertEqual(game.left_behind(), set())


if __name__ == "__main__":
    h.main()
