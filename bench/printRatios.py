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
import json
import statistics
import sys

COPY_GOAL_FRAMES = 256
COPY_GOAL = 1.15  # mydsp / memcpy at COPY_GOAL_FRAMES
COMPILED_GOAL = 1.00  # mydsp / best compiled, every size
WRITE_GOAL_NS = 20.0  # a write through our layer, any address
EVENT_FLOOR_GOAL = 1.20  # an all-mode drag step, trace to a file / the same lines written alone
FRAME_GOAL = 1.10  # program / frameFloor frame time
STARTUP_GOAL = 1.20  # program / startupFloor start-up time
DSP_LOAD_GOAL = 1.20  # program / bare copy client DSP load
IDLE_THREAD_GOAL = 1.0  # percent of a core, the idle program's main thread
IDLE_PROCESS_GOAL = 3.0  # percent of a core, the idle program's whole process
LATENCY_MEDIAN_ABOVE_MS = 1.0  # real-time jackd and PipeWire: median <= floor's + this
LATENCY_P99_ABOVE_MS = 2.0  # real-time jackd and PipeWire: 99th percentile <= floor's + this
LATENCY_MAX_MS = 50.0  # any case: no single move slower

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
    given_load = next((a.split("=", 1)[1] for a in argv if a.startswith("--load-average=")), None)
    paths = [a for a in argv if not a.startswith("--")]
    if not paths:
        print(__doc__)
        return 2
    benchmark_files, system, latency = split_files(paths)
    results, context = load(benchmark_files, field)
    context = context or {}
    real_results, _ = load(benchmark_files, "real_time")
    ns = lambda name: results[name][0] if name in results else None
    missed, ties = [], []

    print()
    cpus = context.get("num_cpus", "?")
    mhz = context.get("mhz_per_cpu", "?")
    load_avg = given_load or ", ".join(f"{x:.1f}" for x in context.get("load_avg", []))
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

    print_events(results, real_results, field, missed, ties)
    if system:
        print_system(system, missed)
    if latency:
        print_latency(latency, missed)

    print()
    if ties:
        print("Above the goal by less than the spread of the repetitions (tie): " + "; ".join(ties))
    if missed:
        print("Goals missed: " + "; ".join(missed))
    else:
        print("All goals met" + (" (ties within noise noted above)." if ties else "."))
    return 1 if strict and missed else 0


def print_events(results, real_results, field, missed, ties):
    """One pointer move during a drag, through the real handlers, beside its floor."""
    steps = [m for m in ("all", "single") if f"event/{m}Step/file" in results]
    if not steps:
        return
    us = lambda res, name: res[name][0] / 1e3 if name in res else None
    print()
    header = (f"{'drag step (64 tokens)':<22} {'trace to':<8} {'us ' + field.split('_')[0]:>9} {'us real':>8} "
              f"{'of which handing lines to the file':>35} {'/floor':>6}  goal all mode <={EVENT_FLOOR_GOAL:.1f}x floor")
    print(header)
    print("-" * len(header))
    for mode in steps:
        to_file = us(results, f"event/{mode}Step/file")
        dropped = us(results, f"event/{mode}Step/nullbuf")
        floor_name = f"event/{mode}Floor/file"
        floor = us(results, floor_name)
        for sink in ("file", "devnull", "nullbuf", "floor"):
            name = floor_name if sink == "floor" else f"event/{mode}Step/{sink}"
            t, real = us(results, name), us(real_results, name)
            share, ratio, goal = "", None, ""
            if sink == "file" and to_file and dropped is not None:
                share = f"{to_file - dropped:.1f} us ({(to_file - dropped) / to_file:.0%})"
            if sink == "file" and t and floor:
                ratio = t / floor
            if mode == "all" and ratio is not None:
                goal = verdict(ratio, EVENT_FLOOR_GOAL, [name, floor_name], results)
                (missed if goal == "MISSED" else ties if goal == "tie" else [])\
                    .append(f"all-mode drag step = {ratio:.2f}x its floor ({t:.1f} / {floor:.1f} us)")
            label = f"{mode} mode" if sink == "file" else ""
            print(f"{label:<22} {sink:<8} {fmt(t, 9, 2)} {fmt(real, 8, 2)} {share:>35} {fmt(ratio, 6, 3)}  {goal}")
    print("file: stdout is a file; devnull: stdout is /dev/null; nullbuf: std::cout writes nowhere")
    print("(numbers formatted, no stdio, no write). Handing lines to the file = file - nullbuf: stdio")
    print("and the write(2) of each line's flush. floor: the same lines, recorded from the same steps,")
    print("written alone to the same file the same way (std::cout, one write and one flush a line);")
    print("/floor: file / floor, measured in the same run. All mode: 66 lines a step; single mode: 3.")


def median(values):
    return statistics.median(values) if values else None


def paired_difference(ours, floors):
    """Median of the differences of runs made one after the other."""
    pairs = [a - b for a, b in zip(ours, floors)]
    return statistics.median(pairs) if pairs else None


def paired_ratio(ours, floors):
    """Median of the ratios of runs made one after the other (run i with
    run i): drift of the machine between rounds cancels out."""
    pairs = [a / b for a, b in zip(ours, floors) if a and b]
    return statistics.median(pairs) if pairs else None


def ratio_row(label, ours, floors, goal, unit, missed, what, scale=1.0):
    """Medians of both series and the median of their paired ratios."""
    ours_median, floor_median = median(ours), median(floors)
    ratio = paired_ratio(ours, floors)
    verdict = ""
    if goal is not None and ratio is not None:
        verdict = "ok" if ratio <= goal else "MISSED"
        if verdict == "MISSED":
            missed.append(f"{what} = {ratio:.2f}x")
    print(f"{label:<34} {fmt(ours_median and ours_median * scale, 10, 2)} "
          f"{fmt(floor_median and floor_median * scale, 10, 2)} {fmt(ratio, 7, 3)}  {unit:<7} {verdict}")


MENU_START_GOAL = 1.10  # start from the menu / the installed program started directly, each server


def print_menu_startup(menu, missed):
    """The installed command (the launcher, from a home folder) vs the installed program started
    directly from its data folder (through pw-jack on PipeWire), per server."""
    for server, how in (("jackd", "on jackd"), ("pipewire", "on PipeWire"), ("none", "no server")):
        ours = menu.get(f"launcher/{server}/ms", [])
        if ours:
            ratio_row(f"  menu vs direct, {how} ({len(ours)})", ours, menu.get(f"direct/{server}/ms", []),
                      MENU_START_GOAL, "ms", missed, f"start from the menu {how}")


DRAG_FRAMES_ABOVE_REFRESH = 1.10  # frames a second, at most the refresh (60 Hz under Xvfb) and 10 %
DRAG_CPU_GOAL = 0.5  # process CPU during the drag / the build that draws after every pass
ASSUMED_REFRESH_HZ = 60


def print_drag(drag, missed):
    """8 tokens dragged at 1,000 moves a second: the program vs its build that draws after every pass."""
    for size in ("full", "doubled"):
        ours = drag.get(f"program/{size}/framesPerSecond", [])
        if not ours:
            continue
        rate = median(ours)
        limit = ASSUMED_REFRESH_HZ * DRAG_FRAMES_ABOVE_REFRESH
        verdict = "ok" if rate <= limit else "MISSED"
        if verdict == "MISSED":
            missed.append(f"drag frames, {size}: {rate:.1f} a second > {limit:.0f}")
        print(f"{'drag 1 kHz, ' + size + ' (' + str(len(ours)) + ' rounds)':<34}")
        print(f"{'  frames a second':<34} {fmt(rate, 10, 1)} "
              f"{fmt(median(drag.get(f'drawEveryPass/{size}/framesPerSecond', [])), 10, 1)}"
              f"{'':>9}  {'/s':<7} {verdict}")
        ratio_row("  process CPU", drag.get(f"program/{size}/cpuPercent", []),
                  drag.get(f"drawEveryPass/{size}/cpuPercent", []), DRAG_CPU_GOAL, "%", missed,
                  f"CPU during a drag, {size}")


def print_system(system, missed):
    """Frames, start-up, DSP load and memory from systemBench."""
    frames, startup = system.get("frames", {}), system.get("startup", {})
    dsp, memory = system.get("dspLoad", {}), system.get("memory", {})
    print()
    print(f"Real program vs floor programs (private Xvfb and dummy jackd at {system.get('sampleRate')} Hz, "
          f"{system.get('framesPerPeriod')} frames a period);")
    print(f"load average {system.get('loadAverageAtStart')} at the start, {system.get('loadAverageAtEnd')} at the end")
    header = f"{'':<34} {'program':>10} {'floor':>10} {'ratio':>7}  {'unit':<7} goal"
    print(header)
    print("-" * len(header))
    for tokens in ("0", "64"):
        ours = frames.get(f"program/{tokens}/medianMs", [])
        floors = frames.get(f"frameFloor/{tokens}/medianMs", [])
        if not ours:
            continue
        ratio_row(f"frame, {tokens} tokens ({len(ours)} rounds)", ours, floors, FRAME_GOAL, "ms", missed,
                  f"frame time with {tokens} tokens")
        p, f = median(ours), median(floors)
        print(f"{'  frames a second':<34} {fmt(1e3 / p, 10, 1)} {fmt(1e3 / f if f else None, 10, 1)}")
        ratio_row("  process CPU per frame", frames.get(f"program/{tokens}/cpuMs", []),
                  frames.get(f"frameFloor/{tokens}/cpuMs", []), None, "ms", missed, "")
    for size in ("scaled", "doubled"):
        for tokens in ("0", "64"):
            ours = frames.get(f"{size}/{tokens}/medianMs", [])
            if ours:
                ratio_row(f"frame, {size} vs full, {tokens} tokens", ours,
                          frames.get(f"program/{tokens}/medianMs", []), None, "ms", missed, "")
                ratio_row("  process CPU per frame", frames.get(f"{size}/{tokens}/cpuMs", []),
                          frames.get(f"program/{tokens}/cpuMs", []), None, "ms", missed, "")
    print_drag(system.get("drag", {}), missed)
    ours, floors = startup.get("program/ms", []), startup.get("startupFloor/ms", [])
    if ours:
        ratio_row(f"start-up ({len(ours)} runs each)", ours, floors, STARTUP_GOAL, "ms", missed, "start-up time")
        ratio_row("  vs the ports left unnamed", ours, startup.get("programWithoutPortNames/ms", []), None, "ms",
                  missed, "")
    print_menu_startup(system.get("menuStartup", {}), missed)
    ours = dsp.get("program/percent", [])
    if ours:
        ratio_row(f"DSP load vs bare client ({len(ours)} rounds)", ours, dsp.get("bareCopyClient/percent", []),
                  DSP_LOAD_GOAL, "%", missed, "DSP load")
        ratio_row("  vs bare client beside drawing", ours, dsp.get("bareBesideDrawing/percent", []), None, "%",
                  missed, "")
        print(f"{'  probe alone':<34} {fmt(median(dsp.get('idle/percent', [])), 10, 2)}")
    idle = system.get("idle", {})
    ours = idle.get("program/processPercent", [])
    if ours:
        floors = idle.get("bareCopyClient/processPercent", [])
        print(f"{'idle, 8 tokens (' + str(len(ours)) + ' rounds)':<34}")
        thread = median(idle.get("program/threadPercent", []))
        print(f"{'  main thread CPU':<34} {fmt(thread, 10, 2)} {fmt(median(idle.get('bareCopyClient/threadPercent', [])), 10, 2)}"
              f"         %       {'ok' if thread <= IDLE_THREAD_GOAL else 'MISSED'}")
        process = median(ours)
        print(f"{'  process CPU':<34} {fmt(process, 10, 2)} {fmt(median(floors), 10, 2)}"
              f"         %       {'ok' if process <= IDLE_PROCESS_GOAL else 'MISSED'}")
        print(f"{'  main thread wake-ups a second':<34} {fmt(median(idle.get('program/wakeUpsPerSecond', [])), 10, 1)} "
              f"{fmt(median(idle.get('bareCopyClient/wakeUpsPerSecond', [])), 10, 1)}")
        if thread > IDLE_THREAD_GOAL:
            missed.append(f"idle main thread {thread:.2f} % > {IDLE_THREAD_GOAL} %")
        if process > IDLE_PROCESS_GOAL:
            missed.append(f"idle process {process:.2f} % > {IDLE_PROCESS_GOAL} %")
    ours = memory.get("program/64/vmHWMKiB", [])
    if ours:
        ratio_row("peak memory (VmHWM), 64 tokens", ours, memory.get("frameFloor/64/vmHWMKiB", []), None, "MiB",
                  missed, "", scale=1 / 1024)
    print("Ratios: median over rounds of program / floor, the two run one after the other. Frame: interval")
    print("between buffer swaps, counted by the preloaded frameCounter in both (median of 1 s windows).")
    print("frameFloor draws the same window content with nothing else and runs the same 126-port JACK")
    print("client; startupFloor opens the same window and JACK client, then prints its line;")
    print("bareCopyClient copies 63 inputs to 63 outputs. DSP load: jack_cpu_load averaged over seconds")
    print("while a probe feeds the 63 inputs and reads the 63 outputs; 'beside drawing': the bare client")
    print("while frameFloor (no JACK client) keeps the processors as busy as the program's drawing.")
    print("Frames are timed while the pointer moves over each window at 1 kHz, the program built to draw")
    print("after every pass, so that the interval is a frame's cost. Drag: 8 tokens dragged together at")
    print("1 kHz, the program (frames at the screen's pace) vs that build in the floor column; goals:")
    print("frames <= 60 Hz + 10 %, CPU <= half. Idle: 8 tokens placed, then 10 s alone; CPU in percent of a core, the")
    print("process's with JACK's thread; the floor column is bareCopyClient's. Goals: thread <= 1 %,")
    print("process <= 3 %.")
    print("Scaled vs full: the program on a 1366x768 screen, its window 866x768 showing the scene scaled;")
    print("doubled vs full: on a 3840x2160 screen at 192 dpi, its window 2188x1940; in the floor column")
    print("the same round's full-size program.")


def latency_goal(case, ours, floor, frame, missed):
    """The goals of one program row: against the floor with a real-time server, 50 ms in any case."""
    verdicts, worst = [], ours["maxMs"]
    if worst is not None and worst > LATENCY_MAX_MS:
        verdicts.append(f"max > {LATENCY_MAX_MS:.0f} MISSED")
        missed.append(f"{case}: a move took {worst:.1f} ms")
    if case.startswith(("realtime", "pipewire")) and floor["medianMs"] is not None:
        limit = floor["medianMs"] + LATENCY_MEDIAN_ABOVE_MS
        if ours["medianMs"] > limit:
            verdicts.append("median MISSED")
            missed.append(f"{case}: median {ours['medianMs']:.2f} ms > floor's + {LATENCY_MEDIAN_ABOVE_MS:g} ms")
        limit = floor["p99Ms"] + LATENCY_P99_ABOVE_MS
        if ours["p99Ms"] > limit:
            verdicts.append("p99 MISSED")
            missed.append(f"{case}: p99 {ours['p99Ms']:.2f} ms > floor's + {LATENCY_P99_ABOVE_MS:g} ms")
    return ", ".join(verdicts) or "ok"


def print_latency(data, missed):
    """The latency from a pointer move to the audio, program beside latencyFloor."""
    series = data["latency"]
    rate = data.get("sampleRate", 48000)
    cases = []
    for key in series:
        scheduling, period, _, _ = key.split("/")
        if (scheduling, int(period)) not in cases:
            cases.append((scheduling, int(period)))
    order = ("realtime", "none", "pipewire")
    cases.sort(key=lambda c: (order.index(c[0]) if c[0] in order else len(order), c[1]))
    on_pipewire = any(c[0] == "pipewire" for c in cases)
    print()
    print(f"Latency from a pointer move to the first audio cycle carrying the new gain (private Xvfb and dummy")
    servers = "jackd, or private PipeWire," if on_pipewire else "jackd"
    print(f"{servers} at {rate} Hz); {data.get('rounds')} round(s) of {data.get('movesPerCase')} moves a case; "
          f"load average {data.get('loadAverageAtStart')} at the start, {data.get('loadAverageAtEnd')} at the end")
    header = (f"{'scheduling':<10} {'period':>15} {'subject':<18} {'median':>7} {'above':>6} {'p90':>6} {'p99':>6} "
              f"{'max':>6} {'early':>5} {'lost':>4} {'late':>6} {'frame':>6}  goal")
    print(header)
    print("-" * len(header))
    for scheduling, period in cases:
        prefix = f"{scheduling}/{period}/"
        subjects = sorted({k[len(prefix):].split("/")[0] for k in series if k.startswith(prefix)},
                          key=lambda s: (s != "floor", len(s), s))
        rows = {}
        for subject in subjects:
            get = lambda field: series.get(prefix + subject + "/" + field, [])
            rows[subject] = {f: median(get(f))
                             for f in ("medianMs", "p90Ms", "p99Ms", "frameMs", "early", "callbackLateP99Ms")}
            rows[subject]["lost"] = int(sum(get("lost")))
            rows[subject]["maxMs"] = max(get("maxMs")) if get("maxMs") else None
        floor = rows.get("floor")
        for i, subject in enumerate(subjects):
            r = rows[subject]
            label = "floor" if subject == "floor" else f"program, {subject[len('program'):]} token" + \
                ("s" if subject != "program1" else "")
            goal = ""
            if subject != "floor" and floor:
                goal = latency_goal(f"{scheduling}/{period}/{subject}", r, floor, r["frameMs"], missed)
            first = f"{scheduling:<10} {period:>5} ({1e3 * period / rate:4.1f} ms)" if i == 0 else f"{'':<26}"
            above = paired_difference(series.get(prefix + subject + "/medianMs", []),
                                      series.get(prefix + "floor/medianMs", [])) if subject != "floor" else None
            print(f"{first} {label:<18} {fmt(r['medianMs'], 7, 2)} {fmt(above, 6, 2)} {fmt(r['p90Ms'], 6, 1)} "
                  f"{fmt(r['p99Ms'], 6, 1)} "
                  f"{fmt(r['maxMs'], 6, 1)} {fmt(r['early'], 5, 0)} {r['lost']:>4} {fmt(r['callbackLateP99Ms'], 6, 1)} "
                  f"{fmt(r['frameMs'], 6, 2)}  {goal}".rstrip())
    print("ms from the move's request flushed to the X server to the start of the first audio cycle whose")
    print("output carries the new gain, both on the JACK clock; median, 90th and 99th percentile of each")
    print("round's moves, medians over rounds; max: the slowest move of all rounds. early: moves carried by")
    print("a cycle that began before the move (its callbacks ran late), counted as 0 ms; lost: moves not")
    print("heard within a second (all rounds), counted as 1000 ms; late: 99th percentile of how long after")
    print("its cycle's start the listening client ran; frame: the median time between the program's")
    print("frames during its moves (each move draws one, so it follows their spacing, not the draw time);")
    print("above: the program's median less the floor's, median over rounds of the two run one after the")
    print("other.")
    print("latencyFloor: an X window that draws nothing and a JACK client that takes each motion event's")
    print("gain at its next cycle. Each of the program's moves comes once its loop waits again (idle).")
    print(f"Goals with the real-time server (-R -P 70) and on PipeWire: median <= floor's + "
          f"{LATENCY_MEDIAN_ABOVE_MS:g} ms, p99 <= floor's + {LATENCY_P99_ABOVE_MS:g} ms; "
          f"in every case no move above {LATENCY_MAX_MS:.0f} ms.")
    if on_pipewire:
        print("pipewire: both subjects and the listening clients through pw-jack on a private PipeWire daemon with")
        print("WirePlumber, the quantum forced to the period, the daemon's own (real-time) scheduling.")
    print_breakdown(series, cases)


def print_breakdown(series, cases):
    """Where the program's moves spend their time, when latencyBench ran with --breakdown."""
    parts = ("pickup", "frameRest", "poll", "handler", "flush", "toCycle")
    keys = sorted({k.rsplit("/", 1)[0] for k in series if k.endswith("/pickupMedianMs")},
                  key=lambda k: (cases.index((k.split("/")[0], int(k.split("/")[1]))), k))
    if not keys:
        return
    print()
    title = "where the program's moves go"
    header = (f"{title:<28} {'pickup':>13} {'mean':>6} {'frame rest':>13} {'poll':>13} {'handler':>13} "
              f"{'flush':>13} {'gain to cycle':>13} {'above':>6}")
    print(header)
    print("-" * len(header))
    for key in keys:
        cells = [f"{fmt(median(series[f'{key}/{p}MedianMs']), 6, 2)} {fmt(median(series[f'{key}/{p}P99Ms']), 6, 1)}"
                 for p in parts]
        cells.insert(1, fmt(median(series.get(f"{key}/pickupMeanMs", [])), 6, 2))
        cells.append(fmt(median(series.get(f"{key}/pickupAboveMs", [])), 6, 2))
        print(f"{key:<28} " + " ".join(cells))
    print("ms, median and 99th percentile (medians over rounds), timed by the preloaded trace clock: pickup,")
    print("from the move to its handler's first trace line, made of frame rest, from the move to the end of the")
    print("frame under way, and poll, from there to the handler (the X server's delivery when it came later);")
    print("handler, from the handler's start to the gain's trace line (the gain is in the engine); flush, that")
    print("line's flush; gain to cycle, from the gain to the start of the cycle that carried it (half a period")
    print("on average); mean: the pickup's mean. Moves fall evenly in the period, so with a period much longer")
    print("than a frame the program's median lies above the floor's by about the pickup's mean (a move picked")
    print("up later than the median counts only by its share), and with a short period by about its median.")
    print("above: what the program's median should lie above the floor's from its pickups alone (each move")
    print("waiting its pickup, then for the next cycle, the moves falling evenly in the period; median over")
    print("rounds), beside the measured 'above' of the latency table: where they agree, the pickup is all")
    print("the program adds.")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
