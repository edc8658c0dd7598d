#!/usr/bin/env python3
"""Draws a pseudo-section picture as a geophysicist's matplotlib script would.

Usage: matplotlib_plot.py POINTS_FILE METHOD OUTPUT_PNG
POINTS_FILE holds float64 triples x (mid-point), y (pseudo-depth), f
(apparent resistivity), native byte order. METHOD is "akima"
(scipy.interpolate.griddata, method="cubic") or "inverse-distance" (the 12
nearest points of each node by cKDTree, weights 1 / distance). The picture is
1000 x 700 pixels: the map as pcolormesh on a 100 x 100 grid with a
logarithmic colour scale and a colour bar, the points as a scatter on top,
depth downwards, axis labels and a title, saved as PNG.

The whole script is the peer: the benchmark times the process from its start
(interpreter and imports included) to its end.
"""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from matplotlib.colors import LogNorm  # noqa: E402
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
    path, method, output = sys.argv[1], sys.argv[2], sys.argv[3]
    data = np.fromfile(path, dtype=np.float64).reshape(-1, 3)
    x, y, f = data[:, 0], data[:, 1], data[:, 2]
    gx, gy = np.meshgrid(np.linspace(x.min(), x.max(), GRID), np.linspace(y.min(), y.max(), GRID))
    if method == "akima":
        values = griddata((x, y), f, (gx, gy), method="cubic")
    else:
        values = inverse_distance(x, y, f, gx, gy)

    figure = plt.figure(figsize=(10, 7), dpi=100)
    axes = figure.add_subplot(1, 1, 1)
    mesh = axes.pcolormesh(gx, gy, values, shading="nearest", cmap="jet", norm=LogNorm(), zorder=0)
    axes.scatter(x, y, s=4, c="black")
    axes.set_ylim(y.max(), y.min())
    axes.set_xlabel("Distance (m)")
    axes.set_ylabel("Pseudo-depth (m)")
    axes.set_title("Apparent resistivity")
    figure.colorbar(mesh, ax=axes, label="Ohm m")
    figure.savefig(output, format="png")


if __name__ == "__main__":
    main()
