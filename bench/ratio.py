#!/usr/bin/env python3
"""Median wall time of two commands run in turn, and their ratio.

Running them alternately, rather than all runs of one and then all of the
other, keeps a change in the machine's load from landing on one side only.
usage: ratio.py RUNS -- COMMAND_A ... -- COMMAND_B ...
prints: A_SECONDS B_SECONDS
"""
import subprocess
import sys
import time


def run(command):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


def main():
    runs = int(sys.argv[1])
    rest = sys.argv[2:]
    split = rest.index("--", 1)
    a, b = rest[1:split], rest[split + 1:]
    run(a), run(b)  # warm the caches
    times_a, times_b = [], []
    for _ in range(runs):
        times_a.append(run(a))
        times_b.append(run(b))
    median = lambda values: sorted(values)[len(values) // 2]
    print(f"{median(times_a)} {median(times_b)}")


if __name__ == "__main__":
    main()
