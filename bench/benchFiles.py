"""Reading the benchmarks' files: Google Benchmark's JSON rows, and the
figures of systemBench and latencyBench."""
import json
import statistics

TO_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def split_files(paths):
    """(Google Benchmark files, systemBench data or None, latencyBench data or None);
    the series of several latencyBench files are merged."""
    benchmark_files, system, latency = [], None, None
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        if "benchmarks" in data:
            benchmark_files.append(path)
        elif "latency" in data and latency:
            latency["latency"].update(data["latency"])
            latency["loadAverageAtEnd"] = data.get("loadAverageAtEnd")
        elif "latency" in data:
            latency = data
        else:
            system = data
    return benchmark_files, system, latency


def load(paths, field):
    """{run name: (ns, cv or None, label)} over all files."""
    runs, medians, cvs, labels = {}, {}, {}, {}
    context = None
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        context = context or data.get("context", {})
        for b in data["benchmarks"]:
            take_row(b, field, runs, medians, cvs, labels)
    result = {}
    for name in set(runs) | set(medians):
        ns = medians.get(name, statistics.mean(runs[name]) if name in runs else None)
        result[name] = (ns, cvs.get(name), labels.get(name, ""))
    return result, context


def take_row(b, field, runs, medians, cvs, labels):
    """One row: a run's time, or the median or spread of the repetitions."""
    name = b.get("run_name", b["name"])
    if b.get("error_occurred"):
        return
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


def ns(results, name):
    """A run's time in ns; None when it did not run."""
    return results[name][0] if name in results else None
