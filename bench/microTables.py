"""The tables of the Google Benchmark runs: the block's compute beside
memcpy and the faust compiler's code, parameter writes, and drag steps."""
from benchFiles import ns
from benchGoals import COMPILED_GOAL, COPY_GOAL, COPY_GOAL_FRAMES, EVENT_FLOOR_GOAL, WRITE_GOAL_NS, note_verdict, \
    verdict
from tableCells import fmt, print_header


def print_compute(results, missed, ties):
    """ns per compute call, for each frame count."""
    print_header(f"{'frames':>6} {'memcpy':>9} {'mydsp':>9} {'faustScalar':>11} {'faustVec':>9} "
                 f"{'mydsp/memcpy':>12} {'mydsp/best compiled':>19}  goals")
    frames = sorted({int(n.split("/")[2]) for n in results if n.startswith("compute/")})
    for f in frames:
        copy, ours = ns(results, f"compute/memcpy/{f}"), ns(results, f"compute/mydsp/{f}")
        scalar, vec = ns(results, f"compute/faustScalar/{f}"), ns(results, f"compute/faustVec/{f}")
        compiled = [x for x in (scalar, vec) if x is not None]
        best = min(compiled) if compiled else None
        to_copy = ours / copy if ours and copy else None
        to_best = ours / best if ours and best else None
        goals = copy_goal(f, to_copy, results, missed, ties)
        if to_best is not None:
            best_name = f"compute/faustVec/{f}" if best == vec else f"compute/faustScalar/{f}"
            goals += compiled_goal(f, to_best, best_name, results, missed, ties)
        elif not compiled:
            goals.append("no compiled code (ZELQUOR_TESTS OFF)")
        print(f"{f:>6} {fmt(copy)} {fmt(ours)} {fmt(scalar, 11)} {fmt(vec)} "
              f"{fmt(to_copy, 12, 3)} {fmt(to_best, 19, 3)}  {', '.join(goals)}")


def copy_goal(f, to_copy, results, missed, ties):
    """mydsp against memcpy, at the one frame count that has a goal."""
    if f != COPY_GOAL_FRAMES or to_copy is None:
        return []
    v = verdict(to_copy, COPY_GOAL, [f"compute/memcpy/{f}", f"compute/mydsp/{f}"], results)
    note_verdict(v, f"mydsp/memcpy at {f} frames = {to_copy:.3f}", missed, ties)
    return [f"<={COPY_GOAL:.2f}x copy {v}"]


def compiled_goal(f, to_best, best_name, results, missed, ties):
    v = verdict(to_best, COMPILED_GOAL, [best_name, f"compute/mydsp/{f}"], results)
    note_verdict(v, f"mydsp/best compiled at {f} frames = {to_best:.3f}", missed, ties)
    return [f"<=compiled {v}"]


WRITE_ORDER = ["first", "last", "unknown64", "unknown255", "label"]


def print_writes(results, missed):
    """ns per parameter write through the facade, beside APIUI's."""
    writes = [n.split("/")[2] for n in results if n.startswith("write/facade/")]
    if not writes:
        return
    print()
    writes.sort(key=lambda c: WRITE_ORDER.index(c) if c in WRITE_ORDER else len(WRITE_ORDER))
    print_header(f"{'setParamValue':<14} {'address':<18} {'ours ns':>8} {'APIUI ns':>9} "
                 f"{'ours/APIUI':>10} {'APIUI look-up ns':>16}  goal <={WRITE_GOAL_NS:.0f} ns")
    store = ns(results, "write/store/plain")
    print(f"{'plain store':<14} {'(one float)':<18} {fmt(store, 8, 2)}")
    byid = ns(results, "write/facadeById/last")
    if byid is not None:
        print(f"{'facade by id':<14} {'(index 63)':<18} {fmt(byid, 8, 2)}")
    for c in writes:
        print_write(c, results, missed)
    print("APIUI ns: APIUI::setParamValue(address), with stderr sent to /dev/null for addresses it")
    print("does not know (it prints a line each call); APIUI look-up ns: getParamIndex alone.")
    print("'canal5' names no parameter for our layer; APIUI resolves it as a label.")


def print_write(c, results, missed):
    ours, theirs = ns(results, f"write/facade/{c}"), ns(results, f"write/apiui/{c}")
    lookup = ns(results, f"lookup/apiui/{c}")
    ratio = ours / theirs if ours and theirs else None
    ok = ours is not None and ours <= WRITE_GOAL_NS
    if not ok:
        missed.append(f"facade write {c} = {ours:.1f} ns")
    address = results[f"write/facade/{c}"][2]
    print(f"{c:<14} {address:<18} {fmt(ours, 8, 2)} {fmt(theirs, 9, 1)} {fmt(ratio, 10, 3)} "
          f"{fmt(lookup, 16, 1)}  {'ok' if ok else 'MISSED'}")


def us(results, name):
    return results[name][0] / 1e3 if name in results else None


def print_events(results, real_results, field, missed, ties):
    """One pointer move during a drag, through the real handlers, beside its floor."""
    steps = [m for m in ("all", "single") if f"event/{m}Step/file" in results]
    if not steps:
        return
    print()
    print_header(f"{'drag step (64 tokens)':<22} {'trace to':<8} {'us ' + field.split('_')[0]:>9} {'us real':>8} "
                 f"{'of which handing lines to the file':>35} {'/floor':>6}  "
                 f"goal all mode <={EVENT_FLOOR_GOAL:.1f}x floor")
    for mode in steps:
        for sink in ("file", "devnull", "nullbuf", "floor"):
            print_event(mode, sink, results, real_results, missed, ties)
    print("file: stdout is a file; devnull: stdout is /dev/null; nullbuf: std::cout writes nowhere")
    print("(numbers formatted, no stdio, no write). Handing lines to the file = file - nullbuf: stdio")
    print("and the write(2) of each line's flush. floor: the same lines, recorded from the same steps,")
    print("written alone to the same file the same way (std::cout, one write and one flush a line);")
    print("/floor: file / floor, measured in the same run. All mode: 66 lines a step; single mode: 3.")


def print_event(mode, sink, results, real_results, missed, ties):
    """A drag step with the trace going to one sink; the file's row holds its
    share of the step and its ratio to the floor."""
    to_file = us(results, f"event/{mode}Step/file")
    dropped = us(results, f"event/{mode}Step/nullbuf")
    floor_name = f"event/{mode}Floor/file"
    floor = us(results, floor_name)
    name = floor_name if sink == "floor" else f"event/{mode}Step/{sink}"
    t, real = us(results, name), us(real_results, name)
    share, ratio, goal = "", None, ""
    if sink == "file" and to_file and dropped is not None:
        share = f"{to_file - dropped:.1f} us ({(to_file - dropped) / to_file:.0%})"
    if sink == "file" and t and floor:
        ratio = t / floor
    if mode == "all" and ratio is not None:
        goal = verdict(ratio, EVENT_FLOOR_GOAL, [name, floor_name], results)
        note_verdict(goal, f"all-mode drag step = {ratio:.2f}x its floor ({t:.1f} / {floor:.1f} us)", missed, ties)
    label = f"{mode} mode" if sink == "file" else ""
    print(f"{label:<22} {sink:<8} {fmt(t, 9, 2)} {fmt(real, 8, 2)} {share:>35} {fmt(ratio, 6, 3)}  {goal}")
