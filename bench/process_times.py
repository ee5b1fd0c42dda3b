#!/usr/bin/env python3
"""Whole-process CPU (user + system, all threads) and wall times of commands, run in turn
round after round so that a drift in the machine's speed falls on all of them alike.

Usage: process_times.py ROUNDS NAME=COMMAND [NAME=COMMAND ...]
Prints one line per command: NAME cpu_min cpu_median wall_min wall_median (milliseconds).
A command's output is thrown away; one that fails is reported on standard error."""

import resource
import shlex
import statistics
import subprocess
import sys
import time


def run_once(argv):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    status = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return status, cpu * 1e3, wall * 1e3


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    rounds = int(sys.argv[1])
    commands = [arg.split("=", 1) for arg in sys.argv[2:]]
    times = {name: ([], []) for name, _ in commands}
    for _ in range(rounds + 1):  # the first round warms the caches and is not counted
        for name, command in commands:
            status, cpu, wall = run_once(shlex.split(command))
            if status not in (0, 1):  # xrdfit says 1 when a peak is not ok
                print(f"{name}: exit status {status}: {command}", file=sys.stderr)
            times[name][0].append(cpu)
            times[name][1].append(wall)
    for name, (cpu, wall) in times.items():
        cpu, wall = cpu[1:], wall[1:]
        print(f"{name} {min(cpu):.2f} {statistics.median(cpu):.2f} "
              f"{min(wall):.2f} {statistics.median(wall):.2f}")


if __name__ == "__main__":
    main()
