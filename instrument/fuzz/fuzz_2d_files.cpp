// Fuzzes s2d_d2d_read_header and d2d_read_data.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_input_file.h"
#include "vesk_pro.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const char *path = writeFuzzInput(data, size);

    std::uint8_t comment[250], settings[6], cable1[24], cable2[24];
    std::uint8_t multipliers[4], levels[4], levelSteps[4], startLevels[4];
    std::uint8_t arrayType = 0, rollAlong = 0, groupCount = 0;
    std::uint32_t unitSpacing = 0, electrode1Position = 0, count = 0;
    const bool optional = inputBit(data, size, 0);
    if (s2d_d2d_read_header(path, optional ? comment : nullptr, &arrayType, &rollAlong, &groupCount, &unitSpacing,
                            &electrode1Position, cable1, cable2, multipliers, levels, levelSteps, startLevels,
                            &count, optional ? settings : nullptr) != 0 ||
        count > kMaxFuzzRecords)
        return 0;

    const std::size_t entries = std::max<std::uint32_t>(count, 1);
    std::vector<std::uint8_t> status(entries);
    std::vector<std::uint32_t> a(entries), m(entries), n(entries), b(entries);
    std::vector<std::uint32_t> slot1(entries), slot2(entries), slot3(entries), slot4(entries);
    d2d_read_data(path, status.data(), inputBit(data, size, 1) ? a.data() : nullptr,
                  inputBit(data, size, 2) ? m.data() : nullptr, inputBit(data, size, 3) ? n.data() : nullptr,
                  inputBit(data, size, 4) ? b.data() : nullptr, slot1.data(), slot2.data(), slot3.data(),
                  slot4.data());
    return 0;
}
