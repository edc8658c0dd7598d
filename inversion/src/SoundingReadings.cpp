#include "inversion/SoundingReadings.h"

#include "survey/Measurements.h"

namespace inversion {

SoundingSelection SelectSoundingReadings(const TMeasurements1D &list, std::optional<double> qualityLimitPercent)
{
    SoundingSelection selection;
    selection.data.arrayType = static_cast<ArrayType>(list.ArrayDetails().ArrayType);
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!list.IsShown(i))
            continue;
        const double rho = list.ApparentResistivity1D(i);
        if (!(rho > 0.0))
            continue;
        const double quality = list.QualityPercent(i);
        if (qualityLimitPercent && quality > *qualityLimitPercent)
            continue;
        selection.data.spacings.push_back({list.HalfABMetres(i), list.HalfMNMetres(i)});
        selection.data.apparentResistivities.push_back(rho);
        selection.data.relativeErrors.push_back(RelativeErrorFromQuality(quality));
        selection.indices.push_back(i);
    }
    return selection;
}

} // namespace inversion
