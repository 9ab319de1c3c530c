#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# zorvane-calc.exe under wine, as a script or a person on Windows uses it:
# sizes as arguments, through a pipe and from a file, the refusals and their
# status, --help, and a console where each typed line is answered at once.
# Every line it writes ends in CR LF; input lines may end in either.
# run_wine_tests.sh runs it in the private wine prefix it makes.
# usage: zorvane_calc_wine_test.sh path/to/zorvane-calc.exe
set -uo pipefail
calc=${1:?usage: zorvane_calc_wine_test.sh path/to/zorvane-calc.exe}
: "${WINEPREFIX:?run it through run_wine_tests.sh, which makes a private wine prefix}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
calc() { wine "$calc" "$@"; }
same_file() {  # name, expected file, actual file
  if ! cmp -s "$2" "$3"; then
    fail "$1"
    diff <(od -c "$2") <(od -c "$3") | head -20
  fi
}
status_is() {  # name, expected, actual
  [ "$2" = "$3" ] || fail "$1: status $3, not $2"
}

# Sizes as arguments, one CR LF line each; the largest exact size too.
calc 1 32 999999 007 4294970169 >"$scratch/out" 2>"$scratch/err"
status_is "sizes as arguments" 0 $?
printf '%s\r\n' $'1\t1024\t1028' $'32\t32892\t32774' $'999999\t1027998968\t1023998977' \
  $'007\t7192\t7170' $'4294970169\t4415229333728\t4398049453060' >"$scratch/expected"
same_file "sizes as arguments" "$scratch/expected" "$scratch/out"
[ ! -s "$scratch/err" ] || fail "sizes as arguments: stderr: $(cat "$scratch/err")"

# Refused sizes: each named on stderr in its own CR LF line, in order, while
# the others are still answered; status 2. A word in any script reaches the
# message as it was typed (the arguments are read as UTF-16, the message
# written as UTF-8 to anything but a console).
refused=(
  "abc|is not a size in gigabytes"
  "0|is not a whole number of gigabytes from 1 up"
  "1.5|is not a whole number of gigabytes from 1 up"
  "-1E400|is not a whole number of gigabytes from 1 up"
  "4294970170|is too large to size a partition exactly (4294970169 GB at most)"
  "99999999999999999999|is too large to size a partition exactly (4294970169 GB at most)"
  "1E400|is too large to size a partition exactly (4294970169 GB at most)"
  "大小|is not a size in gigabytes"
  "größe|is not a size in gigabytes"
)
sizes=(10)
: >"$scratch/expected"
for row in "${refused[@]}"; do
  sizes+=("${row%%|*}")
  printf "zorvane-calc: '%s' %s\r\n" "${row%%|*}" "${row#*|}" >>"$scratch/expected"
done
sizes+=(20)
calc "${sizes[@]}" >"$scratch/out" 2>"$scratch/err"
status_is "refused sizes" 2 $?
same_file "refused sizes: stderr" "$scratch/expected" "$scratch/err"
printf '%s\r\n' $'10\t10276\t10245' $'20\t20556\t20482' >"$scratch/expected"
same_file "refused sizes: the others answered" "$scratch/expected" "$scratch/out"

calc --größe 5 >"$scratch/out" 2>"$scratch/err"
status_is "unknown option" 2 $?
printf "zorvane-calc: unknown option '--größe' (see --help)\r\n" >"$scratch/expected"
same_file "unknown option" "$scratch/expected" "$scratch/err"

# Standard input from a pipe: LF and CR LF lines, an empty line skipped, the
# last line without its end, answers and refusals in order in one stream.
printf '100\r\n\n5\nabc\r\n7' | calc >"$scratch/out" 2>&1
status_is "pipe" 2 $?
printf '%s\r\n' $'100\t102796\t102407' $'5\t5136\t5123' "zorvane-calc: 'abc' is not a size in gigabytes" \
  $'7\t7192\t7170' >"$scratch/expected"
same_file "pipe" "$scratch/expected" "$scratch/out"

# Many sizes, from a file and through a pipe: the same answers as arguments
# give, written in blocks larger than one write (over 64 KiB).
seq 1 100000 >"$scratch/sizes"
calc $(seq 1 2000) >"$scratch/arguments"
calc <"$scratch/sizes" >"$scratch/from_file"
status_is "file" 0 $?
calc <"$scratch/sizes" | cat >"$scratch/from_pipe"
same_file "a hundred thousand sizes: pipe and file" "$scratch/from_file" "$scratch/from_pipe"
same_file "the first sizes of a file and the same as arguments" "$scratch/arguments" \
  <(head -n 2000 "$scratch/from_file")
[ "$(grep -c $'\r$' "$scratch/from_file")" = 100000 ] || fail "a hundred thousand sizes: not every line ends in CR LF"
[ "$(tr -d -c '\n' <"$scratch/from_file" | wc -c)" = 100000 ] || fail "a hundred thousand sizes: not one line each"

calc </dev/null >"$scratch/out" 2>&1
status_is "empty input" 0 $?
[ ! -s "$scratch/out" ] || fail "empty input: printed $(cat "$scratch/out")"

# Answers that cannot be written fail the run, saying why; a reader that
# closes the pipe early ends the program without a word.
calc 1 2 >/dev/full 2>"$scratch/err"
status_is "a full disk" 1 $?
grep -q "^zorvane-calc: cannot write the answers: " "$scratch/err" || fail "a full disk: stderr: $(cat "$scratch/err")"
timeout 60 wine "$calc" <"$scratch/sizes" 2>"$scratch/err" | head -n 1 >/dev/null
status_is "a closed pipe" 1 "${PIPESTATUS[0]}"
[ ! -s "$scratch/err" ] || fail "a closed pipe: stderr: $(cat "$scratch/err")"

# Each line answered as it arrives through a pipe, not when the pipe ends.
arrivals=$(python3 - "$calc" <<'PY'
import json, os, select, subprocess, sys, time
calc = subprocess.Popen(["wine", sys.argv[1]], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
def line():
    seen = b""
    deadline = time.monotonic() + 30
    while not seen.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([calc.stdout], [], [], left)[0]:
            return "(no answer)"
        chunk = os.read(calc.stdout.fileno(), 1)
        if not chunk:
            return "(end)"
        seen += chunk
    return seen.decode()
answers = []
for sizes in (b"100\n", b"\r\n5\r\n"):
    calc.stdin.write(sizes)
    calc.stdin.flush()
    answers.append(line())
calc.stdin.close()
answers.append(calc.wait(timeout=30))
print(json.dumps(answers))
PY
)
[ "$arrivals" = '["100\t102796\t102407\r\n", "5\t5136\t5123\r\n", 0]' ] ||
  fail "lines through a pipe answered as they arrive: $arrivals"

# Typed at a console: wine gives a program started on a terminal a console
# of its own, which shows what the program writes (expanding its tabs). Each
# line is answered before the next is typed, a refusal shows the word as
# typed, and Ctrl+Z ends the input as on Windows.
typed=$(python3 - "$calc" <<'PY'
import os, pty, re, select, sys, termios, time
pid, fd = pty.fork()
if pid == 0:
    os.execvp("wine", ["wine", sys.argv[1]])
# Wine's console turns the terminal's own line editing off once it has
# taken it over; keys typed before then would go to the terminal instead.
deadline = time.monotonic() + 60
while termios.tcgetattr(fd)[3] & termios.ICANON and time.monotonic() < deadline:
    time.sleep(0.02)
# Ctrl+Z belongs to the program, as on Windows, not to the terminal.
attrs = termios.tcgetattr(fd)
attrs[3] &= ~termios.ISIG
termios.tcsetattr(fd, termios.TCSANOW, attrs)
screen = ""
raw = b""
def shows(pattern):
    global screen, raw
    deadline = time.monotonic() + 30
    while True:
        screen = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]|\r", "", raw.decode(errors="replace"))
        if re.search(pattern, screen):
            return "yes"
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            return "no"
        try:
            raw += os.read(fd, 4096)
        except OSError:
            return "no"
results = []
for keys, answer in (("32\r", r"32 +32892 +32774\n"),
                     ("大小\r", r"zorvane-calc: '大小' is not a size in gigabytes\n"),
                     ("7\x1a\r", r"7 +7192 +7170\n")):
    os.write(fd, keys.encode())
    results.append(shows(answer))
deadline = time.monotonic() + 30
while time.monotonic() < deadline:
    ended, status = os.waitpid(pid, os.WNOHANG)
    if ended:
        results.append(str(os.waitstatus_to_exitcode(status)))
        break
    time.sleep(0.05)
else:
    os.kill(pid, 9)
    os.waitpid(pid, 0)
    results.append("still running")
print(" ".join(results))
if results != ["yes", "yes", "yes", "2"]:
    print(repr(screen))
PY
)
[ "$typed" = "yes yes yes 2" ] || fail "typed at a console (answered, named, answered, status): $typed"

# Help: status 0, CR LF lines, and it says how lines end.
calc --help >"$scratch/out"
status_is "help" 0 $?
[ "$(grep -c '' "$scratch/out")" = "$(grep -c $'\r$' "$scratch/out")" ] || fail "help: not every line ends in CR LF"
for phrase in "CR LF" "4294970169" "(SIZE - 1) x 4 + SIZE x 1024"; do
  tr -d '\r\n' <"$scratch/out" | grep -qF "$phrase" || fail "help does not mention $phrase"
done

[ "$failures" -eq 0 ] && echo "zorvane-calc.exe: ok"
exit $((failures > 0))
