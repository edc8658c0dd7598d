// Builds expected file contents field by field, little-endian.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

class ByteBuilder {
public:
    ByteBuilder &u8(std::uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    ByteBuilder &u32(std::uint32_t value) { return little(value, 4); }
    ByteBuilder &f64(double value) { return little(std::bit_cast<std::uint64_t>(value), 8); }
    ByteBuilder &bytes(const std::vector<std::uint8_t> &values) {
        bytes_.insert(bytes_.end(), values.begin(), values.end());
        return *this;
    }
    ByteBuilder &bytes(std::initializer_list<std::uint8_t> values) {
        bytes_.insert(bytes_.end(), values.begin(), values.end());
        return *this;
    }
    ByteBuilder &fill(std::uint8_t value, std::size_t size) {
        bytes_.insert(bytes_.end(), size, value);
        return *this;
    }
    ByteBuilder &zeros(std::size_t size) { return fill(0, size); }

    const std::vector<std::uint8_t> &data() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    ByteBuilder &little(std::uint64_t value, int size) {
        for (int i = 0; i < size; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        return *this;
    }

    std::vector<std::uint8_t> bytes_;
};
