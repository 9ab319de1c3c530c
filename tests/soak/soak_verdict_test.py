#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""When the soak's warm-up ends and what growth after it fails the session."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import x11_soak  # noqa: E402


def sample(rss, windows=4, pixmaps=2):
    return {"rss": rss, "windows": windows, "pixmaps": pixmaps}


class WarmUpTest(unittest.TestCase):
    def test_over_only_once_every_kind_has_run(self):
        kinds = list(x11_soak.STEPS)
        warm_up = x11_soak.WarmUp()
        # The common kinds again and again do not end it.
        for _ in range(100):
            for kind in kinds[:-1]:
                warm_up.ran(kind)
        self.assertFalse(warm_up.over())
        self.assertEqual(warm_up.waiting, {kinds[-1]})
        warm_up.ran(kinds[-1])
        self.assertTrue(warm_up.over())


class JudgeTest(unittest.TestCase):
    def test_growth_after_the_warm_up(self):
        cases = [
            # first, last, how many problems
            (sample(34000), sample(34000), 0),
            (sample(34000), sample(35023), 0),
            (sample(34000), sample(35024), 1),
            (sample(34000), sample(30000), 0),
            (sample(34000), sample(34000, windows=5), 1),
            (sample(34000), sample(34000, windows=3, pixmaps=1), 0),
            (sample(34000), sample(34000, pixmaps=3), 1),
            (sample(34000), sample(40000, windows=5, pixmaps=3), 3),
        ]
        for first, last, problems in cases:
            with self.subTest(first=first, last=last):
                self.assertEqual(len(x11_soak.judge(first, last)), problems)

    def test_no_warm_up_judges_nothing(self):
        self.assertEqual(x11_soak.judge(None, None), [])


class SteadyTest(unittest.TestCase):
    def test_the_last_samples_must_agree(self):
        cases = [
            ([], 3, False),
            ([5, 5], 3, False),
            ([5, 5, 5], 3, True),
            ([9, 5, 5, 5], 3, True),
            ([5, 5, 9], 3, False),
            ([5, 9, 5], 3, False),
        ]
        for samples, count, expected in cases:
            with self.subTest(samples=samples):
                self.assertEqual(x11_soak.steady(samples, count), expected)


if __name__ == "__main__":
    unittest.main()
