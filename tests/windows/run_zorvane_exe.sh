#!/bin/sh
# SPDX-License-Identifier: MIT
# zorvane.exe under wine, as a program of its own for the X tests to start
# and end: the prefix and the program come from the environment.
exec wine "${ZORVANE_EXE:?the path of zorvane.exe}"
