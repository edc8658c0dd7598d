#include "descriptor_stream.h"

#include <cerrno>
#include <unistd.h>

namespace vesk::plot {

DescriptorBuffer::~DescriptorBuffer()
{
    if (FDescriptor >= 0) ::close(FDescriptor);
}

std::streamsize DescriptorBuffer::xsputn(const char *bytes, std::streamsize count)
{
    if (FDescriptor < 0) return 0;
    std::streamsize done = 0;
    while (done < count) {
        const ssize_t written = ::write(FDescriptor, bytes + done, static_cast<std::size_t>(count - done));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        done += written;
    }
    return done;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type character)
{
    if (traits_type::eq_int_type(character, traits_type::eof())) return traits_type::not_eof(character);
    const char byte = traits_type::to_char_type(character);
    return xsputn(&byte, 1) == 1 ? character : traits_type::eof();
}

} // namespace vesk::plot
