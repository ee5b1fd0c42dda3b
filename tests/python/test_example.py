"""The example script runs as the README shows it: the table without matplotlib, a picture
(not shown) with it."""

import os
import subprocess
import sys

from conftest import EXAMPLES


def test_example_script_fits_the_suggested_peaks():
    done = subprocess.run([sys.executable, str(EXAMPLES / "fit_quartz.py")], capture_output=True,
                          text=True, env={**os.environ, "MPLBACKEND": "Agg"})
    assert done.returncode == 0, done.stderr
    lines = done.stdout.splitlines()
    if lines:  # no matplotlib: the table
        assert lines[0].startswith("pattern\tregion\tpeak\ttth")
        rows = [line.split("\t") for line in lines[1:]]
        assert len(rows) >= 10 and all(row[13] == "ok" for row in rows)
        # Neighbours share a region: a peak fitted without its overlapping neighbours
        # would leave them in the residuals.
        assert all(float(row[11]) < 2.0 for row in rows)
