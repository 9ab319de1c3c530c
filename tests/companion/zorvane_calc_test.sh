#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The command-line companion as a script uses it.
set -uo pipefail
calc=${1:?usage: zorvane_calc_test.sh path/to/zorvane-calc}
failures=0
check() {  # name, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"; echo "  expected: $(printf '%q' "$2")"; echo "  actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}
tab=$'\t'

# Sizes on the command line: one line each, tab-separated, as the window shows them.
out=$("$calc" 1 32 33 999999 007 4294970169 2>/dev/null); status=$?
check "sizes as arguments" "1${tab}1024${tab}1028
32${tab}32892${tab}32774
33${tab}33920${tab}33793
999999${tab}1027998968${tab}1023998977
007${tab}7192${tab}7170
4294970169${tab}4415229333728${tab}4398049453060" "$out"
check "status when all convert" 0 "$status"

# A size that does not convert: named on stderr, the rest still answered, status 2.
out=$("$calc" 10 abc 40abc 1E400 4294970170 99999999999999999999 20 2>/tmp/zorvane-calc-err.$$); status=$?
err=$(cat /tmp/zorvane-calc-err.$$); rm -f /tmp/zorvane-calc-err.$$
check "the others are answered" "10${tab}10276${tab}10245
20${tab}20556${tab}20482" "$out"
check "status with a bad size" 2 "$status"
for bad in abc 40abc 1E400; do
  case "$err" in *"'$bad'"*) ;; *) check "stderr names $bad" "$bad named" "$err" ;; esac
done
# Past the largest size the arithmetic answers exactly, no answer is better than a wrong one.
for bad in 1E400 4294970170 99999999999999999999; do
  case "$err" in *"'$bad' is too large"*) ;; *) check "stderr says $bad is too large" "$bad too large" "$err" ;; esac
done

# Whole sizes from 1 up, in any notation the window's fields read; no partition
# is 0, negative or a fraction of a gigabyte, whatever the formulas give for it.
out=$("$calc" " 12 " 1e3 0 -5 1.5 -0 0.5 7 2>/tmp/zorvane-calc-err.$$); status=$?
err=$(cat /tmp/zorvane-calc-err.$$); rm -f /tmp/zorvane-calc-err.$$
check "only whole sizes from 1 up are answered" "12${tab}12332${tab}12292
1e3${tab}1027996${tab}1024003
7${tab}7192${tab}7170" "$out"
check "status with sizes below 1 or fractions" 2 "$status"
for bad in 0 -5 1.5 -0 0.5; do
  case "$err" in *"'$bad'"*) ;; *) check "stderr names $bad" "$bad named" "$err" ;; esac
done
check "one line on stderr per refused size" 5 "$(grep -c . <<<"$err")"

# Standard input: one answer per line, each as soon as its line arrives.
coproc CALC { "$calc"; }
# Bash forgets CALC_PID (and CALC) as soon as the coprocess has ended, which
# may be before the wait below: keep both while they are there.
calc_pid=$CALC_PID
calc_in=${CALC[1]} calc_out=${CALC[0]}
echo 100 >&"$calc_in"
IFS= read -r -t 30 first <&"$calc_out"
check "first line answered before the second is sent" "100${tab}102796${tab}102407" "$first"
printf '\n5\n' >&"$calc_in"
IFS= read -r -t 30 second <&"$calc_out"
check "an empty line is skipped" "5${tab}5136${tab}5123" "$second"
exec {calc_in}>&-
wait "$calc_pid"; status=$?
check "status after standard input" 0 "$status"

# Typed at a terminal: each line answered before the next is typed.
typed=$(python3 - "$calc" <<'PY'
import os, pty, select, sys
pid, fd = pty.fork()
if pid == 0:
    os.execv(sys.argv[1], [sys.argv[1]])
def answer():
    seen = b""
    while b"\t" not in seen or not seen.endswith(b"\n"):
        ready, _, _ = select.select([fd], [], [], 30)
        if not ready:
            return "(no answer)"
        seen += os.read(fd, 1024)
    # The terminal echoes what was typed first.
    return seen.decode().replace("\r", "").splitlines()[-1]
answers = []
for size in (b"32\n", b"7\n"):
    os.write(fd, size)
    answers.append(answer())
os.write(fd, b"\x04")  # end of input
os.waitpid(pid, 0)
print("|".join(answers))
PY
)
check "typed lines answered at once" "32${tab}32892${tab}32774|7${tab}7192${tab}7170" "$typed"

# Many sizes through a pipe: the same answers as given as arguments, the last line
# without its line feed too, and a refused size reported in its place among
# the answers when both streams go to one file.
out=$(seq 1 5000 | "$calc" | sha1sum)
check "five thousand sizes" "$("$calc" $(seq 1 5000) | sha1sum)" "$out"
out=$(printf '10\nabc\n20' | "$calc" 2>&1)
check "answers and refusals in order" "10${tab}10276${tab}10245
zorvane-calc: 'abc' is not a size in gigabytes
20${tab}20556${tab}20482" "$out"

# Answers that cannot be written are a failure, said on stderr.
err=$("$calc" 1 2 2>&1 >/dev/full); status=$?
check "status when the answers cannot be written" 1 "$status"
check "stderr when the answers cannot be written" "zorvane-calc: cannot write the answers: No space left on device" "$err"

# Help explains the output and both formulas.
help=$("$calc" --help); status=$?
check "help status" 0 "$status"
for phrase in "tab" "FAT32" "NTFS" "(SIZE - 1) x 4 + SIZE x 1024" "7.84423828125"; do
  case "$help" in *"$phrase"*) ;; *) check "help mentions $phrase" "present" "missing" ;; esac
done

[ "$failures" -eq 0 ] && echo "zorvane-calc: ok"
exit $((failures > 0))
