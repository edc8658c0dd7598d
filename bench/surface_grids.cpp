// Writes the surfaces of a fixed set of inputs to one binary file (the raw
// doubles of every grid, in order), so that two builds of the surface
// library can be compared byte for byte: the benchmark's pseudo-sections,
// random points, a lattice, and the pseudo-sections of the example lines.
//
// Usage: surface_grids OUTPUT_FILE [EXAMPLE.d2d ...]
#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "MeshInterp.h"
#include "TestPoints.h"
#include "documents/DataDocuments.h"
#include "documents/PlainHost.h"

namespace {

using meshinterp::testing::Samples;

void WriteGrid(std::FILE* out, const Samples& samples, int columns, int rows) {
  const std::vector<double> x = samples.xs(), y = samples.ys();
  const auto [xmin, xmax] = std::minmax_element(x.begin(), x.end());
  const auto [ymin, ymax] = std::minmax_element(y.begin(), y.end());
  // A margin beyond the points so that strips and wedges are evaluated too.
  const double mx = (*xmax - *xmin) * 0.05, my = (*ymax - *ymin) * 0.05;
  const std::vector<double> gx = meshinterp::testing::Coordinates(*xmin - mx, *xmax + mx, columns);
  const std::vector<double> gy = meshinterp::testing::Coordinates(*ymin - my, *ymax + my, rows);
  // Nodes that no region claims keep this marker.
  std::vector<double> sur(static_cast<std::size_t>(columns) * rows, -12345.5);
  SCATDATA_INTERPOL_DYN(static_cast<int32_t>(x.size()), x.data(), y.data(), samples.values.data(), columns, rows,
                        gx.data(), gy.data(), sur.data());
  std::fwrite(sur.data(), sizeof(double), sur.size(), out);
}

// Mid-points, pseudo-depths and apparent resistivities of the measurements
// kept after merging, each position once.
Samples ExampleLine(const std::string& path) {
  TPlainHost host;
  TnData2D document(host);
  Samples samples;
  if (!document.LoadFromFile(path)) return samples;
  const TMeasurements2D& list = document.Measurements();
  std::set<std::pair<double, double>> seen;
  for (uint32_t i = 0; i < list.Count; ++i) {
    if (!list.NotMergedFlag(i)) continue;
    const meshinterp::Point p{list.MidPoint(i), list.PseudoDepth(i)};
    if (!seen.insert({p.x, p.y}).second) continue;
    samples.points.push_back(p);
    samples.values.push_back(list.ApparentResistivity(i));
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: surface_grids OUTPUT_FILE [EXAMPLE.d2d ...]\n");
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  for (int spreads : {1, 5, 20, 40}) WriteGrid(out, meshinterp::testing::PseudoSection(spreads), 100, 100);
  for (int spreads : {3, 12}) WriteGrid(out, meshinterp::testing::PseudoSection(spreads, 20, 2.5, 11), 150, 60);
  for (unsigned seed : {1u, 2u, 3u}) WriteGrid(out, meshinterp::testing::RandomSamples(2000, seed), 120, 80);
  WriteGrid(out, meshinterp::testing::RandomSamples(30, 5), 40, 40);
  WriteGrid(out, meshinterp::testing::Lattice(40, 30), 97, 71);
  for (int k = 2; k < argc; ++k) {
    const Samples line = ExampleLine(argv[k]);
    std::printf("%s: %zu points\n", argv[k], line.points.size());
    if (line.points.size() >= 4) WriteGrid(out, line, 100, 100);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
