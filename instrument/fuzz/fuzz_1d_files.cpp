// Fuzzes s1d_d1d_read_header, s1d_read_data and d1d_read_data.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_input_file.h"
#include "vesk_pro.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const char *path = writeFuzzInput(data, size);

    std::uint8_t comment[250], settings[6], levels[4], overlaps[4];
    double firstSpacings[4], increments[4];
    std::uint8_t arrayType = 0, incrementType = 0, groupCount = 0;
    std::uint32_t count = 0;
    const bool optional = inputBit(data, size, 0);
    if (s1d_d1d_read_header(path, optional ? comment : nullptr, &arrayType, &incrementType, &groupCount,
                            firstSpacings, increments, levels, overlaps, &count,
                            optional ? settings : nullptr) != 0 ||
        count > kMaxFuzzRecords)
        return 0;

    const std::size_t entries = std::max<std::uint32_t>(count, 1);
    std::vector<std::uint8_t> status(entries);
    std::vector<std::uint32_t> halfAB(entries), halfMN(entries);
    std::vector<std::uint32_t> slot1(entries), slot2(entries), slot3(entries), slot4(entries);
    s1d_read_data(path, halfAB.data(), halfMN.data());
    d1d_read_data(path, status.data(), inputBit(data, size, 1) ? halfAB.data() : nullptr,
                  inputBit(data, size, 2) ? halfMN.data() : nullptr, slot1.data(), slot2.data(), slot3.data(),
                  slot4.data());
    return 0;
}
