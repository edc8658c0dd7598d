// The library's two exports: thin wrappers around the gridding routine.
#include "MeshInterp.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "ErrorFacility.h"
#include "SurfGrid.h"

namespace {

using meshinterp::ErrorClass;
using meshinterp::ErrorFacility;

constexpr int kFixedPoints = 1000;
constexpr int kFixedBlock = 100 * 100;

void WriteToStandardOutput(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

meshinterp::GridRequest MakeRequest(int32_t ndata, const double* xdata, const double* ydata, const double* fdata,
                                    int32_t nxout, int32_t nyout, const double* xout, const double* yout) {
  return {ndata, xdata, ydata, fdata, nxout, nyout, xout, yout};
}

// The output block of the fixed-buffer export keeps its contents from call
// to call, as its callers expect.
struct FixedBlock {
  std::mutex mutex;
  double values[kFixedBlock] = {};
};

FixedBlock& TheFixedBlock() {
  static FixedBlock block;
  return block;
}

}  // namespace

extern "C" void SCATDATA_INTERPOL_DYN(int32_t NDATA, const double* XDATA, const double* YDATA, const double* FDATA,
                                      int32_t NXOUT, int32_t NYOUT, const double* XOUT, const double* YOUT,
                                      double* SUR) {
  try {
    ErrorFacility errors(WriteToStandardOutput);
    meshinterp::SurfGrid(errors, MakeRequest(NDATA, XDATA, YDATA, FDATA, NXOUT, NYOUT, XOUT, YOUT), SUR, NXOUT);
  } catch (...) {
    // Nothing may cross the C interface; SUR keeps what it held.
  }
}

extern "C" void SCATDATA_INTERPOL(int32_t NDATA, const double* XDATA, const double* YDATA, const double* FDATA,
                                  int32_t NXOUT, int32_t NYOUT, const double* XOUT, const double* YOUT,
                                  double* SUR) {
  try {
    ErrorFacility errors(WriteToStandardOutput);
    const bool tooManyNodes =
        NXOUT > 0 && NYOUT > 0 && static_cast<long long>(NXOUT) * NYOUT > kFixedBlock;
    if (NDATA > kFixedPoints || tooManyNodes) {
      meshinterp::RoutineScope scope(errors, "SCATDATA_INTERPOL");
      errors.StoreInteger(1, NDATA);
      errors.StoreInteger(2, NXOUT);
      errors.StoreInteger(3, NYOUT);
      errors.Post(ErrorClass::Terminal, 11,
                  "The fixed buffers hold at most 1000 data points and 10000 grid values, while NDATA = %(I1), "
                  "NXOUT = %(I2), and NYOUT = %(I3) are given.");
      return;
    }
    if (SUR == nullptr) {
      // The block is copied to SUR: a missing SUR is refused here, with
      // every other missing array.
      meshinterp::RoutineScope scope(errors, "SCATDATA_INTERPOL");
      meshinterp::RefuseMissingArrays(errors, MakeRequest(NDATA, XDATA, YDATA, FDATA, NXOUT, NYOUT, XOUT, YOUT), SUR);
      return;
    }
    FixedBlock& block = TheFixedBlock();
    std::lock_guard lock(block.mutex);
    meshinterp::SurfGrid(errors, MakeRequest(NDATA, XDATA, YDATA, FDATA, NXOUT, NYOUT, XOUT, YOUT), block.values,
                         NXOUT);
    if (meshinterp::StopsComputation(errors.CalleeClass())) return;
    std::copy(block.values, block.values + kFixedBlock, SUR);
  } catch (...) {
    // Nothing may cross the C interface; SUR keeps what it held.
  }
}
