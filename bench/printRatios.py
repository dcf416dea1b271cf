#!/usr/bin/python3
"""Prints the benchmark table from Google Benchmark JSON files.

Usage: printRatios.py [--strict] [--time=cpu|real] blockBench.json [paramBench.json]

Takes the median of the repetitions when there are aggregates, else the mean
of the runs; CPU time by default (the process's own time, which a busy
machine disturbs less than wall-clock time). For each frame count: ns per compute call of memcpy, mydsp and
the faust compiler's code, mydsp / memcpy and mydsp / best compiled. For
parameter writes: ns per write through the facade and through APIUI, and
their ratio. Marks the goals; a ratio above its goal by less than the repetitions'
spread (their coefficient of variation) is marked "tie", not counted as
missed. With --strict, exits 1 when a goal is missed.
"""
import json
import statistics
import sys

COPY_GOAL_FRAMES = 256
COPY_GOAL = 1.15  # mydsp / memcpy at COPY_GOAL_FRAMES
COMPILED_GOAL = 1.00  # mydsp / best compiled, every size
WRITE_GOAL_NS = 20.0  # a write through our layer, any address

TO_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def load(paths, field):
    """{run name: (ns, cv or None, label)} over all files."""
    runs, medians, cvs, labels = {}, {}, {}, {}
    context = None
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        context = context or data.get("context", {})
        for b in data["benchmarks"]:
            name = b.get("run_name", b["name"])
            if b.get("error_occurred"):
                continue
            ns = b[field] * TO_NS[b.get("time_unit", "ns")]
            if b.get("label"):
                labels[name] = b["label"]
            if b.get("run_type") == "aggregate":
                if b.get("aggregate_name") == "median":
                    medians[name] = ns
                elif b.get("aggregate_name") == "cv":
                    cvs[name] = b[field]  # a fraction, whatever the unit says
            else:
                runs.setdefault(name, []).append(ns)
    result = {}
    for name in set(runs) | set(medians):
        ns = medians.get(name, statistics.mean(runs[name]) if name in runs else None)
        result[name] = (ns, cvs.get(name), labels.get(name, ""))
    return result, context


def fmt(x, width=9, digits=1):
    return f"{x:{width}.{digits}f}" if x is not None else f"{'-':>{width}}"


def verdict(ratio, goal, names, results):
    """'ok', 'tie' (above the goal by less than the spread) or 'MISSED'."""
    if ratio <= goal:
        return "ok"
    spread = max((results[n][1] or 0.0) for n in names if n in results)
    return "tie" if ratio <= goal * (1.0 + spread) else "MISSED"


def main(argv):
    strict = "--strict" in argv
    field = "real_time" if "--time=real" in argv else "cpu_time"
    paths = [a for a in argv if not a.startswith("--")]
    if not paths:
        print(__doc__)
        return 2
    results, context = load(paths, field)
    ns = lambda name: results[name][0] if name in results else None
    missed, ties = [], []

    print()
    cpus = context.get("num_cpus", "?")
    mhz = context.get("mhz_per_cpu", "?")
    load_avg = ", ".join(f"{x:.1f}" for x in context.get("load_avg", []))
    print(f"Zelquor benchmarks: {cpus} CPUs at {mhz} MHz, load average {load_avg or '?'}; "
          f"median {field.replace('_', ' ')}, ns per call")
    print()
    header = (f"{'frames':>6} {'memcpy':>9} {'mydsp':>9} {'faustScalar':>11} {'faustVec':>9} "
              f"{'mydsp/memcpy':>12} {'mydsp/best compiled':>19}  goals")
    print(header)
    print("-" * len(header))
    frames = sorted({int(n.split("/")[2]) for n in results if n.startswith("compute/")})
    for f in frames:
        copy, ours = ns(f"compute/memcpy/{f}"), ns(f"compute/mydsp/{f}")
        scalar, vec = ns(f"compute/faustScalar/{f}"), ns(f"compute/faustVec/{f}")
        compiled = [x for x in (scalar, vec) if x is not None]
        best = min(compiled) if compiled else None
        to_copy = ours / copy if ours and copy else None
        to_best = ours / best if ours and best else None
        goals = []
        if f == COPY_GOAL_FRAMES and to_copy is not None:
            v = verdict(to_copy, COPY_GOAL, [f"compute/memcpy/{f}", f"compute/mydsp/{f}"], results)
            goals.append(f"<={COPY_GOAL:.2f}x copy {v}")
            (missed if v == "MISSED" else ties if v == "tie" else [])\
                .append(f"mydsp/memcpy at {f} frames = {to_copy:.3f}")
        if to_best is not None:
            best_name = f"compute/faustVec/{f}" if best == vec else f"compute/faustScalar/{f}"
            v = verdict(to_best, COMPILED_GOAL, [best_name, f"compute/mydsp/{f}"], results)
            goals.append(f"<=compiled {v}")
            (missed if v == "MISSED" else ties if v == "tie" else [])\
                .append(f"mydsp/best compiled at {f} frames = {to_best:.3f}")
        elif not compiled:
            goals.append("no compiled code (ZELQUOR_TESTS OFF)")
        print(f"{f:>6} {fmt(copy)} {fmt(ours)} {fmt(scalar, 11)} {fmt(vec)} "
              f"{fmt(to_copy, 12, 3)} {fmt(to_best, 19, 3)}  {', '.join(goals)}")

    writes = [n.split("/")[2] for n in results if n.startswith("write/facade/")]
    if writes:
        print()
        order = ["first", "last", "unknown64", "unknown255", "label"]
        writes.sort(key=lambda c: order.index(c) if c in order else len(order))
        header = (f"{'setParamValue':<14} {'address':<18} {'ours ns':>8} {'APIUI ns':>9} "
                  f"{'ours/APIUI':>10} {'APIUI look-up ns':>16}  goal <={WRITE_GOAL_NS:.0f} ns")
        print(header)
        print("-" * len(header))
        store = ns("write/store/plain")
        print(f"{'plain store':<14} {'(one float)':<18} {fmt(store, 8, 2)}")
        byid = ns("write/facadeById/last")
        if byid is not None:
            print(f"{'facade by id':<14} {'(index 63)':<18} {fmt(byid, 8, 2)}")
        for c in writes:
            ours, theirs = ns(f"write/facade/{c}"), ns(f"write/apiui/{c}")
            lookup = ns(f"lookup/apiui/{c}")
            ratio = ours / theirs if ours and theirs else None
            ok = ours is not None and ours <= WRITE_GOAL_NS
            if not ok:
                missed.append(f"facade write {c} = {ours:.1f} ns")
            address = results[f"write/facade/{c}"][2]
            print(f"{c:<14} {address:<18} {fmt(ours, 8, 2)} {fmt(theirs, 9, 1)} {fmt(ratio, 10, 3)} "
                  f"{fmt(lookup, 16, 1)}  {'ok' if ok else 'MISSED'}")
        print("APIUI ns: APIUI::setParamValue(address), with stderr sent to /dev/null for addresses it")
        print("does not know (it prints a line each call); APIUI look-up ns: getParamIndex alone.")
        print("'canal5' names no parameter for our layer; APIUI resolves it as a label.")

    print()
    if ties:
        print("Above the goal by less than the spread of the repetitions (tie): " + "; ".join(ties))
    if missed:
        print("Goals missed: " + "; ".join(missed))
    else:
        print("All goals met" + (" (ties within noise noted above)." if ties else "."))
    return 1 if strict and missed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
