#include "SurfGrid.h"

#include <cmath>
#include <new>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "DataRange.h"
#include "SharedWork.h"
#include "Triangulation.h"

namespace meshinterp {
namespace {

void CheckCounts(ErrorFacility& errors, const GridRequest& r) {
  if (r.ndata <= 3) {
    errors.StoreInteger(1, r.ndata);
    errors.Post(ErrorClass::Terminal, 1,
                "The number of data points must be at least 4 while NDATA = %(I1) is given.");
  }
  if (r.nxout < 1) {
    errors.StoreInteger(1, r.nxout);
    errors.Post(ErrorClass::Terminal, 2,
                "The number of elements in XOUT must be greater than zero while NXOUT = %(I1) is given.");
  }
  if (r.nyout < 1) {
    errors.StoreInteger(1, r.nyout);
    errors.Post(ErrorClass::Terminal, 3,
                "The number of elements in YOUT must be greater than zero while NYOUT = %(I1) is given.");
  }
}

// Checks 6 and 7: the first place where the coordinates do not increase.
bool CheckIncreasing(ErrorFacility& errors, const double* values, int count, const char* name, int code) {
  for (int i = 0; i + 1 < count; ++i) {
    if (values[i + 1] <= values[i]) {
      errors.StoreInteger(1, i + 1);
      errors.StoreInteger(2, i + 2);
      errors.StoreReal(1, values[i]);
      errors.StoreReal(2, values[i + 1]);
      const std::string message = std::string("The elements in ") + name + " must be increasing, while " + name +
                                  "(%(I1)) = %(D1) and " + name + "(%(I2)) = %(D2) are given.";
      errors.Post(ErrorClass::Fatal, code, message);
      return false;
    }
  }
  return true;
}

// Coordinates that are not finite numbers would make the geometric tests
// meaningless and are refused before any work.
bool CheckFinite(ErrorFacility& errors, const GridRequest& r) {
  auto refuse = [&](const std::string& element, double value) {
    errors.StoreText(1, element);
    errors.StoreReal(1, value);
    errors.Post(ErrorClass::Terminal, 10, "The coordinates must be finite numbers, while %(L1) = %(D1) is given.");
    return false;
  };
  for (int k = 0; k < r.ndata; ++k) {
    if (!std::isfinite(r.xdata[k])) return refuse("XYDATA(" + std::to_string(k + 1) + ",1)", r.xdata[k]);
    if (!std::isfinite(r.ydata[k])) return refuse("XYDATA(" + std::to_string(k + 1) + ",2)", r.ydata[k]);
  }
  for (int k = 0; k < r.ndata; ++k) {
    if (std::isfinite(r.fdata[k])) continue;
    errors.StoreInteger(1, k + 1);
    errors.StoreReal(1, r.fdata[k]);
    errors.Post(ErrorClass::Terminal, 10, "The values must be finite numbers, while FDATA(%(I1)) = %(D1) is given.");
    return false;
  }
  for (int i = 0; i < r.nxout; ++i) {
    if (!std::isfinite(r.xout[i])) return refuse("XOUT(" + std::to_string(i + 1) + ")", r.xout[i]);
  }
  for (int j = 0; j < r.nyout; ++j) {
    if (!std::isfinite(r.yout[j])) return refuse("YOUT(" + std::to_string(j + 1) + ")", r.yout[j]);
  }
  return true;
}

// The values multiplied by 2^exponent, or the values themselves for 0.
struct ScaledCopy {
  ScaledCopy(std::span<const double> source, int exponent) : values(source) {
    if (exponent == 0) return;
    storage.resize(source.size());
    for (std::size_t k = 0; k < source.size(); ++k) storage[k] = std::ldexp(source[k], exponent);
    values = storage;
  }
  std::vector<double> storage;
  std::span<const double> values;
};

// Routine SURFGRID_WORK.
void SurfGridWork(ErrorFacility& errors, const GridRequest& r, double* sur, std::int64_t ldsur) {
  RoutineScope scope(errors, "SURFGRID_WORK");
  CheckCounts(errors, r);
  if (ldsur < r.nxout) {
    errors.StoreInteger(1, r.nxout);
    errors.StoreInteger(2, ldsur);
    errors.Post(ErrorClass::Terminal, 4,
                "The leading dimension of SUR must be at least as big as the number of elements in XOUT, while "
                "LDSUR = %(I2) and NXOUT = %(I1) are given.");
  }
  if (errors.PendingClass() != ErrorClass::None) return;
  if (!CheckIncreasing(errors, r.xout, r.nxout, "XOUT", 6)) return;
  if (!CheckIncreasing(errors, r.yout, r.nyout, "YOUT", 7)) return;
  if (!CheckFinite(errors, r)) return;

  const std::size_t n = static_cast<std::size_t>(r.ndata);
  const std::span<const double> xdata(r.xdata, n), ydata(r.ydata, n), fdata(r.fdata, n);
  const std::span<const double> xout(r.xout, static_cast<std::size_t>(r.nxout));
  const std::span<const double> yout(r.yout, static_cast<std::size_t>(r.nyout));
  std::vector<Point> given(n);
  for (std::size_t k = 0; k < n; ++k) given[k] = {xdata[k], ydata[k]};

  // The steps work on rescaled copies only when the data lie outside the
  // ordinary range.
  const DataScaling scaling = ChooseScaling(xdata, ydata, fdata);
  const int ce = scaling.coordinateExponent;
  const int fe = scaling.valueExponent;
  const ScaledCopy values(fdata, -fe);
  const ScaledCopy gridX(xout, -ce);
  const ScaledCopy gridY(yout, -ce);
  std::vector<Point> scaledPoints;
  if (ce != 0) {
    scaledPoints.resize(n);
    for (std::size_t k = 0; k < n; ++k) scaledPoints[k] = {std::ldexp(given[k].x, -ce), std::ldexp(given[k].y, -ce)};
  }
  const std::span<const Point> points = ce != 0 ? std::span<const Point>(scaledPoints) : std::span<const Point>(given);

  SurfaceWork work(points, values.values, xout.size() * yout.size());
  const Triangulation triangulation = Triangulate(points, errors, given);
  if (errors.PendingClass() != ErrorClass::None || triangulation.triangles.empty()) return;
  // After the triangulation, so that points on one line keep their report.
  if (!CheckExtentRatio(errors, given)) return;

  // The surface goes to SUR only when every value is a finite number.
  NodeAssignment assignment;
  std::vector<double> surface;
  work.Finish(triangulation, gridX.values, gridY.values, assignment, surface);
  for (std::size_t node = 0; node < surface.size(); ++node) {
    if (assignment.region[node] == NodeAssignment::kUnclaimed) continue;
    if (fe != 0) surface[node] = std::ldexp(surface[node], fe);
    if (std::isfinite(surface[node])) continue;
    errors.StoreInteger(1, static_cast<long long>(node % xout.size()) + 1);
    errors.StoreInteger(2, static_cast<long long>(node / xout.size()) + 1);
    PostBeyondResolution(errors, "the surface at (XOUT(%(I1)), YOUT(%(I2))) is not a finite number");
    return;
  }
  for (std::size_t node = 0; node < surface.size(); ++node) {
    if (assignment.region[node] == NodeAssignment::kUnclaimed) continue;
    sur[static_cast<std::int64_t>(node / xout.size()) * ldsur + static_cast<std::int64_t>(node % xout.size())] =
        surface[node];
  }
}

}  // namespace

double WorkBytes(std::int32_t ndata, std::int32_t nxout, std::int32_t nyout) {
  // Points, triangles, corner lists, border, order, derivatives and search
  // structures per point; region, flag, free-list, claim (16 bytes) and
  // scratch value entries per node.
  return 400.0 * ndata + 40.0 * static_cast<double>(nxout) * static_cast<double>(nyout);
}

bool RefuseMissingArrays(ErrorFacility& errors, const GridRequest& r, const double* sur) {
  const std::pair<const void*, const char*> arrays[] = {{r.xdata, "XDATA"}, {r.ydata, "YDATA"}, {r.fdata, "FDATA"},
                                                        {r.xout, "XOUT"},   {r.yout, "YOUT"},   {sur, "SUR"}};
  bool missing = false;
  for (const auto& [array, name] : arrays) {
    if (array != nullptr) continue;
    errors.StoreText(1, name);
    errors.Post(ErrorClass::Terminal, 12, "The array %(L1) must be given, while a null pointer is given.");
    missing = true;
  }
  return missing;
}

void SurfGrid(ErrorFacility& errors, const GridRequest& r, double* sur, std::int64_t ldsur) {
  RoutineScope scope(errors, "SURFGRID");
  CheckCounts(errors, r);
  if (errors.PendingClass() != ErrorClass::None) return;
  if (RefuseMissingArrays(errors, r, sur)) return;
  auto refuseStorage = [&] {
    errors.StoreInteger(1, r.ndata);
    errors.StoreInteger(2, r.nxout);
    errors.StoreInteger(3, r.nyout);
    errors.Post(ErrorClass::Terminal, 9,
                "The required storage cannot be allocated based on NDATA = %(I1), NXOUT = %(I2), and NYOUT = "
                "%(I3).");
  };
  if (WorkBytes(r.ndata, r.nxout, r.nyout) > kMaxWorkBytes) {
    refuseStorage();
    return;
  }
  try {
    SurfGridWork(errors, r, sur, ldsur);
  } catch (const std::bad_alloc&) {
    refuseStorage();
  }
}

}  // namespace meshinterp
