"""The table of systemBench: the real program beside its floor programs."""
from benchGoals import ASSUMED_REFRESH_HZ, DRAG_CPU_GOAL, DRAG_FRAMES_ABOVE_REFRESH, DSP_LOAD_GOAL, FRAME_GOAL, \
    IDLE_PROCESS_GOAL, IDLE_THREAD_GOAL, MENU_START_GOAL, STARTUP_GOAL
from tableCells import fmt, median, paired_ratio, print_header


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


def print_system(system, missed):
    """Frames, start-up, DSP load and memory from systemBench."""
    print()
    print(f"Real program vs floor programs (private Xvfb and dummy jackd at {system.get('sampleRate')} Hz, "
          f"{system.get('framesPerPeriod')} frames a period);")
    print(f"load average {system.get('loadAverageAtStart')} at the start, {system.get('loadAverageAtEnd')} at the end")
    print_header(f"{'':<34} {'program':>10} {'floor':>10} {'ratio':>7}  {'unit':<7} goal")
    frames = system.get("frames", {})
    print_frames(frames, missed)
    print_resized_frames(frames, missed)
    print_drag(system.get("drag", {}), missed)
    print_startup(system.get("startup", {}), missed)
    print_menu_startup(system.get("menuStartup", {}), missed)
    print_dsp_load(system.get("dspLoad", {}), missed)
    print_idle(system.get("idle", {}), missed)
    print_memory(system.get("memory", {}), missed)
    print_system_notes()


def print_frames(frames, missed):
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


def print_resized_frames(frames, missed):
    """The window scaled to a small screen and doubled on a dense one, beside the full-size program."""
    for size in ("scaled", "doubled"):
        for tokens in ("0", "64"):
            ours = frames.get(f"{size}/{tokens}/medianMs", [])
            if ours:
                ratio_row(f"frame, {size} vs full, {tokens} tokens", ours,
                          frames.get(f"program/{tokens}/medianMs", []), None, "ms", missed, "")
                ratio_row("  process CPU per frame", frames.get(f"{size}/{tokens}/cpuMs", []),
                          frames.get(f"program/{tokens}/cpuMs", []), None, "ms", missed, "")


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


def print_startup(startup, missed):
    ours, floors = startup.get("program/ms", []), startup.get("startupFloor/ms", [])
    if ours:
        ratio_row(f"start-up ({len(ours)} runs each)", ours, floors, STARTUP_GOAL, "ms", missed, "start-up time")
        ratio_row("  vs the ports left unnamed", ours, startup.get("programWithoutPortNames/ms", []), None, "ms",
                  missed, "")


def print_menu_startup(menu, missed):
    """The installed command (the launcher, from a home folder) vs the installed program started
    directly from its data folder (through pw-jack on PipeWire), per server."""
    for server, how in (("jackd", "on jackd"), ("pipewire", "on PipeWire"), ("none", "no server")):
        ours = menu.get(f"launcher/{server}/ms", [])
        if ours:
            ratio_row(f"  menu vs direct, {how} ({len(ours)})", ours, menu.get(f"direct/{server}/ms", []),
                      MENU_START_GOAL, "ms", missed, f"start from the menu {how}")


def print_dsp_load(dsp, missed):
    ours = dsp.get("program/percent", [])
    if ours:
        ratio_row(f"DSP load vs bare client ({len(ours)} rounds)", ours, dsp.get("bareCopyClient/percent", []),
                  DSP_LOAD_GOAL, "%", missed, "DSP load")
        ratio_row("  vs bare client beside drawing", ours, dsp.get("bareBesideDrawing/percent", []), None, "%",
                  missed, "")
        print(f"{'  probe alone':<34} {fmt(median(dsp.get('idle/percent', [])), 10, 2)}")


def print_idle(idle, missed):
    """The idle program's CPU and wake-ups beside the bare copy client's."""
    ours = idle.get("program/processPercent", [])
    if not ours:
        return
    floors = idle.get("bareCopyClient/processPercent", [])
    print(f"{'idle, 8 tokens (' + str(len(ours)) + ' rounds)':<34}")
    thread = median(idle.get("program/threadPercent", []))
    print(f"{'  main thread CPU':<34} {fmt(thread, 10, 2)} "
          f"{fmt(median(idle.get('bareCopyClient/threadPercent', [])), 10, 2)}"
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


def print_memory(memory, missed):
    ours = memory.get("program/64/vmHWMKiB", [])
    if ours:
        ratio_row("peak memory (VmHWM), 64 tokens", ours, memory.get("frameFloor/64/vmHWMKiB", []), None, "MiB",
                  missed, "", scale=1 / 1024)


def print_system_notes():
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
