// Small helpers that build 2D measurement lists for the tests.
#pragma once

#include "survey/Measurements.h"

#include <cstdint>

struct TElectrodes {
    uint32_t A, M, N, B;
};

// A 2D list on its own array details, with measurements added one by one as
// shown, passing measurements.
class TList2D {
public:
    TArrayDetails2D Details;
    TMeasurements2D List{Details};

    explicit TList2D(uint8_t arrayType = ArrayTypeCode::Wenner, uint32_t unitSpacingMm = 5000)
    {
        Details.ArrayType = arrayType;
        Details.UnitSpacing = unitSpacingMm;
    }

    uint32_t Add(TElectrodes e, uint32_t voltage = 1000, uint32_t current = 1000, uint32_t quality = 0,
                 uint32_t chargeability = 0)
    {
        const uint32_t i = List.Count;
        List.SetCount(i + 1);
        List.A[i] = e.A;
        List.M[i] = e.M;
        List.N[i] = e.N;
        List.B[i] = e.B;
        List.Voltage[i] = voltage;
        List.Current[i] = current;
        List.Quality[i] = quality;
        List.Chargeability[i] = chargeability;
        List.SetUsed(i, true);
        List.SetNotMerged(i, true);
        List.SetNumber(i, static_cast<int32_t>(i + 1));
        return i;
    }
};
