// Fuzzes d0d_read_header and d0d_read_data.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_input_file.h"
#include "vesk_pro.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const char *path = writeFuzzInput(data, size);

    std::uint8_t comment[250], settings[6];
    std::uint32_t count = 0;
    const bool optional = inputBit(data, size, 0);
    if (d0d_read_header(path, optional ? comment : nullptr, &count, optional ? settings : nullptr) != 0 ||
        count > kMaxFuzzRecords)
        return 0;

    const std::size_t entries = std::max<std::uint32_t>(count, 1);
    std::vector<std::uint32_t> slot1(entries), slot2(entries), slot3(entries), slot4(entries);
    d0d_read_data(path, slot1.data(), slot2.data(), slot3.data(), slot4.data());
    return 0;
}
