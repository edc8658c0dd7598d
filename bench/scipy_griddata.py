#!/usr/bin/env python3
"""Times scipy.interpolate.griddata(method="cubic") on a point set.

Usage: scipy_griddata.py POINTS_FILE COLUMNS ROWS REPEATS
POINTS_FILE holds float64 triples x, y, f (native byte order). The grid spans
the points' bounding box with COLUMNS x ROWS nodes. Prints the fastest of
REPEATS runs in milliseconds and, after it, their median.
"""
import sys
import time

import numpy as np
from scipy.interpolate import griddata


def main():
    path, columns, rows, repeats = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    data = np.fromfile(path, dtype=np.float64).reshape(-1, 3)
    x, y, f = data[:, 0], data[:, 1], data[:, 2]
    gx = np.linspace(x.min(), x.max(), columns)
    gy = np.linspace(y.min(), y.max(), rows)
    grid_x, grid_y = np.meshgrid(gx, gy)
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        griddata((x, y), f, (grid_x, grid_y), method="cubic")
        times.append(time.perf_counter() - start)
    print(f"{min(times) * 1e3:.4f} {float(np.median(times)) * 1e3:.4f}")


if __name__ == "__main__":
    main()
