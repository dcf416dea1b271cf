"""The goals the benchmark table marks, and how a figure is judged against
one."""

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
MENU_START_GOAL = 1.10  # start from the menu / the installed program started directly, each server
DRAG_FRAMES_ABOVE_REFRESH = 1.10  # frames a second, at most the refresh (60 Hz under Xvfb) and 10 %
DRAG_CPU_GOAL = 0.5  # process CPU during the drag / the build that draws after every pass
ASSUMED_REFRESH_HZ = 60


def verdict(ratio, goal, names, results):
    """'ok', 'tie' (above the goal by less than the spread) or 'MISSED'."""
    if ratio <= goal:
        return "ok"
    spread = max((results[n][1] or 0.0) for n in names if n in results)
    return "tie" if ratio <= goal * (1.0 + spread) else "MISSED"


def note_verdict(v, text, missed, ties):
    """A missed goal or a tie goes to the summary under the table."""
    if v == "MISSED":
        missed.append(text)
    elif v == "tie":
        ties.append(text)
