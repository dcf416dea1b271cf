#!/usr/bin/python3
"""Prints the benchmark table from Google Benchmark JSON files and from
systemBench's JSON file.

Usage: printRatios.py [--strict] [--time=cpu|real] [--load-average=TEXT]
                      blockBench.json [paramBench.json] [eventBench.json] [systemBench.json]
                      [latencyBench.json...]

Takes the median of the repetitions when there are aggregates, else the mean
of the runs; CPU time by default (the process's own time, which a busy
machine disturbs less than wall-clock time). For each frame count: ns per compute call of memcpy, mydsp and
the faust compiler's code, mydsp / memcpy and mydsp / best compiled. For
parameter writes: ns per write through the facade and through APIUI, and
their ratio. For events: us per pointer move in all and single mode, with
the trace to a file, to /dev/null and to nowhere, and the file's share, and
the step to a file over its floor (the same lines written alone). From
systemBench: frame time, start-up time, the server's DSP load and peak
memory of the program beside its floor programs. From latencyBench: the
latency from a pointer move to the audio, program beside latencyFloor, the
rows of several latencyBench files (jackd, PipeWire) in one table. Marks the goals; a ratio above its goal by less than the repetitions'
spread (their coefficient of variation) is marked "tie", not counted as
missed. With --strict, exits 1 when a goal is missed.
"""
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

from benchFiles import load, split_files
from latencyTables import print_latency
from microTables import print_compute, print_events, print_writes
from systemTables import print_system


def options(argv):
    """(strict, the time field read, the load average given or None, the files)."""
    strict = "--strict" in argv
    field = "real_time" if "--time=real" in argv else "cpu_time"
    given_load = next((a.split("=", 1)[1] for a in argv if a.startswith("--load-average=")), None)
    paths = [a for a in argv if not a.startswith("--")]
    return strict, field, given_load, paths


def print_heading(context, field, given_load):
    print()
    cpus = context.get("num_cpus", "?")
    mhz = context.get("mhz_per_cpu", "?")
    load_avg = given_load or ", ".join(f"{x:.1f}" for x in context.get("load_avg", []))
    print(f"Zelquor benchmarks: {cpus} CPUs at {mhz} MHz, load average {load_avg or '?'}; "
          f"median {field.replace('_', ' ')}, ns per call")
    print()


def print_summary(missed, ties):
    print()
    if ties:
        print("Above the goal by less than the spread of the repetitions (tie): " + "; ".join(ties))
    if missed:
        print("Goals missed: " + "; ".join(missed))
    else:
        print("All goals met" + (" (ties within noise noted above)." if ties else "."))


def main(argv):
    strict, field, given_load, paths = options(argv)
    if not paths:
        print(__doc__)
        return 2
    benchmark_files, system, latency = split_files(paths)
    results, context = load(benchmark_files, field)
    real_results, _ = load(benchmark_files, "real_time")
    missed, ties = [], []
    print_heading(context or {}, field, given_load)
    print_compute(results, missed, ties)
    print_writes(results, missed)
    print_events(results, real_results, field, missed, ties)
    if system:
        print_system(system, missed)
    if latency:
        print_latency(latency, missed)
    print_summary(missed, ties)
    return 1 if strict and missed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
