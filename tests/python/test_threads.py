"""Fits run without the GIL, and a series gives the same table on any number of threads."""

import os
import signal
import threading
import time

import pytest

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


def interrupt_after(seconds):
    """Ctrl-C as a terminal sends it, while the series runs."""
    timer = threading.Timer(seconds, os.kill, (os.getpid(), signal.SIGINT))
    timer.start()
    return timer


class Stop(Exception):
    pass


def stop_at(done_when, kind):
    def progress(done, total):
        if done == done_when:
            raise kind
    return progress


@pytest.mark.parametrize("stop, kind", [
    (None, KeyboardInterrupt),  # no Python runs between the patterns but the module's check
    (stop_at(5, KeyboardInterrupt), KeyboardInterrupt),
    (stop_at(5, Stop), Stop),
])
def test_a_series_stops_between_patterns(drifting_series, stop, kind):
    patterns = [xrdpick.read(path) for path in drifting_series] * 400  # some seconds of fits
    calls = []

    def counted(done, total):
        calls.append((done, total))
        stop(done, total)

    timer = None if stop else interrupt_after(0.3)
    start = time.perf_counter()
    with pytest.raises(kind):
        xrdpick.fit_series(patterns, DRIFT_PLAN, jobs=2, progress=counted if stop else None)
    stopped = time.perf_counter() - start
    if timer:
        timer.join()
        assert stopped < 1.3
    else:
        assert stopped < 1.0
        assert calls == [(done, len(patterns)) for done in range(1, 6)]


def test_progress_counts_every_pattern(drifting_series):
    calls = []
    xrdpick.fit_series(drifting_series, DRIFT_PLAN, jobs=2,
                       progress=lambda done, total: calls.append((done, total)))
    assert calls == [(done, 12) for done in range(1, 13)]
