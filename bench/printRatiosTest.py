#!/usr/bin/python3
"""The benchmark table's reading and judging, on files written here: which
goals it reports missed or tied, how it pairs and merges series, and its
exit codes."""
import contextlib
import io
import json
import os
import statistics
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source folder free of caches

import benchGoals
import printRatios
from benchFiles import load
from tableCells import paired_ratio


def aggregates(name, median_ns, cv, unit="ns", label=""):
    """Google Benchmark's rows of a repeated run, its times in the given unit."""
    scale = {"ns": 1.0, "us": 1e-3}[unit]
    rows = [{"name": f"{name}_median", "run_name": name, "run_type": "aggregate", "aggregate_name": "median",
             "cpu_time": median_ns * scale, "real_time": 2 * median_ns * scale, "time_unit": unit, "label": label},
            {"name": f"{name}_cv", "run_name": name, "run_type": "aggregate", "aggregate_name": "cv",
             "cpu_time": cv, "real_time": cv, "time_unit": unit}]
    return rows


def runs(name, times_ns):
    return [{"name": name, "run_type": "iteration", "cpu_time": t, "real_time": t} for t in times_ns]


def latency_case(case, floor_median, program_median, program_max):
    """One round of a case: the floor and the program with one token."""
    rows = {}
    for subject, middle, worst in (("floor", floor_median, 10.0), ("program1", program_median, program_max)):
        for field, value in (("medianMs", middle), ("p90Ms", middle), ("p99Ms", middle), ("maxMs", worst),
                             ("early", 0), ("lost", 0), ("callbackLateP99Ms", 0.1)):
            rows[f"{case}/{subject}/{field}"] = [value]
    return rows


class PrintRatios(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def write(self, name, data):
        path = os.path.join(self.folder.name, name)
        with open(path, "w") as f:
            json.dump(data, f)
        return path

    def table(self, *argv):
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            code = printRatios.main(list(argv))
        return code, out.getvalue()

    def test_aSpreadWideEnoughMakesATieAndOnlyMissedGoalsFailAStrictRun(self):
        frames = benchGoals.COPY_GOAL_FRAMES
        copy = 100.0
        tied = copy * benchGoals.COPY_GOAL * 1.02  # within a 5 % spread
        block = self.write("block.json", {"benchmarks": aggregates(f"compute/memcpy/{frames}", copy, 0.05) +
                                          aggregates(f"compute/mydsp/{frames}", tied, 0.0) +
                                          aggregates(f"compute/faustVec/{frames}", tied / 2, 0.0)})
        slow_write = benchGoals.WRITE_GOAL_NS + 1
        param = self.write("param.json", {"benchmarks": aggregates("write/facade/first", slow_write, 0.0,
                                                                   label="/Canaux0/canal0")})
        code, text = self.table("--strict", block, param)
        self.assertEqual(code, 1)
        self.assertIn(f"(tie): mydsp/memcpy at {frames} frames = {tied / copy:.3f}\n", text)
        self.assertIn(f"Goals missed: mydsp/best compiled at {frames} frames = 2.000; "
                      f"facade write first = {slow_write:.1f} ns\n", text)
        self.assertEqual(self.table(block, param)[0], 0)
        code, text = self.table("--strict", block)
        self.assertEqual(code, 1, "a miss against the compiled code counts too")

    def test_verdictsAreOkUpToTheGoalAndTiesUpToItsSpread(self):
        results = {"a": (1.0, 0.1, ""), "b": (1.0, None, "")}
        for ratio, names, expected in ((1.0, ["a"], "ok"), (1.1, ["a", "b"], "tie"), (1.11, ["a"], "MISSED"),
                                       (1.01, ["b"], "MISSED"), (1.05, ["b", "absent", "a"], "tie")):
            self.assertEqual(benchGoals.verdict(ratio, 1.0, names, results), expected, (ratio, names))

    def test_runsAreReadAsMediansOrMeansInNanosecondsAndFailedRunsLeftOut(self):
        rows = aggregates("x", 2000.0, 0.04, unit="us") + runs("y", [1.0, 2.0, 6.0])
        rows.append({"name": "z", "error_occurred": True, "cpu_time": 1.0})
        path = self.write("rows.json", {"benchmarks": rows})
        results, _ = load([path], "cpu_time")
        self.assertAlmostEqual(results["x"][0], 2000.0)
        self.assertAlmostEqual(results["x"][1], 0.04)
        self.assertEqual(results["y"], (statistics.mean([1.0, 2.0, 6.0]), None, ""))
        self.assertNotIn("z", results)
        self.assertAlmostEqual(load([path], "real_time")[0]["x"][0], 4000.0)

    def test_ratiosPairRunsMadeOneAfterTheOther(self):
        ours, floors = [10.0, 30.0, 8.0], [20.0, 5.0, 0.0]
        self.assertEqual(paired_ratio(ours, floors), statistics.median([10.0 / 20.0, 30.0 / 5.0]))
        self.assertIsNone(paired_ratio([], []))

    def test_latencyFilesOfSeveralServersMakeOneTableJudgedWhereTheServerIsRealTime(self):
        floor = 2.0
        above = floor + benchGoals.LATENCY_MEDIAN_ABOVE_MS + 0.5
        slow = benchGoals.LATENCY_MAX_MS + 1
        jackd = self.write("jackd.json", {"rounds": 1, "loadAverageAtEnd": "0.9",
                                          "latency": {**latency_case("none/256", floor, above, 12.0),
                                                      **latency_case("realtime/256", floor, above, slow)}})
        pipewire = self.write("pipewire.json", {"rounds": 1, "loadAverageAtEnd": "0.1",
                                                "latency": latency_case("pipewire/64", floor, floor, 12.0)})
        code, text = self.table("--strict", pipewire, jackd)
        self.assertEqual(code, 1)
        self.assertIn("jackd, or private PipeWire,", text)
        order = [text.index(f"\n{case:<10} {period:>5} (") for case, period in
                 (("realtime", 256), ("none", 256), ("pipewire", 64))]
        self.assertEqual(order, sorted(order), "real-time first, PipeWire last")
        self.assertIn(f"Goals missed: realtime/256/program1: a move took {slow:.1f} ms; "
                      f"realtime/256/program1: median {above:.2f} ms > floor's + "
                      f"{benchGoals.LATENCY_MEDIAN_ABOVE_MS:g} ms\n", text)
        self.assertIn(", 0.9 at the end\n", text, "the merged files keep the end of the last one read")

    def test_withoutFilesItShowsHowToCallIt(self):
        code, text = self.table("--strict")
        self.assertEqual(code, 2)
        self.assertIn("Usage: printRatios.py", text)


if __name__ == "__main__":
    unittest.main()
