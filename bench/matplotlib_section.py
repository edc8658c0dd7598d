#!/usr/bin/env python3
"""Times the redraw of a live matplotlib pseudo-section after a filter change.

Usage: matplotlib_section.py POINTS_FILE METHOD REPEATS
POINTS_FILE holds float64 quadruples x (mid-point), y (pseudo-depth), f
(apparent resistivity), u (voltage in mV), native byte order. METHOD is
"akima" (scipy.interpolate.griddata, method="cubic") or "inverse-distance"
(the 12 nearest points of each node by cKDTree, weights 1 / distance). The
figure is what a geophysicist would write: a 900 x 500 pixel Agg canvas, the
map as pcolormesh on a 100 x 100 grid under the points as a scatter.

Each round moves the lowest accepted voltage between 5 and 40 mV, as the
presenter benchmark does, grids the accepted points again, updates the map
and the points and draws the canvas. Prints the median of REPEATS rounds in
milliseconds and the number of points drawn in the last round.
"""
import sys
import time

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from scipy.interpolate import griddata  # noqa: E402
from scipy.spatial import cKDTree  # noqa: E402

GRID = 100


def inverse_distance(x, y, f, gx, gy):
    tree = cKDTree(np.column_stack((x, y)))
    nodes = np.column_stack((gx.ravel(), gy.ravel()))
    distance, index = tree.query(nodes, k=12)
    weight = 1.0 / np.maximum(distance, 1e-12)
    return (np.sum(weight * f[index], axis=1) / np.sum(weight, axis=1)).reshape(gx.shape)


def main():
    path, method, repeats = sys.argv[1], sys.argv[2], int(sys.argv[3])
    data = np.fromfile(path, dtype=np.float64).reshape(-1, 4)
    x, y, f, u = data[:, 0], data[:, 1], data[:, 2], data[:, 3]

    figure = plt.figure(figsize=(9, 5), dpi=100)
    axes = figure.add_subplot(1, 1, 1)
    axes.invert_yaxis()
    mesh = None
    points = axes.scatter([], [], s=4, c="grey")
    times = []
    drawn = 0
    for round_ in range(repeats):
        start = time.perf_counter()
        keep = u >= (5.0 if round_ % 2 == 0 else 40.0)
        kx, ky, kf = x[keep], y[keep], f[keep]
        gx, gy = np.meshgrid(np.linspace(kx.min(), kx.max(), GRID), np.linspace(ky.min(), ky.max(), GRID))
        if method == "akima":
            values = griddata((kx, ky), kf, (gx, gy), method="cubic")
        else:
            values = inverse_distance(kx, ky, kf, gx, gy)
        if mesh is not None:
            mesh.remove()
        mesh = axes.pcolormesh(gx, gy, values, shading="nearest", cmap="jet", zorder=0)
        points.set_offsets(np.column_stack((kx, ky)))
        axes.set_xlim(kx.min(), kx.max())
        axes.set_ylim(ky.max(), ky.min())
        figure.canvas.draw()
        times.append(time.perf_counter() - start)
        drawn = int(keep.sum())
    print(f"{float(np.median(times)) * 1e3:.4f} {drawn}")


if __name__ == "__main__":
    main()
