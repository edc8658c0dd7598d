#include "binary_io.h"

#include <bit>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <limits>
#include <sys/stat.h>
#include <sys/types.h>

namespace vesk {

namespace {

std::uint32_t decodeUnsigned(const std::uint8_t *bytes, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return value;
}

void encodeUnsigned(std::uint64_t value, std::uint8_t *bytes, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

BinaryReader::BinaryReader(const char *path) {
    // Opened without waiting (a named pipe put in the file's place would
    // wait for a writer), then the opened file itself is examined: only a
    // regular file is read. A folder, pipe or device counts as a file that
    // cannot be opened.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat opened {};
    if (fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        close(fd);
        errno = EINVAL;
        return;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    stream_ = fdopen(fd, "rb");
    if (stream_ == nullptr) close(fd);
}

BinaryReader::~BinaryReader() {
    if (stream_ != nullptr) std::fclose(stream_);
}

bool BinaryReader::readRaw(std::uint8_t *buffer, std::size_t size) {
    if (std::fread(buffer, 1, size, stream_) == size) return true;
    exhausted_ = true;
    return false;
}

bool BinaryReader::read(std::uint8_t &out) {
    std::uint8_t byte;
    if (!readRaw(&byte, 1)) return false;
    out = byte;
    return true;
}

bool BinaryReader::read(std::uint32_t &out) { return readUnsigned(out, 4); }

bool BinaryReader::read(double &out) {
    std::uint8_t bytes[8];
    if (!readRaw(bytes, sizeof bytes)) return false;
    const std::uint64_t bits = decodeUnsigned(bytes, 4) | static_cast<std::uint64_t>(decodeUnsigned(bytes + 4, 4)) << 32;
    out = std::bit_cast<double>(bits);
    return true;
}

bool BinaryReader::readUnsigned(std::uint32_t &out, std::size_t width) {
    std::uint8_t bytes[4];
    if (!readRaw(bytes, width)) return false;
    out = decodeUnsigned(bytes, width);
    return true;
}

void BinaryReader::readBytes(std::uint8_t *out, std::size_t size) {
    if (std::fread(out, 1, size, stream_) != size) exhausted_ = true;
}

void BinaryReader::seek(std::uint64_t offset) {
    // Offsets past the end are fine: the next read simply comes up short.
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) ||
        fseeko(stream_, static_cast<off_t>(offset), SEEK_SET) != 0)
        exhausted_ = true;
}

void BinaryReader::skip(std::size_t size) {
    // Short skips (fields inside records) are read through the stream's
    // buffer: a seek would drop the buffer and cost a system call per record.
    // As with a seek, running past the end is noticed by the next read.
    std::uint8_t discarded[64];
    if (size <= sizeof discarded) {
        if (std::fread(discarded, 1, size, stream_) != size && std::ferror(stream_)) exhausted_ = true;
        return;
    }
    if (fseeko(stream_, static_cast<off_t>(size), SEEK_CUR) != 0) exhausted_ = true;
}

void BinaryWriter::writeRaw(const std::uint8_t *data, std::size_t size) {
    if (ok_ && size != 0 && std::fwrite(data, 1, size, stream_) != size) ok_ = false;
}

void BinaryWriter::write(std::uint8_t value) { writeRaw(&value, 1); }

void BinaryWriter::write(std::uint32_t value) {
    std::uint8_t bytes[4];
    encodeUnsigned(value, bytes, sizeof bytes);
    writeRaw(bytes, sizeof bytes);
}

void BinaryWriter::write(double value) {
    std::uint8_t bytes[8];
    encodeUnsigned(std::bit_cast<std::uint64_t>(value), bytes, sizeof bytes);
    writeRaw(bytes, sizeof bytes);
}

void BinaryWriter::writeBytes(const std::uint8_t *data, std::size_t size) { writeRaw(data, size); }

void BinaryWriter::writeZeros(std::size_t size) {
    static constexpr std::uint8_t kZeros[256] = {};
    while (ok_ && size > 0) {
        const std::size_t chunk = size < sizeof kZeros ? size : sizeof kZeros;
        writeRaw(kZeros, chunk);
        size -= chunk;
    }
}

} // namespace vesk
