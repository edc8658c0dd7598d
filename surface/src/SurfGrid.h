// The gridding routine behind both exports: checks, work, error reports.
#pragma once

#include <cstdint>

#include "ErrorFacility.h"

namespace meshinterp {

struct GridRequest {
  std::int32_t ndata = 0;
  const double* xdata = nullptr;
  const double* ydata = nullptr;
  const double* fdata = nullptr;
  std::int32_t nxout = 0;
  std::int32_t nyout = 0;
  const double* xout = nullptr;
  const double* yout = nullptr;
};

// Routine SURFGRID: the value at (XOUT(i), YOUT(j)) goes to
// sur[(i - 1) + (j - 1) * ldsur]. Writes nothing into sur when an error stops
// the computation (errors.CalleeClass() tells the class afterwards).
void SurfGrid(ErrorFacility& errors, const GridRequest& request, double* sur, std::int64_t ldsur);

// Report 12 for each null array of the request and for a null `sur`, in
// the exports' argument order; returns whether there was one.
bool RefuseMissingArrays(ErrorFacility& errors, const GridRequest& request, const double* sur);

// Bytes of working memory a call needs; refused beyond kMaxWorkBytes.
inline constexpr double kMaxWorkBytes = 64.0 * (1ull << 30);
double WorkBytes(std::int32_t ndata, std::int32_t nxout, std::int32_t nyout);

}  // namespace meshinterp
