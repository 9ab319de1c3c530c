// SPDX-License-Identifier: MIT
// What both programs' version information shares.
#define ZORVANE_VERSION 2, 0, 0, 0
#define ZORVANE_VERSION_TEXT "2.0.0.0"
#define ZORVANE_COPYRIGHT "MIT licence"
