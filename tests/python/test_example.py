"""The example script runs as the README shows it: the table without matplotlib, a picture
(not shown) with it."""

import os
import subprocess
import sys

from conftest import EXAMPLES


def test_example_script_fits_the_strong_peaks():
    done = subprocess.run([sys.executable, str(EXAMPLES / "fit_quartz.py")], capture_output=True,
                          text=True, env={**os.environ, "MPLBACKEND": "Agg"})
    assert done.returncode == 0, done.stderr
    lines = done.stdout.splitlines()
    if lines:  # no matplotlib: the table
        assert lines[0].startswith("pattern\tregion\tpeak\ttth")
        statuses = [line.split("\t")[13] for line in lines[1:]]
        assert len(statuses) >= 3 and statuses.count("ok") == len(statuses)
