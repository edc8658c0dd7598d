// An output stream over a file descriptor that it owns and closes.
#pragma once

#include <ostream>
#include <streambuf>

namespace vesk::plot {

class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int descriptor) : FDescriptor(descriptor) {}
    ~DescriptorBuffer() override;
    DescriptorBuffer(const DescriptorBuffer &) = delete;
    DescriptorBuffer &operator=(const DescriptorBuffer &) = delete;

protected:
    std::streamsize xsputn(const char *bytes, std::streamsize count) override;
    int_type overflow(int_type character) override;

private:
    int FDescriptor; // -1: every write fails
};

// A stream whose writes go straight to the descriptor (unbuffered: the
// pictures are written in one piece); a failed write sets badbit.
class DescriptorStream : public std::ostream {
public:
    explicit DescriptorStream(int descriptor) : std::ostream(nullptr), FBuffer(descriptor) { rdbuf(&FBuffer); }

private:
    DescriptorBuffer FBuffer;
};

} // namespace vesk::plot
