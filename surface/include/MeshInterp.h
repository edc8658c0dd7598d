/*
 * MeshInterp: a smooth surface through scattered points (x, y, f), evaluated
 * on a rectangular grid. Akima's method for irregularly distributed data:
 * a triangulation of the points, partial derivatives estimated at every
 * point, one quintic polynomial per triangle, and polynomials attached to
 * the border segments and border vertices beyond the convex hull.
 *
 * Both functions take the same nine arguments:
 *   NDATA        number of data points (at least 4)
 *   XDATA, YDATA coordinates of the points (NDATA each, no two points equal,
 *                not all on one line)
 *   FDATA        values at the points (NDATA)
 *   NXOUT, NYOUT number of grid x and y coordinates (at least 1 each)
 *   XOUT, YOUT   grid coordinates, strictly increasing
 *   SUR          receives the surface: the value at (XOUT[i], YOUT[j]),
 *                counting from 0, is SUR[j * NXOUT + i]; a node that no
 *                region of the surface claims (rounding at region
 *                boundaries) keeps what SUR held
 *
 * Problems are reported on standard output as
 *   " *** CLASS ERROR code from ROUTINE.  message"
 * and the call then returns without writing SUR. No call ends the process.
 * Besides the checks of the arguments' counts and order, the calls refuse
 * coordinates and values that are not finite numbers (report 10), null
 * arrays (report 12, one per array in argument order) and data whose range
 * is beyond what the method can resolve (report 13: points whose distance
 * is lost to rounding, extents in x and y that differ by more than a factor
 * of a million, or a surface value that would not be a finite number). Data
 * at any scale are otherwise accepted: they are rescaled exactly by a power
 * of two when they lie far outside the ordinary range.
 * SCATDATA_INTERPOL_DYN keeps no state between calls; SCATDATA_INTERPOL
 * serialises its calls on its block.
 */
#ifndef MESH_INTERP_H
#define MESH_INTERP_H

#include <stdint.h>

#if defined(_WIN32)
#define MESH_INTERP_API __declspec(dllexport)
#else
#define MESH_INTERP_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* SUR must hold NXOUT * NYOUT doubles; the values are written straight
 * into it. */
MESH_INTERP_API void SCATDATA_INTERPOL_DYN(int32_t NDATA, const double *XDATA, const double *YDATA,
                                           const double *FDATA, int32_t NXOUT, int32_t NYOUT,
                                           const double *XOUT, const double *YOUT, double *SUR);

/* Fixed buffers: NDATA <= 1000 and NXOUT * NYOUT <= 10000; SUR must hold
 * 10000 doubles. The surface is computed into an internal block of 10000
 * doubles (same layout) and the whole block is copied to SUR: the first
 * NXOUT * NYOUT values are the surface, the rest repeat what the block held
 * before (zeros before the first call). Larger requests are refused with a
 * report. */
MESH_INTERP_API void SCATDATA_INTERPOL(int32_t NDATA, const double *XDATA, const double *YDATA,
                                       const double *FDATA, int32_t NXOUT, int32_t NYOUT, const double *XOUT,
                                       const double *YOUT, double *SUR);

#ifdef __cplusplus
}
#endif

#endif
