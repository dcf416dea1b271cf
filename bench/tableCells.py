"""The cells and rules of the benchmark table, and the medians it shows."""
import statistics


def fmt(x, width=9, digits=1):
    return f"{x:{width}.{digits}f}" if x is not None else f"{'-':>{width}}"


def print_header(header):
    print(header)
    print("-" * len(header))


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
