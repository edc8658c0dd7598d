#include "survey/Measurements.h"

namespace {

constexpr double ThousandthsPerUnit = 1000.0;
// Readings are shown as the stored thousandths x 0.001.
constexpr double UnitsPerThousandth = 0.001;

// IP window in seconds, indexed by IP code; code 0 means IP is disabled.
constexpr std::array<double, 7> IPWindowSeconds{0.0, 0.06, 0.12, 0.16, 0.2, 0.24, 0.32};

} // namespace

void TMeasurementsCustom::ResizeCommonArrays(uint32_t n)
{
    Used.resize(n);
    Chargeability.resize(n);
    Voltage.resize(n);
    Current.resize(n);
    Quality.resize(n);
    Number.resize(n);
    SAResistivity.resize(n);
    SAChargeability.resize(n);
    Count = n;
}

double TMeasurementsCustom::VoltageMV(uint32_t i) const
{
    return Voltage[i] * UnitsPerThousandth;
}

double TMeasurementsCustom::CurrentMA(uint32_t i) const
{
    return Current[i] * UnitsPerThousandth;
}

double TMeasurementsCustom::QualityPercent(uint32_t i) const
{
    return Quality[i] * UnitsPerThousandth;
}

double TMeasurementsCustom::ChargeabilityMS(uint32_t i) const
{
    return Chargeability[i] * UnitsPerThousandth;
}

double TMeasurementsCustom::Resistance(uint32_t i) const
{
    if (Current[i] == 0)
        return 0.0;
    return static_cast<double>(Voltage[i]) / static_cast<double>(Current[i]);
}

double TMeasurementsCustom::IPWindow() const
{
    const uint8_t code = IPCode();
    return code < IPWindowSeconds.size() ? IPWindowSeconds[code] : 0.0;
}

uint32_t TMeasurementsCustom::TxPowerPercent() const
{
    const uint8_t code = TxPowerCode();
    return code < TxPowerPercents.size() ? TxPowerPercents[code] : 0;
}

TLongwordArray TMeasurementsCustom::ResistanceMilli() const
{
    TLongwordArray result(Count);
    for (uint32_t i = 0; i < Count; ++i)
        if (Current[i] != 0)
            result[i] = RoundToLongword(static_cast<double>(Voltage[i]) * ThousandthsPerUnit /
                                        static_cast<double>(Current[i]));
    return result;
}
