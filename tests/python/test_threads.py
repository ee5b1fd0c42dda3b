"""Fits run without the GIL, and a series gives the same table on any number of threads."""

import threading
import time

import xrdpick
from conftest import DRIFT_PLAN


def longest_pause_while(call):
    """How long call() ran on another thread, and the longest this thread stood still
    meanwhile."""
    spans = {}

    def timed():
        start = time.perf_counter()
        call()
        spans["call"] = time.perf_counter() - start

    worker = threading.Thread(target=timed)
    longest_pause = 0.0
    last = time.perf_counter()
    worker.start()
    while worker.is_alive():
        now = time.perf_counter()
        longest_pause = max(longest_pause, now - last)
        last = now
    worker.join()
    return spans["call"], longest_pause


def test_python_runs_while_a_series_fits(drifting_series):
    patterns = [xrdpick.read(path) for path in drifting_series]
    # A series long enough to be told from the interpreter's own switching, on any machine.
    while True:
        span, pause = longest_pause_while(
            lambda: xrdpick.fit_series(patterns, DRIFT_PLAN, sequential=True, jobs=1))
        if span > 0.3 or len(patterns) > 10000:
            break
        patterns *= 2
    # Holding the GIL through the run would stop this loop for all of it.
    assert pause < span / 4


def test_jobs_do_not_change_the_table(drifting_series):
    one = xrdpick.fit_series(drifting_series * 3, DRIFT_PLAN, jobs=1)
    two = xrdpick.fit_series(drifting_series * 3, DRIFT_PLAN, jobs=2)
    assert one.tsv == two.tsv
    assert list(one) == list(two)
