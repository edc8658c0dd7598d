// The readings of a 1D measurement list that an inversion takes.
#pragma once

#include "inversion/SoundingInversion.h"

#include <cstdint>
#include <optional>
#include <vector>

class TMeasurements1D;

namespace inversion {

struct SoundingSelection {
    SoundingData data;
    std::vector<uint32_t> indices; // the list index of each reading taken
};

// The readings in use whose apparent resistivity can be computed (current,
// geometric factor and value above 0), with their error from Q [%]
// (RelativeErrorFromQuality). With a quality limit, readings whose Q is above
// it are left out as well.
SoundingSelection SelectSoundingReadings(const TMeasurements1D &list,
                                         std::optional<double> qualityLimitPercent = std::nullopt);

} // namespace inversion
