#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Measures Zorvane beside two reference windows, in one run, under a private
Xvfb with a private session bus (as a desktop session has), and zorvane-calc
beside the awk one-liner a scripter would write instead; prints the tables
and each goal met or not. Runs alternate between the programs so that
whatever else the machine is doing falls on all of them alike.

    bench/run_bench.py [--build build] [--runs 15] [--idle-seconds 20] [--idle-runs 3] [--calc-runs 5]
                       [--doc docs/performance.md] [--windows-build build-windows]

With --windows-build it measures the Windows build's zorvane.exe under wine
too, in the same run (the part at the end of this file).

The report also replaces the results section of docs/performance.md (the
lines between its two bench markers), unless --doc is given as "" .
"""
import argparse
import datetime
import glob
import json
import os
import signal
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools", "python"))
import private_xvfb  # noqa: E402

PROGRAMS = [
    ("Zorvane", "zorvane"),
    ("bare window", "bench/bench_bare_window"),
    ("empty-timer window", "bench/bench_timer_window"),
]
KEY_OFFSET = (249, 113)  # the middle of the 5 key within the window

# The same two sizes per line as zorvane-calc prints, the way a scripter
# would write them for awk.
AWK_SIZES = ('{ k = int($1 * 1024 / 7.84423828125) + 1; '
             'printf "%s\\t%d\\t%d\\n", $1, ($1 - 1) * 4 + $1 * 1024, int(k * 7.84423828125) + 1 }')
MILLION_SIZES = "".join(f"{n}\n" for n in range(1, 1_000_001)).encode()

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The results section of the performance document lies between these lines.
DOC_BEGIN = "<!-- bench results:"
DOC_END = "<!-- end of bench results -->"


def start_session_bus():
    """A private session bus for the programs measured, as every desktop
    session has one. Without it Qt's accessibility start tries to launch one
    (a fork and a search of PATH for dbus-launch) in every program at every
    start, a cost of several milliseconds that swings widely under load."""
    try:
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    except FileNotFoundError:
        return None
    address = bus.stdout.readline().strip()
    if not address:
        bus.kill()
        return None
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
    return bus


def start_xvfb():
    server, display = private_xvfb.start(1024, 768)
    if display is None:
        server.kill()
        server.wait()
        sys.exit("no X server could be started")
    os.environ["DISPLAY"] = display
    return server


def launch(probe, program):
    """Starts the program; returns its pid and the time to its first paint."""
    out = subprocess.run([probe, program], capture_output=True, text=True, timeout=30).stdout.split()
    return int(out[0]), float(out[1])


def stop(pid):
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    for _ in range(100):
        if not os.path.exists(f"/proc/{pid}"):
            return
        try:
            os.waitpid(pid, os.WNOHANG)
        except ChildProcessError:
            pass
        time.sleep(0.02)
    os.kill(pid, signal.SIGKILL)


def rss_mib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def counters(pid):
    """CPU nanoseconds and context switches, summed over the threads."""
    cpu = 0
    switches = 0
    for task in glob.glob(f"/proc/{pid}/task/*"):
        try:
            with open(f"{task}/schedstat") as f:
                cpu += int(f.read().split()[0])
            with open(f"{task}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        switches += int(line.split()[1])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return cpu, switches


def window_origin():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."], capture_output=True, text=True)
    for window in found.stdout.split():
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], capture_output=True,
                                  text=True).stdout
        values = dict(line.split("=") for line in geometry.split() if "=" in line)
        if values.get("WIDTH") == "320" and values.get("HEIGHT") == "240":
            return int(values["X"]), int(values["Y"])
    return 352, 264


def rest_pointer(on_key):
    """Leaves the pointer resting on the 5 key, having come to it from the
    side as a hand would, or outside the window."""
    if on_key:
        x, y = window_origin()
        subprocess.run(["xdotool", "mousemove", str(x + KEY_OFFSET[0] - 3), str(y + KEY_OFFSET[1])])
        subprocess.run(["xdotool", "mousemove", str(x + KEY_OFFSET[0]), str(y + KEY_OFFSET[1])])
    else:
        subprocess.run(["xdotool", "mousemove", "5", "5"])


def idle(probe, program, seconds, on_key):
    pid, _ = launch(probe, program)
    try:
        time.sleep(1.0)
        rest_pointer(on_key)
        time.sleep(1.0)
        cpu0, sw0 = counters(pid)
        time.sleep(seconds)
        cpu1, sw1 = counters(pid)
        return 100.0 * (cpu1 - cpu0) / (seconds * 1e9), (sw1 - sw0) / seconds
    finally:
        stop(pid)


def in_process(build):
    result = subprocess.run([os.path.join(build, "bench/zorvane_bench"), "--benchmark_format=json",
                             "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"],
                            capture_output=True, text=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    data = json.loads(result.stdout)
    times = {}
    for entry in data["benchmarks"]:
        if entry.get("aggregate_name") in ("median", "min", "max") or entry.get("run_type") == "aggregate":
            name = entry["run_name"]
            times.setdefault(name, {})[entry["aggregate_name"]] = entry["real_time"] / 1000.0  # microseconds
    return times


def companion(build, runs):
    """Seconds for a million sizes through a pipe: zorvane-calc and the awk
    one-liner, alternating; and whether both gave the same lines."""
    commands = [("zorvane-calc", [os.path.join(build, "zorvane-calc")]), ("awk", ["awk", AWK_SIZES])]
    outputs = {name: subprocess.run(command, input=MILLION_SIZES, capture_output=True).stdout
               for name, command in commands}
    times = {name: [] for name, _ in commands}
    for run in range(runs):
        for name, command in commands[run % 2:] + commands[:run % 2]:
            start = time.perf_counter()
            subprocess.run(command, input=MILLION_SIZES, stdout=subprocess.DEVNULL, check=True)
            times[name].append(time.perf_counter() - start)
    return times, outputs["zorvane-calc"] == outputs["awk"]


def summary(values):
    return statistics.median(values), min(values), max(values)


def cell(values, digits):
    med, low, high = summary(values)
    return f"{med:.{digits}f} ({low:.{digits}f}–{high:.{digits}f})"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--idle-seconds", type=float, default=20)
    parser.add_argument("--idle-runs", type=int, default=3)
    parser.add_argument("--calc-runs", type=int, default=5)
    parser.add_argument("--doc", default=os.path.join(SOURCE_DIR, "docs", "performance.md"))
    parser.add_argument("--windows-build", default="",
                        help="the Windows build (make windows) whose zorvane.exe to measure under wine")
    args = parser.parse_args()
    load_at_start = os.getloadavg()[0]
    print(f"load average {load_at_start:.2f} at the start", flush=True)
    probe = os.path.join(args.build, "bench/bench_startup_probe")
    paths = [(name, os.path.join(args.build, path)) for name, path in PROGRAMS]
    bus = start_session_bus()
    server = start_xvfb()
    try:
        startup = {name: [] for name, _ in paths}
        memory = {name: [] for name, _ in paths}
        for run in range(args.runs):
            for name, program in paths[run % 3:] + paths[:run % 3]:
                pid, ms = launch(probe, program)
                time.sleep(1.0)
                memory[name].append(rss_mib(pid))
                startup[name].append(ms)
                stop(pid)
        cpu = {(name, key): [] for name, _ in paths for key in (False, True)}
        wakeups = {(name, key): [] for name, _ in paths for key in (False, True)}
        for run in range(args.idle_runs):
            for name, program in paths[run % 3:] + paths[:run % 3]:
                for on_key in (False, True):
                    share, rate = idle(probe, program, args.idle_seconds, on_key)
                    cpu[(name, on_key)].append(share)
                    wakeups[(name, on_key)].append(rate)
        windows = measure_windows(args, probe) if args.windows_build else None
    finally:
        server.terminate()
        if bus is not None:
            bus.terminate()
    times = in_process(args.build)
    calc_times, calc_same = companion(args.build, args.calc_runs)

    names = [name for name, _ in paths]
    def ratio(table, digits):
        bare = summary(table["bare window"])[0]
        return f"{summary(table['Zorvane'])[0] / bare:.2f}" if bare > 0 else "–"

    rows = [
        ("start-up to mapped and painted, ms", startup, 1),
        ("resident memory after 1 s, MiB", memory, 1),
    ]
    lines = [f"| measure | {' | '.join(names)} | Zorvane ÷ bare |", "|---|---|---|---|---|"]
    for title, table, digits in rows:
        lines.append(f"| {title} | " + " | ".join(cell(table[n], digits) for n in names) + f" | {ratio(table, digits)} |")
    for on_key, where in ((False, "pointer outside"), (True, "pointer on a key")):
        share = {n: cpu[(n, on_key)] for n in names}
        rate = {n: wakeups[(n, on_key)] for n in names}
        lines.append(f"| idle CPU, {where}, % of a core | " + " | ".join(cell(share[n], 2) for n in names) +
                     f" | {ratio(share, 2)} |")
        lines.append(f"| wakeups per second, {where} | " + " | ".join(cell(rate[n], 0) for n in names) +
                     f" | {ratio(rate, 2)} |")
    for bench, title in (("Tick", "one tick's work"), ("KeyPressToOutputs", "key press to both outputs"),
                         ("Fat32Size", "FAT32 size"), ("NtfsSize", "NTFS size")):
        t = times.get(bench, {})
        lines.append(f"| {title}, µs (in-process) | {t.get('median', float('nan')):.3f} | – | – | – |")

    calc_lines = ["| a million sizes through a pipe | zorvane-calc | awk, the two formulas | zorvane-calc ÷ awk |",
                  "|---|---|---|---|",
                  f"| seconds | {cell(calc_times['zorvane-calc'], 2)} | {cell(calc_times['awk'], 2)} | "
                  f"{summary(calc_times['zorvane-calc'])[0] / summary(calc_times['awk'])[0]:.2f} |"]

    def med(table, name):
        return summary(table[name])[0]

    start_ratio = med(startup, "Zorvane") / med(startup, "bare window")
    memory_extra = med(memory, "Zorvane") - med(memory, "bare window")
    key_press = times.get("KeyPressToOutputs", {}).get("median", float("nan"))
    calc_ratio = med(calc_times, "zorvane-calc") / med(calc_times, "awk")
    goals = [
        (f"start-up {start_ratio:.2f} × the bare window (goal ≤ 1.10)", start_ratio <= 1.10),
        (f"resident memory bare + {memory_extra:.1f} MiB (goal ≤ + 5 MiB)", memory_extra <= 5),
    ]
    for on_key, where in ((False, "pointer outside"), (True, "pointer on a key")):
        zorvane = med(cpu, ("Zorvane", on_key))
        timer = med(cpu, ("empty-timer window", on_key))
        goals.append((f"idle CPU, {where}, {zorvane:.2f} % against {timer:.2f} % for the empty timer "
                      f"(goal ≤ 1.5 × + 0.1 = {1.5 * timer + 0.1:.2f} %)", zorvane <= 1.5 * timer + 0.1))
    key_wakeups = med(wakeups, ("Zorvane", True))
    timer_wakeups = med(wakeups, ("empty-timer window", True))
    goals += [
        (f"wakeups, pointer on a key, {key_wakeups:.0f} per second against {timer_wakeups:.0f} for the empty "
         f"timer (goal ≤ + 25 = {timer_wakeups + 25:.0f})", key_wakeups <= timer_wakeups + 25),
        (f"key press to both outputs {key_press:.1f} µs (goal ≤ 20 µs)", key_press <= 20),
        (f"zorvane-calc, a million sizes, {calc_ratio:.2f} × the time of awk (goal ≤ 0.5)"
         + ("" if calc_same else "; the two printed different lines"), calc_ratio <= 0.5 and calc_same),
    ]
    windows_lines, windows_note = [], ""
    if windows is not None:
        windows_lines, windows_goals, windows_note = windows_report(windows, args)
        windows_lines.append("")
        goals += windows_goals
    load = os.getloadavg()[0]
    report = lines + [""] + calc_lines + [""] + windows_lines
    report += [f"- {'met' if met else 'NOT met'}: {text}" for text, met in goals]
    report += ["", f"Median (minimum–maximum) of {args.runs} start-ups and {args.idle_runs} idle runs of "
               f"{args.idle_seconds:g} s per program, under Xvfb without a window manager, and of "
               f"{args.calc_runs} runs of each companion; load average {load_at_start:.2f} at the start "
               f"and {load:.2f} at the end. {run_stamp(args.doc)}"]
    if windows_note:
        report[-1] += " " + windows_note
    print("\n".join(report))
    if args.doc:
        write_results(args.doc, report)


def run_stamp(doc):
    """When and on which commit the run was made (the document the results
    go into does not count as a change)."""
    when = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    commit = subprocess.run(["git", "-C", SOURCE_DIR, "log", "-1", "--format=%h"], capture_output=True,
                            text=True).stdout.strip()
    status = ["git", "-C", SOURCE_DIR, "status", "--porcelain", "--untracked-files=no", "--", "."]
    if doc:
        status.append(":(exclude)" + os.path.relpath(os.path.abspath(doc), SOURCE_DIR))
    dirty = subprocess.run(status, capture_output=True, text=True).stdout.strip()
    if not commit:
        return f"Run {when}."
    return f"Run {when} on commit {commit}{' with changes not yet committed' if dirty else ''}."


def write_results(path, report):
    """Replaces the results section of the performance document with this
    run's report; a document without the section gets it at its end."""
    try:
        with open(path, encoding="utf-8") as f:
            text = f.read()
    except FileNotFoundError:
        text = "# Performance\n"
    begin = text.find(DOC_BEGIN)
    end = text.find(DOC_END, begin if begin >= 0 else 0)
    marker = (DOC_BEGIN + " written by `make bench` (bench/run_bench.py); what lies between these two lines "
              "is replaced on each run -->")
    block = marker + "\n\n" + "\n".join(report) + "\n\n" + DOC_END
    if begin >= 0 and end >= 0:
        text = text[:begin] + block + text[end + len(DOC_END):]
    else:
        text = text.rstrip("\n") + "\n\n" + block + "\n"
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    print(f"\nwritten into {os.path.relpath(path)}")


# --- The Windows rows: zorvane.exe under wine ---------------------------------
#
# zorvane.exe as a Windows user gets it (stripped, in the Windows build's
# dist/) beside two Win32 reference windows built in the same tree, in a wine
# prefix made for the run, on the same Xvfb as the rows above.

import shutil
import tempfile

WINDOWS_PROGRAMS = {
    "zorvane.exe": "dist/zorvane.exe",
    "bare window": "bench/windows/bench_bare_window.exe",
    "empty-timer window": "bench/windows/bench_timer_window.exe",
}
WINDOWS_LARGEST = 2 * 1024 * 1024
# What any Windows has. Anything else, such as the compiler's own
# libstdc++-6.dll, libgcc_s_seh-1.dll or libwinpthread-1.dll, would have to
# be shipped beside the program.
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll",
               "msvcrt.dll", "ole32.dll", "oleacc.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll",
               "user32.dll", "uxtheme.dll"}
# Wine pushes a window's pixels to the X server whenever the program waits,
# so a frame may reach it in pieces: it is painted once the windows have had
# no damage for this long (the probe's --settle). Well under the caret's
# half-second blink.
WINE_SETTLE_MS = 200


def windows_size(windows_build):
    """The stripped zorvane.exe's size in bytes and the DLLs it imports."""
    program = os.path.join(windows_build, WINDOWS_PROGRAMS["zorvane.exe"])
    headers = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", program], capture_output=True, text=True,
                             check=True).stdout
    dlls = sorted({line.split(":", 1)[1].strip().lower() for line in headers.splitlines()
                   if line.strip().startswith("DLL Name:")})
    return os.path.getsize(program), dlls


class WinePrefix:
    """A wine prefix of the run's own, its wineserver started here and kept
    running across every start, and one idle process in it from first to
    last: without a process left in the prefix wine closes its desktop
    (explorer.exe) after each program and starts it again with the next,
    sometimes taking seconds. Each program's start is then its own, not
    wine's; a desktop is always there on Windows too."""

    def __init__(self):
        self.scratch = tempfile.mkdtemp(prefix="zorvane-bench-wine.")
        prefix = os.path.join(self.scratch, "prefix")
        os.mkdir(prefix)
        # No wine diagnostics; no Mono or Gecko installer offered; no menu
        # entries written for the prefix. UTF-8 for the faces' names.
        self.env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", LC_ALL="C.UTF-8",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        self.server = None
        self.keeper = None
        try:
            # -f keeps it in the foreground, so that its pid is known; -p,
            # running with no client.
            self.server = subprocess.Popen(["wineserver", "-f", "-p"], env=self.env, stdin=subprocess.DEVNULL,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.wine(["wineboot", "--init"])
            # Wine has neither of the designs' faces: its replacements stand
            # WenQuanYi in for them, as in the tests under wine.
            for face in ("微软雅黑", "宋体"):
                self.wine(["wine", "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", face,
                           "/d", "WenQuanYi Micro Hei", "/f"])
            # cmd waits for a line that never comes until the run ends.
            self.keeper = subprocess.Popen(["wine", "cmd"], env=self.env, stdin=subprocess.PIPE,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if self.server.poll() is not None or not os.path.basename(
                    os.readlink(f"/proc/{self.server.pid}/exe")).startswith("wineserver"):
                raise RuntimeError("the prefix's wineserver is not the one started for it")
        except BaseException:
            self.close()
            raise

    def wine(self, command):
        """Runs a command in the prefix to its end. Its output goes to a file:
        the processes it starts (wine's services) keep what they inherit
        open long after it."""
        log = os.path.join(self.scratch, "wine.log")
        with open(log, "w") as output:
            status = subprocess.run(command, env=self.env, stdin=subprocess.DEVNULL, stdout=output,
                                    stderr=subprocess.STDOUT, timeout=300).returncode
        if status != 0:
            with open(log, errors="replace") as output:
                raise RuntimeError(f"{' '.join(command)} failed in the wine prefix:\n{output.read()}")

    def close(self):
        if self.keeper is not None:
            self.keeper.stdin.close()
        if self.server is not None and self.server.poll() is None:
            # Every process of this prefix, and its server.
            subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True, timeout=60)
            try:
                self.server.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()
        if self.keeper is not None:
            try:
                self.keeper.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self.keeper.kill()
                self.keeper.wait()
        shutil.rmtree(self.scratch, ignore_errors=True)


def wine_process(pid, exe):
    """The pid of the process that runs exe: the one the probe started
    (the wine loader execs itself into it and keeps the pid) or, should it
    ever start it as a child, that child."""
    wanted = os.path.basename(exe).lower()
    pending = [pid]
    while pending:
        candidate = pending.pop(0)
        try:
            with open(f"/proc/{candidate}/cmdline", "rb") as f:
                words = f.read().split(b"\0")
        except (FileNotFoundError, ProcessLookupError):
            continue
        if words and os.path.basename(words[0].decode(errors="replace").replace("\\", "/")).lower() == wanted:
            return candidate
        try:
            with open(f"/proc/{candidate}/task/{candidate}/children") as f:
                pending += [int(child) for child in f.read().split()]
        except (FileNotFoundError, ProcessLookupError):
            pass
    raise RuntimeError(f"no process runs {exe} (the probe started {pid})")


def wine_launch(probe, exe, wine):
    out = subprocess.run([probe, "--settle", str(WINE_SETTLE_MS), "wine", exe], capture_output=True, text=True,
                         timeout=60, env=wine.env).stdout.split()
    return wine_process(int(out[0]), exe), float(out[1])


def wine_stop(pid):
    stop(pid)
    # The server hears of the end before the next start.
    time.sleep(0.5)


def wine_idle(probe, exe, wine, seconds, on_key):
    """Shares of a core and wakeups per second, over the same interval, of
    the program's process and of the prefix's wineserver."""
    pid, _ = wine_launch(probe, exe, wine)
    try:
        time.sleep(1.0)
        rest_pointer(on_key)
        time.sleep(1.0)
        before = counters(pid), counters(wine.server.pid)
        time.sleep(seconds)
        after = counters(pid), counters(wine.server.pid)
        return [(100.0 * (a[0] - b[0]) / (seconds * 1e9), (a[1] - b[1]) / seconds) for a, b in zip(after, before)]
    finally:
        wine_stop(pid)


def measure_windows(args, probe):
    """Runs zorvane.exe and the reference windows under wine, alternating:
    start-ups of zorvane.exe and the bare window, idle runs of zorvane.exe
    and the empty-timer window with the pointer outside and on a key."""
    exes = {name: os.path.join(args.windows_build, path) for name, path in WINDOWS_PROGRAMS.items()}
    results = {"size": windows_size(args.windows_build)}
    started = time.monotonic()
    wine = WinePrefix()
    try:
        results["prefix seconds"] = time.monotonic() - started
        pair = ["zorvane.exe", "bare window"]
        # The first start in a new prefix finds wine's caches cold (fonts
        # above all); it is no user's every start, so it is not counted.
        for name in pair + ["empty-timer window"]:
            wine_stop(wine_launch(probe, exes[name], wine)[0])
        startup = {name: [] for name in pair}
        for run in range(args.runs):
            for name in pair[run % 2:] + pair[:run % 2]:
                pid, ms = wine_launch(probe, exes[name], wine)
                startup[name].append(ms)
                wine_stop(pid)
        results["startup"] = startup
        pair = ["zorvane.exe", "empty-timer window"]
        idle_cpu = {(name, key, part): [] for name in pair for key in (False, True) for part in (0, 1)}
        idle_wakeups = {(name, key, part): [] for name in pair for key in (False, True) for part in (0, 1)}
        for run in range(args.idle_runs):
            for name in pair[run % 2:] + pair[:run % 2]:
                for on_key in (False, True):
                    for part, (share, rate) in enumerate(wine_idle(probe, exes[name], wine, args.idle_seconds,
                                                                   on_key)):
                        idle_cpu[(name, on_key, part)].append(share)
                        idle_wakeups[(name, on_key, part)].append(rate)
        results["cpu"] = idle_cpu
        results["wakeups"] = idle_wakeups
    finally:
        wine.close()
    return results


def windows_report(results, args):
    """The table under wine, its goals, and a line on how it was measured."""
    def both(table, name, on_key):
        return [p + s for p, s in zip(table[(name, on_key, 0)], table[(name, on_key, 1)])]

    def med(values):
        return summary(values)[0]

    startup = results["startup"]
    lines = ["| under wine | zorvane.exe | bare window | empty-timer window | zorvane.exe ÷ reference |",
             "|---|---|---|---|---|",
             f"| start-up to the first painted frame, ms | {cell(startup['zorvane.exe'], 1)} | "
             f"{cell(startup['bare window'], 1)} | – | "
             f"{med(startup['zorvane.exe']) / med(startup['bare window']):.2f} |"]
    goals = []
    for on_key, where in ((False, "pointer outside"), (True, "pointer on a key")):
        for table, title, digits in ((results["cpu"], f"idle CPU, {where}, % of a core", 2),
                                     (results["wakeups"], f"wakeups per second, {where}", 0)):
            zorvane, timer = both(table, "zorvane.exe", on_key), both(table, "empty-timer window", on_key)
            ratio = f"{med(zorvane) / med(timer):.2f}" if med(timer) > 0 else "–"
            lines.append(f"| {title}: the program and wineserver | {cell(zorvane, digits)} | – | "
                         f"{cell(timer, digits)} | {ratio} |")
            lines.append(f"| … of which wineserver | {cell(table[('zorvane.exe', on_key, 1)], digits)} | – | "
                         f"{cell(table[('empty-timer window', on_key, 1)], digits)} | – |")
            if table is results["cpu"]:
                goals.append((f"idle CPU under wine, {where}, {med(zorvane):.2f} % against {med(timer):.2f} % "
                              f"for the empty timer, the program and wineserver "
                              f"(goal ≤ 1.5 × + 0.1 = {1.5 * med(timer) + 0.1:.2f} %)",
                              med(zorvane) <= 1.5 * med(timer) + 0.1))
    size, dlls = results["size"]
    lines.append(f"| zorvane.exe stripped, MiB | {size / 1048576:.2f} | – | – | – |")
    start_ratio = med(startup["zorvane.exe"]) / med(startup["bare window"])
    foreign = [dll for dll in dlls if dll not in SYSTEM_DLLS]
    goals = [
        (f"zorvane.exe stripped {size / 1048576:.2f} MiB (goal ≤ 2 MiB), importing "
         + (f"{', '.join(foreign)}, which Windows does not ship" if foreign else "only DLLs Windows ships")
         + f": {', '.join(dlls)}", size <= WINDOWS_LARGEST and not foreign),
        (f"start-up under wine {start_ratio:.2f} × the bare window (goal ≤ 1.20)", start_ratio <= 1.20),
    ] + goals
    note = (f"Under wine: median (minimum–maximum) of {args.runs} start-ups of zorvane.exe and the bare window "
            f"and {args.idle_runs} idle runs of {args.idle_seconds:g} s of zorvane.exe and the empty-timer window "
            f"per pointer place, after one uncounted start of each, in a wine prefix made for the run in "
            f"{results['prefix seconds']:.0f} s.")
    return lines, goals, note


if __name__ == "__main__":
    main()
