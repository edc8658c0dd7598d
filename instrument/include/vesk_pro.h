/*
 * vesk_pro: the instrument's file formats, the electrode sequence generators
 * and the distance-weighted gridding routine, as a flat C interface.
 *
 * Result codes (all functions except do_approximation):
 *   0        success
 *   1        file not opened / not created (get_1d_sequence: no working memory)
 *   2        version byte not accepted by this function
 *   101..117 a required pointer is null (which one depends on the function)
 *   201..207 a parameter fails validation (writers and generators)
 * do_approximation returns 1 on success and 0 on failure.
 * After result 1 of a file function, errno holds the system's reason.
 *
 * Byte arguments are passed as uint32_t; only their low 8 bits count.
 * Every output array is allocated by the caller, sized from a count that an
 * earlier call returned. Optional pointers are documented per function.
 */
#ifndef VESK_PRO_H
#define VESK_PRO_H

#include <stdint.h>

#if defined(_WIN32)
#define VESK_PRO_API __declspec(dllexport)
#else
#define VESK_PRO_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- 2D header (.s2d and .d2d) and 2D data (.d2d) ---- */

/* comment (250 bytes) and settings (6 bytes) may be null. cable1/cable2 hold
 * 24 bytes each; the four group arrays receive 4 entries each. */
VESK_PRO_API uint8_t s2d_d2d_read_header(const char *fileName, uint8_t *comment, uint8_t *arrayType,
                                         uint8_t *rollAlong, uint8_t *groupCount, uint32_t *unitSpacing,
                                         uint32_t *electrode1Position, uint8_t *cable1, uint8_t *cable2,
                                         uint8_t *multipliers, uint8_t *levels, uint8_t *levelSteps,
                                         uint8_t *startLevels, uint32_t *count, uint8_t *settings);

/* a, m, n, b may be null (the field is skipped). */
VESK_PRO_API uint8_t d2d_read_data(const char *fileName, uint8_t *status, uint32_t *a, uint32_t *m, uint32_t *n,
                                   uint32_t *b, uint32_t *slot1, uint32_t *slot2, uint32_t *slot3,
                                   uint32_t *slot4);

/* comment may be null (250 zero bytes are written). */
VESK_PRO_API uint8_t d2d_save_data(const char *fileName, uint32_t count, const uint8_t *comment, uint32_t arrayType,
                                   uint32_t rollAlong, uint32_t unitSpacing, uint32_t electrode1Position,
                                   const uint8_t *cable1, const uint8_t *cable2, uint32_t groupCount,
                                   const uint8_t *multipliers, const uint8_t *levels, const uint8_t *levelSteps,
                                   const uint8_t *startLevels, const uint8_t *settings, const uint8_t *status,
                                   const uint32_t *a, const uint32_t *m, const uint32_t *n, const uint32_t *b,
                                   const uint32_t *slot1, const uint32_t *slot2, const uint32_t *slot3,
                                   const uint32_t *slot4, const uint32_t *slot5);

/* ---- 2D sequence (.s2d) ---- */

/* comment is accepted and not used. */
VESK_PRO_API uint8_t s2d_write(const char *fileName, const uint8_t *comment, uint32_t arrayType, uint32_t rollAlong,
                               uint32_t unitSpacing, uint32_t electrode1Position, const uint8_t *cable1,
                               const uint8_t *cable2, uint32_t groupCount, const uint8_t *multipliers,
                               const uint8_t *levels, const uint8_t *levelSteps, const uint8_t *startLevels,
                               uint32_t count, const uint32_t *a, const uint32_t *m, const uint32_t *n,
                               const uint32_t *b);

/* ---- 1D header (.s1d and .d1d), 1D sequence (.s1d), 1D data (.d1d) ---- */

/* comment and settings may be null; the four group arrays receive 4 entries. */
VESK_PRO_API uint8_t s1d_d1d_read_header(const char *fileName, uint8_t *comment, uint8_t *arrayType,
                                         uint8_t *incrementType, uint8_t *groupCount, double *firstSpacings,
                                         double *increments, uint8_t *levels, uint8_t *overlaps, uint32_t *count,
                                         uint8_t *settings);

VESK_PRO_API uint8_t s1d_read_data(const char *fileName, uint32_t *halfAB, uint32_t *halfMN);

/* comment is accepted and not used. */
VESK_PRO_API uint8_t s1d_write(const char *fileName, const uint8_t *comment, uint32_t arrayType,
                               uint32_t incrementType, uint32_t groupCount, const double *firstSpacings,
                               const double *increments, const uint8_t *levels, const uint8_t *overlaps,
                               uint32_t count, const uint32_t *halfAB, const uint32_t *halfMN);

/* halfAB and halfMN may be null (the field is skipped). */
VESK_PRO_API uint8_t d1d_read_data(const char *fileName, uint8_t *status, uint32_t *halfAB, uint32_t *halfMN,
                                   uint32_t *slot1, uint32_t *slot2, uint32_t *slot3, uint32_t *slot4);

/* comment may be null (250 zero bytes are written). */
VESK_PRO_API uint8_t d1d_save_data(const char *fileName, uint32_t count, const uint8_t *comment, uint32_t arrayType,
                                   uint32_t incrementType, uint32_t groupCount, const double *firstSpacings,
                                   const double *increments, const uint8_t *levels, const uint8_t *overlaps,
                                   const uint8_t *settings, const uint8_t *status, const uint32_t *halfAB,
                                   const uint32_t *halfMN, const uint32_t *slot1, const uint32_t *slot2,
                                   const uint32_t *slot3, const uint32_t *slot4, const uint32_t *slot5);

/* ---- 0D data (.d0d) ---- */

/* comment and settings may be null. */
VESK_PRO_API uint8_t d0d_read_header(const char *fileName, uint8_t *comment, uint32_t *count, uint8_t *settings);

VESK_PRO_API uint8_t d0d_read_data(const char *fileName, uint32_t *slot1, uint32_t *slot2, uint32_t *slot3,
                                   uint32_t *slot4);

/* ---- sequence generators ---- */

/* mode 0: output receives one uint32 count per group; otherwise output
 * receives four uint32 (A, M, N, B) per measurement. */
VESK_PRO_API uint8_t get_2d_sequence(uint32_t mode, uint32_t arrayType, uint32_t rollAlong, const uint8_t *cable1,
                                     const uint8_t *cable2, uint32_t groupCount, const uint8_t *multipliers,
                                     const uint8_t *levels, const uint8_t *levelSteps, const uint8_t *startLevels,
                                     uint32_t *output);

/* halfAB and halfMN receive n entries, n = sum of the levels of the groups. */
VESK_PRO_API uint8_t get_1d_sequence(uint32_t arrayType, uint32_t incrementType, uint32_t groupCount,
                                     const double *firstSpacings, const double *increments, const uint8_t *levels,
                                     const uint8_t *overlaps, uint32_t *halfAB, uint32_t *halfMN);

/* ---- distance-weighted gridding ---- */

/* output holds rows x columns values, row after row. nodeX and nodeY are
 * accepted and not used. Returns 1 on success, 0 on failure. */
VESK_PRO_API int32_t do_approximation(int32_t pointCount, double reach, const double *x, const double *y,
                                      const double *z, int32_t columns, int32_t rows, double *nodeX, double *nodeY,
                                      double *output);

#ifdef __cplusplus
}
#endif

#endif /* VESK_PRO_H */
