#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Formats sparse image files of exactly the sizes zorvane-calc gives, with
Debian's own formatters (mkfs.fat -F 32, mkntfs), and reads back the capacity
each file system offers: its data clusters times its cluster size, which is
what an operating system shows as the size of the partition.

  filesystems.py check --calc build/zorvane-calc [--readme README.md]
      asserts where the sizes hold, and that the README's table is current
  filesystems.py table --calc build/zorvane-calc [--write README.md]
      prints the README's table, or writes it between its markers

MB and GB in the program are MiB and GiB: 1,048,576 and 1,073,741,824 bytes.
"""

import argparse
import errno
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

MIB = 1 << 20
GIB = 1 << 30
CYLINDER_MIB = 16065 / 2048

# The rows the README shows; `check` measures each of them too.
TABLE_SIZES = [1, 2, 3, 4, 8, 9, 16, 17, 32, 33, 64, 100, 274, 275, 500, 2000, 4096, 16065,
               16383]
# With 512-byte sectors FAT32 ends at 2 TiB.
FAT32_LARGEST = 2000
# Every size up to where FAT32's clusters stop changing, the sizes on either
# side of each known edge, then a spread up to the largest a sparse file may
# be here (ext4 stops at 16 TiB; sizes it refuses are skipped and said so).
FAT32_SIZES = sorted(set(range(1, 35)) | {48, 64, 100, 128, 256, 274, 275, 500, 2000}
                     | {n for n in TABLE_SIZES if n <= FAT32_LARGEST})
NTFS_SIZES = sorted(set(range(1, 33)) | {33, 64, 100, 127, 128, 255, 256, 274, 275, 500, 512, 1000,
                                         1024, 2000, 2048, 4096, 8192, 16065, 16383, 16384, 32768}
                    | set(TABLE_SIZES))

# FAT32 falls short below 3 GB: the formula leaves nothing beyond N GiB at
# 1 GB and 4 MiB at 2 GB, while two tables of 4 KiB clusters take 2 MiB per
# GiB and the reserved sectors a little more. dosfstools 4.2 on Debian 12
# gives exactly these capacities, in bytes, with its own clusters and with
# 4 KiB ones alike.
FAT32_SHORTFALLS = {1: 261627 * 4096, 2: 524281 * 4096}
# With 32 KiB clusters the tables take a quarter of a MiB per GiB and the
# formula leaves 4, so the surplus grows with the size: from this size on
# the partition shows a whole GB more than asked (the window shows these
# sizes in red).
FAT32_FIRST_OVERSHOOT = 275

README_BEGIN = "<!-- filesystems table: written by `make filesystems`, do not edit -->"
README_END = "<!-- end of filesystems table -->"


class Refused(Exception):
    """The file system the images live on will not hold a file this large."""


def sizes_from_calc(calc, sizes):
    """{N: (FAT32 MiB, NTFS MiB)} as the program computes them."""
    run = subprocess.run([calc, *map(str, sizes)], capture_output=True, text=True, check=False)
    if run.returncode != 0:
        sys.exit(f"zorvane-calc failed ({run.returncode}): {run.stderr.strip()}")
    answers = {}
    for line in run.stdout.splitlines():
        n, fat32, ntfs = line.split("\t")
        answers[int(n)] = (int(fat32), int(ntfs))
    return answers


def common_cluster_bytes(n):
    """The cluster the common formatters choose for an N GB FAT32 partition."""
    if n <= 8:
        return 4096
    if n <= 16:
        return 8192
    if n <= 32:
        return 16384
    return 32768


class Workbench:
    """A scratch directory holding one image at a time."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="zorvane-filesystems-")
        self.image = os.path.join(self.dir, "partition.img")

    def close(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def sparse(self, mib):
        try:
            with open(self.image, "wb") as image:
                image.truncate(mib * MIB)
        except OSError as error:
            if error.errno in (errno.EFBIG, errno.EINVAL, errno.ENOSPC):
                self.discard()
                raise Refused(f"{self.dir} refuses a file of {mib} MiB ({error.strerror})")
            raise

    def discard(self):
        if os.path.exists(self.image):
            os.remove(self.image)

    def run(self, *command):
        done = subprocess.run(command, capture_output=True, text=True, check=False)
        if done.returncode != 0:
            raise RuntimeError(f"{' '.join(command)} failed ({done.returncode}):\n"
                               f"{done.stdout}{done.stderr}")
        return done.stdout

    def fat32_capacity(self, mib, cluster_bytes=None):
        """(capacity in bytes, cluster in bytes) of a FAT32 of `mib` MiB."""
        self.sparse(mib)
        try:
            command = ["mkfs.fat", "-F", "32", "-i", "5a0a5a0a"]
            if cluster_bytes is not None:
                command += ["-s", str(cluster_bytes // 512)]
            self.run(*command, self.image)
            with open(self.image, "rb") as image:
                boot = image.read(512)
        finally:
            self.discard()
        bytes_per_sector, = struct.unpack_from("<H", boot, 11)
        sectors_per_cluster = boot[13]
        reserved, = struct.unpack_from("<H", boot, 14)
        fats = boot[16]
        total16, = struct.unpack_from("<H", boot, 19)
        total32, = struct.unpack_from("<I", boot, 32)
        per_fat, = struct.unpack_from("<I", boot, 36)
        if boot[510:512] != b"\x55\xaa" or boot[82:90] != b"FAT32   ":
            raise RuntimeError(f"mkfs.fat left no FAT32 boot sector in {mib} MiB")
        data_sectors = (total16 or total32) - reserved - fats * per_fat
        clusters = data_sectors // sectors_per_cluster
        cluster = sectors_per_cluster * bytes_per_sector
        return clusters * cluster, cluster

    def ntfs_capacity(self, mib):
        """Capacity in bytes of an NTFS of `mib` MiB, as the NTFS library
        reads the volume back."""
        self.sparse(mib)
        try:
            self.run("mkntfs", "--force", "--quick", "--quiet", "--sector-size", "512",
                     "--partition-start", "2048", "--heads", "255", "--sectors-per-track", "63",
                     self.image)
            info = self.run("ntfsinfo", "--mft", self.image)
        finally:
            self.discard()
        cluster = re.search(r"^\s*Cluster Size: (\d+)$", info, re.M)
        clusters = re.search(r"^\s*Volume Size in Clusters: (\d+)$", info, re.M)
        if not cluster or not clusters:
            raise RuntimeError(f"ntfsinfo did not report the volume's clusters:\n{info}")
        return int(clusters.group(1)) * int(cluster.group(1))


class Measurements:
    """What the formatters made of each size: capacities in bytes, or the
    reason a size could not be tried here."""

    def __init__(self, calc, fat32_sizes, ntfs_sizes):
        self.sizes = sizes_from_calc(calc, sorted(set(fat32_sizes) | set(ntfs_sizes)))
        self.fat32 = {}         # N -> (capacity, cluster) with mkfs.fat's own clusters
        self.fat32_common = {}  # N -> capacity with the common formatters' clusters
        self.ntfs = {}          # N -> capacity
        self.skipped = {}       # (format, N) -> reason
        bench = Workbench()
        try:
            for n in fat32_sizes:
                self._measure("FAT32", n, lambda n=n: self._fat32(bench, n))
            for n in ntfs_sizes:
                self._measure("NTFS", n, lambda n=n: self._ntfs(bench, n))
        finally:
            bench.close()

    def _fat32(self, bench, n):
        mib = self.sizes[n][0]
        self.fat32[n] = bench.fat32_capacity(mib)
        common = common_cluster_bytes(n)
        if self.fat32[n][1] == common:
            self.fat32_common[n] = self.fat32[n][0]
        else:
            self.fat32_common[n], _ = bench.fat32_capacity(mib, common)

    def _ntfs(self, bench, n):
        self.ntfs[n] = bench.ntfs_capacity(self.sizes[n][1])

    def _measure(self, kind, n, measure):
        try:
            measure()
        except Refused as refused:
            self.skipped[(kind, n)] = str(refused)


def gib(capacity):
    """GiB to three places, cut rather than rounded: 2 GiB less 28 KiB must
    not read as 2.000."""
    return f"{capacity * 1000 // GIB / 1000:.3f}"


def verdict(n, capacity):
    if capacity < n * GIB:
        return " (short)"
    if capacity >= (n + 1) * GIB:
        return " (over)"
    return ""


def table(measured, sizes):
    rows = ["| N, GB | FAT32, MB | FAT32 capacity, GiB: mkfs.fat's clusters | common clusters | NTFS, MB "
            "| NTFS capacity, GiB |",
            "|---:|---:|---:|---:|---:|---:|"]
    for n in sizes:
        fat32_mib, ntfs_mib = measured.sizes[n]
        if n in measured.fat32:
            capacity, cluster = measured.fat32[n]
            fat32 = [str(fat32_mib), f"{gib(capacity)}{verdict(n, capacity)}, {cluster // 1024} KiB",
                     f"{gib(measured.fat32_common[n])}{verdict(n, measured.fat32_common[n])}, "
                     f"{common_cluster_bytes(n) // 1024} KiB"]
        else:
            fat32 = [str(fat32_mib), "–", "–"]
        ntfs = gib(measured.ntfs[n]) + verdict(n, measured.ntfs[n]) if n in measured.ntfs else "–"
        rows.append(f"| {n} | " + " | ".join(fat32) + f" | {ntfs_mib} | {ntfs} |")
    return rows


def readme_table(readme):
    with open(readme, encoding="utf-8") as text:
        lines = text.read().splitlines()
    begin, end = lines.index(README_BEGIN), lines.index(README_END)
    return lines, begin, end


class Checks:
    def __init__(self):
        self.failures = []
        self.passed = 0

    def expect(self, holds, message):
        if holds:
            self.passed += 1
        else:
            self.failures.append(message)
            print(f"FAIL: {message}", flush=True)


def check(measured, readme):
    checks = Checks()
    for n, (capacity, cluster) in measured.fat32.items():
        for label, got in ((f"{cluster // 1024} KiB clusters (mkfs.fat's)", capacity),
                           (f"{common_cluster_bytes(n) // 1024} KiB clusters",
                            measured.fat32_common[n])):
            where = f"FAT32 at {n} GB ({measured.sizes[n][0]} MB), {label}: {got} bytes"
            if n in FAT32_SHORTFALLS:
                checks.expect(got == FAT32_SHORTFALLS[n],
                              f"{where}, not the known shortfall {FAT32_SHORTFALLS[n]}")
            elif n < FAT32_FIRST_OVERSHOOT:
                checks.expect(n * GIB <= got < (n + 1) * GIB, f"{where}, outside [{n}, {n + 1}) GiB")
            else:
                checks.expect(got >= (n + 1) * GIB,
                              f"{where}, not the known overshoot to {n + 1} GiB or more")
    for n, got in measured.ntfs.items():
        mib = measured.sizes[n][1]
        where = f"NTFS at {n} GB ({mib} MB): {got} bytes"
        checks.expect(n * GIB <= got < (n + 1) * GIB, f"{where}, outside [{n}, {n + 1}) GiB")
        # Rounding up to whole cylinders costs at most one cylinder and the
        # formula's extra megabyte.
        checks.expect(mib * MIB <= n * GIB + (CYLINDER_MIB + 1) * MIB,
                      f"{where}, more than a cylinder and a megabyte above {n} GiB")

    if readme:
        lines, begin, end = readme_table(readme)
        shown = set(lines[begin + 1:end])
        measured_rows = [n for n in TABLE_SIZES
                         if ("NTFS", n) not in measured.skipped and ("FAT32", n) not in measured.skipped]
        for row in table(measured, measured_rows)[2:]:
            checks.expect(row in shown, f"{readme} lacks the measured row {row} "
                          "(run `make filesystems`)")

    for (kind, n), reason in sorted(measured.skipped.items()):
        print(f"skipped: {kind} at {n} GB, {reason}")
    print(f"filesystems: {checks.passed} checks passed, {len(checks.failures)} failed, "
          f"{len(measured.skipped)} sizes skipped")
    return not checks.failures


def write_readme(readme, rows):
    lines, begin, end = readme_table(readme)
    lines[begin + 1:end] = rows
    with open(readme, "w", encoding="utf-8") as text:
        text.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("mode", choices=["check", "table"])
    parser.add_argument("--calc", required=True, help="the zorvane-calc program")
    parser.add_argument("--readme", help="check: the README whose table must be current")
    parser.add_argument("--write", help="table: the README to write the table into")
    args = parser.parse_args()
    for tool in ("mkfs.fat", "mkntfs", "ntfsinfo"):
        if shutil.which(tool) is None and not os.path.exists(f"/usr/sbin/{tool}"):
            sys.exit(f"{tool} is missing (install dosfstools and ntfs-3g)")
    os.environ["PATH"] += os.pathsep + "/usr/sbin:/sbin"
    # A test runner's timeout sends SIGTERM: leave through the clean-up.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))

    started = time.monotonic()
    if args.mode == "check":
        measured = Measurements(args.calc, FAT32_SIZES, NTFS_SIZES)
        ok = check(measured, args.readme)
        print(f"filesystems: {time.monotonic() - started:.1f} s")
        sys.exit(0 if ok else 1)
    measured = Measurements(args.calc, [n for n in TABLE_SIZES if n <= FAT32_LARGEST], TABLE_SIZES)
    rows = table(measured, TABLE_SIZES)
    if args.write:
        write_readme(args.write, rows)
    print("\n".join(rows))


if __name__ == "__main__":
    main()
