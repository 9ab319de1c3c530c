#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Measures Zorvane beside two reference windows, in one run, under a private
Xvfb with a private session bus (as a desktop session has), and zorvane-calc
beside the awk one-liner a scripter would write instead; prints the tables
and each goal met or not. Runs alternate between the programs so that
whatever else the machine is doing falls on all of them alike.

    bench/run_bench.py [--build build] [--runs 15] [--idle-seconds 20] [--idle-runs 3] [--calc-runs 5]
                       [--doc docs/performance.md]

The report also replaces the results section of docs/performance.md (the
lines between its two bench markers), unless --doc is given as "" .
"""
import argparse
import datetime
import glob
import json
import os
import select
import signal
import statistics
import subprocess
import sys
import time

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
    """A private Xvfb; the server picks a free display itself and writes its
    number once it takes clients, so that runs side by side never meet."""
    ready, writer = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp", "-noreset"],
                              pass_fds=(writer,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(writer)
    number = b""
    deadline = time.monotonic() + 30
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        if select.select([ready], [], [], 1)[0]:
            chunk = os.read(ready, 16)
            if not chunk:
                break
            number += chunk
    os.close(ready)
    if not number.endswith(b"\n"):
        server.kill()
        server.wait()
        sys.exit("no X server could be started")
    os.environ["DISPLAY"] = ":" + number.decode().strip()
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


def idle(probe, program, seconds, on_key):
    pid, _ = launch(probe, program)
    try:
        time.sleep(1.0)
        x, y = window_origin()
        if on_key:
            subprocess.run(["xdotool", "mousemove", str(x + KEY_OFFSET[0] - 3), str(y + KEY_OFFSET[1])])
            subprocess.run(["xdotool", "mousemove", str(x + KEY_OFFSET[0]), str(y + KEY_OFFSET[1])])
        else:
            subprocess.run(["xdotool", "mousemove", "5", "5"])
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
    load = os.getloadavg()[0]
    report = lines + [""] + calc_lines + [""]
    report += [f"- {'met' if met else 'NOT met'}: {text}" for text, met in goals]
    report += ["", f"Median (minimum–maximum) of {args.runs} start-ups and {args.idle_runs} idle runs of "
               f"{args.idle_seconds:g} s per program, under Xvfb without a window manager, and of "
               f"{args.calc_runs} runs of each companion; load average {load_at_start:.2f} at the start "
               f"and {load:.2f} at the end. {run_stamp(args.doc)}"]
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


if __name__ == "__main__":
    main()
