"""Fits run without the GIL, and a series gives the same table on any number of threads."""

import threading
import time

import xrdpick
from conftest import DRIFT_PLAN


def test_python_runs_while_a_series_fits(drifting_series):
    patterns = [xrdpick.read(path) for path in drifting_series] * 40
    spans = {}

    def fit():
        start = time.perf_counter()
        xrdpick.fit_series(patterns, DRIFT_PLAN, sequential=True, jobs=1)
        spans["fit"] = time.perf_counter() - start

    worker = threading.Thread(target=fit)
    longest_pause = 0.0
    last = time.perf_counter()
    worker.start()
    while worker.is_alive():
        now = time.perf_counter()
        longest_pause = max(longest_pause, now - last)
        last = now
    worker.join()
    # Holding the GIL through the run would stop this loop for all of it.
    assert spans["fit"] > 0.2
    assert longest_pause < spans["fit"] / 4


def test_jobs_do_not_change_the_table(drifting_series):
    one = xrdpick.fit_series(drifting_series * 3, DRIFT_PLAN, jobs=1)
    two = xrdpick.fit_series(drifting_series * 3, DRIFT_PLAN, jobs=2)
    assert one.tsv == two.tsv
    assert list(one) == list(two)
