"""The tables of latencyBench: from a pointer move to the audio, program
beside latencyFloor, and where the program's moves spend their time."""
from benchGoals import LATENCY_MAX_MS, LATENCY_MEDIAN_ABOVE_MS, LATENCY_P99_ABOVE_MS
from tableCells import fmt, median, paired_difference, print_header

SCHEDULING_ORDER = ("realtime", "none", "pipewire")
MEDIAN_FIELDS = ("medianMs", "p90Ms", "p99Ms", "frameMs", "early", "callbackLateP99Ms")
BREAKDOWN_PARTS = ("pickup", "frameRest", "poll", "handler", "flush", "toCycle")


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


def latency_cases(series):
    """(scheduling, period) of every case, real-time first, then by period."""
    cases = []
    for key in series:
        scheduling, period, _, _ = key.split("/")
        if (scheduling, int(period)) not in cases:
            cases.append((scheduling, int(period)))
    cases.sort(key=lambda c: (SCHEDULING_ORDER.index(c[0]) if c[0] in SCHEDULING_ORDER else len(SCHEDULING_ORDER),
                              c[1]))
    return cases


def print_latency(data, missed):
    """The latency from a pointer move to the audio, program beside latencyFloor."""
    series = data["latency"]
    rate = data.get("sampleRate", 48000)
    cases = latency_cases(series)
    on_pipewire = any(c[0] == "pipewire" for c in cases)
    print()
    print(f"Latency from a pointer move to the first audio cycle carrying the new gain (private Xvfb and dummy")
    servers = "jackd, or private PipeWire," if on_pipewire else "jackd"
    print(f"{servers} at {rate} Hz); {data.get('rounds')} round(s) of {data.get('movesPerCase')} moves a case; "
          f"load average {data.get('loadAverageAtStart')} at the start, {data.get('loadAverageAtEnd')} at the end")
    print_header(f"{'scheduling':<10} {'period':>15} {'subject':<18} {'median':>7} {'above':>6} {'p90':>6} "
                 f"{'p99':>6} {'max':>6} {'early':>5} {'lost':>4} {'late':>6} {'frame':>6}  goal")
    for scheduling, period in cases:
        print_case(series, scheduling, period, rate, missed)
    print_latency_notes(on_pipewire)
    print_breakdown(series, cases)


def subject_figures(series, prefix, subject):
    """A subject's figures in a case: medians over rounds, lost moves summed, the slowest move."""
    get = lambda field: series.get(prefix + subject + "/" + field, [])
    figures = {f: median(get(f)) for f in MEDIAN_FIELDS}
    figures["lost"] = int(sum(get("lost")))
    figures["maxMs"] = max(get("maxMs")) if get("maxMs") else None
    return figures


def print_case(series, scheduling, period, rate, missed):
    """The floor's row, then the program's, one for each count of tokens."""
    prefix = f"{scheduling}/{period}/"
    subjects = sorted({k[len(prefix):].split("/")[0] for k in series if k.startswith(prefix)},
                      key=lambda s: (s != "floor", len(s), s))
    rows = {subject: subject_figures(series, prefix, subject) for subject in subjects}
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


def print_latency_notes(on_pipewire):
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


def print_breakdown(series, cases):
    """Where the program's moves spend their time, when latencyBench ran with --breakdown."""
    keys = sorted({k.rsplit("/", 1)[0] for k in series if k.endswith("/pickupMedianMs")},
                  key=lambda k: (cases.index((k.split("/")[0], int(k.split("/")[1]))), k))
    if not keys:
        return
    print()
    title = "where the program's moves go"
    print_header(f"{title:<28} {'pickup':>13} {'mean':>6} {'frame rest':>13} {'poll':>13} {'handler':>13} "
                 f"{'flush':>13} {'gain to cycle':>13} {'above':>6}")
    for key in keys:
        cells = [f"{fmt(median(series[f'{key}/{p}MedianMs']), 6, 2)} {fmt(median(series[f'{key}/{p}P99Ms']), 6, 1)}"
                 for p in BREAKDOWN_PARTS]
        cells.insert(1, fmt(median(series.get(f"{key}/pickupMeanMs", [])), 6, 2))
        cells.append(fmt(median(series.get(f"{key}/pickupAboveMs", [])), 6, 2))
        print(f"{key:<28} " + " ".join(cells))
    print_breakdown_notes()


def print_breakdown_notes():
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
