// Little-endian field-by-field access to the instrument's binary files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace vesk {

// Reads a file opened in binary mode. A field that the file does not hold
// completely leaves its destination unchanged and marks the reader exhausted;
// record loops stop there instead of spinning over a failing stream.
class BinaryReader {
public:
    explicit BinaryReader(const char *path);
    ~BinaryReader();
    BinaryReader(const BinaryReader &) = delete;
    BinaryReader &operator=(const BinaryReader &) = delete;

    // False when the file cannot be opened for reading or is no regular file.
    bool isOpen() const { return stream_ != nullptr; }
    // True once a read came up short (end of file or a read error).
    bool exhausted() const { return exhausted_; }

    bool read(std::uint8_t &out);
    bool read(std::uint32_t &out);
    bool read(double &out);
    // An unsigned number of `width` bytes (1 to 4), zero-extended.
    bool readUnsigned(std::uint32_t &out, std::size_t width);
    // Copies as many of the `size` bytes as the file holds.
    void readBytes(std::uint8_t *out, std::size_t size);

    void seek(std::uint64_t offset);
    void skip(std::size_t size);

private:
    bool readRaw(std::uint8_t *buffer, std::size_t size);

    std::FILE *stream_ = nullptr;
    bool exhausted_ = false;
};

// Writes to a stream; the first failing write is remembered and every later
// write is skipped, so ok() tells whether the whole content reached the stream.
class BinaryWriter {
public:
    explicit BinaryWriter(std::FILE *stream) : stream_(stream) {}

    bool ok() const { return ok_; }

    void write(std::uint8_t value);
    void write(std::uint32_t value);
    void write(double value);
    void writeBytes(const std::uint8_t *data, std::size_t size);
    void writeZeros(std::size_t size);

private:
    void writeRaw(const std::uint8_t *data, std::size_t size);

    std::FILE *stream_;
    bool ok_ = true;
};

} // namespace vesk
