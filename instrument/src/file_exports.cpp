// The exported file functions: each checks its pointers in the documented
// order (101...), then its parameters (201...), and hands over to the
// readers and writers of files_0d, files_1d and files_2d.
#include "vesk_pro.h"

#include "call_checks.h"
#include "files_0d.h"
#include "files_1d.h"
#include "files_2d.h"

using namespace vesk;

// ---- 2D header and .d2d ----

uint8_t s2d_d2d_read_header(const char *fileName, uint8_t *comment, uint8_t *arrayType, uint8_t *rollAlong,
                            uint8_t *groupCount, uint32_t *unitSpacing, uint32_t *electrode1Position,
                            uint8_t *cable1, uint8_t *cable2, uint8_t *multipliers, uint8_t *levels,
                            uint8_t *levelSteps, uint8_t *startLevels, uint32_t *count, uint8_t *settings) {
    if (const ResultCode code =
            firstNullPointer(fileName, arrayType, rollAlong, unitSpacing, electrode1Position,
                             bothOrNull(cable1, cable2), multipliers, levels, levelSteps, startLevels, count,
                             groupCount);
        code != kSuccess)
        return code;
    return readHeader2d(fileName, {comment, arrayType, rollAlong, groupCount, unitSpacing, electrode1Position,
                                   cable1, cable2, multipliers, levels, levelSteps, startLevels, count, settings});
}

uint8_t d2d_read_data(const char *fileName, uint8_t *status, uint32_t *a, uint32_t *m, uint32_t *n, uint32_t *b,
                      uint32_t *slot1, uint32_t *slot2, uint32_t *slot3, uint32_t *slot4) {
    if (const ResultCode code = firstNullPointer(fileName, status, slot1, slot2, slot3, slot4); code != kSuccess)
        return code;
    return readRecords2d(fileName, {status, {a, m, n, b}, {slot1, slot2, slot3, slot4}});
}

uint8_t d2d_save_data(const char *fileName, uint32_t count, const uint8_t *comment, uint32_t arrayType,
                      uint32_t rollAlong, uint32_t unitSpacing, uint32_t electrode1Position, const uint8_t *cable1,
                      const uint8_t *cable2, uint32_t groupCount, const uint8_t *multipliers, const uint8_t *levels,
                      const uint8_t *levelSteps, const uint8_t *startLevels, const uint8_t *settings,
                      const uint8_t *status, const uint32_t *a, const uint32_t *m, const uint32_t *n,
                      const uint32_t *b, const uint32_t *slot1, const uint32_t *slot2, const uint32_t *slot3,
                      const uint32_t *slot4, const uint32_t *slot5) {
    if (const ResultCode code =
            firstNullPointer(fileName, bothOrNull(cable1, cable2), multipliers, levels, levelSteps, startLevels,
                             status, a, m, n, b, slot1, slot2, slot3, slot4, slot5, settings);
        code != kSuccess)
        return code;
    const Design2d design{.arrayType = lowByte(arrayType),
                          .rollAlong = lowByte(rollAlong),
                          .unitSpacing = unitSpacing,
                          .electrode1Position = electrode1Position,
                          .cable1 = cable1,
                          .cable2 = cable2,
                          .groupCount = lowByte(groupCount),
                          .multipliers = multipliers,
                          .levels = levels,
                          .levelSteps = levelSteps,
                          .startLevels = startLevels};
    const Data2dRecords records{{count, {a, m, n, b}}, status, {slot1, slot2, slot3, slot4, slot5}};
    if (const ResultCode code = checkData2d(design, records); code != kSuccess) return code;
    return writeData2d(fileName, comment, settings, design, records);
}

// ---- .s2d ----

uint8_t s2d_write(const char *fileName, const uint8_t * /*comment: not stored*/, uint32_t arrayType,
                  uint32_t rollAlong, uint32_t unitSpacing, uint32_t electrode1Position, const uint8_t *cable1,
                  const uint8_t *cable2, uint32_t groupCount, const uint8_t *multipliers, const uint8_t *levels,
                  const uint8_t *levelSteps, const uint8_t *startLevels, uint32_t count, const uint32_t *a,
                  const uint32_t *m, const uint32_t *n, const uint32_t *b) {
    if (const ResultCode code = firstNullPointer(fileName, bothOrNull(cable1, cable2), multipliers, levels,
                                                 levelSteps, startLevels, a, m, n, b);
        code != kSuccess)
        return code;
    const Design2d design{.arrayType = lowByte(arrayType),
                          .rollAlong = lowByte(rollAlong),
                          .unitSpacing = unitSpacing,
                          .electrode1Position = electrode1Position,
                          .cable1 = cable1,
                          .cable2 = cable2,
                          .groupCount = lowByte(groupCount),
                          .multipliers = multipliers,
                          .levels = levels,
                          .levelSteps = levelSteps,
                          .startLevels = startLevels};
    const Quadrupoles quadrupoles{count, {a, m, n, b}};
    if (const ResultCode code = checkSequence2d(design, quadrupoles); code != kSuccess) return code;
    return writeSequence2d(fileName, design, quadrupoles);
}

// ---- 1D header, .s1d and .d1d ----

uint8_t s1d_d1d_read_header(const char *fileName, uint8_t *comment, uint8_t *arrayType, uint8_t *incrementType,
                            uint8_t *groupCount, double *firstSpacings, double *increments, uint8_t *levels,
                            uint8_t *overlaps, uint32_t *count, uint8_t *settings) {
    if (const ResultCode code = firstNullPointer(fileName, arrayType, incrementType, groupCount, firstSpacings,
                                                 increments, levels, overlaps, count);
        code != kSuccess)
        return code;
    return readHeader1d(fileName, {comment, arrayType, incrementType, groupCount, firstSpacings, increments, levels,
                                   overlaps, count, settings});
}

uint8_t s1d_read_data(const char *fileName, uint32_t *halfAB, uint32_t *halfMN) {
    if (const ResultCode code = firstNullPointer(fileName, halfAB, halfMN); code != kSuccess) return code;
    return readSequenceRecords1d(fileName, halfAB, halfMN);
}

uint8_t s1d_write(const char *fileName, const uint8_t * /*comment: not stored*/, uint32_t arrayType,
                  uint32_t incrementType, uint32_t groupCount, const double *firstSpacings, const double *increments,
                  const uint8_t *levels, const uint8_t *overlaps, uint32_t count, const uint32_t *halfAB,
                  const uint32_t *halfMN) {
    if (const ResultCode code =
            firstNullPointer(fileName, firstSpacings, increments, levels, overlaps, halfAB, halfMN);
        code != kSuccess)
        return code;
    const Design1d design{.arrayType = lowByte(arrayType),
                          .incrementType = lowByte(incrementType),
                          .groupCount = lowByte(groupCount),
                          .firstSpacings = firstSpacings,
                          .increments = increments,
                          .levels = levels,
                          .overlaps = overlaps};
    if (const ResultCode code = checkDesign1d(design, count); code != kSuccess) return code;
    return writeSequence1d(fileName, design, {count, halfAB, halfMN});
}

uint8_t d1d_read_data(const char *fileName, uint8_t *status, uint32_t *halfAB, uint32_t *halfMN, uint32_t *slot1,
                      uint32_t *slot2, uint32_t *slot3, uint32_t *slot4) {
    if (const ResultCode code = firstNullPointer(fileName, status, slot1, slot2, slot3, slot4); code != kSuccess)
        return code;
    return readRecords1d(fileName, {status, halfAB, halfMN, {slot1, slot2, slot3, slot4}});
}

uint8_t d1d_save_data(const char *fileName, uint32_t count, const uint8_t *comment, uint32_t arrayType,
                      uint32_t incrementType, uint32_t groupCount, const double *firstSpacings,
                      const double *increments, const uint8_t *levels, const uint8_t *overlaps,
                      const uint8_t *settings, const uint8_t *status, const uint32_t *halfAB, const uint32_t *halfMN,
                      const uint32_t *slot1, const uint32_t *slot2, const uint32_t *slot3, const uint32_t *slot4,
                      const uint32_t *slot5) {
    if (const ResultCode code = firstNullPointer(fileName, firstSpacings, increments, levels, overlaps, status,
                                                 halfAB, halfMN, slot1, slot2, slot3, slot4, slot5, settings);
        code != kSuccess)
        return code;
    const Design1d design{.arrayType = lowByte(arrayType),
                          .incrementType = lowByte(incrementType),
                          .groupCount = lowByte(groupCount),
                          .firstSpacings = firstSpacings,
                          .increments = increments,
                          .levels = levels,
                          .overlaps = overlaps};
    if (const ResultCode code = checkDesign1d(design, count); code != kSuccess) return code;
    return writeData1d(fileName, comment, settings, design,
                       {{count, halfAB, halfMN}, status, {slot1, slot2, slot3, slot4, slot5}});
}

// ---- .d0d ----

uint8_t d0d_read_header(const char *fileName, uint8_t *comment, uint32_t *count, uint8_t *settings) {
    if (const ResultCode code = firstNullPointer(fileName, count); code != kSuccess) return code;
    return readHeader0d(fileName, comment, count, settings);
}

uint8_t d0d_read_data(const char *fileName, uint32_t *slot1, uint32_t *slot2, uint32_t *slot3, uint32_t *slot4) {
    if (const ResultCode code = firstNullPointer(fileName, slot1, slot2, slot3, slot4); code != kSuccess)
        return code;
    uint32_t *const slots[4] = {slot1, slot2, slot3, slot4};
    return readRecords0d(fileName, slots);
}
